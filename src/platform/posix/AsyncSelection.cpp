#include "platform/posix/AsyncSelection.h"

#include "platform/ExceptionReporter.h"
#include "platform/MessageWindow.h"
#include "platform/posix/WinsockErrorMap.h"

#include <QSocketNotifier>

#include <sys/socket.h>

#include <cerrno>

namespace tuvako {

AsyncSelection::AsyncSelection(int fd, TSocket handle, MessageWindow* window, std::uint32_t msg,
                               int events, Phase phase)
    : fd_(fd),
      handle_(handle),
      window_(window),
      msg_(msg),
      events_(events),
      read_(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read)),
      write_(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write)) {
    read_->setEnabled(false);
    write_->setEnabled(false);
    QObject::connect(read_.get(), &QSocketNotifier::activated, read_.get(), [this] {
        ExceptionReporter::Guard("Socket readiness", [this] { OnReadable(); });
    });
    QObject::connect(write_.get(), &QSocketNotifier::activated, write_.get(), [this] {
        ExceptionReporter::Guard("Socket readiness", [this] { OnWritable(); });
    });
    if (phase == Phase::Connecting)
        ConnectStarted();
    else if (phase == Phase::Connected) {
        connected_ = true;
        read_->setEnabled(true);
    }
}

// Notifiers must be gone before the descriptor is closed, which the owner does after this.
AsyncSelection::~AsyncSelection() = default;

void AsyncSelection::ConnectStarted() {
    connecting_ = true;
    write_->setEnabled(true);
}

void AsyncSelection::ConnectFinished(int error) {
    connecting_ = false;
    write_->setEnabled(false);
    Post(FdEvent::Connect, error);
    if (error != 0) return;
    connected_ = true;
    Post(FdEvent::Write, 0);
    read_->setEnabled(true);
}

void AsyncSelection::RecvCalled() {
    if (connected_ && !closePosted_) read_->setEnabled(true);
}

void AsyncSelection::SendBlocked() {
    if (connected_) write_->setEnabled(true);
}

void AsyncSelection::NoteConnectionError(int error) {
    if (connectionError_ == 0) connectionError_ = error;
}

// Peeks one byte to tell waiting data from the end of the connection. Reading stays with the
// owner; until it calls recv the read notifier stays off, so a burst is one notification.
void AsyncSelection::OnReadable() {
    char byte;
    const ssize_t peeked = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    read_->setEnabled(false);
    if (peeked > 0) {
        Post(FdEvent::Read, 0);
        return;
    }
    closePosted_ = true;
    Post(FdEvent::Close, peeked == 0 ? connectionError_ : WinsockErrorFromErrno(errno));
}

void AsyncSelection::OnWritable() {
    write_->setEnabled(false);
    if (!connecting_) {
        Post(FdEvent::Write, 0);
        return;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
    ConnectFinished(WinsockErrorFromErrno(error));
}

void AsyncSelection::Post(int event, int error) {
    if ((events_ & event) && window_)
        window_->PostMessage(msg_, handle_, MakeSelectReply(event, error));
}

}  // namespace tuvako
