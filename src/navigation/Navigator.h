// The one current place of the program and every way to move it: a place
// chosen as book position, chapter and verse of the active translation, a
// verse number, a standard verse number, a typed reference, a book step, a
// random verse, and the place of a window that became active. Each move
// brings the first window of every open translation to the place in that
// translation's own numbering, records the visit in the verse history and
// lets the bookmark on the verse just left follow the reader; then
// PlaceChanged tells the controls. No widget is read or written here: the
// navigation controls pass what the reader chose and show what comes back.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "navigation/Place.h"

namespace lectora {

class IPlaceView;
class IVerseHistory;
class TActiveTranslation;
class TBible;
class TStandardStructure;

class TNavigator : public QObject {
  Q_OBJECT

 public:
  // `active` and `standard` must outlive the navigator.
  TNavigator(TActiveTranslation& active, const TStandardStructure& standard,
             QObject* parent = nullptr);

  // The views to move, in window order (topmost first); called at every move.
  void SetViews(std::function<std::vector<IPlaceView*>()> views) { views_ = std::move(views); }
  // Where visits are recorded (not owned; may be null).
  void SetHistory(IVerseHistory* history) { history_ = history; }
  // The time of a visit (days since 1899-12-30); the wall clock by default.
  void SetClock(std::function<double()> now) { now_ = std::move(now); }
  // A random integer in 0..bound-1; Qt's generator by default.
  void SetRandom(std::function<int(int bound)> random) { random_ = std::move(random); }

  const TPlace& Place() const { return place_; }
  // `ReferenceText` of the current verse in the active module (8-bit).
  const std::string& CurrentReference() const { return reference_; }
  double OpenedAt() const { return openedAt_; }
  // The position of the current book in the active module, or 0.
  int CurrentBookPosition() const;
  // Chapters of `book` / verses of its `chapter` in the active module; 0
  // when the module or the place does not exist.
  int ChapterCount(int book) const;
  int VerseCount(int book, int chapter) const;

  // ---- moves (each does nothing without an active translation) ----
  // The place chosen as book position (0 = none chosen: the active window's
  // book), chapter and verse, each clamped into the book.
  void ShowPosition(int bookPosition, int chapter, int verse, bool scroll);
  // The current place shown again in every window.
  void ShowPosition(bool scroll);
  // Verse `number` of the active module; nothing below 1.
  void GoToVerse(int number);
  void GoToStandard(std::int32_t standardNumber);
  // Parses `text` (8-bit, the module's code page) as a reference, a missing
  // book being the current one; false (nothing moved) when it is none.
  bool GoToReference(const std::string& text);
  // `delta` books on, at `chapter`:`verse` clamped into that book; nothing
  // past either end of the module.
  void MoveBook(int delta, int chapter, int verse);
  // One verse before (-1) or after (+1) `chapter`:`verse` of the book at
  // `bookPosition`, across chapters and books; the module's ends stay.
  void StepVerse(int delta, int bookPosition, int chapter, int verse);
  // A verse between 1 and VerseTotal.
  void GoToRandomVerse();
  // The active view's place becomes the current one, without a move.
  void AdoptViewPlace(const IPlaceView& view);
  // The standard number of the last run ("GlVIndex"), before any window.
  void SetStandardNumber(std::int32_t number) { place_.StandardNumber = number; }

  // ---- history recording ----
  // The next move is not recorded (Back and Next step through the history).
  void SuspendHistoryRecording() { recordHistory_ = false; }
  bool RecordHistory() const { return recordHistory_; }
  // Set while the windows of the last run are reopened.
  bool Restoring() const { return restoring_; }
  void SetRestoring(bool restoring) { restoring_ = restoring; }

 Q_SIGNALS:
  // A move begins (before any window changes): the chapter audio stops.
  void MoveStarting();
  // The current place changed (or was shown again): the controls follow.
  void PlaceChanged();
  // Every window the move refreshed has been laid out.
  void PositionShown();

 private:
  // Computes the verse number, reference, bookmark and history entry of
  // `book` `chapter`:`verse` of the active module.
  void UpdateCurrentVerse(TBible& bible, int chapter, int verse);
  // Moves each translation's first view to the place in its own numbering.
  void RefreshViews(TBible& active, bool scroll);
  // Records the place being left, with the time it was reached.
  void RecordLeaving();

  TActiveTranslation& active_;
  const TStandardStructure& standard_;
  std::function<std::vector<IPlaceView*>()> views_;
  IVerseHistory* history_ = nullptr;
  std::function<double()> now_;
  std::function<int(int)> random_;
  TPlace place_;
  std::string reference_;
  double openedAt_ = 0;
  bool recordHistory_ = true;
  bool restoring_ = false;
};

}  // namespace lectora
