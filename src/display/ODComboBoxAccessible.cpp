#include "display/ODComboBoxAccessible.h"

#include "display/CBListBox.h"
#include "display/CDEdit.h"
#include "display/ODComboBox.h"

namespace lectora {

TODComboBoxAccessible::TODComboBoxAccessible(TODComboBox* box)
    : QAccessibleWidget(box, QAccessible::ComboBox) {}

TODComboBox* TODComboBoxAccessible::Box() const { return static_cast<TODComboBox*>(widget()); }

QList<QWidget*> TODComboBoxAccessible::Parts() const {
  QList<QWidget*> parts{Box()->Edit(), Box()->Button()};
  if (Box()->List() != nullptr) parts.append(Box()->List());
  return parts;
}

QString TODComboBoxAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return Box()->accessibleName().isEmpty() ? Box()->toolTip() : Box()->accessibleName();
    case QAccessible::Value:
      return Box()->Edit()->text();
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State TODComboBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !Box()->ReadOnly();
  state.expandable = true;
  state.expanded = Box()->IsDroppedDown();
  state.collapsed = !state.expanded;
  state.focused = Box()->Edit()->hasFocus();
  return state;
}

int TODComboBoxAccessible::childCount() const { return static_cast<int>(Parts().size()); }

QAccessibleInterface* TODComboBoxAccessible::child(int index) const {
  const QList<QWidget*> parts = Parts();
  if (index < 0 || index >= parts.size()) return nullptr;
  return QAccessible::queryAccessibleInterface(parts[index]);
}

int TODComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  return static_cast<int>(Parts().indexOf(qobject_cast<QWidget*>(child->object())));
}

QAccessibleInterface* TODComboBoxAccessible::focusChild() const {
  if (Box()->IsDroppedDown()) return QAccessible::queryAccessibleInterface(Box()->List());
  if (Box()->Edit()->hasFocus()) return QAccessible::queryAccessibleInterface(Box()->Edit());
  return nullptr;
}

QStringList TODComboBoxAccessible::actionNames() const {
  return {QAccessibleActionInterface::showMenuAction()};
}

void TODComboBoxAccessible::doAction(const QString& actionName) {
  if (actionName == QAccessibleActionInterface::showMenuAction() ||
      actionName == QAccessibleActionInterface::pressAction()) {
    Box()->DropButtonClick();
  }
}

}  // namespace lectora
