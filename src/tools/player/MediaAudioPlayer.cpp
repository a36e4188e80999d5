#include "tools/player/MediaAudioPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace lectora {

TMediaAudioPlayer::TMediaAudioPlayer(QObject* parent) : IAudioPlayer(parent) {
  endTimer_ = new QTimer(this);
  endTimer_->setTimerType(Qt::PreciseTimer);
  endTimer_->setInterval(kEndCheckMs);
  connect(endTimer_, &QTimer::timeout, this, &TMediaAudioPlayer::CheckRangeEnd);
  lengthTimer_ = new QTimer(this);
  lengthTimer_->setInterval(kLengthPollMs);
  connect(lengthTimer_, &QTimer::timeout, this, &TMediaAudioPlayer::WaitForLength);
}

TMediaAudioPlayer::~TMediaAudioPlayer() {
  // No signal may reach a half-destroyed player.
  if (player_ != nullptr) player_->disconnect(this);
}

void TMediaAudioPlayer::CreatePlayer() {
  if (player_ != nullptr) return;
  player_ = new QMediaPlayer(this);
  output_ = new QAudioOutput(this);
  player_->setAudioOutput(output_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, &TMediaAudioPlayer::MediaStatusChanged);
  connect(player_, &QMediaPlayer::durationChanged, this, &TMediaAudioPlayer::DurationChanged);
  // Only the positions of a range: preroll and seek report others on the way.
  connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
    if (playing_) Q_EMIT PositionChanged(position);
  });
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error error, const QString& text) {
            if (error != QMediaPlayer::NoError) Fail(text);
          });
}

bool TMediaAudioPlayer::Open(const QString& path) {
  Close();
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) {
    Q_EMIT Error(QStringLiteral("The sound file %1 cannot be read.").arg(path));
    return false;
  }
  CreatePlayer();
  path_ = path;
  open_ = true;
  player_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  return true;
}

void TMediaAudioPlayer::Close() {
  Stop();
  lengthTimer_->stop();
  if (player_ != nullptr && open_) {
    player_->stop();
    player_->setSource(QUrl());
  }
  open_ = false;
  loaded_ = false;
  path_.clear();
}

qint64 TMediaAudioPlayer::Length() const {
  return loaded_ && player_ != nullptr ? player_->duration() : 0;
}

qint64 TMediaAudioPlayer::Position() const { return player_ != nullptr ? player_->position() : 0; }

void TMediaAudioPlayer::Play(qint64 from, qint64 to) {
  if (!open_) {
    Q_EMIT Error(QStringLiteral("No sound file is open."));
    return;
  }
  if (QMediaDevices::audioOutputs().isEmpty()) {
    Q_EMIT Error(QStringLiteral("There is no sound output."));
    return;
  }
  from_ = from < 0 ? 0 : from;
  to_ = to;
  pending_ = true;
  if (loaded_) StartRange();
}

void TMediaAudioPlayer::StartRange() {
  pending_ = false;
  const qint64 length = player_->duration();
  // A range past the end of the file plays to its end.
  if (to_ >= 0 && length > 0 && to_ >= length) to_ = -1;
  // The device may have come since the output was made.
  if (output_->device().isNull()) output_->setDevice(QMediaDevices::defaultAudioOutput());
  // After the end of the file the pipeline has stopped: it prerolls again
  // before the seek, which a stopped pipeline would drop.
  if (player_->playbackState() == QMediaPlayer::StoppedState) player_->pause();
  // Qt 6.4 on GStreamer ends a prerolled file at once when it is sought to
  // 0 and played; 1 ms on, nothing can be heard of the difference.
  player_->setPosition(std::max<qint64>(from_, 1));
  player_->play();
  playing_ = true;
  if (to_ >= 0) endTimer_->start();
}

void TMediaAudioPlayer::CheckRangeEnd() {
  if (!playing_ || to_ < 0) {
    endTimer_->stop();
    return;
  }
  if (player_->position() < to_) return;
  player_->pause();
  EndPlay();
}

void TMediaAudioPlayer::EndPlay() {
  endTimer_->stop();
  if (!playing_) return;
  playing_ = false;
  Q_EMIT PlayEnded();
}

void TMediaAudioPlayer::Stop() {
  endTimer_->stop();
  pending_ = false;
  playing_ = false;
  if (player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState) {
    player_->pause();
  }
}

void TMediaAudioPlayer::MediaStatusChanged(QMediaPlayer::MediaStatus status) {
  switch (status) {
    case QMediaPlayer::LoadedMedia:
      if (loaded_ || !open_) return;
      // Prerolled, the pipeline reports the length (DurationChanged).
      if (player_->playbackState() == QMediaPlayer::StoppedState) player_->pause();
      if (player_->duration() > 0) {
        FinishLoading();
      } else {
        lengthWaited_ = 0;
        nextPrerollRetry_ = kPrerollRetryMs;
        lengthTimer_->start();
      }
      return;
    case QMediaPlayer::EndOfMedia:
      EndPlay();
      return;
    case QMediaPlayer::InvalidMedia:
      Fail(QStringLiteral("The sound file %1 cannot be decoded.").arg(path_));
      return;
    default:
      return;
  }
}

void TMediaAudioPlayer::DurationChanged(qint64 duration) {
  if (duration > 0 && open_ && !loaded_ && lengthTimer_->isActive()) FinishLoading();
}

void TMediaAudioPlayer::WaitForLength() {
  if (!open_ || loaded_) {
    lengthTimer_->stop();
    return;
  }
  lengthWaited_ += kLengthPollMs;
  if (player_->duration() > 0 || lengthWaited_ >= kLengthWaitMs) {
    FinishLoading();
    return;
  }
  // Qt 6.4 may report a file loaded before its pipeline is built; the
  // pause that prerolls it is then lost, and is asked again, each time
  // after twice as long, so that a slow preroll is not cut short for ever.
  if (lengthWaited_ >= nextPrerollRetry_) {
    nextPrerollRetry_ *= 2;
    player_->stop();
    player_->pause();
  }
}

void TMediaAudioPlayer::FinishLoading() {
  lengthTimer_->stop();
  if (loaded_ || !open_) return;
  loaded_ = true;
  Q_EMIT Loaded();
  if (pending_) StartRange();
}

void TMediaAudioPlayer::Fail(const QString& message) {
  endTimer_->stop();
  lengthTimer_->stop();
  pending_ = false;
  playing_ = false;
  Q_EMIT Error(message.isEmpty() ? QStringLiteral("The sound file %1 cannot be played.").arg(path_)
                                 : message);
}

}  // namespace lectora
