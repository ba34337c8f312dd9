// The messages the simulator sends: every field where the terminal reads it.
#include "sim/DemoCatalog.h"
#include "sim/MessageComposer.h"

#include <gtest/gtest.h>

#include <set>

namespace tuvako::sim {
namespace {

using Fields = std::vector<AnsiString>;

Fields Split(const AnsiString& record) {
    return MessageComposer::SplitFields(record);
}

TEST(MessageComposer, SplitKeepsEmptyFieldsAndJoinEndsEveryFieldWithASeparator) {
    EXPECT_EQ(Split("a^^c"), (Fields{"a", "", "c"}));
    EXPECT_EQ(Split(""), (Fields{""}));
    EXPECT_EQ(Split("^"), (Fields{"", ""}));
    EXPECT_EQ(MessageComposer::JoinFields({"Ping", "", "x"}), "Ping^^x^");
}

TEST(MessageComposer, CardMessagePutsEveryMemberFieldWhereTheTerminalReadsIt) {
    const SampleMember member{"4711", "K1?A@55#",   "CARD", "0",     "T9",   "Aino", "Kortti",
                              "2",    "31.12.2026", "7",    "12,50", "V-88", "hi"};
    // Fields 2, 5, 8, 9 and 16 make the pending customer; 7, 10 to 15 fill the screen.
    EXPECT_EQ(MessageComposer::CardMessage(member, "Tuvako01"),
              "Crd^Tuvako01^4711^-^0^K1?A@55#^OK^CARD^0^T9^Aino^Kortti^2^31.12.2026^7^12,50^V-88^");
}

TEST(MessageComposer, NoticeMessageIsACardWithoutOkCarryingTextAndResultCode) {
    const Fields fields = Split(MessageComposer::NoticeMessage("Aino", "0", "Tuvako01"));
    ASSERT_GE(fields.size(), 9u);
    EXPECT_EQ(fields[0], "Crd");
    EXPECT_NE(fields[6], "OK");
    EXPECT_EQ(fields[7], "Aino");
    EXPECT_EQ(fields[8], "0");
}

TEST(MessageComposer, ChoiceListIsFramedByStartAndStopWithOneButtonPerChoice) {
    const std::vector<SampleChoice> choices = {
        {"Paikka", "P3", "", {"Rata 3"}},
        {"Tuote", "V31", "A", {"1", "2", "3", "4", "5", "6"}},
    };
    const auto records = MessageComposer::ChoiceList(choices, "T");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(Split(records[0])[0], "Buttons");
    EXPECT_EQ(Split(records[0])[5], "START");
    EXPECT_EQ(Split(records[3])[5], "STOP");
    const Fields seat = Split(records[1]);
    EXPECT_EQ(seat[5], "BUTTON");
    EXPECT_EQ(seat[6], "Paikka");
    EXPECT_EQ(seat[7], "P3");
    EXPECT_EQ(seat[9], "Rata 3");
    const Fields fiveLines = Split(records[2]);
    EXPECT_EQ(fiveLines[8], "A");
    // Fields 9 to 13 carry the caption; a sixth line is never sent.
    EXPECT_EQ(Fields(fiveLines.begin() + 9, fiveLines.end()),
              (Fields{"1", "2", "3", "4", "5", ""}));
}

TEST(DemoCatalog, MembersShowEveryValidityKindAndCarryWhatAChoiceNeeds) {
    std::set<AnsiString> kinds;
    bool dateless = false;
    for (const SampleMember& member : DemoCatalog::Members()) {
        kinds.insert(member.validityKind);
        dateless |= member.validityKind != "1" && member.validUntil.empty();
        EXPECT_FALSE(member.customerNumber.empty());
        EXPECT_FALSE(member.greeting.empty());
        // The terminal cuts the pending customer at 255 bytes; a sample must never need that.
        EXPECT_LT(member.customerNumber.size() + member.choiceHead.size() +
                      member.visitCode.size() + member.ticket.size() + member.logData.size(),
                  200u);
    }
    EXPECT_EQ(DemoCatalog::Members().size(), 5u);
    EXPECT_TRUE(kinds.count("1") && kinds.count("2") && kinds.count("3"));
    EXPECT_EQ(kinds.size(), 4u);  // and one kind that adds nothing
    EXPECT_TRUE(dateless);
}

TEST(DemoCatalog, ChoicesHoldADiscountedOneAFiveLineCaptionAndASeat) {
    int discounted = 0, fiveLines = 0, seats = 0;
    std::set<AnsiString> codes;
    for (const SampleChoice& choice : DemoCatalog::Choices()) {
        discounted += choice.discountClass == "A";
        fiveLines += choice.type != "Paikka" && choice.captionLines.size() == 5;
        seats += choice.type == "Paikka";
        codes.insert(choice.code);
    }
    EXPECT_EQ(discounted, 1);
    EXPECT_EQ(fiveLines, 1);
    EXPECT_EQ(seats, 1);
    EXPECT_EQ(codes.size(), DemoCatalog::Choices().size());  // every slot tells its own code
}

}  // namespace
}  // namespace tuvako::sim
