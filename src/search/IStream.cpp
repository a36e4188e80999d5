#include "search/IStream.h"

#include <string_view>

#include "store/AtomicFile.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

// Byte-wise comparison with the bytes taken unsigned: the order the ".ind"
// offsets are sorted in. (std::string_view::compare goes through
// char_traits<char>, which compares as unsigned char.)
int CompareBytes(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

TIStream::TIStream(const std::string& indFileName, const std::string& indexFileName,
                   const std::string& dataFileName, const TCharSet& extraChars)
    : TRFileStream(indexFileName, OpenMode::Read, dataFileName),
      indFileName_(indFileName),
      wordChars_(extraChars) {
  if (!Failed()) {
    try {
      reader_ = std::make_unique<BinaryFile>(DataFileName(), OpenMode::Read);
    } catch (const LectoraError&) {
      reader_.reset();  // removed between the two opens: reads answer empty
    }
  }

  std::string bytes;
  if (!BinaryFile::Exists(indFileName_)) return;
  if (!ReadWholeFile(indFileName_, bytes)) {
    throw LectoraError(indFileName_, 0, "the headword index cannot be read");
  }
  if (bytes.size() < kHeaderSize) return;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t c = 0; c < 256; ++c) {
    if ((data[c / 8] >> (c % 8)) & 1) wordChars_.set(c);
  }
  // A partial entry at the end (a truncated file) is no headword.
  const std::size_t count = (bytes.size() - kHeaderSize) / 4;
  offsets_.resize(count);
  for (std::size_t i = 0; i < count; ++i) offsets_[i] = GetLE32(data + kHeaderSize + 4 * i);
}

void TIStream::ReadWord(std::int32_t index, std::string& word) const {
  word.clear();
  if (reader_ == nullptr || index < 0 || index >= WordCount()) return;
  const std::int32_t offset = offsets_[static_cast<std::size_t>(index)];
  if (offset < 0) return;
  char bytes[kMaxWordLength];
  const std::size_t got = reader_->ReadAt(offset, bytes, sizeof bytes);
  std::size_t length = 0;
  while (length < got && wordChars_.test(static_cast<unsigned char>(bytes[length]))) ++length;
  word.assign(bytes, length);
}

bool TIStream::Find(const std::string& word, std::int32_t& index) const {
  index = 0;
  if (word.empty()) return true;
  if (!wordChars_.test(static_cast<unsigned char>(word[0])) || offsets_.empty()) return false;

  const std::string w = LowerCase1251(word);
  std::string entry;
  auto lowerWordAt = [&](std::int32_t i) {
    ReadWord(i, entry);
    return LowerCase1251(entry);
  };
  std::int32_t hi = WordCount() - 1;
  std::int32_t lo = 0;
  // Every pass with hi - lo >= 2 moves one end strictly inside, so the loop
  // ends after about log2(WordCount()) reads whatever the file holds.
  do {
    index = lo + (hi - lo) / 2;
    if (CompareBytes(w, lowerWordAt(index)) < 0) {
      hi = index;
    } else {
      lo = index;
    }
  } while (hi - lo >= 2);

  index = lo;
  const int atLo = CompareBytes(w, lowerWordAt(lo));
  if (atLo < 0) return false;
  if (atLo == 0) return true;
  index = hi;
  const int atHi = CompareBytes(w, lowerWordAt(hi));
  if (atHi == 0) return true;
  if (atHi > 0) index = hi + 1;
  return false;
}

}  // namespace lectora
