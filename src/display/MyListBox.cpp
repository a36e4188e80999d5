#include "display/MyListBox.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "display/ListAccessibility.h"
#include "display/QtText.h"
#include "store/CodePage.h"

namespace lectora {

namespace {

// Hands the painting of each row to the list's DrawItem and gives every row
// the list's row height.
class TRowDelegate : public QStyledItemDelegate {
 public:
  explicit TRowDelegate(TMyListBox* list) : QStyledItemDelegate(list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    list_->DrawItem(*painter, option.rect, index.row(),
                    (option.state & QStyle::State_Selected) != 0);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), list_->RowHeight());
  }

 private:
  TMyListBox* list_;
};

}  // namespace

TMyListBox::TMyListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TRowDelegate(this));
  setUniformItemSizes(true);
  setSpacing(0);
  SetFont(font());
  connect(this, &QAbstractItemView::clicked, this, &TMyListBox::Click);
  connect(this, &QAbstractItemView::doubleClicked, this, &TMyListBox::DblClick);
  InstallListAccessibility();
}

void TMyListBox::SetFont(const QFont& newFont) {
  setFont(newFont);
  rowHeight_ = QFontMetrics(newFont).height() + 1;
  doItemsLayout();
}

void TMyListBox::AddText(const std::string& text) { addItem(DecodeCharset(text, charset_)); }

std::string TMyListBox::Text(int row) const {
  const QListWidgetItem* rowItem = item(row);
  return rowItem == nullptr ? std::string() : EncodeCharset(rowItem->text(), charset_);
}

void TMyListBox::DrawItem(QPainter& painter, const QRect& rect, int row, bool selected) const {
  const QListWidgetItem* rowItem = item(row);
  if (rowItem == nullptr) return;
  painter.save();
  if (selected) painter.fillRect(rect, palette().brush(QPalette::Highlight));
  painter.setFont(font());
  painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter.setClipRect(rect, Qt::IntersectClip);
  // The baseline form: the rectangle form lays the text out first, which
  // costs most of a scroll step.
  painter.drawText(QPoint(rect.left() + 1, rect.top() + QFontMetrics(font()).ascent()),
                   rowItem->text());
  painter.restore();
}

void TMyListBox::keyPressEvent(QKeyEvent* event) {
  Q_EMIT KeyDown(event->key());
  const QString typed = event->text();
  if (OnKeyPress && typed.size() == 1) {
    const char16_t unit = typed[0].unicode();
    const int byte = unit < 128 ? unit : UnicodeToCodePage(unit, CodePageOfCharset(charset_));
    if (byte >= 0) {
      char key = static_cast<char>(byte);
      OnKeyPress(key);
      if (key == 0) {
        event->accept();
        return;
      }
    }
  }
  // Read after KeyDown: its handler may have refilled the rows.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before) Q_EMIT Click();
}

}  // namespace lectora
