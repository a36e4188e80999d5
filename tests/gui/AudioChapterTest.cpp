// The chapter audio in the real program with a fake player: the speak
// command, the stretches of the marks, every move stopping and restarting
// the reading, the end of play moving every window on into the next
// chapter, the search for the chapter file with its dialog, and the
// editing mode's keys.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include "AudioFakes.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/MySpinEdit.h"
#include "store/AudioMarksFile.h"
#include "store/Bible.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/StoreSession.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/audio/AudioTool.h"
#include "tools/audio/ChapterAudio.h"
#include "tools/audio/ChapterFileFinder.h"
#include "tools/logo/LogoForm1.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;  // Genesis 1, Psalms 1-23, John 1-3
constexpr int kAmerican = 9;   // the same sample under the second folder
// Book positions in the sample modules.
constexpr int kPsalms = 2;
constexpr int kJohn = 3;

class AudioChapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    for (const char* folder : {"KJVSN", "ASV"}) {
      test::InstallSampleModule(test::kKingJamesSample, setup_.File(folder));
    }
  }

  void Start(const std::string& settings = {}) {
    if (!settings.empty()) test::WriteFile(setup_.File("lectora.ini"), settings);
    TProgram::TStartOptions options;
    options.SetupFolder = setup_.Path();
    options.ConfigHome = config_.Path();
    options.ScriptedDialogs = true;
    options.AudioPlayer = &player_;
    options.AudioFileDialog = &dialog_;
    program_ = std::make_unique<TProgram>(options);
    program_->Window().resize(900, 600);
    program_->Window().show();
    program_->Window().FormShow();
    program_->Window().OpenTranslation(kKingJames);
    // The reading waits while the logo window shows; the logo cases show it.
    program_->LogoWindow().close();
    // The test folder has no interface language files: that notice is not ours.
    program_->MessageDialog().ClearShown();
  }

  TNavigator& Navigator() { return program_->Navigator(); }
  TChapterAudio& Audio() { return program_->Audio().Audio(); }
  QAction& SpeakButton() { return program_->Actions().Get(QStringLiteral("ToolButton20")); }
  void Go(int position, int chapter, int verse) {
    Navigator().ShowPosition(position, chapter, verse, true);
  }
  void PressF2() {
    program_->Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program_->Window()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &program_->Window(), Qt::Key_F2);
  }
  bool WaitForPlays(std::size_t count) {
    return QTest::qWaitFor([&] { return player_.Plays.size() >= count; }, 3000);
  }
  // An (empty) recording in the setup folder's audio folder.
  QString Recording(const std::string& name) {
    test::WriteFile(setup_.File("Audio/" + name), "ID3");
    return QString::fromStdString(setup_.File("Audio/" + name));
  }
  // Marks of the chapter of the current place: entry base + k := marks[k-1].
  void WriteMarks(const std::vector<std::int32_t>& marks) {
    const std::int32_t base = Navigator().Place().StandardNumber - Navigator().Place().Verse;
    TAudioMarksFile(setup_.File("Audio/AudioMrk.bin")).Write(base + 1, marks);
  }

  test::TempDir setup_;
  test::TempDir config_;
  test::FakeAudioPlayer player_;
  test::ScriptedAudioFileDialog dialog_;
  std::unique_ptr<TProgram> program_;
};

TEST_F(AudioChapterTest, F2PlaysVerseOneFromTheStartAndEveryMoveStopsAndPlaysAgain) {
  const QString john3 = Recording("john3.mp3");
  Start();
  EXPECT_TRUE(SpeakButton().isEnabled());
  Go(kJohn, 3, 1);
  PressF2();
  EXPECT_TRUE(SpeakButton().isChecked());
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(player_.Path(), john3);
  EXPECT_EQ(player_.Plays[0].first, 0);
  EXPECT_EQ(player_.Plays[0].second, Audio().Marks().Mark(1));
  EXPECT_TRUE(player_.IsPlaying());

  // A move while the verse plays: the player stops before the windows move.
  int stopsAtMove = -1;
  QObject::connect(&Navigator(), &TNavigator::PlaceChanged, &program_->Window(),
                   [&] { stopsAtMove = player_.Stops; });
  Go(kJohn, 3, 16);
  EXPECT_EQ(stopsAtMove, 1);
  ASSERT_TRUE(WaitForPlays(2));
  EXPECT_EQ(player_.Plays[1].first, Audio().Marks().Mark(15));
  EXPECT_GT(player_.Plays[1].first, 0);
  EXPECT_EQ(player_.Opened.size(), 1);  // the same chapter file stays open

  // F2 again stops the reading; moves then play nothing.
  PressF2();
  EXPECT_FALSE(SpeakButton().isChecked());
  EXPECT_FALSE(player_.IsPlaying());
  Go(kJohn, 3, 17);
  QTest::qWait(30);
  EXPECT_EQ(player_.Plays.size(), 2u);
}

