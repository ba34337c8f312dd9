#include "platform/win/SocketsApiWin.h"

#include "platform/win/WindowsHeaders.h"

#include <mstcpip.h>

#include <algorithm>

namespace tuvako {
namespace {

// The hidden window's message numbers for socket notifications: one per socket, in turn.
constexpr UINT kFirstNotification = WM_APP;
constexpr UINT kLastNotification = 0xBFFF;

bool OptionName(SocketOption option, int& level, int& name) {
    switch (option) {
        case SocketOption::SendBuffer:
            level = SOL_SOCKET;
            name = SO_SNDBUF;
            return true;
        case SocketOption::ReceiveBuffer:
            level = SOL_SOCKET;
            name = SO_RCVBUF;
            return true;
        case SocketOption::ReuseAddress:
            level = SOL_SOCKET;
            name = SO_REUSEADDR;
            return true;
        case SocketOption::KeepAlive:
            level = SOL_SOCKET;
            name = SO_KEEPALIVE;
            return true;
        case SocketOption::TcpNoDelay:
            level = IPPROTO_TCP;
            name = TCP_NODELAY;
            return true;
    }
    return false;
}

// A socket that a child process would not inherit (a started program must not keep the
// server's connection open); plain socket() where the flag is not known.
SOCKET MakeSocket(int type, int protocol) {
    const SOCKET made = ::WSASocketW(AF_INET, type, protocol, nullptr, 0,
                                     WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    if (made != INVALID_SOCKET || ::WSAGetLastError() != WSAEINVAL) return made;
    return ::socket(AF_INET, type, protocol);
}

}  // namespace

SocketsApiWin::~SocketsApiWin() {
    for (auto& [handle, entry] : entries_) ::closesocket(entry.socket);
}

int SocketsApiWin::Startup(std::uint16_t version) {
    // Windows Sockets 2.2 whatever older version is asked for: its calls are a superset.
    WSADATA data{};
    return ::WSAStartup(std::max<std::uint16_t>(version, MAKEWORD(2, 2)), &data);
}

int SocketsApiWin::Cleanup() {
    return ::WSACleanup() == 0 ? 0 : ::WSAGetLastError();
}

int SocketsApiWin::GetLastError() const {
    return ::WSAGetLastError();
}

void SocketsApiWin::SetLastError(int error) {
    ::WSASetLastError(error);
}

SocketsApiWin::Entry* SocketsApiWin::Find(TSocket s) {
    const auto found = entries_.find(s);
    if (found != entries_.end()) return &found->second;
    Fail(WSAENOTSOCK);
    return nullptr;
}

int SocketsApiWin::Fail() {
    return Fail(::WSAGetLastError());
}

int SocketsApiWin::Fail(int wsaError) {
    ::WSASetLastError(wsaError);
    return SocketError;
}

TSocket SocketsApiWin::Socket(int type, int protocol) {
    const SOCKET made = MakeSocket(type, protocol);
    if (made == INVALID_SOCKET) return InvalidSocket;
    const TSocket handle = ++lastHandle_;
    entries_[handle] = Entry{made, 0, nullptr, 0, 0};
    return handle;
}

int SocketsApiWin::GetOption(TSocket s, SocketOption option, int& value) {
    int level = 0, name = 0;
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    if (!OptionName(option, level, name)) return Fail(WSAENOPROTOOPT);
    int length = sizeof value;
    return ::getsockopt(entry->socket, level, name, reinterpret_cast<char*>(&value), &length) == 0
               ? 0
               : Fail();
}

int SocketsApiWin::SetOption(TSocket s, SocketOption option, int value) {
    int level = 0, name = 0;
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    if (!OptionName(option, level, name)) return Fail(WSAENOPROTOOPT);
    return ::setsockopt(entry->socket, level, name, reinterpret_cast<const char*>(&value),
                        sizeof value) == 0
               ? 0
               : Fail();
}

int SocketsApiWin::SetLinger(TSocket s, bool on, int seconds) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    const linger value{u_short(on ? 1 : 0), u_short(std::clamp(seconds, 0, 0xFFFF))};
    return ::setsockopt(entry->socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&value),
                        sizeof value) == 0
               ? 0
               : Fail();
}

int SocketsApiWin::SetKeepAliveTimes(TSocket s, int timeMs, int intervalMs) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    tcp_keepalive values{1, ULONG(std::max(timeMs, 1)), ULONG(std::max(intervalMs, 1))};
    DWORD returned = 0;
    return ::WSAIoctl(entry->socket, SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0,
                      &returned, nullptr, nullptr) == 0
               ? 0
               : Fail();
}

int SocketsApiWin::Connect(TSocket s, const SocketAddress& remote) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = remote.address;
    address.sin_port = remote.port;
    return ::connect(entry->socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
                   0
               ? 0
               : Fail();
}

