// Turns a request to stop the program into a call on the GUI thread, so that the window closes
// the normal way and saves its state: SIGTERM, SIGINT and SIGHUP (which the end of a login
// session sends) on POSIX; on Windows the end of the session (logoff, shutdown), a polite close
// (WM_CLOSE, as taskkill sends it) and, for a program with a console, Ctrl-C, Ctrl-Break and the
// console's closing.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace tuvako {

// While an instance lives, those requests no longer end the process at once: the operating
// system's half catches them and the event loop then calls `onSignal`, which closes the main
// window so that its close handler runs. One instance at a time; the destructor puts the
// previous handling back.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the requests could not be caught (they then keep their default effect).
    bool IsActive() const { return watch_ != nullptr; }

    // Runs `onSignal` once for a request that has come, reporting what it throws.
    void Deliver();

private:
    // What the operating system's half keeps while it watches (POSIX: the signal pipe and its
    // notifier; Windows: the hidden window that hears of the session's end).
    struct Watch;
    std::unique_ptr<Watch> watch_;
    std::function<void()> onSignal_;
};

}  // namespace tuvako
