// The UTF-8 source of a module, read and checked as a whole before anything
// is written:
//   "books.tsv"   book number, title, name, alternative name (one per line,
//                 in module order; an empty alternative name takes the name)
//   "verses.tsv"  book number, chapter, verse, text (the text is the rest of
//                 the line, in the module markup)
//   "links.tsv"   optional: book, chapter, verse, then the linked verses as
//                 book:chapter:verse separated by blanks
//   "_Diff_.txt"  optional: five integers per line, copied unchanged
// Books follow the books.tsv order and every book has verses. Chapters run
// 1..n without gaps (a chapter of no verses is not allowed, so every
// chapter a reference names exists); verse numbers ascend, and a skipped
// verse number becomes an empty verse. Lines may end in LF or CR LF; empty
// lines are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

struct TSourceBook {
  int Number = 0;  // 1..87
  // In the module's code page.
  std::string Title;
  std::string Name;
  std::string AltName;
  // Element c-1 = verse count of chapter c (1..255 each).
  std::vector<std::uint8_t> VerseCounts;
  int Line = 0;  // its line in books.tsv
};

class TModuleSource {
 public:
  static constexpr int kMaxVerses = 65535;

  // Reads and checks the source in `sourceDir` for language `languageNumber`
  // (0..8, which fixes the code page). Throws LectoraError naming the file
  // and line at the first fault.
  TModuleSource(const std::string& sourceDir, int languageNumber);

  int LanguageNumber() const { return languageNumber_; }
  int CodePage() const { return codePage_; }
  // In module order.
  const std::vector<TSourceBook>& Books() const { return books_; }
  // Element n-1 = text of verse number n in the code page (empty for a
  // skipped verse).
  const std::vector<std::string>& Verses() const { return verses_; }
  // With links.tsv: one list per verse number (element n-1), ascending and
  // without duplicates, empty for a verse without links.
  bool HasLinks() const { return hasLinks_; }
  const std::vector<std::vector<std::uint16_t>>& Links() const { return links_; }
  // The bytes of "_Diff_.txt" when the source has one.
  const std::optional<std::string>& Diff() const { return diff_; }

  // Verse number of a reference, or 0 when the module lacks it.
  int VerseNumberOf(int bookNumber, int chapter, int verse) const;

 private:
  void ReadBooks(const std::string& fileName);
  void ReadVerses(const std::string& fileName);
  void ReadLinks(const std::string& fileName);
  void ReadDiff(const std::string& fileName);
  // UTF-8 `field` (a part of `line`) in the code page; throws naming the
  // file, line and column of the first character the code page lacks.
  std::string ToCodePage(std::string_view field, std::string_view line, const std::string& fileName,
                         int lineNumber) const;

  int languageNumber_;
  int codePage_;
  std::vector<TSourceBook> books_;
  std::vector<std::string> verses_;
  // By book number: index into books_ + 1, 0 = not in the module.
  std::vector<int> positionOf_ = std::vector<int>(88, 0);
  // By book index: verse number before each chapter's first verse.
  std::vector<std::vector<int>> chapterStart_;
  bool hasLinks_ = false;
  std::vector<std::vector<std::uint16_t>> links_;
  std::optional<std::string> diff_;
};

}  // namespace lectora
