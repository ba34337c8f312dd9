// What a shutdown or a power cut leaves, with the real programs: a colour the operator chose is
// in "Selwi.ini" before any close, so that even a kill loses nothing, and the end of a login
// session (SIGHUP on Linux, WM_ENDSESSION on Windows) ends the terminal and the simulator
// cleanly.
#include "ChildProcess.h"
#include "support/StopRequests.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QProcessEnvironment>

namespace tuvako::test {
namespace {

constexpr auto npos = std::string::npos;
constexpr const char* kPanels[] = {"PanelTausta.Color=", "PanelTop.Color=", "PanelValinta.Color="};

class Shutdown : public ::testing::Test {
protected:
    Shutdown() { dir.Write("Selvaro.ini", "[MessageSrv]\nUse=No\n"); }

    // The terminal, offscreen, with both ini files in `dir` and commands on standard input;
    // true once it has read its configuration.
    bool StartTerminal(ChildProcess& terminal) const {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("TUVAKO_CONSOLE_LOG", "1");
        environment.insert("TUVAKO_CONSOLE_INPUT", "1");
        environment.insert("TUVAKO_SCREENSHOT_DIR", "");  // empty: none taken
        terminal.process.setProcessEnvironment(environment);
        terminal.process.start(TUVAKO_BINARY,
                               {"--config-dir", QString::fromStdString(dir.Path().string())});
        return terminal.WaitFor("Selvaro.ini found.") != npos;
    }
    static void EndSession(ChildProcess& child) { EndSessionOf(child.process.processId()); }
    std::string State() const { return TempDir::Read(dir.File("Selwi.ini")); }
    // Every panel is stored with the colour 123456, the colour word 0x563412.
    ::testing::AssertionResult ColourStored() const {
        const std::string state = State();
        for (const char* panel : kPanels)
            if (state.find(std::string(panel) + "5649426\r\n") == npos)
                return ::testing::AssertionFailure() << "no " << panel << "5649426 in\n" << state;
        return ::testing::AssertionSuccess();
    }

    TempDir dir;
};

TEST_F(Shutdown, AChosenColourSurvivesAKillAndComesBackAtTheNextStartWhichTheSessionsEndEnds) {
    ChildProcess first;
    ASSERT_TRUE(StartTerminal(first)) << first.output;
    // Commands run in order: the refusal of the second says that the first is done.
    first.WriteLine("colour 123456");
    first.WriteLine("press nothing");
    ASSERT_NE(first.WaitFor("console: no shown button"), npos) << first.output;
    first.process.kill();  // as a power cut ends it: no close handler runs
    EXPECT_EQ(first.WaitForExit(kWaitMs), -1);
    ASSERT_TRUE(ColourStored());

    // Without its window section, the file shows what the stop writes. The panels are written
    // as they are shown, so they show the chosen colour again, not the blue of a first start.
    const std::string colours = State().substr(State().find("[TfrmDEvevorMain]"));
    dir.Write("Selwi.ini", colours);
    ChildProcess second;
    ASSERT_TRUE(StartTerminal(second)) << second.output;
    EndSession(second);
    EXPECT_EQ(second.WaitForExit(kWaitMs), 0) << second.output;
    EXPECT_NE(State().find("[TfrmTuvakoMain]"), npos) << State();
    EXPECT_TRUE(ColourStored());
}

TEST_F(Shutdown, TheSessionsEndEndsTheSimulatorWithZeroOrWithOneWhenItCutsAScenarioShort) {
    ChildProcess server;
    ASSERT_NE(server.StartSimulator({"--no-console"}), 0) << server.output;
    EndSession(server);
    EXPECT_EQ(server.WaitForExit(kWaitMs), 0) << server.output;

    const auto scenario = dir.Write("scenario.txt", "timeout 60\naccept\n");
    ChildProcess waiting;
    ASSERT_NE(waiting.StartSimulator({"--scenario", QString::fromStdString(scenario.string())}), 0)
        << waiting.output;
    EndSession(waiting);
    EXPECT_EQ(waiting.WaitForExit(kWaitMs), 1) << waiting.output;
    EXPECT_NE(waiting.output.find("stopped before the scenario ended"), npos) << waiting.output;
}

}  // namespace
}  // namespace tuvako::test