TEST_F(AudioChapterTest, EndOfPlayMovesEveryWindowOnIntoTheNextChapter) {
  Recording("john2.mp3");
  const QString john3 = Recording("john3.mp3");
  Start();
  program_->Window().OpenTranslation(kAmerican);
  ASSERT_EQ(program_->Window().BibleWindows().size(), 2u);
  Go(kJohn, 2, 24);
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  player_.FinishStretch();
  EXPECT_EQ(Navigator().Place().Chapter, 2);
  EXPECT_EQ(Navigator().Place().Verse, 25);
  for (TBibleForm1* window : program_->Window().BibleWindows()) {
    EXPECT_EQ(window->ShownChapter(), 2);
    EXPECT_EQ(window->ShownVerse(), 25);
  }
  ASSERT_TRUE(WaitForPlays(2));
  player_.FinishStretch();
  EXPECT_EQ(Navigator().Place().Chapter, 3);
  EXPECT_EQ(Navigator().Place().Verse, 1);
  for (TBibleForm1* window : program_->Window().BibleWindows()) {
    EXPECT_EQ(window->ShownChapter(), 3);
    EXPECT_EQ(window->ShownVerse(), 1);
  }
  ASSERT_TRUE(WaitForPlays(3));
  EXPECT_EQ(player_.Path(), john3);
  EXPECT_EQ(player_.Plays[2].first, 0);
  // A stretch stopped by a move does not move on when its end arrives late.
  Go(kJohn, 3, 5);
  ASSERT_TRUE(WaitForPlays(4));
  Go(kJohn, 3, 9);
  player_.FinishStretch();
  EXPECT_EQ(Navigator().Place().Verse, 9);
  ASSERT_TRUE(WaitForPlays(5));
  player_.FinishStretch();
  EXPECT_EQ(Navigator().Place().Verse, 10);
}

TEST_F(AudioChapterTest, TheLogoWindowSuspendsTheReadingAndItsSoundIsNotAVerse) {
  const QString john3 = Recording("john3.mp3");
  test::WriteFile(setup_.File("Beg1.wav"), "RIFF");
  const QString chime = QString::fromStdString(setup_.File("Beg1.wav"));
  Start();
  Go(kJohn, 3, 1);
  program_->Actions().Get(QStringLiteral("Logo1")).trigger();
  ASSERT_TRUE(program_->LogoWindow().isVisible());
  SpeakButton().setChecked(true);
  ASSERT_TRUE(WaitForPlays(1));
  // The chime, not a verse: the reading waits for the window.
  EXPECT_EQ(player_.Path(), chime);
  EXPECT_EQ(player_.Plays[0], std::make_pair(qint64{0}, qint64{-1}));
  // A failure of the chime is not the reading's: the command stays on.
  Q_EMIT player_.Error(QStringLiteral("no such sound"));
  EXPECT_TRUE(SpeakButton().isChecked());
  // The chime's end closes the window; the reading then starts where the
  // reader is, without a move.
  player_.FinishStretch();
  EXPECT_FALSE(program_->LogoWindow().isVisible());
  ASSERT_TRUE(WaitForPlays(2));
  EXPECT_EQ(Navigator().Place().Verse, 1);
  EXPECT_EQ(player_.Path(), john3);
  EXPECT_EQ(player_.Plays[1], std::make_pair(qint64{0}, qint64{Audio().Marks().Mark(1)}));

  // The window shown while a verse plays leaves the player alone; the
  // verse's end closes it and the reading goes on.
  program_->Actions().Get(QStringLiteral("Logo1")).trigger();
  ASSERT_TRUE(program_->LogoWindow().isVisible());
  QTest::qWait(5 * TLogoForm1::kSoundDelayMs);
  EXPECT_EQ(player_.Path(), john3);
  player_.FinishStretch();
  EXPECT_FALSE(program_->LogoWindow().isVisible());
  EXPECT_EQ(Navigator().Place().Verse, 2);
  ASSERT_TRUE(WaitForPlays(3));
  EXPECT_EQ(player_.Plays.back().first, Audio().Marks().Mark(1));
  EXPECT_EQ(player_.Opened.size(), 2);
}

