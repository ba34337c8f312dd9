// The socket against the fake sockets table: every fault the network can produce.
#include "SocketFixture.h"
#include "net/WSocketLibrary.h"
#include "support/FakeSocketsApi.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

namespace tuvako {
namespace {

using test::FailureOf;
using test::HandlePostedMessages;
using Log = std::vector<std::string>;

class SocketOnFakeNetwork : public ::testing::Test {
protected:
    void Connect(const AnsiString& port = "40201") {
        client.Configure(port);
        client.socket->Connect();
    }
    void Connected() {
        Connect();
        net.CompleteConnect(0);
        HandlePostedMessages();
        ASSERT_EQ(client.socket->State(), wsConnected);
        client.log.clear();
    }

    test::FakeSocketsApi net;
    test::LoggedSocket client;
};

TEST_F(SocketOnFakeNetwork, ConnectStartsWithoutBlockingAndReportsTheOutcomeLater) {
    Connect(" 40201 ");
    EXPECT_EQ(client.socket->State(), wsConnecting);
    EXPECT_EQ(net.Last().remote.address, inet_addr("127.0.0.1"));
    EXPECT_EQ(ntohs(net.Last().remote.port), 40201);
    EXPECT_TRUE(net.Last().lingerOn) << "closing resets the connection by default";
    EXPECT_EQ(net.Last().lingerSeconds, 0);
    EXPECT_TRUE(client.log.empty());

    net.CompleteConnect(0);
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"connected 0"});
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(SocketOnFakeNetwork, EveryStateChangeIsReportedAndCloseLaterWaitsForTheMessageLoop) {
    std::vector<std::pair<TSocketState, TSocketState>> changes;
    client.socket->OnChangeState = [&](TCustomWSocket*, TSocketState from, TSocketState to) {
        changes.emplace_back(from, to);
    };
    Connect();
    net.CompleteConnect(0);
    HandlePostedMessages();
    client.socket->CloseLater();
    EXPECT_EQ(client.socket->State(), wsConnected);
    HandlePostedMessages();
    using Change = std::pair<TSocketState, TSocketState>;
    EXPECT_EQ(changes, (std::vector<Change>{{wsClosed, wsOpened},
                                            {wsOpened, wsConnecting},
                                            {wsConnecting, wsConnected},
                                            {wsConnected, wsClosed}}));
    EXPECT_EQ(client.log, (Log{"connected 0", "closed 0"}));
}

TEST_F(SocketOnFakeNetwork, RefusedConnectionIsReportedThenClosed) {
    Connect();
    net.CompleteConnect(WsaError::ConnRefused);
    HandlePostedMessages();
    EXPECT_EQ(client.log, (Log{"connected 10061", "closed 0"}));
    EXPECT_EQ(client.stateInConnected, wsConnected);
    EXPECT_EQ(client.socket->State(), wsClosed);
    EXPECT_EQ(net.OpenSockets(), 0u);
}

TEST_F(SocketOnFakeNetwork, ConnectRaisesForMissingOrUnresolvableSettingsBeforeMakingASocket) {
    TWSocket& socket = *client.socket;
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: No Port Specified");
    socket.SetPort("40201");
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: No IP Address Specified");
    socket.SetAddr("nosuchhost");
    socket.SetProto("  ");
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: No Protocol Specified");
    socket.SetProto("tcp");
    EXPECT_EQ(
        FailureOf([&] { socket.Connect(); }),
        "connect: WSocketResolveHost: Cannot convert host address 'nosuchhost', Error #11001");
    socket.SetPort("");
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: No Port Specified");
    socket.SetPort("x");
    socket.SetAddr("127.0.0.1");
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }),
              "connect: WSocketResolvePort: Cannot convert port 'x', Error #11004");
    socket.SetPort("70000");
    socket.SetProto("udp");
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: Only TCP is supported");
    EXPECT_EQ(std::count(net.calls.begin(), net.calls.end(), "socket"), 0);
    EXPECT_EQ(socket.State(), wsClosed);

    socket.SetProto("tcp");
    socket.Connect();
    EXPECT_EQ(ntohs(net.Last().remote.port), 4464);
    EXPECT_EQ(FailureOf([&] { socket.Connect(); }), "Connect: Socket already in use");
}

TEST_F(SocketOnFakeNetwork, FailuresWhileMakingTheSocketAreReportedAndLeaveNoHandle) {
    net.socketFailure = WsaError::TooManyFiles;
    client.Configure("40201");
    EXPECT_EQ(FailureOf([&] { client.socket->Connect(); }),
              "Error 10024 in function Connect (socket)\r\nToo many open files");
    net.socketFailure = 0;
    net.getOptionFailure = WsaError::NoBufs;
    EXPECT_EQ(FailureOf([&] { client.socket->Connect(); }),
              "Error 10055 in function getsockopt(SO_SNDBUF)\r\nNo buffer space available");
    EXPECT_EQ(net.OpenSockets(), 0u) << "a handle that never got anywhere is not left open";
    net.getOptionFailure = 0;
    net.connectFailure = WsaError::AddrNotAvail;
    EXPECT_EQ(FailureOf([&] { client.socket->Connect(); }),
              "Error 10049 in function Connect\r\nAddress not available");
    EXPECT_EQ(client.socket->State(), wsOpened) << "the handle stays open until closed";
    client.socket->Close();
    EXPECT_EQ(net.OpenSockets(), 0u);
}

