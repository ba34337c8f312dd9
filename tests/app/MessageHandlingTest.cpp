// Card and button messages: validity texts, short messages, refused cards, cut pending records.
#include "RoadFixture.h"
#include "app/MessageTexts.h"

namespace tuvako {
namespace {

using MessageHandling = RoadFixture;

TEST(ValidityText, AppendsTheDateVisitsOrBalanceByKind) {
    const auto card = [](const char* kind, const char* date, const char* visits = "",
                         const char* balance = "") {
        return FieldList{"Crd", "", "",       "",   "",   "",     "OK",    "", "",
                         "",    "", "Kortti", kind, date, visits, balance, ""};
    };
    EXPECT_EQ(ValidityText(card("1", "")), "Kortti. Voimassa asti: ");
    EXPECT_EQ(ValidityText(card("2", "", "7")), "Kortti. J\xE4ljell\xE4: 7");
    EXPECT_EQ(ValidityText(card("3", "", "", "12,50")), "Kortti. Saldo: 12,50");
    EXPECT_EQ(ValidityText(card("3", "1.1.27", "", "1")), "Kortti. Saldo: 1 Voimassa asti: 1.1.27");
    EXPECT_EQ(ValidityText(card("4", "1.1.27")), "Kortti");
    FieldList tenFields = card("1", "1.1.27");
    tenFields.resize(10);
    EXPECT_EQ(ValidityText(tenFields), "");
}

TEST_F(MessageHandling, ShortMessagesReadTheirMissingFieldsAsEmpty) {
    Start();
    Receive("Crd^1^2^3^4^5^OK");
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(probe->PendingCustomer(), "2^5^^^");
    Receive(kStart);
    Receive("Buttons^1^2^3^4^BUTTON");
    EXPECT_EQ(Shown(), (std::vector<QString>{kOnlyClearButton[0], ""}));
    Receive("Crd^1^2^3^4^5");  // no field 6: a card that is not "OK", with an empty text
    ExpectWaitingScreen();
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, PendingCustomerCutAt255HasAnEmptyNoteAndIsNeverReported) {
    Start();
    AnsiString card = AcceptedCard();
    card.replace(card.find("K1?A@55#"), 8, AnsiString(300, 'k'));
    Receive(card);
    EXPECT_EQ(probe->PendingCustomer(), "4711^" + AnsiString(250, 'k'));
    Receive(kStart);
    Click(0);  // the clear button: no report, but the screen clears
    ExpectWaitingScreen();
    Receive(card);
    Receive(AcceptedCard("4712"));  // the next customer: no report either
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, RefusedCardChangesOnlyTheHeadlineUntilAGridExists) {
    Start();
    Receive(AcceptedCard());
    Receive(AcceptedCard("4712"));  // no grid yet: no report
    Receive("Crd^1^2^3^4^5^EI^X1^16");
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) ");
    EXPECT_EQ(probe->PendingCustomer(), "4712^K1?A@55#^0^T9^V-88");
    Receive(kStart);
    Receive("Crd^1^2^3^4^5^EI^X1^0");
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) Ved\xE4 kortti lukijasta");
    Receive("Crd^1^2^3^4^5^EI^X1^5");
    EXPECT_EQ(Headline(), "X1Ved\xE4 kortti lukijasta");
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(probe->PendingCustomer(), "");
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, UnknownKindsAndButtonWordsChangeNothing) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    for (const char* line : {"crd^1^2^3^4^5^EI^X", "Buttons^1^2^3^4^start", "Info^1^2^3^4^START"})
        Receive(line);
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(probe->NextButton(), 1);
}

}  // namespace
}  // namespace tuvako
