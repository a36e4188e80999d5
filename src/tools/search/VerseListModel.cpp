#include "tools/search/VerseListModel.h"

#include "display/QtText.h"

namespace lectora {

void TVerseListModel::SetLines(const std::vector<std::string>& lines, int charset) {
  beginResetModel();
  lines_.clear();
  lines_.reserve(lines.size());
  for (const std::string& line : lines) lines_.push_back(DecodeCharset(line, charset));
  endResetModel();
}

int TVerseListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant TVerseListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= lines_.size())
    return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
    return lines_[static_cast<std::size_t>(index.row())];
  }
  return {};
}

}  // namespace lectora
