// The end of a selection by the time-out, on the fake clock, and the report it sends.
#include "RoadFixture.h"

namespace tuvako {
namespace {

class Clearing : public RoadFixture {
protected:
    void Offer(const AnsiString& card = AcceptedCard()) {
        for (const AnsiString& line : {card, kStart, ButtonMessage("V12", "Sali"), kStop})
            Receive(line);
    }

    // `ms` milliseconds pass and the pool's timer ticks.
    void Elapse(std::uint32_t ms) {
        clock.Advance(ms);
        probe->TimerTick();
    }

    const AnsiString timeout = "Log^4711^Tuvako01^-^0^V-88;Timeout: Valintaa ei tehty!^SaveLogi^^";
};

TEST_F(Clearing, TimeoutComesButtonShowTimeAfterStopReportsAndClearsOnce) {
    Start("ButtonShowTime=20\n");
    Offer();
    Elapse(19000);
    EXPECT_EQ(Shown().size(), 2u);
    EXPECT_TRUE(transport.sent.empty());
    Elapse(1000);
    EXPECT_EQ(Sent(), std::vector<AnsiString>{timeout});
    ExpectWaitingScreen();
    Elapse(20000);
    EXPECT_EQ(transport.sent.size(), 1u);
}

TEST_F(Clearing, ASecondStopDoesNotExtendTheTime) {
    Start();
    Offer();
    Elapse(30000);
    Receive(kStop);
    Elapse(30000);
    EXPECT_EQ(Sent(), std::vector<AnsiString>{timeout});
}

TEST_F(Clearing, TickBeforeAnyListOnlySwitchesTheTimerOff) {
    Start();
    Receive(AcceptedCard());
    Elapse(60000);
    EXPECT_EQ(Headline(), "Valitse listasta!");
    EXPECT_EQ(Box("EdtKortti"), "C-1");
    Receive(kStart);
    Receive(kStop);
    Elapse(60000);  // switched on again by the list
    EXPECT_EQ(Sent(), std::vector<AnsiString>{timeout});
}

TEST_F(Clearing, TimeoutAfterAChoiceStillReportsTheStoredCustomer) {
    Start();
    Offer();
    Click(1);
    Elapse(60000);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1], timeout);
    ExpectWaitingScreen();
}

TEST_F(Clearing, AfterTheClearButtonOrWithoutANoteTheTimeoutSendsNothing) {
    Start();
    Offer();
    Click(0);
    Elapse(60000);
    EXPECT_EQ(transport.sent.size(), 1u);  // the clear button's report only
    Offer(AcceptedCard("4712", ""));
    Elapse(60000);
    EXPECT_EQ(transport.sent.size(), 1u);
    ExpectWaitingScreen();
}

}  // namespace
}  // namespace tuvako
