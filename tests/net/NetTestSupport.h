// Helpers for the socket tests: waiting for events, a socket wired to an event log, and a small
// server on 127.0.0.1.
#pragma once

#include "net/ESocketException.h"
#include "net/TWSocket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

#include <functional>
#include <string>
#include <vector>

namespace tuvako::test {

// Handles events until `done` holds (true) or `timeoutMs` has passed (false), without sleeping.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wakeUp;
    wakeUp.start(20);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// Handles every posted message, and those they post in turn.
inline void HandlePostedMessages() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The message of the ESocketException that `action` raises, or "(no exception)".
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESocketException& error) {
        return error.Message();
    }
    return "(no exception)";
}

// Logs every event as "connected 0", "closed 10054" or "line <what ReceiveText gave>".
struct LoggedSocket {
    LoggedSocket() : socket(new TWSocket(&owner)) {
        socket->OnSessionConnected = [this](TCustomWSocket* s, std::uint16_t error) {
            stateInConnected = s->State();
            log.push_back("connected " + std::to_string(error));
        };
        socket->OnSessionClosed = [this](TCustomWSocket*, std::uint16_t error) {
            log.push_back("closed " + std::to_string(error));
            if (onClosed) onClosed();
        };
        socket->OnDataAvailable = [this](TCustomWSocket*, std::uint16_t) {
            const AnsiString line = socket->ReceiveText();
            log.push_back("line " + line);
            if (onLine) onLine(line);
        };
    }
    void Configure(const AnsiString& port) {  // protocol "tcp" and line end CR LF by default
        socket->SetPort(port);
        socket->SetAddr("127.0.0.1");
        socket->SetLineMode(true);
    }

    QObject owner;
    QPointer<TWSocket> socket;
    std::vector<std::string> log;
    TSocketState stateInConnected = wsInvalidState;
    std::function<void(const AnsiString&)> onLine;
    std::function<void()> onClosed;
};

// Listens on 127.0.0.1 at a port the system chooses and serves one client at a time.
class LoopbackServer {
public:
    LoopbackServer() { server_.listen(QHostAddress::LocalHost, 0); }
    AnsiString PortText() const { return std::to_string(server_.serverPort()); }
    bool AcceptClient() {
        DropClient();
        received_.clear();
        if (!PumpUntil([&] { return server_.hasPendingConnections(); })) return false;
        client_ = server_.nextPendingConnection();
        return client_ != nullptr;
    }
    // Accepts without handling any event meanwhile, as while the client's program is busy.
    bool AcceptClientWhileBusy() {
        DropClient();
        received_.clear();
        if (!server_.waitForNewConnection(10000)) return false;
        client_ = server_.nextPendingConnection();
        return client_ != nullptr;
    }
    void Write(const QByteArray& bytes) {
        client_->write(bytes);
        client_->flush();
    }
    QByteArray Received() {
        if (client_) received_ += client_->readAll();
        return received_;
    }
    void CloseClient() { client_->disconnectFromHost(); }
    // Lingering on for 0 seconds turns the close into a reset.
    void ResetClient() {
        const linger resetOnClose{1, 0};
        ::setsockopt(int(client_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &resetOnClose,
                     sizeof resetOnClose);
        client_->abort();
    }
    void DropClient() { delete client_.data(); }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
};

}  // namespace tuvako::test
