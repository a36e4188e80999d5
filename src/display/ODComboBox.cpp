#include "display/ODComboBox.h"

#include <qdrawutil.h>
#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "display/CBListBox.h"
#include "display/CDEdit.h"
#include "display/ListAccessibility.h"
#include "display/QtText.h"
#include "settings/AccessibleName.h"

namespace lectora {

namespace {

// The sunken border around the edit field and the button.
constexpr int kBorder = 2;

// The font size in points, as the size rules count it; a font given in
// pixels is converted at 96 dots per inch.
int FontSizeOf(const QFont& font) {
  if (font.pointSize() > 0) return font.pointSize();
  return std::max(1, font.pixelSize() * 3 / 4);
}

}  // namespace

// ---- TDnButton ----

TODComboBox::TDnButton::TDnButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
}

QSize TODComboBox::TDnButton::sizeHint() const { return QSize(kButtonWidth, kButtonWidth); }

void TODComboBox::TDnButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  option.initFrom(this);
  option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  const int x0 = (width() - 7) / 2;
  const int y0 = height() * 3 / 8;
  const QPolygon triangle({QPoint(x0, y0), QPoint(x0 + 8, y0), QPoint((2 * x0 + 8) / 2, y0 + 4)});
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::black);
  painter.drawPolygon(triangle);
}

// ---- TODComboBox ----

TODComboBox::TODComboBox(QWidget* parent) : QWidget(parent) {
  edit_ = new TCDEdit(this);
  button_ = new TDnButton(this);
  setFocusProxy(edit_);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumWidth(kMinimumWidth);
  connect(edit_, &QLineEdit::textChanged, this, [this] {
    if (quiet_ == 0) Change();
  });
  connect(button_, &QAbstractButton::clicked, this, &TODComboBox::DropButtonClick);
  ApplyFontSize();
  resize(edit_->sizeHint().width() + kButtonWidth + 2 * kBorder, height());
  InstallListAccessibility();
  // The hint names the box and its edit field (which a screen reader meets
  // first, as it takes the focus); the drop button has no text of its own.
  FollowToolTip(*this);
  FollowToolTip(*edit_, *this);
  FollowAccessibleName(*button_, QStringLiteral("Show the list"));
}

TODComboBox::~TODComboBox() = default;

std::string TODComboBox::Text() const { return EncodeCharset(edit_->text(), charset_); }

void TODComboBox::SetText(const std::string& text) {
  edit_->setText(DecodeCharset(text, charset_));
}

void TODComboBox::SetTextQuiet(const std::string& text) {
  ++quiet_;
  edit_->setText(DecodeCharset(text, charset_));
  --quiet_;
}

int TODComboBox::IndexOf(const std::string& text) const {
  const auto found = std::find(items_.begin(), items_.end(), text);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TODComboBox::SetItemIndex(int index) {
  SetItemIndexQuiet(index);
  if (itemIndex_ >= 0) SetTextQuiet(items_[static_cast<std::size_t>(itemIndex_)]);
}

void TODComboBox::SetItemIndexQuiet(int index) {
  itemIndex_ = index >= 0 && index < Count() ? index : -1;
  if (list_ != nullptr && list_->isVisible()) list_->SetSelected(itemIndex_);
}

void TODComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  SetItemIndexQuiet(-1);
  ItemsChanged();
}

void TODComboBox::ItemsChanged() {
  if (list_ != nullptr && list_->isVisible()) {
    list_->Refresh();
  }
}

void TODComboBox::Change() { Q_EMIT Changed(); }

void TODComboBox::SetCharset(int charset) {
  const std::string text = Text();
  charset_ = charset;
  SetTextQuiet(text);
}

bool TODComboBox::ReadOnly() const { return edit_->isReadOnly(); }

void TODComboBox::SetReadOnly(bool readOnly) { edit_->setReadOnly(readOnly); }

int TODComboBox::SelStart() const {
  return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TODComboBox::SetSelStart(int start) { edit_->setCursorPosition(start); }

int TODComboBox::SelLength() const { return edit_->selectionLength(); }

void TODComboBox::SetSelLength(int length) {
  const int start = SelStart();
  if (length <= 0) {
    edit_->setCursorPosition(start);
  } else {
    edit_->setSelection(start, length);
  }
}

void TODComboBox::SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

bool TODComboBox::IsDroppedDown() const { return list_ != nullptr && list_->isVisible(); }

void TODComboBox::DropButtonClick() {
  if (IsDroppedDown()) {
    list_->hide();
    edit_->setFocus();
    ReportExpanded(false);
    return;
  }
  if (list_ == nullptr) list_ = new TCBListBox(this);
  list_->setFont(font());
  const int rows = std::max(1, std::min(Count(), dropDownCount_));
  const int listHeight = rows * rowHeight_ + 2;
  const QPoint topLeft =
      mapToGlobal(dropUp_ ? QPoint(0, -listHeight - 2) : QPoint(0, height() + 1));
  list_->Open(QRect(topLeft, QSize(width(), listHeight)), IndexOf(Text()));
  ReportExpanded(true);
  Q_EMIT DroppedDown();
}

void TODComboBox::ReportExpanded(bool expanded) {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.expanded = true;
  changed.collapsed = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
  if (expanded && list_ != nullptr) {
    QAccessibleEvent shown(list_, QAccessible::PopupMenuStart);
    QAccessible::updateAccessibility(&shown);
  }
}

void TODComboBox::EditKeyUp() {
  if (itemIndex_ < 1) return;
  SetItemIndexQuiet(itemIndex_ - 1);
  SetText(items_[static_cast<std::size_t>(itemIndex_)]);
}

void TODComboBox::EditKeyDown() {
  if (itemIndex_ + 1 >= Count()) return;
  SetItemIndexQuiet(itemIndex_ + 1);
  SetText(items_[static_cast<std::size_t>(itemIndex_)]);
}

void TODComboBox::EditPressWhileDropped() {
  if (list_ != nullptr) list_->hide();
  edit_->selectAll();
  edit_->setFocus();
}

void TODComboBox::ListRowClick(int row) {
  if (row < 0 || row >= Count()) return;
  SetItemIndexQuiet(row);
  if (list_ != nullptr) list_->hide();
  SetText(items_[static_cast<std::size_t>(row)]);
  edit_->setFocus();
  edit_->selectAll();
}

void TODComboBox::ApplyFontSize() {
  const int size = FontSizeOf(font());
  setFixedHeight(size * 3 / 2 + 6);
  rowHeight_ = size * 3 / 2 + 3;
}

void TODComboBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) ApplyFontSize();
  QWidget::changeEvent(event);
}

void TODComboBox::resizeEvent(QResizeEvent*) {
  const int inner = std::max(0, height() - 2 * kBorder);
  edit_->setGeometry(kBorder, kBorder, std::max(0, width() - 2 * kBorder - kButtonWidth), inner);
  button_->setGeometry(width() - kBorder - kButtonWidth, kBorder, kButtonWidth, inner);
}

void TODComboBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush base = palette().brush(QPalette::Base);
  qDrawShadePanel(&painter, rect(), palette(), true, kBorder, &base);
}

}  // namespace lectora
