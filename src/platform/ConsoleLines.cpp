#include "platform/ConsoleLines.h"

#include <QScopedValueRollback>

#include <utility>

namespace tuvako {

ConsoleLines::ConsoleLines(LineHandler onLine, QObject* parent)
    : QObject(parent), onLine_(std::move(onLine)) {
    StartReading();
}

void ConsoleLines::Take(const QByteArray& bytes) {
    pending_.append(bytes);
    DeliverLines();
}

void ConsoleLines::End() {
    ended_ = true;
    DeliverLines();
}

// A handler may run an event loop of its own (a modal dialog), in which more input arrives: it
// waits, and the lines are handled in order once the handler has returned.
void ConsoleLines::DeliverLines() {
    if (handling_) return;
    const QScopedValueRollback busy(handling_, true);
    for (qsizetype newline; (newline = pending_.indexOf('\n')) >= 0;) {
        QByteArray line = pending_.left(newline);
        pending_.remove(0, newline + 1);
        if (line.endsWith('\r')) line.chop(1);
        onLine_(line);
    }
    if (ended_ && !pending_.isEmpty()) onLine_(std::exchange(pending_, {}));
}

}  // namespace tuvako
