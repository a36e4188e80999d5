// The range dialog: which books a word search covers. It lists the books of
// the active module with a check box each, offers a quick selector (all, Old
// Testament, New Testament, selected books) and, on OK, writes the checks
// into the search context's SelectedBooks and the selector into its
// SearchRangeType. Books the module lacks are not listed and keep their
// values, so a range chosen in one translation survives for the books of
// another. The dialog keeps nothing between showings: every showing
// rebuilds the list from the search context.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace lectora {

class TBible;
class TMyRadioGroup;
class TSearchContext;

class TRangeForm1 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 10;
  // Quick selector items.
  static constexpr int kAllBooks = 0;
  static constexpr int kOldTestament = 1;
  static constexpr int kNewTestament = 2;
  static constexpr int kSelectedBooks = 3;
  // The New Testament: Matthew (51) to Revelation (77). The Prayer of
  // Manasseh (78), numbered after them, belongs to the Old Testament.
  static constexpr int kFirstNewTestamentBook = 51;
  static constexpr int kLastNewTestamentBook = 77;
  static constexpr bool IsNewTestament(int book) {
    return book >= kFirstNewTestamentBook && book <= kLastNewTestamentBook;
  }

  // `search` (not owned) must outlive the dialog.
  explicit TRangeForm1(TSearchContext& search, QWidget* parent = nullptr);

  // Where the listed books come from: asked at every showing; a null module
  // lists nothing (OK then stores only the selector).
  void SetBibleSource(std::function<const TBible*()> source);
  // The font family of the dialog (the Cyrillic font of the open modules);
  // asked at every showing, "" keeps the design font.
  void SetCyrillicFontSource(std::function<std::string()> source);
  // Opens a help topic ("Range"); without it the Help button is disabled.
  void SetHelp(std::function<void(const std::string& topic)> help);

  // Shows the dialog modal to its parent window without blocking the
  // caller; the result arrives through RangeConfirmed (OK) or nothing.
  void ShowRange();

  QListWidget* CheckListBox1() const { return checkListBox1_; }
  TMyRadioGroup* RadioGroup1() const { return radioGroup1_; }
  QPushButton* Button1() const { return button1_; }  // OK
  QPushButton* Button2() const { return button2_; }  // Cancel
  QPushButton* Button3() const { return button3_; }  // Clear
  QPushButton* Button4() const { return button4_; }  // Help

 Q_SIGNALS:
  // OK stored the range: the current search is to run again.
  void RangeConfirmed();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void FormShow();
  void RadioGroup1Click();
  void CheckListBox1Change(QListWidgetItem* item);
  void Button3Click();
  void Button1Click();
  // Checks line `line` (0-based) without counting it as the reader's click.
  void SetLineChecked(int line, bool checked);

  TSearchContext& search_;
  std::function<const TBible*()> bibleSource_;
  std::function<std::string()> fontSource_;
  std::function<void(const std::string&)> help_;
  // The module the list was built from, for the duration of one showing.
  const TBible* shown_ = nullptr;
  // Set while the dialog itself changes checks.
  bool filling_ = false;
  QFont designFont_;
  QListWidget* checkListBox1_ = nullptr;
  TMyRadioGroup* radioGroup1_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* button3_ = nullptr;
  QPushButton* button4_ = nullptr;
};

}  // namespace lectora
