// A sockets table for tests: scripted refusals, resets, partial sends and "would block".
#pragma once

#include "platform/SocketsApi.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tuvako::test {

// Installed for its lifetime in place of the system's table. The test plays the network: it
// completes connects, delivers bytes, ends connections and scripts what each send takes.
// Notifications are posted to the socket's window as the system table would post them: one
// FdEvent::Read at a time, re-armed by Recv while bytes remain.
class FakeSocketsApi : public SocketsApi {
public:
    struct FakeSocket {
        TSocket handle = InvalidSocket;
        bool open = true;
        MessageWindow* window = nullptr;
        std::uint32_t msg = 0;
        int events = 0;
        SocketAddress remote;
        std::string incoming;  // bytes the peer sent; those before incomingRead are received
        std::size_t incomingRead = 0;
        bool readPosted = false;
        bool peerClosed = false;
        std::string sent;  // bytes the network took
        bool shutdownSent = false;
        bool lingerOn = false;
        int lingerSeconds = -1;
    };

    FakeSocketsApi();
    ~FakeSocketsApi() override;

    // Scripts.
    int startupResult = 0;
    int socketFailure = 0;        // Socket() fails with this error
    int connectFailure = 0;       // Connect() fails at once with this error
    int getOptionFailure = 0;     // GetOption() fails with this error
    std::size_t readableCap = 0;  // BytesReadable() reports at most this many (0: all)
    // One entry per Send call: >= 0 is the most bytes it takes, < 0 fails with -entry.
    // When the script is empty every send takes everything.
    std::deque<int> sendScript;
    std::map<std::string, std::uint32_t> hosts;
    std::map<std::string, std::uint16_t> services;

    // What happened.
    int startups = 0;
    int cleanups = 0;
    std::vector<std::string> calls;  // "socket" and "gethostbyname <name>"
    std::vector<int> sendSizes;      // bytes offered by each Send call

    // Playing the network for the most recently made socket.
    FakeSocket& Last();
    void CompleteConnect(int error = 0);
    void Deliver(std::string_view bytes);
    void PeerClose(int error = 0);
    void Notify(int event, int error = 0);
    std::size_t OpenSockets() const;

    const char* LibraryName() const override { return "fake"; }
    int Startup(std::uint16_t version) override;
    int Cleanup() override;
    int GetLastError() const override { return lastError_; }
    void SetLastError(int error) override { lastError_ = error; }
    TSocket Socket(int type, int protocol) override;
    int GetOption(TSocket s, SocketOption option, int& value) override;
    int SetOption(TSocket s, SocketOption option, int value) override;
    int SetLinger(TSocket s, bool on, int seconds) override;
    int SetKeepAliveTimes(TSocket s, int timeMs, int intervalMs) override;
    int Connect(TSocket s, const SocketAddress& remote) override;
    int AsyncSelect(TSocket s, MessageWindow* window, std::uint32_t msg, int events) override;
    int BytesReadable(TSocket s, unsigned long& count) override;
    int Recv(TSocket s, char* buffer, int length, int flags) override;
    int Send(TSocket s, const char* data, int length, int flags) override;
    int Shutdown(TSocket s, int how) override;
    int CloseSocket(TSocket s) override;
    std::uint32_t InetAddr(const char* text) override;
    int GetHostByName(const char* name, std::uint32_t& address) override;
    int GetServByName(const char* name, const char* protocol, std::uint16_t& port) override;
    int GetProtoByName(const char* name, int& number) override;

private:
    FakeSocket* Find(TSocket s);
    int Fail(int error);
    void Post(FakeSocket& socket, int event, int error);
    void PostReadIfWaiting(FakeSocket& socket);
    static std::size_t Unread(const FakeSocket& socket);

    std::deque<FakeSocket> sockets_;
    int lastError_ = 0;
    SocketsApi* previous_ = nullptr;
};

}  // namespace tuvako::test