TEST_F(SocketOnFakeNetwork, EndpointCannotChangeUnlessClosedAndEveryCloseForgetsIt) {
    Connected();
    EXPECT_EQ(FailureOf([&] { client.socket->SetAddr("10.0.0.1"); }),
              "Cannot change Addr if not closed");
    EXPECT_EQ(FailureOf([&] { client.socket->SetPort("1"); }), "Cannot change Port if not closed");
    EXPECT_EQ(client.socket->Addr(), "127.0.0.1");
    EXPECT_EQ(client.socket->State(), wsConnected);

    client.socket->Close();
    EXPECT_EQ(client.socket->Addr(), "127.0.0.1") << "the text stays stored";
    EXPECT_EQ(FailureOf([&] { client.socket->Connect(); }), "Connect: No Port Specified");
}

TEST_F(SocketOnFakeNetwork, SendWhileConnectingClosesTheAttemptAndRaisesNotConnected) {
    Connect();
    EXPECT_EQ(FailureOf([&] { client.socket->SendText("early\r\n"); }),
              "Error 10057 in function Send\r\nSocket is not connected");
    EXPECT_EQ(client.log, Log{"closed 10057"});
    EXPECT_EQ(client.socket->State(), wsClosed);

    net.CompleteConnect(0);
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"closed 10057"}) << "the old attempt's notification is ignored";
}

TEST_F(SocketOnFakeNetwork, ErrorsGoToOnErrorInsteadOfRaisingWhenItIsAssigned) {
    std::vector<AnsiString> errors;
    client.socket->OnError = [&](TCustomWSocket*, const AnsiString& m) { errors.push_back(m); };
    EXPECT_EQ(client.socket->SendText("x"), -1);
    client.socket->Connect();
    EXPECT_EQ(errors,
              (std::vector<AnsiString>{"Error 10057 in function Send\r\nSocket is not connected",
                                       "Connect: No Port Specified"}));
}

TEST_F(SocketOnFakeNetwork, PartialSendKeepsTheRestForTheNextWriteNotification) {
    Connected();
    net.sendScript = {1000};
    const std::string record(1460, 'r');
    EXPECT_EQ(client.socket->SendText(record), 1460) << "accepted, not sent";
    EXPECT_EQ(net.Last().sent.size(), 1000u);
    EXPECT_EQ(client.socket->BufferedByteCount(), 460);
    net.Notify(FdEvent::Write);
    HandlePostedMessages();
    EXPECT_EQ(net.sendSizes, (std::vector<int>{1460, 460}));
    EXPECT_EQ(net.Last().sent, record);
    EXPECT_EQ(client.socket->BufferedByteCount(), 0);
}

TEST_F(SocketOnFakeNetwork, DataSentWhileAChunkIsHalfSentGoesBehindItsRest) {
    Connected();
    net.sendScript = {1000, 0};
    const std::string record(1460, 'r');
    client.socket->SendText(record);
    client.socket->SendText("next");
    net.Notify(FdEvent::Write);
    HandlePostedMessages();
    EXPECT_EQ(net.sendSizes, (std::vector<int>{1460, 460, 460, 4}));
    EXPECT_EQ(net.Last().sent, record + "next");
}

TEST_F(SocketOnFakeNetwork, WouldBlockKeepsEverythingQueuedInOrder) {
    Connected();
    net.sendScript = {0, 0};
    client.socket->SendText("one ");
    client.socket->SendText("two");
    EXPECT_TRUE(net.Last().sent.empty());
    net.Notify(FdEvent::Write);
    HandlePostedMessages();
    EXPECT_EQ(net.Last().sent, "one two");
    EXPECT_TRUE(client.log.empty()) << "would block is no error";
}

TEST_F(SocketOnFakeNetwork, ResetDuringADrainClosesWithTheErrorAndRaisesNothing) {
    Connected();
    net.sendScript = {0, -WsaError::ConnReset};
    client.socket->SendText("queued");
    net.Notify(FdEvent::Write);
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"closed 10054"});
    EXPECT_EQ(client.socket->State(), wsClosed);
    EXPECT_EQ(net.OpenSockets(), 0u);
}

TEST_F(SocketOnFakeNetwork, ASendDataHandlerMayAbortInTheMiddleOfADrain) {
    Connected();
    int calls = 0;
    client.socket->OnSendData = [&](TCustomWSocket* s, int) {
        if (++calls == 1) s->Abort();
    };
    client.socket->SendText(std::string(3000, 'd'));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(net.sendSizes, std::vector<int>{1460}) << "nothing is sent after the abort";
    EXPECT_EQ(client.log, Log{"closed 0"});
}

