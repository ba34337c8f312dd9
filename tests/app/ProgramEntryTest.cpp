// The program around the window, each test with the program's own application object.
#include "MainWindowProbe.h"
#include "app/ExceptionLogSink.h"
#include "app/ScreenshotRecorder.h"
#include "app/TSunkenLabel.h"
#include "app/TuvakoApplication.h"
#include "platform/Cp1252.h"
#include "platform/Exception.h"
#include "platform/ExceptionReporter.h"
#include "platform/TerminationSignals.h"

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace tuvako {
namespace {

TUVAKO_DECLARE_EXCEPTION(ETestFailure, Exception);

const AnsiString kReport = "Exception in Event handler: ETestFailure: handler failed";

// A handler that throws, as a faulty handler of the terminal would, queued on the loop.
void QueueFailingHandler() {
    QMetaObject::invokeMethod(
        qApp, [] { throw ETestFailure("handler failed"); }, Qt::QueuedConnection);
}

class ProgramEntry : public WindowTest {
protected:
    ProgramEntry() {
        previousSink = ExceptionReporter::SetSink(
            [this](const AnsiString& report) { reports.push_back(report); });
    }
    ~ProgramEntry() override {
        window.reset();  // before the application goes
        ExceptionReporter::SetSink(std::move(previousSink));
    }

    // Before the application is made.
    bool offscreen =
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[7] = "tuvako";
    char* argv[2] = {name, nullptr};
    TuvakoApplication application{argc, argv};
    std::vector<AnsiString> reports;
    ExceptionReporter::Sink previousSink;
};

TEST_F(ProgramEntry, ExceptionFromAnEventHandlerIsReportedAndTheLoopGoesOn) {
    for (int i = 0; i < 2; ++i) QueueFailingHandler();
    QTimer::singleShot(0, [] { throw std::runtime_error("timer failed"); });
    QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(std::count(reports.begin(), reports.end(), kReport), 2);
    reports.clear();

    Start();
    {  // while the window's sink lives, reports go to standard error and the log pane
        const ExceptionLogSink sink(*window);
        testing::internal::CaptureStderr();
        QueueFailingHandler();
        QCoreApplication::sendPostedEvents();
        EXPECT_NE(testing::internal::GetCapturedStderr().find(kReport), std::string::npos);
    }
    EXPECT_TRUE(Find<LogPane>("Memo")->Text().endsWith(ToQString("> " + kReport)));
    QueueFailingHandler();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(reports, std::vector<AnsiString>{kReport});  // back to where reports went before
}

TEST_F(ProgramEntry, TerminationSignalsCloseTheWindowThroughItsCloseHandler) {
    for (const int signal : {SIGTERM, SIGINT}) {
        Start().show();
        const TerminationSignals watcher([this] { window->close(); });
        ASSERT_TRUE(watcher.IsActive());
        std::raise(signal);
        EXPECT_TRUE(test::WaitUntil([this] { return probe->FormClosed(); })) << signal;
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(ProgramEntry, ScreenshotsFollowChangesOnePerBurst) {
    const test::TempDir shots;
    Start().resize(640, 480);
    const ScreenshotRecorder recorder(window.get(), shots.Path().c_str(), 30);
    window->show();
    ASSERT_TRUE(test::WaitUntil([&] { return recorder.SavedCount() == 1; }));
    EXPECT_EQ(QImage(shots.File("latest.png").c_str()).size(), QSize(640, 480));
    Find<TSunkenLabel>("LblHuom")->SetCaption("Valitse listasta!");
    QCoreApplication::processEvents();
    Find<TSunkenLabel>("LblHuom")->SetCaption("Valitse!");
    ASSERT_TRUE(test::WaitUntil([&] { return recorder.SavedCount() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(recorder.IsPending());  // its own grab is no change
    EXPECT_TRUE(std::filesystem::exists(shots.File("window-0002.png")));
}

}  // namespace
}  // namespace tuvako
