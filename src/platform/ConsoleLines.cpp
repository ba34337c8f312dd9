#include "platform/ConsoleLines.h"

#include <utility>

namespace tuvako {

ConsoleLines::ConsoleLines(LineHandler onLine, QObject* parent)
    : QObject(parent), onLine_(std::move(onLine)) {
    StartReading();
}

void ConsoleLines::Take(const QByteArray& bytes) {
    pending_.append(bytes);
    for (qsizetype newline; (newline = pending_.indexOf('\n')) >= 0;) {
        QByteArray line = pending_.left(newline);
        pending_.remove(0, newline + 1);
        if (line.endsWith('\r')) line.chop(1);
        onLine_(line);
    }
}

void ConsoleLines::End() {
    if (!pending_.isEmpty()) onLine_(std::exchange(pending_, {}));
}

}  // namespace tuvako
