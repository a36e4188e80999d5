// The logo window of the real program with a fake player: shown at start
// while option 9 is on and the setup folder can be written, its check box
// the inverse of option 9, the start sound "Beg1.wav" played and stopped,
// closing on a click or a key, modal from the Help menu; the version text;
// and the Qt Multimedia player's refusals that need no sound device.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AudioFakes.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/MyCheckBox.h"
#include "settings/OptionValues.h"
#include "store/IniFile.h"
#include "support/TestSupport.h"
#include "tools/logo/LogoForm1.h"
#include "tools/player/IAudioPlayer.h"
#include "tools/player/MediaAudioPlayer.h"

namespace lectora {
namespace {

class LogoForm1Test : public ::testing::Test {
 protected:
  void SetUp() override { test::CopySharedData(setup_.Path()); }

  void Start(bool readOnly = false) {
    TProgram::TStartOptions options;
    options.SetupFolder = setup_.Path();
    options.ConfigHome = config_.Path();
    options.ScriptedDialogs = true;
    options.ReadOnlySetup = readOnly;
    options.AudioPlayer = &player_;
    program_ = std::make_unique<TProgram>(options);
    program_->Window().resize(900, 600);
    program_->Window().show();
    program_->Window().FormShow();
  }
  // The sound starts a moment after the window is shown.
  void WaitForSound() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return !player_.Opened.empty(); }, 2000));
  }
  void Stop() {
    program_->Window().close();
    program_.reset();
  }
  void InstallSound() { test::WriteFile(setup_.File("Beg1.wav"), "RIFF, as far as a fake knows"); }
  TLogoForm1& Logo() { return program_->LogoWindow(); }
  TMyCheckBox& CheckBox() { return *Logo().findChild<TMyCheckBox*>(QStringLiteral("MyCheckBox1")); }
  bool ShowAbout() { return program_->Options().GetOption(TOptionValues::kShowAbout); }

  test::TempDir setup_;
  test::TempDir config_;
  // Outlives the program, which holds it.
  test::FakeAudioPlayer player_;
  std::unique_ptr<TProgram> program_;
};

TEST_F(LogoForm1Test, TheCheckBoxIsTheInverseOfOption9) {
  Start();
  ASSERT_TRUE(Logo().isVisible());
  EXPECT_TRUE(ShowAbout());
  EXPECT_FALSE(CheckBox().isChecked());
  QTest::mouseClick(&CheckBox(), Qt::LeftButton, {}, QPoint(4, CheckBox().height() / 2));
  EXPECT_TRUE(CheckBox().isChecked());
  EXPECT_FALSE(ShowAbout());
  QTest::mouseClick(&CheckBox(), Qt::LeftButton, {}, QPoint(4, CheckBox().height() / 2));
  EXPECT_TRUE(ShowAbout());
  // Ticked, it keeps the window away at the next start.
  QTest::mouseClick(&CheckBox(), Qt::LeftButton, {}, QPoint(4, CheckBox().height() / 2));
  Stop();
  EXPECT_EQ(TMyIniFile(setup_.File("lectora.ini"), true).ReadBool("MainWindow", "ShowAbout", true),
            false);
  Start();
  EXPECT_FALSE(Logo().isVisible());
  // Shown from the menu, the box shows the option as it stands.
  program_->Actions().Get(QStringLiteral("Logo1")).trigger();
  EXPECT_TRUE(Logo().isVisible());
  EXPECT_TRUE(CheckBox().isChecked());
  program_->Options().SetOption(TOptionValues::kShowAbout, true);
  Logo().close();
  program_->Actions().Get(QStringLiteral("Logo1")).trigger();
  EXPECT_FALSE(CheckBox().isChecked());
}

TEST_F(LogoForm1Test, NotShownAtStartFromAFolderThatCannotBeWritten) {
  InstallSound();
  Start(true);
  EXPECT_FALSE(Logo().isVisible());
  QTest::qWait(5 * TLogoForm1::kSoundDelayMs);
  EXPECT_TRUE(player_.Opened.empty());
}

TEST_F(LogoForm1Test, TheStartSoundPlaysAndItsEndClosesTheWindow) {
  InstallSound();
  Start();
  ASSERT_TRUE(Logo().isVisible());
  EXPECT_TRUE(player_.Opened.empty());  // not before the windows are painted
  WaitForSound();
  ASSERT_EQ(player_.Opened.size(), 1u);
  EXPECT_EQ(player_.Opened[0], QString::fromStdString(setup_.File("Beg1.wav")));
  EXPECT_EQ(player_.Plays, (std::vector<std::pair<qint64, qint64>>{{0, -1}}));
  EXPECT_TRUE(Logo().SoundStarted());
  player_.FinishStretch();
  EXPECT_FALSE(Logo().isVisible());
  EXPECT_EQ(player_.Stops, 1);
  EXPECT_EQ(player_.Closes, 1);
  EXPECT_FALSE(Logo().SoundStarted());
}

