// `tuvako --check`: shows the configuration, then logs in to the server once as the terminal
// would and watches the session for a moment. Needs an event loop but no display.
#pragma once

#include "app/ConfigFolder.h"
#include "app/SettingsReport.h"
#include "platform/AnsiString.h"

#include <QEventLoop>
#include <QObject>

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace tuvako {

class TCustomSocket;
class TTimerPool;
class TClientSocket;

class ConnectionCheck : public QObject {
public:
    // How long the server may take to send its login prompt, counted from the start of the
    // connection, and how long the session must stay up after the answer.
    static constexpr std::uint32_t kPromptWaitMs = 10000;
    static constexpr std::uint32_t kWatchMs = 2000;

    // `arguments` are the window's arguments ("/SRVNO=" among them). The report goes to `out`,
    // the one line that says why a check failed to `err`.
    ConnectionCheck(ConfigFolder folder, std::vector<AnsiString> arguments, std::ostream& out,
                    std::ostream& err);
    ~ConnectionCheck() override;

    // The exit status: 0 when the server took the login answer and kept the session up.
    int Run();

private:
    bool ReportConfiguration();
    bool ResolveServer();
    void Connect();
    void Connected(TCustomSocket* sender, std::uint16_t error);
    void Closed(TCustomSocket* sender, std::uint16_t error);
    void LineArrived(TCustomSocket* sender);
    void AnswerPrompt();
    void Deadline(int handle);
    void Succeed();
    void Fail(const AnsiString& why);
    AnsiString Server() const;

    ConfigFolder folder_;
    std::vector<AnsiString> arguments_;
    std::ostream& out_;
    std::ostream& err_;
    SettingsReport settings_;
    TTimerPool* timers_ = nullptr;
    TClientSocket* socket_ = nullptr;
    QEventLoop loop_;
    int promptDeadline_ = -1;
    int watchEnd_ = -1;
    bool answered_ = false;
    bool finished_ = false;
    int status_ = 1;
};

}  // namespace tuvako
