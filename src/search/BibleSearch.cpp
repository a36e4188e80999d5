// The word-search services of a module: whole-word matching by the
// language's letters, the word-order test over verse texts, and the book
// range filter.
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The 0-based index of the first occurrence of `word` at or after `from`
// whose neighbours in the whole `text` are not letters; kNone when none.
std::size_t FindWholeWordFrom(std::string_view word, std::string_view text, std::size_t from,
                              const std::bitset<256>& letters) {
  if (word.empty()) return kNone;
  const auto isLetter = [&](std::size_t i) { return letters[static_cast<unsigned char>(text[i])]; };
  for (std::size_t at = text.find(word, from); at != kNone; at = text.find(word, at + 1)) {
    const std::size_t after = at + word.size();
    if ((at == 0 || !isLetter(at - 1)) && (after >= text.size() || !isLetter(after))) return at;
  }
  return kNone;
}

// Words 1.. of `words` each found after the previous match, in order.
bool InOrder(const std::vector<std::string>& words, std::string_view text, std::size_t end,
             const std::bitset<256>& letters) {
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::size_t at = FindWholeWordFrom(words[i], text, end, letters);
    if (at == kNone) return false;
    end = at + words[i].size();
  }
  return true;
}

// Words 1.. of `words` following the occurrence of word 0 at `start`, each
// separated from the one before by non-letters only.
bool FollowsAsPhrase(const std::vector<std::string>& words, std::string_view text,
                     std::size_t start, const std::bitset<256>& letters) {
  std::size_t q = start + words[0].size();
  for (std::size_t i = 1; i < words.size(); ++i) {
    while (q < text.size() && !letters[static_cast<unsigned char>(text[q])]) ++q;
    const std::string& word = words[i];
    if (text.compare(q, word.size(), word) != 0) return false;
    q += word.size();
    if (q < text.size() && letters[static_cast<unsigned char>(text[q])]) return false;
  }
  return true;
}

// LowerCase1251 into a reused buffer, fast: a word-order test lower-cases
// every verse it reads, and a byte-table loop would take a good part of it.
// Outside 0x80..0xBF the table only adds 32 to "A".."Z" and 0xC0..0xDF,
// which eight bytes at a time do in a few word operations; the bytes of
// 0x80..0xBF are then looked up. The shortcut is checked against the table
// for every byte value once and not used should the two ever differ.
class TLowerCaser {
 public:
  TLowerCaser() {
    std::string all(256, '\0');
    for (int c = 0; c < 256; ++c) all[static_cast<std::size_t>(c)] = static_cast<char>(c);
    const std::string lower = LowerCase1251(all);
    for (std::size_t c = 0; c < 256; ++c) table_[c] = static_cast<unsigned char>(lower[c]);
    for (std::size_t c = 0; c < 256; ++c) {
      const auto byte = static_cast<unsigned char>(c);
      const auto shifted = static_cast<unsigned char>(Lower8(kOnes * byte));
      if (!IsIrregular(byte) && shifted != table_[c]) shortcut_ = false;
    }
  }

  void Lower(std::string_view text, std::string& out) const {
    out.resize(text.size());
    // Raw pointers: a store through the string would make the compiler
    // reload its data pointer for every byte.
    const char* in = text.data();
    char* to = out.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    if (shortcut_) {
      std::uint64_t irregular = 0;
      for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, 8);
        irregular |= word & ~(word << 1) & kHigh;
        word = Lower8(word);
        std::memcpy(to + i, &word, 8);
      }
      if (irregular != 0) i = 0;  // the irregular bytes want the table
    }
    for (; i < n; ++i) to[i] = static_cast<char>(table_[static_cast<unsigned char>(in[i])]);
  }

 private:
  static constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  static constexpr std::uint64_t kHigh = 0x8080808080808080ULL;

  static bool IsIrregular(unsigned char c) { return (c & 0xC0) == 0x80; }
  // Eight bytes at once: 32 added to those in "A".."Z" and 0xC0..0xDF. The
  // range tests add to the low seven bits of each byte, which cannot carry
  // into the next byte.
  static std::uint64_t Lower8(std::uint64_t word) {
    const std::uint64_t high = word & kHigh;
    const std::uint64_t low = word & ~kHigh;
    const std::uint64_t ascii = (low + kOnes * 0x3F) & ~(low + kOnes * 0x25) & ~high;  // 41..5A
    const std::uint64_t upper = (low + kOnes * 0x40) & ~(low + kOnes * 0x20) & high;   // C0..DF
    return word | (((ascii | upper) & kHigh) >> 2);
  }

  std::array<unsigned char, 256> table_{};
  bool shortcut_ = true;
};

// The verse texts of a module taken with one read of each of its two files.
// A word-order test over thousands of verses would otherwise spend nearly
// all of its time in one read per verse. Whatever the snapshot cannot
// vouch for (files that cannot be read, a record that is not sound) is left
// to ReadVerse, so that both paths give the same texts and the same errors.
class TVerseTextSnapshot {
 public:
  // No module holds this much text (65,535 verses); a larger file is damaged
  // and left to ReadVerse rather than read whole.
  static constexpr std::int64_t kMaxBytes = std::int64_t{64} << 20;

