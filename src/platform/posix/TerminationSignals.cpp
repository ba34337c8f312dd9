#include "platform/TerminationSignals.h"

#include "platform/ExceptionReporter.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace tuvako {
namespace {

// SIGHUP too: the end of a login session sends it, and at a shutdown it comes together with
// SIGTERM; either must save and close, not kill.
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int g_pipe[2] = {-1, -1};
struct sigaction g_previous[std::size(kSignals)];

// Runs in signal context: only async-signal-safe calls, errno left as it was.
void OnTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void ClosePipe() {
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace

// The signal handler only writes a byte into a pipe (all it may safely do); the pipe's reading
// end wakes the event loop.
struct TerminationSignals::Watch {
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    watch_ = std::make_unique<Watch>();
    watch_->notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(watch_->notifier.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[64];
        bool signalled = false;
        while (::read(g_pipe[0], bytes, sizeof bytes) > 0) signalled = true;
        if (signalled) Deliver();
    });
}

TerminationSignals::~TerminationSignals() {
    if (!watch_) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    watch_.reset();
    ClosePipe();
}

}  // namespace tuvako
