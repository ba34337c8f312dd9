// The socket over real TCP on 127.0.0.1 against a small in-test server.
#include "NetTestSupport.h"
#include "net/SocketsLibrary.h"
#include "support/Emulation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tuvako {
namespace {

using test::WaitUntil;
using Log = std::vector<std::string>;

class SocketOverLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        client.Configure(server.PortText());
        client.socket->Connect();
        ASSERT_TRUE(server.AcceptClient());
        ASSERT_TRUE(WaitUntil([&] { return !client.log.empty(); }));
        ASSERT_EQ(client.log, Log{"connected 0"});
        client.log.clear();
    }
    bool WaitForLog(const Log& expected) {
        return WaitUntil([&] { return client.log.size() >= expected.size(); }) &&
               client.log == expected;
    }

    test::LoopbackServer server;
    test::LoggedSocket client;
};

TEST_F(SocketOverLoopback, LinesTravelBothWaysSeveralInOneReadEmptyOrWithLoneCrAndLf) {
    client.socket->SendText("Moi^-^Tuvako01^-^0^KVLNQ^\r\n");
    client.socket->SendText("Ping\r\n");
    EXPECT_TRUE(
        WaitUntil([&] { return server.Received() == "Moi^-^Tuvako01^-^0^KVLNQ^\r\nPing\r\n"; }));
    server.Write("Login:\r\n\r\na\rb\nc\r\n");
    EXPECT_TRUE(WaitForLog({"line Login:\r\n", "line \r\n", "line a\rb\nc\r\n"}));
}

TEST_F(SocketOverLoopback, AThrowingHandlerLosesItsLineOnlyAndTheNextLinesArriveWhole) {
    client.onLine = [](const AnsiString& line) {
        if (line == "bad\r\n") throw ESocketError("handler failed");
    };
    server.Write("bad\r\ngood\r\npart");
    ASSERT_TRUE(WaitForLog({"line bad\r\n", "line good\r\n"}));
    server.Write("ial\r\n");
    EXPECT_TRUE(WaitForLog({"line bad\r\n", "line good\r\n", "line partial\r\n"}));
    EXPECT_EQ(client.socket->State(), wsConnected);
}

TEST_F(SocketOverLoopback, ThePeerClosingDeliversTheRestThenClosed) {
    server.Write("rest without end");
    server.CloseClient();
    EXPECT_TRUE(WaitForLog({"line rest without end", "closed 0"}));
    EXPECT_EQ(client.socket->State(), wsClosed);
}

TEST_F(SocketOverLoopback, ThePeerResettingClosesWithTheResetError) {
    if (test::RunsUnderWine()) GTEST_SKIP() << "Wine reports a reset as an orderly end";
    server.ResetClient();
    EXPECT_TRUE(WaitForLog({"closed 10054"}));
    EXPECT_EQ(client.socket->State(), wsClosed);
}

TEST_F(SocketOverLoopback, SendingIntoAResetConnectionEndsTheSessionWithoutAnException) {
    server.ResetClient();
    EXPECT_EQ(test::Thrown([&] { client.socket->SendText("Ping\r\n"); }), "");
    EXPECT_TRUE(WaitForLog({"closed 10054"}));
}

TEST_F(SocketOverLoopback, DestroyLaterFromInsideSessionClosedDestroysItOnlyAfterwards) {
    bool usableAfterRelease = false;
    client.onClosed = [&] {
        client.socket->DestroyLater();
        usableAfterRelease = client.socket && client.socket->SendText("") == 0;
    };
    server.CloseClient();
    ASSERT_TRUE(WaitUntil([&] { return client.socket.isNull(); }));
    EXPECT_TRUE(usableAfterRelease);
    EXPECT_EQ(client.log, Log{"closed 0"});
    EXPECT_EQ(SocketsLibrary::InstanceCount(), 0);
}

// The peer accepts, sends and resets before the connect notification is serviced (the program
// is busy starting): the connect counts as made, the data arrive, then the close with the reset.
TEST(SocketOverLoopbackBusy, AConnectionResetBeforeItsConnectWasSeenStillDeliversItsData) {
    if (test::RunsUnderWine()) GTEST_SKIP() << "Wine reports a reset as an orderly end";
    test::LoopbackServer server;
    test::LoggedSocket client;
    client.Configure(server.PortText());
    client.socket->Connect();
    ASSERT_TRUE(server.AcceptClientWhileBusy());
    server.Write("Login:\r\n");
    server.ResetClient();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // still busy
    EXPECT_TRUE(WaitUntil([&] { return client.log.size() >= 3; }));
    EXPECT_EQ(client.log, (Log{"connected 0", "line Login:\r\n", "closed 10054"}));
}

TEST(SocketOverLoopbackRefused, AClosedPortIsReportedAsRefusedThenClosed) {
    QTcpServer probe;  // a port that nothing listens on: bound once, then freed
    probe.listen(QHostAddress::LocalHost, 0);
    test::LoggedSocket client;
    client.Configure(std::to_string(probe.serverPort()));
    probe.close();
    client.socket->Connect();
    ASSERT_TRUE(WaitUntil([&] { return client.log.size() >= 2; }));
    EXPECT_EQ(client.log, (Log{"connected 10061", "closed 0"}));
}

}  // namespace
}  // namespace tuvako
