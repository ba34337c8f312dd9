// The sockets table on Windows Sockets 2, whose error numbers are the table's own.
#pragma once

// MessageWindow.h before any Windows header, whose macros would rename its members.
#include "platform/MessageWindow.h"
#include "platform/SocketsApi.h"
#include "platform/win/HiddenWindow.h"

#include <QPointer>

#include <memory>
#include <unordered_map>

namespace tuvako {

// The system's sockets table. A handle is a number of our own, never reused, that stands for the
// system's SOCKET: Windows reuses a closed socket's value, and a notification still queued for
// it must never be taken for a new socket. Notifications come from WSAAsyncSelect to a hidden
// window, each socket with a message number of its own, and go on to the socket's
// MessageWindow. It is used from the GUI thread, whose event loop serves the hidden window.
class SocketsApiWin : public SocketsApi {
public:
    SocketsApiWin() = default;
    ~SocketsApiWin() override;

    const char* LibraryName() const override { return "ws2_32.dll"; }
    int Startup(std::uint16_t version) override;
    int Cleanup() override;

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
        SOCKET socket = INVALID_SOCKET;
        UINT notification = 0;  // the hidden window's message number for this socket; 0: none
        QPointer<MessageWindow> window;
        std::uint32_t msg = 0;
        int events = 0;
    };

    // The entry of a live handle, or nullptr with WSAENOTSOCK as the last error.
    Entry* Find(TSocket s);
    // Records an error number (by default the system's last one) and returns SocketError.
    int Fail();
    int Fail(int wsaError);
    UINT NewNotificationNumber();
    bool OnNotification(UINT msg, WPARAM wParam, LPARAM lParam);

    std::unordered_map<TSocket, Entry> entries_;
    std::unordered_map<UINT, TSocket> byNotification_;
    std::unique_ptr<HiddenWindow> window_;
    TSocket lastHandle_ = 0;
    UINT lastNotification_ = 0;
};

}  // namespace tuvako
