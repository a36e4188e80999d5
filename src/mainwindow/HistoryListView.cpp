#include "mainwindow/HistoryListView.h"

#include "display/BibleComboBox.h"
#include "display/ListMessageForm1.h"

namespace lectora {

THistoryListView::THistoryListView(TBibleComboBox& list, TListMessageForm1& limit,
                                   std::string displayName,
                                   std::function<std::string(const std::string&)> translate)
    : list_(list),
      limit_(limit),
      displayName_(std::move(displayName)),
      translate_(std::move(translate)) {}

void THistoryListView::LoadFromFile(const std::string& path) {
  list_.LoadFromFile(path);
  limit_.CheckList(list_, translate_(displayName_));
}

void THistoryListView::SaveToFile(const std::string& path) { list_.SaveToFile(path); }

void THistoryListView::SetText(const std::string& text) { list_.SetTextQuiet(text); }

void THistoryListView::Add(std::uint16_t number, const std::string& reference, double openedAt) {
  list_.Add(number, reference, openedAt);
  list_.SetTextQuiet(reference);
}

int THistoryListView::Count() const { return list_.Count(); }

}  // namespace lectora
