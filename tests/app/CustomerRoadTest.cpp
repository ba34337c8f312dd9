// The road of one customer on enciphered lines: card, list of choices, a press, the records.
#include "RoadFixture.h"

#include <QPlainTextEdit>

namespace tuvako {
namespace {

class CustomerRoad : public RoadFixture {
protected:
    // A card and a list of two choices, the second discounted; the customer's time runs.
    void OfferTwoChoices(const AnsiString& card = AcceptedCard()) {
        for (const AnsiString& line : {card, kStart, ButtonMessage("V12", "Sali"),
                                       ButtonMessage("P3", "Kuntosali", "A"), kStop})
            Receive(line);
    }
};

TEST_F(CustomerRoad, CardThenChoicesThenAPressSendsTheChoiceRecord) {
    Start();
    Receive(AcceptedCard());
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(Box("EdtNimi"), "Matti Meik\xE4l\xE4inen");
    EXPECT_EQ(Box("EdtKoTiedot"), "Sarjakortti. J\xE4ljell\xE4: 7 Voimassa asti: 31.12.2026");
    EXPECT_EQ(Headline(), "Valitse listasta!");
    OfferTwoChoices();
    EXPECT_EQ(Shown(), (std::vector<QString>{kOnlyClearButton[0], "Sali", "Kuntosali (Ale)"}));
    EXPECT_TRUE(transport.sent.empty());

    Click(1);
    const AnsiString choice = "Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^";
    EXPECT_EQ(Sent(), std::vector<AnsiString>{choice});
    EXPECT_TRUE(
        Find<QPlainTextEdit>("Memo")->toPlainText().contains(ToQString("> Snd: " + choice)));
    // Only the clear button is left; the customer's data and the pending record stay.
    EXPECT_EQ(Shown(), kOnlyClearButton);
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(probe->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");

    Receive(kStart);  // the same customer again, with a list of one
    Receive(ButtonMessage("P3", "Kuntosali"));
    Click(1);
    EXPECT_EQ(Sent().at(1), "Crd^4711^Tuvako01^-^0^K1?A@P3@55<#20&^OK^0^Lippu=T9^");
}

TEST_F(CustomerRoad, ClearButtonReportsInCodePage1252AndReturnsToWaiting) {
    Start();
    OfferTwoChoices();
    Click(0);
    // The cipher text of an independent implementation: "ä" travels as the one byte 0xE4.
    EXPECT_EQ(transport.sent, std::vector<AnsiString>{
                                  "meATCcqFdMqyve1Ll1Bwdo90x9Q1SX9f6Zwom9Agv7buHGe6S3rcRvNgrBo84/"
                                  "WgeyupSp2QJ2fGiixkZj3BmVyG\r\n"});
    EXPECT_EQ(Sent(), std::vector<AnsiString>{
                          "Log^4711^Tuvako01^-^0^V-88;Tyhjenn\xE4: Valintaa ei tehty!^SaveLogi^^"});
    ExpectWaitingScreen();
}

TEST_F(CustomerRoad, NextCardReportsThePreviousCustomerChosenOrNot) {
    Start();
    OfferTwoChoices();
    OfferTwoChoices(AcceptedCard("4712", "W-99"));
    EXPECT_EQ(Sent(), std::vector<AnsiString>{"Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto: "
                                              "Valintaa ei tehty!^SaveLogi^^"});
    EXPECT_EQ(probe->PendingCustomer(), "4712^K1?A@55#^0^T9^W-99");
    // A choice keeps the customer stored, so the next card reports it all the same.
    Click(1);
    Receive(AcceptedCard("4713"));
    ASSERT_EQ(Sent().size(), 3u);
    EXPECT_TRUE(Sent()[2].starts_with("Log^4712^Tuvako01^-^0^W-99;Seuravan asiakaan veto"));
}

}  // namespace
}  // namespace tuvako
