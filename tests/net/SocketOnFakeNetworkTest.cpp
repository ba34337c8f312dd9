// The socket and its line layer against the fake sockets table: every fault the network can
// produce.
#include "NetTestSupport.h"
#include "net/SocketsLibrary.h"
#include "support/FakeSocketsApi.h"

#include <gtest/gtest.h>

#include "support/SystemSockets.h"

#include <functional>

namespace tuvako {
namespace {

using test::HandlePostedMessages;
using test::Thrown;
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
    void WriteReady() {
        net.Notify(FdEvent::Write);
        HandlePostedMessages();
    }

    test::FakeSocketsApi net;
    test::LoggedSocket client;
};

TEST_F(SocketOnFakeNetwork, ConnectStartsWithoutBlockingAndEveryStateChangeIsReported) {
    using Change = std::pair<TSocketState, TSocketState>;
    std::vector<Change> changes;
    client.socket->OnChangeState = [&](TCustomSocket*, TSocketState from, TSocketState to) {
        changes.emplace_back(from, to);
    };
    Connect(" 40201 ");
    EXPECT_EQ(client.socket->State(), wsConnecting);
    EXPECT_EQ(net.Last().remote.address, inet_addr("127.0.0.1"));
    EXPECT_EQ(ntohs(net.Last().remote.port), 40201);
    EXPECT_TRUE(net.Last().lingerOn && net.Last().lingerSeconds == 0)
        << "closing resets the connection by default";
    EXPECT_TRUE(client.log.empty());

    net.CompleteConnect(0);
    HandlePostedMessages();
    client.socket->CloseLater();
    EXPECT_EQ(client.socket->State(), wsConnected) << "CloseLater waits for the message loop";
    HandlePostedMessages();
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

TEST_F(SocketOnFakeNetwork, SettingsAreCheckedBeforeMakingASocketAndCannotChangeUnlessClosed) {
    const struct {
        const char *port, *addr, *proto, *failure;
    } cases[] = {
        {"", "127.0.0.1", "tcp", "Connect: No Port Specified"},
        {"40201", "", "tcp", "Connect: No IP Address Specified"},
        {"40201", "nosuchhost", "  ", "Connect: No Protocol Specified"},
        {"40201", "nosuchhost", "tcp",
         "connect: ResolveHost: Cannot convert host address 'nosuchhost', Error #11001"},
        {"70000", "127.0.0.1", "udp", "Connect: Only TCP is supported"},
    };
    TClientSocket& socket = *client.socket;
    for (const auto& c : cases) {
        socket.SetPort(c.port);
        socket.SetAddr(c.addr);
        socket.SetProto(c.proto);
        EXPECT_EQ(Thrown([&] { socket.Connect(); }), std::string("ESocketError: ") + c.failure);
    }
    EXPECT_EQ(std::count(net.calls.begin(), net.calls.end(), "socket"), 0);
    EXPECT_EQ(socket.State(), wsClosed);

    socket.SetProto("tcp");
    socket.Connect();
    EXPECT_EQ(Thrown([&] { socket.Connect(); }), "ESocketError: Connect: Socket already in use");
    EXPECT_EQ(Thrown([&] { socket.SetAddr("10.0.0.1"); }),
              "ESocketError: Cannot change Addr if not closed");
    EXPECT_EQ(Thrown([&] { socket.SetPort("1"); }),
              "ESocketError: Cannot change Port if not closed");
    socket.Close();
    EXPECT_EQ(socket.Addr(), "127.0.0.1") << "the text stays stored";
    EXPECT_EQ(Thrown([&] { socket.Connect(); }), "ESocketError: Connect: No Port Specified")
        << "but every close forgets it";
}

TEST_F(SocketOnFakeNetwork, FailuresWhileMakingTheSocketAreReportedAndLeaveNoHandle) {
    client.Configure("40201");
    net.socketFailure = WsaError::TooManyFiles;
    EXPECT_EQ(Thrown([&] { client.socket->Connect(); }),
              "ESocketError: Error 10024 in function Connect (socket)\r\nToo many open files");
    net.socketFailure = 0;
    net.getOptionFailure = WsaError::NoBufs;
    EXPECT_EQ(Thrown([&] { client.socket->Connect(); }),
              "ESocketError: Error 10055 in function getsockopt(SO_SNDBUF)\r\n"
              "No buffer space available");
    EXPECT_EQ(net.OpenSockets(), 0u) << "a handle that never got anywhere is not left open";
    net.getOptionFailure = 0;
    net.connectFailure = WsaError::AddrNotAvail;
    EXPECT_EQ(Thrown([&] { client.socket->Connect(); }),
              "ESocketError: Error 10049 in function Connect\r\nAddress not available");
    EXPECT_EQ(client.socket->State(), wsOpened) << "the handle stays open until closed";
    client.socket->Close();
    EXPECT_EQ(net.OpenSockets(), 0u);
}

TEST_F(SocketOnFakeNetwork, SendWhileConnectingClosesTheAttemptAndRaisesNotConnected) {
    Connect();
    EXPECT_EQ(Thrown([&] { client.socket->SendText("early\r\n"); }),
              "ESocketError: Error 10057 in function Send\r\nSocket is not connected");
    EXPECT_EQ(client.log, Log{"closed 10057"});
    EXPECT_EQ(client.socket->State(), wsClosed);

    net.CompleteConnect(0);
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"closed 10057"}) << "the old attempt's notification is ignored";

