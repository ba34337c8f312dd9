#include "MainWindowProbe.h"
#include "app/TOvcLabel.h"
#include "app/TPanel.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace tuvako {
namespace {

class MainWindowLayout : public WindowTest {
protected:
    MainWindowLayout() {
        Start().resize(1024, 768);
        window->show();
    }

    QRgb PixelOfWindow(QPoint at) const { return window->grab().toImage().pixel(at) & 0xFFFFFF; }

    // The README shows these pictures: saved when TUVAKO_SCREENSHOT_DIR names a directory.
    void SavePicture(const char* name) const {
        const QString directory = qEnvironmentVariable("TUVAKO_SCREENSHOT_DIR");
        if (!directory.isEmpty()) {
            EXPECT_TRUE(window->grab().save(QDir(directory).filePath(name)));
        }
    }
};

TEST_F(MainWindowLayout, ComponentsStandAtTheirDesignedPlacesWithTheirFonts) {
    const struct {
        const char* name;
        const char* parent;
        QRect geometry;
        int fontPixels;
    } designed[] = {
        {"PanelTausta", "frmTuvakoMain", {0, 0, 1024, 768}, 11},
        {"PanelTop", "PanelTausta", {1, 1, 1022, 116}, 11},
        {"PanelValinta", "PanelTausta", {1, 117, 1022, 650}, 11},
        {"OvcHuom", "PanelTop", {22, 8, 663, 35}, 27},
        {"EdtKortti", "PanelTop", {64, 54, 163, 24}, 13},
        {"EdtKoTiedot", "PanelTop", {236, 54, 433, 24}, 13},
        {"EdtNimi", "PanelTop", {64, 82, 297, 24}, 13},
    };
    for (const auto& [name, parent, geometry, fontPixels] : designed) {
        auto* widget = Find<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->parentWidget()->objectName(), parent) << name;
        EXPECT_EQ(widget->geometry(), geometry) << name;
        EXPECT_EQ(widget->font().pixelSize(), fontPixels) << name;
    }
    EXPECT_EQ(Find<QLabel>("Label1")->pos(), QPoint(22, 56));
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "Kortti");
    EXPECT_EQ(Find<QLabel>("Label2")->pos(), QPoint(22, 84));
    EXPECT_EQ(Find<QLabel>("Label2")->text(), "Nimi");
    for (const char* box : {"EdtKortti", "EdtKoTiedot", "EdtNimi"})
        EXPECT_TRUE(Find<QLineEdit>(box)->isReadOnly()) << box;
    EXPECT_EQ(Find<QLineEdit>("EdtKortti")->font().family(), "Liberation Sans");
    EXPECT_TRUE(Find<QPlainTextEdit>("Memo")->isHidden());
    EXPECT_TRUE(Find<QPlainTextEdit>("Memo")->isReadOnly());
}

TEST_F(MainWindowLayout, WaitingScreenHasTheBlueBackgroundPanelAndTheSunkenGreyHeadline) {
    EXPECT_EQ(Find<TPanel>("PanelTausta")->property("Color").toInt(), 0xFF0000);
    EXPECT_EQ(Find<TPanel>("PanelTop")->property("Color").toInt(), -2147483633);
    EXPECT_EQ(Find<TPanel>("PanelValinta")->Color(), clBtnFace);
    const QRgb buttonFace = QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    EXPECT_EQ(PixelOfWindow({10, 60}), buttonFace);
    EXPECT_EQ(PixelOfWindow({512, 400}), buttonFace);

    auto* headline = Find<TOvcLabel>("OvcHuom");
    EXPECT_EQ(headline->text(), QString::fromUtf8("Ved\u00e4 kortti lukijasta"));
    EXPECT_EQ(headline->font().family(), "Liberation Serif");
    const QImage letters = headline->grab().toImage();
    std::map<QRgb, int> count;
    for (int y = 0; y < letters.height(); ++y)
        for (int x = 0; x < letters.width(); ++x) ++count[letters.pixel(x, y) & 0xFFFFFF];
    for (QRgb shade : {0x000000u, 0xFFFFFFu, 0x808080u}) EXPECT_GT(count[shade], 20) << shade;
    SavePicture("window.png");
}

TEST_F(MainWindowLayout, OperatorViewShowsTheLogPaneUnderTheRecolouredPanels) {
    ChooseBackground(QColor(0x00, 0x40, 0x80));
    Find<QAction>("mnuLogi")->trigger();
    for (const char* line :
         {"Tuvako 1.0.0", "Session connected.", "Rcv: Login:", "Snd: Moi^^Tuvako01^-^0^KVLNQ^"})
        window->AddLog(line);
    QCoreApplication::sendPostedEvents();  // lets the layout make room for the log pane
    EXPECT_EQ(PixelOfWindow({10, 60}), 0x004080u);
    EXPECT_EQ(PixelOfWindow({512, 400}), 0x004080u);
    EXPECT_EQ(Find<QWidget>("Memo")->geometry(), QRect(1, 667, 1022, 100));
    SavePicture("window-log.png");
}

}  // namespace
}  // namespace tuvako
