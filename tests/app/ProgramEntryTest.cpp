#include "MainWindowProbe.h"
#include "app/ExceptionLogSink.h"
#include "app/ScreenshotRecorder.h"
#include "app/TOvcLabel.h"
#include "app/TerminationSignals.h"
#include "app/TuvakoApplication.h"
#include "platform/Exception.h"
#include "platform/ExceptionReporter.h"

#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace tuvako {
namespace {

TUVAKO_DECLARE_EXCEPTION(ETestFailure, Exception);

const QEvent::Type kThrowingEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Throws from its event handler, as a faulty handler of the terminal would.
class ThrowingObject : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() != kThrowingEvent) return QObject::event(event);
        ++handled;
        throw ETestFailure("handler failed");
    }
};

// Each test runs with the program's own application object; reports are collected.
class ProgramEntry : public WindowTest {
protected:
    ProgramEntry() {
        previousSink = ExceptionReporter::SetSink(
            [this](const AnsiString& report) { reports.push_back(report); });
    }
    ~ProgramEntry() override {
        probe.reset();
        window.reset();  // before the application goes
        ExceptionReporter::SetSink(std::move(previousSink));
    }
    static bool ChooseOffscreenPlatform() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    void SendThrowingEvent(QObject& object) {
        QEvent event(kThrowingEvent);
        QCoreApplication::sendEvent(&object, &event);
    }

    bool platformChosen = ChooseOffscreenPlatform();  // before the application is made
    int argc = 1;
    char name[7] = "tuvako";
    char* argv[2] = {name, nullptr};
    TuvakoApplication application{argc, argv};
    std::vector<AnsiString> reports;
    ExceptionReporter::Sink previousSink;
};

TEST_F(ProgramEntry, ExceptionFromAnEventHandlerIsReportedAndTheLoopGoesOn) {
    ThrowingObject object;
    QCoreApplication::postEvent(&object, new QEvent(kThrowingEvent));
    QCoreApplication::postEvent(&object, new QEvent(kThrowingEvent));
    QTimer::singleShot(0, [] { throw std::runtime_error("timer failed"); });
    QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    EXPECT_EQ(object.handled, 2);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(std::count(reports.begin(), reports.end(),
                         "Exception in Event handler: ETestFailure: handler failed"),
              2);
}

TEST_F(ProgramEntry, ReportsAlsoGoToTheLogPaneWhileTheSinkLives) {
    ThrowingObject object;
    Start();
    {
        const ExceptionLogSink sink(*window);
        testing::internal::CaptureStderr();
        SendThrowingEvent(object);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("ETestFailure: handler failed"),
                  std::string::npos);
    }
    EXPECT_TRUE(Find<QPlainTextEdit>("Memo")->toPlainText().endsWith(
        "> Exception in Event handler: ETestFailure: handler failed"));
    SendThrowingEvent(object);
    EXPECT_EQ(reports.size(), 1u);  // back to where reports went before
}

TEST_F(ProgramEntry, TerminationSignalsCloseTheWindowThroughItsCloseHandler) {
    for (const int signal : {SIGTERM, SIGINT}) {
        Start().show();
        const TerminationSignals watcher([this] { window->close(); });
        ASSERT_TRUE(watcher.IsActive());
        std::raise(signal);
        EXPECT_TRUE(QTest::qWaitFor([this] { return probe->FormClosed(); })) << signal;
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(ProgramEntry, ScreenshotsFollowChangesOnePerBurst) {
    const test::TempDir shots;
    Start().resize(640, 480);
    const ScreenshotRecorder recorder(window.get(), QString::fromStdString(shots.Path().string()),
                                      30);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.SavedCount() == 1; }));
    EXPECT_EQ(QImage(QString::fromStdString(shots.File("latest.png").string())).size(),
              QSize(640, 480));
    auto* headline = Find<TOvcLabel>("OvcHuom");
    headline->SetCaption("Valitse listasta!");
    QCoreApplication::processEvents();
    headline->SetCaption("Valitse!");
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.SavedCount() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(recorder.IsPending());  // its own grab is no change
    EXPECT_TRUE(std::filesystem::exists(shots.File("window-0002.png")));
}

}  // namespace
}  // namespace tuvako
