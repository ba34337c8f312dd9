// The sockets table on POSIX sockets, with Windows Sockets error numbers.
#pragma once

#include "platform/SocketsApi.h"
#include "platform/posix/AsyncSelection.h"

#include <memory>
#include <unordered_map>

namespace tuvako {

// The system's sockets table. Handles carry a generation beside the descriptor (see TSocket).
// It is used from the GUI thread, where the asynchronous selections live.
class SocketsApiPosix : public SocketsApi {
public:
    SocketsApiPosix() = default;
    ~SocketsApiPosix() override;

    const char* LibraryName() const override { return "libc"; }
    int Startup(std::uint16_t version) override;
    int Cleanup() override { return 0; }

    int GetLastError() const override;
    void SetLastError(int error) override;

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
    struct Entry {
        TSocket handle = InvalidSocket;
        AsyncSelection::Phase phase = AsyncSelection::Phase::Idle;
        std::unique_ptr<AsyncSelection> selection;
    };

    // The entry of a live handle, or nullptr with NotSocket as the last error.
    Entry* Find(TSocket s);
    // Records errno as the last error and returns SocketError.
    int Fail();
    int Fail(int wsaError);
    int ConnectFailed(Entry& entry, int error);

    std::unordered_map<int, Entry> entries_;  // by descriptor
    std::uint32_t generation_ = 0;
};

}  // namespace tuvako
