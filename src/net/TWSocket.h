// The socket component as the terminal uses it.
#pragma once

#include "net/TCustomLineWSocket.h"

namespace tuvako {

// A line-mode TCP client socket. Typical use:
//   auto* socket = new TWSocket(owner);
//   socket->SetProto("tcp"); socket->SetPort(port); socket->SetAddr(host);
//   socket->SetLineMode(true); socket->SetLineEnd("\r\n");
//   socket->OnSessionConnected = ...; socket->OnSessionClosed = ...; socket->OnDataAvailable = ...;
//   socket->Connect();
// and, in OnSessionClosed or whenever it is no longer wanted, socket->DestroyLater().
class TWSocket : public TCustomLineWSocket {
public:
    explicit TWSocket(QObject* owner = nullptr);
};

}  // namespace tuvako
