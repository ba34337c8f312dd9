// The system's sockets table: Windows Sockets numbers and Winsock-shaped notifications.
#include "EventPump.h"
#include "LoopbackServer.h"
#include "platform/MessageWindow.h"
#include "platform/SocketsApiPosix.h"
#include "platform/WinsockErrorMap.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cerrno>
#include <vector>

namespace tuvako {
namespace {

using test::PumpUntil;

constexpr std::uint32_t kMsg = WM_USER + 1;

struct Notification {
    int event;
    int error;
    bool operator==(const Notification&) const = default;
};

class PosixSockets : public ::testing::Test {
protected:
    ~PosixSockets() override {
        if (handle != InvalidSocket) api.CloseSocket(handle);
    }
    SocketAddress Loopback(const AnsiString& port) {
        return {inet_addr("127.0.0.1"), SwapPortOrder(std::uint16_t(std::stoi(port)))};
    }
    // Makes a socket, selects every event and starts connecting to `port`.
    int StartConnect(const AnsiString& port) {
        handle = api.Socket(SockStream, IpProtoTcp);
        const int events = FdEvent::Read | FdEvent::Write | FdEvent::Connect | FdEvent::Close;
        EXPECT_EQ(api.AsyncSelect(handle, &window, kMsg, events), 0);
        return api.Connect(handle, Loopback(port));
    }
    bool WaitFor(std::size_t count) {
        return PumpUntil([&] { return seen.size() >= count; });
    }
    std::string Drain() {
        std::string all;
        char chunk[4096];
        int got;
        while ((got = api.Recv(handle, chunk, sizeof chunk, 0)) > 0)
            all.append(chunk, std::size_t(got));
        return all;
    }

    SocketsApiPosix api;
    TSocket handle = InvalidSocket;
    std::vector<Notification> seen;
    MessageWindow window{[this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
        if (msg == kMsg && wParam == handle)
            seen.push_back({SelectEvent(lParam), SelectError(lParam)});
    }};
};

TEST(WinsockErrorMap, GivesTheWindowsSocketsNumbers) {
    EXPECT_EQ(WinsockErrorFromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(WinsockErrorFromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(WinsockErrorFromErrno(ECONNRESET), 10054);
    EXPECT_EQ(WinsockErrorFromErrno(EPIPE), 10054);
    EXPECT_EQ(WinsockErrorFromErrno(ECONNABORTED), 10053);
    EXPECT_EQ(WinsockErrorFromErrno(ENOTCONN), 10057);
    EXPECT_EQ(WinsockErrorFromErrno(EAGAIN), 10035);
    EXPECT_EQ(WinsockErrorFromErrno(EBADF), 10038);
    EXPECT_EQ(WinsockErrorFromErrno(ENOENT), 10107);
}

TEST_F(PosixSockets, AClosedHandleNeverMatchesTheNextSocketOnTheSameDescriptor) {
    const TSocket first = api.Socket(SockStream, IpProtoTcp);
    ASSERT_EQ(api.CloseSocket(first), 0);
    handle = api.Socket(SockStream, IpProtoTcp);
    EXPECT_EQ(handle & 0xFFFFFFFF, first & 0xFFFFFFFF) << "POSIX reuses the descriptor at once";
    EXPECT_NE(handle, first);
    unsigned long ready = 0;
    EXPECT_EQ(api.BytesReadable(first, ready), SocketError);
    EXPECT_EQ(api.GetLastError(), WsaError::NotSocket);
    EXPECT_EQ(api.CloseSocket(first), SocketError);
    EXPECT_EQ(api.BytesReadable(handle, ready), 0);
}

TEST_F(PosixSockets, ARefusedConnectArrivesAsTheConnectNotification) {
    EXPECT_EQ(StartConnect(test::UnusedLoopbackPort()), SocketError);
    EXPECT_EQ(api.GetLastError(), WsaError::WouldBlock);
    ASSERT_TRUE(WaitFor(1));
    EXPECT_EQ(seen, (std::vector<Notification>{{FdEvent::Connect, WsaError::ConnRefused}}));
}

TEST_F(PosixSockets, ReadIsNotifiedOncePerRecvAndTheOrderlyEndOnceAfterTheData) {
    test::LoopbackServer server;
    StartConnect(server.PortText());
    ASSERT_TRUE(server.AcceptClient());
    ASSERT_TRUE(WaitFor(2));
    EXPECT_EQ(seen, (std::vector<Notification>{{FdEvent::Connect, 0}, {FdEvent::Write, 0}}));

    server.Write("first part");
    ASSERT_TRUE(WaitFor(3));
    server.Write(" and more");
    EXPECT_FALSE(PumpUntil([&] { return seen.size() > 3; }, 100)) << "no flood before a recv";
    char head[5];
    ASSERT_EQ(api.Recv(handle, head, 5, 0), 5);
    ASSERT_TRUE(WaitFor(4)) << "bytes left after a recv are notified again";
    EXPECT_EQ(seen[3], (Notification{FdEvent::Read, 0}));

    server.CloseClient();
    EXPECT_EQ(Drain(), " part and more");
    ASSERT_TRUE(WaitFor(5));
    EXPECT_EQ(seen[4], (Notification{FdEvent::Close, 0}));
    Drain();
    EXPECT_FALSE(PumpUntil([&] { return seen.size() > 5; }, 100)) << "the end is notified once";
}

TEST_F(PosixSockets, AResetCarriesItsErrorAndSendingIntoItFailsWithoutASignal) {
    test::LoopbackServer server;
    StartConnect(server.PortText());
    ASSERT_TRUE(server.AcceptClient());
    ASSERT_TRUE(WaitFor(2));
    server.ResetClient();
    ASSERT_TRUE(WaitFor(3));
    EXPECT_EQ(seen[2], (Notification{FdEvent::Close, WsaError::ConnReset}));
    EXPECT_EQ(api.Send(handle, "x", 1, 0), SocketError);
    EXPECT_EQ(api.GetLastError(), WsaError::ConnReset);
}

TEST_F(PosixSockets, ASendThatCannotTakeEverythingAsksForAWriteNotification) {
    test::LoopbackServer server;
    StartConnect(server.PortText());
    ASSERT_TRUE(server.AcceptClient());
    ASSERT_TRUE(WaitFor(2));
    const std::string block(1 << 20, 'b');
    int sent = 0;
    while ((sent = api.Send(handle, block.data(), int(block.size()), 0)) == int(block.size())) {
    }
    EXPECT_TRUE(sent >= 0 || api.GetLastError() == WsaError::WouldBlock);
    const std::size_t before = seen.size();
    ASSERT_TRUE(PumpUntil([&] {
        server.Received();
        return seen.size() > before;
    }));
    EXPECT_EQ(seen.back(), (Notification{FdEvent::Write, 0}));
}

}  // namespace
}  // namespace tuvako
