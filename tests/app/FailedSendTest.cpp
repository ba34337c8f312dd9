// Records that cannot be sent: the log says so and why, the screen still does its own work, and
// a choice that did not go out stays on screen to be pressed again.
#include "RoadFixture.h"

#include "platform/ExceptionReporter.h"

namespace tuvako {
namespace {

class FailedSend : public RoadFixture {
protected:
    ~FailedSend() override { ExceptionReporter::SetSink(previousSink_); }

    void DropLink() {
        net.PeerClose();
        HandlePostedMessages();
        ASSERT_TRUE(Log().contains("> Session closed."));
    }
    // The lines of the log pane that contain `text`.
    int Logged(const AnsiString& text) const { return int(Log().count(ToQString(text))); }

    std::vector<AnsiString> reports;  // what escaped to the exception reporter
    ExceptionReporter::Sink previousSink_ =
        ExceptionReporter::SetSink([this](const AnsiString& r) { reports.push_back(r); });
};

const AnsiString kNoBufs = "ESocketError: Error 10055 in function TryToSend failed";

TEST_F(FailedSend, AChoiceWithoutASessionStaysOnScreenAndGoesOutWhenPressedAgain) {
    Start();
    OfferTwoChoices();
    DropLink();
    Click(1);
    EXPECT_EQ(Logged("> Not sent, no session: " + kChoice), 1);
    EXPECT_EQ(Shown(), (Captions{kClear, "Sali", "Kuntosali (Ale)"}));
    ASSERT_EQ(net.Sockets().size(), 2u) << "a new session is opened";
    Connect();
    Click(1);
    EXPECT_EQ(Sent(), Records{kChoice});
    EXPECT_EQ(Logged("> Snd: " + kChoice), 1);
    EXPECT_EQ(Shown(), Captions{kClear});
    Elapse(60000);  // the time-out clears as usual
    ExpectWaitingScreen();
}

TEST_F(FailedSend, AChoiceTheNetworkRefusesIsLoggedWithItsReasonAndStaysOnScreen) {
    Start();
    OfferTwoChoices();
    net.sendScript = {-WsaError::NoBufs};
    Click(1);
    EXPECT_EQ(Logged("> Not sent, " + kNoBufs), 1) << Log().toStdString();
    EXPECT_EQ(Shown().size(), 3u);
    EXPECT_TRUE(reports.empty());
    net.sendScript = {-WsaError::ConnReset};  // the send finds the connection reset
    Click(1);
    EXPECT_EQ(Logged("> Not sent, session closed: " + kChoice), 1);
    EXPECT_EQ(Shown().size(), 3u);
    EXPECT_EQ(Logged("Snd:"), 0);
    EXPECT_TRUE(Log().indexOf("> Session closed.") < Log().indexOf("> Not sent, session"));
}

TEST_F(FailedSend, ClearButtonAndTimeOutClearTheScreenWhenTheReportCannotBeSent) {
    Start();
    OfferTwoChoices();
    net.sendScript = {-WsaError::NoBufs};
    Click(0);
    ExpectWaitingScreen();
    EXPECT_EQ(Logged("> Not sent, " + kNoBufs), 1);
    OfferTwoChoices();
    net.sendScript = {-WsaError::NoBufs};
    Elapse(60000);
    ExpectWaitingScreen();
    EXPECT_EQ(Logged("> Not sent, " + kNoBufs), 2);
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FailedSend, AKeepAlivePingThatCannotBeSentIsLoggedAndTheNextOneIsTriedAllTheSame) {
    Start();
    net.sendScript = {-WsaError::NoBufs, -WsaError::NoBufs};
    Elapse(3600 * 1000);
    Elapse(3600 * 1000);
    EXPECT_EQ(Logged("> Not sent, " + kNoBufs), 2) << Log().toStdString();
    EXPECT_EQ(net.sendSizes.size(), 2u);
    EXPECT_TRUE(reports.empty());
}

// The next card's report meets a reset inside the card's handler: the lines after the card are
// handled after it, in order, so the screen ends on the refused card and nobody stays pending.
TEST_F(FailedSend, AReportThatMeetsAResetInsideALineHandlerIsNotLoggedAsSent) {
    Start();
    OfferTwoChoices();
    net.sendScript = {-WsaError::ConnReset};
    net.Deliver(EncipherLine(AcceptedCard("4712")) + "\r\n" +
                EncipherLine("Crd^1^2^3^4^5^EI^X1^5") + "\r\n");
    HandlePostedMessages();
    EXPECT_EQ(Logged("> Not sent, session closed: Log^4711"), 1) << Log().toStdString();
    EXPECT_EQ(Logged("Snd:"), 0);
    EXPECT_TRUE(Log().indexOf("EI^X1^5") < Log().indexOf("> Session closed."));
    EXPECT_EQ(road->PendingCustomer(), "");
    EXPECT_EQ(Headline(), "X1" + kWaiting);
}

}  // namespace
}  // namespace tuvako
