// A stand-in for the session socket: where the window's lines go and where its lines come from.
#pragma once

#include "platform/AnsiString.h"

#include <functional>

namespace tuvako {

// The window sends through the session socket. A LineTransport put in its place (a test, a
// tool) takes the lines that SendRecord sends, says whether the link counts as connected, and
// hands received lines to the window exactly as the socket's data-available event would.
class LineTransport {
public:
    using Receiver = std::function<void(const AnsiString& received)>;

    LineTransport() = default;
    virtual ~LineTransport() = default;
    LineTransport(const LineTransport&) = delete;
    LineTransport& operator=(const LineTransport&) = delete;

    // True when SendRecord may send; false makes it ask for a new session (Open) and drop
    // the record.
    virtual bool IsConnected() const = 0;
    // The window wants a new session, as it would open a new socket.
    virtual void Open() = 0;
    // One enciphered record followed by CR LF.
    virtual void SendText(const AnsiString& text) = 0;

    // Hands one received text (a line with its line end, or a last line without one) to the
    // attached window; with no window attached the text goes nowhere.
    void Deliver(const AnsiString& received) const {
        if (receiver_) receiver_(received);
    }

    // The window attaches its receiver here and detaches it (an empty receiver) when it lets
    // the transport go or is destroyed, so a later Deliver never reaches a window that is gone.
    void SetReceiver(Receiver receiver) { receiver_ = std::move(receiver); }

private:
    Receiver receiver_;
};

}  // namespace tuvako
