// The kiosk launcher with a stand-in for cage that behaves as cage does where it matters: it
// ends with 0 whatever its program did, and it aborts on SIGTERM while its program runs. The
// launcher must end with the program's own status and hand a stop to the program, not to cage.
#include "support/TempDir.h"
#include "support/Wait.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>

#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tuvako::test {
namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 30000;

// Ends with 0 once its program ends; on SIGTERM it leaves a mark and aborts (status 134). Any
// other stop signal ends it as such a signal ends a process.
constexpr const char* kFakeCage = R"(#!/bin/sh
echo $$ >"$FAKE_CAGE_PID"
while [ "$1" != -- ]; do shift; done
shift
sleep "$FAKE_CAGE_START_SECONDS"
"$@" &
child=$!
trap 'echo SIGTERM >"$FAKE_CAGE_MARK"; kill -KILL $child; exit 134' TERM
wait $child
exit 0
)";

// Fails before running anything, as cage does without a display.
constexpr const char* kCageWithoutDisplay = "#!/bin/sh\necho 'no backend' >&2\nexit 1\n";

class KioskLauncher : public ::testing::Test {
protected:
    KioskLauncher() {
        fs::create_directories(bin.Path());
        fs::create_directories(runtime.Path());
        InstallCage(kFakeCage);
    }

    void InstallCage(const std::string& script) { Executable(bin.Path() / "cage", script); }

    static fs::path Executable(const fs::path& path, const std::string& script) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << script;
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    fs::path Terminal(const std::string& body) {
        return Executable(work.File("terminal"), "#!/bin/sh\n" + body + "\n");
    }

    void Start(const QStringList& program) {
        auto environment = QProcessEnvironment::systemEnvironment();
        // Under emulation the test's preload is for programs of its own machine: the launcher,
        // the shells and sleep are this machine's, whose loader would complain of it on the
        // output that the cases read.
        environment.remove("LD_PRELOAD");
        environment.insert(
            "PATH", QString::fromStdString(bin.Path().string()) + ":" + environment.value("PATH"));
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path().string()));
        environment.insert("FAKE_CAGE_MARK", QString::fromStdString(CageMark().string()));
        environment.insert("FAKE_CAGE_PID", QString::fromStdString(work.File("cage-pid").string()));
        environment.insert("FAKE_CAGE_START_SECONDS", cageStartSeconds);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("TUVAKO_CONSOLE_LOG", "1");
        launcher.setProcessEnvironment(environment);
        launcher.setProcessChannelMode(QProcess::MergedChannels);
        launcher.start(TUVAKO_KIOSK_LAUNCHER, program);
        ASSERT_TRUE(launcher.waitForStarted(kWaitMs));
    }

    // The launcher's exit code, or -1 when it crashed or did not end in time.
    int Finish() {
        if (!launcher.waitForFinished(kWaitMs)) {
            launcher.kill();
            launcher.waitForFinished();
            return -1;
        }
        output += launcher.readAll().toStdString();
        return launcher.exitStatus() == QProcess::NormalExit ? launcher.exitCode() : -1;
    }

    bool WaitForOutput(const std::string& text) {
        return WaitUntil(
            [&] {
                launcher.waitForReadyRead(50);
                output += launcher.readAll().toStdString();
                return output.find(text) != std::string::npos;
            },
            kWaitMs);
    }

    fs::path CageMark() const { return work.File("cage-got-sigterm"); }
    bool RuntimeEmpty() const { return fs::is_empty(runtime.Path()); }
    // The launcher has taken a stop: its status folder holds the mark of it.
    bool StopTaken() const {
        for (const auto& entry : fs::directory_iterator(runtime.Path()))
            if (fs::exists(entry.path() / "stop")) return true;
        return false;
    }
    // Sends `signal` to the process whose id the file holds.
    static void Signal(const fs::path& pidFile, int signal) {
        ASSERT_TRUE(fs::exists(pidFile)) << pidFile;
        ASSERT_EQ(::kill(pid_t(std::stoi(TempDir::Read(pidFile))), signal), 0);
    }

    TempDir work;
    TempDir bin;
    TempDir runtime;
    QProcess launcher;
    QString cageStartSeconds = "0";
    std::string output;
};

