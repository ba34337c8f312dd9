#include "MainWindowProbe.h"
#include "ScratchExecutableDir.h"
#include "app/ExceptionLogSink.h"
#include "app/ScreenshotRecorder.h"
#include "app/TOvcLabel.h"
#include "app/TerminationSignals.h"
#include "app/TuvakoApplication.h"
#include "platform/Exception.h"
#include "platform/ExceptionReporter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

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
class ProgramEntry : public ::testing::Test {
protected:
    ProgramEntry() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        previousSink = ExceptionReporter::SetSink(
            [this](const AnsiString& report) { reports.push_back(report); });
    }
    ~ProgramEntry() override { ExceptionReporter::SetSink(std::move(previousSink)); }

    static bool ChooseOffscreenPlatform() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }

    bool platformChosen = ChooseOffscreenPlatform();  // before the application is made
    int argc = 1;
    char name[7] = "tuvako";
    char* argv[2] = {name, nullptr};
    TuvakoApplication application{argc, argv};
    ScratchExecutableDir scratch;
    std::vector<AnsiString> reports;
    ExceptionReporter::Sink previousSink;
};

TEST_F(ProgramEntry, ExceptionFromAnEventHandlerIsReportedAndTheLoopGoesOn) {
    ThrowingObject object;
    QTimer::singleShot(0,
                       [&] { QCoreApplication::postEvent(&object, new QEvent(kThrowingEvent)); });
    QTimer::singleShot(0,
                       [&] { QCoreApplication::postEvent(&object, new QEvent(kThrowingEvent)); });
    QTimer::singleShot(0, [] { throw std::runtime_error("timer failed"); });
    QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    EXPECT_EQ(object.handled, 2);
    const auto count = [this](const char* text) {
        return std::count(reports.begin(), reports.end(), AnsiString(text));
    };
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_EQ(count("Exception in Event handler: ETestFailure: handler failed"), 2);
}

TEST_F(ProgramEntry, ReportsAlsoGoToTheLogPaneWhileTheWindowLives) {
    TfrmTuvakoMain window{std::vector<AnsiString>{}};
    {
        const ExceptionLogSink sink(window);
        testing::internal::CaptureStderr();
        ThrowingObject object;
        QEvent throwing(kThrowingEvent);
        QCoreApplication::sendEvent(&object, &throwing);
        const std::string standardError = testing::internal::GetCapturedStderr();
        EXPECT_NE(standardError.find("ETestFailure: handler failed"), std::string::npos);
    }
    const QString logged = MainWindowProbe(window).Find<QPlainTextEdit>("Memo")->toPlainText();
    EXPECT_TRUE(logged.endsWith("> Exception in Event handler: ETestFailure: handler failed"))
        << logged.toStdString();
    // Gone with the sink: the report goes where it went before.
    ThrowingObject object;
    QEvent throwing(kThrowingEvent);
    QCoreApplication::sendEvent(&object, &throwing);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ProgramEntry, TerminationSignalsCloseTheWindowTheNormalWay) {
    for (const int signal : {SIGTERM, SIGINT}) {
        TfrmTuvakoMain window{std::vector<AnsiString>{}};
        window.show();
        const TerminationSignals watcher([&window] { window.close(); });
        ASSERT_TRUE(watcher.IsActive());
        std::raise(signal);
        EXPECT_TRUE(QTest::qWaitFor([&] { return MainWindowProbe(window).FormClosed(); }));
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(ProgramEntry, SignalHandlingIsGivenBackWhenTheWatcherGoes) {
    struct sigaction before = {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        const TerminationSignals watcher([] {});
        struct sigaction during = {};
        ::sigaction(SIGTERM, nullptr, &during);
        EXPECT_NE(during.sa_handler, before.sa_handler);
    }
    struct sigaction after = {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

TEST_F(ProgramEntry, ScreenshotsFollowChangesAtMostOncePerDelay) {
    const test::TempDir dir;
    TfrmTuvakoMain window{std::vector<AnsiString>{}};
    window.resize(640, 480);
    const ScreenshotRecorder recorder(&window, QString::fromStdString(dir.Path().string()), 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.SavedCount() == 1; }));
    EXPECT_TRUE(QImage(QString::fromStdString(dir.File("latest.png").string())).size() ==
                QSize(640, 480));

    // A burst of changes gives one more picture; its own grab is no change.
    auto* headline = MainWindowProbe(window).Find<TOvcLabel>("OvcHuom");
    headline->SetCaption("Valitse listasta!");
    QCoreApplication::processEvents();
    headline->SetCaption("Valitse!");
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.SavedCount() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(recorder.IsPending());
    EXPECT_TRUE(std::filesystem::exists(dir.File("window-0002.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("window-0003.png")));
}

}  // namespace
}  // namespace tuvako
