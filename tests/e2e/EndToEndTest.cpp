// The real tuvako against the real tuvako-sim, two processes over loopback: login, keep-alive,
// reconnection, a customer's whole road, and a server that misbehaves.
#include "ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QProcessEnvironment>

#include <filesystem>

namespace tuvako::test {
namespace {

class EndToEnd : public ::testing::Test {
protected:
    // tuvako-sim on a free port playing `scenario`; once it printed `beforeTerminal`, a copy of
    // tuvako, offscreen, logging to standard output and pressing buttons from standard input.
    void Start(const std::string& scenario, const std::string& beforeTerminal = {}) {
        const auto file = dir.Write("scenario.txt", scenario);
        const int simPort =
            sim.StartSimulator({"--scenario", QString::fromStdString(file.string())});
        ASSERT_NE(simPort, 0) << "no simulator:\n" << sim.output;
        const std::string port = std::to_string(simPort);
        ASSERT_NE(sim.WaitFor(beforeTerminal), std::string::npos) << sim.output;

        // Through a link, the terminal's folder holds only the link and the settings.
        const std::string folder = startThroughLink ? "t1/" : "";
        const auto binary = dir.File(startThroughLink ? "shared/tuvako" : "tuvako");
        std::filesystem::create_directories(binary.parent_path());
        std::filesystem::copy_file(TUVAKO_BINARY, binary,
                                   std::filesystem::copy_options::overwrite_existing);
        const auto program = dir.File(folder + "tuvako");
        if (startThroughLink) {
            std::filesystem::create_directories(program.parent_path());
            std::filesystem::create_symlink(binary, program);
        }
        dir.Write(folder + "Selvaro.ini", "[MessageSrv]\nServerAddress=127.0.0.1\nPort=" + port +
                                              "\nUse=Yes\n" + serverSettings +
                                              "[Tuvako01]\nNumber=01\n" + terminalSettings);
        auto environment = QProcessEnvironment::systemEnvironment();
        const std::pair<const char*, const char*> variables[] = {
            {"QT_QPA_PLATFORM", "offscreen"},
            {"TUVAKO_CONSOLE_LOG", "1"},
            {"TUVAKO_CONSOLE_INPUT", "1"},
            {"TUVAKO_SCREENSHOT_DIR", ""}};  // empty: none taken
        for (const auto& [name, value] : variables) environment.insert(name, value);
        terminal.process.setProcessEnvironment(environment);
        terminal.process.setWorkingDirectory(QString::fromStdString(dir.Path().string()));
        terminal.process.start(QString::fromStdString(program.string()), {});
        ASSERT_TRUE(terminal.process.waitForStarted(kWaitMs)) << "tuvako did not start";
        terminalStarted_ = true;
    }

    void ExpectScenarioPasses() {
        EXPECT_EQ(sim.WaitForExit(45000), 0) << "simulator:\n"
                                             << sim.output << "\nterminal:\n"
                                             << terminal.output;
    }

    // A terminal that was started must end cleanly when asked, with no sanitizer report.
    void TearDown() override {
        if (!terminalStarted_) return;
        const int status = terminal.Terminate();
        const std::string& out = terminal.output;
        EXPECT_TRUE(status == 0 && !terminal.Count("Sanitizer") &&
                    !terminal.Count("runtime error:"))
            << out.substr(out.size() - std::min<std::size_t>(out.size(), 4000));
    }

