// The program's sound player on Qt Multimedia (QMediaPlayer with a
// QAudioOutput, GStreamer underneath). Playing a range pauses at its end by
// a 10 ms precise timer, since the media player itself only stops at the
// end of the file. The media player is made at the first Open, so a program
// that never plays a sound never touches the sound system; without a sound
// device Play reports Error and nothing else happens.
//
// GStreamer learns an MP3's length, and can seek in it, only once its
// pipeline has prerolled (paused on the first decoded buffer): a file that
// has loaded is therefore paused at once, Loaded waits for the length, and
// the player is paused rather than stopped between ranges, so that the next
// range's seek lands. A seek asked of a stopped pipeline is dropped, and the
// range would start from the beginning of the file.
#pragma once

#include <QMediaPlayer>

#include "tools/player/IAudioPlayer.h"

class QAudioOutput;
class QTimer;

namespace lectora {

class TMediaAudioPlayer : public IAudioPlayer {
  Q_OBJECT

 public:
  // The timer's step: how late past `to` a range may stop at worst.
  static constexpr int kEndCheckMs = 10;
  // How long a loaded file may take to give its length; after that it
  // counts as loaded with the length unknown (0), so nothing waits for ever.
  static constexpr int kLengthWaitMs = 3000;
  // How often the length is looked for meanwhile, and how long the
  // preroll may take before it is first asked for again.
  static constexpr int kLengthPollMs = 25;
  static constexpr int kPrerollRetryMs = 200;

  explicit TMediaAudioPlayer(QObject* parent = nullptr);
  ~TMediaAudioPlayer() override;

  // ---- IAudioPlayer ----
  // False (with Error) when `path` is not a readable file; otherwise the
  // file loads in the background and Loaded, or Error, follows.
  bool Open(const QString& path) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  QString FileName() const override { return path_; }
  qint64 Length() const override;
  qint64 Position() const override;
  // Before the file has loaded the range waits and starts with Loaded.
  void Play(qint64 from, qint64 to) override;
  // Pauses: the pipeline stays prerolled for the next range.
  void Stop() override;
  // Also true while a range waits for the file to load.
  bool IsPlaying() const override { return playing_ || pending_; }

 private:
  void CreatePlayer();
  void MediaStatusChanged(QMediaPlayer::MediaStatus status);
  void DurationChanged(qint64 duration);
  // The timer's tick while a loaded file has no length yet.
  void WaitForLength();
  // The file has loaded and its length is known (or long overdue).
  void FinishLoading();
  // Starts the waiting range; REQUIRES: loaded_.
  void StartRange();
  // The timer's tick: pauses once the position has reached `to_`.
  void CheckRangeEnd();
  void EndPlay();
  void Fail(const QString& message);

  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_ = nullptr;
  QTimer* endTimer_ = nullptr;
  QTimer* lengthTimer_ = nullptr;
  int lengthWaited_ = 0;
  int nextPrerollRetry_ = kPrerollRetryMs;
  QString path_;
  bool open_ = false;
  bool loaded_ = false;
  bool playing_ = false;
  // A Play that came before the file had loaded.
  bool pending_ = false;
  qint64 from_ = 0;
  // Where the range ends; -1 = the end of the file.
  qint64 to_ = -1;
};

}  // namespace lectora
