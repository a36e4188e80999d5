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
    : file_(OpenCreating(fileName, mode)) {
  if (mode != OpenMode::Read) return;
  const std::int64_t count = file_.Size() / kEntrySize;
  if (count > std::numeric_limits<std::int32_t>::max()) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count * kEntrySize));
  const std::size_t got = file_.ReadAt(0, bytes.data(), bytes.size());
  cached_.resize(got / kEntrySize);
  for (std::size_t k = 0; k < cached_.size(); ++k) cached_[k] = GetLE32(&bytes[k * kEntrySize]);
  isCached_ = true;
}

std::int32_t TLIFileStream::ReadEntry(std::int32_t i) const {
  if (i < 0) return -1;
  if (isCached_) {
    return static_cast<std::size_t>(i) < cached_.size() ? cached_[static_cast<std::size_t>(i)] : -1;
  }
  std::uint8_t bytes[kEntrySize];
  if (file_.ReadAt(kEntrySize * i, bytes, sizeof bytes) < sizeof bytes) return -1;
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
  if (isCached_) return static_cast<std::int32_t>(cached_.size());
  const std::int64_t entries = file_.Size() / kEntrySize;
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(entries, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace lectora
