// The window at 1024 x 768: layout, colours, the log pane and the operator's menu.
#include "MainWindowProbe.h"
#include "app/TSunkenLabel.h"
#include "platform/Cp1252.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>

namespace tuvako {
namespace {

class MainWindowLayout : public WindowTest {
protected:
    MainWindowLayout() {
        Start().resize(1024, 768);
        window->show();
    }

    QRgb PixelOfWindow(QPoint at) const { return window->grab().toImage().pixel(at) & 0xFFFFFF; }
    LogPane* Memo() const { return Find<LogPane>("Memo"); }
};

TEST_F(MainWindowLayout, ComponentsSitInTheirPanelsWithTheirFontsAndColours) {
    // The panels tile the window: the top panel above the selection panel, both inside the
    // background panel's one-pixel border, which fills the window.
    const QRect whole = Find<QWidget>("PanelTausta")->geometry();
    const QRect top = Find<QWidget>("PanelTop")->geometry();
    const QRect selection = Find<QWidget>("PanelValinta")->geometry();
    EXPECT_EQ(whole, window->rect());
    EXPECT_EQ(top.united(selection), whole.adjusted(1, 1, -1, -1));
    EXPECT_EQ(selection.top(), top.bottom() + 1);
    const struct {
        const char *name, *parent;
        int fontPixels;
    } designed[] = {
        {"PanelTop", "PanelTausta", 11}, {"PanelValinta", "PanelTausta", 11},
        {"LblHuom", "PanelTop", 27},     {"EdtKortti", "PanelTop", 13},
        {"EdtKoTiedot", "PanelTop", 13}, {"EdtNimi", "PanelTop", 13},
    };
    for (const auto& [name, parent, fontPixels] : designed) {
        auto* widget = Find<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->parentWidget()->objectName(), parent) << name;
        EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name;
        EXPECT_EQ(widget->font().pixelSize(), fontPixels) << name;
    }
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "Kortti");
    EXPECT_EQ(Find<QLabel>("Label2")->text(), "Nimi");
    for (const char* box : {"EdtKortti", "EdtKoTiedot", "EdtNimi", "Memo"})
        EXPECT_TRUE(Find<QWidget>(box)->property("readOnly").toBool()) << box;
    EXPECT_EQ(Find<QWidget>("EdtKortti")->font().family(), "Liberation Sans");
    EXPECT_TRUE(Memo()->isHidden());

    // The waiting screen: the blue background panel and the sunken grey headline.
    EXPECT_EQ(ColorOf("PanelTausta"), 0xFF0000);
    EXPECT_EQ(ColorOf("PanelTop"), clBtnFace);
    EXPECT_EQ(ColorOf("PanelValinta"), clBtnFace);
    const QRgb buttonFace = QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    EXPECT_EQ(PixelOfWindow({10, 60}), buttonFace);
    EXPECT_EQ(PixelOfWindow({512, 400}), buttonFace);

    auto* headline = Find<TSunkenLabel>("LblHuom");
    EXPECT_EQ(headline->text(), QString::fromUtf8("Ved\u00e4 kortti lukijasta"));
    EXPECT_EQ(headline->font().family(), "Liberation Serif");
    const QImage letters = headline->grab().toImage();
    std::map<QRgb, int> count;
    for (int y = 0; y < letters.height(); ++y)
        for (int x = 0; x < letters.width(); ++x) ++count[letters.pixel(x, y) & 0xFFFFFF];
    for (QRgb shade : {0x000000u, 0xFFFFFFu, 0x808080u}) EXPECT_GT(count[shade], 20) << shade;
    SavePicture("window.png");
}

TEST_F(MainWindowLayout, LogiShowsThePaneUnderThePanelsRecolouredUnlessCancelled) {
    EXPECT_EQ(ChooseBackground(Qt::green, false), QColor(Qt::blue));
    EXPECT_EQ(ColorOf("PanelTausta"), 0xFF0000);
    EXPECT_EQ(ColorOf("PanelTop"), clBtnFace);
    ChooseBackground(QColor(0x00, 0x40, 0x80));
    for (const char* panel : {"PanelTausta", "PanelTop", "PanelValinta"})
        EXPECT_EQ(ColorOf(panel), 0x804000) << panel;

    QAction* logi = Find<QAction>("mnuLogi");
    logi->trigger();
    EXPECT_TRUE(logi->isChecked());
    Find<QAction>("mnuClear")->trigger();  // the picture shows a session's lines only
    for (const char* line :
         {"Tuvako 1.0.0", "Session connected.", "Rcv: Login:", "Snd: Moi^-^Tuvako01^-^0^KVLNQ^"})
        window->AddLog(line);
    EXPECT_TRUE(test::WaitUntil([&] { return Memo()->geometry() == QRect(1, 667, 1022, 100); }));
    EXPECT_TRUE(test::WaitUntil([&] { return Memo()->toPlainText().endsWith("KVLNQ^"); }));
    EXPECT_EQ(PixelOfWindow({10, 60}), 0x004080u);
    EXPECT_EQ(PixelOfWindow({512, 400}), 0x004080u);
    SavePicture("window-log.png");
    logi->trigger();
    EXPECT_TRUE(Memo()->isHidden());
    EXPECT_FALSE(logi->isChecked());
}

// A kiosk shows no focus frame or caret: the read-only boxes and the log pane take no focus
// when the window gets it, nor from a press of either mouse button.
TEST_F(MainWindowLayout, TheBoxesAndTheLogPaneNeverTakeTheFocus) {
    window->activateWindow();
    ASSERT_TRUE(test::WaitUntil([&] { return window->isActiveWindow(); }));
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    Find<QAction>("mnuLogi")->trigger();
    ASSERT_TRUE(test::WaitUntil([&] { return Memo()->isVisible(); }));
    for (const char* name : {"EdtKortti", "EdtKoTiedot", "EdtNimi", "Memo"}) {
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mouseClick(Find<QWidget>(name), button, {}, QPoint(20, 10));
            Find<QMenu>("PopupMenu")->hide();  // the right button opened the menu
            EXPECT_EQ(QApplication::focusWidget(), nullptr) << name << " " << button;
        }
    }
}

TEST_F(MainWindowLayout, LogLinesGetTheTimeOfDayAndTheMenuClearsThem) {
    window->AddLog("a\tb");
    const QString last = ToQString(Memo()->Lines().Last());
    EXPECT_TRUE(QRegularExpression("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d> a\\[9\\]b$")
                    .match(last)
                    .hasMatch())
        << last.toStdString();
    Find<QAction>("mnuClear")->trigger();
    EXPECT_EQ(probe->LogLineCount(), 0);
}

TEST_F(MainWindowLayout, MenuOpensAnywhereAndSuljeClosesTheWindowAsDoesAStopInTheColourDialog) {
    auto* menu = Find<QMenu>("PopupMenu");
    for (const char* name : {"EdtKortti", "Memo", "PanelValinta"}) {
        auto* target = Find<QWidget>(name);
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        EXPECT_TRUE(menu->isVisible()) << name;
        menu->hide();
    }
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    Find<QAction>("mnuBackColor")->trigger();  // returns once the dialog is gone
    EXPECT_FALSE(Find<QColorDialog>("ColorDialog")->isVisible());
    EXPECT_FALSE(window->isVisible());
    Start().show();
    Find<QAction>("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(probe->FormClosed());
}

}  // namespace
}  // namespace tuvako
