// The road of one customer on enciphered lines (card, choices, a press or the clear button or the
// time-out on the fake clock, and the records each sends), and the lines and messages off it.
#include "RoadFixture.h"

namespace tuvako {
namespace {

using CustomerRoad = RoadFixture;
using MessageHandling = RoadFixture;

const AnsiString kTimeout = "Log^4711^Tuvako01^-^0^V-88;Timeout: Valintaa ei tehty!^SaveLogi^^";

TEST_F(CustomerRoad, CardThenChoicesThenAPressSendsTheChoiceRecord) {
    Start();
    Receive({AcceptedCard()});
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(Box("EdtNimi"), "Matti Meik\xE4l\xE4inen");
    EXPECT_EQ(Box("EdtKoTiedot"), "Sarjakortti. J\xE4ljell\xE4: 7 Voimassa asti: 31.12.2026");
    EXPECT_EQ(Headline(), "Valitse listasta!");
    OfferTwoChoices();
    EXPECT_EQ(Shown(), (Captions{kClear, "Sali", "Kuntosali (Ale)"}));
    EXPECT_TRUE(Lines().empty());

    Click(1);
    EXPECT_EQ(Sent(), Records{kChoice});
    EXPECT_TRUE(Log().contains(ToQString("> Snd: " + kChoice)));
    // Only the clear button is left; the customer's data and the pending record stay.
    EXPECT_EQ(Shown(), Captions{kClear});
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(road->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");

    Receive({kStart, ButtonMessage("P3", "Kuntosali")});  // the same customer, a list of one
    Click(1);
    EXPECT_EQ(Sent().at(1), "Crd^4711^Tuvako01^-^0^K1?A@P3@55<#20&^OK^0^Lippu=T9^");
}

// A kiosk shows no focus frame: a pressed button takes no focus, so none is left for the
// boxes or for the buttons of the next customer when the choices go away.
TEST_F(CustomerRoad, NoButtonOrBoxHasTheFocusAfterAChoiceOrAfterClearing) {
    Start();
    window->activateWindow();
    ASSERT_TRUE(test::WaitUntil([&] { return window->isActiveWindow(); }));
    const auto focused = [] {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName().toStdString() : std::string("none");
    };
    OfferTwoChoices();
    Click(2);
    EXPECT_EQ(focused(), "none");
    Click(0);
    ExpectWaitingScreen();
    EXPECT_EQ(focused(), "none");
    OfferTwoChoices(AcceptedCard("4712"));
    EXPECT_EQ(focused(), "none");
}

TEST_F(CustomerRoad, ClearButtonReportsInCodePage1252AndReturnsToWaiting) {
    Start();
    OfferTwoChoices();
    Click(0);
    // The cipher text of an independent implementation: "ä" travels as the one byte 0xE4.
    EXPECT_EQ(Lines(), Records{"meATCcqFdMqyve1Ll1Bwdo90x9Q1SX9f6Zwom9Agv7buHGe6S3rcRvNgrBo84/"
                               "WgeyupSp2QJ2fGiixkZj3BmVyG\r\n"});
    EXPECT_EQ(Sent(),
              Records{"Log^4711^Tuvako01^-^0^V-88;Tyhjenn\xE4: Valintaa ei tehty!^SaveLogi^^"});
    ExpectWaitingScreen();
    Elapse(60000);  // the time-out finds nothing more to report
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(CustomerRoad, NextCardReportsThePreviousCustomerChosenOrNot) {
    Start();
    OfferTwoChoices();
    OfferTwoChoices(AcceptedCard("4712", "W-99"));
    EXPECT_EQ(Sent(), Records{"Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto: "
                              "Valintaa ei tehty!^SaveLogi^^"});
    EXPECT_EQ(road->PendingCustomer(), "4712^K1?A@55#^0^T9^W-99");
    Click(1);  // a choice keeps the customer stored, so the next card reports it all the same
    Receive({AcceptedCard("4713")});
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_TRUE(Sent()[2].starts_with("Log^4712^Tuvako01^-^0^W-99;Seuravan asiakaan veto"));
}

TEST_F(CustomerRoad, TimeoutComesButtonShowTimeAfterTheFirstStopReportsAndClearsOnce) {
    Start("ButtonShowTime=20\n");
    OfferTwoChoices();
    Elapse(19000);
    Receive({kStop});  // a second STOP gives no more time
    EXPECT_EQ(Shown().size(), 3u);
    EXPECT_TRUE(Lines().empty());
    Elapse(1000);
    EXPECT_EQ(Sent(), Records{kTimeout});
    ExpectWaitingScreen();
    Elapse(20000);
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(CustomerRoad, TimeoutWaitsForAListAndReportsTheCustomerEvenAfterAChoice) {
    Start();
    Receive({AcceptedCard()});
    Elapse(60000);  // no list yet: the tick only switches the trigger off
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    Receive({kStart, ButtonMessage("V12", "Sali"), kStop});  // switched on again by the list
    Click(1);
    Elapse(60000);
    EXPECT_EQ(Sent(), (Records{kChoice, kTimeout}));
    ExpectWaitingScreen();
    OfferTwoChoices(AcceptedCard("4712", ""));  // without a note there is nothing to report
    Elapse(60000);
    EXPECT_EQ(Lines().size(), 2u);
    ExpectWaitingScreen();
}

TEST_F(MessageHandling, LoginPromptIsAnsweredInPlainOnlyWhileTheLinkIsUp) {
    Start("Number=12\n");
    // Another case or a trailing blank is cipher text, deciphered into something unreadable.
    for (const char* line : {"Login:\r\n", "login:\r\n", "Login:\r\n", "Login: \r\n"})
        ReceivePlain(line);
    const AnsiString login = "Moi^-^Tuvako12^-^0^KVLNQ^";
    EXPECT_EQ(Sent(), (Records{login, login}));
    EXPECT_EQ(Lines()[0], Lines()[1]);  // each line keyed afresh
    EXPECT_TRUE(Log().contains("> Rcv: Login:\n"));
    EXPECT_TRUE(Log().contains(ToQString("> Snd: " + login)));
    // While the link is down a record asks for a new session and is dropped; while it is off
    // nothing is asked.
    net.PeerClose();
    HandlePostedMessages();
    Elapse(3600 * 1000);  // the keep-alive's Ping
    EXPECT_EQ(net.Sockets().size(), 2u);
    road->SetUseServer(false);
    Connect();
    ReceivePlain("Login:\r\n");
    EXPECT_EQ(net.Sockets().size(), 2u);
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Log().count("Snd:"), 2);
}

TEST_F(MessageHandling, ShortLinesAreIgnoredAndShortMessagesReadMissingFieldsAsEmpty) {
    Start();
    Receive({"Crd^a^b^c^d"});  // fewer than six fields: logged only
    EXPECT_TRUE(Log().contains("> Rcv: Crd^a^b^c^d"));
    EXPECT_EQ(Headline(), kWaiting);
    // The validity text by card kind, from cards without a note (so nothing is reported).
    const std::pair<AnsiString, AnsiString> validity[] = {
        {"1", "Kortti. Voimassa asti: "},
        {"2^^7", "Kortti. J\xE4ljell\xE4: 7"},
        {"3^1.1.27^^1", "Kortti. Saldo: 1 Voimassa asti: 1.1.27"},
        {"4^1.1.27", "Kortti"}};
    for (const auto& [fields, text] : validity) {
        Receive({"Crd^1^2^3^4^5^OK^^^^^Kortti^" + fields});
        EXPECT_EQ(Box("EdtKoTiedot"), text) << fields;
    }
    Receive({"Crd^1^2^3^4^5^OK"});
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(road->PendingCustomer(), "2^5^^^");
    EXPECT_EQ(Box("EdtKoTiedot"), "");
    // Other kinds, and button words in another case, change nothing.
    Receive({kStart, "Buttons^1^2^3^4^BUTTON", "crd^1^2^3^4^5^EI^X", "Buttons^1^2^3^4^start",
             "Info^1^2^3^4^BUTTON^X^V1^^Info"});
    EXPECT_EQ(Shown(), (Captions{kClear, ""}));
    EXPECT_EQ(Headline(), "Valitse listasta!");
    Receive({"Crd^1^2^3^4^5"});  // no field 6: a card that is not "OK", with an empty text
    ExpectWaitingScreen();
    EXPECT_TRUE(Lines().empty());
    ReceivePlain(EncipherLine(AcceptedCard()));  // a last line without its line end ...
    EXPECT_EQ(Box("EdtKortti"), "");
    net.PeerClose();  // ... is handled when the connection ends
    HandlePostedMessages();
    EXPECT_EQ(Box("EdtKortti"), "C-1");
}

TEST_F(MessageHandling, LinesAfterTheWindowClosedChangeNothing) {
    Start();
    Receive({AcceptedCard(), kStart});
    window->close();  // the codes are freed here
    Receive({AcceptedCard("4712"), ButtonMessage("V1", "Sali")});
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(road->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");
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
    EXPECT_TRUE(Lines().empty());
}

TEST_F(MessageHandling, RefusedCardChangesOnlyTheHeadlineUntilAGridExists) {
    Start();
    Receive({AcceptedCard(), AcceptedCard("4712")});  // no grid yet: no report
    Receive({"Crd^1^2^3^4^5^EI^X1^16"});
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) ");
    EXPECT_EQ(road->PendingCustomer(), "4712^K1?A@55#^0^T9^V-88");
    Receive({kStart, "Crd^1^2^3^4^5^EI^X1^0"});
    EXPECT_EQ(Headline(), "Tervetuloa! (X1) " + kWaiting);
    Receive({"Crd^1^2^3^4^5^EI^X1^5"});
    EXPECT_EQ(Headline(), "X1" + kWaiting);
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(road->PendingCustomer(), "");
    EXPECT_TRUE(Lines().empty());
}

TEST_F(MessageHandling, BoxesShowLongTextsFromTheirStartAlsoWhenTheSameTextComesAgain) {
    Start();
    const auto card = [](const AnsiString& name) {
        return "Crd^1^4711^3^4^K1^OK^C-1^0^T9^" + name + "^Sarjakortti^2^31.12.2026^7^^V-88";
    };
    const AnsiString longName = "Meik\xE4l\xE4inen-" + AnsiString(80, 'N') + " Matti";
    auto* box = Find<QLineEdit>("EdtNimi");
    Receive({card(longName)});
    EXPECT_EQ(Box("EdtNimi"), longName);
    EXPECT_EQ(box->cursorPosition(), 0);
    box->selectAll();  // the operator marks the name, which also takes the cursor to its end
    Receive({card(longName)});
    EXPECT_EQ(Box("EdtNimi"), longName);
    EXPECT_EQ(box->cursorPosition(), 0);
    EXPECT_FALSE(box->hasSelectedText());
    Receive({card("Virtanen Liisa")});
    EXPECT_EQ(Box("EdtNimi"), "Virtanen Liisa");
    EXPECT_EQ(box->cursorPosition(), 0);
}

}  // namespace
}  // namespace tuvako
