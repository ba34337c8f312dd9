// A small message server on 127.0.0.1 for the socket tests.
#pragma once

#include "platform/AnsiString.h"

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace tuvako::test {

// Listens on 127.0.0.1 at a port the system chooses and serves one client at a time.
class LoopbackServer {
public:
    LoopbackServer();

    AnsiString PortText() const;
    // Takes the next connection; false if none came in time.
    bool AcceptClient();
    // Writes to the client; what the system does not take at once goes out from the event loop.
    void Write(const QByteArray& bytes);
    // Everything the client has sent so far.
    QByteArray Received();
    bool WaitForReceived(const QByteArray& expected);
    // Ends the connection in order, or with a reset.
    void CloseClient();
    void ResetClient();
    void DropClient();

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
};

// A loopback port that nothing listens on: bound once by a server that is gone again.
AnsiString UnusedLoopbackPort();

}  // namespace tuvako::test
