// The road of one customer on enciphered lines: card, choices, a press or the clear button or
// the time-out on the fake clock, and the records each sends.
#include "RoadFixture.h"

namespace tuvako {
namespace {

using CustomerRoad = RoadFixture;

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
    EXPECT_TRUE(transport.sent.empty());

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

TEST_F(CustomerRoad, ClearButtonReportsInCodePage1252AndReturnsToWaiting) {
    Start();
    OfferTwoChoices();
    Click(0);
    // The cipher text of an independent implementation: "ä" travels as the one byte 0xE4.
    EXPECT_EQ(transport.sent,
              Records{"meATCcqFdMqyve1Ll1Bwdo90x9Q1SX9f6Zwom9Agv7buHGe6S3rcRvNgrBo84/"
                      "WgeyupSp2QJ2fGiixkZj3BmVyG\r\n"});
    EXPECT_EQ(Sent(),
              Records{"Log^4711^Tuvako01^-^0^V-88;Tyhjenn\xE4: Valintaa ei tehty!^SaveLogi^^"});
    ExpectWaitingScreen();
    Elapse(60000);  // the time-out finds nothing more to report
    EXPECT_EQ(transport.sent.size(), 1u);
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
    EXPECT_TRUE(transport.sent.empty());
    Elapse(1000);
    EXPECT_EQ(Sent(), Records{kTimeout});
    ExpectWaitingScreen();
    Elapse(20000);
    EXPECT_EQ(transport.sent.size(), 1u);
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
    EXPECT_EQ(transport.sent.size(), 2u);
    ExpectWaitingScreen();
}

}  // namespace
}  // namespace tuvako
