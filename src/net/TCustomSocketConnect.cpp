// TCustomSocket: starting a connection.
#include "net/TCustomSocket.h"

#include "net/ESocketError.h"
#include "net/Resolve.h"
#include "net/SocketsLibrary.h"

namespace tuvako {

void TCustomSocket::Connect() {
    if (hSocket_ != InvalidSocket && state_ != wsClosed)
        return RaiseException("Connect: Socket already in use");
    if (!port_.assigned) return RaiseException("Connect: No Port Specified");
    if (!addr_.assigned) return RaiseException("Connect: No IP Address Specified");
    if (!proto_.assigned) return RaiseException("Connect: No Protocol Specified");
    if (!ResolveEndpoint()) return;
    DiscardQueue();
    if (!OpenSocket()) return;
    SetState(wsOpened);
    if (state_ != wsOpened) {
        SocketsLibrary::Api().SetLastError(WsaError::Invalid);
        return ReportSocketError("Connect (Invalid operation in OnChangeState)");
    }
    if (!ConfigureSocket()) return;
    SocketsApi& api = SocketsLibrary::Api();
    const SocketAddress remote{address_, SwapPortOrder(portNumber_)};
    if (api.Connect(hSocket_, remote) == 0 || api.GetLastError() == WsaError::WouldBlock) {
        SetState(wsConnecting);
        return;
    }
    lastError_ = api.GetLastError();
    ReportSocketError("Connect");
}

// Resolves what is not resolved yet; a failure is raised with "connect: " in front and leaves
// everything as it was.
bool TCustomSocket::ResolveEndpoint() {
    AnsiString failure;
    try {
        if (!proto_.resolved) {
            protocol_ = ResolveProto(proto_.text);
            socketType_ = protocol_ == IpProtoTcp   ? SockStream
                          : protocol_ == IpProtoUdp ? SockDgram
                                                    : SockRaw;
            proto_.resolved = true;
        }
        if (!port_.resolved) {
            portNumber_ = ResolvePort(port_.text, proto_.text);
            port_.resolved = true;
        }
        if (!addr_.resolved) {
            address_ = ResolveHost(addr_.text);
            addr_.resolved = true;
        }
    } catch (const ESocketError& error) {
        failure = "connect: " + error.Message();
    }
    if (failure.empty() && socketType_ != SockStream) failure = "Connect: Only TCP is supported";
    if (failure.empty()) return true;
    RaiseException(failure);
    return false;
}

bool TCustomSocket::OpenSocket() {
    SocketsApi& api = SocketsLibrary::Api();
    hSocket_ = api.Socket(socketType_, protocol_);
    if (hSocket_ == InvalidSocket) {
        ReportSocketError("Connect (socket)");
        return false;
    }
    if (api.GetOption(hSocket_, SocketOption::SendBuffer, sendBufferSize_) != 0) {
        CloseFreshHandle();
        ReportSocketError("getsockopt(SO_SNDBUF)");
        return false;
    }
    if (api.GetOption(hSocket_, SocketOption::ReceiveBuffer, receiveBufferSize_) != 0) {
        CloseFreshHandle();
        ReportSocketError("getsockopt(SO_RCVBUF)");
        return false;
    }
    return true;
}

// A handle that never got as far as wsOpened is closed at once: nothing else would close it,
// since every close does nothing in wsClosed.
void TCustomSocket::CloseFreshHandle() {
    SocketsApi& api = SocketsLibrary::Api();
    const int error = api.GetLastError();
    api.CloseSocket(hSocket_);
    hSocket_ = InvalidSocket;
    api.SetLastError(error);
}

// Socket options and the asynchronous selection. A failure is reported with the call's name;
// the handle stays open in wsOpened until the socket is closed, aborted or destroyed.
bool TCustomSocket::ConfigureSocket() {
    SocketsApi& api = SocketsLibrary::Api();
    if (protocol_ == IpProtoTcp) {
        if (SocketCallFailed(api.SetOption(hSocket_, SocketOption::ReuseAddress, 1),
                             "setsockopt(SO_REUSEADDR)"))
            return false;
        if (options_.Contains(wsoTcpNoDelay) &&
            SocketCallFailed(api.SetOption(hSocket_, SocketOption::TcpNoDelay, 1),
                             "setsockopt(IPPROTO_TCP, TCP_NODELAY)"))
            return false;
        if (lingerOnOff_ != wsLingerNoSet &&
            SocketCallFailed(api.SetLinger(hSocket_, lingerOnOff_ == wsLingerOn, lingerTimeout_),
                             "setsockopt(SO_LINGER)"))
            return false;
        if (keepAliveOnOff_ != wsKeepAliveOff &&
            SocketCallFailed(api.SetOption(hSocket_, SocketOption::KeepAlive, 1),
                             "setsockopt(SO_KEEPALIVE)"))
            return false;
        if (keepAliveOnOff_ == wsKeepAliveOnCustom &&
            SocketCallFailed(api.SetKeepAliveTimes(hSocket_, keepAliveTime_, keepAliveInterval_),
                             "WSAIoctl(SIO_KEEPALIVE_VALS)"))
            return false;
    }
    eventMask_ =
        FdEvent::Read | FdEvent::Write | FdEvent::Accept | FdEvent::Connect | FdEvent::Close;
    return !SocketCallFailed(api.AsyncSelect(hSocket_, window_.get(), WM_SOCKET_EVENT, eventMask_),
                             "WSAAsyncSelect");
}

bool TCustomSocket::SocketCallFailed(int result, const char* label) {
    if (result == 0) return false;
    ReportSocketError(label);
    return true;
}

}  // namespace tuvako
