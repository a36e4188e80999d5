// A history combo box as the program's services see it: a history list of
// the active translation (loaded with the list-limit check, saved) and,
// for the verse history, the place where the navigator records visits.
#pragma once

#include <functional>
#include <string>

#include "navigation/HistoryList.h"
#include "navigation/VerseHistory.h"

namespace lectora {

class TBibleComboBox;
class TListMessageForm1;

class THistoryListView : public IHistoryList, public IVerseHistory {
 public:
  // `list` and `limit` must outlive the view; `displayName` is the message
  // key naming the list in the list-limit warning ("SearchedWords").
  THistoryListView(TBibleComboBox& list, TListMessageForm1& limit, std::string displayName,
                   std::function<std::string(const std::string&)> translate);

  void LoadFromFile(const std::string& path) override;
  void SaveToFile(const std::string& path) override;
  void SetText(const std::string& text) override;
  // The field shows the entry just added: it follows the reader.
  void Add(std::uint16_t number, const std::string& reference, double openedAt) override;
  int Count() const override;

 private:
  TBibleComboBox& list_;
  TListMessageForm1& limit_;
  std::string displayName_;
  std::function<std::string(const std::string&)> translate_;
};

}  // namespace lectora
