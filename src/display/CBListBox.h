// The drop-down list of the self-drawn combo box: a frameless popup window
// (Qt::Popup, so the popup grab plays the part of the mouse capture) that
// draws the box's entries itself, selects the row under the pointer while
// the mouse moves over it, picks a row on a click and hides on a press
// outside it. The keys it receives as the popup go on to the box's edit
// field.
#pragma once

#include <QScrollBar>
#include <QWidget>

namespace lectora {

class TODComboBox;

class TCBListBox : public QWidget {
  Q_OBJECT

 public:
  // `box` (the owner) must outlive the list.
  explicit TCBListBox(TODComboBox* box);

  // Places the list at `globalRect` (row height and entries come from the
  // box), selects row `selected` (-1 none), scrolls it into view and shows
  // the list.
  void Open(const QRect& globalRect, int selected);

  // Re-reads the entries of the box (their number may have changed).
  void Refresh();

  // The highlighted row or -1; moves with the pointer.
  int Selected() const { return selected_; }
  void SetSelected(int row);
  // The first entry shown.
  int TopRow() const { return scrollBar_->value(); }
  // The box the list belongs to.
  TODComboBox* Box() const { return box_; }
  // Entry `row`'s rectangle in the list; empty when it is scrolled out of
  // view or not an entry.
  QRect RowRect(int row) const;
  // The rows that fit.
  int VisibleRows() const;
  // True when the entries do not all fit and the scroll bar is shown.
  bool HasScrollBar() const { return !scrollBar_->isHidden(); }
  // The entry at `y` (list coordinates), or -1 below the last entry.
  int RowAt(int y) const;
  // Width of the strip at the right edge that belongs to the scroll bar
  // (0 when every row fits).
  int ScrollStripWidth() const;
  QScrollBar* ScrollBar() const { return scrollBar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Keys go on to the edit field (Escape hides the list; Enter picks the
  // highlighted row, or without one hides the list and reaches the field).
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateScrollBar();
  void EnsureVisible(int row);
  bool InRowArea(const QPoint& pos) const;
  // Tells a screen reader which row is highlighted now.
  void ReportSelected();

  TODComboBox* box_;
  QScrollBar* scrollBar_;
  int selected_ = -1;
};

}  // namespace lectora