    std::vector<AnsiString> errors;
    client.socket->OnError = [&](TCustomSocket*, const AnsiString& m) { errors.push_back(m); };
    EXPECT_EQ(client.socket->SendText("x"), -1);
    EXPECT_EQ(errors,
              std::vector<AnsiString>{"Error 10057 in function Send\r\nSocket is not connected"})
        << "errors go to OnError instead of raising when it is assigned";
}

TEST_F(SocketOnFakeNetwork, WhatTheNetworkDoesNotTakeIsSentInOrderOnTheNextWriteNotification) {
    Connected();
    net.sendScript = {1000, 0};  // takes 1000 of 1460, then would block
    const std::string record(1460, 'r');
    EXPECT_EQ(client.socket->SendText(record), 1460) << "accepted, not sent";
    EXPECT_EQ(net.Last().sent.size(), 1000u);
    EXPECT_EQ(client.socket->BufferedByteCount(), 460);
    client.socket->SendText("next");
    WriteReady();
    EXPECT_EQ(net.sendSizes, (std::vector<int>{1460, 460, 460, 4}));
    EXPECT_EQ(net.Last().sent, record + "next");
    EXPECT_EQ(client.socket->BufferedByteCount(), 0);
    EXPECT_TRUE(client.log.empty()) << "would block is no error";
}

TEST_F(SocketOnFakeNetwork, SendErrorsOfALostConnectionCloseWithTheErrorOtherFailuresRaise) {
    Connected();
    net.sendScript = {-WsaError::NoBufs, 0, -WsaError::ConnReset};
    EXPECT_EQ(Thrown([&] { client.socket->SendText("x"); }),
              "ESocketError: Error 10055 in function TryToSend failed\r\n"
              "No buffer space available");
    EXPECT_EQ(client.socket->State(), wsConnected);
    client.socket->SendText("queued");  // the reset comes during the drain
    WriteReady();
    EXPECT_EQ(client.log, Log{"closed 10054"});
    EXPECT_EQ(net.OpenSockets(), 0u);
    // Timed out, host or network unreachable, network reset: the connection is gone as well.
    for (const int error :
         {WsaError::TimedOut, WsaError::HostUnreach, WsaError::NetUnreach, WsaError::NetReset}) {
        Connected();
        net.sendScript = {-error};
        EXPECT_EQ(Thrown([&] { client.socket->SendText("x"); }), "") << error;
        EXPECT_EQ(client.log, Log{"closed " + std::to_string(error)});
        EXPECT_EQ(client.socket->State(), wsClosed);
        EXPECT_EQ(net.OpenSockets(), 0u);
    }
}

