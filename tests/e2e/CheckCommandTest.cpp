// `tuvako --check` and the options that need no display, run as the real program with no
// display at all: against tuvako-sim (accepted, refused, wrong password, silent), and with no
// server to try.
#include "ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QHostAddress>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>

namespace tuvako::test {
namespace {

struct Outcome {
    int status = -1;  // -1: crashed or did not end in time
    std::string out;
    std::string err;
};

// The program with no display to find: no X, no Wayland, no platform named.
Outcome RunTuvako(const QStringList& arguments, int timeoutMs = 30000) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TUVAKO_CONFIG_DIR"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(TUVAKO_BINARY, arguments);
    Outcome outcome;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    }
    outcome.out = AsText(process.readAllStandardOutput());
    outcome.err = AsText(process.readAllStandardError());
    return outcome;
}

class CheckCommand : public ::testing::Test {
protected:
    void Configure(const std::string& server, int port, const std::string& extra = {}) {
        dir.Write("Selvaro.ini", "[MessageSrv]\nServerAddress=" + server +
                                     "\nPort=" + std::to_string(port) + "\nUse=Yes\n" + extra);
    }
    Outcome Check(QStringList more = {}, int timeoutMs = 30000) {
        return RunTuvako(
            QStringList{"--check", "--config-dir", QString::fromStdString(dir.Path().string())} +
                more,
            timeoutMs);
    }

    TempDir dir;
};

TEST_F(CheckCommand, AnAcceptedLoginPassesAndTheReportShowsEverySetting) {
    ChildProcess sim;
    const int port = sim.StartSimulator({"--no-console"});
    ASSERT_NE(port, 0) << sim.output;
    Configure("127.0.0.1", port, "[Tuvako02]\nNumber=12\nFontSize=x\n");
    const Outcome check = Check({"/SRVNO=02"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.err, "");
    for (const std::string& line :
         {"Configuration folder: " + dir.Path().string() + " (set by --config-dir)\n",
          std::string("Selvaro.ini: found\n"),
          std::string("Terminal id: Tuvako12 (section Tuvako02)\n"),
          std::string("  [MessageSrv] Use = Yes (on) (file)\n"),
          std::string("  [MessageSrv] PingTime = 180 (default)\n"),
          std::string("  [Tuvako02] FontSize = 9 (default: the file's \"x\" is not a number)\n"),
          std::string("  [Tuvako02] ShowClearButton = Yes (on) (default)\n"),
          std::string("Answered: Moi^-^Tuvako12^-^0^KVLNQ^\n"),
          "OK: Tuvako12 logged in to 127.0.0.1:" + std::to_string(port)})
        EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
    sim.Terminate();
    const std::string& server = sim.output;
    EXPECT_NE(server.find("< Moi^-^Tuvako12^-^0^KVLNQ^"), std::string::npos) << server;
    EXPECT_NE(server.find("login accepted for Tuvako12"), std::string::npos) << server;
}

// A server record as the log pane shows it (code page 1252 letters, control bytes as "[1]"),
// in UTF-8 on the console; and a /SRVNO= whose section is missing warns without failing.
TEST_F(CheckCommand, ReceivedRecordsReadAsInTheLogPaneAndAMissingSectionWarns) {
    dir.Write("greet.txt",
              "timeout 20\nexpect-like Moi^*\nsend Crd^Ryhm\xC3\xA4liikunta\\x01^\nwait 5\n");
    ChildProcess sim;
    const int port = sim.StartSimulator(
        {"--no-console", "--scenario", QString::fromStdString(dir.File("greet.txt").string())});
    ASSERT_NE(port, 0) << sim.output;
    Configure("127.0.0.1", port, "[Tuvako01]\nNumber=01\n");
    const Outcome check = Check({"/SRVNO=02"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    EXPECT_EQ(check.err, "");
    EXPECT_NE(check.out.find("Received: Crd^Ryhm\xC3\xA4liikunta[1]^\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("Warning: Selvaro.ini has no setting in section [Tuvako02]: every "
                             "terminal setting has its default.\n"),
              std::string::npos)
        << check.out;

    // The section that is there gives no warning.
    const Outcome right = Check({"/SRVNO=01"}, 30000);
    EXPECT_EQ(right.out.find("Warning:"), std::string::npos) << right.out;
}

TEST_F(CheckCommand, AServerThatRefusesTheLoginAnswerFailsTheCheck) {
    ChildProcess sim;
    const int port = sim.StartSimulator({"--no-console", "--password", "OTHER"});
    ASSERT_NE(port, 0) << sim.output;
    Configure("127.0.0.1", port);
    const Outcome check = Check();
    EXPECT_EQ(check.status, 1) << check.out;
    EXPECT_EQ(check.err,
              "tuvako --check: FAILED: the server closed the session after the login answer: "
              "wrong pass phrase or terminal id?\n");
    sim.Terminate();
    EXPECT_NE(sim.output.find("login refused"), std::string::npos) << sim.output;
}

TEST_F(CheckCommand, ARefusedConnectionAndASilentServerFailWithTheirReasons) {
    quint16 closedPort = 0;
    {
        QTcpServer gone;
        ASSERT_TRUE(gone.listen(QHostAddress::LocalHost, 0));
        closedPort = gone.serverPort();
    }
    Configure("127.0.0.1", closedPort);
    Outcome check = Check();
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, "tuvako --check: FAILED: connection refused by 127.0.0.1:" +
                             std::to_string(closedPort) + " (is the message server running?)\n");

    // Listening, but no prompt ever comes: the kernel completes the connection on its own.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    Configure("127.0.0.1", silent.serverPort());
    check = Check();
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, "tuvako --check: FAILED: no login prompt from 127.0.0.1:" +
                             std::to_string(silent.serverPort()) + " within 10 s\n");
}

TEST_F(CheckCommand, WithNoServerToTryTheCheckSaysWhyAtOnce) {
    Outcome check = Check();
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("Selvaro.ini: not found\n"), std::string::npos) << check.out;
    EXPECT_EQ(check.err, "tuvako --check: FAILED: no Selvaro.ini in " + dir.Path().string() + "\n");

    dir.Write("Selvaro.ini", "[MessageSrv]\nUse=No\n");
    check = Check();
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err,
              "tuvako --check: FAILED: the server link is off (Use in [MessageSrv] is not Yes)\n");

    Configure("no such host", 40201);
    check = Check();
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err.rfind("tuvako --check: FAILED: cannot resolve no such host:40201: ", 0), 0u)
        << check.err;
}

TEST(ProgramOptions, HelpVersionAndMistakesNeedNoDisplay) {
    const Outcome help = RunTuvako({"/SRVNO=3", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: tuvako [OPTION]... [/SRVNO=N]\n", 0), 0u) << help.out;
    const Outcome version = RunTuvako({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tuvako " TUVAKO_VERSION "\n");
    QProcess sim;
    sim.start(TUVAKO_SIM_BINARY, {"--version"});
    ASSERT_TRUE(sim.waitForFinished(30000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_EQ(AsText(sim.readAllStandardOutput()), "tuvako-sim " TUVAKO_VERSION "\n");
    const Outcome wrong = RunTuvako({"--fullscreen"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "tuvako: unknown option --fullscreen\nTry 'tuvako --help'.\n");
}

}  // namespace
}  // namespace tuvako::test