TEST_F(LogoForm1Test, AKeyClosesTheWindowAndStopsItsSound) {
  InstallSound();
  Start();
  ASSERT_TRUE(Logo().isVisible());
  WaitForSound();
  QTest::keyClick(&Logo(), Qt::Key_Escape);
  EXPECT_FALSE(Logo().isVisible());
  EXPECT_FALSE(player_.IsPlaying());
  EXPECT_EQ(player_.Closes, 1);
}

TEST_F(LogoForm1Test, ClosedBeforeTheSoundBeginsTheSoundNeverBegins) {
  InstallSound();
  Start();
  QTest::keyClick(&Logo(), Qt::Key_Return);
  EXPECT_FALSE(Logo().isVisible());
  QTest::qWait(5 * TLogoForm1::kSoundDelayMs);
  EXPECT_TRUE(player_.Opened.empty());
}

TEST_F(LogoForm1Test, AClickOnTheWindowOrALabelClosesItAndTheSoundPlaysOn) {
  InstallSound();
  Start();
  WaitForSound();
  for (const char* target : {"LogoForm1", "Label1", "Label4"}) {
    SCOPED_TRACE(target);
    if (!Logo().isVisible()) program_->Actions().Get(QStringLiteral("Logo1")).trigger();
    ASSERT_TRUE(Logo().isVisible());
    QWidget* widget = Logo().objectName() == QLatin1String(target)
                          ? static_cast<QWidget*>(&Logo())
                          : Logo().findChild<QLabel*>(QString::fromLatin1(target));
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(Logo().isVisible());
    EXPECT_TRUE(player_.IsPlaying());
  }
  EXPECT_EQ(player_.Stops, 0);
  // The sound was still playing: showing the window again did not restart it.
  EXPECT_EQ(player_.Opened.size(), 1u);
}

TEST_F(LogoForm1Test, ThePlayerInUseIsLeftAlone) {
  InstallSound();
  player_.SetPlaying(true);  // the chapter audio, say
  Start();
  ASSERT_TRUE(Logo().isVisible());
  QTest::qWait(5 * TLogoForm1::kSoundDelayMs);
  EXPECT_TRUE(player_.Opened.empty());
  // Its end is not the logo's to react to; a key closes only the window.
  player_.FinishStretch();
  EXPECT_TRUE(Logo().isVisible());
  player_.SetPlaying(true);
  QTest::keyClick(&Logo(), Qt::Key_Space);
  EXPECT_FALSE(Logo().isVisible());
  EXPECT_TRUE(player_.IsPlaying());
  EXPECT_EQ(player_.Closes, 0);
}

TEST_F(LogoForm1Test, Logo1ShowsTheWindowModally) {
  Start();
  Logo().close();
  program_->Actions().Get(QStringLiteral("Logo1")).trigger();
  EXPECT_TRUE(Logo().isVisible());
  EXPECT_EQ(Logo().windowModality(), Qt::ApplicationModal);
  EXPECT_TRUE(Logo().windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(CheckBox().accessibleName().isEmpty());
}

TEST(LogoVersionText, FromTheBuildsVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "X.X.X"}, {"0.1.0", "0.1.0"}, {"4.3.0.0", "4.3.0"}, {"2", "2"}, {"1.2", "1.2"}};
  for (const auto& [version, text] : cases) {
    EXPECT_EQ(TLogoForm1::VersionText(version), QString::fromLatin1(text)) << version;
  }
  // The build gives its project version; the label shows it.
  const QString shown = TLogoForm1::VersionText(TLogoForm1::BuildVersion());
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(shown).hasMatch())
      << shown.toStdString();
}

TEST(MediaAudioPlayer, RefusesWhatItCannotPlayWithoutTouchingTheSoundSystem) {
  TMediaAudioPlayer player;
  QSignalSpy errors(&player, &IAudioPlayer::Error);
  QSignalSpy ended(&player, &IAudioPlayer::PlayEnded);
  const test::TempDir folder;
  const QString missing = QString::fromStdString(folder.File("none.wav"));
  EXPECT_FALSE(player.Open(missing));
  EXPECT_FALSE(player.Open(QString::fromStdString(folder.Path())));  // a folder
  EXPECT_FALSE(player.IsOpen());
  player.Play(0, 100);
  EXPECT_FALSE(player.IsPlaying());
  ASSERT_EQ(errors.count(), 3);
  EXPECT_TRUE(errors[0][0].toString().contains(missing));
  EXPECT_EQ(player.Length(), 0);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(ended.count(), 0);
}

}  // namespace
}  // namespace lectora