TEST_F(KioskLauncher, EndsWithTheProgramsOwnStatusSoThatOnlyANormalCloseStaysDown) {
    struct Case {
        const char* what;
        const char* body;
        int status;
    };
    for (const Case& c :
         {Case{"normal close (Sulje)", "exit 0", 0}, Case{"failure", "exit 3", 3},
          Case{"crash", "kill -SEGV $$", 128 + 11}, Case{"killed", "kill -KILL $$", 128 + 9},
          Case{"stopped by someone else", "kill -TERM $$", 128 + 15}}) {
        SCOPED_TRACE(c.what);
        output.clear();
        Start({QString::fromStdString(Terminal(c.body).string())});
        EXPECT_EQ(Finish(), c.status) << output;
        EXPECT_TRUE(RuntimeEmpty()) << "the launcher's status folder was left behind";
    }
}

TEST_F(KioskLauncher, ArgumentsReachTheProgramUnchanged) {
    const fs::path seen = work.File("arguments");
    Start({QString::fromStdString(Terminal("printf '%s|' \"$@\" >" + seen.string()).string()),
           "--hide-cursor", "two words", "/SRVNO=02"});
    EXPECT_EQ(Finish(), 0) << output;
    EXPECT_EQ(TempDir::Read(seen), "--hide-cursor|two words|/SRVNO=02|");
}

TEST_F(KioskLauncher, ACageThatCannotStartIsAFailure) {
    InstallCage(kCageWithoutDisplay);
    Start({QString::fromStdString(Terminal("exit 0").string())});
    EXPECT_EQ(Finish(), 1) << output;
    EXPECT_NE(output.find("did not run to its end; cage ended with status 1"), std::string::npos)
        << output;

    EXPECT_EQ(QProcess::execute(TUVAKO_KIOSK_LAUNCHER, {}), 2) << "no program named";
}

TEST_F(KioskLauncher, AStopGoesToTheProgramWhichEndsNormallyBeforeCage) {
    const fs::path saved = work.File("saved");
    // Runs until stopped, 20 s at most, so that a failed test leaves nothing running for long.
    Start({QString::fromStdString(
        Terminal("trap 'echo saved >" + saved.string() +
                 "; exit 0' TERM\necho running\nfor i in $(seq 400); do sleep 0.05; done")
            .string())});
    ASSERT_TRUE(WaitForOutput("running")) << output;
    launcher.terminate();
    EXPECT_EQ(Finish(), 0) << output;
    EXPECT_EQ(TempDir::Read(saved), "saved\n");
    EXPECT_FALSE(fs::exists(CageMark())) << "cage got SIGTERM while its program ran";
    EXPECT_TRUE(RuntimeEmpty());
}

// However early the stop comes, before cage has started the program or before the program has
// set up its own handler, it reaches the program and not cage, and ends the kiosk normally.
TEST_F(KioskLauncher, AStopRightAtTheStartEndsTheKioskNormally) {
    const fs::path started = work.File("started");
    const fs::path terminal = Terminal("echo >" + started.string() + "\nsleep 20");
    cageStartSeconds = "1";  // as on a real display, cage takes its time to start the program
    for (const bool programStarted : {false, true}) {
        SCOPED_TRACE(programStarted ? "after the program started" : "before it started");
        fs::remove(started);
        Start({QString::fromStdString(terminal.string())});
        // The launcher runs (its status folder is there), and the program perhaps too.
        ASSERT_TRUE(WaitUntil([&] { return !RuntimeEmpty(); }, kWaitMs));
        if (programStarted) {
            ASSERT_TRUE(WaitUntil([&] { return fs::exists(started); }, kWaitMs));
        }
        EXPECT_EQ(fs::exists(started), programStarted);
        launcher.terminate();
        EXPECT_EQ(Finish(), 0) << output;
        EXPECT_FALSE(fs::exists(CageMark()));
        EXPECT_TRUE(RuntimeEmpty());
    }
}

// At a shutdown the session's own SIGHUP may reach a program that has not set up its handling
// yet, and end it: after a stop, that too is the kiosk ending as asked.
TEST_F(KioskLauncher, AProgramThatTheSessionsHangUpEndsAfterAStopEndsTheKioskNormally) {
    Start({QString::fromStdString(
        Terminal("trap 'kill -HUP $$' TERM\necho running\nfor i in $(seq 400); do sleep 0.05; done")
            .string())});
    ASSERT_TRUE(WaitForOutput("running")) << output;
    launcher.terminate();
    EXPECT_EQ(Finish(), 0) << output;
    EXPECT_EQ(output, "running\n") << "no note of the shell's on the program's signal";
    EXPECT_FALSE(fs::exists(CageMark()));
    EXPECT_TRUE(RuntimeEmpty());
}

