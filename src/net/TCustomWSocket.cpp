#include "net/TCustomWSocket.h"

#include "net/ESocketException.h"
#include "net/RaiseEvent.h"
#include "net/WSocketErrorDesc.h"
#include "net/WSocketLibrary.h"
#include "platform/MessageWindow.h"

#include <string>

namespace tuvako {

TCustomWSocket::TCustomWSocket(QObject* owner)
    : QObject(owner),
      window_(std::make_unique<MessageWindow>(
          [this](std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
              HandleWindowMessage(msg, wParam, lParam);
          })) {
    AssignDefaultValue();
    WSocketLibrary::AddInstance();
}

// Closes without raising anything, stops the library if this was the last socket object, and
// drops the hidden window together with the messages still queued for it.
TCustomWSocket::~TCustomWSocket() {
    destroying_ = true;
    if (hSocket_ != InvalidSocket || state_ != wsClosed) {
        try {
            InternalClose(true);
        } catch (...) {
            // A socket going away has nobody left to tell.
        }
    }
    WSocketLibrary::RemoveInstance();
    DiscardQueue();
    window_.reset();
}

void TCustomWSocket::AssignDefaultValue() {
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

void TCustomWSocket::SetEndpointText(EndpointText& field, const AnsiString& value,
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

void TCustomWSocket::SetProto(const AnsiString& value) {
    SetEndpointText(proto_, value, "Proto");
}
void TCustomWSocket::SetPort(const AnsiString& value) {
    SetEndpointText(port_, value, "Port");
}
void TCustomWSocket::SetAddr(const AnsiString& value) {
    SetEndpointText(addr_, value, "Addr");
}

void TCustomWSocket::SetState(TSocketState state) {
    const TSocketState old = state_;
    if (old == state) return;
    state_ = state;
    if (!EventsSuppressed()) RaiseEvent(OnChangeState, this, old, state);
}

bool TCustomWSocket::RaiseDataAvailable(std::uint16_t errCode) {
    return !EventsSuppressed() && RaiseEvent(OnDataAvailable, this, errCode);
}

bool TCustomWSocket::TriggerDataAvailable(std::uint16_t errCode) {
    return RaiseDataAvailable(errCode);
}

void TCustomWSocket::TriggerSessionConnected(std::uint16_t errCode) {
    if (!EventsSuppressed()) RaiseEvent(OnSessionConnected, this, errCode);
}

void TCustomWSocket::TriggerSessionClosed(std::uint16_t errCode) {
    if (!EventsSuppressed()) RaiseEvent(OnSessionClosed, this, errCode);
}

void TCustomWSocket::RaiseException(const AnsiString& message) {
    if (OnError && !EventsSuppressed()) {
        RaiseEvent(OnError, this, message);
        return;
    }
    throw ESocketException(message);
}

// A reset or a lost connection found by a call also ends the connection, as the network's own
// close notification would.
void TCustomWSocket::ReportSocketError(const AnsiString& label) {
    const int error = WSocketLibrary::Api().GetLastError();
    const AnsiString message = "Error " + std::to_string(error) + " in function " + label + "\r\n" +
                               WSocketErrorDesc(error);
    if (error == WsaError::ConnReset || error == WsaError::NotConn) {
        if (hSocket_ != InvalidSocket) {
            WSocketLibrary::Api().CloseSocket(hSocket_);
            hSocket_ = InvalidSocket;
        }
        if (state_ != wsClosed) TriggerSessionClosed(std::uint16_t(error));
        if (hSocket_ == InvalidSocket)  // unless the handler connected it again
            SetState(wsClosed);
    }
    lastError_ = error;
    RaiseException(message);
}

void TCustomWSocket::PostToWindow(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    window_->PostMessage(msg, wParam, lParam);
}

void TCustomWSocket::CloseLater() {
    PostToWindow(WM_WSOCKET_CLOSE_LATER, 0, 0);
}

void TCustomWSocket::DestroyLater() {
    if (released_) return;
    released_ = true;
    PostToWindow(WM_WSOCKET_DESTROY_LATER, 0, 0);
}

}  // namespace tuvako
