// Access for tests to the state of the road of one customer; the window names it its friend.
#pragma once

#include "app/Main.h"
#include "platform/MessageWindow.h"
#include "settings/TOvcTimerPool.h"

#include <QPushButton>

namespace tuvako {

class CustomerRoadProbe {
public:
    explicit CustomerRoadProbe(TfrmTuvakoMain& window) : window_(window) {}

    // The server link is switched on after start-up, so that no session is opened: the
    // tests' transport stands in for it.
    void SetUseServer(bool on) { window_.UseServer = on; }

    const AnsiString& PendingCustomer() const { return window_.PendingCustomer; }
    void SetPendingCustomer(const AnsiString& record) { window_.PendingCustomer = record; }
    std::int32_t ButtonCount() const { return window_.ButtonCount; }
    std::int32_t NextButton() const { return window_.NextButton; }
    bool ButtonsBuilt() const { return window_.ButtonsBuilt; }
    const std::vector<AnsiString>& ButtonCodes() const { return window_.ButtonCodes; }
    QPushButton* Button(int slot) const { return window_.Buttons.at(std::size_t(slot)); }
    const AnsiString& TerminalId() const { return window_.TerminalId; }

    // The pool's platform timer fires now; with the fake clock moved on, the triggers that
    // are due run.
    void TimerTick() const { window_.OvcTimerPool->Window().SendMessage(WM_TIMER, 1, 0); }

private:
    TfrmTuvakoMain& window_;
};

}  // namespace tuvako
