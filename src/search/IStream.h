// The headword index of a dictionary: the record file pair (".ibp"/".ibf")
// of its articles plus the ".ind" file, which holds the letter set and the
// offsets of the headwords in sorted order. Only the offsets are kept in
// memory; every headword is read from the data file when it is asked for.
//
// ".ind" layout: bytes 0..31 a 256-bit set (bit b of byte k stands for byte
// value 8k + b), then little-endian signed 32-bit offsets into the ".ibf",
// one per headword, ascending by LowerCase1251 of the headword (bytes
// compared unsigned). A headword is the leading run, at most 32 bytes, of
// letter-set bytes at its offset.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/BinaryFile.h"
#include "store/RFileStream.h"

namespace lectora {

// A set of byte values.
using TCharSet = std::bitset<256>;

class TIStream : public TRFileStream {
 public:
  // The longest headword ReadWord returns, in bytes.
  static constexpr std::size_t kMaxWordLength = 32;
  // Size of the letter set at the head of the ".ind" file.
  static constexpr std::size_t kHeaderSize = 32;

  // Opens the record pair read-only and reads `indFileName` whole. A missing
  // ".ind", or one shorter than the header, gives an empty letter set and no
  // headwords; a record pair that cannot be opened makes every read answer
  // empty. `extraChars` is added to the file's letter set. Never throws for
  // a missing file; throws LectoraError naming the ".ind" only when it
  // exists but cannot be read.
  TIStream(const std::string& indFileName, const std::string& indexFileName,
           const std::string& dataFileName, const TCharSet& extraChars = {});

  // The letter set: the ".ind" header united with the creator's set.
  const TCharSet& WordChars() const { return wordChars_; }
  const std::string& IndFileName() const { return indFileName_; }
  // The headword offsets in sorted order.
  const std::vector<std::int32_t>& Offsets() const { return offsets_; }
  std::int32_t WordCount() const { return static_cast<std::int32_t>(offsets_.size()); }
  // True when the article files could not be opened: headwords and
  // articles then read as empty.
  bool OpenFailed() const { return reader_ == nullptr; }

  // `word` := the leading run of WordChars() bytes among the (at most) 32
  // bytes at Offsets()[index] of the data file. Empty for an index outside
  // 0..WordCount()-1, an offset outside the data file, or OpenFailed().
  void ReadWord(std::int32_t index, std::string& word) const;
  // Binary search on LowerCase1251 forms. True when `word` is a headword
  // (and for an empty word, with index 0); `index` := its position. When it
  // is absent, `index` := the position where it would stand (0..WordCount()),
  // except that a word whose first byte is not in the letter set, or an
  // empty index, answers false with `index` 0.
  bool Find(const std::string& word, std::int32_t& index) const;

 private:
  std::string indFileName_;
  TCharSet wordChars_;
  std::vector<std::int32_t> offsets_;
  // Positioned reads of the data file's raw bytes; null when it is not open.
  std::unique_ptr<BinaryFile> reader_;
};

}  // namespace lectora
