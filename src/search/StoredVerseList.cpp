#include "search/StoredVerseList.h"

namespace lectora {

namespace {

constexpr std::int64_t kElementSize = 2;

}  // namespace

std::uint16_t StoredVerseListCount(const BinaryFile& file, std::int64_t byteOffset) {
  const std::int64_t fileSize = file.Size();
  if (byteOffset < 0 || byteOffset > fileSize - kElementSize) return 0;
  std::uint8_t header[kElementSize];
  if (file.ReadAt(byteOffset, header, sizeof header) != sizeof header) return 0;
  const std::uint16_t count = GetLE16(header);
  const std::int64_t end = byteOffset + kElementSize * (1 + static_cast<std::int64_t>(count));
  return end <= fileSize ? count : 0;
}

VerseListPtr ReadStoredVerseList(const BinaryFile& file, std::int64_t byteOffset) {
  VerseListPtr list = NewVerseList();
  const std::uint16_t count = StoredVerseListCount(file, byteOffset);
  if (count == 0) return list;
  // Read straight into the elements, then put them in host order. The file
  // may have shrunk since its size was taken: a short read means empty.
  list->Items.resize(count);
  const std::size_t bytes = static_cast<std::size_t>(count) * kElementSize;
  if (file.ReadAt(byteOffset + kElementSize, list->Items.data(), bytes) != bytes) {
    list->Items.clear();
    return list;
  }
  for (std::uint16_t& item : list->Items) {
    item = GetLE16(reinterpret_cast<const std::uint8_t*>(&item));
  }
  return list;
}

}  // namespace lectora
