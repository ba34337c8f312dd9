// Card and button messages: short messages, refused cards, pending customers cut at 255.
#include "RoadFixture.h"

namespace tuvako {
namespace {

using MessageHandling = RoadFixture;

TEST_F(MessageHandling, ShortMessagesReadTheirMissingFieldsAsEmpty) {
    Start();
    Receive("Crd^1^2^3^4^5^OK");
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(Box("EdtKortti"), "");
    EXPECT_EQ(Box("EdtKoTiedot"), "");
    EXPECT_EQ(probe->PendingCustomer(), "2^5^^^");
    Receive(kStart);
    Receive("Buttons^1^2^3^4^BUTTON");
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Tyhjenn\u00E4 ruutu", ""}));
    EXPECT_EQ(probe->ButtonCodes().at(1), "");
    // Six fields and no field 6: a card that is not "OK", with an empty text.
    Receive("Crd^1^2^3^4^5");
    EXPECT_EQ(Headline(), "Ved\xE4 kortti lukijasta");
    EXPECT_EQ(probe->PendingCustomer(), "");
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, PendingCustomerCutAt255HasAnEmptyField4AndIsNeverReported) {
    Start();
    AnsiString card = AcceptedCard();
    card.replace(card.find("K1?A@55#"), 8, AnsiString(300, 'k'));
    Receive(card);
    EXPECT_EQ(probe->PendingCustomer(), "4711^" + AnsiString(250, 'k'));
    Receive(kStart);
    Click(0);  // clear button: no report, but the screen clears
    EXPECT_EQ(probe->PendingCustomer(), "");
    Receive(card);
    Receive(AcceptedCard("4712"));  // next customer: no report for the cut one either
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, CardsBeforeAnyGridSendNoReport) {
    Start();
    Receive(AcceptedCard());
    Receive(AcceptedCard("4712"));
    EXPECT_TRUE(transport.sent.empty());
    // A refused card without a grid changes only the headline.
    Receive("Crd^1^2^3^4^5^EI^X1^5");
    EXPECT_EQ(Headline(), "X1");
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(probe->PendingCustomer(), "4712^K1?A@55#^0^T9^V-88");
}

TEST_F(MessageHandling, RefusedCardWithAGridClearsTheScreenUnderItsOwnHeadline) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    Receive(ButtonMessage("V1", "Sali"));
    Receive("Crd^1^2^3^4^5^EI^X1^5");
    EXPECT_EQ(Headline(), "X1Ved\xE4 kortti lukijasta");
    EXPECT_TRUE(ShownCaptions().empty());
    EXPECT_EQ(Box("EdtNimi"), "");
    EXPECT_EQ(probe->PendingCustomer(), "");
    EXPECT_TRUE(transport.sent.empty());
    Receive("Crd^1^2^3^4^5^EI^X1^16");
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) Ved\xE4 kortti lukijasta");
}

TEST_F(MessageHandling, UnknownKindsAndButtonWordsChangeNothing) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    for (const char* line : {"crd^1^2^3^4^5^OK^X", "Buttons^1^2^3^4^start", "Info^1^2^3^4^START"})
        Receive(line);
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(probe->NextButton(), 1);
    EXPECT_TRUE(transport.sent.empty());
}

}  // namespace
}  // namespace tuvako
