#include "app/ConnectionCheck.h"

#include "app/ConfigValues.h"
#include "app/ConsoleText.h"
#include "app/Texts.h"
#include "app/Wdef.h"
#include "cipher/LineCipher.h"
#include "net/Resolve.h"
#include "net/SocketErrorText.h"
#include "net/TClientSocket.h"
#include "platform/Exception.h"
#include "platform/Folders.h"
#include "settings/TIniFileStore.h"
#include "settings/TTimerPool.h"

#include <ostream>

namespace tuvako {
namespace {

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr std::uint16_t kConnectionRefused = 10061;

AnsiString ErrorText(std::uint16_t error) {
    return "error #" + std::to_string(unsigned(error)) + ", " + SocketErrorText(error);
}

}  // namespace

ConnectionCheck::ConnectionCheck(ConfigFolder folder, std::vector<AnsiString> arguments,
                                 std::ostream& out, std::ostream& err)
    : folder_(std::move(folder)), arguments_(std::move(arguments)), out_(out), err_(err) {}

ConnectionCheck::~ConnectionCheck() {
    // Outside every event of the socket by now, so it can go at once.
    delete socket_;
}

int ConnectionCheck::Run() {
    if (!ReportConfiguration() || !ResolveServer()) return kFailed;
    timers_ = new TTimerPool(this);
    promptDeadline_ = timers_->AddTrigger(
        kPromptWaitMs,
        [this](TTimerPool*, int handle, std::uint32_t, std::int32_t) { Deadline(handle); });
    Connect();
    if (!finished_) loop_.exec();
    return status_;
}

bool ConnectionCheck::ReportConfiguration() {
    const AnsiString configFile = folder_.File(texts::kConfigFile);
    const bool found = FileExists(configFile);
    out_ << "Configuration folder: " << (folder_.path.empty() ? "." : folder_.path) << " ("
         << folder_.Describe() << ")\n"
         << texts::kConfigFile << ": " << (found ? "found" : "not found") << "\n";
    TIniFileStore store;
    store.SetUseExeDir(false);
    store.SetIniFileName(configFile);
    const AnsiString srvNo = SrvNoFromArguments(arguments_, texts::kDefaultSrvNo);
    settings_ = SettingsReport::Read(store, texts::kTerminalPrefix + srvNo);
    out_ << "Terminal id: " << ConsoleText(settings_.terminalId) << " (section "
         << ConsoleText(settings_.terminalSection) << ")\n"
         << Utf8Text(settings_.Format()) << std::flush;
    if (!found) {
        Fail("no " + AnsiString(texts::kConfigFile) + " in " +
             (folder_.path.empty() ? AnsiString(".") : folder_.path));
        return false;
    }
    if (!settings_.useServer) {
        Fail("the server link is off (Use in [MessageSrv] is not Yes)");
        return false;
    }
    // Not a failure, the terminal runs so; but a wrong /SRVNO= is easily missed.
    if (!settings_.TerminalSectionUsed())
        out_ << "Warning: " << texts::kConfigFile << " has no setting in section ["
             << ConsoleText(settings_.terminalSection)
             << "]: every terminal setting has its default." << std::endl;
    return true;
}

bool ConnectionCheck::ResolveServer() {
    try {
        ResolveHost(settings_.serverAddress);
        ResolvePort(settings_.port, "tcp");
        return true;
    } catch (const std::exception& error) {
        Fail("cannot resolve " + Server() + ": " + DescribeException(error));
        return false;
    }
}

void ConnectionCheck::Connect() {
    out_ << "Connecting to " << Server() << " ..." << std::endl;
    socket_ = new TClientSocket;
    socket_->SetProto("tcp");
    socket_->SetPort(settings_.port);
    socket_->SetAddr(settings_.serverAddress);
    socket_->SetLineMode(true);
    socket_->SetLineEnd(texts::kLineEnd);
    socket_->OnSessionConnected = [this](TCustomSocket* s, std::uint16_t e) { Connected(s, e); };
    socket_->OnSessionClosed = [this](TCustomSocket* s, std::uint16_t e) { Closed(s, e); };
    socket_->OnDataAvailable = [this](TCustomSocket* s, std::uint16_t) { LineArrived(s); };
    try {
        socket_->Connect();
    } catch (const std::exception& error) {
        Fail("cannot connect to " + Server() + ": " + DescribeException(error));
    }
}

void ConnectionCheck::Connected(TCustomSocket*, std::uint16_t error) {
    if (error == kConnectionRefused)
        Fail("connection refused by " + Server() + " (is the message server running?)");
    else if (error != 0)
        Fail("cannot connect to " + Server() + " (" + ErrorText(error) + ")");
    else
        out_ << "Connected; waiting for the login prompt." << std::endl;
}

void ConnectionCheck::Closed(TCustomSocket*, std::uint16_t error) {
    const AnsiString how = error ? " (" + ErrorText(error) + ")" : AnsiString();
    if (answered_)
        Fail("the server closed the session after the login answer" + how +
             ": wrong pass phrase or terminal id?");
    else
        Fail("the server closed the session before its login prompt" + how);
}

void ConnectionCheck::LineArrived(TCustomSocket* sender) {
    AnsiString line = sender->ReceiveText();
    if (finished_) return;
    if (line.ends_with(texts::kLineEnd)) line.resize(line.size() - 2);
    if (line == texts::kLoginPrompt && !answered_) {
        out_ << "Received the login prompt \"" << line << "\"." << std::endl;
        AnswerPrompt();
        return;
    }
    try {
        out_ << "Received: " << ConsoleText(DecipherLine(line)) << std::endl;
    } catch (const std::exception& error) {
        out_ << "Received a line that does not decipher: " << DescribeException(error) << std::endl;
    }
}

void ConnectionCheck::AnswerPrompt() {
    const AnsiString record = LoginRecord(settings_.terminalId);
    // Nothing may escape into the event loop: the check has no application object that
    // would catch it.
    try {
        socket_->SendText(EncipherLine(record) + texts::kLineEnd);
    } catch (const std::exception& error) {
        Fail("cannot send the login answer: " + DescribeException(error));
        return;
    }
    answered_ = true;
    out_ << "Answered: " << ConsoleText(record) << "\nWatching the session for " << kWatchMs / 1000
         << " s ..." << std::endl;
    timers_->SetTriggerEnabled(promptDeadline_, false);
    watchEnd_ = timers_->AddTrigger(kWatchMs, [this](TTimerPool*, int handle, std::uint32_t,
                                                     std::int32_t) { Deadline(handle); });
}

void ConnectionCheck::Deadline(int handle) {
    timers_->SetTriggerEnabled(handle, false);
    if (handle == watchEnd_)
        Succeed();
    else if (!answered_)
        Fail("no login prompt from " + Server() + " within " +
             std::to_string(kPromptWaitMs / 1000) + " s");
}

void ConnectionCheck::Succeed() {
    if (finished_) return;
    finished_ = true;
    out_ << "OK: " << ConsoleText(settings_.terminalId) << " logged in to " << Server()
         << " and the session stayed up." << std::endl;
    status_ = kPassed;
    loop_.quit();
}

void ConnectionCheck::Fail(const AnsiString& why) {
    if (finished_) return;
    finished_ = true;
    err_ << "tuvako --check: FAILED: " << ConsoleText(why) << std::endl;
    status_ = kFailed;
    loop_.quit();
}

AnsiString ConnectionCheck::Server() const {
    return settings_.serverAddress + ":" + settings_.port;
}

}  // namespace tuvako
