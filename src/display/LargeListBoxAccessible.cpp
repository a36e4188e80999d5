#include "display/LargeListBoxAccessible.h"

#include "display/LargeListBox.h"
#include "display/MyListBox.h"
#include "search/LargeStringList.h"

namespace lectora {

TLargeListBoxAccessible::TLargeListBoxAccessible(TMyListBox* rows) : TRowsAccessible(rows) {}

TMyListBox* TLargeListBoxAccessible::Rows() const { return static_cast<TMyListBox*>(widget()); }

TLargeListBox* TLargeListBoxAccessible::Owner() const {
  auto* owner = qobject_cast<TLargeListBox*>(Rows()->parentWidget());
  return owner != nullptr && owner->RowList() == Rows() ? owner : nullptr;
}

int TLargeListBoxAccessible::RowCount() const { return Rows()->count(); }

QString TLargeListBoxAccessible::RowText(int row) const {
  const QListWidgetItem* item = Rows()->item(row);
  return item == nullptr ? QString() : item->text();
}

bool TLargeListBoxAccessible::RowSelected(int row) const {
  const QListWidgetItem* item = Rows()->item(row);
  return item != nullptr && item->isSelected();
}

QRect TLargeListBoxAccessible::RowRect(int row) const {
  const QListWidgetItem* item = Rows()->item(row);
  if (item == nullptr) return {};
  const QRect inViewport = Rows()->visualItemRect(item).intersected(Rows()->viewport()->rect());
  if (inViewport.isEmpty()) return {};
  return inViewport.translated(Rows()->viewport()->pos());
}

QString TLargeListBoxAccessible::RowDescription(int row) const {
  const TLargeListBox* owner = Owner();
  if (owner == nullptr || owner->List() == nullptr) return {};
  return QStringLiteral("%1 / %2").arg(owner->TopIndex() + row + 1).arg(owner->List()->Count());
}

QString TLargeListBoxAccessible::ListName() const {
  const QString own = TRowsAccessible::ListName();
  if (!own.isEmpty()) return own;
  const TLargeListBox* owner = Owner();
  if (owner == nullptr) return {};
  return owner->accessibleName().isEmpty() ? owner->toolTip() : owner->accessibleName();
}

QString TLargeListBoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Description) {
    const TLargeListBox* owner = Owner();
    if (owner != nullptr && owner->List() != nullptr) {
      return QString::number(owner->List()->Count());
    }
  }
  return TRowsAccessible::text(t);
}

}  // namespace lectora
