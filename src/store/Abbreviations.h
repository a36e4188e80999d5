// The shared table of book abbreviations ("Abrevs.txt": abbreviation=book
// number, 8-bit text) and the split of a typed reference into its book part.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lectora {

class IMessageService;

// The book part of a reference: the leading characters up to the first digit
// that follows a non-digit, trailing blanks cut; of a text starting with two
// digits just the first digit.
std::string SplitBookPart(const std::string& text);

class TAbbreviations {
 public:
  // Reads `setupFolder` + "Abrevs.txt"; a missing file shows and throws
  // "File not found: ..."; a line without "=" or with a book number that is
  // not a number throws LectoraError naming the file and line.
  void Load(const std::string& setupFolder, IMessageService* messages);
  void LoadFromText(const std::string& text, const std::string& fileName);

  // Book number of `name` compared without regard to case, or -1.
  int BookByAbbreviation(const std::string& name) const;
  std::size_t Count() const { return entries_.size(); }

 private:
  // Sorted by the case-folded name.
  std::vector<std::pair<std::string, int>> entries_;
};

}  // namespace lectora
