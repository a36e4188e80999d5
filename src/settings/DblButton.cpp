#include "settings/DblButton.h"

#include "settings/AccessibleName.h"

#include <algorithm>

#include "settings/DnButton.h"
#include "settings/UpButton.h"

namespace lectora {

TDblButton::TDblButton(QWidget* parent)
    : QWidget(parent), up_(new TUpButton(this)), dn_(new TDnButton(this)) {
  connect(up_, &QToolButton::clicked, this, &TDblButton::OnUpClick);
  connect(dn_, &QToolButton::clicked, this, &TDblButton::OnDnClick);
  SetFlat(false);
  resize(40, 40);
  LayoutButtons();
  FollowToolTip(*this);
}

void TDblButton::SetFigColor(const QColor& color) {
  figColor_ = color;
  up_->SetFigColor(color);
  dn_->SetFigColor(color);
}

void TDblButton::SetEnabled(bool enabled) {
  setEnabled(enabled);
  up_->setEnabled(enabled);
  dn_->setEnabled(enabled);
}

void TDblButton::SetFlat(bool flat) {
  flat_ = flat;
  up_->setAutoRaise(flat);
  dn_->setAutoRaise(flat);
}

QString TDblButton::UpHint() const { return up_->toolTip(); }
void TDblButton::SetUpHint(const QString& hint) { up_->setToolTip(hint); }
QString TDblButton::DnHint() const { return dn_->toolTip(); }
void TDblButton::SetDnHint(const QString& hint) { dn_->setToolTip(hint); }

void TDblButton::Loaded() { LayoutButtons(); }

void TDblButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutButtons();
}

void TDblButton::LayoutButtons() {
  const int upperHeight = height() / 2;
  up_->setGeometry(0, 0, width(), upperHeight);
  dn_->setGeometry(0, upperHeight + 1, width(), std::max(0, height() - upperHeight - 1));
}

}  // namespace lectora
