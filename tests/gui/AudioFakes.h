// Fakes of the chapter audio's platform: a player that records what it is
// told and plays nothing, and an open dialog that answers from a queue.
#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "tools/audio/AudioFileDialog.h"
#include "tools/player/IAudioPlayer.h"

namespace lectora::test {

class FakeAudioPlayer : public IAudioPlayer {
 public:
  bool Open(const QString& path) override {
    Opened.push_back(path);
    open_ = QFileInfo(path).isFile() && !FailOpen;
    path_ = open_ ? path : QString();
    loaded_ = open_ && !LoadLater;
    return open_;
  }
  void Close() override {
    ++Closes;
    open_ = false;
    playing_ = false;
    path_.clear();
  }
  bool IsOpen() const override { return open_; }
  QString FileName() const override { return path_; }
  qint64 Length() const override { return loaded_ && !LengthLater ? FileLength : 0; }
  qint64 Position() const override { return position_; }
  void Play(qint64 from, qint64 to) override {
    Plays.emplace_back(from, to);
    position_ = from;
    playing_ = true;
  }
  void Stop() override {
    ++Stops;
    playing_ = false;
  }
  bool IsPlaying() const override { return playing_; }

  // The length becomes known (with LoadLater).
  void FinishLoading() {
    loaded_ = true;
    Q_EMIT Loaded();
  }
  // The stretch of the last Play has played through.
  void FinishStretch() {
    playing_ = false;
    position_ = Plays.empty() ? 0 : Plays.back().second;
    Q_EMIT PlayEnded();
  }
  void SetPosition(qint64 position) { position_ = position; }
  // Somebody else's sound is playing (or has stopped).
  void SetPlaying(bool playing) { playing_ = playing; }
  const QString& Path() const { return path_; }

  qint64 FileLength = 60000;
  bool LoadLater = false;
  // The length stays unknown after loading until this is cleared.
  bool LengthLater = false;
  bool FailOpen = false;
  QStringList Opened;
  std::vector<std::pair<qint64, qint64>> Plays;
  int Stops = 0;
  int Closes = 0;

 private:
  QString path_;
  bool open_ = false;
  bool loaded_ = false;
  bool playing_ = false;
  qint64 position_ = 0;
};

class ScriptedAudioFileDialog : public IAudioFileDialog {
 public:
  QString ChooseFile(const QString& folder, const QString& fileName,
                     const QString& filter) override {
    ++Calls;
    Folder = folder;
    FileName = fileName;
    Filter = filter;
    return Answers.isEmpty() ? QString() : Answers.takeFirst();
  }
  // Chosen paths in order; an empty one (or none left) cancels.
  QStringList Answers;
  int Calls = 0;
  QString Folder, FileName, Filter;
};

}  // namespace lectora::test
