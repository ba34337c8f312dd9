// A hidden window in the Windows sense: posted messages and timers, handled on the GUI thread.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <map>

namespace tuvako {

constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_USER = 0x0400;

// Receives messages (number, wParam, lParam) posted to it and hands them, one at a time and in
// order, to its handler on the thread that owns it. Timers set on it arrive as WM_TIMER with the
// timer id in wParam. Destroying the window drops every message still pending for it, so a
// handler never runs for a window that is gone. Anything the handler throws is reported through
// ExceptionReporter and the event loop goes on.
class MessageWindow : public QObject {
public:
    using Handler =
        std::function<void(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)>;

    explicit MessageWindow(Handler handler, QObject* parent = nullptr);
    ~MessageWindow() override;

    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    // Queues a message; it is handled after the current event, like PostMessageA.
    void PostMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

    // Starts (or restarts, for an id already in use) a repeating timer; false if the platform
    // refused one.
    bool SetTimer(std::uintptr_t id, std::uint32_t milliseconds);
    // Stops the timer with this id; false if there was none.
    bool KillTimer(std::uintptr_t id);

    // Handles a message at once, as SendMessage would.
    void SendMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    Handler handler_;
    std::map<std::uintptr_t, int> timers_;  // our timer id -> Qt timer id
};

}  // namespace tuvako
