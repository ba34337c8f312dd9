// The simulator's listening side: accepts any number of terminals, can go off line and back.
#pragma once

#include "sim/SimConnection.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <string>
#include <vector>

namespace tuvako::sim {

class SimConnection;
class TrafficLog;

class SimServer : public QObject {
    Q_OBJECT

public:
    explicit SimServer(TrafficLog& log, QObject* parent = nullptr);
    ~SimServer() override;

    // Starts listening and logs "listening on ADDRESS:PORT" with the port actually taken
    // (port 0 picks a free one). False, with the reason in `error`, when it cannot listen.
    bool Listen(const QHostAddress& address, quint16 port, QString* error);
    // Stops listening and closes every connection, as a server that goes away.
    void GoOffline();
    // Listens again on the address and port taken before.
    bool GoOnline(QString* error);

    // The password that connections accepted from now on expect in the login answer.
    void SetPassword(std::string password) { password_ = std::move(password); }

    bool IsListening() const { return server_.isListening(); }
    quint16 Port() const { return port_; }
    // The open connections, oldest first.
    std::vector<SimConnection*> Connections() const;

signals:
    void connectionAccepted(tuvako::sim::SimConnection* connection);

private:
    void AcceptPending();

    TrafficLog& log_;
    QTcpServer server_;
    QHostAddress address_;
    quint16 port_ = 0;
    std::string password_ = SimConnection::Password;
    int nextId_ = 1;
    std::vector<SimConnection*> connections_;
};

}  // namespace tuvako::sim