  explicit TVerseTextSnapshot(const TBible& bible) {
    try {
      index_ = std::make_unique<BinaryFile>(bible.Path + "CompactPoint.bin", OpenMode::Read);
      data_ = std::make_unique<BinaryFile>(bible.Path + "CompactText.bin", OpenMode::Read);
      if (index_->Size() > kMaxBytes || data_->Size() > kMaxBytes) return;
      indexBytes_ = View(*index_, indexCopy_);
      dataBytes_ = View(*data_, dataCopy_);
    } catch (const LectoraError&) {
      indexBytes_ = {};
      dataBytes_ = {};
    }
  }

  // The payload of record `number` - 1; false when the snapshot cannot say.
  bool Text(int number, std::string_view& text) const {
    constexpr std::size_t kHead = 4;  // the free-list head before the records
    const std::size_t entry = static_cast<std::size_t>(number - 1) * 4;
    if (number < 1 || entry + 4 > indexBytes_.size()) return false;
    const std::int32_t offset = GetLE32(indexBytes_.data() + entry);
    if (offset < 0) {
      text = {};
      return true;
    }
    const auto at = static_cast<std::size_t>(offset);
    if (at < kHead || at + 2 > dataBytes_.size()) return false;
    const std::size_t length = GetLE16(dataBytes_.data() + at);
    if (at + 2 + length > dataBytes_.size()) return false;
    text = std::string_view(reinterpret_cast<const char*>(dataBytes_.data()) + at + 2, length);
    return true;
  }

 private:
  // The file's bytes: its mapping when it has one, else a copy in `copy`;
  // empty when the file cannot be read whole.
  static std::span<const std::uint8_t> View(const BinaryFile& file,
                                            std::vector<std::uint8_t>& copy) {
    const auto size = static_cast<std::size_t>(file.Size());
    if (const char* mapped = file.MappedBytes()) {
      return {reinterpret_cast<const std::uint8_t*>(mapped), size};
    }
    copy.resize(size);
    if (file.ReadAt(0, copy.data(), size) != size) return {};
    return {copy.data(), size};
  }

  std::unique_ptr<BinaryFile> index_;
  std::unique_ptr<BinaryFile> data_;
  std::vector<std::uint8_t> indexCopy_;
  std::vector<std::uint8_t> dataCopy_;
  std::span<const std::uint8_t> indexBytes_;
  std::span<const std::uint8_t> dataBytes_;
};

// Lists shorter than this are read verse by verse: a snapshot reads the
// whole text of the module.
bool WorthASnapshot(std::size_t verses, int verseTotal) {
  return verses >= 256 && verses * 16 >= static_cast<std::size_t>(verseTotal);
}

}  // namespace

int TBible::FindWholeWord(const std::string& word, const std::string& text) const {
  const std::size_t at = FindWholeWordFrom(word, text, 0, Language.Letters);
  return at == kNone ? 0 : static_cast<int>(at) + 1;
}

void TBible::PhraseFilter(VerseListPtr& list, int mode, const TSearchContext& search) const {
  const std::vector<std::string>& words = search.SearchWords;
  if (!list || (mode != 1 && mode != 2) || words.size() < 2) return;
  const std::bitset<256>& letters = Language.Letters;
  auto kept = NewVerseList();
  kept->Items.reserve(list->Count());
  std::unique_ptr<TVerseTextSnapshot> snapshot;
  if (Loaded() && WorthASnapshot(list->Count(), VerseTotal)) {
    snapshot = std::make_unique<TVerseTextSnapshot>(*this);
  }
  static const TLowerCaser lowerCaser;  // constant tables, built on first use
  std::string stored;
  std::string lower;
  for (const std::uint16_t verse : list->Items) {
    std::string_view text;
    if (!snapshot || verse > VerseTotal || !snapshot->Text(verse, text)) {
      ReadVerse(verse, stored);
      text = stored;
    }
    lowerCaser.Lower(text, lower);
    // A verse without the first word fails: the list of a phrase node need
    // not hold it when the word came from an earlier leaf.
    std::size_t start = FindWholeWordFrom(words[0], lower, 0, letters);
    bool passes = false;
    if (mode == 1) {
      passes = start != kNone && InOrder(words, lower, start + words[0].size(), letters);
    } else {
      // Each later occurrence of the first word may start the phrase.
      for (; start != kNone && !passes;
           start = FindWholeWordFrom(words[0], lower, start + 1, letters)) {
        passes = FollowsAsPhrase(words, lower, start, letters);
      }
    }
    if (passes) kept->Items.push_back(verse);
  }
  list = std::move(kept);
}

void TBible::FilterByBooks(VerseListPtr& list, const std::array<bool, 88>& selected) const {
  if (!list) return;
  const auto isSelected = [&](int position) {
    const std::size_t book = BookOrder[static_cast<std::size_t>(position)];
    return book < selected.size() && selected[book];
  };
  bool all = true;
  for (int position = 1; position <= BookCount && all; ++position) all = isSelected(position);
  if (all && BookCount > 0) return;
  // One walk over the books for the ascending list finds for each verse the
  // book VerseToRef would; a damaged, unsorted list restarts the walk.
  std::vector<std::uint16_t> kept;
  kept.reserve(list->Count());
  int position = 1;
  std::uint16_t previous = 0;
  for (const std::uint16_t verse : list->Items) {
    if (verse < previous) position = 1;
    previous = verse;
    while (position < BookCount && Books[BookOrder[position]].LastVerse < verse) ++position;
    if (BookCount > 0 && isSelected(position)) kept.push_back(verse);
  }
  list->Items = std::move(kept);
}

}  // namespace lectora
