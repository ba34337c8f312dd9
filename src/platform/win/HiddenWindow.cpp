#include "platform/win/HiddenWindow.h"

#include "platform/ExceptionReporter.h"

namespace tuvako {
namespace {

constexpr wchar_t kClassName[] = L"TuvakoHiddenWindow";

// Registered once for the process; the class outlives every window of it.
bool RegisterClassOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0 ||
               ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

HiddenWindow::HiddenWindow(Kind kind, Handler handler) : handler_(std::move(handler)) {
    if (!RegisterClassOnce(&HiddenWindow::WindowProcedure)) return;
    window_ = ::CreateWindowExW(0, kClassName, L"Tuvako", WS_OVERLAPPED, 0, 0, 0, 0,
                                kind == Kind::MessageOnly ? HWND_MESSAGE : nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), this);
}

HiddenWindow::~HiddenWindow() {
    if (!window_) return;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // nothing reaches a half-destroyed owner
    ::DestroyWindow(window_);
}

// No exception may cross into Windows' own code: what the handler throws is reported here.
LRESULT CALLBACK HiddenWindow::WindowProcedure(HWND window, UINT msg, WPARAM wParam,
                                               LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<HiddenWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    bool handled = false;
    if (self && self->handler_)
        ExceptionReporter::Guard("Window message",
                                 [&] { handled = self->handler_(msg, wParam, lParam, result); });
    return handled ? result : ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace tuvako
