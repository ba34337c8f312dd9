// The system's sockets table: Windows Sockets numbers and Winsock-shaped notifications.
#include "platform/MessageWindow.h"
#include "platform/SocketsApi.h"
#include "support/LoopbackServer.h"
#include "support/SystemSockets.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <memory>

namespace tuvako {
namespace {

using test::WaitUntil;

constexpr std::uint32_t kMsg = WM_USER + 1;

using Notification = std::pair<int, int>;  // event, error

class SystemSockets : public ::testing::Test {
protected:
    SystemSockets() { EXPECT_EQ(api.Startup(0x0101), 0); }
    ~SystemSockets() override {
        if (handle != InvalidSocket) api.CloseSocket(handle);
        api.Cleanup();
    }
    // Connects a socket that selects every event; the connect and first write notifications come.
    void ConnectToServer() {
        handle = api.Socket(SockStream, IpProtoTcp);
        const int events = FdEvent::Read | FdEvent::Write | FdEvent::Connect | FdEvent::Close;
        ASSERT_EQ(api.AsyncSelect(handle, &window, kMsg, events), 0);
        const auto port = std::uint16_t(std::stoi(server.PortText()));
        EXPECT_EQ(api.Connect(handle, {inet_addr("127.0.0.1"), SwapPortOrder(port)}), SocketError);
        EXPECT_EQ(api.GetLastError(), WsaError::WouldBlock);
        ASSERT_TRUE(server.AcceptClient());
        ASSERT_TRUE(WaitFor(2));
        EXPECT_EQ(seen, (std::vector<Notification>{{FdEvent::Connect, 0}, {FdEvent::Write, 0}}));
    }
    bool WaitFor(std::size_t count) {
        return WaitUntil([&] { return seen.size() >= count; });
    }
    std::string Drain() {
        std::string all;
        char chunk[4096];
        for (int got; (got = api.Recv(handle, chunk, sizeof chunk, 0)) > 0;)
            all.append(chunk, std::size_t(got));
        return all;
    }

    std::unique_ptr<SocketsApi> table{NewSystemSocketsApi()};
    SocketsApi& api = *table;
    TSocket handle = InvalidSocket;
    test::LoopbackServer server;
    std::vector<Notification> seen;
    MessageWindow window{[this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
        if (msg == kMsg && wParam == handle)
            seen.push_back({SelectEvent(lParam), SelectError(lParam)});
    }};
};

// The system may give the next socket the closed one's number (POSIX does at once).
TEST_F(SystemSockets, AClosedHandleNeverMatchesTheNextSocket) {
    const TSocket first = api.Socket(SockStream, IpProtoTcp);
    ASSERT_EQ(api.CloseSocket(first), 0);
    handle = api.Socket(SockStream, IpProtoTcp);
    EXPECT_NE(handle, first);
    unsigned long ready = 0;
    EXPECT_EQ(api.BytesReadable(first, ready), SocketError);
    EXPECT_EQ(api.GetLastError(), WsaError::NotSocket);
    EXPECT_EQ(api.CloseSocket(first), SocketError);
    EXPECT_EQ(api.BytesReadable(handle, ready), 0);
}

TEST_F(SystemSockets, ReadIsNotifiedOncePerRecvAndTheOrderlyEndOnceAfterTheData) {
    ConnectToServer();
    server.Write("first part");
    ASSERT_TRUE(WaitFor(3));
    server.Write(" and more");
    EXPECT_FALSE(WaitUntil([&] { return seen.size() > 3; }, 100)) << "no flood before a recv";
    char head[5];
    ASSERT_EQ(api.Recv(handle, head, 5, 0), 5);
    ASSERT_TRUE(WaitFor(4)) << "bytes left after a recv are notified again";
    EXPECT_EQ(seen[3], (Notification{FdEvent::Read, 0}));

    server.CloseClient();
    EXPECT_EQ(Drain(), " part and more");
    ASSERT_TRUE(WaitFor(5));
    EXPECT_EQ(seen[4], (Notification{FdEvent::Close, 0}));
    Drain();
    EXPECT_FALSE(WaitUntil([&] { return seen.size() > 5; }, 100)) << "the end is notified once";
}

TEST_F(SystemSockets, ASendThatCannotTakeEverythingAsksForAWriteNotification) {
    ConnectToServer();
    const std::string block(1 << 20, 'b');
    int sent = 0;
    while ((sent = api.Send(handle, block.data(), int(block.size()), 0)) == int(block.size())) {
    }
    EXPECT_TRUE(sent >= 0 || api.GetLastError() == WsaError::WouldBlock);
    const std::size_t before = seen.size();
    ASSERT_TRUE(WaitUntil([&] {
        server.Received();
        return seen.size() > before;
    }));
    EXPECT_EQ(seen.back(), (Notification{FdEvent::Write, 0}));
}

}  // namespace
}  // namespace tuvako
