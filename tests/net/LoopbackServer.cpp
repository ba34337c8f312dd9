#include "LoopbackServer.h"

#include "EventPump.h"

#include <sys/socket.h>

#include <string>

namespace tuvako::test {

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
}

AnsiString LoopbackServer::PortText() const {
    return std::to_string(server_.serverPort());
}

bool LoopbackServer::AcceptClient() {
    DropClient();
    received_.clear();
    if (!PumpUntil([&] { return server_.hasPendingConnections(); })) return false;
    client_ = server_.nextPendingConnection();
    return client_ != nullptr;
}

void LoopbackServer::Write(const QByteArray& bytes) {
    client_->write(bytes);
    client_->flush();
}

QByteArray LoopbackServer::Received() {
    if (client_) received_ += client_->readAll();
    return received_;
}

bool LoopbackServer::WaitForReceived(const QByteArray& expected) {
    return PumpUntil([&] { return Received() == expected; });
}

void LoopbackServer::CloseClient() {
    client_->disconnectFromHost();
}

// With lingering on for 0 seconds, closing sends a reset instead of an orderly end.
void LoopbackServer::ResetClient() {
    const linger resetOnClose{1, 0};
    ::setsockopt(int(client_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &resetOnClose,
                 sizeof resetOnClose);
    client_->abort();
}

void LoopbackServer::DropClient() {
    delete client_.data();
}

AnsiString UnusedLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return std::to_string(probe.serverPort());
}

}  // namespace tuvako::test
