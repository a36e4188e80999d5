#include "store/Abbreviations.h"

#include <algorithm>

#include "store/FileCheck.h"
#include "store/LectoraError.h"
#include "store/NumberReader.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool FoldedLess(const std::pair<std::string, int>& entry, const std::string& key) {
  return entry.first < key;
}

}  // namespace

std::string SplitBookPart(const std::string& text) {
  // The first character always belongs to the book part (the number of a
  // numbered book); the part ends at the next digit.
  std::size_t end = text.empty() ? 0 : 1;
  while (end < text.size() && !IsDigit(text[end])) ++end;
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

void TAbbreviations::Load(const std::string& setupFolder, IMessageService* messages) {
  const std::string fileName = setupFolder + "Abrevs.txt";
  CheckFile(fileName, true, messages);
  std::string text;
  if (!ReadTextFile(fileName, text)) throw LectoraError(fileName, 0, "cannot be read");
  LoadFromText(text, fileName);
}

void TAbbreviations::LoadFromText(const std::string& text, const std::string& fileName) {
  std::vector<std::pair<std::string, int>> entries;
  int lineNumber = 0;
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      throw LectoraError(fileName, lineNumber, "expected abbreviation=book number");
    }
    if (equals == 0) throw LectoraError(fileName, lineNumber, "empty abbreviation");
    TNumberReader reader(line.substr(equals + 1), fileName, lineNumber);
    const int book = reader.Next(1, 87, "book number");
    if (!reader.AtEnd()) {
      throw LectoraError(fileName, lineNumber, "more than one book number");
    }
    entries.emplace_back(LowerCase1251(line.substr(0, equals)), book);
  }
  // Stable, so of two spellings of one name the earlier line answers.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  entries_ = std::move(entries);
}

int TAbbreviations::BookByAbbreviation(const std::string& name) const {
  const std::string key = LowerCase1251(name);
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), key, FoldedLess);
  if (it == entries_.end() || it->first != key) return -1;
  return it->second;
}

}  // namespace lectora
