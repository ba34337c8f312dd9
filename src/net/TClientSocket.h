// The socket component as the terminal uses it.
#pragma once

#include "net/TCustomLineSocket.h"

namespace tuvako {

// A line-mode TCP client socket. Typical use:
//   auto* socket = new TClientSocket(owner);
//   socket->SetProto("tcp"); socket->SetPort(port); socket->SetAddr(host);
//   socket->SetLineMode(true); socket->SetLineEnd("\r\n");
//   socket->OnSessionConnected = ...; socket->OnSessionClosed = ...; socket->OnDataAvailable = ...;
//   socket->Connect();
// and, in OnSessionClosed or whenever it is no longer wanted, socket->DestroyLater().
class TClientSocket : public TCustomLineSocket {
public:
    explicit TClientSocket(QObject* owner = nullptr);
};

}  // namespace tuvako
