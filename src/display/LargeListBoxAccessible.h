// What a screen reader sees of the large list box's rows (the TMyListBox
// below its history box): a List of the rows on screen, each with its text,
// its place in the whole source ("k / N") and its selected state. The rows
// are the visible window of a source of any length; the list view reports
// focus and selection by visible row, which is what the children count.
// A TMyListBox elsewhere is described by its own rows alone.
#pragma once

#include "display/RowsAccessible.h"

namespace lectora {

class TMyListBox;
class TLargeListBox;

class TLargeListBoxAccessible : public TRowsAccessible {
 public:
  explicit TLargeListBoxAccessible(TMyListBox* rows);

  int RowCount() const override;
  QString RowText(int row) const override;
  bool RowSelected(int row) const override;
  QRect RowRect(int row) const override;
  // "k / N": the entry's place in the source, when the rows belong to a
  // large list box with a source.
  QString RowDescription(int row) const override;
  // The rows' own name, else the large list box's name or hint.
  QString ListName() const override;
  // The list's description: the number of entries of the whole source.
  QString text(QAccessible::Text t) const override;

 private:
  TMyListBox* Rows() const;
  // The large list box the rows belong to, or null.
  TLargeListBox* Owner() const;
};

}  // namespace lectora