TEST_F(AudioChapterTest, ExactMarksGiveTheStretchesAndTheLimeField) {
  Recording("john3.mp3");
  Start("[MainWindow]\r\nAudioFix=1\r\n");
  Go(kJohn, 3, 1);
  // Verses 1..35 end at k seconds, verse 20 "ends" before it starts, the
  // last verse has no mark.
  std::vector<std::int32_t> marks;
  for (int k = 1; k <= 35; ++k) marks.push_back(k * 1000);
  marks[19] = 500;
  WriteMarks(marks);
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(player_.Plays[0], std::make_pair(qint64{0}, qint64{1000}));
  auto* field = program_->Window().findChild<TMySpinEdit*>(QStringLiteral("MySpinEdit1"));
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(field->isVisibleTo(&program_->Window()));
  EXPECT_TRUE(field->property("exactMarks").toBool());
  EXPECT_EQ(field->palette().color(QPalette::Base), QColor(0, 255, 0));
  const struct {
    int Verse;
    qint64 From, To;
  } cases[] = {{2, 1000, 2000}, {20, 19000, -1}, {21, 500, 21000}, {36, 35000, -1}};
  for (const auto& c : cases) {
    const std::size_t before = player_.Plays.size();
    Go(kJohn, 3, c.Verse);
    ASSERT_TRUE(WaitForPlays(before + 1));
    EXPECT_EQ(player_.Plays.back(), std::make_pair(c.From, c.To)) << "verse " << c.Verse;
    EXPECT_EQ(field->Value(), c.From);
  }
}

TEST_F(AudioChapterTest, WithoutMarksTheStretchesFollowTheChapterShown) {
  Recording("john3.mp3");
  Start();
  Go(kJohn, 3, 2);
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  const TBibleForm1* window = program_->Window().ActiveBibleWindow();
  ASSERT_EQ(window->ShownVerseCount(), 36);
  const auto& ends = window->VerseEnds();
  const double span = ends[36] - ends[0];
  ASSERT_GT(span, 1000);  // the real chapter's text
  const TAudioMarks& marks = Audio().Marks();
  ASSERT_EQ(marks.VerseCount(), 36);
  for (int k : {1, 2, 16, 35}) {
    EXPECT_NEAR(marks.Mark(k), (ends[k] - ends[0]) / span * 60000.0, 0.51) << "verse " << k;
    EXPECT_LT(marks.Mark(k - 1), marks.Mark(k));
  }
  EXPECT_EQ(marks.Mark(36), 60000);
  EXPECT_EQ(player_.Plays[0], std::make_pair(qint64{marks.Mark(1)}, qint64{marks.Mark(2)}));
  EXPECT_FALSE(program_->Window()
                   .findChild<TMySpinEdit*>(QStringLiteral("MySpinEdit1"))
                   ->property("exactMarks")
                   .toBool());
}

TEST_F(AudioChapterTest, AChosenBulgarianStyleFileMovesTheAudioFolderAboveItsBookFolder) {
  test::TempDir sound;
  test::WriteFile(sound.File("19 - Psalmi/Psalom 023.mp3"), "ID3");
  test::WriteFile(sound.File("19 - Psalmi/Psalom 022.mp3"), "ID3");
  Start();
  Go(kPsalms, 23, 1);
  dialog_.Answers = {QString::fromStdString(sound.File("19 - Psalmi/Psalom 023.mp3"))};
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(dialog_.Calls, 1);
  EXPECT_EQ(dialog_.FileName, QStringLiteral("psalms23.mp3"));
  EXPECT_EQ(dialog_.Filter, QStringLiteral("Audio files (*.mp3)|*.mp3"));
  EXPECT_EQ(dialog_.Folder, QString::fromStdString(setup_.File("Audio/")));
  EXPECT_EQ(program_->Audio().Finder().AudioFolder(),
            QDir(QString::fromStdString(sound.Path())).absolutePath() + QLatin1Char('/'));
  // The next chapter is found there without asking.
  Go(kPsalms, 22, 1);
  ASSERT_TRUE(WaitForPlays(2));
  EXPECT_EQ(dialog_.Calls, 1);
  EXPECT_TRUE(player_.Path().endsWith(QStringLiteral("19 - Psalmi/Psalom 022.mp3")));

  // An English-style file elsewhere: its own folder becomes the audio folder.
  test::TempDir other;
  test::WriteFile(other.File("john1.mp3"), "ID3");
  dialog_.Answers = {QString::fromStdString(other.File("john1.mp3"))};
  Go(kJohn, 1, 1);
  ASSERT_TRUE(WaitForPlays(3));
  EXPECT_EQ(program_->Audio().Finder().AudioFolder(),
            QDir(QString::fromStdString(other.Path())).absolutePath() + QLatin1Char('/'));
}

