#include "net/TCustomLineSocket.h"

#include "net/RaiseEvent.h"

#include <algorithm>

namespace tuvako {

TCustomLineSocket::TCustomLineSocket(QObject* owner) : TCustomSocket(owner) {}

// The receive buffer goes before the base socket is torn down.
TCustomLineSocket::~TCustomLineSocket() {
    buffer_.Release();
    pending_ = 0;
}

void TCustomLineSocket::SetLineMode(bool on) {
    if (on == lineMode_) return;
    lineMode_ = on;
    // Bytes held while line mode was off were never searched for a terminator.
    if (on) rescanFromFront_ = true;
    if (buffer_.Count() > 0 || pending_ > 0) PostToWindow(WM_SOCKET_LINE_RETRIGGER, 0, 0);
}

void TCustomLineSocket::WndProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (msg != WM_SOCKET_LINE_RETRIGGER) return TCustomSocket::WndProc(msg, wParam, lParam);
    if (!Released()) RetriggerHeldData();
}

int TCustomLineSocket::GetRcvdCount() {
    return lineMode_ ? pending_ : TCustomSocket::GetRcvdCount();
}

bool TCustomLineSocket::TriggerDataAvailable(std::uint16_t errCode) {
    if (!AssemblesLines()) return TCustomSocket::TriggerDataAvailable(errCode);
    ReadPass();
    return true;
}

// The receive primitive. A pending line is read from the buffer, in pieces if the caller wants.
// With line assembly on and no line pending it reads nothing: bytes from the network must not
// overtake a partial line that is held.
int TCustomLineSocket::DoRecv(char* buffer, int size, int flags) {
    const std::size_t wanted = std::size_t(std::max(size, 0));
    if (lineMode_ && pending_ > 0) {
        ++receiveCalls_;
        const std::size_t taken = buffer_.Take(buffer, std::min(wanted, std::size_t(pending_)));
        pending_ -= int(taken);
        return int(taken);
    }
    if (!lineMode_ && buffer_.Count() > 0) {
        ++receiveCalls_;
        return int(buffer_.Take(buffer, wanted));
    }
    if (AssemblesLines()) {
        ++receiveCalls_;
        return 0;
    }
    return TCustomSocket::DoRecv(buffer, size, flags);
}

// One pass: everything the system reports ready is read at once behind the held bytes, and the
// terminator is searched for only in the new bytes (and the few before them that could hold
// the start of a split terminator).
void TCustomLineSocket::ReadPass() {
    int ready = TCustomSocket::GetRcvdCount();
    if (ready < 0) return;
    if (ready == 0) ready = 255;
    const std::size_t oldCount = buffer_.Count();
    char* into = buffer_.Reserve(std::size_t(ready));
    int received = TCustomSocket::DoRecv(into, ready, 0);
    if (received <= 0) {
        if (buffer_.Count() == 0) return;
        received = 0;
    }
    buffer_.Commit(std::size_t(received));
    const std::size_t overlap = lineEnd_.size();
    const std::size_t scanStart = rescanFromFront_ || oldCount < overlap ? 0 : oldCount - overlap;
    rescanFromFront_ = false;
    if (DeliverLinesFrom(scanStart)) CheckLineLimit();
}

// False when the pass has to end: the connection ended or line mode went off in a handler.
bool TCustomLineSocket::DeliverLinesFrom(std::size_t scanStart) {
    while (AssemblesLines()) {
        const std::size_t at = buffer_.Find(lineEnd_, scanStart);
        if (at == std::string_view::npos) return true;
        pending_ = int(at + lineEnd_.size());
        lineFound_ = true;
        if (!DeliverPendingLine()) return false;
        scanStart = 0;
    }
    return true;
}

// Offers the line at the front until the handler has read it. A line counts as consumed once
// it was handed over, also when the handler throws; bytes still held are then searched from
// the front, and a retrigger is posted so that lines already received are not left waiting for
// the next bytes from the network.
bool TCustomLineSocket::DeliverPendingLine() {
    const unsigned epoch = connectionEpoch_;
    try {
        while (lineMode_ && pending_ > 0) {
            const int before = pending_;
            if (!RaiseLine()) break;  // no handler: the line is dropped
            if (epoch != connectionEpoch_) return false;
            if (pending_ == before)
                break;  // a handler that reads nothing would be asked forever: drop the line
        }
    } catch (...) {
        if (epoch == connectionEpoch_) {
            buffer_.DropFront(std::size_t(pending_));
            pending_ = 0;
            rescanFromFront_ = true;
            if (buffer_.Count() > 0) PostToWindow(WM_SOCKET_LINE_RETRIGGER, 0, 0);
        }
        throw;
    }
    if (!lineMode_) {
        pending_ = 0;
        DeliverHeldBytesRaw();
        return false;
    }
    buffer_.DropFront(std::size_t(pending_));
    pending_ = 0;
    return true;
}

