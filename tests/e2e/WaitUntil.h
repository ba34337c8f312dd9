// Runs the event loop until a condition holds, for GoogleTest assertions on real events.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace tuvako::test {

// True as soon as `condition` holds, false when it still does not after `timeoutMs`. Unlike
// QTRY_VERIFY, whose failure GoogleTest does not see, the result goes into an EXPECT or ASSERT.
template <class Condition>
bool WaitUntil(Condition&& condition, int timeoutMs = 10000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!condition()) QThread::msleep(1);
    }
    return true;
}

}  // namespace tuvako::test
