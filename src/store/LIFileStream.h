// A file of little-endian signed 32-bit entries addressed by entry number:
// the index of a record file, the line index of the word list, the offsets of
// the concordance and the links.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/BinaryFile.h"

namespace lectora {

class TLIFileStream {
 public:
  // Opens `fileName` with `mode`; a write mode creates a missing file first.
  // Throws LectoraError naming the file when it cannot be opened. A file
  // opened read-only is mapped (see BinaryFile), so entries cost no file
  // access: module and dictionary indexes are only read while open.
  TLIFileStream(const std::string& fileName, OpenMode mode);
  TLIFileStream(const TLIFileStream&) = delete;
  TLIFileStream& operator=(const TLIFileStream&) = delete;

  // Entry `i`, or -1 when fewer than 4 bytes are there (beyond the end, or a
  // negative `i`).
  std::int32_t ReadEntry(std::int32_t i) const;
  // Writes entry `i`, first padding with -1 entries up to `i` when the file
  // is shorter. REQUIRES: a write mode. Throws LectoraError naming the file
  // for a negative `i` or a failed write.
  void WriteEntry(std::int32_t i, std::int32_t value);
  // Number of whole entries (file size div 4).
  std::int32_t Count() const;
  const std::string& FileName() const { return file_.FileName(); }

 private:
  BinaryFile file_;
};

}  // namespace lectora
