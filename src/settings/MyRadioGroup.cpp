#include "settings/MyRadioGroup.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

#include "settings/MyRadio.h"

namespace lectora {

TMyRadioGroup::TMyRadioGroup(QWidget* parent) : QGroupBox(parent) {}

void TMyRadioGroup::SetItems(const QStringList& items) {
  items_ = items;
  Rebuild();
}

void TMyRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  Arrange();
}

void TMyRadioGroup::SetItemIndex(int index) {
  if (index < 0 || index >= ButtonCount()) return;
  itemIndex_ = index;
  // setChecked raises no `clicked`, so the group's OnClick stays quiet.
  buttons_[static_cast<size_t>(index)]->setChecked(true);
}

void TMyRadioGroup::Loaded() { Rebuild(); }

void TMyRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  if (!updating_) Arrange();
}

void TMyRadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::FontChange && !updating_) Arrange();
}

void TMyRadioGroup::Rebuild() {
  const size_t count = static_cast<size_t>(items_.size());
  while (buttons_.size() > count) {
    TMyRadio* last = buttons_.back();
    buttons_.pop_back();
    if (clickDepth_ > 0) {
      last->hide();
      last->deleteLater();
    } else {
      delete last;
    }
  }
  updating_ = true;
  while (buttons_.size() < count) {
    auto* button = new TMyRadio(this);
    button->setFocusPolicy(Qt::StrongFocus);
    button->resize(button->width(), button->sizeHint().height());
    connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonClick(button); });
    button->show();
    buttons_.push_back(button);
  }
  for (size_t i = 0; i < count; ++i) buttons_[i]->SetCaption(items_[static_cast<qsizetype>(i)]);
  // The stored index outlives a rebuild with fewer items (the interface
  // language refills the items that way); its button is checked again as
  // soon as it exists.
  SetItemIndex(itemIndex_);
  updating_ = false;
  Arrange();
}

void TMyRadioGroup::Arrange() {
  if (buttons_.empty()) return;
  const int count = ButtonCount();
  // The line height of the font, which is what the text height of "gM" is:
  // a letter with a descender and a tall capital.
  const int h = QFontMetrics(font()).height();
  const int rows = (count + columns_ - 1) / columns_;
  const int columnWidth = (width() - 16) / columns_;
  const int rowHeight = (height() - 2 * h) / rows;
  for (int i = 0; i < count; ++i) {
    TMyRadio* button = buttons_[static_cast<size_t>(i)];
    const int left = (i % columns_) * columnWidth + 8;
    const int top = (i / columns_) * rowHeight + h + rowHeight / 2;
    button->setGeometry(left, top, std::max(0, columnWidth), button->height());
  }
}

void TMyRadioGroup::ButtonClick(TMyRadio* button) {
  const auto found = std::find(buttons_.begin(), buttons_.end(), button);
  if (found == buttons_.end()) return;
  ++clickDepth_;
  itemIndex_ = static_cast<int>(found - buttons_.begin());
  Q_EMIT OnClick(button);
  --clickDepth_;
}

}  // namespace lectora
