// The records the terminal sends: layout and cuts, the check code, the choice and report texts.
#include "app/CheckCode.h"
#include "app/RecordData.h"
#include "app/Wdef.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

TEST(BuildRecord, SixFieldsEachFollowedBySeparatorFirstFiveCutTo35) {
    EXPECT_EQ(BuildRecord("Ping", "-", "Tuvako01", "-", "0", "Ping"), "Ping^-^Tuvako01^-^0^Ping^");
    EXPECT_EQ(BuildRecord("Log", "-", "Tuvako01", "-", "0", ""), "Log^-^Tuvako01^-^0^^");
    const AnsiString x35(35, 'x'), x40(40, 'x'), data(255, 'd');
    const AnsiString record = BuildRecord(x40, x35, x40, x40, x40, data);
    EXPECT_EQ(record, x35 + "^" + x35 + "^" + x35 + "^" + x35 + "^" + x35 + "^" + data + "^");
    EXPECT_EQ(record.size(), 436u);
}

TEST(CheckCode, XorUpToTheFirstHashInTheFirst255CharactersModulo100) {
    EXPECT_EQ(CheckCode("<#"), "31");
    EXPECT_EQ(CheckCode("K1?A@VV12@55<#"), "24");
    EXPECT_EQ(CheckCode("K1?A@P3@55<#"), "20");  // 120
    EXPECT_EQ(CheckCode("<#zzz#"), "31");        // only up to the first "#"
    EXPECT_EQ(CheckCode("\x2A#"), "09");         // a leading zero
    EXPECT_EQ(CheckCode("\xE4#"), "99");         // bytes above 127 unsigned: 199
    EXPECT_EQ(CheckCode("no mark"), "00");
    EXPECT_EQ(CheckCode(AnsiString(254, 'b') + "#"), "35");  // "#" as 255th character
    EXPECT_EQ(CheckCode(AnsiString(255, 'a') + "#"), "00");  // "#" beyond the first 255
}

TEST(ChoiceText, MarkPieceAndTheCutAtTheQuestionMark) {
    EXPECT_EQ(MarkPiece("K1?A@55#"), "@55");
    EXPECT_EQ(MarkPiece("@#"), "@");
    for (const char* none : {"abc#", "a@bc", "#a@b#"}) EXPECT_EQ(MarkPiece(none), "") << none;
    EXPECT_EQ(CutAfterQuestionMark("K1?A@55#"), "K1?A");
    EXPECT_EQ(CutAfterQuestionMark("K1?"), "K1?");
    EXPECT_EQ(CutAfterQuestionMark("K1?AB?C"), "K1?A");
    EXPECT_EQ(CutAfterQuestionMark("K1"), "K1");
}

TEST(ChoiceText, CodePrefixTicketMissingFieldsAndCuts) {
    EXPECT_EQ(ChoiceText({"1", "H", "2", ""}, "P1"), "H@P1<#" + CheckCode("H@P1<#") + "&^OK^2^");
    EXPECT_EQ(ChoiceText({"1", "H", "2", ""}, "p1").substr(0, 7), "H@Vp1<#");  // case-sensitive
    EXPECT_EQ(ChoiceText({"1", "H", "2", "T"}, "").substr(0, 5), "H@V<#");
    EXPECT_TRUE(ChoiceText({"1", "H", "2", "T"}, "").ends_with("&^OK^2^Lippu=T"));
    // A pending customer cut at 255 characters lost fields 2 to 4: they read as empty, and the
    // text is cut at 255 again.
    EXPECT_EQ(ChoiceText({"9", AnsiString(250, 'h')}, "V1"), AnsiString(250, 'h') + "@VV1<");
    EXPECT_EQ(NoChoiceText(AnsiString(250, 'v'), texts::kReasonCleared),
              AnsiString(250, 'v') + ";Tyhj");
}

}  // namespace
}  // namespace tuvako
