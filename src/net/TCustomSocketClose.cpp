// TCustomSocket: closing, aborting.
#include "net/TCustomSocket.h"

#include "net/SocketsLibrary.h"

namespace tuvako {

void TCustomSocket::Close() {
    InternalClose(true);
}

void TCustomSocket::Abort() {
    DiscardQueue();
    if (state_ == wsConnected && protocol_ == IpProtoTcp && hSocket_ != InvalidSocket) {
        lingerOnOff_ = wsLingerOff;
        ApplyLinger();
    }
    InternalClose(false);
}

void TCustomSocket::ApplyLinger() {
    if (lingerOnOff_ == wsLingerNoSet) return;
    if (hSocket_ == InvalidSocket) return RaiseException("Cannot set linger option at this time");
    if (SocketsLibrary::Api().SetLinger(hSocket_, lingerOnOff_ == wsLingerOn, lingerTimeout_) != 0)
        ReportSocketError("setsockopt(SO_LINGER)");
}

// The end of a connection is reported once: not while the object is being destroyed, and not
// when it was reported already (by the network's close notification or a failed send).
void TCustomSocket::InternalClose(bool shutdown) {
    if (hSocket_ == InvalidSocket) {
        if (state_ != wsClosed) {
            SetState(wsClosed);
            AssignDefaultValue();
        }
        return;
    }
    if (state_ == wsClosed) return;
    SocketsApi& api = SocketsLibrary::Api();
    if (shutdown) api.Shutdown(hSocket_, SdSend);  // fails harmlessly on a connection that is gone
    if (api.CloseSocket(hSocket_) != 0 && api.GetLastError() != WsaError::NotInitialised) {
        hSocket_ = InvalidSocket;
        return ReportSocketError("Disconnect (closesocket)");
    }
    hSocket_ = InvalidSocket;
    SetState(wsClosed);
    if (!destroying_ && !closeReported_) {
        closeReported_ = true;
        TriggerSessionClosed(0);
    }
    // A handler that started a new connection on this object keeps it.
    if (hSocket_ != InvalidSocket || state_ != wsClosed) return;
    try {
        AssignDefaultValue();
    } catch (...) {
        // Restoring defaults raises nothing of importance here.
    }
}

}  // namespace tuvako
