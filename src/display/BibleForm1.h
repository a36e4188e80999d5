// The Bible window: one chapter of one translation in a verse text control,
// the current verse coloured, and a popup menu that works on the selected
// text. When it becomes the active window it announces itself to the
// active translation and its place becomes the current one; it is a view of
// the navigator, which moves it to each new place in its own numbering.
//
// How the main window holds it:
// - The window is a plain QWidget put into a QMdiSubWindow of the main
//   window's QMdiArea (the sub-window with Qt::WA_DeleteOnClose). Create it
//   with the host, the standard verse number of the current place and the
//   translation number; check Available() (a module that was not found
//   leaves the window empty after a message).
// - Activation: connect QMdiArea::subWindowActivated and call FormActivate
//   on the window of the newly active sub-window and FormDeactivate on the
//   window of the one that lost activation. IsActiveBibleWindow must answer
//   from QMdiArea::activeSubWindow(), which Qt sets before the signal.
// - A right click on an inactive window activates it (Qt moves the focus,
//   and the sub-window activates, before the press reaches any handler of
//   the text control); the window notices the press at the focus change,
//   which comes first, and defers the activation work to the next left
//   click.
// - Closing: QMdiSubWindow::close() closes this widget first; its close
//   event runs FormClose, which unchecks the translation when no other
//   window shows it and then calls host.BibleWindowClosed(this) while the
//   window still exists.
// - Moves: the navigator calls ShowPlace with the place converted into the
//   module's numbering; the window keeps it as Book, Chapter, Verse.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include "navigation/PlaceView.h"

#include "display/BibleRichEdit1.h"

class QAction;
class QMenu;

namespace lectora {

class IBibleWindowHost;
class IOnTopLink;
class TBible;
struct TBook;
class TMyIniFile;

class TBibleForm1 : public QWidget, public IPlaceView {
  Q_OBJECT

 public:
  // The last verse a chapter can have here: VerseEnds holds verses 0..200.
  static constexpr int kMaxVerses = 200;

  // Takes the module of `translationNumber` (0..11) from host.Bibles(),
  // loading it when the slot is empty. A module that is not found is
  // announced with the interface text "BibleNotFound", freed and its slot
  // cleared; the window then stays empty (Available() false). Otherwise the
  // place of `standardNumber` in the module's own numbering becomes Book,
  // Chapter, Verse and FormCreate runs. `host` must outlive the window.
  TBibleForm1(IBibleWindowHost& host, std::int32_t standardNumber, int translationNumber,
              QWidget* parent = nullptr);
  ~TBibleForm1() override;

  // ---- what the main window reads ----
  // False when the module was not found: the window shows nothing.
  bool Available() const { return bible_ != nullptr; }
  // The shared module (owned by host.Bibles()), or null.
  TBible* Bible() const { return bible_; }
  int TranslationNumber() const { return translationNumber_; }
  // The help topic of the translation (F1 in this window).
  int HelpContext() const { return helpContext_; }

  // The place the window is to show (book number, chapter, verse in the
  // module's numbering); the main window sets them before ShowChapter.
  int Book = 0;
  int Chapter = 0;
  int Verse = 0;

  // ---- showing ----
  // Fills the window with chapter `chapter` of book `book` (the module's
  // numbering), verse `verse` marked as the active one. A book the module
  // lacks or a chapter beyond the book leaves the window empty without
  // popup menu. Chapters of more than kMaxVerses verses show their first
  // kMaxVerses, with a message.
  void ShowChapter(int book, int chapter, int verse);

  // ---- IPlaceView ----
  TBible* Module() const override { return bible_; }
  int ViewBook() const override { return Book; }
  int ViewChapter() const override { return Chapter; }
  int ViewVerse() const override { return Verse; }
  // Keeps the place as Book, Chapter, Verse and shows it.
  void ShowPlace(int book, int chapter, int verse, bool scroll) override;
  // The verse filter with this window's module and the host's Strong's and
  // footnote switches (see VerseFilter.h).
  void FilterVerse(std::string& text) const;
  // The verse holding visible-character `index` of the text control: 1 for
  // an index in the headings, the last verse shown for one past the end,
  // 0 when the window shows no verse.
  int VerseAt(int index) const;
  // The text of the window's current verse, without line ends; empty when
  // that verse is not shown.
  std::string CurrentVerseText() const;

  // Writes "BibleHndl" = the translation number into `section`.
  void SaveState(TMyIniFile& ini, const std::string& section) const;

  // The on-top viewer link (not owned; null: no viewer). While it is
  // connected and this is the active window, SendToOnTop sends the chapter
  // (letters, caption, font, size, character set, text) and SendVersePos
  // the passage of `verse` as two GoToPos positions in visible characters
  // (CR and LF not counted): its first character, then the end of the verse
  // (VerseEnds[verse - 1], VerseEnds[verse]). A verse the window does not
  // show sends nothing.
  IOnTopLink* OnTopLink = nullptr;
  void SendToOnTop();
  void SendVersePos(int verse);