// At a shutdown the end of the login session signals every process of the kiosk at once, and
// cage dies of its SIGHUP. After a stop that is the kiosk ending as asked, and one line says so;
// cage dying so with no stop asked stays a failure.
TEST_F(KioskLauncher, CageKilledByASignalAfterAStopIsTheKioskEndingAsAsked) {
    const fs::path terminalPid = work.File("terminal-pid");
    // Takes its time over a stop, as the terminal saving its state does.
    const fs::path terminal = Terminal("echo $$ >" + terminalPid.string() +
                                       "\ntrap 'sleep 3; exit 0' TERM\necho running\n"
                                       "for i in $(seq 400); do sleep 0.05; done");
    for (const bool stopAsked : {true, false}) {
        SCOPED_TRACE(stopAsked ? "with a stop" : "without a stop");
        output.clear();
        Start({QString::fromStdString(terminal.string())});
        ASSERT_TRUE(WaitForOutput("running")) << output;
        if (stopAsked) {
            launcher.terminate();
            ASSERT_TRUE(WaitUntil([&] { return StopTaken(); }, kWaitMs));
        }
        Signal(work.File("cage-pid"), SIGHUP);
        const std::string stopped = "tuvako-kiosk: stopped as asked; cage ended by signal SIGHUP\n";
        if (stopAsked) {
            EXPECT_EQ(Finish(), 0) << output;
            EXPECT_EQ(output, "running\n" + stopped);  // one line, and no note of the shell's
        } else {
            EXPECT_EQ(Finish(), 128 + SIGHUP) << output;
            EXPECT_NE(output.find("did not run to its end; cage ended with status 129"),
                      std::string::npos)
                << output;
        }
        EXPECT_TRUE(RuntimeEmpty());
        Signal(terminalPid, SIGKILL);  // the stand-in outlived its cage
    }
}

// At a shutdown the session's signals and the unit's own SIGTERM come apart: a second stop that
// comes while the launcher removes its folder on the way out changes nothing.
TEST_F(KioskLauncher, ASecondStopWhileTheLauncherEndsChangesNothing) {
    // rm marks its start and takes its time, so that the second stop comes while it runs.
    const fs::path removing = work.File("removing");
    Executable(bin.Path() / "rm",
               "#!/bin/sh\n: >" + removing.string() + "\nsleep 1\nexec /bin/rm \"$@\"\n");
    Start({QString::fromStdString(
        Terminal("trap 'exit 0' TERM\necho running\nfor i in $(seq 400); do sleep 0.05; done")
            .string())});
    ASSERT_TRUE(WaitForOutput("running")) << output;
    launcher.terminate();
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(removing); }, kWaitMs));
    launcher.terminate();
    EXPECT_EQ(Finish(), 0) << output;
    EXPECT_EQ(output, "running\n");
    EXPECT_TRUE(RuntimeEmpty());
}

// The real terminal on the offscreen platform: a stop saves "Selwi.ini" whole, with no
// temporary file beside it.
TEST_F(KioskLauncher, AStopSavesTheTerminalsWindowStateAndLeavesNoTemporaryFile) {
    const fs::path config = work.File("config");
    fs::create_directories(config);
    std::ofstream(config / "Selvaro.ini") << "[MessageSrv]\nUse=No\n";
    Start(
        {TUVAKO_BINARY, "--hide-cursor", "--config-dir", QString::fromStdString(config.string())});
    ASSERT_TRUE(WaitForOutput("Selvaro.ini found.")) << output;
    launcher.terminate();
    EXPECT_EQ(Finish(), 0) << output;
    const std::string state = TempDir::Read(config / "Selwi.ini");
    EXPECT_NE(state.find("[TfrmTuvakoMain]"), std::string::npos) << state;
    EXPECT_NE(state.find("[TfrmDEvevorMain]"), std::string::npos) << state;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(config))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Selvaro.ini", "Selwi.ini"}));
    EXPECT_FALSE(fs::exists(CageMark()));
    EXPECT_TRUE(RuntimeEmpty());
}

}  // namespace
}  // namespace tuvako::test