TEST_F(SocketOnFakeNetwork, ASendDataHandlerMayAbortInTheMiddleOfADrain) {
    Connected();
    int calls = 0;
    client.socket->OnSendData = [&](TCustomSocket* s, int) {
        if (++calls == 1) s->Abort();
    };
    client.socket->SendText(std::string(3000, 'd'));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(net.sendSizes, std::vector<int>{1460}) << "nothing is sent after the abort";
    EXPECT_EQ(client.log, Log{"closed 0"});
}

TEST_F(SocketOnFakeNetwork, DataSentIsRaisedFromTheMessageLoopAndNeverForAnEmptyText) {
    Connected();
    int dataSent = 0;
    client.socket->OnDataSent = [&](TCustomSocket*, std::uint16_t) { ++dataSent; };
    EXPECT_EQ(client.socket->SendText(""), 0);
    HandlePostedMessages();
    EXPECT_TRUE(dataSent == 0 && net.sendSizes.empty());
    client.socket->SendText("x");
    EXPECT_EQ(dataSent, 0) << "not from inside Send";
    HandlePostedMessages();
    EXPECT_EQ(dataSent, 1);
}

TEST_F(SocketOnFakeNetwork, CloseShutsDownWhileAbortDropsTheQueueAndReleasesWithoutAReset) {
    for (const bool abort : {false, true}) {
        Connected();
        net.sendScript = {0};
        client.socket->SendText("queued");
        abort ? client.socket->Abort() : client.socket->Close();
        client.socket->Close();
        EXPECT_EQ(client.log, Log{"closed 0"}) << "reported once";
        EXPECT_FALSE(net.Last().open);
        EXPECT_EQ(net.Last().shutdownSent, !abort);
        EXPECT_EQ(net.Last().lingerOn, !abort);
        EXPECT_TRUE(!abort || client.socket->BufferedByteCount() == 0);
    }
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
    client.socket->OnBgException = [&](TCustomSocket*, const std::exception& e, bool& canClose) {
        seen.push_back(e.what());
        canClose = !veto;
    };
    client.socket->OnSessionConnected = [](TCustomSocket*, std::uint16_t) {
        throw ESocketError("handler failed");
    };
    for (const bool vetoed : {false, true}) {
        veto = vetoed;
        Connect();
        net.CompleteConnect(0);
        HandlePostedMessages();
        EXPECT_EQ(client.socket->State(), vetoed ? wsConnected : wsClosed);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"handler failed", "handler failed"}));
}

// The line layer, where every read boundary is chosen.
class LineAssembly : public SocketOnFakeNetwork {
protected:
    void SetUp() override { Connected(); }
    void Read(std::string_view bytes) {  // delivers `bytes` as one read
        net.Deliver(bytes);
        HandlePostedMessages();
    }
};

TEST_F(LineAssembly, ABurstLargerThanOneReadArrivesInOrderWithinOneNotification) {
    net.readableCap = 1000;  // the system reports at most this much at a time
    std::string burst;
    Log expected;
    for (int i = 0; i < 300; ++i) {
        const std::string line = "line " + std::to_string(i) + std::string(i % 17, '.') + "\r\n";
        burst += line;
        expected.push_back("line " + line);
    }
    net.Deliver(burst);
    client.socket->HWindow()->SendMessage(WM_SOCKET_EVENT, client.socket->HSocket(),
                                          MakeSelectReply(FdEvent::Read, 0));
    EXPECT_EQ(client.log, expected);
}

