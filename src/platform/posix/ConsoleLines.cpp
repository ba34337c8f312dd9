#include "platform/ConsoleLines.h"

#include "platform/ExceptionReporter.h"

#include <QSocketNotifier>

#include <unistd.h>

namespace tuvako {

void ConsoleLines::StartReading() {
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    reader_ = notifier;
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        ExceptionReporter::Guard("Console", [this, notifier] {
            char buffer[1024];
            const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got <= 0) {
                notifier->setEnabled(false);
                End();
            } else
                Take(QByteArray(buffer, qsizetype(got)));
        });
    });
}

}  // namespace tuvako
