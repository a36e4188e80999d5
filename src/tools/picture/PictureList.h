// The list of pictures that belong to dictionary words: "DicPictures.txt",
// 8-bit text (Windows-1251), one "word=file name" entry per line, the file
// name relative to the list's folder; a word may have several entries. Kept
// sorted case-insensitively, so that a word's entries stand together and
// stepping through them is a step to the next entry. No Qt: it is read by
// the picture window and tested on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

struct TPictureEntry {
  std::string Word;      // 8-bit, as the list spells it
  std::string FileName;  // relative to the list's folder
};

class TPictureList {
 public:
  static constexpr const char* kListFile = "Pictures/DicPictures.txt";
  // A list file larger than this is refused unread: no word list is.
  static constexpr std::uintmax_t kMaxListBytes = 16u * 1024 * 1024;

  // Reads `setupFolder` + kListFile, or, when that does not exist,
  // `root` + "/" + kListFile (`root` empty: no second place). The picture
  // folder is the folder of the place tried last. Replaces the entries and
  // the problems; a missing list leaves the list empty without a problem.
  void Load(const std::string& setupFolder, const std::string& root);
  // Reads `fileName` as the list; its folder becomes the picture folder.
  // False when the file cannot be read (a problem says why, unless the
  // file does not exist).
  bool LoadFile(const std::string& fileName);

  int Count() const { return static_cast<int>(entries_.size()); }
  // REQUIRES: 0 <= index < Count().
  const TPictureEntry& Entry(int index) const;
  // The picture folder, with a trailing "/".
  const std::string& Folder() const { return folder_; }

  // The first entry of `word` (compared case-insensitively), or -1.
  int First(std::string_view word) const;
  // The entry to show when `word` is asked for while entry `current` is
  // shown: the next entry when it belongs to `word` too, else the word's
  // first entry (-1 when it has none). Repeated requests step through the
  // word's pictures and begin again at the first.
  int NextIndex(int current, std::string_view word) const;

  // What was wrong with the last list read, one text per fault, naming the
  // file and the line (UTF-8). Faulty lines are left out of the list.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  void Parse(const std::string& text, const std::string& fileName);
  bool SameWord(int index, const std::string& lowerWord) const;

  std::vector<TPictureEntry> entries_;
  std::string folder_;
  std::vector<std::string> problems_;
};

}  // namespace lectora
