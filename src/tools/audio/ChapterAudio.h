// The chapter read aloud verse by verse while the text follows. With the
// speak command on, every move of the navigator plays the current verse's
// stretch of its chapter recording; when the stretch has played, the
// navigator moves on to the next verse, which plays the next stretch, on
// through the chapter and into the next one. The stretches come from the
// verse marks (TAudioMarks), exact from the marks file or estimated from
// the active window's text lengths; the editing mode lets an operator set
// them. Audio follows translation 3 (module "38") when it is installed,
// otherwise the active translation.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/AudioMarks.h"
#include "store/AudioMarksFile.h"

class QAction;

namespace lectora {

class IAudioPlayer;
class TActiveTranslation;
class TBible;
class TBibleSet;
class TChapterFileFinder;
class TNavigator;
class TStandardStructure;

class TChapterAudio : public QObject {
  Q_OBJECT

 public:
  // The translation whose recordings are read ("38\").
  static constexpr int kAudioTranslation = 3;
  // The logo window's timer that starts each stretch.
  static constexpr int kStartDelayMs = 5;

  // Everything must outlive the audio.
  struct TServices {
    TNavigator& Navigator;
    TActiveTranslation& Active;
    TBibleSet& Bibles;
    const TStandardStructure& Standard;
    IAudioPlayer& Player;
    TChapterFileFinder& Finder;
    // The speak command (ToolButton20), checkable.
    QAction& Speak;
    // Setup folder + "Audio/AudioMrk.bin".
    std::string MarksFileName;
    // Setup folder + "38/BibleTitles.txt": whether the audio translation is
    // installed, asked without the drive dialog a missing module raises.
    std::string AudioModuleTitles;
    // The setup folder cannot be written: the marks are never written back.
    bool ReadOnly = false;
  };
  struct THooks {
    // The active Bible window's table of text lengths (VerseEnds 0..N of
    // the chapter shown); empty without an active window.
    std::function<std::vector<std::int32_t>()> TextLengths;
    // The logo window is showing: audio reading is suspended.
    std::function<bool()> LogoShowing;
    std::function<void()> CloseLogo;
    std::function<void(const QString& text)> ShowInfo;
    // The interface language's text of a notice, `english` without one.
    std::function<QString(const char* key, const char* english)> Notice;
    std::function<bool(const QString& text, bool defaultNo)> AskYesNo;
  };

  TChapterAudio(TServices services, THooks hooks, QObject* parent = nullptr);
  ~TChapterAudio() override;

  // Plays the current verse when the speak command is on and the logo
  // window is not showing; finds and opens the chapter file when it
  // changed. Called after every move, after the speak command and after
  // the marks were edited.
  void PlayCurrentVerse();
  // Detaches the end of play and stops the player (unless the logo window
  // shows). Called at the start of every move.
  void StopAudio();
  // Writes back marks changed in the editing mode (at exit).
  void SaveMarks();

  // ---- the editing mode ("AudioFix") ----
  void SetEditing(bool editing) { editing_ = editing; }
  bool Editing() const { return editing_; }
  // The position field was changed to `value`: the current verse starts there.
  void PositionEdited(int value);
  // Key A: the current verse starts at the player's position.
  void MarkStart();
  // Key B: the current verse ends at the player's position; on to the next.
  void MarkEnd();
  // Key C: asks whether the next chapter's marks are estimated afresh.
  void AskReEstimate();
  // Enter: asks, then inserts a record at the current standard number.
  void InsertRecord();
  // Escape: the active module's verse total and the standard number.
  void ShowVerseNumbers();

  // ---- what the tests and the position field read ----
  const TAudioMarks& Marks() const { return marks_; }
  const QString& CurrentFile() const { return currentFile_; }
  // The stretch of the verse being played: start, and end (-1 = to the end).
  std::int64_t StretchStart() const { return start_; }
  std::int64_t StretchEnd() const { return end_; }

 Q_SIGNALS:
  // The current verse starts at `start` (the position field shows it).
  void VerseStartChanged(qint64 start);
  // Marks were loaded: `exact` when they came from the marks file.
  void MarksLoaded(bool exact);

 private:
  // The place in the audio translation's numbering.
  struct TAudioPlace {
    TBible* Module = nullptr;
    int Position = 0;
    int Chapter = 0;
    int Verse = 0;
    int VerseCount = 0;
    std::int32_t Standard = 0;
  };
  TBible* AudioModule();
  bool ResolvePlace(TAudioPlace& place);
  // Step 4: the new chapter file replaces the old; false when it cannot
  // be opened.
  bool OpenChapterFile(const QString& path);
  void LoadChapterMarks(const TAudioPlace& place);
  void StartVerse(int verse);
  void StartTimerTick();
  void VerseEnded();
  // Whether the player holds this audio's chapter file: the player is
  // shared with the logo window, whose signals are not the audio's.
  bool OwnsPlayer() const;
  void FileLoaded();
  void PlayerFailed(const QString& message);
  // The speak command goes off without a sound.
  void ReleaseSpeak();
  // The next standard number whose verse the active translation has.
  std::int32_t NextStandard() const;
  void Inform(const QString& text) const;

  TServices s_;
  THooks hooks_;
  TAudioMarksFile marksFile_;
  TAudioMarks marks_;
  QTimer timer_;
  QString currentFile_;
  bool loaded_ = false;
  bool marksLoaded_ = false;
  bool wantPlay_ = false;
  bool attached_ = false;
  bool editing_ = false;
  bool audioModuleMissing_ = false;
  int verse_ = 0;
  std::int64_t start_ = 0;
  std::int64_t end_ = -1;
  QString failedFile_;
};

}  // namespace lectora
