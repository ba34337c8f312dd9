// The messages the simulator sends, compared whole, and the sample data of its demo mode.
#include "sim/DemoCatalog.h"
#include "sim/MessageComposer.h"

#include <gtest/gtest.h>

#include <set>

namespace tuvako::sim {
namespace {

using Fields = std::vector<AnsiString>;

TEST(MessageComposer, SplitKeepsEmptyFieldsAndJoinEndsEveryFieldWithASeparator) {
    EXPECT_EQ(MessageComposer::SplitFields("a^^c"), (Fields{"a", "", "c"}));
    EXPECT_EQ(MessageComposer::SplitFields(""), (Fields{""}));
    EXPECT_EQ(MessageComposer::SplitFields("^"), (Fields{"", ""}));
    EXPECT_EQ(MessageComposer::JoinFields({"Ping", "", "x"}), "Ping^^x^");
}

TEST(MessageComposer, CardNoticeAndChoiceListPutEveryFieldWhereTheTerminalReadsIt) {
    const SampleMember member{"4711", "K1?A@55#",   "CARD", "0",     "T9",   "Aino", "Kortti",
                              "2",    "31.12.2026", "7",    "12,50", "V-88", "hi"};
    // Fields 2, 5, 8, 9 and 16 make the pending customer; 7, 10 to 15 fill the screen.
    EXPECT_EQ(MessageComposer::CardMessage(member, "Tuvako01"),
              "Crd^Tuvako01^4711^-^0^K1?A@55#^OK^CARD^0^T9^Aino^Kortti^2^31.12.2026^7^12,50^V-88^");
    EXPECT_EQ(MessageComposer::NoticeMessage("Aino", "0", "Tuvako01"),
              "Crd^Tuvako01^-^-^0^-^EI^Aino^0^");
    // One button per choice between START and STOP; a sixth caption line is never sent.
    EXPECT_EQ(MessageComposer::ChoiceList({{"Paikka", "P3", "", {"Rata 3"}},
                                           {"Tuote", "V31", "A", {"1", "2", "3", "4", "5", "6"}}},
                                          "T"),
              (Fields{"Buttons^T^-^-^0^START^", "Buttons^T^-^-^0^BUTTON^Paikka^P3^^Rata 3^",
                      "Buttons^T^-^-^0^BUTTON^Tuote^V31^A^1^2^3^4^5^", "Buttons^T^-^-^0^STOP^"}));
}

TEST(DemoCatalog, MembersShowEveryValidityKindAndChoicesADiscountAFiveLineCaptionAndASeat) {
    std::set<AnsiString> kinds, codes;
    bool dateless = false;
    for (const SampleMember& m : DemoCatalog::Members()) {
        kinds.insert(m.validityKind);
        dateless |= m.validityKind != "1" && m.validUntil.empty();
        EXPECT_FALSE(m.greeting.empty());
        // The terminal cuts the pending customer at 255 bytes; a sample must never need that.
        EXPECT_LT((m.customerNumber + m.choiceHead + m.visitCode + m.ticket + m.logData).size(),
                  200u);
    }
    // Five members: kinds 1, 2 and 3, one that adds nothing, and one without a date.
    EXPECT_EQ(DemoCatalog::Members().size(), 5u);
    EXPECT_TRUE(kinds.size() == 4 && kinds.count("1") && kinds.count("2") && kinds.count("3"));
    EXPECT_TRUE(dateless);
    int discounted = 0, fiveLines = 0, seats = 0;
    for (const SampleChoice& choice : DemoCatalog::Choices()) {
        discounted += choice.discountClass == "A";
        fiveLines += choice.type != "Paikka" && choice.captionLines.size() == 5;
        seats += choice.type == "Paikka";
        codes.insert(choice.code);
    }
    EXPECT_EQ(std::tuple(discounted, fiveLines, seats), std::tuple(1, 1, 1));
    EXPECT_EQ(codes.size(), DemoCatalog::Choices().size());  // every slot tells its own code
}

}  // namespace
}  // namespace tuvako::sim
