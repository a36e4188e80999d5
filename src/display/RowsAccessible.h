// What a screen reader sees of a list that draws its rows itself: a List
// whose children are its rows (ListItem), each with its text, an optional
// description and its selected state. A subclass answers for one kind of
// list; the row interfaces are made on demand and live as long as the list's.
// The row class is private to this pair: it only forwards to the list's.
#pragma once

#include <QAccessibleWidget>
#include <QRect>
#include <QString>
#include <map>

namespace lectora {

class TRowsAccessible : public QAccessibleWidget {
 public:
  // `widget` is the list; its accessible interface is this one.
  explicit TRowsAccessible(QWidget* widget);
  ~TRowsAccessible() override;

  // ---- answered by the subclass ----
  virtual int RowCount() const = 0;
  // REQUIRES: 0 <= row < RowCount() for the rest.
  virtual QString RowText(int row) const = 0;
  virtual bool RowSelected(int row) const = 0;
  // The row's rectangle in the list's coordinates; empty when not shown.
  virtual QRect RowRect(int row) const = 0;
  virtual QString RowDescription(int row) const;
  // The list's name: its accessible name, else its hint.
  virtual QString ListName() const;
  // The list widget (for the row interfaces).
  QWidget* ListWidget() const { return widget(); }

  // ---- QAccessibleInterface ----
  QAccessible::Role role() const override { return QAccessible::List; }
  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

 private:
  mutable std::map<int, QAccessible::Id> rows_;  // registered row interfaces
};

}  // namespace lectora
