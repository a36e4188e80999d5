// A self-drawn combo box: a frameless edit field that refuses copying, a
// 20-pixel drop button with a black triangle, and a drop-down list drawn by
// the box itself. The entries are 8-bit texts in the code page of the box's
// character set; the widgets show them as Unicode. The history list builds
// on it.
#pragma once

#include <QAbstractButton>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace lectora {

class TCDEdit;
class TCBListBox;

class TODComboBox : public QWidget {
  Q_OBJECT

 public:
  // The drop button: a flat button 20 pixels wide that draws the platform
  // button and a black triangle on it.
  class TDnButton : public QAbstractButton {
   public:
    explicit TDnButton(QWidget* parent);
    QSize sizeHint() const override;

   protected:
    void paintEvent(QPaintEvent* event) override;
  };

  static constexpr int kButtonWidth = 20;
  static constexpr int kMinimumWidth = 40;

  explicit TODComboBox(QWidget* parent = nullptr);
  ~TODComboBox() override;

  // The edit field's text, 8-bit in the box's character set.
  std::string Text() const;
  // Writes `text` into the edit field; fires Changed when the text differs.
  void SetText(const std::string& text);
  // Writes `text` into the edit field without firing Changed.
  void SetTextQuiet(const std::string& text);

  // The entries, 8-bit. Changing them through the subclasses keeps the
  // drop-down list in step (it reads them when it paints).
  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Index of the first entry equal to `text` byte for byte, or -1.
  int IndexOf(const std::string& text) const;

  // The selected entry or -1.
  int ItemIndex() const { return itemIndex_; }
  // Selects entry `index` (-1 or an index outside the entries clears the
  // selection); a valid entry's text is written into the edit field
  // without firing Changed.
  void SetItemIndex(int index);
  // Replaces the entries with `items` (8-bit) and clears the selection; the
  // edit text stays. For plain lists such as the book names.
  void SetItems(std::vector<std::string> items);

  // Fires Changed. Runs on every change of the edit text, typed or written.
  virtual void Change();

  // The font character set of the texts (204 Cyrillic by default).
  int Charset() const { return charset_; }
  void SetCharset(int charset);

  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  int SelStart() const;
  // Puts the caret at `start` and removes the selection.
  void SetSelStart(int start);
  int SelLength() const;
  // Selects `length` characters from SelStart().
  void SetSelLength(int length);

  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count) { dropDownCount_ = count < 1 ? 1 : count; }
  // The list opens above the box instead of below it.
  bool DropUp() const { return dropUp_; }
  void SetDropUp(bool dropUp) { dropUp_ = dropUp; }
  // The row height of the drop-down list, set with the font.
  int RowHeight() const { return rowHeight_; }

  // The menu shown on a right click in the edit field (not owned); without
  // one the edit field shows no menu at all.
  QMenu* PopupMenu() const { return popupMenu_; }
  virtual void SetPopupMenu(QMenu* menu);

  // Called for every character typed in the edit field, with the character
  // in the box's code page (Enter is '\r', Escape '\x1b', Backspace '\b');
  // the handler may replace it or set it to 0 to swallow it. Characters the
  // code page lacks are inserted without a call.
  std::function<void(char& key)> OnKeyPress;

  TCDEdit* Edit() const { return edit_; }
  TDnButton* Button() const { return button_; }
  // The drop-down list; null until it dropped down for the first time.
  TCBListBox* List() const { return list_; }
  bool IsDroppedDown() const;

  // The drop button's click: hides a shown list and gives the focus to the
  // edit field, otherwise opens the list below (or above) the box.
  void DropButtonClick();

  // ---- called by the edit field and the list ----
  // Up or Down typed in the edit field.
  void EditKeyUp();
  void EditKeyDown();
  // A mouse press in the edit field while the list is shown.
  void EditPressWhileDropped();
  // A click on row `row` of the list.
  void ListRowClick(int row);

 Q_SIGNALS:
  // The edit text changed (OnChange).
  void Changed();
  // The list dropped down (OnDropDown).
  void DroppedDown();

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

  // Selects `index` without touching the edit field.
  void SetItemIndexQuiet(int index);
  // Repaints a shown list after the entries changed.
  void ItemsChanged();

  std::vector<std::string> items_;

 private:
  void ApplyFontSize();
  // Tells a screen reader that the list opened or closed.
  void ReportExpanded(bool expanded);

  TCDEdit* edit_ = nullptr;
  TDnButton* button_ = nullptr;
  TCBListBox* list_ = nullptr;
  QPointer<QMenu> popupMenu_;
  int itemIndex_ = -1;
  int charset_ = 204;
  int dropDownCount_ = 8;
  bool dropUp_ = false;
  int rowHeight_ = 16;
  int quiet_ = 0;  // > 0 while the edit text is written without Changed
};

}  // namespace lectora
