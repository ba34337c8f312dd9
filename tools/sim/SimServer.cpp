#include "sim/SimServer.h"

#include "sim/SimConnection.h"
#include "sim/TrafficLog.h"

#include <QTcpSocket>

#include <algorithm>

namespace tuvako::sim {

SimServer::SimServer(TrafficLog& log, QObject* parent) : QObject(parent), log_(log) {
    connect(&server_, &QTcpServer::newConnection, this, &SimServer::AcceptPending);
}

SimServer::~SimServer() = default;

bool SimServer::Listen(const QHostAddress& address, quint16 port, QString* error) {
    if (!server_.listen(address, port)) {
        *error = server_.errorString();
        return false;
    }
    address_ = address;
    port_ = server_.serverPort();
    log_.Line("listening on " + address_.toString().toStdString() + ":" + std::to_string(port_));
    return true;
}

void SimServer::GoOffline() {
    server_.close();
    log_.Line("offline: not listening, closing every connection");
    for (SimConnection* connection : Connections()) connection->Close();
}

bool SimServer::GoOnline(QString* error) {
    if (server_.isListening()) return true;
    if (!server_.listen(address_, port_)) {
        *error = server_.errorString();
        return false;
    }
    log_.Line("online: listening on " + address_.toString().toStdString() + ":" +
              std::to_string(port_));
    return true;
}

std::vector<SimConnection*> SimServer::Connections() const {
    std::vector<SimConnection*> open;
    for (SimConnection* connection : connections_)
        if (connection->IsOpen()) open.push_back(connection);
    return open;
}

void SimServer::AcceptPending() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* connection = new SimConnection(nextId_++, socket, log_, this);
        connection->SetPassword(password_);
        connections_.push_back(connection);
        connect(connection, &SimConnection::closed, this, [this](SimConnection* closed) {
            connections_.erase(std::remove(connections_.begin(), connections_.end(), closed),
                               connections_.end());
            closed->deleteLater();
        });
        emit connectionAccepted(connection);
    }
}

}  // namespace tuvako::sim
