#include "support/LoopbackServer.h"

#include "support/Wait.h"

#include <sys/socket.h>

namespace tuvako::test {

LoopbackServer::LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
}

bool LoopbackServer::AcceptClient() {
    DropClient();
    received_.clear();
    if (!WaitUntil([&] { return server_.hasPendingConnections(); })) return false;
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

void LoopbackServer::CloseClient() {
    client_->disconnectFromHost();
}

void LoopbackServer::ResetClient() {
    const linger resetOnClose{1, 0};
    ::setsockopt(int(client_->socketDescriptor()), SOL_SOCKET, SO_LINGER, &resetOnClose,
                 sizeof resetOnClose);
    client_->abort();
}

void LoopbackServer::DropClient() {
    delete client_.data();
}

}  // namespace tuvako::test
