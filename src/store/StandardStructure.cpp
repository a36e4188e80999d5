#include "store/StandardStructure.h"

#include <algorithm>

#include "store/FileCheck.h"
#include "store/LectoraError.h"
#include "store/NumberReader.h"

namespace lectora {

void TStandardStructure::Load(const std::string& setupFolder, IMessageService* messages) {
  const std::string fileName = setupFolder + "BibleStructure.txt";
  CheckFile(fileName, true, messages);
  std::string text;
  if (!ReadTextFile(fileName, text)) throw LectoraError(fileName, 0, "cannot be read");
  LoadFromText(text, fileName);
}

void TStandardStructure::LoadFromText(const std::string& text, const std::string& fileName) {
  // Built aside and swapped in, so a damaged file leaves the old structure.
  std::array<std::vector<std::uint8_t>, kBooks + 1> counts;
  std::array<std::int32_t, kBooks + 1> last{};
  TNumberReader reader(text, fileName);
  for (int book = 1; book <= kBooks; ++book) {
    const int chapters = reader.Next(0, 255, "chapter count");
    std::int32_t sum = last[book - 1];
    for (int c = 0; c < chapters; ++c) {
      const int verses = reader.Next(0, 255, "verse count");
      counts[book].push_back(static_cast<std::uint8_t>(verses));
      sum += verses;
    }
    last[book] = sum;
  }
  if (!reader.AtEnd()) {
    throw LectoraError(fileName, reader.Line(),
                       "more numbers than the " + std::to_string(kBooks) + " books need");
  }
  verseCounts_ = std::move(counts);
  standardLast_ = last;
  total_ = last[kBooks];
}

int TStandardStructure::ChapterCount(int bookNumber) const {
  if (bookNumber < 1 || bookNumber > kBooks) return 0;
  return static_cast<int>(verseCounts_[bookNumber].size());
}

int TStandardStructure::VerseCount(int bookNumber, int chapter) const {
  if (chapter < 1 || chapter > ChapterCount(bookNumber)) return 0;
  return verseCounts_[bookNumber][chapter - 1];
}

std::int32_t TStandardStructure::StandardNumber(int bookNumber, int chapter, int verse) const {
  if (bookNumber < 1 || bookNumber > kBooks) return 0;
  std::int32_t number = standardLast_[bookNumber - 1];
  // Chapters beyond the book's last add nothing, so no count is read past it.
  const int whole = std::min(chapter - 1, ChapterCount(bookNumber));
  for (int c = 0; c < whole; ++c) number += verseCounts_[bookNumber][c];
  return number + verse;
}

void TStandardStructure::StandardToRef(std::int32_t number, int& bookNumber, int& chapter,
                                       int& verse) const {
  bookNumber = 1;
  while (bookNumber < kBooks && standardLast_[bookNumber] < number) ++bookNumber;
  std::int32_t rest = number - standardLast_[bookNumber - 1];
  const std::vector<std::uint8_t>& counts = verseCounts_[bookNumber];
  chapter = 1;
  while (static_cast<std::size_t>(chapter) < counts.size() && rest > counts[chapter - 1]) {
    rest -= counts[chapter - 1];
    ++chapter;
  }
  verse = static_cast<int>(rest);
}

}  // namespace lectora
