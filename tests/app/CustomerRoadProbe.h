// Access for tests to the state of the road of one customer; the window names it its friend.
#pragma once

#include "app/Main.h"

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

private:
    TfrmTuvakoMain& window_;
};

}  // namespace tuvako
