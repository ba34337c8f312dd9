// The records the terminal sends: layout, cuts, check code and the data of "Crd" and "Log".
#include "app/CheckCode.h"
#include "app/RecordData.h"
#include "app/Wdef.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

const FieldList WorkedExampleCustomer = {"4711", "K1?A@55#", "0", "T9", ""};

TEST(BuildRecord, JoinsSixFieldsEachFollowedBySeparator) {
    const AnsiString record = BuildRecord("Ping", "-", "Tuvako01", "-", "0", "Ping");
    EXPECT_EQ(record, "Ping^-^Tuvako01^-^0^Ping^");
    EXPECT_EQ(record.size(), 25u);
    EXPECT_EQ(BuildRecord("Log", "-", "Tuvako01", "-", "0", ""), "Log^-^Tuvako01^-^0^^");
}

TEST(BuildRecord, CutsTheFirstFiveFieldsTo35ButKeepsTheDataWhole) {
    const AnsiString long40(40, 'x');
    const AnsiString data(255, 'd');
    const AnsiString record = BuildRecord(long40, long40, long40, long40, long40, data);
    const AnsiString cut(35, 'x');
    EXPECT_EQ(record, cut + "^" + cut + "^" + cut + "^" + cut + "^" + cut + "^" + data + "^");
    EXPECT_EQ(record.size(), 436u);
    // Exactly 35 stays whole.
    EXPECT_EQ(BuildRecord(cut, "", "", "", "", ""), cut + "^^^^^^");
}

TEST(CheckCode, XorsUpToTheFirstHashModulo100) {
    EXPECT_EQ(CheckCode("<#"), "31");
    EXPECT_EQ(CheckCode("K1?A@VV12@55<#"), "24");
    EXPECT_EQ(CheckCode("K1?A@P3@55<#"), "20");  // 120 reduced modulo 100
    // Only the part up to the first "#" counts.
    EXPECT_EQ(CheckCode("<#zzz#"), "31");
    // Below 10 with a leading zero: 0x2A ^ 0x23 = 9.
    EXPECT_EQ(CheckCode("\x2A#"), "09");
    // Bytes above 127 count as unsigned: 0xE4 ^ 0x23 = 199, reduced to 99.
    EXPECT_EQ(CheckCode("\xE4#"), "99");
}

TEST(CheckCode, IsZeroWithoutHashInTheFirst255Characters) {
    EXPECT_EQ(CheckCode("no mark here"), "00");
    EXPECT_EQ(CheckCode(""), "00");
    EXPECT_EQ(CheckCode(AnsiString(255, 'a') + "#"), "00");
    // A "#" as the 255th character still counts (254 'b' cancel out); 253 leave 98 ^ 35 = 65.
    EXPECT_EQ(CheckCode(AnsiString(254, 'b') + "#"), "35");
    EXPECT_EQ(CheckCode(AnsiString(253, 'b') + "#"), "65");
}

TEST(ChoiceText, WorkedExampleWithBothKindsOfCode) {
    EXPECT_EQ(ChoiceText(WorkedExampleCustomer, "V12"), "K1?A@VV12@55<#24&^OK^0^Lippu=T9");
    EXPECT_EQ(ChoiceText(WorkedExampleCustomer, "P3"), "K1?A@P3@55<#20&^OK^0^Lippu=T9");
    EXPECT_EQ(
        BuildRecord("Crd", "4711", "Tuvako01", "-", "0", ChoiceText(WorkedExampleCustomer, "V12")),
        "Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^");
}

TEST(ChoiceText, CodePrefixIsCaseSensitiveAndAnEmptyCodeTakesV) {
    const FieldList customer = {"1", "H", "2", ""};
    EXPECT_EQ(ChoiceText(customer, "p3").substr(0, 6), "H@Vp3<");
    EXPECT_EQ(ChoiceText(customer, "").substr(0, 5), "H@V<#");
    // Without a ticket the text ends right after C2 and its separator.
    EXPECT_EQ(ChoiceText(customer, "P1"), "H@P1<#" + CheckCode("H@P1<#") + "&^OK^2^");
}

TEST(ChoiceText, MarkPieceNeedsAnAtBeforeAHash) {
    EXPECT_EQ(MarkPiece("K1?A@55#"), "@55");
    EXPECT_EQ(MarkPiece("abc#"), "");
    EXPECT_EQ(MarkPiece("a@bc"), "");
    EXPECT_EQ(MarkPiece("#a@b#"), "");
    EXPECT_EQ(MarkPiece("@#"), "@");
}

TEST(ChoiceText, QuestionMarkKeepsOneMoreCharacter) {
    EXPECT_EQ(CutAfterQuestionMark("K1?A@55#"), "K1?A");
    EXPECT_EQ(CutAfterQuestionMark("K1?"), "K1?");
    EXPECT_EQ(CutAfterQuestionMark("K1?AB?C"), "K1?A");
    EXPECT_EQ(CutAfterQuestionMark("K1"), "K1");
}

TEST(ChoiceText, MissingCustomerFieldsReadAsEmpty) {
    // A pending customer cut at 255 characters may have lost its last fields.
    const FieldList cut = {"9", AnsiString(250, 'h')};
    const AnsiString text = ChoiceText(cut, "V1");
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 250), AnsiString(250, 'h'));
    EXPECT_EQ(ChoiceText({}, "V1"), "@VV1<#" + CheckCode("@VV1<#") + "&^OK^^");
}

TEST(NoChoiceText, TimeoutRecordOfTheWorkedExample) {
    EXPECT_EQ(BuildRecord("Log", "4711", "Tuvako01", "-", "0",
                          NoChoiceText("V-88", texts::kReasonTimeout)),
              "Log^4711^Tuvako01^-^0^V-88;Timeout: Valintaa ei tehty!^SaveLogi^^");
}

TEST(NoChoiceText, IsCutAt255Characters) {
    const AnsiString text = NoChoiceText(AnsiString(250, 'v'), texts::kReasonCleared);
    EXPECT_EQ(text, AnsiString(250, 'v') + ";Tyhj");
}

}  // namespace
}  // namespace tuvako
