#include "settings/MyRadio.h"

#include "settings/AccessibleName.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include "settings/MyCheckBox.h"

namespace lectora {

TMyRadio::TMyRadio(QWidget* parent) : QRadioButton(parent), label_(new QLabel(this)) {
  setFocusPolicy(Qt::StrongFocus);
  label_->installEventFilter(this);
  PlaceLabel();
}

QString TMyRadio::Caption() const { return label_->text(); }

void TMyRadio::SetCaption(const QString& caption) {
  label_->setText(caption);
  label_->adjustSize();
  // The native text is only blanks; a screen reader reads the caption.
  FollowAccessibleName(*this, caption);
  if (parentWidget() != nullptr) {
    setText(BlankCaption(label_->width(), fontMetrics().horizontalAdvance(QLatin1Char(' '))));
  }
  PlaceLabel();
}

void TMyRadio::Loaded() {
  if (label_->text().isEmpty()) SetCaption(objectName());
  PlaceLabel();
}

void TMyRadio::resizeEvent(QResizeEvent* event) {
  QRadioButton::resizeEvent(event);
  PlaceLabel();
}

void TMyRadio::changeEvent(QEvent* event) {
  QRadioButton::changeEvent(event);
  if (event->type() == QEvent::FontChange) SetCaption(Caption());
}

bool TMyRadio::eventFilter(QObject* watched, QEvent* event) {
  if (watched != label_) return QRadioButton::eventFilter(watched, event);
  return FilterCaptionLabelEvent(*label_, *this, event, [this] { ToggleFromLabel(); });
}

void TMyRadio::ToggleFromLabel() {
  if (!isChecked()) {
    click();
    return;
  }
  // An auto-exclusive button refuses to uncheck itself; the caption may.
  const bool exclusive = autoExclusive();
  setAutoExclusive(false);
  setChecked(false);
  setAutoExclusive(exclusive);
}

void TMyRadio::PlaceLabel() { label_->move(height() + 1, (height() - label_->height()) / 2); }

}  // namespace lectora
