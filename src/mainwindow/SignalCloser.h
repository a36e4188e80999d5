// SIGTERM and SIGINT end the program the way its Exit command does: the
// signal handler only writes the signal number into a pipe (the one thing a
// handler may safely do); a QSocketNotifier on the pipe's other end turns it
// into a Qt signal on the user-interface thread, where the main window
// closes itself and writes its settings as usual.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <csignal>

namespace lectora {

class TSignalCloser : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers for SIGTERM and SIGINT. Only one closer can be
  // installed per process; a second one installs nothing (Installed() is
  // false) and never signals.
  // REQUIRES: constructed on the user-interface thread.
  explicit TSignalCloser(QObject* parent = nullptr);
  // Puts back the handlers that were there before.
  ~TSignalCloser() override;
  TSignalCloser(const TSignalCloser&) = delete;
  TSignalCloser& operator=(const TSignalCloser&) = delete;

  bool Installed() const { return installed_; }

 Q_SIGNALS:
  // Once per signal received (SIGTERM or SIGINT), on the thread of this
  // object. Signals that come quicker than the loop runs may be merged.
  void CloseRequested(int signalNumber);

 private:
  void ReadPipe();

  bool installed_ = false;
  QSocketNotifier* notifier_ = nullptr;  // child of this
  struct sigaction oldTerm_ {};
  struct sigaction oldInt_ {};
};

}  // namespace lectora
