// Many connections, one after another: nothing may be left behind.
#include "NetTestSupport.h"
#include "net/SocketsLibrary.h"

#include <gtest/gtest.h>

#include "support/ProcessProbe.h"

namespace tuvako {
namespace {

using test::WaitUntil;

// One session as the terminal runs it: a new socket, connected, ended (by this side on even
// rounds, by the server on odd ones) and released from inside OnSessionClosed.
bool RunSession(test::LoopbackServer& server, int round) {
    auto* socket = new TClientSocket();
    QPointer<TClientSocket> alive(socket);
    bool connected = false;
    socket->OnSessionConnected = [&](TCustomSocket*, std::uint16_t error) {
        connected = error == 0;
    };
    socket->OnSessionClosed = [](TCustomSocket* sender, std::uint16_t) { sender->DestroyLater(); };
    socket->SetPort(server.PortText());
    socket->SetAddr("127.0.0.1");
    socket->SetLineMode(true);
    socket->Connect();
    if (!server.AcceptClient() || !WaitUntil([&] { return connected; })) return false;
    socket->SendText("Ping\r\n");
    if (round % 2 == 0)
        socket->Close();
    else
        server.CloseClient();
    const bool released = WaitUntil([&] { return alive.isNull(); });
    server.DropClient();
    return released;
}

TEST(SocketLifecycle, TenThousandSessionsLeaveDescriptorsAndMemoryWhereTheyWere) {
    test::LoopbackServer server;
    for (int round = 0; round < 200; ++round)  // lets Qt and the allocator settle first
        ASSERT_TRUE(RunSession(server, round)) << "warm-up round " << round;
    const auto descriptors = test::OpenHandleCount();
    const std::size_t heap = test::HeapInUse();

    for (int round = 0; round < 10000; ++round)
        ASSERT_TRUE(RunSession(server, round)) << "round " << round;

    EXPECT_EQ(test::OpenHandleCount(), descriptors);
    EXPECT_LT(test::HeapInUse(), heap + 64 * 1024)
        << "10000 sessions may not leak even 7 bytes each";
    EXPECT_EQ(SocketsLibrary::InstanceCount(), 0);
}

}  // namespace
}  // namespace tuvako
