// The one way a test waits for something the event loop brings.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace tuvako::test {

// Handles events until `condition` holds (true) or `timeoutMs` has passed (false). The result
// goes into an EXPECT or ASSERT, so a wait that runs out fails the test where it waited.
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

// Handles every posted message, and those they post in turn, without waiting for new events.
inline void HandlePostedMessages() {
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace tuvako::test