TEST_F(LineAssembly, MoreThanTheLimitWithoutTerminatorIsDroppedUnlessTheHandlerKeepsIt) {
    std::vector<int> exceeded;
    bool keep = false;
    client.socket->OnLineLimitExceeded = [&](TCustomSocket*, int length, bool& clear) {
        exceeded.push_back(length);
        clear = !keep;
    };
    Read(std::string(65536, 'x'));
    EXPECT_TRUE(exceeded.empty()) << "65536 held bytes stay held";
    Read("y");
    EXPECT_EQ(exceeded, std::vector<int>{65537});
    Read("next\r\n");
    EXPECT_EQ(client.log, Log{"line next\r\n"});

    keep = true;
    client.socket->SetLineLimit(4);
    Read("abcdef");
    Read("\r\n");
    EXPECT_EQ(client.log, (Log{"line next\r\n", "line abcdef\r\n"}));
}

// A handler that ends the connection (closing, aborting, or sending into a reset) returns before
// the lines still held are handled, each in a handler of its own, then the close is reported.
TEST_F(LineAssembly, LinesHeldWhenAHandlerEndsTheConnectionFollowItInOrderNeverInsideIt) {
    const std::pair<std::function<void()>, std::string> endings[] = {
        {[&] { client.socket->Close(); }, "closed 0"},
        {[&] { client.socket->Abort(); }, "closed 0"},
        {[&] {
             net.sendScript = {-WsaError::ConnReset};
             client.socket->SendText("next card report\r\n");
         },
         "closed 10054"},
    };
    for (const auto& [end, closed] : endings) {
        if (client.socket->State() != wsConnected) Connected();
        client.onLine = [&](const AnsiString& line) {
            if (line != "first\r\n") return;
            end();
            client.log.push_back("handler returned");
        };
        Read("first\r\nsecond\r\nthird\r\nrest");
        EXPECT_EQ(client.log, (Log{"line first\r\n", "handler returned", "line second\r\n",
                                   "line third\r\n", "line rest", closed}));
    }
}

TEST_F(LineAssembly, ReceiveTextWithNoLinePendingReadsNothingFromTheNetwork) {
    Read("partial");
    net.Deliver("more\r\n");
    EXPECT_EQ(client.socket->ReceiveText(), "");
    HandlePostedMessages();
    EXPECT_EQ(client.log, Log{"line partialmore\r\n"});
}

TEST_F(LineAssembly, AHandlerMayReadNothingReadALineInPiecesOrLeaveLineMode) {
    const struct {
        std::function<std::string(TCustomSocket*)> read;
        std::string events;
    } cases[] = {
        {[](TCustomSocket*) { return "-"; }, "-|-|"},  // reading nothing does not stall
        {[](TCustomSocket* s) {
             char piece[3];
             return std::string(piece, std::size_t(s->Receive(piece, sizeof piece)));
         },
         "abc|def|g\r\n|xy\r|\n|"},
        {[this](TCustomSocket* s) {
             if (!client.socket->LineMode()) return s->ReceiveText();
             char head[2];
             const int got = s->Receive(head, sizeof head);
             client.socket->SetLineMode(false);
             return std::string(head, std::size_t(got));
         },
         "ab|cdefg\r\nxy\r\n|"},
    };
    for (const auto& c : cases) {
        std::string events;
        client.socket->OnDataAvailable = [&](TCustomSocket* s, std::uint16_t) {
            events += c.read(s) + "|";
        };
        Read("abcdefg\r\nxy\r\n");
        EXPECT_EQ(events, c.events);
        client.socket->Close();
        Connected();
    }
}

TEST_F(LineAssembly, LinesHeldWhileLineModeWasOffAreSplitWhenItComesBackOn) {
    std::string events;
    client.socket->OnDataAvailable = [&](TCustomSocket* s, std::uint16_t) {
        if (!client.socket->LineMode()) return;  // takes nothing while line mode is off
        if (events.empty()) {
            events = "off|";
            return client.socket->SetLineMode(false);
        }
        events += s->ReceiveText() + "|";
    };
    Read("abc\r\nxy\r\n");
    client.socket->SetLineMode(true);
    HandlePostedMessages();
    EXPECT_EQ(events, "off|abc\r\n|xy\r\n|");
}

}  // namespace
}  // namespace tuvako
