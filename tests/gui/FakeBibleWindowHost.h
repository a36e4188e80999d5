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
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/Abbreviations.h"
#include "store/BibleSet.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"
#include "support/TestSupport.h"

class QMdiSubWindow;

namespace lectora::test {

// The book box with the entry setter the main window's box has.
class FakeBookBox : public TODComboBox {
 public:
  using TODComboBox::TODComboBox;
  void SetItems(const std::vector<std::string>& names);
};

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
  // it.
  explicit FakeBibleWindowHost(const std::string& setupFolder);
  ~FakeBibleWindowHost() override;

  // A shown QMdiArea; windows added with AddWindow activate through it.
  QMdiArea& UseWindowArea();
  // Puts `window` into a sub-window (deleted on close) of the area, shows it
  // and returns the sub-window.
  QMdiSubWindow* AddWindow(TBibleForm1* window);
  // Windows TranslationShownElsewhere looks at (AddWindow tracks too).
  void Track(TBibleForm1* window);

  // ---- IBibleWindowHost ----
  TBibleSet& Bibles() override { return bibles_; }
  const TStandardStructure& Standard() const override { return standard_; }
  TBible* ActiveBible() const override;
  std::int32_t CurrentStandardNumber() const override { return StandardNumber; }
  int CurrentBook() const override { return Book; }
  void SetCurrentBook(int bookNumber) override { Book = bookNumber; }
  TBible* LastActiveBible() const override { return LastActive; }
  void SetLastActiveBible(TBible* bible) override { LastActive = bible; }
  bool RunningFromCD() const override { return FromCD; }
  const TOptionValues& Options() const override { return OptionValues; }
  bool StrongHidden() const override { return HideStrong; }
  QColor CurrentVerseColor() const override { return VerseColor; }
  std::string Translate(const std::string& key) const override;
  IMessageService& Messages() override { return MessageLog; }
  TDisplayContext& DisplayContext() override { return display_; }
  THistoryContext& HistoryContext() override { return history_; }
  TODComboBox& BookBox() override { return *bookBox_; }
  void SetBookBoxItems(const std::vector<std::string>& names) override {
    bookBox_->SetItems(names);
  }
  TMySpinEdit& ChapterSpin() override { return *chapterSpin_; }
  TMySpinEdit& VerseSpin() override { return *verseSpin_; }
  TBibleComboBox& VerseHistory() override { return *verseHistory_; }
  TLargeListBox& WordBox() override { return *wordBox_; }
  QMenu& BookmarkMenu() override { return *bookmarkMenu_; }
  QAction* CopyAction() override { return copyAction_; }
  TListMessageForm1& ListMessage() override { return *listMessage_; }
  void SetActiveBibleWindow(TBibleForm1* window) override { ActiveWindow = window; }
  bool IsActiveBibleWindow(const TBibleForm1* window) const override;
  void ActiveTranslationChanged(TBible& bible) override { TranslationChanges.push_back(&bible); }
  void SetTranslationChecked(int number, bool checked) override { Checked[number] = checked; }
  bool TranslationShownElsewhere(int number, const TBibleForm1* except) const override;
  bool GoToReference(const std::string& text) override;
  void BookmarkChosen(const std::string& reference) override {
    ChosenBookmarks.push_back(reference);
  }
  void BibleWindowClosed(TBibleForm1* window) override { ClosedWindows.push_back(window); }

  // ---- what tests set ----
  std::int32_t StandardNumber = 1;
  int Book = 1;
  TBible* LastActive = nullptr;
  bool FromCD = false;
  bool HideStrong = false;
  QColor VerseColor{0x00, 0x80, 0x00};
  TOptionValues OptionValues;
  // Interface texts by key; other keys answer themselves.
  std::map<std::string, std::string> Texts;
  bool GoToReferenceResult = true;

  // ---- what the windows did ----
  RecordingMessages MessageLog;
  QPointer<TBibleForm1> ActiveWindow;
  std::map<int, bool> Checked;
  std::vector<TBible*> TranslationChanges;
  std::vector<std::string> References;
  std::vector<std::string> ChosenBookmarks;
  std::vector<TBibleForm1*> ClosedWindows;
  // "activated <title>" for every activation of the window area, in order;
  // tests add their own entries to prove an order.
  std::vector<std::string> Events;

 private:
  std::unique_ptr<TSettings> settings_;
  TStandardStructure standard_;
  TAbbreviations abbreviations_;
  TStoreContext storeContext_;
  TBibleSet bibles_;
  std::vector<std::string> searchWords_;
  TDisplayContext display_;
  THistoryContext history_;
  // Parent of the controls; deleting it deletes them.
  std::unique_ptr<QWidget> panel_;
  FakeBookBox* bookBox_ = nullptr;
  TMySpinEdit* chapterSpin_ = nullptr;
  TMySpinEdit* verseSpin_ = nullptr;
  TBibleComboBox* verseHistory_ = nullptr;
  TLargeListBox* wordBox_ = nullptr;
  QMenu* bookmarkMenu_ = nullptr;
  QAction* copyAction_ = nullptr;
  QuietListMessage* listMessage_ = nullptr;
  std::unique_ptr<QMdiArea> area_;
  QPointer<QMdiSubWindow> activeSub_;
  std::vector<QPointer<TBibleForm1>> windows_;
};

}  // namespace lectora::test