// Line mode went off in the middle of a line: what is held goes out as plain data.
bool TCustomLineSocket::DeliverHeldBytesRaw() {
    const unsigned epoch = connectionEpoch_;
    while (buffer_.Count() > 0) {
        const std::size_t before = buffer_.Count();
        if (!TCustomSocket::TriggerDataAvailable(0)) {
            buffer_.Clear();
            return true;
        }
        if (epoch != connectionEpoch_) return false;
        if (buffer_.Count() == before)
            return true;  // the handler takes no more now; the rest stays held
    }
    return true;
}

void TCustomLineSocket::CheckLineLimit() {
    if (lineLimit_ <= 0 || buffer_.Count() <= std::size_t(lineLimit_)) return;
    bool clearData = true;
    const unsigned epoch = connectionEpoch_;
    TriggerLineLimitExceeded(int(buffer_.Count()), clearData);
    if (epoch != connectionEpoch_ || !clearData) return;
    buffer_.Clear();
    pending_ = 0;
}

void TCustomLineSocket::TriggerLineLimitExceeded(int count, bool& clearData) {
    if (!EventsSuppressed()) RaiseEvent(OnLineLimitExceeded, this, count, clearData);
}

// Raises OnDataAvailable for the pending line. When the handler ended the connection (a send
// that met a reset, Close, Abort), the end is carried out once it has returned: the lines still
// held then follow in order, each in a handler of its own, and OnSessionClosed comes last.
bool TCustomLineSocket::RaiseLine() {
    ++handlerDepth_;
    bool raised = false;
    try {
        raised = RaiseDataAvailable(0);
    } catch (...) {
        --handlerDepth_;
        try {
            FinishDeferredClose();
        } catch (...) {
            // The handler's own failure is the one that goes on.
        }
        throw;
    }
    --handlerDepth_;
    FinishDeferredClose();
    return raised;
}

void TCustomLineSocket::FinishDeferredClose() {
    if (handlerDepth_ > 0 || !closeDeferred_) return;
    closeDeferred_ = false;
    EndConnection(deferredError_);
}

// Runs just before OnSessionClosed on every path; inside a line handler it waits for the
// handler to return (see RaiseLine).
void TCustomLineSocket::TriggerSessionClosed(std::uint16_t errCode) {
    if (handlerDepth_ > 0) {
        if (!closeDeferred_) deferredError_ = errCode;
        closeDeferred_ = true;
        return;
    }
    EndConnection(errCode);
}

// A line that a handler held when it closed the connection counts as consumed; what is still
// held is delivered, then the buffer is released.
void TCustomLineSocket::EndConnection(std::uint16_t errCode) {
    ++connectionEpoch_;
    buffer_.DropFront(std::size_t(pending_));
    pending_ = 0;
    if (buffer_.HasStorage()) {
        if (lineMode_ && buffer_.Count() > 0) DeliverRestAtClose();
        buffer_.Release();
        pending_ = 0;
    }
    TCustomSocket::TriggerSessionClosed(errCode);
}

// Normally only an unterminated rest is held here. Complete lines are held only when a handler
// closed the connection in the middle of a burst; they still go out one by one, never joined.
// A throwing handler loses its line, as in the receive loop, and OnSessionClosed still follows.
void TCustomLineSocket::DeliverRestAtClose() {
    const unsigned epoch = connectionEpoch_;
    while (lineMode_ && buffer_.Count() > 0) {
        const std::size_t at = buffer_.Find(lineEnd_, 0);
        pending_ = int(at == std::string_view::npos ? buffer_.Count() : at + lineEnd_.size());
        try {
            while (lineMode_ && pending_ > 0) {
                const int before = pending_;
                if (!RaiseDataAvailable(0) || epoch != connectionEpoch_ || pending_ == before)
                    break;
            }
        } catch (...) {
            // The line is lost with its handler's failure; the close goes on.
        }
        if (epoch != connectionEpoch_) return;
        buffer_.DropFront(std::size_t(pending_));
        pending_ = 0;
    }
}

// Delivers held bytes from the message loop (after a change of LineMode, or after a handler's
// exception left lines held). Stops when nothing is held, when a pass made no progress, or, in
// line mode, after more than three passes without a line. Like the receive loop, it lets no
// exception out: a throwing handler does not cost the connection.
void TCustomLineSocket::RetriggerHeldData() {
    try {
        for (int passes = 1; buffer_.Count() > 0; ++passes) {
            lineFound_ = false;
            const std::size_t before = buffer_.Count();
            if (!TriggerDataAvailable(0)) return;
            if (!lineFound_ && (buffer_.Count() == before || (lineMode_ && passes > 3))) return;
        }
    } catch (...) {
        // Ends this delivery; what is still held waits for the next pass.
    }
}

}  // namespace tuvako
