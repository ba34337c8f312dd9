// Lines typed on standard input, handed over on the event loop one at a time.
#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tuvako {

// Watches standard input from the event loop and calls `onLine` with each complete line, its
// line end removed. Reading stops at the end of the input; the program goes on. An exception
// from `onLine` is reported and the loop keeps running.
class ConsoleLines : public QObject {
public:
    using LineHandler = std::function<void(const QByteArray& line)>;

    ConsoleLines(LineHandler onLine, QObject* parent);

private:
    void ReadInput();

    LineHandler onLine_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray pending_;
};

}  // namespace tuvako
