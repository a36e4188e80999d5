#include "settings/DnButton.h"

#include "settings/AccessibleName.h"

#include <QPainter>

namespace lectora {

TDnButton::TDnButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  // An arrow without text: the hint names it, "Down" until there is one.
  FollowToolTip(*this, QStringLiteral("Down"));
}

void TDnButton::SetFigColor(const QColor& color) {
  figColor_ = color;
  update();
}

QPolygon TDnButton::Arrow(int width, int height) {
  return QPolygon({QPoint(3, 2), QPoint(width - 5, 2), QPoint((width - 2) / 2, height - 5)});
}

void TDnButton::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  QPainter painter(this);
  // Hard edges: the arrow covers exactly the pixels of its polygon.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(figColor_, 1));
  painter.setBrush(figColor_);
  painter.drawPolygon(Arrow(width(), height()));
}

}  // namespace lectora
