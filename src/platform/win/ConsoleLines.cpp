#include "platform/ConsoleLines.h"

#include "platform/ExceptionReporter.h"
#include "platform/win/WindowsHeaders.h"

#include <QCoreApplication>
#include <QPointer>

#include <thread>

namespace tuvako {

// Standard input on Windows may be a console, a pipe or a file, and none of them can be
// watched from the event loop: a thread of its own reads it and hands each piece to the GUI
// thread. The thread may stay blocked in its read until the process ends; it touches nothing
// of this object but through the application's event queue, where a piece for a console reader
// that is gone is dropped.
void ConsoleLines::StartReading() {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE) return;
    const QPointer<ConsoleLines> self(this);
    std::thread([input, self] {
        char buffer[1024];
        DWORD got = 0;
        while (::ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            QByteArray bytes(buffer, qsizetype(got));
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, bytes] {
                    if (self) ExceptionReporter::Guard("Console", [&] { self->Take(bytes); });
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self] {
                if (self) ExceptionReporter::Guard("Console", [&] { self->End(); });
            },
            Qt::QueuedConnection);
    }).detach();
}

}  // namespace tuvako
