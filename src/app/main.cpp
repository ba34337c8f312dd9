// The program entry of the selection terminal.
#include "app/ConsoleTouch.h"
#include "app/ExceptionLogSink.h"
#include "app/Main.h"
#include "app/ScreenshotRecorder.h"
#include "platform/TerminationSignals.h"
#include "app/Texts.h"
#include "app/TuvakoApplication.h"

#include <algorithm>
#include <memory>

using namespace tuvako;

int main(int argc, char** argv) {
    TuvakoApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tuvako"));
    QApplication::setApplicationVersion(QStringLiteral(TUVAKO_VERSION));
    QApplication::setApplicationDisplayName(QString::fromLatin1(texts::kApplicationTitle));

    std::vector<AnsiString> arguments(argv + std::min(argc, 1), argv + argc);
    TfrmTuvakoMain window(std::move(arguments));

    // From here on a report also goes to the log pane; standard error always gets it.
    const ExceptionLogSink exceptionLog(window);
    TerminationSignals terminationSignals([&window] { window.close(); });

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
