#include "app/InterfaceTexts.h"

#include "store/NumberReader.h"
#include "store/TextRoutines.h"

namespace lectora {

TInterfaceTexts::TInterfaceTexts()
    : messages_{
          // The messages the program needs before the interface languages
          // are installed: English, plain ASCII (valid Windows-1251).
          {"BibleNotFound", "The files of this translation were not found."},
          {"SearchedWords", "searched words"},
          {"OpenedVerses", "opened verses"},
          {"there_are", "There are"},
          {"elements_in", "entries in the list of"},
          {"must_delete", "Delete some of them, or raise the limit below."},
          {"ChapterTooLong", "Only the first 200 verses of this chapter are shown."},
          // The search panel's verse list.
          {"ListHint1", "Verses found: click one to go there"},
          {"ListHint2", "Cross references of the current verse: double-click one to go there"},
          {"RefVers", "Cross references"},
          {"AppearIn", "appears in"},
          {"KJVSN\\", "King James Version"},
          {"ASV\\", "American Standard Version"},
      } {}

std::string TInterfaceTexts::Translate(const std::string& key) const {
  if (loaded_) {
    const auto entry = table_.find(LowerCase1251(key));
    return entry != table_.end() ? entry->second : std::string();
  }
  const auto found = messages_.find(key);
  if (found != messages_.end()) return found->second;
  // A translation's caption is keyed by its folder name ("ASV\"): the
  // folder name stands for it.
  if (key.size() > 1 && key.back() == '\\') return key.substr(0, key.size() - 1);
  return key;
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

bool TInterfaceTexts::Has(const std::string& key) const {
  if (loaded_) return table_.count(LowerCase1251(key)) != 0;
  return messages_.count(key) != 0;
}

}  // namespace lectora
