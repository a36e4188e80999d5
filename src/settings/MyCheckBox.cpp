#include "settings/MyCheckBox.h"

#include "settings/AccessibleName.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace lectora {

QString BlankCaption(int labelWidth, int blankWidth) {
  const int blank = blankWidth < 1 ? 1 : blankWidth;
  const int width = labelWidth < 0 ? 0 : labelWidth;
  return QString(width / blank + 1, QLatin1Char(' '));
}

TMyCheckBox::TMyCheckBox(QWidget* parent) : QCheckBox(parent), label_(new QLabel(this)) {
  label_->installEventFilter(this);
  PlaceLabel();
}

QString TMyCheckBox::Caption() const { return label_->text(); }

void TMyCheckBox::SetCaption(const QString& caption) {
  label_->setText(caption);
  label_->adjustSize();
  setText(BlankCaption(label_->width(), fontMetrics().horizontalAdvance(QLatin1Char(' '))));
  // The native text is only blanks; a screen reader reads the caption.
  FollowAccessibleName(*this, caption);
  PlaceLabel();
}

void TMyCheckBox::Loaded() { PlaceLabel(); }

void TMyCheckBox::resizeEvent(QResizeEvent* event) {
  QCheckBox::resizeEvent(event);
  PlaceLabel();
}

void TMyCheckBox::changeEvent(QEvent* event) {
  QCheckBox::changeEvent(event);
  // The label inherits the font; its size and the blanks follow it.
  if (event->type() == QEvent::FontChange) SetCaption(Caption());
}

bool TMyCheckBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != label_) return QCheckBox::eventFilter(watched, event);
  return FilterCaptionLabelEvent(*label_, *this, event, [this] { click(); });
}

bool FilterCaptionLabelEvent(const QLabel& label, const QWidget& button, QEvent* event,
                             const std::function<void()>& click) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // Taken here, so that the button does not see a press it would toggle on.
      return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      // Filters see events even for disabled widgets.
      if (!button.isEnabled()) return true;
      if (label.rect().contains(mouse->position().toPoint())) click();
      return true;
    }
    default:
      return false;
  }
}

void TMyCheckBox::PlaceLabel() { label_->move(height() + 1, (height() - label_->height()) / 2); }

}  // namespace lectora