    // Settings of the terminal's copy, and whether it is started through a symbolic link.
    std::string serverSettings = "PingTime=1\n";
    std::string terminalSettings = "ButtonShowTime=1\n";
    bool startThroughLink = false;
    TempDir dir;
    ChildProcess sim;
    ChildProcess terminal;
    bool terminalStarted_ = false;
};

const std::string kMoi = "expect Moi^-^Tuvako01^-^0^KVLNQ^\n";
// Logged in; the keep-alive records that PingTime 1 brings are not what follows is about.
const std::string kLoggedIn = "timeout 20\n" + kMoi + "ignore Ping^*\n";

std::string TimeoutReport(const std::string& customer, const std::string& note) {
    return "expect Log^" + customer + "^Tuvako01^-^0^" + note +
           ";Timeout: Valintaa ei tehty!^SaveLogi^^\n";
}

// One more customer proves the terminal neither crashed nor stuck: the card, the list, and the
// time-out report one ButtonShowTime later.
const std::string kStillServing = "customer 1\n" + TimeoutReport("4711", "V-88");

TEST_F(EndToEnd, LogsInWithExactlyTheMoiRecordThenPingsOnlyAfterPingTimeOfSilence) {
    // A line every 300 ms for longer than PingTime holds the Ping back; silence brings it.
    Start("timeout 20\n" + kMoi + "repeat 8\n greet Hei\n quiet 300ms\nend\n" +
          "quiet 500ms\ntimeout 10\nexpect Ping^-^Tuvako01^-^0^Ping^\n");
    ExpectScenarioPasses();
}

TEST_F(EndToEnd, ARefusedStartAndAServerThatGoesAwayAreBothFoundAgainAtTheNextTick) {
    Start("offline\ntimeout 30\naccept\n" + kLoggedIn + "offline\naccept\n" + kMoi + kStillServing,
          "offline:");
    const std::size_t refused = terminal.WaitFor("> Can't connect. Error #10061");
    ASSERT_NE(refused, std::string::npos) << terminal.output;
    const std::size_t closed = terminal.WaitFor("> Session closed.", refused);
    ASSERT_NE(closed, std::string::npos) << terminal.output;
    sim.WriteLine("online");
    const std::size_t connected = terminal.WaitFor("> Session connected.", closed);
    // Logged in, the server goes away; each keep-alive tick tries in vain until it is back.
    const std::size_t away = terminal.WaitFor("> Session closed.", connected);
    ASSERT_NE(terminal.WaitFor("> Can't connect. Error #10061", away), std::string::npos)
        << terminal.output;
    sim.WriteLine("online");
    ExpectScenarioPasses();
    EXPECT_EQ(terminal.Count("> Session connected."), 2u) << terminal.output;
}

TEST_F(EndToEnd, ACustomerChoosesTheNextOneTimesOut) {
    Start(kLoggedIn +
          "customer 1\n"
          "expect Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^\n"
          "greet\ncustomer 2\n" +
          TimeoutReport("4712", "V-89"));
    // The member touches "Kuntosali" as soon as it is on the screen.
    ASSERT_NE(terminal.WaitFor("^BUTTON^Tuote^V12^"), std::string::npos) << terminal.output;
    terminal.WriteLine("press Kuntosali");
    ExpectScenarioPasses();
    EXPECT_NE(terminal.output.find("> Rcv: Crd^Tuvako01^-^-^0^-^EI^Aino^0^"), std::string::npos);
}

// Terminals of one site each have a folder with their own settings and a link to one shared
// binary: each finds the settings beside its link.
TEST_F(EndToEnd, AStartThroughASymbolicLinkReadsTheSettingsBesideTheLink) {
#ifdef _WIN32
    GTEST_SKIP() << "a Windows program finds its folder from its own module, never from a link";
#endif
    startThroughLink = true;
    Start(kLoggedIn + kStillServing);
    ExpectScenarioPasses();
}

// The member's choice meets a dropped link: it is not sent and stays on screen; the terminal
// opens a new session, and the member's second press reaches the server.
TEST_F(EndToEnd, AChoiceThatMetADroppedLinkGoesOutWhenPressedAgainAfterTheReconnect) {
    serverSettings = "PingTime=60\n";  // no keep-alive reconnects before the press
    terminalSettings = "ButtonShowTime=60\n";
    const std::string choice = "Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^";
    Start("timeout 20\n" + kMoi + "customer 1\nwait 1\nreset\naccept\n" + kMoi + "expect " +
          choice + "\n");
    const std::size_t shown = terminal.WaitFor("^BUTTON^Tuote^V12^");
    const std::size_t dropped = terminal.WaitFor("> Session closed.", shown);
    ASSERT_NE(dropped, std::string::npos) << terminal.output;
    terminal.WriteLine("press Kuntosali");
    const std::size_t notSent = terminal.WaitFor("> Not sent, no session: " + choice, dropped);
    ASSERT_NE(notSent, std::string::npos) << terminal.output;
    ASSERT_NE(terminal.WaitFor("> Snd: Moi^", notSent), std::string::npos) << terminal.output;
    terminal.WriteLine("press Kuntosali");
    ExpectScenarioPasses();
    EXPECT_EQ(terminal.Count("> Snd: " + choice), 1u) << terminal.output;
}

// A server that misbehaves after the login, then serves one more customer; the terminal logs
// `logged` so many `times`.
struct Abuse {
    const char* name;
    std::string steps, logged;
    std::size_t times;
};

class Survives : public EndToEnd, public ::testing::WithParamInterface<Abuse> {};

const std::string kBurstRecord = "Buttons^Tuvako01^-^-^0^BUTTON^Tuote^V99^^Extra^";

TEST_P(Survives, AndServesTheNextCustomer) {
    Start(kLoggedIn + GetParam().steps + kStillServing);
    ExpectScenarioPasses();
    EXPECT_EQ(terminal.Count(GetParam().logged), GetParam().times) << terminal.output;
}

INSTANTIATE_TEST_SUITE_P(
    EndToEnd, Survives,
    ::testing::Values(
        Abuse{"Garbage", "send-garbage 3000\nsend-garbage 70000\n", "> Session connected.", 1},
        Abuse{"OneMegabyteLine", "send-long 1048576\n", "> Session connected.", 1},
        Abuse{"TenThousandLinesAtOnce", "burst 10000 " + kBurstRecord + "\ntimeout 40\n",
              "> Rcv: " + kBurstRecord, 10000},
        // The rest without a line end is taken as the last line.
        Abuse{"CloseMidLine", "send-partial hRLqwMfARtiVC9KUuGp5o\nclose\naccept\n" + kMoi,
              "> Rcv: Ping^-^Tuvako01", 1},
        Abuse{"Reset", "swipe 2\nreset\naccept\n" + kMoi, "> Session connected.", 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvako::test
