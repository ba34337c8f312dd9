// The server session: one socket to the message server, the login answer, the keep-alive.
#include "app/Main.h"

#include "app/Wdef.h"
#include "net/TClientSocket.h"
#include "platform/Exception.h"
#include "settings/TTimerPool.h"

namespace tuvako {

void TfrmTuvakoMain::OpenSession() {
    if (!UseServer) return;
    ReleaseSocket();
    Socket = new TClientSocket(this);
    Socket->SetProto("tcp");
    Socket->SetPort(ServerPort);
    Socket->SetAddr(ServerAddress);
    Socket->SetLineMode(true);
    Socket->SetLineEnd(texts::kLineEnd);
    Socket->OnSessionConnected = [this](TCustomSocket* sender, std::uint16_t error) {
        SessionConnected(sender, error);
    };
    Socket->OnSessionClosed = [this](TCustomSocket* sender, std::uint16_t error) {
        SessionClosed(sender, error);
    };
    Socket->OnDataAvailable = [this](TCustomSocket* sender, std::uint16_t) {
        LineReceived(sender);
    };
    try {
        Socket->Connect();
    } catch (const std::exception& error) {
        // The socket stays, unconnected; the next record to send replaces it.
        AddLog("Unabled to connect: " + DescribeException(error));
    }
}

void TfrmTuvakoMain::SessionConnected(TCustomSocket* sender, std::uint16_t error) {
    if (sender != Socket) return;
    if (error != 0)
        AddLog("Can't connect. Error #" + std::to_string(unsigned(error)));
    else
        AddLog("Session connected.");
    error == 0 ? SessionCameUp() : SessionWentDown();
    RestartKeepAlive();
}

void TfrmTuvakoMain::SessionClosed(TCustomSocket* sender, std::uint16_t) {
    if (sender != Socket) return;
    AddLog("Session closed.");
    ReleaseSocket();
    SessionWentDown();
}

void TfrmTuvakoMain::LineReceived(TCustomSocket* sender) {
    // The line is taken in any case: the socket offers it again until it has been read.
    const AnsiString received = sender->ReceiveText();
    if (sender != Socket) return;
    ReceiveLine(received);
}

void TfrmTuvakoMain::ReleaseSocket() {
    if (!Socket) return;
    // Never deleted here: this may run inside the socket's own event.
    Socket->DestroyLater();
    Socket = nullptr;
}

void TfrmTuvakoMain::SendLogin() {
    SendRecord(LoginRecord(TerminalId));
}

void TfrmTuvakoMain::SendPing() {
    SendRecord(BuildRecord(texts::kRecordKindPing, texts::kNoSubject, TerminalId,
                           texts::kRecordField4, texts::kRecordField5, texts::kPingData));
}

void TfrmTuvakoMain::RestartKeepAlive() {
    // Without the server link there is no keep-alive trigger, and after the close none at all.
    if (KeepAliveTrigger < 0 || formClosed_) return;
    TimerPool->SetTriggerEnabled(KeepAliveTrigger, false);
    if (UseServer) TimerPool->SetTriggerEnabled(KeepAliveTrigger, true);
}

void TfrmTuvakoMain::KeepAliveTick(TTimerPool* sender, int handle, std::uint32_t, std::int32_t) {
    sender->SetTriggerEnabled(handle, false);
    if (!UseServer) return;
    // With no connection this opens a new session instead, and the Ping is dropped. A send
    // that fails still leaves the trigger running: its ticks are what reopen a lost session.
    try {
        SendPing();
    } catch (...) {
        sender->SetTriggerEnabled(handle, true);
        throw;
    }
    sender->SetTriggerEnabled(handle, true);
}

}  // namespace tuvako
