#include "platform/ConsoleLines.h"

namespace tuvako {

ConsoleLines::ConsoleLines(LineHandler onLine, QObject* parent)
    : QObject(parent), onLine_(std::move(onLine)) {
    StartReading();
}

void ConsoleLines::Take(const QByteArray& bytes) {
    pending_.append(bytes);
    for (qsizetype newline; (newline = pending_.indexOf('\n')) >= 0;) {
        const QByteArray line = pending_.left(newline);
        pending_.remove(0, newline + 1);
        onLine_(line);
    }
}

}  // namespace tuvako
