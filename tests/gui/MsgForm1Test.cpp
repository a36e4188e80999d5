#include "mainwindow/MsgForm1.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "mainwindow/CDDriveForm1.h"
#include "mainwindow/QtMessageService.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

// Runs `act` on the modal dialog once it is up; rejects it after a while
// should `act` never get to run, so that no test can hang.
void WhenModal(QDialog* dialog, const std::function<void()>& act) {
  auto poll = std::make_shared<std::function<void(int)>>();
  // Only the pending timers own the poll: a poll that held itself would leak.
  const std::weak_ptr<std::function<void(int)>> self = poll;
  *poll = [dialog, act, self](int tries) {
    if (dialog->isVisible()) {
      act();
    } else if (tries > 200) {
      dialog->reject();
    } else {
      QTimer::singleShot(10, dialog, [next = self.lock(), tries]() { (*next)(tries + 1); });
    }
  };
  QTimer::singleShot(0, dialog, [poll]() { (*poll)(0); });
}

TEST(MsgForm1, ScriptedNoticesAreRecordedWithTheMainWindowCaption) {
  QWidget mainWindow;
  mainWindow.setWindowTitle(QStringLiteral("Lectora 4.0"));
  TMsgForm1 dialog;
  dialog.SetCaptionSource(&mainWindow);
  dialog.SetScripted(true);
  dialog.ShowInfo(QStringLiteral("Файлът не е намерен"));
  ASSERT_EQ(dialog.Shown().size(), 1);
  EXPECT_EQ(dialog.Shown()[0].Text, QStringLiteral("Файлът не е намерен"));
  EXPECT_EQ(dialog.Shown()[0].Caption, QStringLiteral("Lectora 4.0"));
  EXPECT_FALSE(dialog.Shown()[0].Question);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(MsgForm1, ScriptedQuestionsTakeTheQueuedAnswersThenNo) {
  TMsgForm1 dialog;
  dialog.QueueAnswer(true);
  dialog.QueueAnswer(false);
  dialog.QueueAnswer(true);
  EXPECT_TRUE(dialog.Scripted());
  EXPECT_TRUE(dialog.AskYesNo(QStringLiteral("one")));
  EXPECT_FALSE(dialog.AskYesNo(QStringLiteral("two"), true));
  EXPECT_TRUE(dialog.AskYesNo(QStringLiteral("three")));
  EXPECT_FALSE(dialog.AskYesNo(QStringLiteral("four")));
  ASSERT_EQ(dialog.Shown().size(), 4);
  EXPECT_TRUE(dialog.Shown()[1].Question);
  EXPECT_TRUE(dialog.Shown()[1].DefaultNo);
  EXPECT_FALSE(dialog.Shown()[0].DefaultNo);
  EXPECT_EQ(dialog.Shown()[3].Text, QStringLiteral("four"));
}

struct ClickCase {
  const char* name;
  bool clickYes;
  bool defaultNo;
};

class MsgForm1Modal : public testing::TestWithParam<ClickCase> {};

TEST_P(MsgForm1Modal, TheClickedButtonIsTheAnswer) {
  const ClickCase param = GetParam();
  TMsgForm1 dialog;
  bool bothShown = false;
  bool defaultRight = false;
  WhenModal(&dialog, [&]() {
    bothShown = dialog.Button1()->isVisible() && dialog.Button2()->isVisible();
    defaultRight = (param.defaultNo ? dialog.Button2() : dialog.Button1())->isDefault();
    QTest::mouseClick(param.clickYes ? dialog.Button1() : dialog.Button2(), Qt::LeftButton);
  });
  EXPECT_EQ(dialog.AskYesNo(QStringLiteral("Сигурни ли сте?"), param.defaultNo), param.clickYes);
  EXPECT_TRUE(bothShown);
  EXPECT_TRUE(defaultRight);
  EXPECT_EQ(dialog.Label1()->text(), QStringLiteral("Сигурни ли сте?"));
  EXPECT_TRUE(dialog.Shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, MsgForm1Modal,
                         testing::Values(ClickCase{"YesDefaultYes", true, false},
                                         ClickCase{"NoDefaultYes", false, false},
                                         ClickCase{"YesDefaultNo", true, true},
                                         ClickCase{"NoDefaultNo", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MsgForm1, ANoticeShowsOnlyTheOkButton) {
  TMsgForm1 dialog;
  bool onlyOk = false;
  WhenModal(&dialog, [&]() {
    onlyOk = dialog.Button1()->isVisible() && !dialog.Button2()->isVisible() &&
             dialog.Button1()->text() == QStringLiteral("ДА");
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  dialog.ShowInfo(QStringLiteral("Готово"));
  EXPECT_TRUE(onlyOk);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(QtMessageService, CoreMessagesAreDecodedFromCyrillic) {
  auto dialog = std::make_unique<TMsgForm1>();
  dialog->SetScripted(true);
  TQtMessageService service(dialog.get());
  // "File not found: " and "Ябълка" in Windows-1251.
  service.ShowMessage("File not found: \xdf\xe1\xfa\xeb\xea\xe0");
  ASSERT_EQ(dialog->Shown().size(), 1);
  EXPECT_EQ(dialog->Shown()[0].Text, QStringLiteral("File not found: Ябълка"));
  // Once the dialog is gone messages are not lost into a dangling pointer.
  dialog.reset();
  service.ShowMessage("still safe");
}

// ---- the drive dialog ----

TEST(CDDriveForm1, ExplainsWhatIsMissing) {
  TCDDriveForm1 dialog;
  EXPECT_EQ(dialog.Label1()->text(),
            QStringLiteral("Компакт дискът с необходимите файлове не се намира в дисковото "
                           "устройство. Сложете го или посочете друго устройство, където се "
                           "намира."));
}

TEST(CDDriveForm1, RootsAreReturnedWithoutATrailingSeparator) {
  struct Case {
    const char* input;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"/media/cdrom/", "/media/cdrom"},
      {"/media/cdrom", "/media/cdrom"},
      {"/data//", "/data"},
      {"/", "/"},
      {"  /srv/bible  ", "/srv/bible"},
      {"", std::nullopt},
      {"   ", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TCDDriveForm1::NormalizedRoot(QString::fromUtf8(c.input)), c.expected) << c.input;
  }
}

TEST(CDDriveForm1, ScriptedAnswersAndPresetsAreRecorded) {
  QWidget mainWindow;
  mainWindow.setWindowTitle(QStringLiteral("Lectora 4.0"));
  TCDDriveForm1 dialog;
  dialog.SetCaptionSource(&mainWindow);
  dialog.QueueAnswer(QStringLiteral("/media/cdrom/"));
  dialog.QueueAnswer(std::nullopt);
  IDriveDialog& asked = dialog;
  EXPECT_EQ(asked.ChooseRoot("/old/root"), std::optional<std::string>("/media/cdrom"));
  EXPECT_EQ(asked.ChooseRoot(""), std::nullopt);
  EXPECT_EQ(asked.ChooseRoot("/again"), std::nullopt);  // the queue is empty: Cancel
  EXPECT_EQ(dialog.Presets(),
            QStringList({QStringLiteral("/old/root"), QString(), QStringLiteral("/again")}));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Lectora 4.0"));
}

TEST(CDDriveForm1, OkNeedsAnExistingFolderAndReturnsIt) {
  test::TempDir dir;
  TCDDriveForm1 dialog;
  bool okForMissing = true;
  bool okForFolder = false;
  WhenModal(&dialog, [&]() {
    dialog.FolderEdit()->setText(QString::fromStdString(dir.File("missing")));
    okForMissing = dialog.OkButton()->isEnabled();
    dialog.FolderEdit()->clear();
    QTest::keyClicks(dialog.FolderEdit(), QString::fromStdString(dir.Path()));
    okForFolder = dialog.OkButton()->isEnabled();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  });
  const std::optional<std::string> root = dialog.ChooseRoot("/nowhere");
  EXPECT_FALSE(okForMissing);
  EXPECT_TRUE(okForFolder);
  std::string expected = dir.Path();
  expected.pop_back();
  EXPECT_EQ(root, std::optional<std::string>(expected));
}

TEST(CDDriveForm1, CancelAnswersNothing) {
  TCDDriveForm1 dialog;
  QString preset;
  WhenModal(&dialog, [&]() {
    preset = dialog.FolderEdit()->text();
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  });
  EXPECT_EQ(dialog.ChooseRoot("/remembered"), std::nullopt);
  EXPECT_EQ(preset, QStringLiteral("/remembered"));
}

}  // namespace
}  // namespace lectora
