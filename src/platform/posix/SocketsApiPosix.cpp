#include "platform/posix/SocketsApiPosix.h"

#include "platform/posix/WinsockErrorMap.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tuvako {
namespace {

thread_local int lastError = 0;

int DescriptorOf(TSocket s) {
    return int(s & 0xFFFFFFFFu);
}

sockaddr_in ToSockaddr(const SocketAddress& endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = endpoint.address;
    address.sin_port = endpoint.port;
    return address;
}

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

// Outcomes of a connect that Windows Sockets reports through the connect notification rather
// than from the call; POSIX sometimes knows them at once (a refused loopback connect).
bool EndsConnectAsynchronously(int error) {
    return error == ECONNREFUSED || error == ENETUNREACH || error == ETIMEDOUT ||
           error == EHOSTUNREACH;
}

bool BreaksConnection(int wsaError) {
    return wsaError == WsaError::ConnReset || wsaError == WsaError::ConnAborted ||
           wsaError == WsaError::TimedOut || wsaError == WsaError::NetReset;
}

}  // namespace

SocketsApiPosix::~SocketsApiPosix() {
    for (auto& [fd, entry] : entries_) {
        entry.selection.reset();
        ::close(fd);
    }
}

int SocketsApiPosix::Startup(std::uint16_t version) {
    // Nothing to start on POSIX; only a version below 1.1 is refused, as Windows would.
    const bool tooOld = (version & 0xFF) < 1 || ((version & 0xFF) == 1 && (version >> 8) < 1);
    return tooOld ? WsaError::VerNotSupported : 0;
}

int SocketsApiPosix::GetLastError() const {
    return lastError;
}
void SocketsApiPosix::SetLastError(int error) {
    lastError = error;
}

int SocketsApiPosix::Fail() {
    return Fail(WinsockErrorFromErrno(errno));
}

int SocketsApiPosix::Fail(int wsaError) {
    lastError = wsaError;
    return SocketError;
}

SocketsApiPosix::Entry* SocketsApiPosix::Find(TSocket s) {
    const auto found = s == InvalidSocket ? entries_.end() : entries_.find(DescriptorOf(s));
    if (found == entries_.end() || found->second.handle != s) {
        lastError = WsaError::NotSocket;
        return nullptr;
    }
    return &found->second;
}

TSocket SocketsApiPosix::Socket(int type, int protocol) {
    const int posixType = type == SockStream  ? SOCK_STREAM
                          : type == SockDgram ? SOCK_DGRAM
                                              : SOCK_RAW;
    const int fd = ::socket(AF_INET, posixType | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        Fail();
        return InvalidSocket;
    }
    if (++generation_ == 0) generation_ = 1;
    const TSocket handle = (TSocket(generation_) << 32) | TSocket(unsigned(fd));
    entries_[fd] = Entry{handle, AsyncSelection::Phase::Idle, nullptr};
    return handle;
}

int SocketsApiPosix::GetOption(TSocket s, SocketOption option, int& value) {
    int level = 0, name = 0;
    if (!Find(s)) return SocketError;
    if (!OptionName(option, level, name)) return Fail(WsaError::NoProtoOpt);
    socklen_t length = sizeof value;
    return ::getsockopt(DescriptorOf(s), level, name, &value, &length) == 0 ? 0 : Fail();
}

int SocketsApiPosix::SetOption(TSocket s, SocketOption option, int value) {
    int level = 0, name = 0;
    if (!Find(s)) return SocketError;
    if (!OptionName(option, level, name)) return Fail(WsaError::NoProtoOpt);
    return ::setsockopt(DescriptorOf(s), level, name, &value, sizeof value) == 0 ? 0 : Fail();
}

int SocketsApiPosix::SetLinger(TSocket s, bool on, int seconds) {
    if (!Find(s)) return SocketError;
    const linger value{on ? 1 : 0, seconds};
    return ::setsockopt(DescriptorOf(s), SOL_SOCKET, SO_LINGER, &value, sizeof value) == 0 ? 0
                                                                                           : Fail();
}

int SocketsApiPosix::SetKeepAliveTimes(TSocket s, int timeMs, int intervalMs) {
    if (!Find(s)) return SocketError;
    const int idle = std::max(1, timeMs / 1000), interval = std::max(1, intervalMs / 1000);
    const int fd = DescriptorOf(s);
    if (::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) != 0 ||
        ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) != 0)
        return Fail();
    return 0;
}

