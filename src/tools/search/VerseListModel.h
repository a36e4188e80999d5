// The lines of the search panel's verse list (ListBox2) as a list model:
// one Unicode line per verse, decoded once when the list is filled, so that
// the view asks only for the rows it paints.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <string>
#include <vector>

namespace lectora {

class TVerseListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TVerseListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

  // Replaces every line with `lines` (8-bit in `charset`).
  void SetLines(const std::vector<std::string>& lines, int charset);

  int rowCount(const QModelIndex& parent = {}) const override;
  // The line of a row for the display and accessibility roles.
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<QString> lines_;
};

}  // namespace lectora
