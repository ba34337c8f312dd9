#include "net/TCustomSocket.h"

#include "net/ESocketError.h"
#include "net/RaiseEvent.h"
#include "net/SocketErrorText.h"
#include "net/SocketsLibrary.h"
#include "platform/MessageWindow.h"

#include <string>

namespace tuvako {

TCustomSocket::TCustomSocket(QObject* owner)
    : QObject(owner),
      window_(std::make_unique<MessageWindow>(
          [this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
              HandleWindowMessage(msg, wParam, lParam);
          })) {
    AssignDefaultValue();
    SocketsLibrary::AddInstance();
}

// Closes without raising anything, stops the library if this was the last socket object, and
// drops the hidden window together with the messages still queued for it.
TCustomSocket::~TCustomSocket() {
    destroying_ = true;
    if (hSocket_ != InvalidSocket || state_ != wsClosed) {
        try {
            InternalClose(true);
        } catch (...) {
            // A socket going away has nobody left to tell.
        }
    }
    SocketsLibrary::RemoveInstance();
    DiscardQueue();
    window_.reset();
}

void TCustomSocket::AssignDefaultValue() {
    proto_ = {"tcp", true, true};
    protocol_ = IpProtoTcp;
    socketType_ = SockStream;
    port_.assigned = port_.resolved = false;
    addr_.assigned = addr_.resolved = false;
    lingerOnOff_ = wsLingerOn;
    lingerTimeout_ = 0;
    SetState(wsClosed);
    hSocket_ = InvalidSocket;
    eventMask_ = 0;
    allSent_ = true;
    closeReported_ = false;
    options_ = {};
    sendFlags_ = wsSendNormal;
}

void TCustomSocket::SetEndpointText(EndpointText& field, const AnsiString& value,
                                    const char* name) {
    if (state_ != wsClosed) {
        RaiseException(AnsiString("Cannot change ") + name + " if not closed");
        return;
    }
    const AnsiString text(TrimBlanksAndControls(value));
    if (field.assigned && field.text == text) return;
    field.text = text;
    field.assigned = !text.empty();
    field.resolved = false;
}

void TCustomSocket::SetProto(const AnsiString& value) {
    SetEndpointText(proto_, value, "Proto");
}
void TCustomSocket::SetPort(const AnsiString& value) {
    SetEndpointText(port_, value, "Port");
}
void TCustomSocket::SetAddr(const AnsiString& value) {
    SetEndpointText(addr_, value, "Addr");
}

void TCustomSocket::SetState(TSocketState state) {
    const TSocketState old = state_;
    if (old == state) return;
    state_ = state;
    if (!EventsSuppressed()) RaiseEvent(OnChangeState, this, old, state);
}

bool TCustomSocket::RaiseDataAvailable(std::uint16_t errCode) {
    return !EventsSuppressed() && RaiseEvent(OnDataAvailable, this, errCode);
}

bool TCustomSocket::TriggerDataAvailable(std::uint16_t errCode) {
    return RaiseDataAvailable(errCode);
}

void TCustomSocket::TriggerSessionConnected(std::uint16_t errCode) {
    if (!EventsSuppressed()) RaiseEvent(OnSessionConnected, this, errCode);
}

void TCustomSocket::TriggerSessionClosed(std::uint16_t errCode) {
    if (!EventsSuppressed()) RaiseEvent(OnSessionClosed, this, errCode);
}

void TCustomSocket::RaiseException(const AnsiString& message) {
    if (OnError && !EventsSuppressed()) {
        RaiseEvent(OnError, this, message);
        return;
    }
    throw ESocketError(message);
}

// A reset or a lost connection found by a call also ends the connection, as the network's own
// close notification would.
void TCustomSocket::ReportSocketError(const AnsiString& label) {
    const int error = SocketsLibrary::Api().GetLastError();
    const AnsiString message = "Error " + std::to_string(error) + " in function " + label + "\r\n" +
                               SocketErrorText(error);
    if (error == WsaError::ConnReset || error == WsaError::NotConn) {
        if (hSocket_ != InvalidSocket) {
            SocketsLibrary::Api().CloseSocket(hSocket_);
            hSocket_ = InvalidSocket;
        }
        if (state_ != wsClosed) TriggerSessionClosed(std::uint16_t(error));
        if (hSocket_ == InvalidSocket)  // unless the handler connected it again
            SetState(wsClosed);
    }
    lastError_ = error;
    RaiseException(message);
}

void TCustomSocket::PostToWindow(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    window_->PostMessage(msg, wParam, lParam);
}

void TCustomSocket::CloseLater() {
    PostToWindow(WM_SOCKET_CLOSE_LATER, 0, 0);
}

void TCustomSocket::DestroyLater() {
    if (released_) return;
    released_ = true;
    PostToWindow(WM_SOCKET_DESTROY_LATER, 0, 0);
}

}  // namespace tuvako
