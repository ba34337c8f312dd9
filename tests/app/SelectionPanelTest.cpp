// The grid on the panel: geometry, captions and colours, full and empty grids, the screenshot.
#include "RoadFixture.h"
#include "app/ButtonGrid.h"

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

// The height of the middle of a caption's letters in its button, measured on a grab of the
// button: the rows between the first and the last that hold a dark pixel inside the bevels.
double InkMiddle(QPushButton* button) {
    const QImage image = button->grab().toImage();
    int first = -1, last = -1;
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            if (qGray(image.pixel(x, y)) < 96) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return first < 0 ? -1 : (first + last + 1) / 2.0;
}

// A choice whose fifth caption field is there but empty ends its caption in one CR, as the
// simulator's demo sends "Kuntosali": it stands level with a seat's one-line caption.
TEST_F(SelectionPanel, ACaptionEndingInOneLineBreakIsCentredAsOneLine) {
    Start();
    Receive({AcceptedCard(), kStart, "Buttons^1^2^3^4^BUTTON^X^V12^^Kuntosali^",
             "Buttons^1^2^3^4^BUTTON^Paikka^P1^^A1", "Buttons^1^2^3^4^BUTTON^X^V2^^A^^",
             "Buttons^1^2^3^4^BUTTON^X^V3^^A^B", kStop});
    ASSERT_EQ(Shown(), (Captions{kClear, "Kuntosali\n", "A1", "A\n\n", "A\nB"}));  // as composed
    const double middle = ButtonGrid::ButtonHeight / 2.0;
    EXPECT_NEAR(InkMiddle(road->Button(1)), middle, 1.5);
    EXPECT_NEAR(InkMiddle(road->Button(2)), middle, 1.5);
    // Two line breaks at the end are two lines, the second empty: the letters sit half a line
    // above the middle. Two lines of letters are centred together.
    const int halfLine = QFontMetrics(road->Button(3)->font()).lineSpacing() / 2;
    EXPECT_NEAR(InkMiddle(road->Button(3)), middle - halfLine, 1.5);
    EXPECT_NEAR(InkMiddle(road->Button(4)), middle, 1.5);
}

TEST_F(SelectionPanel, WithoutTheClearButtonChoicesFillTheSlotsFrom0AndTheRestAreDropped) {
    Start("ShowClearButton=No\nButtonWidth=300\n");  // 2 columns of 3 rows
    Receive({kStart, ButtonMessage("V12", "Sali")});
    for (const char* code : {"V1", "V2", "V3", "V4", "V5", "V6"})
        Receive({ButtonMessage(code, "C")});
    EXPECT_EQ(road->ButtonCodes(), (Records{"V12", "V1", "V2", "V3", "V4", "V5"}));
    EXPECT_EQ(Shown(), (Captions{"Sali", "C", "C", "C", "C", "C"}));
    Click(0);  // no customer pending: nothing at all
    EXPECT_TRUE(Lines().empty());
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
    EXPECT_TRUE(Lines().empty());
}

TEST_F(SelectionPanel, OnTheWholeScreenEveryCaptionLineFitsItsButton) {
    Start();
    window->resize(1024, 768);
    ASSERT_TRUE(test::WaitUntil([&] { return window->size() == QSize(1024, 768); }));
    Receive({AcceptedCard(), kStart, "Buttons^1^2^3^4^BUTTON^Paikka^P1^^Paikka 12",
             "Buttons^1^2^3^4^BUTTON^X^V12^^Kuntosali^ma-pe^6-22^la-su^8-20",
             ButtonMessage("V13", "Sali ja sauna", "A"), ButtonMessage("V14", "Uinti^"),
             kStop});  // Uinti: an empty last field
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
