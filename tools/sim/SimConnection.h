// One terminal connected to the simulator: login, enciphered records both ways, close, reset.
#pragma once

#include "platform/AnsiString.h"
#include "sim/LineSplitter.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>

class QTcpSocket;

namespace tuvako::sim {

class TrafficLog;

class SimConnection : public QObject {
    Q_OBJECT

public:
    static constexpr const char* Password = "KVLNQ";

    // Takes over `socket` (a connected one), sends the login prompt and logs it.
    SimConnection(int id, QTcpSocket* socket, TrafficLog& log, QObject* parent = nullptr);
    ~SimConnection() override;

    // The password a login answer must carry; Password unless set otherwise.
    void SetPassword(AnsiString password) { password_ = std::move(password); }

    int Id() const { return id_; }
    bool IsOpen() const { return !finished_; }
    bool LoggedIn() const { return loggedIn_; }
    // The terminal id of the login answer, "-" before one came.
    const AnsiString& TerminalId() const { return terminalId_; }

    // The record enciphered, as one line.
    void SendRecord(const AnsiString& record);
    // `count` copies of the enciphered record in one write.
    void SendBurst(const AnsiString& record, std::int64_t count);
    // The text as it is, as one line.
    void SendPlainLine(const AnsiString& text);
    // Bytes as they are; `description` is what the log shows for them.
    void SendRaw(const std::string& bytes, const std::string& description);
    // Closes in order once everything queued has been written.
    void Close();
    // Aborts the connection so that the terminal sees a reset.
    void Reset();
    // Waits (a little, blocking) until what is queued has been written; for the end of a run.
    void Flush();

    // The sample member whose card was sent last, for the greeting after a choice.
    std::optional<std::size_t> CurrentMember() const { return currentMember_; }
    // Takes the member after the current one (the first at the start) and makes it current.
    std::size_t TakeNextMember(std::size_t memberCount);
    void SetCurrentMember(std::size_t index) { currentMember_ = index; }

signals:
    void recordReceived(tuvako::sim::SimConnection* connection, const tuvako::AnsiString& record);
    void loggedIn(tuvako::sim::SimConnection* connection);
    void closed(tuvako::sim::SimConnection* connection);

private:
    void ReadAvailable();
    void HandleLine(const std::string& line);
    void CheckLogin(const AnsiString& record);
    void Finish(const std::string& how);
    void Log(const std::string& text) const;
    bool Writable(const char* what) const;

    int id_;
    QPointer<QTcpSocket> socket_;
    TrafficLog& log_;
    LineSplitter splitter_;
    bool loggedIn_ = false;
    AnsiString password_ = Password;
    bool finished_ = false;
    std::string closeReason_;  // set when the simulator ends the connection
    AnsiString terminalId_ = "-";
    std::optional<std::size_t> currentMember_;
};

}  // namespace tuvako::sim
