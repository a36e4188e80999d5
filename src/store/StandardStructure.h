// The standard versification shared by all modules ("BibleStructure.txt"):
// 86 books in book-number order. A standard verse number carries a place
// from one translation to another.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lectora {

class IMessageService;

class TStandardStructure {
 public:
  static constexpr int kBooks = 86;

  // Reads `setupFolder` + "BibleStructure.txt". A missing file shows and
  // throws "File not found: ..." (CheckFile with halt); a number that is not
  // a decimal integer, or a file that ends early, throws LectoraError naming
  // the file and line.
  void Load(const std::string& setupFolder, IMessageService* messages);
  // The same from a text already read (for tests and tools).
  void LoadFromText(const std::string& text, const std::string& fileName);

  int ChapterCount(int bookNumber) const;
  // 0 for a chapter the book does not have.
  int VerseCount(int bookNumber, int chapter) const;
  std::int32_t Total() const { return total_; }
  // Element b = verses of books 1..b (element 0 = 0).
  const std::array<std::int32_t, kBooks + 1>& StandardLast() const { return standardLast_; }

  // The standard verse number of a reference; chapter <= 1 adds no chapter
  // counts, as in a module.
  std::int32_t StandardNumber(int bookNumber, int chapter, int verse) const;
  // The inverse; a number beyond the total yields a place past the end of
  // the last book rather than a failure.
  void StandardToRef(std::int32_t number, int& bookNumber, int& chapter, int& verse) const;

 private:
  std::array<std::vector<std::uint8_t>, kBooks + 1> verseCounts_;
  std::array<std::int32_t, kBooks + 1> standardLast_{};
  std::int32_t total_ = 0;
};

}  // namespace lectora
