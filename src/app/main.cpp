// The program entry of the selection terminal.
#include "app/Main.h"
#include "app/ScreenshotRecorder.h"
#include "app/TerminationSignals.h"
#include "app/Texts.h"
#include "app/TuvakoApplication.h"
#include "platform/ExceptionReporter.h"

#include <algorithm>
#include <cstdio>
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
    ExceptionReporter::SetSink([&window](const AnsiString& report) {
        std::fprintf(stderr, "%s\n", report.c_str());
        std::fflush(stderr);
        window.AddLog(report);
    });
    TerminationSignals terminationSignals([&window] { window.close(); });

    std::unique_ptr<ScreenshotRecorder> screenshots;
    if (const QString directory = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR");
        !directory.isEmpty())
        screenshots = std::make_unique<ScreenshotRecorder>(&window, directory);

    window.ShowMaximisedOnScreen();
    const int exitCode = QApplication::exec();
    screenshots.reset();
    ExceptionReporter::SetSink({});
    return exitCode;
}
