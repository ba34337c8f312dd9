// A window of our own that is never shown: it takes the messages that Windows sends to a window
// (socket notifications, the end of the session) on the thread that made it, whose event loop
// Qt runs.
#pragma once

#include "platform/win/WindowsHeaders.h"

#include <functional>

namespace tuvako {

class HiddenWindow {
public:
    // Returns true when it handled the message, with its result in `result`; false lets the
    // default window procedure have it.
    using Handler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // A message-only window gets only what is sent or posted to it; a top-level one also gets
    // what Windows broadcasts to every top-level window (WM_QUERYENDSESSION, WM_ENDSESSION).
    enum class Kind { MessageOnly, TopLevel };

    HiddenWindow(Kind kind, Handler handler);
    ~HiddenWindow();

    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    // Null when Windows refused to make the window.
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

}  // namespace tuvako
