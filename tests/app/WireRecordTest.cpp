// Texts without a window: the splitter, records, check code, choice texts, grid geometry.
#include "app/ButtonGrid.h"
#include "app/CheckCode.h"
#include "app/FieldSplitter.h"
#include "app/MessageTexts.h"
#include "app/RecordData.h"
#include "app/Wdef.h"

#include <gtest/gtest.h>

#include <climits>

namespace tuvako {
namespace {

using Fields = std::vector<AnsiString>;

// One splitter for every case: each split replaces the fields of the one before.
TEST(BreakApart, SplitsIntoNPlusOneFieldsKeepingOrDroppingTheEmptyOnes) {
    const struct {
        AnsiString text, separator;
        Fields kept, dropped;
    } cases[] = {
        {"a^b^c", "^", {"a", "b", "c"}, {"a", "b", "c"}},
        {"a^^c", "^", {"a", "", "c"}, {"a", "c"}},
        {"a^", "^", {"a", ""}, {"a"}},
        {"^a", "^", {"", "a"}, {"a"}},
        {"", "^", {""}, {}},
        {"a^b", "", {"a^b"}, {"a^b"}},  // an empty separator is never found
        {"ab::cd::ef", "::", {"ab", "cd", "ef"}, {"ab", "cd", "ef"}},
        {"a^^^", "^^", {"a", "^"}, {"a", "^"}},  // left to right, without overlapping
        {AnsiString("\xE4^\0", 3), "^", {"\xE4", {'\0'}}, {"\xE4", {'\0'}}},
    };
    TFieldSplitter splitter;
    for (const auto& c : cases) {
        splitter.SetBaseString(c.text);
        splitter.SetBreakString(c.separator);
        for (const bool allowEmpty : {true, false}) {
            splitter.SetAllowEmptyString(allowEmpty);
            splitter.Split();
            EXPECT_EQ(splitter.StringList(), allowEmpty ? c.kept : c.dropped)
                << c.text << " at " << c.separator << (allowEmpty ? " kept" : " dropped");
        }
    }
}

TEST(BuildRecord, SixFieldsEachFollowedBySeparatorFirstFiveCutTo35) {
    EXPECT_EQ(BuildRecord("Log", "-", "Tuvako01", "-", "0", ""), "Log^-^Tuvako01^-^0^^");
    const AnsiString x35(35, 'x'), x40(40, 'x'), data(255, 'd');
    EXPECT_EQ(BuildRecord(x40, x35, x40, x40, x40, data),
              x35 + "^" + x35 + "^" + x35 + "^" + x35 + "^" + x35 + "^" + data + "^");
}

TEST(CheckCode, XorUpToTheFirstHashInTheFirst255CharactersModulo100) {
    const std::pair<AnsiString, AnsiString> cases[] = {
        {"<#", "31"},
        {"K1?A@VV12@55<#", "24"},
        {"K1?A@P3@55<#", "20"},  // 120
        {"<#zzz#", "31"},        // only up to the first "#"
        {"\x2A#", "09"},         // a leading zero
        {"\xE4#", "99"},         // bytes above 127 unsigned: 199
        {"no mark", "00"},
        {AnsiString(254, 'b') + "#", "35"},  // "#" as 255th character
        {AnsiString(255, 'a') + "#", "00"},  // "#" beyond the first 255
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(CheckCode(text), code) << text;
}

TEST(ChoiceText, MarkPieceCutsPrefixTicketAndMissingFields) {
    const std::pair<AnsiString, AnsiString> marks[] = {
        {"K1?A@55#", "@55"}, {"@#", "@"}, {"abc#", ""}, {"a@bc", ""}, {"#a@b#", ""}};
    for (const auto& [card, mark] : marks) EXPECT_EQ(MarkPiece(card), mark) << card;
    for (const char* kept : {"K1?", "K1"}) EXPECT_EQ(CutAfterQuestionMark(kept), kept);
    EXPECT_EQ(CutAfterQuestionMark("K1?AB?C"), "K1?A");
    EXPECT_EQ(ChoiceText({"1", "H", "2", ""}, "P1"), "H@P1<#18&^OK^2^");
    EXPECT_EQ(ChoiceText({"1", "H", "2", ""}, "p1").substr(0, 7), "H@Vp1<#");  // case-sensitive
    EXPECT_EQ(ChoiceText({"1", "H", "2", "T"}, "").substr(0, 5), "H@V<#");
    // A pending customer cut at 255 characters lost fields 2 to 4: they read as empty, and the
    // text is cut at 255 again.
    EXPECT_EQ(ChoiceText({"9", AnsiString(250, 'h')}, "V1"), AnsiString(250, 'h') + "@VV1<");
    EXPECT_EQ(NoChoiceText(AnsiString(250, 'v'), texts::kReasonCleared),
              AnsiString(250, 'v') + ";Tyhj");
}

TEST(ButtonGrid, PartialColumnsAndRowsAreCutAndWidthsThatLeaveNoColumnGiveAnEmptyGrid) {
    EXPECT_EQ(ButtonGrid(160, 125, 100).SlotCount(), 1);
    EXPECT_EQ(ButtonGrid(159, 276, 100).SlotCount(), 0);
    EXPECT_EQ(ButtonGrid(694, 124, 100).SlotCount(), 0);
    // -20 would divide by zero; below it a narrow panel would count columns of negative width.
    for (int width : {-20, -21, INT_MIN, INT_MAX}) {
        EXPECT_EQ(ButtonGrid(694, 276, width).SlotCount(), 0) << width;
        EXPECT_EQ(ButtonGrid(30, 276, width).SlotCount(), 0) << width;
    }
}

}  // namespace
}  // namespace tuvako
