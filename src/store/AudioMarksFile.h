// The verse marks of the chapter recordings, "Audio/AudioMrk.bin" in the
// setup folder: a plain array of little-endian signed 32-bit entries, entry
// s the position (milliseconds) where the verse of standard verse number s
// ends in its chapter file, -1 where none is known. There is no header; a
// short file reads as -1 beyond its end and grows with -1 entries when an
// entry past its end is written. Every write replaces the file atomically.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lectora {

class TAudioMarksFile {
 public:
  // A marks file needs one entry per standard verse (about 38,000); a
  // larger file than this is not a marks file and is neither read nor
  // rewritten, so a damaged 100 MB file cannot be loaded on every chapter.
  static constexpr std::int64_t kMaxBytes = std::int64_t{1} << 20;
  // The insert-a-record shift moves entries up to this one; the old entry
  // kLastShiftedEntry is dropped.
  static constexpr std::int32_t kLastShiftedEntry = 37989;

  enum class TStatus { Missing, Read, TooLarge };

  explicit TAudioMarksFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  // `count` entries from entry `first` on into `entries` (-1 for each one
  // the file lacks, a trailing partial entry included). Missing or
  // TooLarge: every entry -1. Throws LectoraError naming the file when it
  // exists but cannot be read.
  TStatus Read(std::int32_t first, int count, std::vector<std::int32_t>& entries) const;

  // Writes values[k] into entry first + k, growing the file with -1
  // entries; the folder is created when missing. REQUIRES: first >= 0.
  // Throws LectoraError naming the file when it is too large or cannot be
  // written (the old file then stays as it was).
  void Write(std::int32_t first, const std::vector<std::int32_t>& values) const;

  // Inserts a record at entry `v`: entries v+1 .. kLastShiftedEntry take the
  // values of entries v .. kLastShiftedEntry-1, entry v keeps its value;
  // the file grows with -1 entries to hold entry kLastShiftedEntry. Nothing
  // happens for v outside 0..kLastShiftedEntry-1. Throws as Write.
  void InsertRecord(std::int32_t v) const;

 private:
  // The whole file as entries (a partial last entry dropped); empty when
  // the file does not exist. Throws LectoraError as Write.
  std::vector<std::int32_t> ReadAll() const;
  void WriteAll(const std::vector<std::int32_t>& entries) const;

  std::string fileName_;
};

}  // namespace lectora
