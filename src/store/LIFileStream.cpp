#include "store/LIFileStream.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr std::int64_t kEntrySize = 4;

BinaryFile OpenCreating(const std::string& fileName, OpenMode mode) {
  if (mode != OpenMode::Read && !BinaryFile::Exists(fileName)) {
    BinaryFile::CreateIfMissing(fileName);
  }
  return BinaryFile(fileName, mode);
}

}  // namespace

TLIFileStream::TLIFileStream(const std::string& fileName, OpenMode mode)
    : file_(OpenCreating(fileName, mode)) {}

std::int32_t TLIFileStream::ReadEntry(std::int32_t i) const {
  if (i < 0) return -1;
  const std::int64_t at = std::int64_t{kEntrySize} * i;
  if (const char* mapped = file_.MappedBytes()) {
    if (at + kEntrySize > file_.Size()) return -1;
    return GetLE32(reinterpret_cast<const std::uint8_t*>(mapped) + at);
  }
  std::uint8_t bytes[kEntrySize];
  if (file_.ReadAt(at, bytes, sizeof bytes) < sizeof bytes) return -1;
  return GetLE32(bytes);
}

void TLIFileStream::WriteEntry(std::int32_t i, std::int32_t value) {
  if (i < 0) {
    throw LectoraError(FileName(), 0, "cannot write index entry " + std::to_string(i));
  }
  // The -1 padding and the entry go out in one write, so a failure cannot
  // leave a padded index without its entry.
  const std::int32_t first = std::min(Count(), i);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(i - first + 1) * kEntrySize, 0xFF);
  PutLE32(bytes.data() + bytes.size() - kEntrySize, value);
  file_.WriteAt(kEntrySize * first, bytes.data(), bytes.size());
}

std::int32_t TLIFileStream::Count() const {
  const std::int64_t entries = file_.Size() / kEntrySize;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(entries, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace lectora
