// Access for tests to the server session of the main window; the window names it its friend.
#pragma once

#include "app/Main.h"
#include "net/TWSocket.h"
#include "settings/TOvcTimerPool.h"

#include <QPlainTextEdit>

namespace tuvako {

class SessionProbe {
public:
    explicit SessionProbe(TfrmTuvakoMain& window) : window_(window) {}

    TWSocket* Socket() const { return window_.Socket; }
    bool Connected() const { return window_.Socket && window_.Socket->State() == wsConnected; }
    TOvcTimerPool& TimerPool() const { return *window_.OvcTimerPool; }
    int KeepAliveTrigger() const { return window_.KeepAliveTrigger; }
    // The log pane's text.
    std::string Log() const {
        return window_.findChild<QPlainTextEdit*>("Memo")->toPlainText().toStdString();
    }

    void SendPing() { window_.SendPing(); }
    void SessionConnected(TCustomWSocket* sender, std::uint16_t error) {
        window_.SessionConnected(sender, error);
    }
    void SessionClosed(TCustomWSocket* sender, std::uint16_t error) {
        window_.SessionClosed(sender, error);
    }

private:
    TfrmTuvakoMain& window_;
};

}  // namespace tuvako
