#include "settings/UpButton.h"

#include "settings/AccessibleName.h"

#include <QPainter>

namespace lectora {

TUpButton::TUpButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  // An arrow without text: the hint names it, "Up" until there is one.
  FollowToolTip(*this, QStringLiteral("Up"));
}

void TUpButton::SetFigColor(const QColor& color) {
  figColor_ = color;
  update();
}

QPolygon TUpButton::Arrow(int width, int height) {
  return QPolygon(
      {QPoint((width - 2) / 2, 3), QPoint(width - 6, height - 5), QPoint(3, height - 5)});
}

void TUpButton::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  QPainter painter(this);
  // Hard edges: the arrow covers exactly the pixels of its polygon.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(figColor_, 1));
  painter.setBrush(figColor_);
  painter.drawPolygon(Arrow(width(), height()));
}

}  // namespace lectora
