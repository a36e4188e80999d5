#include "display/CBListBoxAccessible.h"

#include "display/CBListBox.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"

namespace lectora {

TCBListBoxAccessible::TCBListBoxAccessible(TCBListBox* list) : TRowsAccessible(list) {}

TCBListBox* TCBListBoxAccessible::List() const { return static_cast<TCBListBox*>(widget()); }

int TCBListBoxAccessible::RowCount() const { return List()->Box()->Count(); }

QString TCBListBoxAccessible::RowText(int row) const {
  const TODComboBox* box = List()->Box();
  return DecodeCharset(box->Items()[static_cast<std::size_t>(row)], box->Charset());
}

bool TCBListBoxAccessible::RowSelected(int row) const { return List()->Selected() == row; }

QRect TCBListBoxAccessible::RowRect(int row) const { return List()->RowRect(row); }

QString TCBListBoxAccessible::ListName() const {
  const QString own = TRowsAccessible::ListName();
  if (!own.isEmpty()) return own;
  const TODComboBox* box = List()->Box();
  return box->accessibleName().isEmpty() ? box->toolTip() : box->accessibleName();
}

}  // namespace lectora
