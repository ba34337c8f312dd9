// The grid geometry and the texts made from card and button messages, without a window.
#include "app/ButtonGrid.h"
#include "app/MessageTexts.h"

#include <gtest/gtest.h>

#include <climits>

namespace tuvako {
namespace {

// A card message with "OK" and 17 fields, fields 11 to 16 given.
FieldList Card(const AnsiString& info, const AnsiString& kind, const AnsiString& date,
               const AnsiString& visits = "", const AnsiString& balance = "") {
    return {"Crd", "",     "4711", "",   "",   "K1?A@55#", "OK",    "C-1", "0",
            "T9",  "Nimi", info,   kind, date, visits,     balance, "V-88"};
}

TEST(ButtonGrid, PanelOf694By276HoldsTenSlots) {
    const ButtonGrid grid(694, 276, 100);
    EXPECT_EQ(grid.Columns(), 5);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.SlotCount(), 10);
    EXPECT_EQ(grid.SlotLeft(0), 20);
    EXPECT_EQ(grid.SlotTop(0), 15);
    EXPECT_EQ(grid.SlotLeft(6), 140);
    EXPECT_EQ(grid.SlotTop(6), 125);
    EXPECT_EQ(grid.SlotLeft(9), 500);
}

TEST(ButtonGrid, TruncatesPartialColumnsAndRows) {
    // 159 wide: (159 - 40) / 120 is just below one column.
    EXPECT_EQ(ButtonGrid(159, 276, 100).SlotCount(), 0);
    EXPECT_EQ(ButtonGrid(160, 276, 100).Columns(), 1);
    // 124 high: (124 - 15) / 110 is just below one row.
    EXPECT_EQ(ButtonGrid(694, 124, 100).SlotCount(), 0);
    EXPECT_EQ(ButtonGrid(694, 125, 100).Rows(), 1);
}

TEST(ButtonGrid, WidthsThatLeaveNoColumnGiveAnEmptyGrid) {
    // -20 would divide by zero; below it the divisor is negative and a narrow panel would
    // otherwise count columns of negative width.
    for (int width : {-20, -21, -1000, INT_MIN}) {
        EXPECT_EQ(ButtonGrid(694, 276, width).SlotCount(), 0) << width;
        EXPECT_EQ(ButtonGrid(30, 276, width).SlotCount(), 0) << width;
    }
    EXPECT_EQ(ButtonGrid(694, 276, INT_MAX).SlotCount(), 0);
    EXPECT_EQ(ButtonGrid(0, 0, 100).SlotCount(), 0);
    // A width of -19 is odd but well defined: one pixel per column.
    EXPECT_EQ(ButtonGrid(50, 125, -19).Columns(), 10);
}

TEST(ValidityText, AppendsByValidityKind) {
    EXPECT_EQ(ValidityText(Card("Kortti", "2", "31.12.2026", "7")),
              "Kortti. J\xE4ljell\xE4: 7 Voimassa asti: 31.12.2026");
    EXPECT_EQ(ValidityText(Card("Kortti", "2", "", "7")), "Kortti. J\xE4ljell\xE4: 7");
    EXPECT_EQ(ValidityText(Card("Kortti", "1", "")), "Kortti. Voimassa asti: ");
    EXPECT_EQ(ValidityText(Card("Kortti", "1", "1.1.2027")), "Kortti. Voimassa asti: 1.1.2027");
    EXPECT_EQ(ValidityText(Card("Kortti", "3", "", "", "12,50")), "Kortti. Saldo: 12,50");
    EXPECT_EQ(ValidityText(Card("Kortti", "3", "2.2.2027", "", "1")),
              "Kortti. Saldo: 1 Voimassa asti: 2.2.2027");
    EXPECT_EQ(ValidityText(Card("Kortti", "4", "2.2.2027")), "Kortti");
    EXPECT_EQ(ValidityText(Card("Kortti", " 1", "2.2.2027")), "Kortti");
}

TEST(ValidityText, ShortMessagesReadMissingFieldsAsEmpty) {
    FieldList card = Card("Kortti", "2", "31.12.2026", "7");
    card.resize(9);
    EXPECT_EQ(ValidityText(card), "");
    card.resize(10);
    EXPECT_EQ(ValidityText(card), "");
    card = Card("Kortti", "2", "31.12.2026", "7");
    card.resize(14);
    EXPECT_EQ(ValidityText(card), "Kortti. J\xE4ljell\xE4:  Voimassa asti: 31.12.2026");
}

TEST(PendingCustomerOf, TakesFields2_5_8_9And16) {
    EXPECT_EQ(PendingCustomerOf(Card("", "", "")), "4711^K1?A@55#^0^T9^V-88");
    FieldList sixteen = Card("", "", "");
    sixteen.resize(16);
    EXPECT_EQ(PendingCustomerOf(sixteen), "4711^K1?A@55#^0^T9^");
    EXPECT_EQ(PendingCustomerOf({"Crd", "a", "b", "c", "d", "e"}), "b^e^^^");
}

TEST(PendingCustomerOf, IsCutAt255Characters) {
    FieldList card = Card("", "", "");
    card[5] = AnsiString(300, 'k');
    EXPECT_EQ(PendingCustomerOf(card), "4711^" + AnsiString(250, 'k'));
}

TEST(RefusedCardHeadline, GreetsOnResultCodes0And16Only) {
    FieldList card = {"Crd", "", "", "", "", "", "EI", "X1", "16"};
    EXPECT_EQ(RefusedCardHeadline(card), "Tervetuloa! (X1) ");
    card[8] = "0";
    EXPECT_EQ(RefusedCardHeadline(card), "Tervetuloa! (X1) ");
    card[8] = "5";
    EXPECT_EQ(RefusedCardHeadline(card), "X1");
    card.resize(6);
    EXPECT_EQ(RefusedCardHeadline(card), "");
}

TEST(ChoiceCaption, SeatTakesOneLineOtherChoicesUpToFive) {
    FieldList button = {"Buttons", "",   "",  "",  "",  "BUTTON", "Paikka", "V1",
                        "",        "A1", "x", "y", "z", "w",      "extra"};
    EXPECT_EQ(ChoiceCaption(button), "A1");
    button[6] = "X";
    EXPECT_EQ(ChoiceCaption(button), "A1\rx\ry\rz\rw");
    button.resize(12);
    EXPECT_EQ(ChoiceCaption(button), "A1\rx\ry");
    button.resize(9);
    EXPECT_EQ(ChoiceCaption(button), "");
}

TEST(ChoiceCaption, DiscountOnlyForTheClassA) {
    FieldList button = {"Buttons", "", "", "", "", "BUTTON", "X", "V1", "A"};
    EXPECT_TRUE(IsDiscounted(button));
    for (const char* other : {"AB", "a", "", " A"}) {
        button[8] = other;
        EXPECT_FALSE(IsDiscounted(button)) << other;
    }
    button.resize(8);
    EXPECT_FALSE(IsDiscounted(button));
}

}  // namespace
}  // namespace tuvako