int SocketsApiPosix::Connect(TSocket s, const SocketAddress& remote) {
    Entry* entry = Find(s);
    if (!entry) return SocketError;
    const sockaddr_in address = ToSockaddr(remote);
    if (::connect(DescriptorOf(s), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
        0) {
        entry->phase = AsyncSelection::Phase::Connected;
        if (entry->selection) entry->selection->ConnectFinished(0);
        return 0;
    }
    return ConnectFailed(*entry, errno);
}

int SocketsApiPosix::ConnectFailed(Entry& entry, int error) {
    if (error == EINPROGRESS) {
        entry.phase = AsyncSelection::Phase::Connecting;
        if (entry.selection) entry.selection->ConnectStarted();
        return Fail(WsaError::WouldBlock);
    }
    if (entry.selection && EndsConnectAsynchronously(error)) {
        entry.selection->ConnectFinished(WinsockErrorFromErrno(error));
        return Fail(WsaError::WouldBlock);
    }
    return Fail(WinsockErrorFromErrno(error));
}

int SocketsApiPosix::AsyncSelect(TSocket s, MessageWindow* window, std::uint32_t msg, int events) {
    Entry* entry = Find(s);
    if (!entry) return SocketError;
    const int fd = DescriptorOf(s);
    entry->selection.reset();
    if (events == 0) return 0;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return Fail();
    entry->selection = std::make_unique<AsyncSelection>(fd, s, window, msg, events, entry->phase);
    return 0;
}

int SocketsApiPosix::BytesReadable(TSocket s, unsigned long& count) {
    if (!Find(s)) return SocketError;
    int available = 0;
    if (::ioctl(DescriptorOf(s), FIONREAD, &available) != 0) return Fail();
    count = (unsigned long)std::max(available, 0);
    return 0;
}

int SocketsApiPosix::Recv(TSocket s, char* buffer, int length, int flags) {
    Entry* entry = Find(s);
    if (!entry) return SocketError;
    const int posixFlags = ((flags & MsgOob) ? MSG_OOB : 0) | ((flags & MsgPeek) ? MSG_PEEK : 0);
    const ssize_t received =
        ::recv(DescriptorOf(s), buffer, std::size_t(std::max(length, 0)), posixFlags);
    const int savedErrno = errno;
    if (entry->selection) {
        if (received < 0 && BreaksConnection(WinsockErrorFromErrno(savedErrno)))
            entry->selection->NoteConnectionError(WinsockErrorFromErrno(savedErrno));
        entry->selection->RecvCalled();
    }
    return received < 0 ? Fail(WinsockErrorFromErrno(savedErrno)) : int(received);
}

// A send that takes fewer bytes than offered means the system's buffer is full, as a send
// that would block does: both ask for FdEvent::Write, so the rest is not left waiting.
int SocketsApiPosix::Send(TSocket s, const char* data, int length, int flags) {
    Entry* entry = Find(s);
    if (!entry) return SocketError;
    const int posixFlags = MSG_NOSIGNAL | ((flags & MsgOob) ? MSG_OOB : 0);
    const ssize_t sent =
        ::send(DescriptorOf(s), data, std::size_t(std::max(length, 0)), posixFlags);
    const int savedErrno = errno;
    const bool blocked =
        sent < length && (sent >= 0 || savedErrno == EAGAIN || savedErrno == EWOULDBLOCK);
    if (entry->selection && blocked) entry->selection->SendBlocked();
    return sent < 0 ? Fail(WinsockErrorFromErrno(savedErrno)) : int(sent);
}

int SocketsApiPosix::Shutdown(TSocket s, int how) {
    if (!Find(s)) return SocketError;
    const int posixHow = how == 0 ? SHUT_RD : how == SdSend ? SHUT_WR : SHUT_RDWR;
    return ::shutdown(DescriptorOf(s), posixHow) == 0 ? 0 : Fail();
}

int SocketsApiPosix::CloseSocket(TSocket s) {
    if (!Find(s)) return SocketError;
    const int fd = DescriptorOf(s);
    entries_.erase(fd);  // stops the notifiers before the descriptor goes
    // The descriptor is released even when close reports an error (EINTR on Linux).
    return ::close(fd) == 0 || errno == EINTR ? 0 : Fail();
}

std::uint32_t SocketsApiPosix::InetAddr(const char* text) {
    return ::inet_addr(text);
}

int SocketsApiPosix::GetHostByName(const char* name, std::uint32_t& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    const int result = ::getaddrinfo(name, nullptr, &hints, &answer);
    if (result != 0) return Fail(WinsockErrorFromAddrInfo(result));
    address = reinterpret_cast<const sockaddr_in*>(answer->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(answer);
    return 0;
}

int SocketsApiPosix::GetServByName(const char* name, const char* protocol, std::uint16_t& port) {
    servent entry{};
    servent* found = nullptr;
    char buffer[1024];
    if (::getservbyname_r(name, protocol, &entry, buffer, sizeof buffer, &found) != 0 || !found)
        return Fail(WsaError::NoData);
    port = ntohs(std::uint16_t(found->s_port));
    return 0;
}

int SocketsApiPosix::GetProtoByName(const char* name, int& number) {
    protoent entry{};
    protoent* found = nullptr;
    char buffer[1024];
    if (::getprotobyname_r(name, &entry, buffer, sizeof buffer, &found) != 0 || !found)
        return Fail(WsaError::NoData);
    number = found->p_proto;
    return 0;
}

SocketsApi* NewSystemSocketsApi() {
    return new SocketsApiPosix;
}

}  // namespace tuvako
