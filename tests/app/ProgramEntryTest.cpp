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
#include "support/StopRequests.h"

#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
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
    for (const test::StopRequest& request : test::StopRequests()) {
        Start().show();
        const TerminationSignals watcher([this] { window->close(); });
        ASSERT_TRUE(watcher.IsActive());
        request.make();
        EXPECT_TRUE(test::WaitUntil([this] { return probe->FormClosed(); })) << request.name;
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(ProgramEntry, ScreenshotsFollowChangesOnePerBurst) {
    const test::TempDir shots;
    Start().resize(640, 480);
    const ScreenshotRecorder recorder(window.get(), QString::fromStdWString(shots.Path().wstring()),
                                      30);
    window->show();
    ASSERT_TRUE(test::WaitUntil([&] { return recorder.SavedCount() == 1; }));
    EXPECT_EQ(QImage(QString::fromStdWString(shots.File("latest.png").wstring())).size(),
              QSize(640, 480));
    Find<TSunkenLabel>("LblHuom")->SetCaption("Valitse listasta!");
    QCoreApplication::processEvents();
    Find<TSunkenLabel>("LblHuom")->SetCaption("Valitse!");
    ASSERT_TRUE(test::WaitUntil([&] { return recorder.SavedCount() == 2; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(recorder.IsPending());  // its own grab is no change
    EXPECT_TRUE(std::filesystem::exists(shots.File("window-0002.png")));
}

// How many pixels of `area` in `image` are darker than mid-grey.
int DarkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += qGray(image.pixel(x, y)) < 128;
    return count;
}

int Brightness(const QImage& image, QPoint at) {
    return qGray(image.pixel(at));
}

// The classic controls, whatever the desktop: raised buttons, sunken boxes, and a check mark
// only beside "Logi" when it is on.
TEST_F(ProgramEntry, TheProgramHasTheClassicLookWithItsOwnColours) {
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
    EXPECT_EQ(QApplication::palette().color(QPalette::Button),
              QApplication::style()->standardPalette().color(QPalette::Button));

    Start().show();
    QPushButton button(QStringLiteral("Sali"), Find<QWidget>("PanelValinta"));
    button.setGeometry(20, 15, 100, 100);
    button.show();
    const QImage raised = button.grab().toImage();
    const int face = Brightness(raised, {50, 10});
    EXPECT_GT(Brightness(raised, {50, 0}), face);   // light top edge
    EXPECT_GT(Brightness(raised, {0, 50}), face);   // and left edge
    EXPECT_LT(Brightness(raised, {50, 99}), face);  // dark bottom edge
    EXPECT_LT(Brightness(raised, {99, 50}), face);  // and right edge

    auto* box = Find<QWidget>("EdtKortti");
    const QImage sunken = box->grab().toImage();
    EXPECT_LT(Brightness(sunken, {40, 0}), Brightness(sunken, {40, box->height() - 1}));
    EXPECT_LT(Brightness(sunken, {0, 12}), Brightness(sunken, {box->width() - 1, 12}));

    // The column in front of "Logi": empty while the log pane is hidden, a mark once it shows.
    auto* menu = Find<QMenu>("PopupMenu");
    QAction* logi = Find<QAction>("mnuLogi");
    menu->popup(window->mapToGlobal(QPoint(100, 100)));
    ASSERT_TRUE(test::WaitUntil([&] { return menu->isVisible(); }));
    const QRect item = menu->actionGeometry(logi);
    const QRect markColumn(item.left() + 2, item.top() + 2, 14, item.height() - 4);
    EXPECT_EQ(DarkPixels(menu->grab().toImage(), markColumn), 0);
    logi->setChecked(true);
    menu->update();
    EXPECT_GT(DarkPixels(menu->grab().toImage(), markColumn), 4);
    menu->hide();
}

// An operator with a Finnish locale: Qt's dialogs are in Finnish, the terminal's own texts stay.
class FinnishProgramEntry : public WindowTest {
protected:
    ~FinnishProgramEntry() override {
        window.reset();  // before the application goes
        qunsetenv("LANGUAGE");
        qunsetenv("LANG");
    }

    // Before the application is made.
    bool finnish = qputenv("LANGUAGE", "fi") && qputenv("LANG", "fi_FI.UTF-8") &&
                   (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
                    qputenv("QT_QPA_PLATFORM", "offscreen"));
    int argc = 1;
    char name[7] = "tuvako";
    char* argv[2] = {name, nullptr};
    TuvakoApplication application{argc, argv};
};

TEST_F(FinnishProgramEntry, QtsDialogsSpeakTheSystemsLanguageAndTheTerminalsTextsStay) {
    // Qt reads the system's locale once a process; CTest runs every case in a process of its own.
    if (QLocale::system().language() != QLocale::Finnish)
        GTEST_SKIP() << "an earlier case in this process fixed the system locale";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Peru"));
    Start();
    QStringList buttons;
    for (const QPushButton* button :
         Find<QColorDialog>("ColorDialog")->findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_TRUE(buttons.contains(QStringLiteral("Peru"))) << buttons.join('|').toStdString();
    EXPECT_EQ(Find<QAction>("mnuBackColor")->text(), QStringLiteral("Taustav\u00E4ri"));
    EXPECT_EQ(Find<TSunkenLabel>("LblHuom")->text(), QStringLiteral("Ved\u00E4 kortti lukijasta"));
}

}  // namespace
}  // namespace tuvako
