// The one in-test server: listens on 127.0.0.1 and serves one client at a time.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>
#include <string>

namespace tuvako::test {

class LoopbackServer {
public:
    LoopbackServer();  // at a port the system chooses

    std::uint16_t Port() const { return server_.serverPort(); }
    std::string PortText() const { return std::to_string(Port()); }

    // Waits for the next client, dropping the one before; false when none came.
    bool AcceptClient();
    void Write(const QByteArray& bytes);
    // Every byte the current client has sent so far.
    QByteArray Received();
    void CloseClient();
    // Lingering on for 0 seconds turns the close into a reset.
    void ResetClient();
    void DropClient();

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
    QByteArray received_;
};

}  // namespace tuvako::test
