// The active translation: the module of the active Bible window, its word
// list, its two histories ("Search_List.txt", "VerseHistory.txt" in the
// module's folder, loaded and saved here and nowhere else) and its
// bookmarks. Bible windows announce their activation here; the controls
// that show the translation's books, words and bookmarks follow its
// signals. The program owns one.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

namespace lectora {

class IHistoryList;
class IPlaceView;
class TBible;
class TConcList;
class TSettings;

class TActiveTranslation : public QObject {
  Q_OBJECT

 public:
  // `readOnly`: the setup folder cannot be written, so no history is saved.
  // `paths` (not owned, may be null) places the history files of an
  // installed copy in the user's folder.
  explicit TActiveTranslation(bool readOnly, const TSettings* paths = nullptr,
                              QObject* parent = nullptr);
  ~TActiveTranslation() override;

  // The two histories the program shows (not owned; either may be null).
  void AttachHistories(IHistoryList* searchHistory, IHistoryList* verseHistory);

  // The active view and its module; null when no Bible window is active.
  IPlaceView* View() const { return view_; }
  TBible* Bible() const;
  // The module whose histories are loaded, or null.
  TBible* LastActive() const { return last_; }
  // The active module's word list, or null.
  TConcList* WordList() const { return wordList_.get(); }

  // `view` became the active Bible window; `reference` is the reference
  // text of the place it shows (the verse history's field shows it). When
  // its module is not the one whose histories are loaded, those are saved,
  // TranslationChanged is emitted, and the module's own are loaded.
  void Activate(IPlaceView* view, const std::string& reference);
  // `view` is going. With `lastWindow`, the histories are saved and
  // forgotten, since no window is left to save them at exit.
  void ViewClosed(IPlaceView* view, bool lastWindow);
  // Saves the loaded module's histories (at exit).
  void SaveHistories() const;

  // ---- bookmarks of the active module ----
  void AddBookmark(const std::string& reference);
  // Removes element `index` (0-based); false when there is none.
  bool RemoveBookmark(int index);
  // The bookmark on `previous` moves to `current` (the first one only);
  // false when no bookmark is on `previous`.
  bool MoveBookmark(const std::string& previous, const std::string& current);
  // The index of the first bookmark on `reference`, or -1.
  int FindBookmark(const std::string& reference) const;

 Q_SIGNALS:
  // A new module became active (never null): its books, font and word
  // list go to the controls.
  void TranslationChanged(TBible* bible);
  // No module is active any more (the last window closed).
  void TranslationCleared();
  // The active module's bookmarks changed or another module became active.
  void BookmarksChanged();
  // Bookmark `index` of the active module was removed (the others stay).
  void BookmarkRemoved(int index);

 private:
  void Save(const TBible& bible) const;
  // The history file `name` of `bible` as read, and as written.
  std::string ReadPath(const TBible& bible, const char* name) const;
  std::string WritePath(const TBible& bible, const char* name) const;

  bool readOnly_;
  const TSettings* paths_ = nullptr;
  IHistoryList* searchHistory_ = nullptr;
  IHistoryList* verseHistory_ = nullptr;
  IPlaceView* view_ = nullptr;
  TBible* last_ = nullptr;
  std::unique_ptr<TConcList> wordList_;
};

}  // namespace lectora
