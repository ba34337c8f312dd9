// The line layer of the socket: received bytes become lines ending in LineEnd.
#pragma once

#include "net/ReceiveBuffer.h"
#include "net/TCustomSocket.h"

namespace tuvako {

// With LineMode on, received bytes are collected in a receive buffer and OnDataAvailable is
// raised once per complete line, terminator included, in arrival order; the handler reads the
// line with one ReceiveText. Bytes that never got a terminator are delivered as a last line
// when the connection ends, before OnSessionClosed. More than LineLimit bytes without a
// terminator are dropped (unless an OnLineLimitExceeded handler keeps them).
class TCustomLineSocket : public TCustomSocket {
public:
    explicit TCustomLineSocket(QObject* owner = nullptr);
    ~TCustomLineSocket() override;

    bool LineMode() const { return lineMode_; }
    // A change while bytes are held asks for them to be delivered again under the new mode.
    void SetLineMode(bool on);
    const AnsiString& LineEnd() const { return lineEnd_; }
    // An empty LineEnd turns line assembly off.
    void SetLineEnd(const AnsiString& lineEnd) { lineEnd_ = lineEnd; }
    // 0 or less: no limit.
    void SetLineLimit(int limit) { lineLimit_ = limit; }

    TLineLimitEvent OnLineLimitExceeded;

protected:
    void WndProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override;
    int GetRcvdCount() override;
    bool TriggerDataAvailable(std::uint16_t errCode) override;
    void TriggerSessionClosed(std::uint16_t errCode) override;
    int DoRecv(char* buffer, int size, int flags) override;
    virtual void TriggerLineLimitExceeded(int count, bool& clearData);

private:
    bool AssemblesLines() const { return lineMode_ && !lineEnd_.empty(); }
    void ReadPass();
    bool DeliverLinesFrom(std::size_t scanStart);
    bool DeliverPendingLine();
    bool RaiseLine();
    void FinishDeferredClose();
    void EndConnection(std::uint16_t errCode);
    bool DeliverHeldBytesRaw();
    void CheckLineLimit();
    void DeliverRestAtClose();
    void RetriggerHeldData();

    bool lineMode_ = false;
    AnsiString lineEnd_ = "\r\n";
    int lineLimit_ = 65536;

    ReceiveBuffer buffer_;
    int pending_ = 0;         // length of the line at the front that the handler may read
    bool lineFound_ = false;  // the current pass found a line
    // Held bytes were not all searched: a pass ended in an exception, or line mode came on.
    bool rescanFromFront_ = false;
    unsigned connectionEpoch_ = 0;  // moves on when the end of a connection releases the buffer
    // A line handler is running (nested deliveries count): the end of the connection that it
    // causes waits until it has returned, so that no handler ever runs inside another.
    int handlerDepth_ = 0;
    bool closeDeferred_ = false;
    std::uint16_t deferredError_ = 0;
};

}  // namespace tuvako
