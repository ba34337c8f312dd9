// Lines in and out: the login prompt, short lines, a link that is off or down, late lines.
#include "RoadFixture.h"

#include <QPlainTextEdit>

namespace tuvako {
namespace {

class LineFraming : public RoadFixture {
protected:
    QString Log() const { return Find<QPlainTextEdit>("Memo")->toPlainText(); }
};

TEST_F(LineFraming, LoginPromptIsAnsweredInPlainAndNeverDeciphered) {
    Start("Number=12\n");
    transport.Deliver("Login:\r\n");
    transport.Deliver("Login:\r\n");
    const AnsiString login = "Moi^-^Tuvako12^-^0^KVLNQ^";
    EXPECT_EQ(Sent(), (std::vector<AnsiString>{login, login}));
    EXPECT_EQ(transport.sent[0], transport.sent[1]);  // each line keyed afresh
    EXPECT_TRUE(Log().contains("> Rcv: Login:\n"));
    EXPECT_TRUE(Log().contains(ToQString("> Snd: " + login)));
    // Another case or a trailing blank is cipher text, deciphered into something unreadable.
    transport.Deliver("login:\r\n");
    transport.Deliver("Login: \r\n");
    EXPECT_EQ(transport.sent.size(), 2u);
}

TEST_F(LineFraming, LinesOfFewerThanSixFieldsAreLoggedAndIgnored) {
    Start();
    Receive("Crd^a^b^c^d");
    EXPECT_TRUE(Log().contains("> Rcv: Crd^a^b^c^d"));
    EXPECT_EQ(Headline(), "Ved\xE4 kortti lukijasta");
    transport.Deliver(EncipherLine(AcceptedCard()));  // a last line without its line end
    EXPECT_EQ(Box("EdtKortti"), "C-1");
}

TEST_F(LineFraming, RecordsAreDroppedUnloggedWhileTheLinkIsDownOrOff) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    transport.connected = false;
    Click(0);  // the clear button's report
    EXPECT_EQ(transport.openRequests, 1);
    probe->SetUseServer(false);
    transport.connected = true;
    transport.Deliver("Login:\r\n");
    EXPECT_EQ(transport.openRequests, 1);
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_FALSE(Log().contains("Snd:"));
}

TEST_F(LineFraming, LinesAfterTheWindowClosedChangeNothing) {
    Start();
    Receive(AcceptedCard());
    Receive(kStart);
    window->close();  // the codes are freed here
    Receive(AcceptedCard("4712"));
    Receive(ButtonMessage("V1", "Sali"));
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(probe->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");
    window.reset();  // once the window is gone its transport reaches nothing
    Receive(AcceptedCard());
    EXPECT_TRUE(transport.sent.empty());
}

}  // namespace
}  // namespace tuvako
