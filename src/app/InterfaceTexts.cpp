#include "app/InterfaceTexts.h"

#include "store/NumberReader.h"
#include "store/TextRoutines.h"

namespace lectora {

std::string TInterfaceTexts::Translate(const std::string& key) const {
  if (loaded_) {
    const auto entry = table_.find(LowerCase1251(key));
    return entry != table_.end() ? entry->second : std::string();
  }
  if (key.size() > 1 && key.back() == '\\') return key.substr(0, key.size() - 1);
  return key;
}

std::string TInterfaceTexts::TranslateOr(const std::string& key, const std::string& english) const {
  if (!loaded_) return english;
  std::string text = Translate(key);
  return text.empty() ? english : text;
}

bool TInterfaceTexts::LoadMessages(const std::string& fileName) {
  std::string content;
  if (!ReadTextFile(fileName, content)) return false;
  std::map<std::string, std::string> table;
  for (const std::string_view line : SplitLines(content)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    table.emplace(LowerCase1251(line.substr(0, equals)), std::string(line.substr(equals + 1)));
  }
  table_ = std::move(table);
  loaded_ = true;
  return true;
}

}  // namespace lectora
