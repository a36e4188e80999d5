// What a Bible window needs from the main window that holds it: the shared
// modules and navigation state, the options, and the main window's own
// controls that an activated window fills (book box, spin edits, histories,
// word list, bookmark menu). The main window implements it; tests give a
// fake that owns real controls. Every reference returned lives as long as
// the host.
#pragma once

#include <QColor>
#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace lectora {

class TBible;
class TBibleComboBox;
class TBibleForm1;
class TBibleSet;
class TDisplayContext;
class THistoryContext;
class TLargeListBox;
class TListMessageForm1;
class TMySpinEdit;
class TODComboBox;
class TOptionValues;
class TStandardStructure;
class IMessageService;

class IBibleWindowHost {
 public:
  virtual ~IBibleWindowHost() = default;

  // ---- shared state ----
  // The twelve module slots; windows of one translation share its module.
  virtual TBibleSet& Bibles() = 0;
  virtual const TStandardStructure& Standard() const = 0;
  // The module of the active Bible window, or null.
  virtual TBible* ActiveBible() const = 0;
  // The standard verse number of the current place ("GlVIndex").
  virtual std::int32_t CurrentStandardNumber() const = 0;
  // The book number of the current place; an activated window sets it.
  virtual int CurrentBook() const = 0;
  virtual void SetCurrentBook(int bookNumber) = 0;
  // The module whose histories are loaded in the main window's lists, or
  // null before the first activation.
  virtual TBible* LastActiveBible() const = 0;
  virtual void SetLastActiveBible(TBible* bible) = 0;
  // True when the setup folder cannot be written: no history is saved.
  virtual bool RunningFromCD() const = 0;

  // ---- options and looks ----
  virtual const TOptionValues& Options() const = 0;
  // True while the Strong's tool button is up (numbers hidden).
  virtual bool StrongHidden() const = 0;
  // The colour of the current verse ("CurrentVerseColor").
  virtual QColor CurrentVerseColor() const = 0;
  // The interface text of `key` (Windows-1251); the key itself until the
  // interface language is loaded.
  virtual std::string Translate(const std::string& key) const = 0;
  virtual IMessageService& Messages() = 0;
  virtual TDisplayContext& DisplayContext() = 0;
  virtual THistoryContext& HistoryContext() = 0;

  // ---- the main window's controls an activated window works on ----
  virtual TODComboBox& BookBox() = 0;
  // Replaces the book box's entries with `names` (8-bit, position order)
  // and clears its selection; TODComboBox offers no public way to do it.
  virtual void SetBookBoxItems(const std::vector<std::string>& names) = 0;
  virtual TMySpinEdit& ChapterSpin() = 0;  // SpinEdit1
  virtual TMySpinEdit& VerseSpin() = 0;    // SpinEdit2
  virtual TBibleComboBox& VerseHistory() = 0;  // HistoryBox
  virtual TLargeListBox& WordBox() = 0;        // LargeListBox1, with the search history
  // The Goto menu's bookmark submenu: its first action is the hidden
  // "Go to" item, the bookmarks follow in list order.
  virtual QMenu& BookmarkMenu() = 0;
  // The Copy tool button's action, given to each text control as CopyBtn.
  virtual QAction* CopyAction() = 0;
  // The list limit dialog (shown through its test seam).
  virtual TListMessageForm1& ListMessage() = 0;

  // ---- what a window tells or asks the main window ----
  // The window became the active Bible window.
  virtual void SetActiveBibleWindow(TBibleForm1* window) = 0;
  // True when `window` is the active child of the window area.
  virtual bool IsActiveBibleWindow(const TBibleForm1* window) const = 0;
  // A new translation became active: its font goes to the main window's
  // controls, the verse list is cleared, the links button follows whether
  // the module has links, the word list gets the module's concordance and
  // the remembered reference text is emptied.
  virtual void ActiveTranslationChanged(TBible& bible) = 0;
  // Checks or unchecks the menu action of translation `number` (0..11).
  virtual void SetTranslationChecked(int number, bool checked) = 0;
  // True when another open window than `except` shows translation `number`.
  virtual bool TranslationShownElsewhere(int number, const TBibleForm1* except) const = 0;
  // Parses `text` (module code page) as a reference and moves there; false
  // when it is no reference.
  virtual bool GoToReference(const std::string& text) = 0;
  // A bookmark item of the bookmark menu was chosen.
  virtual void BookmarkChosen(const std::string& reference) = 0;
  // The window is closing (after it unchecked its translation when needed).
  virtual void BibleWindowClosed(TBibleForm1* window) = 0;
};

}  // namespace lectora
