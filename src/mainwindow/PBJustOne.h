// One instance per desktop session. The first process owns the name
// "org.darsel.Lectora" on the session bus (object "/Lectora", interface
// "org.darsel.Lectora.DdeServerConv1"); a later process calls Activate() on
// it and ends without writing anything. Without a session bus a lock file
// and a local socket in $XDG_RUNTIME_DIR (else the temporary folder) do the
// same: the lock decides who is first, the socket carries the request.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace lectora {

class IDdeServerItems;

class TPBJustOne : public QObject, public QDBusContext {
  Q_OBJECT

 public:
  enum class TTransport {
    Auto,        // the session bus when one answers, else the local socket
    DBus,        // the session bus only (tests)
    LocalSocket  // the lock file and local socket only (tests, no bus)
  };

  struct TOptions {
    // The bus name; also names the lock file and the socket.
    QString ServiceName = QStringLiteral("org.darsel.Lectora");
    QString ObjectPath = QStringLiteral("/Lectora");
    TTransport Transport = TTransport::Auto;
    // Empty: the shared session-bus connection. Tests give two instances in
    // one process their own connections, as two processes would have.
    QString BusConnectionName;
    // Empty: $XDG_RUNTIME_DIR, or QDir::tempPath() when that is unset.
    QString LocalFolder;
    // How long a later instance waits for the first one to listen or answer.
    int TimeoutMs = 3000;
  };

  enum class TResult {
    NotChecked,
    First,  // this process runs; it receives ActivateRequested()
    Second  // another instance runs (and was asked to come to the front):
            // end this process at once, writing nothing
  };

  // Does not check yet: call Check(). The first form uses the program's
  // own names.
  explicit TPBJustOne(QObject* parent = nullptr);
  explicit TPBJustOne(TOptions options, QObject* parent = nullptr);
  ~TPBJustOne() override;
  TPBJustOne(const TPBJustOne&) = delete;
  TPBJustOne& operator=(const TPBJustOne&) = delete;

  // Decides whether this process is the first instance. As the first it
  // keeps the bus name or the lock and socket until destroyed. As a later one
  // it asks the first to activate; Second is answered even when that request
  // could not be delivered (LastError() says why), because two instances
  // would overwrite each other's settings. Call once.
  TResult Check();
  TResult Result() const { return result_; }
  // True when this instance serves on the session bus (not the socket).
  bool UsesBus() const { return usesBus_; }
  // What went wrong last (delivery of the request, a lock that could not be
  // created); empty when nothing did.
  const QString& LastError() const { return lastError_; }
  // The lock file and socket used by the local fallback.
  QString LockFileName() const;
  QString SocketFileName() const;
  // The items the bus object serves besides Activate (not owned; null: the
  // pokes do nothing and requests answer empty texts). Must outlive this
  // object or be reset to null first.
  void SetItems(IDdeServerItems* items) { items_ = items; }

 public Q_SLOTS:
  // Called over the bus or the socket by a later instance.
  void Activate();
  // The pokes and the request of the interface, handed to SetItems' object.
  // A request for an unknown item answers the bus with InvalidArgs.
  void SetBook(const QString& text) { Poke(QStringLiteral("SetBook"), text); }
  void SetChapter(const QString& text) { Poke(QStringLiteral("SetChapter"), text); }
  void SetVerse(const QString& text) { Poke(QStringLiteral("SetVerse"), text); }
  void Explane(const QString& text) { Poke(QStringLiteral("Explane"), text); }
  void Concordance(const QString& text) { Poke(QStringLiteral("Concordance"), text); }
  void CloseOnTop(const QString& text) { Poke(QStringLiteral("CloseOnTop"), text); }
  QString Request(const QString& item);

 Q_SIGNALS:
  // The main window shows, raises and activates itself.
  void ActivateRequested();

 private:
  // NotChecked when no bus answers, so that the caller falls back to the
  // socket.
  TResult CheckBus();
  TResult CheckLocal();
  void AcceptLocalConnection();
  QDBusConnection Bus() const;
  void Poke(const QString& item, const QString& text);

  TOptions options_;
  TResult result_ = TResult::NotChecked;
  bool usesBus_ = false;
  bool ownsBusName_ = false;
  QString lastError_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;  // child of this
  IDdeServerItems* items_ = nullptr;
};

}  // namespace lectora
