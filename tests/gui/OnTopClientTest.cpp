// The on-top viewer as the reader drives it: the connect command with a
// stand-in viewer on the bus (what it is sent, in order, and "Restore" on a
// second connect), switching windows sending the other window's chapter,
// the viewer leaving the bus, a missing viewer program, CloseOnTop, and the
// real floatpane started on demand and found again after the reader's
// restart. Runs on a private session bus (ctest gui_tests_dde).
#include <gtest/gtest.h>

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <filesystem>

#include "DdeTestSupport.h"
#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/QtText.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "navigation/Navigator.h"
#include "store/IniFile.h"
#include "tools/dde/DdeServer.h"
#include "tools/dde/OnTopClient.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

const QStringList kChapterItems = {QStringLiteral("SetLetters"),     QStringLiteral("SetCaption"),
                                   QStringLiteral("SetFont"),        QStringLiteral("SetFontSize"),
                                   QStringLiteral("SetFontCharSet"), QStringLiteral("SetText"),
                                   QStringLiteral("GoToPos"),        QStringLiteral("GoToPos")};

bool ServiceThere() {
  return QDBusConnection::sessionBus()
      .interface()
      ->isServiceRegistered(QStringLiteral("org.darsel.Floatpane"))
      .value();
}

class DdeDBusOnTop : public testing::Test {
 protected:
  void SetUp() override {
    if (!QDBusConnection::sessionBus().isConnected()) {
      GTEST_SKIP() << "no session bus; ctest runs these under dbus-run-session";
    }
  }
  void ViewWindow1() { window_->Program().Actions().Get(QStringLiteral("ViewWindow1")).trigger(); }
  // Waits until the stand-in has `count` calls.
  bool WaitForCalls(const test::TFakeFloatpane& fake, qsizetype count) {
    return QTest::qWaitFor([&] { return fake.Calls.size() >= count; }, 5000);
  }
  TOnTopClient& OnTop() { return window_->Program().OnTop(); }

  test::TDdeSetup setup_;
  std::unique_ptr<test::MainWindowDriver> window_;
};

TEST_F(DdeDBusOnTop, ConnectSendsTheActiveChapterAndASecondConnectSendsRestore) {
  test::TFakeFloatpane fake;
  ASSERT_TRUE(fake.Registered());
  setup_.PutViewerFile();
  window_ = setup_.Start();
  window_->OpenTranslation(test::kKingJames);
  window_->Program().Navigator().GoToReference("Psalms 3:5");
  ViewWindow1();
  EXPECT_TRUE(OnTop().Connected());
  ASSERT_TRUE(WaitForCalls(fake, kChapterItems.size()));
  EXPECT_EQ(fake.Methods(), kChapterItems);
  TBibleForm1* active = window_->ActiveBibleWindow();
  EXPECT_EQ(fake.Calls[1], QStringLiteral("SetCaption:") + active->windowTitle());
  EXPECT_EQ(fake.Calls[4], QStringLiteral("SetFontCharSet:0"));
  EXPECT_TRUE(fake.Calls[5].contains(QStringLiteral("I laid me down")));
  EXPECT_TRUE(fake.Calls[5].contains(QStringLiteral("\r\n")));
  // The passage of verse 5: from the end of verse 4 to the end of verse 5.
  EXPECT_EQ(fake.Calls[6], QStringLiteral("GoToPos:%1").arg(active->VerseEnds()[4]));
  EXPECT_EQ(fake.Calls[7], QStringLiteral("GoToPos:%1").arg(active->VerseEnds()[5]));
  fake.Calls.clear();
  ViewWindow1();
  ASSERT_TRUE(WaitForCalls(fake, 1));
  QTest::qWait(50);
  EXPECT_EQ(fake.Calls, QStringList{QStringLiteral("Restore")});
}

