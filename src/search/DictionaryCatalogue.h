// The installed dictionaries and the choice among them, without any window:
// the catalogue of titles, the search of a word over every dictionary, the
// choice of the dictionary that should show a word, and the open dictionary
// with its explanations. The dictionary window drives one of these.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/DicList.h"

namespace lectora {

class TUserRegistry;

// One catalogue entry: the dictionary's title (record 0, 8-bit text) and
// the full name of its ".ind" file.
struct TDictionaryEntry {
  std::string Title;
  std::string FileName;
};

class TDictionaryCatalogue {
 public:
  // `setupFolder`: the program's folder (a trailing "/" is added when
  // missing). `registry` (may be null, not owned, must outlive this object)
  // gives the remembered module root "SetupPath", scanned after the setup
  // folder.
  TDictionaryCatalogue(std::string setupFolder, const TUserRegistry* registry);
  TDictionaryCatalogue(const TDictionaryCatalogue&) = delete;
  TDictionaryCatalogue& operator=(const TDictionaryCatalogue&) = delete;

  // When the catalogue is empty, scans "Dictionaries/*.ind" of the setup
  // folder, then of the remembered root, and lists each dictionary under its
  // title; a title already listed is skipped, so the setup folder wins.
  // Entries are ordered case-insensitively by "title=file name". A
  // dictionary whose title record is damaged is left out and named in
  // Problems(). Does nothing when the catalogue already holds entries.
  void Build();
  bool Empty() const { return entries_.empty(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  // REQUIRES: 0 <= number < Count().
  const TDictionaryEntry& Entry(int number) const;
  // The entry as a name-value text, "title=file name".
  std::string EntryText(int number) const;
  // The number of the dictionary with `title`; -1 when none has it.
  int IndexOfTitle(const std::string& title) const;
  // One message per dictionary left out of the last Build.
  const std::vector<std::string>& Problems() const { return problems_; }

  // True when `word` is a headword of some dictionary (false for ""). Builds
  // the catalogue when empty. Searches dictionaries 0, 1, ... and stops at
  // the first that holds the word, which becomes the candidate. Along the
  // way every other-than-open dictionary whose letters cover the word
  // becomes the candidate, so when none holds it the candidate is the last
  // of those (or stays as it was).
  bool IsDictionaryWord(const std::string& word);
  // Runs IsDictionaryWord and opens the dictionary that should show `word`:
  // the one that holds it; else the open one when its letters cover the
  // word or there is no candidate; else the candidate. Returns the position
  // of `word` (or where it would stand) in the open dictionary's list; -1
  // when no dictionary is open.
  std::int32_t SelectWord(const std::string& word);
  // Closes the open dictionary and opens dictionary `number`. Returns false
  // (and changes nothing) when `number` is not in the catalogue.
  bool OpenDictionary(int number);

  // -1 when no dictionary is open.
  int CurrentNumber() const { return current_; }
  // The dictionary remembered by the last search; -1 until one was found.
  int CandidateNumber() const { return candidate_; }
  // The open dictionary (owned by the catalogue), or null.
  const TDicList* Current() const { return currentList_.get(); }

  // The record numbers of the explanations of headword `index` in the open
  // dictionary; empty when none is open or the headword has no list.
  std::vector<std::uint16_t> ReadExplanationList(std::int32_t index) const;
  // `text` := explanation record `recordNumber` of the open dictionary;
  // empty when none is open or the record is missing.
  void ReadExplanation(std::uint16_t recordNumber, std::string& text) const;

 private:
  void ScanFolder(const std::string& folder);
  void Add(TDictionaryEntry entry);

  std::string setupFolder_;
  const TUserRegistry* registry_;
  std::vector<TDictionaryEntry> entries_;
  std::vector<std::string> problems_;
  int current_ = -1;
  int candidate_ = -1;
  std::unique_ptr<TDicList> currentList_;
};

}  // namespace lectora
