// The word search of the main window as a service: the tree of the last
// query (SearchRoot), the verse list shown in the search panel (CurrentList)
// and what it holds (ListKind: search results or the cross references of the
// current verse), the result lines and the status text, the links view that
// follows every move, and the commands that reach the search from outside
// (SearchFor from a Bible window, RepeatSearch after the range changed).
// It reads no widget: the search box is reached through ISearchBox, and the
// panel follows the signals. The program owns one.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/VerseList.h"

class QAction;

namespace lectora {

class TActiveTranslation;
class TBible;
class TInterfaceTexts;
class TNavigator;
class TOptionValues;
class TSearchContext;
class TSearchNode;

// The search box as the service sees it (the panel implements it).
class ISearchBox {
 public:
  virtual ~ISearchBox() = default;
  // The box text in the active module's code page (8-bit).
  virtual std::string BoxText() const = 0;
  // Writes `text` (8-bit) into the box as if it had been typed there: the
  // box reacts as to typing (it may select a word, which may search).
  virtual void PutText(const std::string& text) = 0;
  // True while a word of the word list is selected.
  virtual bool WordSelected() const = 0;
  // Records `text` in the search history with its first verse and now.
  virtual void AddToHistory(const std::string& text, std::uint16_t firstVerse) = 0;
};

class TSearchService : public QObject {
  Q_OBJECT

 public:
  // SearchTextLanguage of a text with letters the module cannot hold.
  static constexpr int kForeignLanguage = -1;
  enum TListKind { kSearchResults = 0, kLinks = 1 };

  // Every reference must outlive the service.
  TSearchService(TActiveTranslation& active, TNavigator& navigator, TSearchContext& search,
                 const TOptionValues& options, const TInterfaceTexts& texts,
                 QObject* parent = nullptr);
  ~TSearchService() override;

  // The box (not owned; null detaches it) and the links-view switch
  // ToolButton15 (not owned; watched).
  void SetSearchBox(ISearchBox* box) { box_ = box; }
  void SetLinksButton(QAction* toolButton15) { linksButton_ = toolButton15; }
  // Re-shows the chapter of every Bible window (so that found words are
  // marked); set by the window area's owner, may be empty.
  std::function<void()> RefreshWindows;

  // ---- state ----
  const TSearchNode* SearchRoot() const { return searchRoot_.get(); }
  // Null when no list is shown.
  const TVerseList* CurrentList() const { return currentList_.get(); }
  int ListKind() const { return listKind_; }
  // The lines of the list (8-bit, the module's code page), one per verse.
  const std::vector<std::string>& Lines() const { return lines_; }
  // Label1: "title | count", or empty (8-bit, the module's code page).
  const std::string& LabelText() const { return labelText_; }
  // The character set of the lines and the label (the active module's).
  int Charset() const;
  // The language number of the text in the search box.
  int SearchTextLanguage = 0;
  // Set by every search; SearchFor clears it to learn whether putting the
  // text into the box already searched.
  bool SearchDone = false;
  // Set while the reader types into the box: the word the typing selects
  // is not searched for until Enter.
  bool IgnoreSpinChange = false;
  // The word order of the search context ("Order", 0..2).
  int Order() const;
  // Sets the order (clamped into 0..2) and tells the panel; no search.
  void SetOrder(int order);
  // The active module's language number, or kForeignLanguage without one.
  int ActiveLanguage() const;

  // ---- commands ----
  // Searches `text` (8-bit) in the active module and shows the result.
  void RunSearch(const std::string& text);
  // RunSearch of the box text when a module is active.
  void SearchOfBox();
  // Fills the lines and the label from CurrentList under `title`.
  void ShowList(const std::string& title);
  // The cross references of the current verse, when the links view is on.
  void ShowLinksList();
  // ToolButton15 is visible and down.
  bool LinksViewOn() const;
  // ToolButton15 was toggled: the links, or the search of the box.
  void LinksViewToggled();
  // Moves to the first verse found and asks the panel to focus the list.
  void OpenFirstFound();
  // Searches `text` (8-bit) from outside: page 0 and the panel shown.
  void SearchFor(const std::string& text);
  // The selected word of the word list changed (or the range changed).
  void SelectedWordChanged();
  // Searches again as after a change of the selected word (the range
  // dialog's OK). Keys typed into the box before leave IgnoreSpinChange
  // set, and then a change of the selected word would not search; a new
  // range must always search again, so the flag is cleared first.
  void RepeatSearch() {
    IgnoreSpinChange = false;
    SelectedWordChanged();
  }
  // A word row was clicked: with the links view on, flips the lists.
  void WordClicked();
  // ListBox2 was clicked with `selected` rows (0-based) selected.
  void ListClicked(const std::vector<int>& selected);
  // ListBox2 was double-clicked on `row`.
  void ListDoubleClicked(int row);
  // The row of the current verse in the list, or -1.
  int CurrentVerseRow() const;

 Q_SIGNALS:
  // The lines, the label and the list kind changed: the panel refills.
  void ListShown();
  // The panel selects only `row` (-1: none).
  void CurrentRowChanged(int row);
  // The panel focuses ListBox2.
  void ListFocusWanted();
  // The panel shows its search page and itself.
  void SearchPageWanted();
  // The order changed (the word-order box follows).
  void OrderChanged(int order);
  // CopyMarked becomes enabled or disabled.
  void MarkedCopyEnabled(bool enabled);

 private:
  void PlaceChanged();
  // Verse CurrentList[row + 1] becomes the current place.
  void GoToRow(int row);
  void Clear();

  TActiveTranslation& active_;
  TNavigator& navigator_;
  TSearchContext& search_;
  const TOptionValues& options_;
  const TInterfaceTexts& texts_;
  ISearchBox* box_ = nullptr;
  QPointer<QAction> linksButton_;
  std::unique_ptr<TSearchNode> searchRoot_;
  VerseListPtr currentList_;
  int listKind_ = kSearchResults;
  std::vector<std::string> lines_;
  std::string labelText_;
};

}  // namespace lectora
