// What a screen reader sees of the history box's drop-down list: a List of
// all the box's entries, the highlighted one selected, the rows scrolled
// out of the list marked off-screen.
#pragma once

#include "display/RowsAccessible.h"

namespace lectora {

class TCBListBox;

class TCBListBoxAccessible : public TRowsAccessible {
 public:
  explicit TCBListBoxAccessible(TCBListBox* list);

  int RowCount() const override;
  QString RowText(int row) const override;
  bool RowSelected(int row) const override;
  QRect RowRect(int row) const override;
  // The list's own name, else the box's name or hint.
  QString ListName() const override;

 private:
  TCBListBox* List() const;
};

}  // namespace lectora
