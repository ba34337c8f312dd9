#include "platform/TerminationSignals.h"

#include "platform/win/HiddenWindow.h"

#include <QCoreApplication>

#include <atomic>

namespace tuvako {
namespace {

std::atomic<TerminationSignals*> g_watching{nullptr};

// Runs on a thread that Windows starts for the event. The stop runs on the GUI thread, and this
// thread waits for it: after a console's closing Windows ends the process as soon as the
// handler returns, so the state must be saved by then.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            break;
        default:
            return FALSE;
    }
    TerminationSignals* watching = g_watching.load();
    QCoreApplication* application = QCoreApplication::instance();
    if (!watching || !application) return FALSE;
    QMetaObject::invokeMethod(
        watching, [watching] { watching->Deliver(); }, Qt::BlockingQueuedConnection);
    return TRUE;
}

}  // namespace

// A hidden top-level window hears of the session's end, as every top-level window does, and
// of a polite request to close (WM_CLOSE to every window of the process: taskkill without /F);
// Qt's own windows would not on its offscreen platform, and the program's own window may not
// exist yet. Windows may end the process once WM_ENDSESSION has been answered, so the stop
// runs before the answer.
struct TerminationSignals::Watch {
    std::unique_ptr<HiddenWindow> window;
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    TerminationSignals* none = nullptr;
    if (!g_watching.compare_exchange_strong(none, this)) return;
    auto window = std::make_unique<HiddenWindow>(
        HiddenWindow::Kind::TopLevel, [this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
            if (msg == WM_QUERYENDSESSION) {
                result = TRUE;  // the session may end: the state is saved when it does
                return true;
            }
            if (msg == WM_CLOSE) {  // taskkill without /F, or another program asking politely
                Deliver();
                result = 0;
                return true;
            }
            if (msg != WM_ENDSESSION) return false;
            if (wParam) Deliver();
            result = 0;
            return true;
        });
    if (!window->Handle()) {
        g_watching = nullptr;
        return;
    }
    watch_ = std::make_unique<Watch>();
    watch_->window = std::move(window);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

TerminationSignals::~TerminationSignals() {
    if (!watch_) return;
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    g_watching = nullptr;
    watch_.reset();
}

}  // namespace tuvako
