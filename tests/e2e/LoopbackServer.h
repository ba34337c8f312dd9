// A message server in the test's own process: accepts on 127.0.0.1, port 0, and keeps lines.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>

#include <string>
#include <vector>

namespace tuvako::test {

class LoopbackServer {
public:
    LoopbackServer();

    quint16 Port() const { return server_.serverPort(); }
    // Connections accepted so far, the closed ones included.
    std::size_t Accepted() const { return connections_.size(); }
    // Connections that are still open.
    std::size_t Open() const;
    // The lines received on every connection, deciphered; "Login:" stays as it is.
    const std::vector<std::string>& Records() const { return records_; }
    // Sends the plain `text` as one line, enciphered unless it is the login prompt, on the
    // newest connection.
    void Send(const std::string& text);
    // Closes the newest connection in order.
    void CloseNewest();
    // Stops accepting; connection attempts are refused from now on.
    void StopListening() { server_.close(); }

private:
    void Read(QTcpSocket* socket);

    QTcpServer server_;
    std::vector<QTcpSocket*> connections_;
    std::vector<std::string> records_;
    std::string pending_;
};

}  // namespace tuvako::test
