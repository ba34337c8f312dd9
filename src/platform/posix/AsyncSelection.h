// Readiness of one POSIX socket turned into Windows-Sockets-shaped notifications.
#pragma once

#include "platform/SocketsApi.h"

#include <QPointer>

#include <cstdint>
#include <memory>

class QSocketNotifier;

namespace tuvako {

// Watches one descriptor with QSocketNotifiers on the thread's event loop and posts the
// notifications of an asynchronous selection to a message window:
// - FdEvent::Connect once, with the result of the connect;
// - FdEvent::Read when data wait, and again only after the owner has called recv (so a burst
//   gives one notification, not a flood);
// - FdEvent::Write after a successful connect and after a send that could not take everything;
// - FdEvent::Close once, with 0 for an orderly end or the error of an aborted connection.
class AsyncSelection {
public:
    enum class Phase { Idle, Connecting, Connected };

    AsyncSelection(int fd, TSocket handle, MessageWindow* window, std::uint32_t msg, int events,
                   Phase phase);
    ~AsyncSelection();

    AsyncSelection(const AsyncSelection&) = delete;
    AsyncSelection& operator=(const AsyncSelection&) = delete;

    // A non-blocking connect is under way: its end is reported when the socket turns writable.
    void ConnectStarted();
    // The connect ended at once (loopback refusals often do): report it from the message loop.
    void ConnectFinished(int error);
    // recv was called: data still waiting (or the end of the stream) will be reported again.
    void RecvCalled();
    // A send could not take everything: report FdEvent::Write when there is room again.
    void SendBlocked();
    // recv met a broken connection: the close notification carries this error.
    void NoteConnectionError(int error);

private:
    void OnReadable();
    void OnWritable();
    void Post(int event, int error);

    const int fd_;
    const TSocket handle_;
    const QPointer<MessageWindow> window_;
    const std::uint32_t msg_;
    const int events_;
    std::unique_ptr<QSocketNotifier> read_;
    std::unique_ptr<QSocketNotifier> write_;
    bool connecting_ = false;
    bool connected_ = false;
    bool closePosted_ = false;
    int connectionError_ = 0;
};

}  // namespace tuvako
