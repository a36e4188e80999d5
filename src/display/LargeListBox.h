// A list of any length (the words of a concordance, the headwords of a
// dictionary) shown without loading it: the rows hold only the entries that
// fit, fetched from a TLargeStringList whenever the view scrolls, and a
// separate scroll bar stands for the whole source. On top sits a history
// combo box: typing there finds the nearest entry, picking an entry writes
// its key into the box, and the box's drop-down keeps earlier texts.
#pragma once

#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <string>

#include "display/BibleComboBox.h"
#include "display/MyListBox.h"

class QMenu;

namespace lectora {

class THistoryContext;
class TLargeStringList;

enum class TScrollType { stTop, stBottom };

class TLargeListBox : public QWidget {
  Q_OBJECT

 public:
  // `context` (not owned) must outlive the control.
  explicit TLargeListBox(THistoryContext& context, QWidget* parent = nullptr);

  // The history box on top, the row list and the scroll bar (owned here).
  TBibleComboBox* ComboBox() const { return comboBox_; }
  TMyListBox* RowList() const { return rowList_; }
  QScrollBar* ScrollBar() const { return scrollBar_; }

  // The source (not owned; null for none); it must outlive its use here or
  // be replaced first. A source with entries is searched for the box text.
  void SetList(TLargeStringList* source);
  TLargeStringList* List() const { return list_; }

  // The selected entry of the source or -1; the source index of the first
  // row.
  int ItemIndex() const { return itemIndex_; }
  int TopIndex() const { return topIndex_; }

  // The box text, 8-bit.
  std::string Text() const { return comboBox_->Text(); }
  // Writes `text` as SetClearText does and, when the text differed,
  // handles it as typed.
  void SetText(const std::string& text);
  // Writes `text` into the box without reporting a change; when the box
  // text is longer than one character and ends with a blank or "/", `text`
  // is appended to it instead (queries of several words). The caret stays.
  void SetClearText(const std::string& text);

  TScrollType ScrollType() const { return scrollType_; }
  void SetScrollType(TScrollType type) { scrollType_ = type; }
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
  int HelpContext2() const { return helpContext2_; }
  void SetHelpContext2(int topic) { helpContext2_ = topic; }

  // The font of the box and of the rows.
  QFont Font() const { return comboBox_->font(); }
  void SetFont(const QFont& font);
  // The character set of the texts (204 by default).
  void SetCharset(int charset);

  // The menu of the box and the menu of the rows (not owned).
  QMenu* PopupMenu() const { return comboBox_->PopupMenu(); }
  void SetPopupMenu(QMenu* menu) { comboBox_->SetPopupMenu(menu); }
  QMenu* PopupMenu2() const { return popupMenu2_; }
  void SetPopupMenu2(QMenu* menu) { popupMenu2_ = menu; }
  // Passed through to the box (see TBibleComboBox::SetBackButton).
  void SetBackButton(QAbstractButton* button, std::function<void()> chained = {}) {
    comboBox_->SetBackButton(button, std::move(chained));
  }
  void SetNextButton(QAbstractButton* button, std::function<void()> chained = {}) {
    comboBox_->SetNextButton(button, std::move(chained));
  }

  // Called with every character typed in the box or the rows (8-bit; Enter
  // is '\r'); the handler may replace it or set it to 0 to swallow it.
  std::function<void(char& key)> OnKeyPress;

  // The rows that fit; sets the scroll bar's maximum to the source's count
  // less the rows (0 when the source fits or there is none) and its page
  // step.
  int VisibleCount();
  // Fetches the visible entries from TopIndex on and selects ItemIndex's row.
  void Refill();
  // Finds the box text in the source, scrolls it into view as ScrollType
  // says and selects it when it equals an entry (ignoring letter case).
  void Locate();
  // Makes `index` (-1 none) the selected entry and writes its key into the
  // box.
  void SelectEntry(int index);
  // Places the scroll bar over the right edge of the rows and refills.
  void Resize();

 Q_SIGNALS:
  // The box text changed (typed, or written by SetText).
  void Changed();
  // The selected entry changed.
  void ChangeItemIndex();
  // An entry was picked with the mouse or keys in the rows; `sender` is the
  // row list.
  void Click(QWidget* sender);
  void DblClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ComboChange();
  void RowClick();
  void RowKeyDown(int key);
  void ScrollChange(int position);
  // Sets the bar's maximum without reporting a move; TopIndex follows a
  // position the new maximum cut back.
  void SetScrollMaximum(int maximum);
  void SelectRow(int row);
  bool IsConnected(void (TLargeListBox::*signal)()) const;
  void ReportFailure(const std::exception& error);

  THistoryContext& context_;
  TBibleComboBox* comboBox_;
  TMyListBox* rowList_;
  QScrollBar* scrollBar_;
  QPointer<QMenu> popupMenu2_;
  TLargeStringList* list_ = nullptr;
  int topIndex_ = 0;
  int itemIndex_ = -1;
  TScrollType scrollType_ = TScrollType::stBottom;
  bool autoSelect_ = true;
  int helpContext2_ = 0;
  bool droppedDown_ = false;
  bool clicked_ = false;
  bool itemIndexChanged_ = false;
  bool failureReported_ = false;
};

}  // namespace lectora
