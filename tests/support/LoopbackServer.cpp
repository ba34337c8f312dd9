#include "support/LoopbackServer.h"

#include "support/Wait.h"

#include "platform/SocketReset.h"

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

bool LoopbackServer::AcceptClientWhileBusy() {
    DropClient();
    received_.clear();
    if (!server_.waitForNewConnection(10000)) return false;
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
    SetResetOnClose(client_->socketDescriptor());
    client_->abort();
}

void LoopbackServer::DropClient() {
    delete client_.data();
}

}  // namespace tuvako::test
