// The program's player on a real recording under GStreamer: a few seconds
// of MP3 made with sox, its length known when it has loaded, stretches
// played from one position to another with their positions and ends, and
// the sound itself recorded from the output. Qt 6.4 lists sound outputs
// through PulseAudio, so these cases run as gui_tests_sound, under
// scripts/with-null-sink: a PulseAudio server of their own whose null sink
// is the output and whose monitor is recorded. The plain run leaves them
// out, and a skip there fails the run.
#include <gtest/gtest.h>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tools/player/MediaAudioPlayer.h"

namespace lectora {
namespace {

constexpr int kSampleRate = 22050;

class AudioPlaybackOnSoundOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) {
      GTEST_SKIP() << "sox is not installed (scripts/setup installs it)";
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
      GTEST_SKIP() << "no sound output is listed: run under scripts/with-null-sink";
    }
    recording_ = dir_.filePath(QStringLiteral("tone.mp3"));
    // Six seconds of a 440 Hz tone at half of full scale.
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("sox"),
                          {QStringLiteral("-n"), QStringLiteral("-r"), QString::number(kSampleRate),
                           QStringLiteral("-c"), QStringLiteral("1"), recording_,
                           QStringLiteral("synth"), QStringLiteral("6"), QStringLiteral("sine"),
                           QStringLiteral("440"), QStringLiteral("vol"), QStringLiteral("0.5")}),
        0)
        << "sox cannot write MP3 (libsox-fmt-mp3)";
  }

  // Opens the recording; true once it has loaded with its length.
  bool Load() {
    QSignalSpy loaded(&player_, &IAudioPlayer::Loaded);
    if (!player_.Open(recording_)) return false;
    return QTest::qWaitFor([&] { return !loaded.isEmpty() || !errors_.isEmpty(); }, 10000) &&
           errors_.isEmpty();
  }
  // Plays a stretch to its end; the positions reported meanwhile, or empty
  // when the end did not come.
  std::vector<qint64> PlayStretch(qint64 from, qint64 to) {
    std::vector<qint64> positions;
    const QMetaObject::Connection watch = QObject::connect(
        &player_, &IAudioPlayer::PositionChanged, [&](qint64 at) { positions.push_back(at); });
    QSignalSpy ended(&player_, &IAudioPlayer::PlayEnded);
    player_.Play(from, to);
    const bool done =
        QTest::qWaitFor([&] { return !ended.isEmpty() || !errors_.isEmpty(); }, 10000);
    QObject::disconnect(watch);
    if (!done || !errors_.isEmpty()) positions.clear();
    return positions;
  }

  QTemporaryDir dir_;
  QString recording_;
  TMediaAudioPlayer player_;
  QSignalSpy errors_{&player_, &IAudioPlayer::Error};
};

TEST_F(AudioPlaybackOnSoundOutput, TheLengthIsKnownOnceLoadedAndStretchesStartWhereAsked) {
  ASSERT_TRUE(Load()) << (errors_.isEmpty() ? "no Loaded" : errors_[0][0].toString().toStdString());
  // Loaded waits for the length: the marks are estimated from it.
  EXPECT_NEAR(player_.Length(), 6000, 100);

  // A stretch in the middle: the seek lands before any sound, and the
  // player pauses at the stretch's end. (A null sink reports the position
  // in jumps of up to a second, so the pause may come that late there; on
  // a sound card it comes within the timer's step.)
  const std::vector<qint64> middle = PlayStretch(1000, 2000);
  ASSERT_FALSE(middle.empty()) << "the stretch did not end";
  EXPECT_GE(*std::min_element(middle.begin(), middle.end()), 950) << "the seek was lost";
  EXPECT_GE(player_.Position(), 2000);
  EXPECT_LT(player_.Position(), 4000) << "played on towards the end of the file";
  EXPECT_FALSE(player_.IsPlaying());

  // The next stretch goes on from there to the end of the file.
  const qint64 paused = player_.Position();
  const std::vector<qint64> rest = PlayStretch(paused, -1);
  ASSERT_FALSE(rest.empty()) << "the end of the file did not end the stretch";
  EXPECT_GE(*std::min_element(rest.begin(), rest.end()), paused - 50);
  EXPECT_GE(player_.Position(), 5900);

  // After the end of the file the pipeline has stopped; a stretch from
  // the beginning still starts where asked.
  const std::vector<qint64> again = PlayStretch(500, 1000);
  ASSERT_FALSE(again.empty()) << "a stretch after the end of the file did not end";
  EXPECT_GE(*std::min_element(again.begin(), again.end()), 450);
  EXPECT_LE(*std::max_element(again.begin(), again.end()), 1200);
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(AudioPlaybackOnSoundOutput, TheStretchIsHeardOnTheOutput) {
  if (QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
    GTEST_SKIP() << "parec is not installed (pulseaudio-utils)";
  }
  ASSERT_TRUE(Load());
  // What reaches the null sink, as 16-bit mono samples.
  QProcess recorder;
  recorder.start(QStringLiteral("parec"),
                 {QStringLiteral("--device=null.monitor"), QStringLiteral("--raw"),
                  QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                  QStringLiteral("--rate=%1").arg(kSampleRate)});
  ASSERT_TRUE(recorder.waitForStarted(5000));
  QTest::qWait(300);
  const qint64 silence = recorder.readAllStandardOutput().size();
  ASSERT_FALSE(PlayStretch(0, 1500).empty())
      << (errors_.isEmpty() ? "no end" : errors_[0][0].toString().toStdString());
  QTest::qWait(300);
  recorder.terminate();
  ASSERT_TRUE(recorder.waitForFinished(5000));
  const QByteArray samples = recorder.readAllStandardOutput();
  int peak = 0;
  for (qsizetype at = 0; at + 1 < samples.size(); at += 2) {
    std::int16_t sample = 0;
    std::memcpy(&sample, samples.constData() + at, sizeof sample);
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
  }
  // The tone is at half of full scale; silence, or nothing, stays near 0.
  EXPECT_GT(peak, 8000) << samples.size() << " bytes recorded after " << silence;
}

}  // namespace
}  // namespace lectora
