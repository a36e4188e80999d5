// What a screen reader sees of the self-drawn combo box (the history box,
// the book box): a ComboBox named by its accessible name or hint, whose
// value is the edit field's text, expanded while its list is shown; its
// children are the edit field, the drop button and, once made, the list.
// Its action opens or closes the list as the drop button does.
#pragma once

#include <QAccessibleWidget>

namespace lectora {

class TODComboBox;

class TODComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit TODComboBoxAccessible(TODComboBox* box);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;

  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  TODComboBox* Box() const;
  // The edit field, the drop button and the list when it exists.
  QList<QWidget*> Parts() const;
};

}  // namespace lectora