TEST_F(AudioChapterTest, NoFileAndNoDownloadReleasesTheSpeakButton) {
  Start();
  Go(kJohn, 3, 1);
  // No server is set: the dialog is cancelled and nothing is asked.
  SpeakButton().trigger();
  EXPECT_EQ(dialog_.Calls, 1);
  EXPECT_FALSE(SpeakButton().isChecked());
  EXPECT_TRUE(program_->MessageDialog().Shown().isEmpty());
  // With a server the download is offered; declined, the button is released.
  program_->Session().Settings().Ini().WriteString("MainWindow", "AudioURL", "http://127.0.0.1:9");
  program_->MessageDialog().QueueAnswer(false);
  SpeakButton().trigger();
  EXPECT_FALSE(SpeakButton().isChecked());
  ASSERT_EQ(program_->MessageDialog().Shown().size(), 1);
  EXPECT_TRUE(program_->MessageDialog().Shown()[0].Question);
  EXPECT_FALSE(program_->MessageDialog().Shown()[0].Text.isEmpty());
  EXPECT_FALSE(program_->MessageDialog().Shown()[0].DefaultNo);
  EXPECT_TRUE(player_.Plays.empty());
}

TEST_F(AudioChapterTest, AnInstalledTranslationThreeNamesTheFilesByItsOwnBookPositions) {
  // The sample as module "38": John is its third book, so John 3 is looked
  // for under the names of position 3.
  test::InstallSampleModule(test::kKingJamesSample, setup_.File("38"));
  const QString third = Recording("leviticus3.mp3");
  Recording("john3.mp3");
  Start();
  Go(kJohn, 3, 2);
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(player_.Path(), third);
  EXPECT_EQ(Audio().Marks().VerseCount(), 36);
}

TEST_F(AudioChapterTest, AFileThatCannotBePlayedGivesOneNotice) {
  Recording("john3.mp3");
  player_.FailOpen = true;
  Start();
  Go(kJohn, 3, 1);
  SpeakButton().trigger();
  EXPECT_FALSE(SpeakButton().isChecked());
  SpeakButton().trigger();
  ASSERT_EQ(program_->MessageDialog().Shown().size(), 1);
  EXPECT_TRUE(program_->MessageDialog().Shown()[0].Text.contains(QStringLiteral("john3.mp3")));
  EXPECT_TRUE(player_.Plays.empty());
}

TEST_F(AudioChapterTest, AFileStillLoadingPlaysOnceItsLengthIsKnown) {
  Recording("john3.mp3");
  player_.LoadLater = true;
  Start();
  Go(kJohn, 3, 3);
  SpeakButton().trigger();
  QTest::qWait(30);
  EXPECT_TRUE(player_.Plays.empty());
  Go(kJohn, 3, 4);  // a move while loading plays the new place
  player_.FinishLoading();
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(player_.Plays[0].first, Audio().Marks().Mark(3));
  EXPECT_EQ(Audio().Marks().Mark(36), 60000);
}

TEST_F(AudioChapterTest, ALengthLearnedOnlyWhilePlayingIsEstimatedThen) {
  Recording("john3.mp3");
  // Loaded comes with the length still unknown, as Qt 6.4's GStreamer
  // back end reports it for an MP3 until it plays.
  player_.LoadLater = true;
  player_.LengthLater = true;
  Start();
  Go(kJohn, 3, 1);
  SpeakButton().trigger();
  player_.FinishLoading();
  ASSERT_TRUE(WaitForPlays(1));
  // Without the length the first verse plays on, rather than for no time.
  EXPECT_EQ(player_.Plays[0], std::make_pair(qint64{0}, qint64{-1}));
  player_.LengthLater = false;
  player_.FinishStretch();
  ASSERT_TRUE(WaitForPlays(2));
  EXPECT_EQ(Audio().Marks().Mark(36), 60000);
  EXPECT_GT(player_.Plays[1].first, 0);
  EXPECT_EQ(player_.Plays[1].first, Audio().Marks().Mark(1));
  EXPECT_EQ(player_.Plays[1].second, Audio().Marks().Mark(2));
}

