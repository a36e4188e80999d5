// A stand-in for the main window as Bible windows see it: the shared
// modules of a test setup folder, the options, and real controls (book box,
// spin edits, histories, word list, bookmark menu, copy action) that the
// windows fill. It records what the windows tell it. With UseWindowArea it
// puts windows into a real QMdiArea and activates them as the main window
// does, through QMdiArea::subWindowActivated.
#pragma once

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleWindowHost.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "display/ListMessageForm1.h"
#include "display/ODComboBox.h"
#include "mainwindow/HistoryListView.h"
#include "mainwindow/NavigationBar.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/BibleSet.h"
#include "store/StoreSession.h"
#include "support/TestSupport.h"

class QMdiSubWindow;
class QToolBar;

namespace lectora::test {

// The list limit dialog answering at once; counts how often it would show.
class QuietListMessage : public TListMessageForm1 {
 public:
  using TListMessageForm1::TListMessageForm1;
  int Shown = 0;

 protected:
  int Exec() override {
    ++Shown;
    return QDialog::Accepted;
  }
};

class FakeBibleWindowHost : public IBibleWindowHost {
 public:
  // `setupFolder` (with a trailing "/") must hold "BibleStructure.txt",
  // "Abrevs.txt" (CopySharedData) and the module folders; the per-user
  // registry goes to its "config" subfolder. Outlives every window given to
  // it. The host has the real navigator and active translation, and the
  // real navigation controls, verse history and bookmark menu as their
  // views, so that tests see what a reader would.
  explicit FakeBibleWindowHost(const std::string& setupFolder);
  ~FakeBibleWindowHost() override;

  // A shown QMdiArea; windows added with AddWindow activate through it.
  QMdiArea& UseWindowArea();
  // Puts `window` into a sub-window (deleted on close) of the area, shows it
  // and returns the sub-window.
  QMdiSubWindow* AddWindow(TBibleForm1* window);
  // Windows TranslationShownElsewhere and the navigator look at (AddWindow
  // tracks too).
  void Track(TBibleForm1* window);

  // ---- IBibleWindowHost ----
  TBibleSet& Bibles() override { return session_.Bibles(); }
  const TStandardStructure& Standard() const override { return session_.Standard(); }
  TNavigator& Navigator() override { return navigator_; }
  TActiveTranslation& ActiveTranslation() override { return active_; }
  const TOptionValues& Options() const override { return OptionValues; }
  bool StrongHidden() const override { return HideStrong; }
  QColor CurrentVerseColor() const override { return VerseColor; }
  std::string Translate(const std::string& key) const override;
  IMessageService& Messages() override { return MessageLog; }
  TDisplayContext& DisplayContext() override { return display_; }
  QAction* CopyAction() override { return copyAction_; }
  bool IsActiveBibleWindow(const TBibleForm1* window) const override;
  void SetTranslationChecked(int number, bool checked) override { Checked[number] = checked; }
  bool TranslationShownElsewhere(int number, const TBibleForm1* except) const override;
  void BibleWindowClosed(TBibleForm1* window) override { ClosedWindows.push_back(window); }
  void SearchFor(const std::string& text) override { SearchedFor.push_back(text); }

  // ---- the views of the services ----
  TODComboBox& BookBox();
  TMySpinEdit& ChapterSpin();
  TMySpinEdit& VerseSpin();
  TBibleComboBox& VerseHistory() { return *verseHistory_; }
  QMenu& BookmarkMenu() { return *bookmarkMenu_; }
  THistoryContext& HistoryContext() { return history_; }
  TBible* LastActiveBible() const;
  void SetStandardNumber(std::int32_t number);

  // ---- what tests set ----
  bool HideStrong = false;
  QColor VerseColor{0x00, 0x80, 0x00};
  TOptionValues OptionValues;
  // Interface texts by key; other keys answer themselves.
  std::map<std::string, std::string> Texts;
  // The active window when no window area is used.
  QPointer<TBibleForm1> ActiveWindow;

  // ---- what the windows did ----
  RecordingMessages MessageLog;
  std::map<int, bool> Checked;
  std::vector<TBible*> TranslationChanges;
  std::vector<TBibleForm1*> ClosedWindows;
  // The texts the find command searched for, in order.
  std::vector<std::string> SearchedFor;
  // "activated <title>" for every activation of the window area, in order;
  // tests add their own entries to prove an order.
  std::vector<std::string> Events;

 private:
  TStoreSession session_;
  std::vector<std::string> searchWords_;
  TDisplayContext display_;
  THistoryContext history_;
  TActiveTranslation active_;
  TNavigator navigator_;
  // Parent of the controls; deleting it deletes them.
  std::unique_ptr<QWidget> panel_;
  QToolBar* toolBar_ = nullptr;
  TNavigationBar* bar_ = nullptr;
  TBibleComboBox* verseHistory_ = nullptr;
  TBibleComboBox* searchHistory_ = nullptr;
  QMenu* bookmarkMenu_ = nullptr;
  QAction* copyAction_ = nullptr;
  QuietListMessage* listMessage_ = nullptr;
  std::unique_ptr<THistoryListView> verseView_;
  std::unique_ptr<THistoryListView> searchView_;
  std::unique_ptr<QMdiArea> area_;
  QPointer<QMdiSubWindow> activeSub_;
  std::vector<QPointer<TBibleForm1>> windows_;
};

}  // namespace lectora::test
