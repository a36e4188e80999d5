// The program's main window: the frame of the Bible windows, the tool bar
// with the navigation controls, the left panel with the word list and the
// verse history, the menus, and the life of the process from the reading of
// the settings to their writing at exit. It holds the one current place of
// the program and moves every Bible window to it in its own versification.
// Construction, menus and the Bible-window host live in Lectora2Form1.cpp,
// navigation in Lectora2Form1Navigation.cpp, start-up and closing in
// Lectora2Form1Lifecycle.cpp.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/BibleForm1.h"
#include "display/BibleWindowHost.h"
#include "mainwindow/MainWindowSettings.h"
#include "search/SearchContext.h"
#include "store/Abbreviations.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"

class QAction;
class QActionGroup;
class QLabel;
class QListWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplitter;
class QToolButton;
class QWidget;

namespace lectora {

class TBibleComboBox;
class TBibleForm1;
class TBibleSet;
class TCDDriveForm1;
class TConcList;
class TDblButton;
class TDisplayContext;
class THistoryContext;
class TLargeListBox;
class TListMessageForm1;
class TMsgForm1;
class TMySpinEdit;
class TODComboBox;
class TOptionValues;
class TQtMessageService;
class TSettings;

class TLectora2Form1 : public QMainWindow, public IBibleWindowHost {
  Q_OBJECT

 public:
  // How the process starts the window.
  struct TStartOptions {
    // The setup folder (with or without a trailing "/"): the program's own
    // folder unless --setup-dir gave another.
    std::string SetupFolder;
    // Where the per-user registry file lives (tests give their own).
    std::string ConfigHome;
    // Dialogs answer from their queues instead of showing (tests).
    bool ScriptedDialogs = false;
    // Treat the setup folder as one that cannot be written: nothing is
    // saved (tests of a read-only setup where the test user may write
    // anywhere).
    bool ReadOnlySetup = false;
  };

  // Reads the shared files and the settings and builds every control and
  // menu, hidden; FormShow finishes the start. Throws LectoraError when the
  // standard structure or the abbreviations are missing or damaged (the
  // program cannot run without them).
  explicit TLectora2Form1(const TStartOptions& options, QWidget* parent = nullptr);
  ~TLectora2Form1() override;

  // The start after the window exists: the options, the translation menus,
  // the Bible windows of the last run (last-numbered first, at "GlVIndex"),
  // the stored search text, and the first place shown.
  void FormShow();
  // Writes everything marked as written at exit, unless the setup folder
  // cannot be written. Runs once, from the close event.
  void FormClose();

  // ---- navigation ----
  // Applies the book box and the two spin edits to every Bible window.
  void ShowPosition(bool scroll);
  // Moves to verse `number` of the active module (nothing below 1).
  void GoToVerse(int number);
  // Moves to the place of a standard verse number.
  void GoToStandard(std::int32_t standardNumber);
  // Moves the book box by `delta` books and shows the place.
  void MoveBook(int delta);
  // A new Bible window for translation `number` at the current place.
  TBibleForm1* OpenBibleWindow(int number);
  // The translation command: opens, tiles and shows the place.
  void OpenTranslation(int number);
  // The random verse of the Goto menu.
  void GoToRandomVerse();

  // ---- commands ----
  void TileWindows();
  void CloseAllWindows();
  // The Bible windows in window order: the topmost (last active) first.
  std::vector<TBibleForm1*> BibleWindows() const;
  TBibleForm1* ActiveBibleWindow() const { return activeWindow_; }

  // ---- what tests and the start need to reach ----
  int CurrentVerseNumber() const { return currentVerseNumber_; }
  const std::string& CurrentReference() const { return currentReference_; }
  TDblButton& BookButtons() { return *dblButton3_; }
  TDblButton& ChapterButtons() { return *dblButton1_; }
  TDblButton& VerseButtons() { return *dblButton2_; }
  QToolButton& BackButton() { return *toolButton3_; }
  QToolButton& NextButton() { return *toolButton4_; }
  QToolButton& StrongButton() { return *toolButton2_; }
  QToolButton& FootnoteButton() { return *toolButton11_; }
  QMdiArea& WindowArea() { return *mdiArea_; }
  QMenu& GotoMenu() { return *gotoMenu_; }
  QAction& TranslationAction(int number) { return *translationActions_[number]; }
  TMsgForm1& MessageDialog() { return *msgForm_; }
  TCDDriveForm1& DriveDialog() { return *driveForm_; }
  TSettings& Settings() { return *settings_; }
  TMainWindowSettings& WindowSettings() { return windowSettings_; }

