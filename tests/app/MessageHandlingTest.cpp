// Lines in and out and the messages they carry: the login prompt, short lines and messages, a
// link that is off or down, late lines, refused cards, cut pending records.
#include "RoadFixture.h"

namespace tuvako {
namespace {

using MessageHandling = RoadFixture;

TEST_F(MessageHandling, LoginPromptIsAnsweredInPlainOnlyWhileTheLinkIsUp) {
    Start("Number=12\n");
    transport.Deliver("Login:\r\n");
    transport.Deliver("Login:\r\n");
    const AnsiString login = "Moi^-^Tuvako12^-^0^KVLNQ^";
    EXPECT_EQ(Sent(), (Records{login, login}));
    EXPECT_EQ(transport.sent[0], transport.sent[1]);  // each line keyed afresh
    EXPECT_TRUE(Log().contains("> Rcv: Login:\n"));
    EXPECT_TRUE(Log().contains(ToQString("> Snd: " + login)));
    // Another case or a trailing blank is cipher text, deciphered into something unreadable.
    transport.Deliver("login:\r\n");
    transport.Deliver("Login: \r\n");
    // While the link is down a record asks for a new session and is dropped unlogged; while
    // it is off nothing is asked.
    transport.connected = false;
    transport.Deliver("Login:\r\n");
    EXPECT_EQ(transport.openRequests, 1);
    road->SetUseServer(false);
    transport.connected = true;
    transport.Deliver("Login:\r\n");
    EXPECT_EQ(transport.openRequests, 1);
    EXPECT_EQ(transport.sent.size(), 2u);
    EXPECT_EQ(Log().count("Snd:"), 2);
}

TEST_F(MessageHandling, ShortLinesAreIgnoredAndShortMessagesReadMissingFieldsAsEmpty) {
    Start();
    Receive({"Crd^a^b^c^d"});  // fewer than six fields: logged only
    EXPECT_TRUE(Log().contains("> Rcv: Crd^a^b^c^d"));
    EXPECT_EQ(Headline(), "Ved\xE4 kortti lukijasta");
    Receive({"Crd^1^2^3^4^5^OK"});
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(road->PendingCustomer(), "2^5^^^");
    // Other kinds, and button words in another case, change nothing.
    Receive({kStart, "Buttons^1^2^3^4^BUTTON", "crd^1^2^3^4^5^EI^X", "Buttons^1^2^3^4^start",
             "Info^1^2^3^4^BUTTON^X^V1^^Info"});
    EXPECT_EQ(Shown(), (Captions{kClear, ""}));
    EXPECT_EQ(Headline(), "Valitse listasta!");
    Receive({"Crd^1^2^3^4^5"});  // no field 6: a card that is not "OK", with an empty text
    ExpectWaitingScreen();
    EXPECT_TRUE(transport.sent.empty());
    transport.Deliver(EncipherLine(AcceptedCard()));  // a last line without its line end
    EXPECT_EQ(Box("EdtKortti"), "C-1");
}

TEST_F(MessageHandling, LinesAfterTheWindowClosedChangeNothing) {
    Start();
    Receive({AcceptedCard(), kStart});
    window->close();  // the codes are freed here
    Receive({AcceptedCard("4712"), ButtonMessage("V1", "Sali")});
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(road->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");
    window.reset();  // once the window is gone its transport reaches nothing
    Receive({AcceptedCard()});
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, PendingCustomerCutAt255HasAnEmptyNoteAndIsNeverReported) {
    Start();
    AnsiString card = AcceptedCard();
    card.replace(card.find("K1?A@55#"), 8, AnsiString(300, 'k'));
    Receive({card});
    EXPECT_EQ(road->PendingCustomer(), "4711^" + AnsiString(250, 'k'));
    Receive({kStart});
    Click(0);  // the clear button: no report, but the screen clears
    ExpectWaitingScreen();
    Receive({card, AcceptedCard("4712")});  // the next customer: no report either
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(MessageHandling, RefusedCardChangesOnlyTheHeadlineUntilAGridExists) {
    Start();
    Receive({AcceptedCard(), AcceptedCard("4712")});  // no grid yet: no report
    Receive({"Crd^1^2^3^4^5^EI^X1^16"});
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) ");
    EXPECT_EQ(road->PendingCustomer(), "4712^K1?A@55#^0^T9^V-88");
    Receive({kStart, "Crd^1^2^3^4^5^EI^X1^0"});
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) Ved\xE4 kortti lukijasta");
    Receive({"Crd^1^2^3^4^5^EI^X1^5"});
    EXPECT_EQ(Headline(), "X1Ved\xE4 kortti lukijasta");
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(road->PendingCustomer(), "");
    EXPECT_TRUE(transport.sent.empty());
}

}  // namespace
}  // namespace tuvako
