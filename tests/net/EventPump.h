// Waiting for real network events in tests without sleeping.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace tuvako::test {

// Handles events as they arrive until `done` holds or `timeoutMs` has passed; says whether
// `done` held. Unlike QTRY_VERIFY it returns as soon as the condition holds and reports to
// GoogleTest through its result. A short repeating timer wakes the loop to look at the clock.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wakeUp;
    wakeUp.start(20);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

}  // namespace tuvako::test