UINT SocketsApiWin::NewNotificationNumber() {
    do {
        lastNotification_ =
            lastNotification_ >= kFirstNotification && lastNotification_ < kLastNotification
                ? lastNotification_ + 1
                : kFirstNotification;
    } while (byNotification_.count(lastNotification_));
    return lastNotification_;
}

int SocketsApiWin::AsyncSelect(TSocket s, MessageWindow* window, std::uint32_t msg, int events) {
    Entry* entry = Find(s);
    if (!entry) return SocketError;
    if (!window_) {
        window_ = std::make_unique<HiddenWindow>(
            HiddenWindow::Kind::MessageOnly,
            [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
                return OnNotification(message, wParam, lParam);
            });
    }
    if (!window_->Handle()) return Fail(WSAENOBUFS);
    if (entry->notification) byNotification_.erase(entry->notification);
    // The FdEvent bits are Windows Sockets' own FD_ bits. A new number per selection: what
    // was queued under the old one is dropped.
    entry->notification = events ? NewNotificationNumber() : 0;
    entry->window = window;
    entry->msg = msg;
    entry->events = events;
    if (entry->notification) byNotification_[entry->notification] = s;
    return ::WSAAsyncSelect(entry->socket, window_->Handle(), entry->notification, events) == 0
               ? 0
               : Fail();
}

// A notification counts only while its number still belongs to the socket that it names.
bool SocketsApiWin::OnNotification(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg < kFirstNotification || msg > kLastNotification) return false;
    const auto owner = byNotification_.find(msg);
    if (owner == byNotification_.end()) return true;
    const Entry& entry = entries_.at(owner->second);
    if (wParam != entry.socket || !entry.window) return true;
    entry.window->PostMessage(
        entry.msg, owner->second,
        MakeSelectReply(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam)));
    return true;
}

int SocketsApiWin::BytesReadable(TSocket s, unsigned long& count) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    u_long available = 0;
    if (::ioctlsocket(entry->socket, FIONREAD, &available) != 0) return Fail();
    count = available;
    return 0;
}

// The flags (MSG_OOB, MSG_PEEK) and the shutdown directions are Windows Sockets' own numbers.
int SocketsApiWin::Recv(TSocket s, char* buffer, int length, int flags) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    const int received = ::recv(entry->socket, buffer, std::max(length, 0), flags);
    return received == SOCKET_ERROR ? Fail() : received;
}

// Windows Sockets asks for FD_WRITE again only after a send that would block. A send that
// takes part of what it was given (rare on Windows, common under emulation) is followed by one
// FD_WRITE of our own, so that the rest is offered at once: it then goes out, or the send
// that would block brings the system's own notification.
int SocketsApiWin::Send(TSocket s, const char* data, int length, int flags) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    const int sent = ::send(entry->socket, data, std::max(length, 0), flags);
    if (sent == SOCKET_ERROR) return Fail();
    if (sent < length && (entry->events & FD_WRITE) && entry->window)
        entry->window->PostMessage(entry->msg, s, MakeSelectReply(FD_WRITE, 0));
    return sent;
}

int SocketsApiWin::Shutdown(TSocket s, int how) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    return ::shutdown(entry->socket, how) == 0 ? 0 : Fail();
}

int SocketsApiWin::CloseSocket(TSocket s) {
    const Entry* entry = Find(s);
    if (!entry) return SocketError;
    const SOCKET socket = entry->socket;
    if (entry->notification) byNotification_.erase(entry->notification);
    entries_.erase(s);
    return ::closesocket(socket) == 0 ? 0 : Fail();
}

std::uint32_t SocketsApiWin::InetAddr(const char* text) {
    return ::inet_addr(text);
}

int SocketsApiWin::GetHostByName(const char* name, std::uint32_t& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    // getaddrinfo answers with Windows Sockets numbers (host not found is 11001).
    const int result = ::getaddrinfo(name, nullptr, &hints, &answer);
    if (result != 0) return Fail(result);
    address = reinterpret_cast<const sockaddr_in*>(answer->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(answer);
    return 0;
}

int SocketsApiWin::GetServByName(const char* name, const char* protocol, std::uint16_t& port) {
    const servent* found = ::getservbyname(name, protocol);
    if (!found) return Fail(::WSAGetLastError() ? ::WSAGetLastError() : WSANO_DATA);
    port = ::ntohs(u_short(found->s_port));
    return 0;
}

int SocketsApiWin::GetProtoByName(const char* name, int& number) {
    const protoent* found = ::getprotobyname(name);
    if (!found) return Fail(::WSAGetLastError() ? ::WSAGetLastError() : WSANO_DATA);
    number = found->p_proto;
    return 0;
}

SocketsApi* NewSystemSocketsApi() {
    return new SocketsApiWin;
}

}  // namespace tuvako
