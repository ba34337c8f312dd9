// The road of one customer on enciphered lines: card, list of choices, a press, the records.
#include "RoadFixture.h"

#include <QPlainTextEdit>

namespace tuvako {
namespace {

class CustomerRoad : public RoadFixture {
protected:
    // A card and a list of two choices, the second discounted, the customer's time running.
    void OfferTwoChoices() {
        Receive(AcceptedCard());
        Receive(kStart);
        Receive(ButtonMessage("V12", "Sali"));
        Receive(ButtonMessage("P3", "Kuntosali", "A"));
        Receive(kStop);
    }

    QString Log() const { return Find<QPlainTextEdit>("Memo")->toPlainText(); }
};

TEST_F(CustomerRoad, CardThenChoicesThenAPressSendsTheChoiceRecord) {
    Start();
    Receive(AcceptedCard());
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(Box("EdtNimi"), "Matti Meik\xE4l\xE4inen");
    EXPECT_EQ(Box("EdtKoTiedot"), "Sarjakortti. J\xE4ljell\xE4: 7 Voimassa asti: 31.12.2026");
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(probe->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");

    Receive(kStart);
    Receive(ButtonMessage("V12", "Sali"));
    Receive(ButtonMessage("P3", "Kuntosali", "A"));
    Receive(kStop);
    EXPECT_EQ(ShownCaptions(),
              (std::vector<QString>{"Tyhjenn\u00E4 ruutu", "Sali", "Kuntosali (Ale)"}));
    EXPECT_TRUE(Sent().empty());

    Click(1);
    EXPECT_EQ(Sent(),
              (std::vector<AnsiString>{"Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^"}));
    EXPECT_TRUE(Log().contains("> Snd: Crd^4711^Tuvako01^-^0^K1?A@VV12@55<#24&^OK^0^Lippu=T9^"));
    // Only the clear button is left; the customer's data and the pending record stay.
    EXPECT_EQ(ShownCaptions(), (std::vector<QString>{"Tyhjenn\u00E4 ruutu"}));
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    EXPECT_EQ(probe->PendingCustomer(), "4711^K1?A@55#^0^T9^V-88");
}

TEST_F(CustomerRoad, ACodeStartingWithPTakesNoV) {
    Start();
    OfferTwoChoices();
    Click(2);
    EXPECT_EQ(Sent(),
              (std::vector<AnsiString>{"Crd^4711^Tuvako01^-^0^K1?A@P3@55<#20&^OK^0^Lippu=T9^"}));
}

TEST_F(CustomerRoad, ClearButtonReportsInCodePage1252AndReturnsToWaiting) {
    Start();
    OfferTwoChoices();
    Click(0);
    // The cipher text of an independent implementation: the "ä" of "Tyhjennä" left as one byte.
    EXPECT_EQ(transport.sent,
              (std::vector<AnsiString>{"meATCcqFdMqyve1Ll1Bwdo90x9Q1SX9f6Zwom9Agv7buHGe6S3rcRvNgr"
                                       "Bo84/WgeyupSp2QJ2fGiixkZj3BmVyG\r\n"}));
    EXPECT_EQ(Sent(),
              (std::vector<AnsiString>{
                  "Log^4711^Tuvako01^-^0^V-88;Tyhjenn\xE4: Valintaa ei tehty!^SaveLogi^^"}));
    EXPECT_EQ(Headline(), "Ved\xE4 kortti lukijasta");
    EXPECT_TRUE(ShownCaptions().empty());
    EXPECT_EQ(Box("EdtKortti"), "");
    EXPECT_EQ(Box("EdtNimi"), "");
    EXPECT_EQ(Box("EdtKoTiedot"), "");
    EXPECT_EQ(probe->PendingCustomer(), "");
}

TEST_F(CustomerRoad, NextCardBeforeAChoiceReportsThePreviousCustomer) {
    Start();
    OfferTwoChoices();
    Receive(AcceptedCard("4712", "W-99"));
    EXPECT_EQ(Sent(), (std::vector<AnsiString>{"Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto: "
                                               "Valintaa ei tehty!^SaveLogi^^"}));
    EXPECT_EQ(probe->PendingCustomer(), "4712^K1?A@55#^0^T9^W-99");
    EXPECT_EQ(Headline(), "Valitse listasta!");
}

TEST_F(CustomerRoad, NextCardAfterAChoiceStillReportsTheStoredCustomer) {
    Start();
    OfferTwoChoices();
    Click(1);
    Receive(AcceptedCard("4712"));
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_TRUE(Sent()[1].starts_with("Log^4711^Tuvako01^-^0^V-88;Seuravan asiakaan veto"));
}

TEST_F(CustomerRoad, ServersRefusalAfterAChoiceReturnsToWaitingWithoutARecord) {
    Start();
    OfferTwoChoices();
    Click(1);
    Receive("Crd^1^4711^3^4^5^EI^Kiitos!^16");
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Headline(), "Tervetuloa! (Kiitos!) Ved\xE4 kortti lukijasta");
    EXPECT_TRUE(ShownCaptions().empty());
    EXPECT_EQ(Box("EdtKortti"), "");
    EXPECT_EQ(probe->PendingCustomer(), "");
}

}  // namespace
}  // namespace tuvako