TEST_F(SocketOnFakeNetwork, OtherSendFailuresAreReportedAndKeepTheConnection) {
    Connected();
    net.sendScript = {-WsaError::NoBufs};
    EXPECT_EQ(FailureOf([&] { client.socket->SendText("x"); }),
              "Error 10055 in function TryToSend failed\r\nNo buffer space available");
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(SocketOnFakeNetwork, DataSentIsRaisedFromTheMessageLoopAndNeverForAnEmptyText) {
    Connected();
    int dataSent = 0;
    client.socket->OnDataSent = [&](TCustomWSocket*, std::uint16_t) { ++dataSent; };
    EXPECT_EQ(client.socket->SendText(""), 0);
    HandlePostedMessages();
    EXPECT_EQ(dataSent, 0);
    EXPECT_TRUE(net.sendSizes.empty());

    client.socket->SendText("x");
    EXPECT_EQ(dataSent, 0) << "not from inside Send";
    HandlePostedMessages();
    EXPECT_EQ(dataSent, 1);
}

TEST_F(SocketOnFakeNetwork, CloseShutsDownReportsOnceAndDoesNothingWhenClosed) {
    Connected();
    client.socket->Close();
    client.socket->Close();
    EXPECT_EQ(client.log, Log{"closed 0"});
    EXPECT_TRUE(net.Last().shutdownSent);
    EXPECT_FALSE(net.Last().open);
}

TEST_F(SocketOnFakeNetwork, AbortDropsTheQueueAndReleasesWithoutShutdownOrReset) {
    Connected();
    net.sendScript = {0};
    client.socket->SendText("never sent");
    client.socket->Abort();
    EXPECT_EQ(client.log, Log{"closed 0"});
    EXPECT_FALSE(net.Last().shutdownSent);
    EXPECT_FALSE(net.Last().lingerOn) << "an orderly release instead of a reset";
    EXPECT_EQ(client.socket->BufferedByteCount(), 0);
}

TEST_F(SocketOnFakeNetwork, PeerCloseDeliversTheLastBytesFirstAndCarriesItsError) {
    Connected();
    net.Deliver("last\r\nrest");
    net.PeerClose(0);
    HandlePostedMessages();
    EXPECT_EQ(client.log, (Log{"line last\r\n", "line rest", "closed 0"}));

    test::LoggedSocket other;
    other.Configure("40201");
    other.socket->Connect();
    net.CompleteConnect(0);
    net.PeerClose(WsaError::ConnReset);
    HandlePostedMessages();
    EXPECT_EQ(other.log, (Log{"connected 0", "closed 10054"}));
}

TEST_F(SocketOnFakeNetwork, DestroyLaterInsideSessionClosedKeepsTheObjectUntilTheHandlingEnds) {
    Connected();
    bool usableAfterRelease = false;
    client.onClosed = [&] {
        client.socket->DestroyLater();
        usableAfterRelease = client.socket && client.socket->SendText("") == 0;
    };
    net.PeerClose(0);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(usableAfterRelease);
    EXPECT_EQ(client.log, Log{"closed 0"});
    ASSERT_FALSE(client.socket.isNull());
    EXPECT_EQ(client.socket->State(), wsClosed) << "the notification's handling went on";
    HandlePostedMessages();
    EXPECT_TRUE(client.socket.isNull());
    EXPECT_EQ(WSocketLibrary::InstanceCount(), 0);
}

TEST_F(SocketOnFakeNetwork, AReleasedConnectingSocketReportsNothingMoreAndClosesItsHandle) {
    Connect();
    client.socket->DestroyLater();
    net.CompleteConnect(WsaError::ConnRefused);
    HandlePostedMessages();
    EXPECT_TRUE(client.log.empty());
    EXPECT_TRUE(client.socket.isNull());
    EXPECT_EQ(net.OpenSockets(), 0u);
}

TEST_F(SocketOnFakeNetwork, AThrowingHandlerAbortsTheSocketUnlessOnBgExceptionVetoes) {
    std::vector<std::string> seen;
    bool veto = false;
    client.socket->OnBgException = [&](TCustomWSocket*, const std::exception& e, bool& canClose) {
        seen.push_back(e.what());
        canClose = !veto;
    };
    client.socket->OnSessionConnected = [](TCustomWSocket*, std::uint16_t) {
        throw ESocketException("handler failed");
    };
    Connect();
    net.CompleteConnect(0);
    HandlePostedMessages();
    EXPECT_EQ(seen, std::vector<std::string>{"handler failed"});
    EXPECT_EQ(client.socket->State(), wsClosed);

    veto = true;
    client.socket->HWindow()->PostMessage(WM_WSOCKET_TEST_EXCEPTION, 0, 0);
    Connect();
    net.CompleteConnect(0);
    HandlePostedMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"handler failed", "Test exception in WSocket",
                                              "handler failed"}));
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(SocketOnFakeNetwork, NotificationsForAnotherHandleAreIgnored) {
    Connected();
    client.socket->HWindow()->PostMessage(WM_WSOCKET_EVENT, client.socket->HSocket() + 1,
                                          MakeSelectReply(FdEvent::Close, 0));
    HandlePostedMessages();
    EXPECT_TRUE(client.log.empty());
    EXPECT_EQ(client.socket->State(), wsConnected);
}

}  // namespace
}  // namespace tuvako
