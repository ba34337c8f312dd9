// Read access to the main window's state for tests; the window names this class its friend.
#pragma once

#include "app/Main.h"
#include "settings/TOvcTimerPool.h"

#include <QWidget>

namespace tuvako {

class MainWindowProbe {
public:
    explicit MainWindowProbe(TfrmTuvakoMain& window) : window_(window) {}

    // The component with this object name, or nullptr.
    template <class Widget>
    Widget* Find(const char* name) const {
        return window_.findChild<Widget*>(QString::fromLatin1(name));
    }

    const AnsiString& SrvNo() const { return window_.SrvNo; }
    const AnsiString& TerminalSection() const { return window_.TerminalSection; }
    const AnsiString& ServerAddress() const { return window_.ServerAddress; }
    const AnsiString& ServerPort() const { return window_.ServerPort; }
    std::int32_t PingTime() const { return window_.PingTime; }
    bool UseServer() const { return window_.UseServer; }
    const AnsiString& TerminalId() const { return window_.TerminalId; }
    std::int32_t ButtonWidth() const { return window_.ButtonWidth; }
    std::int32_t ButtonShowTime() const { return window_.ButtonShowTime; }
    std::int32_t FontSize() const { return window_.FontSize; }
    bool ShowClearButton() const { return window_.ShowClearButton; }
    int LogLineCount() const { return window_.LogLineCount(); }
    bool FormClosed() const { return window_.formClosed_; }
    TOvcTimerPool& TimerPool() const { return *window_.OvcTimerPool; }

private:
    TfrmTuvakoMain& window_;
};

}  // namespace tuvako
