#include "support/FakeSocketsApi.h"

#include "platform/MessageWindow.h"

#include "support/SystemSockets.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tuvako::test {

FakeSocketsApi::FakeSocketsApi() : previous_(SetSocketsApi(this)) {}

FakeSocketsApi::~FakeSocketsApi() {
    SetSocketsApi(previous_);
}

FakeSocketsApi::FakeSocket& FakeSocketsApi::Last() {
    if (sockets_.empty()) throw std::logic_error("no socket was made");
    return sockets_.back();
}

void FakeSocketsApi::CompleteConnect(int error) {
    Post(Last(), FdEvent::Connect, error);
    if (error == 0) Post(Last(), FdEvent::Write, 0);
}

void FakeSocketsApi::Deliver(std::string_view bytes) {
    Last().incoming.append(bytes);
    PostReadIfWaiting(Last());
}

void FakeSocketsApi::PeerClose(int error) {
    Last().peerClosed = true;
    Post(Last(), FdEvent::Close, error);
}

void FakeSocketsApi::Notify(int event, int error) {
    Post(Last(), event, error);
}

std::size_t FakeSocketsApi::OpenSockets() const {
    return std::size_t(std::count_if(sockets_.begin(), sockets_.end(),
                                     [](const FakeSocket& s) { return s.open; }));
}

void FakeSocketsApi::Post(FakeSocket& socket, int event, int error) {
    if (socket.window && (socket.events & event))
        socket.window->PostMessage(socket.msg, socket.handle, MakeSelectReply(event, error));
}

std::size_t FakeSocketsApi::Unread(const FakeSocket& socket) {
    return socket.incoming.size() - socket.incomingRead;
}

void FakeSocketsApi::PostReadIfWaiting(FakeSocket& socket) {
    if (socket.open && Unread(socket) > 0 && !socket.readPosted && socket.window) {
        socket.readPosted = true;
        Post(socket, FdEvent::Read, 0);
    }
}

FakeSocketsApi::FakeSocket* FakeSocketsApi::Find(TSocket s) {
    for (FakeSocket& socket : sockets_)
        if (socket.handle == s && socket.open) return &socket;
    lastError_ = WsaError::NotSocket;
    return nullptr;
}

int FakeSocketsApi::Fail(int error) {
    lastError_ = error;
    return SocketError;
}

int FakeSocketsApi::Startup(std::uint16_t) {
    ++startups;
    return startupResult;
}

int FakeSocketsApi::Cleanup() {
    ++cleanups;
    return 0;
}

TSocket FakeSocketsApi::Socket(int, int) {
    calls.push_back("socket");
    if (socketFailure != 0) {
        lastError_ = socketFailure;
        return InvalidSocket;
    }
    FakeSocket socket;
    socket.handle = TSocket(100 + sockets_.size());
    sockets_.push_back(socket);
    return socket.handle;
}

int FakeSocketsApi::GetOption(TSocket s, SocketOption, int& value) {
    value = 65536;
    if (!Find(s)) return SocketError;
    return getOptionFailure ? Fail(getOptionFailure) : 0;
}

int FakeSocketsApi::SetOption(TSocket s, SocketOption, int) {
    return Find(s) ? 0 : SocketError;
}

int FakeSocketsApi::SetLinger(TSocket s, bool on, int seconds) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    socket->lingerOn = on;
    socket->lingerSeconds = seconds;
    return 0;
}

int FakeSocketsApi::SetKeepAliveTimes(TSocket s, int, int) {
    return Find(s) ? 0 : SocketError;
}

int FakeSocketsApi::Connect(TSocket s, const SocketAddress& remote) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    if (connectFailure != 0) return Fail(connectFailure);
    socket->remote = remote;
    return Fail(WsaError::WouldBlock);
}

int FakeSocketsApi::AsyncSelect(TSocket s, MessageWindow* window, std::uint32_t msg, int events) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    socket->window = window;
    socket->msg = msg;
    socket->events = events;
    return 0;
}

int FakeSocketsApi::BytesReadable(TSocket s, unsigned long& count) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    count = readableCap ? std::min(readableCap, Unread(*socket)) : Unread(*socket);
    return 0;
}

int FakeSocketsApi::Recv(TSocket s, char* buffer, int length, int) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    socket->readPosted = false;
    if (Unread(*socket) == 0) return socket->peerClosed ? 0 : Fail(WsaError::WouldBlock);
    const std::size_t taken = std::min(Unread(*socket), std::size_t(std::max(length, 0)));
    std::memcpy(buffer, socket->incoming.data() + socket->incomingRead, taken);
    socket->incomingRead += taken;
    if (Unread(*socket) == 0) {  // start over, so a long test does not keep every byte
        socket->incoming.clear();
        socket->incomingRead = 0;
    }
    PostReadIfWaiting(*socket);
    return int(taken);
}

int FakeSocketsApi::Send(TSocket s, const char* data, int length, int) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    sendSizes.push_back(length);
    int taken = length;
    if (!sendScript.empty()) {
        const int step = sendScript.front();
        sendScript.pop_front();
        if (step < 0) return Fail(-step);
        taken = std::min(step, length);
    }
    if (taken == 0 && length > 0) return Fail(WsaError::WouldBlock);
    socket->sent.append(data, std::size_t(taken));
    return taken;
}

int FakeSocketsApi::Shutdown(TSocket s, int) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    socket->shutdownSent = true;
    return 0;
}

int FakeSocketsApi::CloseSocket(TSocket s) {
    FakeSocket* socket = Find(s);
    if (!socket) return SocketError;
    socket->open = false;
    return 0;
}

std::uint32_t FakeSocketsApi::InetAddr(const char* text) {
    return ::inet_addr(text);
}

int FakeSocketsApi::GetHostByName(const char* name, std::uint32_t& address) {
    calls.push_back(std::string("gethostbyname ") + name);
    const auto found = hosts.find(name);
    if (found == hosts.end()) return Fail(WsaError::HostNotFound);
    address = found->second;
    return 0;
}

int FakeSocketsApi::GetServByName(const char* name, const char*, std::uint16_t& port) {
    const auto found = services.find(name);
    if (found == services.end()) return Fail(WsaError::NoData);
    port = found->second;
    return 0;
}

int FakeSocketsApi::GetProtoByName(const char* name, int& number) {
    if (std::string(name) != "icmp") return Fail(WsaError::NoData);
    number = 1;
    return 0;
}

}  // namespace tuvako::test
