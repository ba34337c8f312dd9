// The socket over real TCP on 127.0.0.1 against a small in-test server.
#include "EventPump.h"
#include "LoopbackServer.h"
#include "SocketFixture.h"
#include "net/WSocketLibrary.h"

#include <gtest/gtest.h>

namespace tuvako {
namespace {

using test::PumpUntil;
using Log = std::vector<std::string>;

class SocketOverLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        client.Configure(server.PortText());
        client.socket->Connect();
        ASSERT_TRUE(server.AcceptClient());
        ASSERT_TRUE(PumpUntil([&] { return !client.log.empty(); }));
        ASSERT_EQ(client.log, Log{"connected 0"});
        client.log.clear();
    }
    bool WaitForLog(const Log& expected) {
        return PumpUntil([&] { return client.log.size() >= expected.size(); }) &&
               client.log == expected;
    }
    // True once the client has taken in everything the system received for it.
    bool ClientReadEverything() {
        return PumpUntil([&] {
            unsigned long ready = 1;
            return Sockets().BytesReadable(client.socket->HSocket(), ready) == 0 && ready == 0;
        });
    }

    test::LoopbackServer server;
    test::LoggedSocket client;
};

TEST_F(SocketOverLoopback, LinesTravelBothWays) {
    client.socket->SendText("Moi^-^Tuvako01^-^0^KVLNQ^\r\n");
    client.socket->SendText("Ping\r\n");
    EXPECT_TRUE(server.WaitForReceived("Moi^-^Tuvako01^-^0^KVLNQ^\r\nPing\r\n"));
    server.Write("Login:\r\n");
    EXPECT_TRUE(WaitForLog({"line Login:\r\n"}));
}

TEST_F(SocketOverLoopback, TwoLinesInOneWriteAndAnEmptyLine) {
    server.Write("A\r\nB\r\n\r\n");
    EXPECT_TRUE(WaitForLog({"line A\r\n", "line B\r\n", "line \r\n"}));
}

TEST_F(SocketOverLoopback, ATerminatorSplitAcrossReadsIsFound) {
    server.Write("A\r");
    ASSERT_TRUE(ClientReadEverything());
    EXPECT_TRUE(client.log.empty());
    server.Write("\nB\r\n");
    EXPECT_TRUE(WaitForLog({"line A\r\n", "line B\r\n"}));
}

TEST_F(SocketOverLoopback, MoreThan65536BytesWithoutTerminatorAreDroppedAndTheNextLineIsIntact) {
    bool dropped = false;
    client.socket->OnLineLimitExceeded = [&](TCustomWSocket*, int, bool&) { dropped = true; };
    server.Write(QByteArray(65537, 'x'));
    ASSERT_TRUE(PumpUntil([&] { return dropped; }));
    server.Write("next\r\n");
    EXPECT_TRUE(WaitForLog({"line next\r\n"}));
}

TEST_F(SocketOverLoopback, AThrowingHandlerLosesOneLineAndTheNextArrivesWhole) {
    client.onLine = [](const AnsiString& line) {
        if (line == "bad\r\n") throw ESocketException("handler failed");
    };
    server.Write("bad\r\n");
    ASSERT_TRUE(WaitForLog({"line bad\r\n"}));
    server.Write("good\r\n");
    EXPECT_TRUE(WaitForLog({"line bad\r\n", "line good\r\n"}));
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(SocketOverLoopback, ThePeerClosingDeliversTheRestThenClosed) {
    server.Write("rest without end");
    server.CloseClient();
    EXPECT_TRUE(WaitForLog({"line rest without end", "closed 0"}));
    EXPECT_EQ(client.socket->State(), wsClosed);
}

TEST_F(SocketOverLoopback, ThePeerResettingClosesWithTheResetError) {
    server.ResetClient();
    EXPECT_TRUE(WaitForLog({"closed 10054"}));
    EXPECT_EQ(client.socket->State(), wsClosed);
}

TEST_F(SocketOverLoopback, SendingIntoAResetConnectionEndsTheSessionWithoutAnException) {
    server.ResetClient();
    EXPECT_EQ(test::FailureOf([&] { client.socket->SendText("Ping\r\n"); }), "(no exception)");
    EXPECT_TRUE(WaitForLog({"closed 10054"}));
}

TEST_F(SocketOverLoopback, DestroyLaterFromInsideSessionClosedDestroysItAfterwards) {
    client.onClosed = [&] { client.socket->DestroyLater(); };
    server.CloseClient();
    ASSERT_TRUE(PumpUntil([&] { return client.socket.isNull(); }));
    EXPECT_EQ(client.log, Log{"closed 0"});
}

TEST(SocketOverLoopbackRefused, AClosedPortIsReportedAsRefusedThenClosed) {
    test::LoggedSocket client;
    client.Configure(test::UnusedLoopbackPort());
    client.socket->Connect();
    ASSERT_TRUE(PumpUntil([&] { return client.log.size() >= 2; }));
    EXPECT_EQ(client.log, (Log{"connected 10061", "closed 0"}));
    EXPECT_EQ(client.socket->State(), wsClosed);
}

}  // namespace
}  // namespace tuvako
