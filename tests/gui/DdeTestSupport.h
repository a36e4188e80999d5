// What the tests of the bus interface, the on-top viewer and the clipboard
// share: the King James sample (Genesis 1, Psalms 1-23, John 1-3) compiled
// once and copied into each test's setup folder (also as "ASV", so that a
// second translation shows the same text), a stand-in for the viewer that
// records what it is sent, and short bus calls.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "MainWindowDriver.h"
#include "support/TestSupport.h"

namespace lectora::test {

constexpr int kKingJames = 8;
constexpr int kKingJamesAsAsv = 9;

class TDdeSetup {
 public:
  TDdeSetup();
  const test::TempDir& Setup() const { return setup_; }
  // The program on the setup folder, shown and started.
  std::unique_ptr<MainWindowDriver> Start();
  // An empty file named "floatpane" in the setup folder (the viewer is then
  // "there"; the stand-in answers on the bus).
  void PutViewerFile();

 private:
  test::TempDir setup_;
  test::TempDir config_;
};

// Records every call of the viewer's interface, on a bus connection of its
// own, owning org.darsel.Floatpane while it lives.
class TFakeFloatpane : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.darsel.Floatpane.DdeServerConv1")

 public:
  TFakeFloatpane();
  ~TFakeFloatpane() override;
  bool Registered() const { return registered_; }
  // "Method" or "Method:argument", in arrival order.
  QStringList Calls;
  // The method names only.
  QStringList Methods() const;

 public Q_SLOTS:
  void SetLetters(const QString& text) { Record("SetLetters", text); }
  void SetCaption(const QString& text) { Record("SetCaption", text); }
  void SetFont(const QString& text) { Record("SetFont", text); }
  void SetFontSize(const QString& text) { Record("SetFontSize", text); }
  void SetFontCharSet(const QString& text) { Record("SetFontCharSet", text); }
  void SetText(const QString& text) { Record("SetText", text); }
  void GoToPos(const QString& text) { Record("GoToPos", text); }
  void Restore() { Record("Restore", {}); }
  void Close() { Record("Close", {}); }

 private:
  void Record(const char* method, const QString& argument);
  QString connectionName_;
  bool registered_ = false;
};

// A unique bus name for one test's server.
QString UniqueDdeServiceName();
// Calls `method` of the program's interface at `service` with `arguments`
// from connection `client`, waiting (events flow) up to 20 s.
QDBusMessage CallDde(QDBusConnection& client, const QString& service, const QString& method,
                     const QVariantList& arguments = {});

}  // namespace lectora::test
