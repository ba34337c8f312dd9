#include "sim/SimConnection.h"

#include "cipher/LineCipher.h"
#include "platform/SocketReset.h"
#include "sim/MessageComposer.h"
#include "sim/TrafficLog.h"

#include <QTcpSocket>

namespace tuvako::sim {

SimConnection::SimConnection(int id, QTcpSocket* socket, TrafficLog& log, QObject* parent)
    : QObject(parent), id_(id), socket_(socket), log_(log) {
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, &SimConnection::ReadAvailable);
    connect(socket, &QTcpSocket::disconnected, this,
            [this] { Finish(closeReason_.empty() ? "closed by the terminal" : closeReason_); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            return;  // an orderly end; "disconnected" follows
        Finish("lost: " + socket_->errorString().toStdString());
    });
    Log("connected from " + socket->peerAddress().toString().toStdString() + ":" +
        std::to_string(socket->peerPort()));
    SendPlainLine("Login:");
}

SimConnection::~SimConnection() = default;

void SimConnection::Log(const std::string& text) const {
    log_.Line(TrafficLog::Tag(id_) + " " + text);
}

bool SimConnection::Writable(const char* what) const {
    if (!finished_ && socket_ && socket_->state() == QAbstractSocket::ConnectedState) return true;
    Log(std::string("not connected: ") + what + " not sent");
    return false;
}

void SimConnection::SendRecord(const AnsiString& record) {
    if (!Writable("record")) return;
    socket_->write(QByteArray::fromStdString(EncipherLine(record) + "\r\n"));
    Log("> " + TrafficLog::Printable(record));
}

void SimConnection::SendBurst(const AnsiString& record, std::int64_t count) {
    if (!Writable("burst")) return;
    const std::string line = EncipherLine(record) + "\r\n";
    QByteArray bytes;
    bytes.reserve(qsizetype(line.size()) * qsizetype(count));
    for (std::int64_t i = 0; i < count; ++i) bytes.append(line.data(), qsizetype(line.size()));
    socket_->write(bytes);
    Log("> " + std::to_string(count) + " x " + TrafficLog::Printable(record));
}

void SimConnection::SendPlainLine(const AnsiString& text) {
    if (!Writable("line")) return;
    socket_->write(QByteArray::fromStdString(text + "\r\n"));
    Log("> " + TrafficLog::Printable(text) + " (plain)");
}

void SimConnection::SendRaw(const std::string& bytes, const std::string& description) {
    if (!Writable("bytes")) return;
    socket_->write(QByteArray::fromStdString(bytes));
    Log("> " + description);
}

void SimConnection::Close() {
    if (finished_ || !socket_) return;
    closeReason_ = "closed by the simulator";
    socket_->disconnectFromHost();
}

void SimConnection::Reset() {
    if (finished_ || !socket_) return;
    closeReason_ = "reset by the simulator";
    socket_->flush();
    SetResetOnClose(socket_->socketDescriptor());
    socket_->abort();
    Finish(closeReason_);
}

void SimConnection::Flush() {
    while (!finished_ && socket_ && socket_->bytesToWrite() > 0 &&
           socket_->waitForBytesWritten(2000)) {
    }
}

std::size_t SimConnection::TakeNextMember(std::size_t memberCount) {
    currentMember_ = currentMember_ ? (*currentMember_ + 1) % memberCount : 0;
    return *currentMember_;
}

void SimConnection::ReadAvailable() {
    while (socket_ && socket_->bytesAvailable() > 0) {
        const QByteArray bytes = socket_->readAll();
        splitter_.Feed(bytes.constData(), std::size_t(bytes.size()),
                       [this](const std::string& line) { HandleLine(line); });
    }
}

void SimConnection::HandleLine(const std::string& line) {
    if (finished_ && !closeReason_.empty())
        return;  // what comes after the simulator closed does not count
    const AnsiString record = DecipherLine(line);
    Log("< " + TrafficLog::Printable(record));
    CheckLogin(record);
    emit recordReceived(this, record);
}

// The first "Moi" answer must carry the password; a terminal that gives another is turned away.
void SimConnection::CheckLogin(const AnsiString& record) {
    const auto fields = MessageComposer::SplitFields(record);
    if (loggedIn_ || fields[0] != "Moi") return;
    if (fields.size() < 6 || fields[5] != password_) {
        Log("login refused: wrong password");
        Close();
        return;
    }
    loggedIn_ = true;
    terminalId_ = fields[2];
    Log("login accepted for " + TrafficLog::Printable(terminalId_));
    emit loggedIn(this);
}

void SimConnection::Finish(const std::string& how) {
    if (finished_) return;
    finished_ = true;
    if (socket_ && closeReason_.empty())
        ReadAvailable();  // the last lines of a terminal that closed
    const std::string rest = splitter_.TakeRest();
    if (!rest.empty()) Log("< (unterminated) " + TrafficLog::Printable(rest));
    Log(how);
    emit closed(this);
}

}  // namespace tuvako::sim
