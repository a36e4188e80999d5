// The program's player on a real recording: a few seconds of MP3 made with
// sox, played under GStreamer from one position to another, with the
// positions and the end of play arriving. Qt 6.4 lists sound outputs through
// PulseAudio and the player plays only to a listed output, so a machine
// without one (a CI container) skips the test and says so; a PulseAudio
// server with a null sink ("pulseaudio -n --load=module-null-sink
// --exit-idle-time=-1 --daemonize") is enough to run it without hardware.
#include <gtest/gtest.h>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tools/player/MediaAudioPlayer.h"

namespace lectora {
namespace {

TEST(AudioPlaybackTest, AGeneratedRecordingPlaysAStretchAndEnds) {
  if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
    GTEST_SKIP() << "sox is not installed (scripts/setup installs it)";
  }
  QTemporaryDir dir;
  const QString recording = dir.filePath(QStringLiteral("tone.mp3"));
  ASSERT_EQ(QProcess::execute(
                QStringLiteral("sox"),
                {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"),
                 QStringLiteral("-c"), QStringLiteral("1"), recording, QStringLiteral("synth"),
                 QStringLiteral("3"), QStringLiteral("sine"), QStringLiteral("440")}),
            0)
      << "sox cannot write MP3 (libsox-fmt-mp3)";
  if (QMediaDevices::audioOutputs().isEmpty()) {
    GTEST_SKIP() << "no sound output is listed (Qt 6.4 asks PulseAudio; a null sink will do)";
  }
  TMediaAudioPlayer player;
  QSignalSpy loaded(&player, &IAudioPlayer::Loaded);
  QSignalSpy ended(&player, &IAudioPlayer::PlayEnded);
  QSignalSpy positions(&player, &IAudioPlayer::PositionChanged);
  QSignalSpy errors(&player, &IAudioPlayer::Error);
  ASSERT_TRUE(player.Open(recording));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !loaded.isEmpty() || !errors.isEmpty(); }, 10000));
  if (!errors.isEmpty()) {
    GTEST_SKIP() << "the player cannot play here: " << errors[0][0].toString().toStdString();
  }
  // The length may follow the loaded state by a moment (GStreamer reports
  // the duration of an MP3 without a header once it has been measured).
  EXPECT_TRUE(QTest::qWaitFor([&] { return player.Length() > 0; }, 3000));
  EXPECT_NEAR(player.Length(), 3000, 200);
  player.Play(1000, 2000);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty() || !errors.isEmpty(); }, 10000));
  if (!errors.isEmpty()) {
    GTEST_SKIP() << "no audio output here: " << errors[0][0].toString().toStdString();
  }
  EXPECT_EQ(ended.size(), 1);
  EXPECT_FALSE(positions.isEmpty());
  EXPECT_GE(player.Position(), 1900);
  EXPECT_LE(player.Position(), 2300);
  EXPECT_FALSE(player.IsPlaying());
}

}  // namespace
}  // namespace lectora
