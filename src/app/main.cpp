// The program entry of the selection terminal.
#include "app/Main.h"
#include "app/CommandLine.h"
#include "app/ConfigFolder.h"
#include "app/ConnectionCheck.h"
#include "app/ConsoleTouch.h"
#include "app/ExceptionLogSink.h"
#include "app/ScreenshotRecorder.h"
#include "app/Texts.h"
#include "app/TuvakoApplication.h"
#include "platform/ProcessStart.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

#include <iostream>
#include <memory>

using namespace tuvako;

namespace {

// --check needs an event loop for its socket, but no window and no display.
int RunCheck(int argc, char** argv, const CommandLine& line) {
    QCoreApplication application(argc, argv);
    ConnectionCheck check(ConfigFolder::Find(line.configDir), line.windowArguments, std::cout,
                          std::cerr);
    return check.Run();
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before anything needs a display.
    const CommandLine line = CommandLine::Parse(ProgramArguments(argc, argv));
    if (line.action != CommandLine::Action::Run) UseStartingConsole();
    switch (line.action) {
        case CommandLine::Action::Help:
            std::cout << CommandLine::HelpText();
            return 0;
        case CommandLine::Action::Version:
            std::cout << "tuvako " TUVAKO_VERSION "\n";
            return 0;
        case CommandLine::Action::Fail:
            std::cerr << "tuvako: " << line.error << "\nTry 'tuvako --help'.\n";
            return kUsageExitStatus;
        case CommandLine::Action::Check:
            return RunCheck(argc, argv, line);
        case CommandLine::Action::Run:
            break;
    }

    TuvakoApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tuvako"));
    QApplication::setApplicationVersion(QStringLiteral(TUVAKO_VERSION));
    QApplication::setApplicationDisplayName(QString::fromLatin1(texts::kApplicationTitle));

    // A stop (SIGTERM, SIGINT, SIGHUP; on Windows the session's end or a polite close) is taken
    // from here on, before the window reads its files: one that comes while the window is being
    // made waits for the event loop, and the window then closes and saves its state as at any
    // other time, instead of the process dying unsaved.
    TfrmTuvakoMain* stopped = nullptr;
    TerminationSignals terminationSignals([&stopped] {
        if (stopped) stopped->close();
    });
    TfrmTuvakoMain window(line.windowArguments,
                          StartOptions{ConfigFolder::Find(line.configDir), line.hideCursor});
    stopped = &window;

    // From here on a report also goes to the log pane; standard error always gets it.
    const ExceptionLogSink exceptionLog(window);

    std::unique_ptr<ScreenshotRecorder> screenshots;
    if (const QString directory = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR");
        !directory.isEmpty())
        screenshots = std::make_unique<ScreenshotRecorder>(&window, directory);

    // Without a display, commands on standard input can press the selection buttons.
    std::unique_ptr<ConsoleTouch> touch;
    if (qEnvironmentVariableIsSet(ConsoleTouch::kEnvironmentVariable))
        touch = std::make_unique<ConsoleTouch>(window);

    window.AddLog(AnsiString(texts::kApplicationTitle) + " " + TUVAKO_VERSION);
    window.ShowMaximisedOnScreen();
    return QApplication::exec();
}
