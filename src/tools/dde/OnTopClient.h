// The client of the on-top viewer "floatpane" (service org.darsel.Floatpane,
// interface org.darsel.Floatpane.DdeServerConv1 on the session bus): the
// connect command (ViewWindow1, and at start when "IsFloatpane" was stored),
// the pokes of the active Bible window, "Restore" and the close. The viewer
// is started from the setup folder when it is not on the bus, and waited for
// with a QDBusServiceWatcher and a timeout, so the reader never blocks on it;
// every call to the viewer is sent without waiting for an answer.
// `Connected` (OnTopConnected) follows the viewer's presence on the bus: it
// ends when the viewer leaves the bus, by CloseOnTop, or with the program.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "tools/dde/OnTopLink.h"

class QDBusServiceWatcher;

namespace lectora {

class TOnTopClient : public QObject, public IOnTopLink {
  Q_OBJECT

 public:
  struct TOptions {
    QString ServiceName = QStringLiteral("org.darsel.Floatpane");
    QString ObjectPath = QStringLiteral("/Floatpane");
    // Empty: the shared session-bus connection (tests give their own).
    QString BusConnectionName;
    // How long a started viewer may take to appear on the bus.
    int StartTimeoutMs = 10000;
  };

  // The viewer is `setupFolder` + "floatpane".
  explicit TOnTopClient(const QString& setupFolder, QObject* parent = nullptr);
  TOnTopClient(const QString& setupFolder, TOptions options, QObject* parent = nullptr);
  ~TOnTopClient() override;

  // Shows the interface text "OnTopNotFound" (set by the program).
  std::function<void()> NotFound;
  // Sends the active Bible window's chapter and verse position (set by the
  // program; called whenever the viewer has just been connected).
  std::function<void()> SendActive;

  // The connect command: a missing viewer program is announced (NotFound)
  // and nothing else happens; a connected viewer gets "Restore"; otherwise
  // the viewer is connected, started first when it is not on the bus.
  // Without a session bus nothing happens.
  void Connect();
  // Sends "Restore" (the viewer comes forward) when connected.
  void Restore();
  // Ends the connection; the viewer is asked to close ("Close").
  void Close();
  QString ProgramFile() const { return programFile_; }
  // True while a started viewer is awaited.
  bool Starting() const { return startTimer_.isActive(); }

  // ---- IOnTopLink ----
  bool Connected() const override { return connected_; }
  void Poke(const QString& item, const QString& text) override;

 Q_SIGNALS:
  // OnTopConnected changed.
  void ConnectedChanged(bool connected);

 private:
  QDBusConnection Bus() const;
  void SetConnected(bool connected);
  void ServiceRegistered();
  void ServiceUnregistered();
  // Sends `method` with `arguments` and forgets it.
  void Send(const QString& method, const QVariantList& arguments);

  TOptions options_;
  QString programFile_;
  bool connected_ = false;
  QDBusServiceWatcher* watcher_ = nullptr;  // child of this
  QTimer startTimer_;
};

}  // namespace lectora
