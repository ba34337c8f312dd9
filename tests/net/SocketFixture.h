// A TWSocket wired to an event log, for the socket tests.
#pragma once

#include "net/ESocketException.h"
#include "net/TWSocket.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

namespace tuvako::test {

// Every event of the socket is written to `log` as a short line: "connected 0", "closed 10054",
// "line <text>" (the text ReceiveText gave, line end included).
class LoggedSocket {
public:
    LoggedSocket() : socket(new TWSocket(&owner)) { Wire(); }

    void Wire() {
        socket->OnSessionConnected = [this](TCustomWSocket* s, std::uint16_t error) {
            stateInConnected = s->State();
            log.push_back("connected " + std::to_string(error));
        };
        socket->OnSessionClosed = [this](TCustomWSocket*, std::uint16_t error) {
            log.push_back("closed " + std::to_string(error));
            if (onClosed) onClosed();
        };
        socket->OnDataAvailable = [this](TCustomWSocket*, std::uint16_t) {
            const AnsiString line = socket->ReceiveText();
            log.push_back("line " + line);
            if (onLine) onLine(line);
        };
    }

    void Configure(const AnsiString& port, const AnsiString& addr = "127.0.0.1") {
        socket->SetProto("tcp");
        socket->SetPort(port);
        socket->SetAddr(addr);
        socket->SetLineMode(true);
        socket->SetLineEnd("\r\n");
    }

    QObject owner;
    QPointer<TWSocket> socket;
    std::vector<std::string> log;
    TSocketState stateInConnected = wsInvalidState;
    std::function<void(const AnsiString&)> onLine;
    std::function<void()> onClosed;
};

// Handles every message posted so far, and those they post in turn (each round of
// sendPostedEvents leaves the messages posted during it for the next round).
inline void HandlePostedMessages() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The message of the ESocketException that `action` raises, or "(no exception)".
inline std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESocketException& error) {
        return error.Message();
    }
    return "(no exception)";
}

}  // namespace tuvako::test
