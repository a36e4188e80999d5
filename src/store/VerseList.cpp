#include "store/VerseList.h"

#include <algorithm>
#include <iterator>

#include "store/BinaryFile.h"

namespace lectora {

VerseListPtr NewVerseList() { return std::make_unique<TVerseList>(); }

void FreeVerseList(VerseListPtr& list) { list.reset(); }

VerseListPtr CopyVerseList(const TVerseList* list) {
  if (list == nullptr) return nullptr;
  return std::make_unique<TVerseList>(*list);
}

bool VerseListsEqual(const TVerseList* a, const TVerseList* b) {
  return a != nullptr && b != nullptr && a->Items == b->Items;
}

VerseListPtr ReadVerseList(std::int64_t byteOffset, const std::string& fileName) {
  const BinaryFile file(fileName, OpenMode::Read);
  VerseListPtr list = NewVerseList();
  unsigned char header[2];
  if (file.ReadAt(byteOffset, header, 2) != 2) return list;
  const std::size_t count = header[0] | (header[1] << 8);
  std::vector<unsigned char> bytes(count * 2);
  if (file.ReadAt(byteOffset + 2, bytes.data(), bytes.size()) != bytes.size()) return list;
  list->Items.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    list->Items[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return list;
}

// The merge walks of the standard algorithms do exactly what the list
// operations promise for sorted input, and stay bounded for damaged,
// unsorted input read from a file.
TVerseList* IntersectVerseLists(VerseListPtr& a, const TVerseList* b) {
  if (b == nullptr) return a.get();
  std::vector<std::uint16_t> result;
  result.reserve(std::min(a->Items.size(), b->Items.size()));
  std::set_intersection(a->Items.begin(), a->Items.end(), b->Items.begin(), b->Items.end(),
                        std::back_inserter(result));
  a->Items = std::move(result);
  return a.get();
}

TVerseList* UnionVerseLists(VerseListPtr& a, const TVerseList* b) {
  if (b == nullptr) return a.get();
  std::vector<std::uint16_t> result;
  result.reserve(a->Items.size() + b->Items.size());
  std::set_union(a->Items.begin(), a->Items.end(), b->Items.begin(), b->Items.end(),
                 std::back_inserter(result));
  a->Items = std::move(result);
  return a.get();
}

TVerseList* SubtractVerseLists(VerseListPtr& a, const TVerseList* b) {
  if (a == nullptr || b == nullptr) return a.get();
  std::vector<std::uint16_t> result;
  result.reserve(b->Items.size());
  std::set_difference(b->Items.begin(), b->Items.end(), a->Items.begin(), a->Items.end(),
                      std::back_inserter(result));
  a->Items = std::move(result);
  return a.get();
}

std::size_t CountCommon(const TVerseList* a, const TVerseList* b) {
  if (a == nullptr || b == nullptr) return 0;
  std::size_t common = 0;
  auto ia = a->Items.begin();
  auto ib = b->Items.begin();
  while (ia != a->Items.end() && ib != b->Items.end()) {
    if (*ib < *ia) {
      ++ib;
    } else {
      if (*ib == *ia) ++common;
      ++ia;
    }
  }
  return common;
}

int VerseListIndexOf(std::uint16_t verse, const TVerseList* list) {
  if (list == nullptr || list->Items.empty()) return -1;
  const auto found = std::lower_bound(list->Items.begin(), list->Items.end(), verse);
  if (found == list->Items.end() || *found != verse) return -1;
  return static_cast<int>(found - list->Items.begin()) + 1;
}

}  // namespace lectora
