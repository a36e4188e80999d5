// The new-version check: one HTTP/1.0 HEAD request for the release archive
// on its own thread, whose "Last-Modified:" date decides whether a newer
// version than the running program file exists (more than one day later).
// The thread only writes the two flags, NewVersion before Running; they are
// atomic, so the interface thread reads them without a lock. Suspend and
// Resume set a flag the thread waits on between its steps, so the check
// advances only while the flag is clear.
//
// Limits: the connection must be made within ConnectTimeoutMs and the
// whole head must have arrived within AnswerTimeoutMs of the start; reading
// stops at the end of the head or after kMaxHeadBytes, whichever comes
// first. A failure of any kind leaves Running true.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>

#include "tools/version/HttpHead.h"

namespace lectora {

class TCheckForNewVersion : public QThread {
  Q_OBJECT

 public:
  static constexpr qsizetype kMaxHeadBytes = 64 * 1024;

  struct TOptions {
    // "host/path" or "host:port/path"; empty: no check (Running stays true).
    QString Address;
    int ConnectTimeoutMs = 10000;
    int AnswerTimeoutMs = 20000;
    // The modification time of the running program file (tests give one).
    std::function<QDateTime()> ProgramTime;
  };

  // `Create`: splits the address, NewVersion false, Running true, and
  // starts the thread.
  explicit TCheckForNewVersion(TOptions options, QObject* parent = nullptr);
  // Waits for the thread (at most one read slice once it is told to stop).
  ~TCheckForNewVersion() override;

  const QString& Host() const { return address_.Host; }
  const QString& Path() const { return address_.Path; }
  bool NewVersion() const { return newVersion_.load(); }
  bool Running() const { return running_.load(); }
  // The thread waits at its next step until Resume.
  void Suspend();
  void Resume();
  bool Suspended() const { return suspended_.load(); }
  // The head as received (for tests; valid once the thread has finished).
  const QByteArray& Head() const { return head_; }

 protected:
  // `Execute`.
  void run() override;

 private:
  // The response head; empty on any failure.
  QByteArray FetchHead();
  // False when the thread is to end (the object is being destroyed).
  bool WaitWhileSuspended();

  TOptions options_;
  TCheckAddress address_;
  std::atomic<bool> newVersion_{false};
  std::atomic<bool> running_{true};
  std::atomic<bool> suspended_{false};
  std::atomic<bool> stopping_{false};
  QMutex mutex_;
  QWaitCondition resumed_;
  QByteArray head_;
};

}  // namespace lectora
