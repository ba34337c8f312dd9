// Lines typed on standard input, handed over on the event loop one at a time.
#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

namespace tuvako {

// Watches standard input from the event loop and calls `onLine` with each line, its line end
// (LF or CR LF) removed; a last line without one comes at the end of the input. Reading stops
// there; the program goes on. An exception from `onLine` is reported and the loop keeps running.
class ConsoleLines : public QObject {
public:
    using LineHandler = std::function<void(const QByteArray& line)>;

    ConsoleLines(LineHandler onLine, QObject* parent);

private:
    // Starts watching standard input: the operating system's half.
    void StartReading();
    // Bytes read from standard input, handed over on the GUI thread.
    void Take(const QByteArray& bytes);
    // The end of standard input, on the GUI thread.
    void End();
    void DeliverLines();

    LineHandler onLine_;
    // What watches standard input: a readiness notifier, or a reading thread that hands lines over.
    QObject* reader_ = nullptr;
    QByteArray pending_;
    bool handling_ = false;  // a line handler runs
    bool ended_ = false;     // standard input has ended
};

}  // namespace tuvako
