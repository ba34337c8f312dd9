// TCustomSocket: sending through the send queue.
#include "net/TCustomSocket.h"

#include "net/RaiseEvent.h"
#include "net/SocketsLibrary.h"

#include <algorithm>
#include <mutex>

namespace tuvako {

int TCustomSocket::Send(const void* data, int count) {
    if (state_ != wsConnected) {
        SocketsLibrary::Api().SetLastError(WsaError::NotConn);
        ReportSocketError("Send");
        return -1;
    }
    allSent_ = false;
    QueueData(data, count);
    TryToSend();
    // OnDataSent comes from the message loop, never from inside Send.
    if (allSent_ && hSocket_ != InvalidSocket)
        PostToWindow(WM_SOCKET_EVENT, hSocket_, MakeSelectReply(FdEvent::Write, 0));
    return std::max(count, 0);
}

int TCustomSocket::SendText(const AnsiString& text) {
    if (text.empty()) return 0;
    return Send(text.data(), int(std::min<std::size_t>(text.size(), 0x7FFFFFFF)));
}

void TCustomSocket::QueueData(const void* data, int length) {
    std::lock_guard guard(SocketsLibrary::SendQueueLock());
    sendQueue_.Append(static_cast<const char*>(data), length);
    if (length > 0) allSent_ = false;
}

void TCustomSocket::DiscardQueue() {
    std::lock_guard guard(SocketsLibrary::SendQueueLock());
    sendQueue_.Discard();
}

// Hands the queue to the network until it is empty or the network takes no more. What the
// network did not take waits for the next FdEvent::Write. A lost connection ends it with
// OnSessionClosed carrying the error; any other failure but "would block" is reported.
void TCustomSocket::TryToSend() {
    std::unique_lock guard(SocketsLibrary::SendQueueLock());
    const TSocket handle = hSocket_;
    if (handle == InvalidSocket || sendQueue_.Empty()) {
        allSent_ = true;
        return;
    }
    SocketsApi& api = SocketsLibrary::Api();
    const int flags = sendFlags_ == wsSendUrgent ? MsgOob : 0;
    for (;;) {
        const std::span<const char> unread = sendQueue_.Front();
        if (unread.empty()) {
            allSent_ = true;
            return;
        }
        const int offered = int(unread.size());
        const int sent = api.Send(handle, unread.data(), offered, flags);
        if (sent > 0) {
            // The queue is brought up to date before OnSendData, whose handler may send,
            // close or abort (which frees the queue).
            sendQueue_.Consume(sent);
            if (!EventsSuppressed()) RaiseEvent(OnSendData, this, sent);
            if (handle != hSocket_ || sent < offered) return;
            continue;
        }
        if (sent == 0) return;
        const int error = api.GetLastError();
        if (error == WsaError::WouldBlock) return;
        if (IsConnectionLost(error)) return ConnectionLost(error);
        guard.unlock();
        return ReportSocketError("TryToSend failed");
    }
}

// Errors after which nothing more can go out on this connection: it ends like a reset.
bool TCustomSocket::IsConnectionLost(int error) const {
    switch (error) {
        case WsaError::ConnReset:  // also a broken pipe
        case WsaError::NotSocket:
        case WsaError::NotConn:
        case WsaError::Invalid:
        case WsaError::ConnAborted:
        case WsaError::TimedOut:
        case WsaError::HostUnreach:
        case WsaError::NetUnreach:
        case WsaError::NetReset:
        case WsaError::NetDown:
        case WsaError::HostDown:
        case WsaError::Shutdown:
            return true;
        default:
            return false;
    }
}

// The close is marked as reported first, so Close raises nothing and the one OnSessionClosed
// carries the error that was found.
void TCustomSocket::ConnectionLost(int error) {
    closeReported_ = true;
    Close();
    TriggerSessionClosed(std::uint16_t(error));
}

}  // namespace tuvako
