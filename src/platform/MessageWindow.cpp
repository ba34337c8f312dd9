#include "platform/MessageWindow.h"

#include "platform/ExceptionReporter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimerEvent>

#include <algorithm>

namespace tuvako {
namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessage : public QEvent {
public:
    PostedMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
        : QEvent(kPostedMessage), msg(msg), wParam(wParam), lParam(lParam) {}
    const std::uint32_t msg;
    const std::uintptr_t wParam;
    const std::intptr_t lParam;
};

}  // namespace

MessageWindow::MessageWindow(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

// QObject's destructor removes the events still posted to this object.
MessageWindow::~MessageWindow() = default;

void MessageWindow::PostMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    QCoreApplication::postEvent(this, new PostedMessage(msg, wParam, lParam));
}

bool MessageWindow::SetTimer(std::uintptr_t id, std::uint32_t milliseconds) {
    KillTimer(id);
    const int qtId =
        startTimer(int(std::min<std::uint32_t>(milliseconds, 0x7FFFFFFF)), Qt::PreciseTimer);
    if (qtId == 0) return false;
    timers_[id] = qtId;
    return true;
}

bool MessageWindow::KillTimer(std::uintptr_t id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return false;
    killTimer(found->second);
    timers_.erase(found);
    return true;
}

void MessageWindow::SendMessage(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    ExceptionReporter::Guard("Window message", [&] { handler_(msg, wParam, lParam); });
}

bool MessageWindow::event(QEvent* event) {
    if (event->type() != kPostedMessage) return QObject::event(event);
    const auto* posted = static_cast<PostedMessage*>(event);
    SendMessage(posted->msg, posted->wParam, posted->lParam);
    return true;
}

void MessageWindow::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId == event->timerId()) {
            SendMessage(WM_TIMER, id, 0);
            return;
        }
    }
}

}  // namespace tuvako
