// The program's history list: a self-drawn combo box whose entries each
// carry a text, a verse number (0 for search texts) and the time of the last
// visit. It keeps the entries ordered by text, time or verse number, saves
// and loads them in the history file format, and drives a pair of Back/Next
// buttons that step through the entries in time order.
//
// Times are days since 30 December 1899 with the time of day as fraction,
// the value the history files hold; TimeOf and DateTimeOf convert to and
// from QDateTime in local time.
#pragma once

#include <QAbstractButton>
#include <QDateTime>
#include <QMetaObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/ODComboBox.h"

namespace lectora {

class THistoryContext;

enum class TSorted { byText = 0, byTime = 1, byIndex = 2 };

class TBibleComboBox : public TODComboBox {
  Q_OBJECT

 public:
  // `context` (not owned) must outlive the box.
  explicit TBibleComboBox(THistoryContext& context, QWidget* parent = nullptr);

  // Records a visit of `text` (8-bit) at verse `index` and time `time`;
  // nothing for an empty text. A listed text moves to where the order puts
  // it (with byTime: to the end) and takes the new number and time. The
  // entry becomes the selection without touching the edit field.
  void Add(std::uint16_t index, const std::string& text, double time);
  void Add(std::uint16_t index, const std::string& text, const QDateTime& time) {
    Add(index, text, TimeOf(time));
  }
  // Inserts an entry at position `position` (clamped to 0..Count()),
  // whatever the order.
  void Insert(int position, std::uint16_t index, const std::string& text, double time);
  // Empties the entries and the edit field without firing Changed. The
  // buttons keep their state until the next update.
  void Clear();
  // Fires Changed; then, with a valid selection, the selected entry's time
  // becomes CurrentTime and the buttons are updated.
  void Change() override;

  // Replaces the entries with those of the history file `fileName`; a
  // missing, unreadable or damaged file gives the entries read before the
  // damage (possibly none). Applies the file's sort order (byTime when its
  // order line is damaged). A file read only in part is first copied beside
  // itself (THistoryFile::KeepCopy) and the copy is named in one notice;
  // when no copy can be made, SaveToFile refuses to replace that file.
  void LoadFromFile(const std::string& fileName);
  // Writes the history file `fileName` atomically, creating its folder.
  // On failure shows "The list can't be saved." (once per run, through the
  // context) and returns false; the old file is then untouched.
  bool SaveToFile(const std::string& fileName);

  TSorted Sorted() const { return sorted_; }
  // Checks the menu item of the new order, sorts the entries and selects
  // the entry equal to the box text.
  void SetSorted(TSorted sorted);

  // Every item of `menu` (not owned) gets the list's menu handler: by
  // position 0 sort by text, 1 by time, 2 by verse number (unless item 2 is
  // a separator: then the positions after it move up by one), then delete
  // all, then show the count.
  void SetPopupMenu(QMenu* menu) override;
  // The menu handler for the item at `position` of the popup menu.
  void MenuClick(int position);

  // The Back and Next buttons (not owned, may be null). The list takes over
  // their clicks; `chained` is the handler the button had before (may be
  // empty) and runs after the list selected the entry and before the
  // change is reported. The main window attaches its handler that way
  // instead of connecting it to the button itself.
  void SetBackButton(QAbstractButton* button, std::function<void()> chained = {});
  void SetNextButton(QAbstractButton* button, std::function<void()> chained = {});
  QAbstractButton* BackButton() const { return backButton_; }
  QAbstractButton* NextButton() const { return nextButton_; }
  // The Back and Next clicks.
  void BackClick();
  void NextClick();
  // Recomputes PrevIndex and NextIndex from CurrentTime and enables the
  // buttons accordingly.
  void UpdateButtons();

  // The insert position of a new entry for the present order (bisection;
  // the entries are assumed to be in that order).
  int InsertPosition(const std::string& text, std::uint16_t index, double time) const;

  const std::vector<double>& Times() const { return times_; }
  const std::vector<std::uint16_t>& Indexes() const { return indexes_; }
  double CurrentTime() const { return currentTime_; }
  int PrevIndex() const { return prevIndex_; }
  int NextIndex() const { return nextIndex_; }

  // Local time <-> days since 30 December 1899. DateTimeOf gives an invalid
  // QDateTime for a value that is not finite or out of range.
  static double TimeOf(const QDateTime& time);
  static QDateTime DateTimeOf(double time);

 private:
  // True when entry `a` sorts before entry `b` (strictly) in `order`.
  bool Less(TSorted order, std::size_t a, std::size_t b) const;
  void SwapEntries(std::size_t a, std::size_t b);
  void MoveEntry(int from, int to);
  void CheckMenuItem(TSorted order, bool checked);
  void KeepPartlyReadFile(const std::string& fileName);
  void AttachButton(QPointer<QAbstractButton>& slot, QMetaObject::Connection& connection,
                    QAbstractButton* button, void (TBibleComboBox::*handler)());

  THistoryContext& context_;
  TSorted sorted_ = TSorted::byTime;
  std::vector<double> times_;
  std::vector<std::uint16_t> indexes_;
  double currentTime_ = 0;
  int prevIndex_ = -1;
  int nextIndex_ = -1;
  QPointer<QAbstractButton> backButton_;
  QPointer<QAbstractButton> nextButton_;
  QMetaObject::Connection backConnection_;
  QMetaObject::Connection nextConnection_;
  std::function<void()> backChained_;
  std::function<void()> nextChained_;
  std::vector<QMetaObject::Connection> menuConnections_;
  // A file read only in part that could not be copied: never replaced.
  std::string guardedFile_;
};

}  // namespace lectora
