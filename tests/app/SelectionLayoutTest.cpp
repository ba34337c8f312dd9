// The grid geometry and the texts made from card and button messages, without a window.
#include "app/ButtonGrid.h"
#include "app/MessageTexts.h"

#include <gtest/gtest.h>
#include <QPoint>

#include <climits>

namespace tuvako {
namespace {

TEST(ButtonGrid, PanelOf694By276HoldsTenSlots) {
    const ButtonGrid grid(694, 276, 100);
    EXPECT_EQ(grid.Columns(), 5);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.SlotCount(), 10);
    EXPECT_EQ(QPoint(grid.SlotLeft(0), grid.SlotTop(0)), QPoint(20, 15));
    EXPECT_EQ(QPoint(grid.SlotLeft(6), grid.SlotTop(6)), QPoint(140, 125));
    // Partial columns and rows are cut off: 159 wide or 124 high holds nothing.
    EXPECT_EQ(ButtonGrid(159, 276, 100).SlotCount(), 0);
    EXPECT_EQ(ButtonGrid(160, 125, 100).SlotCount(), 1);
    EXPECT_EQ(ButtonGrid(694, 124, 100).SlotCount(), 0);
}

TEST(ButtonGrid, WidthsThatLeaveNoColumnGiveAnEmptyGrid) {
    // -20 would divide by zero; below it a narrow panel would count columns of negative width.
    for (int width : {-20, -21, -1000, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ButtonGrid(694, 276, width).SlotCount(), 0) << width;
        EXPECT_EQ(ButtonGrid(30, 276, width).SlotCount(), 0) << width;
    }
    EXPECT_EQ(ButtonGrid(0, 0, 100).SlotCount(), 0);
}

TEST(MessageTexts, ValidityLineByKind) {
    const auto card = [](const char* kind, const char* date, const char* visits = "",
                         const char* balance = "") {
        return FieldList{"Crd", "", "",       "",   "",   "",     "OK",    "", "",
                         "",    "", "Kortti", kind, date, visits, balance, ""};
    };
    EXPECT_EQ(ValidityText(card("2", "31.12.2026", "7")),
              "Kortti. J\xE4ljell\xE4: 7 Voimassa asti: 31.12.2026");
    EXPECT_EQ(ValidityText(card("1", "")), "Kortti. Voimassa asti: ");
    EXPECT_EQ(ValidityText(card("3", "", "", "12,50")), "Kortti. Saldo: 12,50");
    EXPECT_EQ(ValidityText(card("3", "1.1.27", "", "1")), "Kortti. Saldo: 1 Voimassa asti: 1.1.27");
    EXPECT_EQ(ValidityText(card("4", "1.1.27")), "Kortti");
    FieldList tenFields = card("1", "1.1.27");
    tenFields.resize(10);  // field 11 missing: empty, not a read past the list
    EXPECT_EQ(ValidityText(tenFields), "");
}

TEST(MessageTexts, RefusedCardHeadlineGreetsOnResultCodes0And16) {
    FieldList card = {"Crd", "", "", "", "", "", "EI", "X1", "16"};
    EXPECT_EQ(RefusedCardHeadline(card), "Tervetuloa! (X1) ");
    card[8] = "0";
    EXPECT_EQ(RefusedCardHeadline(card), "Tervetuloa! (X1) ");
    card[8] = "5";
    EXPECT_EQ(RefusedCardHeadline(card), "X1");
}

TEST(MessageTexts, CaptionOfASeatIsOneLineOtherwiseUpToFive) {
    FieldList button = {"Buttons", "",   "",  "",  "",  "BUTTON", "Paikka", "V1",
                        "",        "A1", "x", "y", "z", "w",      "extra"};
    EXPECT_EQ(ChoiceCaption(button), "A1");
    button[6] = "X";
    EXPECT_EQ(ChoiceCaption(button), "A1\rx\ry\rz\rw");
    button.resize(12);
    EXPECT_EQ(ChoiceCaption(button), "A1\rx\ry");
}

TEST(MessageTexts, PendingCustomerIsCutAt255) {
    FieldList card(17);
    card[2] = "4711";
    card[5] = AnsiString(300, 'k');
    EXPECT_EQ(PendingCustomerOf(card), "4711^" + AnsiString(250, 'k'));
}

}  // namespace
}  // namespace tuvako
