#include "tools/picture/PictureList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "store/TextRoutines.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& fileName) {
  const auto slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string SortKey(const TPictureEntry& entry) {
  return LowerCase1251(entry.Word + "=" + entry.FileName);
}

}  // namespace

void TPictureList::Load(const std::string& setupFolder, const std::string& root) {
  std::vector<std::string> places;
  std::string setup = setupFolder;
  if (!setup.empty() && setup.back() != '/') setup += '/';
  places.push_back(setup + kListFile);
  if (!root.empty()) places.push_back(root + (root.back() == '/' ? "" : "/") + kListFile);
  entries_.clear();
  problems_.clear();
  for (const std::string& place : places) {
    folder_ = FolderOf(place);
    std::error_code error;
    if (fs::exists(place, error)) {
      LoadFile(place);
      return;
    }
  }
}

bool TPictureList::LoadFile(const std::string& fileName) {
  entries_.clear();
  problems_.clear();
  folder_ = FolderOf(fileName);
  std::error_code error;
  if (!fs::exists(fileName, error)) return false;
  const std::uintmax_t size = fs::file_size(fileName, error);
  if (error || size > kMaxListBytes) {
    problems_.push_back(fileName + ": " +
                        (error ? "the size cannot be read" : "too large for a picture list") +
                        "; no pictures are listed.");
    return false;
  }
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    problems_.push_back(fileName + ": cannot be read; no pictures are listed.");
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Parse(text, fileName);
  return true;
}

void TPictureList::Parse(const std::string& text, const std::string& fileName) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    const auto equals = line.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == line.size()) {
      problems_.push_back(fileName + ", line " + std::to_string(number) + ": " +
                          (equals == std::string::npos ? "no \"=\" between the word and the file"
                                                       : "the word or the file name is missing") +
                          "; the line is left out.");
      continue;
    }
    entries_.push_back({line.substr(0, equals), line.substr(equals + 1)});
  }
  std::stable_sort(
      entries_.begin(), entries_.end(),
      [](const TPictureEntry& a, const TPictureEntry& b) { return SortKey(a) < SortKey(b); });
}

const TPictureEntry& TPictureList::Entry(int index) const {
  return entries_.at(static_cast<std::size_t>(index));
}

bool TPictureList::SameWord(int index, const std::string& lowerWord) const {
  return LowerCase1251(entries_[static_cast<std::size_t>(index)].Word) == lowerWord;
}

int TPictureList::First(std::string_view word) const {
  const std::string lower = LowerCase1251(word);
  for (int index = 0; index < Count(); ++index) {
    if (SameWord(index, lower)) return index;
  }
  return -1;
}

int TPictureList::NextIndex(int current, std::string_view word) const {
  const std::string lower = LowerCase1251(word);
  const int next = current + 1;
  if (next >= 0 && next < Count() && SameWord(next, lower)) return next;
  return First(word);
}

}  // namespace lectora
