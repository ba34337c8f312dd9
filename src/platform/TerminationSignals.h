// Turns SIGTERM, SIGINT and SIGHUP into a call on the GUI thread, so a kiosk stops the normal way.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tuvako {

// While an instance lives, SIGTERM, SIGINT and SIGHUP (which the end of a login session sends)
// no longer end the process at once: the signal handler only writes a byte into a pipe (all it
// may safely do), and the event loop then calls `onSignal`, which closes the main window so that
// its close handler runs. One instance at a time; the destructor puts the previous signal
// handling back.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or the handlers could not be set up (the signals then keep their
    // default effect).
    bool IsActive() const { return notifier_ != nullptr; }

private:
    void Drain();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tuvako