TEST_F(DdeDBusOnTop, EveryMoveAndEveryWindowSwitchSendsTheActiveWindowAgain) {
  test::TFakeFloatpane fake;
  setup_.PutViewerFile();
  window_ = setup_.Start();
  window_->OpenTranslation(test::kKingJames);
  window_->OpenTranslation(test::kKingJamesAsAsv);
  ViewWindow1();
  ASSERT_TRUE(WaitForCalls(fake, kChapterItems.size()));
  fake.Calls.clear();
  window_->Program().Navigator().GoToReference("John 3:16");
  ASSERT_TRUE(WaitForCalls(fake, kChapterItems.size()));
  QTest::qWait(50);
  EXPECT_EQ(fake.Methods(), kChapterItems) << "only the active window sends";
  // The other window becomes active: its caption, font, text and place.
  fake.Calls.clear();
  QMdiArea& area = window_->WindowArea();
  QMdiSubWindow* other = area.subWindowList().front() == area.activeSubWindow()
                             ? area.subWindowList().back()
                             : area.subWindowList().front();
  area.setActiveSubWindow(other);
  ASSERT_TRUE(WaitForCalls(fake, kChapterItems.size()));
  EXPECT_EQ(fake.Methods().mid(0, 8), kChapterItems);
  EXPECT_EQ(fake.Calls[1], QStringLiteral("SetCaption:") + other->widget()->windowTitle());
}

TEST_F(DdeDBusOnTop, TheConnectionEndsWhenTheViewerLeavesTheBusOrOnCloseOnTop) {
  setup_.PutViewerFile();
  window_ = setup_.Start();
  window_->OpenTranslation(test::kKingJames);
  {
    test::TFakeFloatpane fake;
    ViewWindow1();
    ASSERT_TRUE(OnTop().Connected());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return !OnTop().Connected(); }, 5000));
  test::TFakeFloatpane fake;
  ViewWindow1();
  ASSERT_TRUE(OnTop().Connected());
  window_->Program().DdeServer().Poke(QStringLiteral("CloseOnTop"), QString());
  EXPECT_FALSE(OnTop().Connected());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fake.Calls.contains(QStringLiteral("Close")); }, 5000));
}

TEST_F(DdeDBusOnTop, AMissingViewerIsAnnouncedAndNothingIsRemembered) {
  test::TFakeFloatpane fake;  // on the bus, but no program in the setup folder
  window_ = setup_.Start();
  window_->OpenTranslation(test::kKingJames);
  TMsgForm1& messages = window_->Program().MessageDialog();
  messages.ClearShown();
  ViewWindow1();
  EXPECT_FALSE(OnTop().Connected());
  ASSERT_EQ(messages.Shown().size(), 1);
  EXPECT_EQ(messages.Shown().front().Text,
            DecodeCharset(window_->Program().Texts().Translate("OnTopNotFound"), 204));
  window_->close();
  const TMyIniFile ini(setup_.Setup().File("lectora.ini"), true);
  EXPECT_FALSE(ini.ReadBool("MainWindow", "IsFloatpane", true));
}

TEST_F(DdeDBusOnTop, TheViewerProgramIsStartedOnDemandAndFoundAgainAfterARestart) {
  ASSERT_FALSE(ServiceThere());
  test::TempDir config;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path()));
  fs::create_symlink(LECTORA_FLOATPANE_PATH, setup_.Setup().File("floatpane"));
  window_ = setup_.Start();
  window_->OpenTranslation(test::kKingJames);
  ViewWindow1();
  EXPECT_TRUE(OnTop().Starting());
  ASSERT_TRUE(QTest::qWaitFor([&] { return OnTop().Connected(); }, 10000));
  EXPECT_TRUE(ServiceThere());
  window_->close();
  window_.reset();
  // The next start connects the viewer that is still running.
  window_ = setup_.Start();
  EXPECT_TRUE(OnTop().Connected());
  EXPECT_FALSE(OnTop().Starting()) << "no second viewer";
  window_->Program().DdeServer().Poke(QStringLiteral("CloseOnTop"), QString());
  EXPECT_TRUE(QTest::qWaitFor([] { return !ServiceThere(); }, 10000)) << "the viewer ended";
  qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace lectora
