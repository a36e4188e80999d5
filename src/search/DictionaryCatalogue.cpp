#include "search/DictionaryCatalogue.h"

#include <algorithm>
#include <filesystem>

#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "store/TextRoutines.h"
#include "store/UserRegistry.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

constexpr char kDictionariesFolder[] = "Dictionaries/";
constexpr char kSetupPathValue[] = "SetupPath";

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string SortKey(const TDictionaryEntry& entry) {
  return LowerCase1251(entry.Title + "=" + entry.FileName);
}

// The ".ind" files of `folder`, by name, so that the first of two equal
// titles in one folder is always the same one.
std::vector<std::string> IndFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return names;
  for (const fs::directory_entry& file : it) {
    const fs::path& path = file.path();
    if (path.extension() != ".ind" || !file.is_regular_file(error)) continue;
    names.push_back(path.filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TDictionaryCatalogue::TDictionaryCatalogue(std::string setupFolder, const TUserRegistry* registry)
    : setupFolder_(WithSlash(std::move(setupFolder))), registry_(registry) {}

void TDictionaryCatalogue::Build() {
  if (!entries_.empty()) return;
  problems_.clear();
  ScanFolder(setupFolder_);
  if (registry_ != nullptr) {
    std::string root;
    registry_->ReadRegValue(kSetupPathValue, root);
    if (!root.empty()) ScanFolder(WithSlash(root));
  }
}

void TDictionaryCatalogue::ScanFolder(const std::string& folder) {
  const std::string dictionaries = folder + kDictionariesFolder;
  for (const std::string& name : IndFiles(dictionaries)) {
    TDictionaryEntry entry;
    entry.FileName = dictionaries + name;
    try {
      entry.Title = TDicList(entry.FileName).Title();
    } catch (const LectoraError& error) {
      problems_.push_back(error.what());
      continue;
    }
    if (IndexOfTitle(entry.Title) < 0) Add(std::move(entry));
  }
}

void TDictionaryCatalogue::Add(TDictionaryEntry entry) {
  const std::string key = SortKey(entry);
  const auto at = std::upper_bound(
      entries_.begin(), entries_.end(), key,
      [](const std::string& k, const TDictionaryEntry& e) { return k < SortKey(e); });
  entries_.insert(at, std::move(entry));
}

const TDictionaryEntry& TDictionaryCatalogue::Entry(int number) const {
  return entries_.at(static_cast<std::size_t>(number));
}

std::string TDictionaryCatalogue::EntryText(int number) const {
  const TDictionaryEntry& entry = Entry(number);
  return entry.Title + "=" + entry.FileName;
}

int TDictionaryCatalogue::IndexOfTitle(const std::string& title) const {
  for (std::size_t d = 0; d < entries_.size(); ++d) {
    if (entries_[d].Title == title) return static_cast<int>(d);
  }
  return -1;
}

bool TDictionaryCatalogue::IsDictionaryWord(const std::string& word) {
  if (word.empty()) return false;
  Build();
  for (int d = 0; d < Count(); ++d) {
    std::int32_t index = 0;
    bool found = false;
    if (d == current_ && currentList_ != nullptr) {
      found = currentList_->Find(word, index);
    } else {
      const TDicList other(Entry(d).FileName);
      found = other.Find(word, index);
      if (other.HasLettersOf(word)) candidate_ = d;
    }
    if (found) {
      candidate_ = d;
      return true;
    }
  }
  return false;
}

std::int32_t TDictionaryCatalogue::SelectWord(const std::string& word) {
  if (IsDictionaryWord(word)) {
    OpenDictionary(candidate_);
  } else {
    const bool keep =
        (currentList_ != nullptr && currentList_->HasLettersOf(word)) || candidate_ == -1;
    if (!keep) OpenDictionary(candidate_);
  }
  return currentList_ != nullptr ? currentList_->IndexOf(word) : -1;
}

bool TDictionaryCatalogue::OpenDictionary(int number) {
  if (number < 0 || number >= Count()) return false;
  // Built before the old one is let go, so that a dictionary that cannot be
  // read leaves the open one in place.
  auto opened = std::make_unique<TDicList>(Entry(number).FileName);
  currentList_ = std::move(opened);
  current_ = number;
  return true;
}

std::vector<std::uint16_t> TDictionaryCatalogue::ReadExplanationList(std::int32_t index) const {
  if (currentList_ == nullptr) return {};
  return currentList_->ExplanationList(index);
}

void TDictionaryCatalogue::ReadExplanation(std::uint16_t recordNumber, std::string& text) const {
  text.clear();
  if (currentList_ != nullptr) currentList_->ReadString(recordNumber, text);
}

}  // namespace lectora
