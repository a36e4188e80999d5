// A list box with rows of one fixed height that draws its rows itself: the
// text of a row clipped to the row at one pixel from its left edge, in the
// highlight colours when the row is selected. Rows hold 8-bit texts of the
// list's character set, shown as Unicode. It reports a click also when the
// keyboard moves the selection, as the large list box expects.
#pragma once

#include <QListWidget>
#include <functional>
#include <string>

namespace lectora {

class TMyListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TMyListBox(QWidget* parent = nullptr);

  QFont Font() const { return font(); }
  // Sets the font; the row height becomes the height of "gM" + 1.
  void SetFont(const QFont& font);
  int RowHeight() const { return rowHeight_; }

  // The character set of the texts (204 Cyrillic by default).
  int Charset() const { return charset_; }
  void SetCharset(int charset) { charset_ = charset; }
  // Appends a row showing `text` (8-bit).
  void AddText(const std::string& text);
  // The text of row `row`, 8-bit; "" outside the rows.
  std::string Text(int row) const;

  // Draws row `row` into `rect`.
  virtual void DrawItem(QPainter& painter, const QRect& rect, int row, bool selected) const;

  // Called for every character typed, in the list's code page (Enter is
  // '\r'); the handler may set it to 0 to swallow the key.
  std::function<void(char& key)> OnKeyPress;

 Q_SIGNALS:
  // A row was clicked, or the keyboard moved the selection.
  void Click();
  void DblClick();
  // A key went down, before the list moves its selection.
  void KeyDown(int key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int rowHeight_ = 16;
  int charset_ = 204;
};

}  // namespace lectora
