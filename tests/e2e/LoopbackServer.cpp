#include "LoopbackServer.h"

#include "cipher/LineCipher.h"

namespace tuvako::test {

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connections_.push_back(socket);
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] { Read(socket); });
        }
    });
}

void LoopbackServer::Read(QTcpSocket* socket) {
    pending_ += socket->readAll().toStdString();
    for (std::size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
        records_.push_back(DecipherLine(pending_.substr(0, end)));
        pending_.erase(0, end + 2);
    }
}

void LoopbackServer::Send(const std::string& text) {
    const std::string line = text == "Login:" ? text : EncipherLine(text);
    connections_.back()->write(QByteArray::fromStdString(line + "\r\n"));
}

std::size_t LoopbackServer::Open() const {
    std::size_t open = 0;
    for (const QTcpSocket* socket : connections_)
        open += socket->state() == QAbstractSocket::ConnectedState;
    return open;
}

void LoopbackServer::CloseNewest() {
    connections_.back()->disconnectFromHost();
}

}  // namespace tuvako::test
