#include "platform/ConsoleLines.h"

#include "platform/ExceptionReporter.h"

#include <QSocketNotifier>

#include <unistd.h>

namespace tuvako {

ConsoleLines::ConsoleLines(LineHandler onLine, QObject* parent)
    : QObject(parent), onLine_(std::move(onLine)) {
    notifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this,
            [this] { ExceptionReporter::Guard("Console", [this] { ReadInput(); }); });
}

void ConsoleLines::ReadInput() {
    char buffer[1024];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        notifier_->setEnabled(false);
        return;
    }
    pending_.append(buffer, qsizetype(got));
    for (qsizetype newline; (newline = pending_.indexOf('\n')) >= 0;) {
        const QByteArray line = pending_.left(newline);
        pending_.remove(0, newline + 1);
        onLine_(line);
    }
}

}  // namespace tuvako