  // ---- IBibleWindowHost ----
  TBibleSet& Bibles() override { return *bibles_; }
  const TStandardStructure& Standard() const override { return standard_; }
  TBible* ActiveBible() const override;
  std::int32_t CurrentStandardNumber() const override { return currentStandardNumber_; }
  int CurrentBook() const override { return currentBook_; }
  void SetCurrentBook(int bookNumber) override { currentBook_ = bookNumber; }
  TBible* LastActiveBible() const override { return lastActiveBible_; }
  void SetLastActiveBible(TBible* bible) override { lastActiveBible_ = bible; }
  bool RunningFromCD() const override;
  const TOptionValues& Options() const override { return *options_; }
  TOptionValues& MutableOptions() { return *options_; }
  bool StrongHidden() const override;
  QColor CurrentVerseColor() const override;
  std::string Translate(const std::string& key) const override;
  IMessageService& Messages() override;
  TDisplayContext& DisplayContext() override { return *displayContext_; }
  THistoryContext& HistoryContext() override { return *historyContext_; }
  TODComboBox& BookBox() override { return *bookBox_; }
  void SetBookBoxItems(const std::vector<std::string>& names) override;
  TMySpinEdit& ChapterSpin() override { return *spinEdit1_; }
  TMySpinEdit& VerseSpin() override { return *spinEdit2_; }
  TBibleComboBox& VerseHistory() override { return *historyBox_; }
  TLargeListBox& WordBox() override { return *largeListBox1_; }
  QMenu& BookmarkMenu() override { return *bookMark2_; }
  QAction* CopyAction() override { return copyAction_; }
  TListMessageForm1& ListMessage() override { return *listMessage_; }
  void SetActiveBibleWindow(TBibleForm1* window) override { activeWindow_ = window; }
  bool IsActiveBibleWindow(const TBibleForm1* window) const override;
  void ActiveTranslationChanged(TBible& bible) override;
  void SetTranslationChecked(int number, bool checked) override;
  bool TranslationShownElsewhere(int number, const TBibleForm1* except) const override;
  bool GoToReference(const std::string& text) override;
  void BookmarkChosen(const std::string& reference) override;
  void BibleWindowClosed(TBibleForm1* window) override;

 Q_SIGNALS:
  // Every Bible window that a move refreshed has been laid out (benchmarks
  // and tests wait for it).
  void PositionShown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The key-down handling of the two spin edits.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Construction.
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateLeftPanel();
  void WireNavigation();
  // Start-up and closing.
  void FormCreate();
  void ApplyWindowSettings();
  void CollectWindowSettings();
  // Navigation.
  void UpdateCurrentVerse();
  void SetNavigationEnabled(bool enabled);
  void BookBoxChanged();
  void BookBoxKey(char& key);
  void SpinChanged();
  void SpinKey(TMySpinEdit& spin, int key);
  void ChapterBelowMinimum();
  void ChapterAboveMaximum();
  void VerseBelowMinimum();
  void VerseAboveMaximum();
  void BookButtonUp();
  void BookButtonDown();
  void HistoryChanged();
  // Keeps the spin edits' limits and texts in step without change events.
  void FixSpin(TMySpinEdit& spin, int value);
  // The verse number of the book box and the two spin edits in the active
  // module, or 0.
  int SpinVerseNumber() const;
  // Re-shows every window's chapter (Strong's or footnotes toggled).
  void RefreshAllWindows();
  // Activation of a sub-window of the window area.
  void SubWindowActivated(QMdiSubWindow* window);
  TBibleForm1* WindowOf(QMdiSubWindow* window) const;

  // The process-wide state.
  TStartOptions startOptions_;
  std::unique_ptr<TSettings> settings_;
  TStandardStructure standard_;
  TAbbreviations abbreviations_;
  TStoreContext storeContext_;
  TSearchContext searchContext_;
  std::unique_ptr<TBibleSet> bibles_;
  std::unique_ptr<TDisplayContext> displayContext_;
  std::unique_ptr<THistoryContext> historyContext_;
  std::unique_ptr<TQtMessageService> messages_;
  TMainWindowSettings windowSettings_;
  std::unique_ptr<TConcList> wordList_;  // the active module's word list

  // Navigation state.
  int currentBook_ = 1;
  int currentVerseNumber_ = 0;
  std::int32_t currentStandardNumber_ = 1;
  std::string currentReference_;
  double openedAt_ = 0;
  bool recordHistory_ = true;
  bool ignoreSpinChange_ = false;
  bool restoring_ = false;
  bool closed_ = false;
  TBible* lastActiveBible_ = nullptr;
  QPointer<TBibleForm1> activeWindow_;

  // Windows and controls (children of this window unless noted).
  TOptionValues* options_ = nullptr;
  TMsgForm1* msgForm_ = nullptr;
  TCDDriveForm1* driveForm_ = nullptr;
  TListMessageForm1* listMessage_ = nullptr;
  QMdiArea* mdiArea_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* panel3_ = nullptr;  // the left panel
  TLargeListBox* largeListBox1_ = nullptr;
  QListWidget* listBox2_ = nullptr;
  TBibleComboBox* historyBox_ = nullptr;
  TODComboBox* bookBox_ = nullptr;
  TMySpinEdit* spinEdit1_ = nullptr;
  TMySpinEdit* spinEdit2_ = nullptr;
  TDblButton* dblButton1_ = nullptr;
  TDblButton* dblButton2_ = nullptr;
  TDblButton* dblButton3_ = nullptr;
  QToolButton* toolButton1_ = nullptr;
  QToolButton* toolButton2_ = nullptr;
  QToolButton* toolButton3_ = nullptr;
  QToolButton* toolButton4_ = nullptr;
  QToolButton* toolButton6_ = nullptr;
  QToolButton* toolButton11_ = nullptr;
  QToolButton* toolButton12_ = nullptr;
  QToolButton* toolButton15_ = nullptr;
  QAction* copyAction_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  std::array<QAction*, 12> translationActions_{};
  QMenu* bible1_ = nullptr;
  QMenu* popupMenu6_ = nullptr;
  QMenu* gotoMenu_ = nullptr;
  QMenu* bookMark2_ = nullptr;
  QMenu* windows1_ = nullptr;
  QMenu* popupMenu2_ = nullptr;
  QMenu* popupMenu3_ = nullptr;
  // Menu items shown or enabled once a Bible window exists.
  std::vector<QAction*> windowItems_;
};

}  // namespace lectora
