// The socket tests' own helper: a socket wired to an event log; the waits, the loopback server
// and the exception matcher they share with every test.
#pragma once

#include "net/ESocketError.h"
#include "net/TClientSocket.h"
#include "support/LoopbackServer.h"
#include "support/Thrown.h"
#include "support/Wait.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

namespace tuvako::test {

// Logs every event as "connected 0", "closed 10054" or "line <what ReceiveText gave>".
struct LoggedSocket {
    LoggedSocket() : socket(new TClientSocket(&owner)) {
        socket->OnSessionConnected = [this](TCustomSocket* s, std::uint16_t error) {
            stateInConnected = s->State();
            log.push_back("connected " + std::to_string(error));
        };
        socket->OnSessionClosed = [this](TCustomSocket*, std::uint16_t error) {
            log.push_back("closed " + std::to_string(error));
            if (onClosed) onClosed();
        };
        socket->OnDataAvailable = [this](TCustomSocket*, std::uint16_t) {
            const AnsiString line = socket->ReceiveText();
            log.push_back("line " + line);
            if (onLine) onLine(line);
        };
    }
    void Configure(const AnsiString& port) {  // protocol "tcp" and line end CR LF by default
        socket->SetPort(port);
        socket->SetAddr("127.0.0.1");
        socket->SetLineMode(true);
    }

    QObject owner;
    QPointer<TClientSocket> socket;
    std::vector<std::string> log;
    TSocketState stateInConnected = wsInvalidState;
    std::function<void(const AnsiString&)> onLine;
    std::function<void()> onClosed;
};

}  // namespace tuvako::test
