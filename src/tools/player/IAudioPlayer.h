// The sound player the logo window and the chapter audio share: one file at
// a time, positions in milliseconds (the unit of the audio marks file).
// The program's player runs on Qt Multimedia; tests hand in a fake, so no
// test depends on a sound device.
#pragma once

#include <QObject>
#include <QString>

namespace lectora {

class IAudioPlayer : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  ~IAudioPlayer() override = default;

  // Opens the file for playing; false (and Error) when it cannot be read.
  // Loading may finish later: Loaded is emitted once the length is known.
  virtual bool Open(const QString& path) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The open file as given to Open; "" when none is open. The logo window
  // and the chapter audio share one player, and each asks this before it
  // takes the player's signals as its own.
  virtual QString FileName() const = 0;
  // The open file's length in milliseconds; 0 until it is known.
  virtual qint64 Length() const = 0;
  virtual qint64 Position() const = 0;
  // Plays from `from` to `to` (milliseconds) and pauses there with
  // PlayEnded; `to` of -1 or past the end plays to the end of the file.
  virtual void Play(qint64 from, qint64 to) = 0;
  // Stops without PlayEnded.
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;

 Q_SIGNALS:
  void Loaded();
  // The range of the last Play has been played through.
  void PlayEnded();
  void PositionChanged(qint64 position);
  // The file cannot be decoded or no output is there; a text for the reader.
  void Error(const QString& message);
};

}  // namespace lectora