TEST_F(AudioChapterTest, EditingKeysSetTheMarksAndTheyAreWrittenBack) {
  Recording("john3.mp3");
  Recording("john2.mp3");
  Start("[MainWindow]\r\nAudioFix=1\r\n");
  Go(kJohn, 3, 1);
  const std::int32_t base = Navigator().Place().StandardNumber - 1;
  auto* field = program_->Window().findChild<TMySpinEdit*>(QStringLiteral("MySpinEdit1"));
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  // B: verse 1 ends here, on to verse 2, which starts there.
  player_.SetPosition(1234);
  QTest::keyClick(field, Qt::Key_B);
  EXPECT_EQ(Navigator().Place().Verse, 2);
  ASSERT_TRUE(WaitForPlays(2));
  EXPECT_EQ(player_.Plays.back().first, 1234);
  // A: verse 2 starts at the player's position instead.
  player_.SetPosition(1500);
  QTest::keyClick(field, Qt::Key_A);
  ASSERT_TRUE(WaitForPlays(3));
  EXPECT_EQ(player_.Plays.back().first, 1500);
  // Another chapter file: the changed marks are written back.
  Go(kJohn, 2, 1);
  ASSERT_TRUE(WaitForPlays(4));
  std::vector<std::int32_t> entries;
  TAudioMarksFile(setup_.File("Audio/AudioMrk.bin")).Read(base + 1, 36, entries);
  EXPECT_EQ(entries[0], 1500);
  EXPECT_EQ(entries[35], 60000);  // the last verse ends with the file
  // Escape: the verse total and the standard number.
  QTest::keyClick(field, Qt::Key_Escape);
  ASSERT_FALSE(program_->MessageDialog().Shown().isEmpty());
  EXPECT_EQ(program_->MessageDialog().Shown().back().Text,
            QStringLiteral("%1 %2")
                .arg(program_->Active().Bible()->VerseTotal)
                .arg(Navigator().Place().StandardNumber));
  // Enter, answered yes: a record is inserted at the current standard number.
  program_->MessageDialog().QueueAnswer(true);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(program_->MessageDialog().Shown().back().DefaultNo);
  EXPECT_EQ(std::filesystem::file_size(setup_.File("Audio/AudioMrk.bin")),
            (TAudioMarksFile::kLastShiftedEntry + 1) * 4u);
  // C, answered yes: the next chapter's marks are estimated afresh.
  program_->MessageDialog().QueueAnswer(true);
  QTest::keyClick(field, Qt::Key_C);
  EXPECT_TRUE(Audio().Marks().ReEstimate);
}

TEST_F(AudioChapterTest, SpeakAndTheAudioFolderSurviveARestart) {
  test::TempDir other;
  test::WriteFile(other.File("john3.mp3"), "ID3");
  Start();
  EXPECT_FALSE(program_->Window()
                   .findChild<TMySpinEdit*>(QStringLiteral("MySpinEdit1"))
                   ->isVisibleTo(&program_->Window()));
  Go(kJohn, 3, 1);
  dialog_.Answers = {QString::fromStdString(other.File("john3.mp3"))};
  SpeakButton().trigger();
  ASSERT_TRUE(WaitForPlays(1));
  program_->Window().close();
  program_.reset();
  const TMyIniFile ini(setup_.File("lectora.ini"), true);
  EXPECT_TRUE(ini.ReadBool("MainWindow", "Speak", false));
  EXPECT_EQ(ini.ReadString("MainWindow", "AudioPath", ""),
            QDir(QString::fromStdString(other.Path())).absolutePath().toStdString() + "/");
  player_.Plays.clear();
  Start();
  EXPECT_TRUE(SpeakButton().isChecked());
  // The reading goes on at the last run's place, from the stored folder.
  ASSERT_TRUE(WaitForPlays(1));
  EXPECT_EQ(dialog_.Calls, 1);
}

}  // namespace
}  // namespace lectora
