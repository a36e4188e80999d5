#include "app/ActionRegistry.h"

#include <QAction>
#include <stdexcept>

namespace lectora {

QAction* TActionRegistry::Add(const QString& name, const QString& caption, const QString& hint,
                              const QKeySequence& shortcut) {
  if (actions_.count(name) != 0) {
    throw std::logic_error("the action " + name.toStdString() + " exists already");
  }
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!hint.isEmpty()) action->setToolTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  actions_[name] = action;
  order_.push_back(action);
  return action;
}

QAction* TActionRegistry::Find(const QString& name) const {
  const auto found = actions_.find(name);
  return found == actions_.end() ? nullptr : found->second;
}

QAction& TActionRegistry::Get(const QString& name) const {
  QAction* action = Find(name);
  if (action == nullptr) throw std::logic_error("no action " + name.toStdString());
  return *action;
}

}  // namespace lectora
