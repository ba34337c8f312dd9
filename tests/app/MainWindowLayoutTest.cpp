#include "MainWindowProbe.h"
#include "ScratchExecutableDir.h"
#include "app/TOvcLabel.h"
#include "app/TPanel.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace tuvako {
namespace {

class MainWindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(1024, 768);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    ScratchExecutableDir scratch;
    TfrmTuvakoMain window{std::vector<AnsiString>{}};
    MainWindowProbe probe{window};
};

TEST_F(MainWindowLayout, TopPanelHoldsHeadlineLabelsAndBoxesAtTheirDesignedPlaces) {
    auto* top = probe.Find<TPanel>("PanelTop");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->height(), 116);
    const struct {
        const char* name;
        QRect geometry;
    } designed[] = {
        {"OvcHuom", {22, 8, 663, 35}},
        {"EdtKortti", {64, 54, 163, 24}},
        {"EdtKoTiedot", {236, 54, 433, 24}},
        {"EdtNimi", {64, 82, 297, 24}},
    };
    for (const auto& [name, geometry] : designed) {
        auto* widget = probe.Find<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->parentWidget(), top) << name;
        EXPECT_EQ(widget->geometry(), geometry) << name;
    }
    EXPECT_EQ(probe.Find<QLabel>("Label1")->pos(), QPoint(22, 56));
    EXPECT_EQ(probe.Find<QLabel>("Label1")->text(), "Kortti");
    EXPECT_EQ(probe.Find<QLabel>("Label2")->pos(), QPoint(22, 84));
    EXPECT_EQ(probe.Find<QLabel>("Label2")->text(), "Nimi");
}

TEST_F(MainWindowLayout, BoxesAreReadOnlyInTabOrderWithThirteenPixelSansFont) {
    auto* kortti = probe.Find<QLineEdit>("EdtKortti");
    auto* koTiedot = probe.Find<QLineEdit>("EdtKoTiedot");
    auto* nimi = probe.Find<QLineEdit>("EdtNimi");
    for (QLineEdit* box : {kortti, koTiedot, nimi}) {
        EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
        EXPECT_EQ(box->font().family(), "Liberation Sans");
        EXPECT_EQ(box->font().pixelSize(), 13);
    }
    // Tab goes from box to box in the designed order.
    std::vector<QWidget*> tabOrder;
    for (QWidget* w = kortti; tabOrder.size() < 3; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) tabOrder.push_back(w);
    EXPECT_EQ(tabOrder, (std::vector<QWidget*>{kortti, koTiedot, nimi}));
    EXPECT_EQ(window.font().pixelSize(), 11);
}

TEST_F(MainWindowLayout, HeadlineIsGreySerifWithTheWaitingText) {
    auto* headline = probe.Find<TOvcLabel>("OvcHuom");
    EXPECT_EQ(headline->text(), QString::fromUtf8("Ved\u00e4 kortti lukijasta"));
    EXPECT_EQ(headline->font().family(), "Liberation Serif");
    EXPECT_EQ(headline->font().pixelSize(), 27);
    EXPECT_EQ(headline->TextColor(), QColor(0x80, 0x80, 0x80));
}

TEST_F(MainWindowLayout, HeadlineLooksSunkenWithDarkAboveAndLightBelowTheLetters) {
    const QImage picture = probe.Find<TOvcLabel>("OvcHuom")->grab().toImage();
    int black = 0, white = 0, grey = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y) & 0xFFFFFF;
            black += pixel == 0x000000;
            white += pixel == 0xFFFFFF;
            grey += pixel == 0x808080;
        }
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 20);
    EXPECT_GT(grey, 20);
}

TEST_F(MainWindowLayout, PanelsStackTopSelectionAndHiddenLogInsideTheBackground) {
    auto* background = probe.Find<TPanel>("PanelTausta");
    auto* top = probe.Find<TPanel>("PanelTop");
    auto* selection = probe.Find<TPanel>("PanelValinta");
    auto* log = probe.Find<QPlainTextEdit>("Memo");
    EXPECT_EQ(background->geometry(), window.rect());
    EXPECT_EQ(top->geometry(), QRect(1, 1, 1022, 116));
    EXPECT_EQ(selection->geometry(), QRect(1, 117, 1022, 650));
    EXPECT_TRUE(log->isHidden());
    EXPECT_TRUE(log->isReadOnly());
    EXPECT_EQ(log->height(), 100);
}

TEST_F(MainWindowLayout, BackgroundIsBlueAndTheOtherPanelsButtonFace) {
    EXPECT_EQ(probe.Find<TPanel>("PanelTausta")->Color(), 0xFF0000);
    EXPECT_EQ(probe.Find<TPanel>("PanelTop")->Color(), clBtnFace);
    EXPECT_EQ(probe.Find<TPanel>("PanelValinta")->Color(), clBtnFace);
    EXPECT_EQ(probe.Find<TPanel>("PanelTop")->property("Color").toInt(), -2147483633);
}

TEST_F(MainWindowLayout, PanelColourFollowsItsColourWordAndSystemColoursThePalette) {
    auto* top = probe.Find<TPanel>("PanelTop");
    top->setProperty("Color", 0x0000FF);  // red in 0x00BBGGRR
    EXPECT_EQ(top->grab().toImage().pixel(10, 50) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(ToQColor(clBtnFace), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201);
}

}  // namespace
}  // namespace tuvako

namespace tuvako {
namespace {

// Saves the window as TUVAKO_SCREENSHOT_DIR/`name` when that variable is set (the README
// shows these pictures).
void SavePicture(const QImage& picture, const char* name) {
    const QString directory = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR");
    if (!directory.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(directory).filePath(name)));
    }
}

QRgb PixelAt(const QImage& picture, QPoint at) {
    return picture.pixel(at) & 0xFFFFFF;
}

TEST_F(MainWindowLayout, WaitingScreenShowsTheGreyPanelsWithTheSunkenHeadline) {
    const QImage picture = window.grab().toImage();
    ASSERT_EQ(picture.size(), QSize(1024, 768));
    const QRgb buttonFace = ToQColor(clBtnFace).rgb() & 0xFFFFFF;
    EXPECT_EQ(PixelAt(picture, {10, 60}), buttonFace);    // top panel beside "Kortti"
    EXPECT_EQ(PixelAt(picture, {512, 400}), buttonFace);  // empty selection panel
    SavePicture(picture, "window.png");
}

TEST_F(MainWindowLayout, OperatorViewShowsTheLogPaneUnderTheRecolouredPanels) {
    auto* dialog = probe.Find<QColorDialog>("ColorDialog");
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->setCurrentColor(QColor(0x00, 0x40, 0x80));
        dialog->accept();
    });
    probe.Find<QAction>("mnuBackColor")->trigger();
    probe.Find<QAction>("mnuLogi")->trigger();
    window.AddLog("Tuvako 1.0.0");
    window.AddLog("Session connected.");
    window.AddLog("Rcv: Login:");
    window.AddLog("Snd: Moi^^Tuvako01^-^0^KVLNQ^");
    QCoreApplication::sendPostedEvents();  // lets the layout make room for the log pane

    const QImage picture = window.grab().toImage();
    EXPECT_EQ(PixelAt(picture, {10, 60}), 0x004080u);
    EXPECT_EQ(PixelAt(picture, {512, 400}), 0x004080u);
    EXPECT_EQ(probe.Find<QWidget>("Memo")->geometry(), QRect(1, 667, 1022, 100));
    SavePicture(picture, "window-log.png");
}

}  // namespace
}  // namespace tuvako
