// Every command of the program as one QAction, created once under the
// component name it has in the window designs ("Range1", "Options1",
// "ToolButton12", "AOVer8", ...). Menus, tool buttons, shortcuts, the
// interface language (captions and hints by name) and tests all reach a
// command through here. The program owns one; the actions are its children.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

class QAction;

namespace lectora {

class TActionRegistry : public QObject {
  Q_OBJECT

 public:
  explicit TActionRegistry(QObject* parent = nullptr) : QObject(parent) {}

  // Creates the action `name` with `caption` (UTF-8) and `hint` (its
  // tooltip and, without a caption, its accessible name). REQUIRES: no
  // action of that name exists yet. The registry owns it.
  QAction* Add(const QString& name, const QString& caption, const QString& hint = {},
               const QKeySequence& shortcut = {});
  // The action `name`, or null.
  QAction* Find(const QString& name) const;
  // The action `name`. REQUIRES: it exists.
  QAction& Get(const QString& name) const;
  // Every action in the order of creation.
  const std::vector<QAction*>& All() const { return order_; }

 private:
  std::map<QString, QAction*> actions_;
  std::vector<QAction*> order_;
};

}  // namespace lectora