  // ---- activation, deactivation, closing ----
  // The window became the active child. Right after a right-button press
  // on this window it only notes that the work is pending; otherwise its
  // module becomes the active translation and its place the current one.
  void FormActivate();
  // Another window became active: the selection is cleared.
  void FormDeactivate();
  // Unchecks the translation when no other window shows it, then tells the
  // host. Runs once, from the close event.
  void FormClose();

  // A mouse press on the text control, seen before the press can activate
  // the window: notes a right-button press, performs a deferred activation
  // on a left press, and gives the control the popup menu only when this
  // is the active window.
  void BRichEdit1MouseDown(Qt::MouseButton button);
  // Shows the bookmark items that apply to the window's place.
  void PopupMenu1Popup();

  // ---- bookmarks ----
  // The reference text of the window's place ("Name chapter:verse");
  // empty when the module lacks the book.
  std::string ReferenceText() const;
  // The bookmark item (>= 1: element k - 1 of the module's Bookmarks) of
  // the window's place, or -1.
  int FindBookmarkItem() const;

  // ---- menu commands ----
  void Copy1Click();
  void Translate1Click();
  void Navigate1Click();
  void Find1Click();
  void Picture1Click();
  void ActivateVerse1Click();
  void SelektVerse1Click();
  void SelectAll1Click();
  void AddBookmark1Click();
  void DeleteBookmark1Click();

  // ---- state the tests and the main window read ----
  int ShownBook() const { return shownBook_; }
  int ShownChapter() const { return shownChapter_; }
  int ShownVerse() const { return shownVerse_; }
  // Verses of the chapter shown (0 when empty); at most kMaxVerses.
  int ShownVerseCount() const { return shownCount_; }
  // Element 0: visible length after the headings; element v: after verse v.
  // Valid for 0..ShownVerseCount().
  const std::array<std::int32_t, kMaxVerses + 1>& VerseEnds() const { return verseEnds_; }
  // FormClose has run: the window is on its way out (its sub-window is
  // deleted later), so it no longer counts as showing its translation.
  bool Closed() const { return closed_; }
  bool RightClicked() const { return rightClicked_; }
  bool PendingActivate() const { return pendingActivate_; }

  // ---- components ----
  TBibleRichEdit1* BRichEdit1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Translate1 = nullptr;
  QAction* Navigate1 = nullptr;
  QAction* Find1 = nullptr;
  QAction* Picture1 = nullptr;
  QAction* N1 = nullptr;
  QAction* ActivateVerse1 = nullptr;
  QAction* SelektVerse1 = nullptr;
  QAction* SelectAll1 = nullptr;
  QAction* N2 = nullptr;
  QAction* AddBookmark1 = nullptr;
  QAction* DeleteBookmark1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Sees the text control's focus change and presses (see BRichEdit1MouseDown).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Captions, the text control's settings, the translation's menu check.
  void FormCreate();
  void CreateMenu();
  // The menu's enabling rules for the selected text `sel`.
  bool BRichEdit1Enable0(const std::string& sel) const;
  bool BRichEdit1Enable1(const std::string& sel) const;
  bool BRichEdit1Enable2(const std::string& sel) const;
  // The head of verse `verse` as the options want it (book name, chapter,
  // number); a leading pilcrow is taken from `text` and starts a new
  // indented line; run-on translations join verses with a blank.
  std::string VerseHead(std::string& text, const TBook& book, int chapter, int verse,
                        bool runOn) const;
  // Step 2 of ShowChapter: an empty window without popup menu.
  void ShowEmpty(int book, int chapter, int verse);
  // The press that set the flags has been delivered.
  void EndPress();
  // The character set of the module's language.
  int Charset() const;
  // The viewer is connected and this is the active window.
  bool OnTopWanted() const;
  // A zoom changed `module`'s font size: shown again when it is this
  // window's module, or any module while one font serves all windows.
  void FontZoomed(TBible* module);
  // Shows `text` once per ShowChapter call (`shown` tracks it).
  void ReportOnce(const std::string& text, bool& shown);

  IBibleWindowHost& host_;
  TBible* bible_ = nullptr;
  int translationNumber_;
  int helpContext_ = 0;
  int shownBook_ = 0;
  int shownChapter_ = 0;
  int shownVerse_ = 0;
  int shownCount_ = 0;
  std::array<std::int32_t, kMaxVerses + 1> verseEnds_{};
  bool rightClicked_ = false;
  bool pendingActivate_ = false;
  // Set from a press on this window until the press has been delivered:
  // an activation in between was caused by a right-button press when
  // rightClicked_ is set.
  bool rightClickActivation_ = false;
  // The press has been handled at the focus change that came before it.
  bool pressSeen_ = false;
  bool closed_ = false;
  // The (book, chapter) whose verse overflow was last reported.
  int overflowBook_ = 0;
  int overflowChapter_ = 0;
};

}  // namespace lectora
