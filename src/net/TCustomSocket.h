// The event-driven, non-blocking TCP client socket that lives on the GUI thread.
#pragma once

#include "net/SendQueue.h"
#include "net/TSocketTypes.h"
#include "platform/AnsiString.h"
#include "platform/SocketsApi.h"

#include <QObject>

#include <cstdint>
#include <memory>

namespace tuvako {

class MessageWindow;

// A TCP client socket driven by the notifications that its own hidden window receives. It
// connects without blocking, queues what is sent and drains the queue as fast as the network
// takes it, and reports the start and end of a connection through OnSessionConnected and
// OnSessionClosed. Failed calls and misuse raise ESocketError (or go to OnError when that
// is assigned); outcomes on the network arrive as events with a Windows Sockets error number.
//
// Event handlers may send, close, abort and release the socket (DestroyLater). They must never
// delete it: a socket is disposed of through DestroyLater, or by its owner outside its events.
// From the moment DestroyLater is called the socket raises no event at all.
class TCustomSocket : public QObject {
public:
    explicit TCustomSocket(QObject* owner = nullptr);
    ~TCustomSocket() override;

    TCustomSocket(const TCustomSocket&) = delete;
    TCustomSocket& operator=(const TCustomSocket&) = delete;

    // Endpoint texts, trimmed when set; an empty text counts as not set. They can be changed
    // only while the socket is closed, and every close makes Port and Addr count as unset.
    const AnsiString& Proto() const { return proto_.text; }
    void SetProto(const AnsiString& value);
    const AnsiString& Port() const { return port_.text; }
    void SetPort(const AnsiString& value);
    const AnsiString& Addr() const { return addr_.text; }
    void SetAddr(const AnsiString& value);

    TSocketState State() const { return state_; }
    TSocket HSocket() const { return hSocket_; }
    MessageWindow* HWindow() const { return window_.get(); }
    int LastError() const { return lastError_; }
    std::int64_t BufferedByteCount() const { return sendQueue_.Buffered(); }
    bool Released() const { return released_; }

    // Starts connecting to Addr:Port and returns at once; the outcome arrives as
    // OnSessionConnected. Resolves the endpoint texts first, looking a host name up
    // synchronously.
    void Connect();

    // Queues the bytes and tries to send them at once; returns the number accepted (not the
    // number already sent). Outside wsConnected: the "Send" error report for 10057.
    int Send(const void* data, int count);
    // Nothing for an empty text (returns 0); otherwise Send of its bytes. Adds no terminator.
    int SendText(const AnsiString& text);

    // Reads into `buffer`; -1 on failure with LastError set. In line mode: the pending line.
    int Receive(void* buffer, int size);
    // What RcvdCount says is ready (255 bytes when it says 0). In line mode, called from
    // OnDataAvailable: the whole pending line, terminator included.
    AnsiString ReceiveText();
    // Bytes ready on the connection; in line mode the length of the pending line.
    int RcvdCount() { return GetRcvdCount(); }

    // Shuts the sending direction down, closes, and raises OnSessionClosed(0) if the end of
    // this connection was not reported yet. Nothing when closed.
    void Close();
    // Drops the send queue and closes without the shutdown (an orderly release when
    // connected).
    void Abort();
    // Closes when the message posted now is handled.
    void CloseLater();
    // Releases the socket: from now on it raises no event, and it destroys itself after the
    // current event (and the notification that called it) has been handled.
    void DestroyLater();

    // Events; each is optional.
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TSendData OnSendData;
    TChangeState OnChangeState;
    TSocketErrorEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    // The replaceable steps, in the order the line layer builds on them.
    virtual void WndProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    virtual void AssignDefaultValue();
    virtual int GetRcvdCount();
    // Raises OnDataAvailable; false when no handler took the data.
    virtual bool TriggerDataAvailable(std::uint16_t errCode);
    virtual void TriggerSessionConnected(std::uint16_t errCode);
    virtual void TriggerSessionClosed(std::uint16_t errCode);
    // The receive primitive: recv on the handle; a failure goes to LastError.
    virtual int DoRecv(char* buffer, int size, int flags);

    // Raises OnDataAvailable if assigned and the socket is not released; says whether it did.
    bool RaiseDataAvailable(std::uint16_t errCode);
    // True once released or being destroyed: no event may be raised any more.
    bool EventsSuppressed() const { return released_ || destroying_; }
    // The "Error n in function label" report for the sockets error pending now.
    void ReportSocketError(const AnsiString& label);
    // Hands `message` to OnError, or raises it as ESocketError when OnError is unset.
    void RaiseException(const AnsiString& message);
    void PostToWindow(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    // Counts calls of the receive primitive, so a pass that read nothing can be told apart.
    unsigned receiveCalls_ = 0;

private:
    struct EndpointText {
        AnsiString text;
        bool assigned = false;
        bool resolved = false;
    };

    void HandleWindowMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
    void HandleBackgroundException(const std::exception& error);
    void HandleSocketEvent(TSocket handle, std::intptr_t lParam);
    void OnConnectEvent(std::uint16_t error);
    void OnReadEvent(TSocket handle, std::uint16_t error);
    void OnWriteEvent(std::uint16_t error);
    void OnCloseEvent(TSocket handle, std::uint16_t error);
    void ReceiveLoop(TSocket handle, std::uint16_t error, bool alwaysLoop);

    void SetEndpointText(EndpointText& field, const AnsiString& value, const char* name);
    bool ResolveEndpoint();
    bool OpenSocket();
    bool ConfigureSocket();
    bool SocketCallFailed(int result, const char* label);

    void TryToSend();
    void QueueData(const void* data, int length);
    void DiscardQueue();
    bool IsConnectionLost(int error) const;
    void ConnectionLost(int error);

    void InternalClose(bool shutdown);
    void CloseFreshHandle();
    void ApplyLinger();
    void SetState(TSocketState state);

    std::unique_ptr<MessageWindow> window_;
    TSocket hSocket_ = InvalidSocket;
    TSocketState state_ = wsClosed;

    EndpointText proto_, port_, addr_;
    int protocol_ = IpProtoTcp;
    int socketType_ = SockStream;
    std::uint16_t portNumber_ = 0;
    std::uint32_t address_ = 0;
    int eventMask_ = 0;
    int lastError_ = 0;
    int sendBufferSize_ = 0;
    int receiveBufferSize_ = 0;

    // The options the socket applies when it connects; the terminal keeps their defaults, and
    // only the linger setting changes, at a close.
    TSocketLingerOnOff lingerOnOff_ = wsLingerOn;
    int lingerTimeout_ = 0;
    TSocketKeepAliveOnOff keepAliveOnOff_ = wsKeepAliveOnSystem;
    int keepAliveTime_ = 30000;
    int keepAliveInterval_ = 1000;
    TSocketOptions options_;
    TSocketSendFlags sendFlags_ = wsSendNormal;

    SendQueue sendQueue_{1460};
    bool allSent_ = true;
    bool closeReported_ = false;
    bool released_ = false;
    bool destroying_ = false;
};

}  // namespace tuvako
