// The grid on the panel: geometry, captions and colours, full and empty grids, the screenshot.
#include "RoadFixture.h"

#include <QAction>
#include <QFontMetrics>

namespace tuvako {
namespace {

using SelectionPanel = RoadFixture;

TEST_F(SelectionPanel, GridOfThe694By276PanelIsBuiltOnceAtTheFirstStart) {
    Start();
    Find<QAction>("mnuLogi")->trigger();  // the log pane takes 100 pixels of the panel
    Receive({kStart});
    ASSERT_EQ(road->ButtonCount(), 10);
    const QPushButton* slot6 = road->Button(6);
    EXPECT_EQ(slot6->geometry(), QRect(140, 125, 100, 100));
    EXPECT_TRUE(slot6->isHidden());
    EXPECT_TRUE(slot6->font().bold());
    EXPECT_EQ(slot6->font().pointSize(), 9);
    EXPECT_EQ(road->ButtonCodes().size(), 10u);
    Find<QAction>("mnuLogi")->trigger();  // a larger panel later changes nothing
    Receive({kStart});
    EXPECT_EQ(road->ButtonCount(), 10);
}

TEST_F(SelectionPanel, CaptionsShowTheirLinesTheSaleMarkAndTheirAmpersands) {
    Start();
    Receive({AcceptedCard(), kStart, "Buttons^1^2^3^4^BUTTON^Paikka^S1^^A1^x^y^z^w",
             "Buttons^1^2^3^4^BUTTON^X^S2^^A1^x^y^z^w^v", ButtonMessage("V3", "Ale", "A"),
             ButtonMessage("V4", "Ei ale", "AB"), ButtonMessage("V5", "Sali & sauna", "a")});
    EXPECT_EQ(Shown(),
              (Captions{kClear, "A1", "A1\nx\ny\nz\nw", "Ale (Ale)", "Ei ale", "Sali && sauna"}));
    EXPECT_EQ(road->Button(3)->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    EXPECT_EQ(road->Button(4)->palette().color(QPalette::ButtonText),
              QApplication::palette().color(QPalette::ButtonText));
    EXPECT_EQ(road->ButtonCodes()[3], "V3");
}

TEST_F(SelectionPanel, WithoutTheClearButtonChoicesFillTheSlotsFrom0AndTheRestAreDropped) {
    Start("ShowClearButton=No\nButtonWidth=300\n");  // 2 columns of 3 rows
    Receive({kStart, ButtonMessage("V12", "Sali")});
    for (int i = 1; i < 7; ++i) Receive({ButtonMessage("V" + std::to_string(i), "C")});
    EXPECT_EQ(road->ButtonCodes(), (Records{"V12", "V1", "V2", "V3", "V4", "V5"}));
    EXPECT_EQ(Shown(), (Captions{"Sali", "C", "C", "C", "C", "C"}));
    Click(0);  // no customer pending: nothing at all
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(Shown().size(), 6u);
    Receive({AcceptedCard()});
    Click(0);
    EXPECT_EQ(Sent(), Records{kChoice});
    EXPECT_TRUE(Shown().empty());
}

TEST_F(SelectionPanel, AWidthThatLeavesNoColumnGivesAnEmptyGridForGood) {
    Start("ButtonWidth=-20\n");
    Receive({AcceptedCard(), kStart, ButtonMessage("V1", "C"), kStop});
    EXPECT_EQ(road->ButtonCount(), 0);
    EXPECT_TRUE(Find<QWidget>("PanelValinta")->findChildren<QPushButton*>().isEmpty());
    Receive({AcceptedCard("4712")});  // no grid: no report
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(SelectionPanel, OnTheWholeScreenEveryCaptionLineFitsItsButton) {
    Start();
    window->resize(1024, 768);
    ASSERT_TRUE(test::WaitUntil([&] { return window->size() == QSize(1024, 768); }));
    Receive({AcceptedCard(), kStart, "Buttons^1^2^3^4^BUTTON^Paikka^P1^^Paikka 12",
             "Buttons^1^2^3^4^BUTTON^X^V12^^Kuntosali^ma-pe^6-22^la-su^8-20",
             ButtonMessage("V13", "Sali ja sauna", "A"), ButtonMessage("V14", "Uinti"), kStop});
    ASSERT_EQ(Shown().size(), 5u);
    for (int slot = 0; slot < 5; ++slot) {
        const QPushButton* button = road->Button(slot);
        const QFontMetrics metrics(button->font());
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        EXPECT_LE(metrics.height() * lines.size(), button->height()) << slot;
        for (const QString& line : lines)  // long lines are wrapped at their blanks
            EXPECT_LE(metrics.horizontalAdvance(line), button->width() - 6) << line.toStdString();
    }
    SavePicture("choices.png");
}

}  // namespace
}  // namespace tuvako
