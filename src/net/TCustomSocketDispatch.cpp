// TCustomSocket: the hidden window's dispatcher, the network notifications and receiving.
#include "net/TCustomSocket.h"

#include "net/ESocketError.h"
#include "net/RaiseEvent.h"
#include "net/SocketsLibrary.h"

#include <algorithm>

namespace tuvako {

// Nothing that goes wrong while a message is handled leaves the socket: OnBgException may
// look at it, and unless its handler says otherwise the socket is aborted.
void TCustomSocket::HandleWindowMessage(std::uint32_t msg, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
    try {
        WndProc(msg, wParam, lParam);
    } catch (const std::exception& error) {
        HandleBackgroundException(error);
    } catch (...) {
        HandleBackgroundException(Exception("Unknown exception"));
    }
}

void TCustomSocket::HandleBackgroundException(const std::exception& error) {
    bool canClose = true;
    if (!EventsSuppressed()) {
        try {
            RaiseEvent(OnBgException, this, error, canClose);
        } catch (...) {
            // An exception from the exception handler is ignored.
        }
    }
    if (!canClose) return;
    try {
        Abort();
    } catch (...) {
        // Aborting is the last resort; its own failure has nowhere to go.
    }
}

void TCustomSocket::WndProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (msg) {
        case WM_SOCKET_EVENT:
            HandleSocketEvent(TSocket(wParam), lParam);
            break;
        case WM_SOCKET_CLOSE_LATER:
            Close();
            break;
        case WM_SOCKET_DESTROY_LATER:
            // Deleted from the event loop once this message's handling has returned, so the
            // hidden window is never destroyed inside its own message.
            deleteLater();
            break;
        case WM_SOCKET_TEST_EXCEPTION:
            throw ESocketError("Test exception in the socket");
        default:
            break;
    }
}

// A notification counts only for the connection it was posted for: one for a handle closed
// since (or a socket released since) is dropped. The event bits go in a fixed order, and after
// each the handle is checked again, since a handler may have closed the socket meanwhile.
void TCustomSocket::HandleSocketEvent(TSocket handle, std::intptr_t lParam) {
    if (handle != hSocket_ || hSocket_ == InvalidSocket || released_) return;
    const int events = SelectEvent(lParam);
    const auto error = std::uint16_t(SelectError(lParam));
    if ((events & FdEvent::Connect) && handle == hSocket_) OnConnectEvent(error);
    if ((events & FdEvent::Read) && handle == hSocket_) OnReadEvent(handle, error);
    if ((events & FdEvent::Write) && handle == hSocket_) OnWriteEvent(error);
    if ((events & FdEvent::Close) && handle == hSocket_) OnCloseEvent(handle, error);
}

// A failed attempt reads wsConnected during OnSessionConnected and closes right after it.
void TCustomSocket::OnConnectEvent(std::uint16_t error) {
    if (state_ == wsConnected) return;
    SetState(wsConnected);
    TriggerSessionConnected(error);
    if (error != 0 && state_ != wsClosed) Close();
}

void TCustomSocket::OnReadEvent(TSocket handle, std::uint16_t error) {
    if (state_ != wsConnected) {
        SetState(wsConnected);
        TriggerSessionConnected(error);
    }
    if (handle == hSocket_ && state_ == wsConnected) ReceiveLoop(handle, error, false);
}

void TCustomSocket::OnWriteEvent(std::uint16_t error) {
    TryToSend();
    if (allSent_ && !EventsSuppressed()) RaiseEvent(OnDataSent, this, error);
}

// The bytes the system still holds are taken in first, so the end of the connection comes
// after its last data.
void TCustomSocket::OnCloseEvent(TSocket handle, std::uint16_t error) {
    if (state_ == wsConnecting) return;
    ReceiveLoop(handle, 0, true);
    if (handle != hSocket_) return;  // a handler closed the socket, and that close was reported
    if (!closeReported_) {
        closeReported_ = true;
        TriggerSessionClosed(error);
    }
    if (state_ != wsClosed && handle == hSocket_) Close();
}

// Takes in everything the system reports ready, pass after pass, so a burst is handled within
// one notification. An exception (a throwing OnDataAvailable handler among them) ends the loop
// and goes no further; the connection stays as it is. A pass in which nothing was read ends
// the loop too: asking again would only ask forever.
void TCustomSocket::ReceiveLoop(TSocket handle, std::uint16_t error, bool alwaysLoop) {
    try {
        for (;;) {
            lastError_ = 0;
            const unsigned callsBefore = receiveCalls_;
            if (!TriggerDataAvailable(error)) {
                char discarded[1024];
                if (DoRecv(discarded, sizeof discarded, 0) < 0 &&
                    lastError_ == WsaError::WouldBlock) {
                    lastError_ = 0;
                    return;
                }
            }
            if (handle != hSocket_ || receiveCalls_ == callsBefore) return;
            if (!alwaysLoop && options_.Contains(wsoNoReceiveLoop)) return;
            if (lastError_ != 0) {
                if (lastError_ == -1) lastError_ = 0;
                return;
            }
            unsigned long ready = 0;
            SocketsApi& api = SocketsLibrary::Api();
            if (api.BytesReadable(hSocket_, ready) != 0) {
                lastError_ = api.GetLastError();
                return;
            }
            if (ready == 0) return;
        }
    } catch (...) {
        // Ends this notification's reading; the connection stays open.
    }
}

int TCustomSocket::DoRecv(char* buffer, int size, int flags) {
    ++receiveCalls_;
    SocketsApi& api = SocketsLibrary::Api();
    const int received = api.Recv(hSocket_, buffer, size, flags);
    if (received < 0) lastError_ = api.GetLastError();
    return received;
}

int TCustomSocket::GetRcvdCount() {
    SocketsApi& api = SocketsLibrary::Api();
    unsigned long ready = 0;
    if (api.BytesReadable(hSocket_, ready) != 0) {
        ReportSocketError("ioctlSocket");
        return -1;
    }
    return int(std::min<unsigned long>(ready, 0x7FFFFFFF));
}

int TCustomSocket::Receive(void* buffer, int size) {
    const int received = DoRecv(static_cast<char*>(buffer), size, 0);
    return received < 0 ? -1 : received;
}

AnsiString TCustomSocket::ReceiveText() {
    int length = RcvdCount();
    if (length < 0) return {};
    if (length == 0) length = 255;
    AnsiString text(std::size_t(length), '\0');
    const int received = Receive(text.data(), length);
    text.resize(std::size_t(std::max(received, 0)));
    return text;
}

}  // namespace tuvako
