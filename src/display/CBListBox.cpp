#include "display/CBListBox.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "display/CDEdit.h"
#include "display/ListAccessibility.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"

namespace lectora {

TCBListBox::TCBListBox(TODComboBox* box)
    : QWidget(box, Qt::Popup | Qt::FramelessWindowHint),
      box_(box),
      scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  scrollBar_->hide();
  scrollBar_->setRange(0, 0);
  connect(scrollBar_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
  InstallListAccessibility();
}

void TCBListBox::Open(const QRect& globalRect, int selected) {
  // A press on the box while the list was shown may have switched the
  // replay off; a new opening starts clean.
  setAttribute(Qt::WA_NoMouseReplay, false);
  setGeometry(globalRect);
  UpdateScrollBar();
  selected_ = selected >= 0 && selected < box_->Count() ? selected : -1;
  EnsureVisible(selected_);
  show();
  update();
  ReportSelected();
}

void TCBListBox::Refresh() {
  if (selected_ >= box_->Count()) selected_ = -1;
  UpdateScrollBar();
  update();
}

void TCBListBox::SetSelected(int row) {
  selected_ = row >= 0 && row < box_->Count() ? row : -1;
  EnsureVisible(selected_);
  update();
  ReportSelected();
}

QRect TCBListBox::RowRect(int row) const {
  const int visibleRow = row - TopRow();
  if (row < 0 || row >= box_->Count() || visibleRow < 0 || visibleRow >= VisibleRows()) return {};
  const int rowHeight = std::max(1, box_->RowHeight());
  const int rowWidth = std::max(0, width() - 2 - (HasScrollBar() ? scrollBar_->width() : 0));
  return QRect(1, 1 + visibleRow * rowHeight, rowWidth, rowHeight);
}

void TCBListBox::ReportSelected() {
  if (!QAccessible::isActive() || !isVisible() || selected_ < 0) return;
  QAccessibleEvent event(this, QAccessible::Focus);
  event.setChild(selected_);
  QAccessible::updateAccessibility(&event);
}

int TCBListBox::VisibleRows() const {
  const int rowHeight = std::max(1, box_->RowHeight());
  return std::max(1, (height() - 2) / rowHeight);
}

int TCBListBox::ScrollStripWidth() const {
  if (!HasScrollBar()) return 0;
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
}

int TCBListBox::RowAt(int y) const {
  const int rowHeight = std::max(1, box_->RowHeight());
  if (y < 1) return -1;
  const int visibleRow = (y - 1) / rowHeight;
  if (visibleRow >= VisibleRows()) return -1;
  const int row = TopRow() + visibleRow;
  return row < box_->Count() ? row : -1;
}

bool TCBListBox::InRowArea(const QPoint& pos) const {
  return rect().contains(pos) && pos.x() < width() - ScrollStripWidth();
}

void TCBListBox::UpdateScrollBar() {
  const int count = box_->Count();
  const int rows = VisibleRows();
  if (count > rows) {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    scrollBar_->setRange(0, count - rows);
    scrollBar_->setPageStep(rows);
    scrollBar_->setGeometry(width() - 1 - extent, 1, extent, std::max(0, height() - 2));
    scrollBar_->show();
  } else {
    scrollBar_->hide();
    scrollBar_->setRange(0, 0);
  }
}

void TCBListBox::EnsureVisible(int row) {
  if (row < 0) return;
  const int rows = VisibleRows();
  if (row < TopRow()) {
    scrollBar_->setValue(row);
  } else if (row >= TopRow() + rows) {
    scrollBar_->setValue(row - rows + 1);
  }
}

void TCBListBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().brush(QPalette::Base));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));

  const int rowHeight = std::max(1, box_->RowHeight());
  const int rowWidth = std::max(0, width() - 2 - (HasScrollBar() ? scrollBar_->width() : 0));
  const std::vector<std::string>& items = box_->Items();
  const int rows = VisibleRows();
  for (int i = 0; i < rows; ++i) {
    const int row = TopRow() + i;
    if (row >= static_cast<int>(items.size())) break;
    const QRect rowRect(1, 1 + i * rowHeight, rowWidth, rowHeight);
    const bool selected = row == selected_;
    if (selected) painter.fillRect(rowRect, palette().brush(QPalette::Highlight));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setClipRect(rowRect);
    painter.drawText(rowRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     DecodeCharset(items[static_cast<std::size_t>(row)], box_->Charset()));
    painter.setClipping(false);
  }
}

void TCBListBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!InRowArea(pos)) return;
  const int row = RowAt(pos.y());
  if (row >= 0 && row != selected_) {
    selected_ = row;
    update();
    ReportSelected();
  }
}

void TCBListBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (rect().contains(pos)) {
    mouseMoveEvent(event);
    return;
  }
  // A press outside the list closes it. On the box itself the press must not
  // reach the box again: on the button it would reopen the list.
  const QPoint global = event->globalPosition().toPoint();
  const auto contains = [&global](const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()).contains(global);
  };
  if (contains(box_->Edit())) {
    setAttribute(Qt::WA_NoMouseReplay, true);
    box_->EditPressWhileDropped();
  } else if (contains(box_->Button())) {
    setAttribute(Qt::WA_NoMouseReplay, true);
    hide();
    box_->Edit()->setFocus();
  } else {
    hide();
  }
  event->accept();
}

void TCBListBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!InRowArea(pos)) return;
  const int row = RowAt(pos.y());
  if (row >= 0) box_->ListRowClick(row);
}

void TCBListBox::wheelEvent(QWheelEvent* event) {
  if (HasScrollBar()) QApplication::sendEvent(scrollBar_, event);
  event->accept();
}

void TCBListBox::keyPressEvent(QKeyEvent* event) {
  // The list holds the keyboard while it is shown (it is a popup), but the
  // keys belong to the edit field: typing goes on there, and Up and Down
  // step through the entries there (the highlighted row follows).
  switch (event->key()) {
    case Qt::Key_Escape:
      hide();
      box_->Edit()->setFocus();
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (selected_ >= 0) {
        box_->ListRowClick(selected_);
        event->accept();
        return;
      }
      hide();
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      hide();
      break;
    default:
      break;
  }
  QApplication::sendEvent(box_->Edit(), event);
}

void TCBListBox::keyReleaseEvent(QKeyEvent* event) { QApplication::sendEvent(box_->Edit(), event); }

void TCBListBox::resizeEvent(QResizeEvent*) { UpdateScrollBar(); }

}  // namespace lectora
