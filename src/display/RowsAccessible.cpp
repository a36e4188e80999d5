#include "display/RowsAccessible.h"

#include <QWidget>

namespace lectora {

namespace {

// One row of a TRowsAccessible list. It holds no data of its own, so it
// stays right whatever the list shows; a row beyond the list's end is
// invalid.
class TRowAccessible : public QAccessibleInterface {
 public:
  TRowAccessible(const TRowsAccessible* list, int row) : list_(list), row_(row) {}

  int Row() const { return row_; }

  bool isValid() const override { return list_->isValid() && row_ < list_->RowCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_->window(); }
  QAccessibleInterface* parent() const override { return const_cast<TRowsAccessible*>(list_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    switch (t) {
      case QAccessible::Name:
        return list_->RowText(row_);
      case QAccessible::Description:
        return list_->RowDescription(row_);
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect local = list_->RowRect(row_);
    if (local.isEmpty()) return {};
    return QRect(list_->ListWidget()->mapToGlobal(local.topLeft()), local.size());
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.selected = list_->RowSelected(row_);
    state.focusable = true;
    state.focused = state.selected && list_->ListWidget()->hasFocus();
    if (list_->RowRect(row_).isEmpty()) {
      state.invisible = true;
      state.offscreen = true;
    }
    return state;
  }

 private:
  const TRowsAccessible* list_;
  int row_;
};

}  // namespace

TRowsAccessible::TRowsAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::List) {}

TRowsAccessible::~TRowsAccessible() {
  for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
}

QString TRowsAccessible::RowDescription(int) const { return {}; }

QString TRowsAccessible::ListName() const {
  const QString name = widget()->accessibleName();
  return name.isEmpty() ? widget()->toolTip() : name;
}

QString TRowsAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return ListName();
  if (t == QAccessible::Value) {
    for (int row = 0; row < RowCount(); ++row) {
      if (RowSelected(row)) return RowText(row);
    }
    return {};
  }
  return QAccessibleWidget::text(t);
}

int TRowsAccessible::childCount() const { return RowCount(); }

QAccessibleInterface* TRowsAccessible::child(int index) const {
  if (index < 0 || index >= RowCount()) return nullptr;
  const auto found = rows_.find(index);
  if (found != rows_.end()) return QAccessible::accessibleInterface(found->second);
  auto* row = new TRowAccessible(this, index);
  rows_[index] = QAccessible::registerAccessibleInterface(row);
  return row;
}

int TRowsAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* row = dynamic_cast<const TRowAccessible*>(child);
  if (row == nullptr || row->parent() != this) return -1;
  return row->Row() < RowCount() ? row->Row() : -1;
}

QAccessibleInterface* TRowsAccessible::childAt(int x, int y) const {
  const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
  for (int row = 0; row < RowCount(); ++row) {
    if (RowRect(row).contains(local)) return child(row);
  }
  return nullptr;
}

}  // namespace lectora
