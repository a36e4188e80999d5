#include "mainwindow/SignalCloser.h"

#include <fcntl.h>
#include <unistd.h>

#include <QList>
#include <QPointer>
#include <atomic>
#include <cerrno>

namespace lectora {

namespace {

// The handler can reach nothing but plain globals: the write end of the pipe.
volatile sig_atomic_t writeFd = -1;
int readFd = -1;
std::atomic<bool> closerInstalled{false};

void OnSignal(int signalNumber) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  const int fd = writeFd;
  // A full pipe drops the byte: the loop has enough to read already.
  if (fd >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

TSignalCloser::TSignalCloser(QObject* parent) : QObject(parent) {
  bool expected = false;
  if (!closerInstalled.compare_exchange_strong(expected, true)) return;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
    closerInstalled = false;
    return;
  }
  readFd = fds[0];
  writeFd = fds[1];
  notifier_ = new QSocketNotifier(readFd, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSignalCloser::ReadPipe);

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, &oldTerm_);
  ::sigaction(SIGINT, &action, &oldInt_);
  installed_ = true;
}

TSignalCloser::~TSignalCloser() {
  if (!installed_) return;
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
  ::sigaction(SIGINT, &oldInt_, nullptr);
  delete notifier_;
  const int fd = writeFd;
  writeFd = -1;
  ::close(fd);
  ::close(readFd);
  readFd = -1;
  closerInstalled = false;
}

void TSignalCloser::ReadPipe() {
  // Everything is read before anyone is told, because a receiver may well
  // delete this object.
  QList<int> received;
  unsigned char bytes[16];
  for (;;) {
    const ssize_t count = ::read(readFd, bytes, sizeof bytes);
    if (count <= 0) break;
    for (ssize_t i = 0; i < count; ++i) received.append(bytes[i]);
  }
  QPointer<TSignalCloser> alive(this);
  for (const int signalNumber : received) {
    if (!alive) return;
    Q_EMIT CloseRequested(signalNumber);
  }
}

}  // namespace lectora
