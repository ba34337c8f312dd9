// The grid on the panel: its geometry, captions and colours, full grids, an empty grid.
#include "RoadFixture.h"

#include <QAction>

namespace tuvako {
namespace {

using SelectionPanel = RoadFixture;

TEST_F(SelectionPanel, GridOfThe694By276PanelIsBuiltOnceAtTheFirstStart) {
    Start();
    Find<QAction>("mnuLogi")->trigger();  // the log pane takes 100 pixels of the panel
    Receive(kStart);
    ASSERT_EQ(probe->ButtonCount(), 10);
    EXPECT_EQ(Slot(6)->geometry(), QRect(140, 125, 100, 100));
    EXPECT_EQ(Slot(6)->text(), "Button 6");
    EXPECT_TRUE(Slot(6)->isHidden());
    EXPECT_TRUE(Slot(6)->font().bold());
    EXPECT_EQ(Slot(6)->font().pointSize(), 9);
    EXPECT_EQ(probe->ButtonCodes().size(), 10u);
    // Later sizes do not matter: the grid stays as built.
    Find<QAction>("mnuLogi")->trigger();
    Receive(kStart);
    EXPECT_EQ(probe->ButtonCount(), 10);
}

TEST_F(SelectionPanel, CaptionsShowTheirLinesTheSaleMarkAndTheirAmpersands) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    Receive("Buttons^1^2^3^4^BUTTON^Paikka^S1^^A1^x^y^z^w");
    Receive("Buttons^1^2^3^4^BUTTON^X^S2^^A1^x^y^z^w");
    Receive(ButtonMessage("V3", "Ale", "A"));
    Receive(ButtonMessage("V4", "Ei ale", "AB"));
    Receive(ButtonMessage("V5", "Sali & sauna"));
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Tyhjenn\u00E4 ruutu", "A1", "A1\nx\ny\nz\nw",
                                                     "Ale (Ale)", "Ei ale", "Sali && sauna"}));
    const QColor normal = QApplication::palette().color(QPalette::ButtonText);
    EXPECT_EQ(Slot(3)->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    EXPECT_EQ(Slot(4)->palette().color(QPalette::ButtonText), normal);
    EXPECT_EQ(probe->ButtonCodes()[3], "V3");
}

TEST_F(SelectionPanel, WithoutTheClearButtonChoicesStartAtSlot0AndNoneIsLeftAfterAChoice) {
    Start("ShowClearButton=No\n");
    Receive(AcceptedCard());
    Receive(kStart);
    Receive(ButtonMessage("V12", "Sali"));
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Sali"}));
    Click(0);
    EXPECT_EQ(Sent(),
              (std::vector<AnsiString>{"Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^"}));
    EXPECT_TRUE(ShownCaptions().empty());
}

TEST_F(SelectionPanel, ChoicesBeyondTheLastSlotAreDropped) {
    Start("ButtonWidth=300\n");  // 2 columns of 3 rows
    Receive(kStart);
    for (int i = 0; i < 7; ++i) Receive(ButtonMessage("V" + std::to_string(i), "C"));
    EXPECT_EQ(ShownCaptions().size(), 6u);
    EXPECT_EQ(probe->ButtonCodes(), (std::vector<AnsiString>{"", "V0", "V1", "V2", "V3", "V4"}));
}

TEST_F(SelectionPanel, OneSlotWithTheClearButtonTakesNoChoice) {
    Start("ButtonWidth=400\n");
    window->resize(696, 300);  // a panel of 694 x 182: one row of one column
    QTRY_COMPARE(Find<QWidget>("PanelValinta")->height(), 182);
    Receive(kStart);
    Receive(ButtonMessage("V1", "C"));
    EXPECT_EQ(probe->ButtonCount(), 1);
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Tyhjenn\u00E4 ruutu"}));
}

TEST_F(SelectionPanel, AWidthThatLeavesNoColumnGivesAnEmptyGridForGood) {
    Start("ButtonWidth=-20\n");
    Receive(AcceptedCard());
    Receive(kStart);
    Receive(ButtonMessage("V1", "C"));
    Receive(kStop);
    EXPECT_TRUE(probe->ButtonsBuilt());
    EXPECT_EQ(probe->ButtonCount(), 0);
    EXPECT_TRUE(Find<QWidget>("PanelValinta")->findChildren<QPushButton*>().isEmpty());
    Receive(AcceptedCard("4712"));  // no grid: no report
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(SelectionPanel, APressWithoutAPendingCustomerDoesNothing) {
    Start("ShowClearButton=No\n");
    Receive(kStart);
    Receive(ButtonMessage("V1", "Sali"));
    Click(0);
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Sali"}));
}

}  // namespace
}  // namespace tuvako
