// The word list ("WordList.txt" over its line index "WordPoint.bin") and the
// concordance ("Conc.bin" over "ConcP.bin", offsets in 16-bit units) of a
// module. Word i of the list and entry i of "ConcP.bin" belong together.
#include <memory>
#include <string>

#include "search/StoredVerseList.h"
#include "store/Bible.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

// Opens `folder` + `name` into `slot` unless it is open already (the name is
// only built then: a lookup should not allocate for it). A failed open throws
// and leaves `slot` empty, so the next call tries again.
template <class File>
const File& OpenOnce(std::unique_ptr<File>& slot, const std::string& folder, const char* name) {
  if (!slot) slot = std::make_unique<File>(folder + name, OpenMode::Read);
  return *slot;
}

// An unloaded module has no folder; its file names would name files of the
// working folder instead.
void RequireLoaded(const TBible& bible, const char* fileName) {
  if (!bible.Loaded()) throw LectoraError(fileName, 0, "the module is not loaded");
}

}  // namespace

int TBible::WordCount() const { return Words ? Words->Count() : 0; }

void TBible::WordAt(int index, std::string& word) const {
  word.clear();
  if (index < 0 || index >= WordCount()) return;
  Words->ReadLine(index, word);
}

int TBible::FindWord(const std::string& word) const {
  int lo = 0;
  int hi = WordCount() - 1;
  if (hi < 0) return -1;
  // One buffer for every probe: ReadLine keeps its capacity, so a search
  // allocates at most once.
  std::string probe;
  const auto compareWith = [&](int index) {
    Words->ReadLine(index, probe);
    return Language.Compare(word, probe);
  };
  while (hi - lo >= 2) {
    const int mid = lo + (hi - lo) / 2;
    const int compared = compareWith(mid);
    if (compared < 0) {
      hi = mid;
    } else if (compared == 0) {
      return mid;
    } else {
      lo = mid;
    }
  }
  const int compared = compareWith(lo);
  if (compared < 0) return lo - 1;
  if (compared == 0) return lo;
  return compareWith(hi) > 0 ? hi + 1 : hi;
}

std::uint16_t TBible::ConcordanceCount(int index) const {
  RequireLoaded(*this, "ConcP.bin");
  const std::int32_t entry = OpenOnce(concIndex_, Path, "ConcP.bin").ReadEntry(index);
  const BinaryFile& data = OpenOnce(concData_, Path, "Conc.bin");
  if (entry < 0) return 0;
  return StoredVerseListCount(data, 2 * static_cast<std::int64_t>(entry));
}

VerseListPtr TBible::ReadConcordance(int index) const {
  RequireLoaded(*this, "ConcP.bin");
  const std::int32_t entry = OpenOnce(concIndex_, Path, "ConcP.bin").ReadEntry(index);
  const BinaryFile& data = OpenOnce(concData_, Path, "Conc.bin");
  if (entry < 0) return NewVerseList();
  return ReadStoredVerseList(data, 2 * static_cast<std::int64_t>(entry));
}

bool TBible::GetConcordance(const std::string& word, VerseListPtr& list) const {
  // FindWord answers -1 for a word before the first, and WordAt(-1) is
  // empty: without this an empty word would "match" and read entry -1.
  if (word.empty()) return false;
  const int index = FindWord(word);
  std::string found;
  WordAt(index, found);
  if (LowerCase1251(found) != LowerCase1251(word)) return false;
  list = ReadConcordance(index);
  return true;
}

}  // namespace lectora
