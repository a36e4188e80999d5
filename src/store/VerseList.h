// Verse lists: ascending, duplicate-free verse numbers of one module, the
// currency of the concordance, the links and every search result. On disk a
// list is a u16 count followed by that many u16 verse numbers, little-endian.
// A null VerseListPtr is a valid value meaning "no list"; the operations
// below say where they accept it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lectora {

struct TVerseList {
  // Ascending verse numbers; the count is Items.size() (at most 65,535).
  std::vector<std::uint16_t> Items;
  std::size_t Count() const { return Items.size(); }
};

using VerseListPtr = std::unique_ptr<TVerseList>;

// A list with count 0.
VerseListPtr NewVerseList();
// Frees `list` (when not null) and sets it to null.
void FreeVerseList(VerseListPtr& list);
// A new copy; null for null.
VerseListPtr CopyVerseList(const TVerseList* list);
// True when both are not null and hold the same elements.
bool VerseListsEqual(const TVerseList* a, const TVerseList* b);
// The list stored at `byteOffset` of `fileName`: the u16 count, then that
// many elements. A list that would run past the end of the file, or an offset
// beyond it, reads as an empty list. Throws LectoraError naming the file when
// it cannot be opened.
VerseListPtr ReadVerseList(std::int64_t byteOffset, const std::string& fileName);
// a := the elements of a that are also in b; unchanged when b is null.
// Returns a.get(). REQUIRES: a is not null.
TVerseList* IntersectVerseLists(VerseListPtr& a, const TVerseList* b);
// a := the sorted union of a and b; unchanged when b is null.
// Returns a.get(). REQUIRES: a is not null.
TVerseList* UnionVerseLists(VerseListPtr& a, const TVerseList* b);
// a := the elements of b that are NOT in a (the list passed by reference is
// the one taken away); unchanged when either is null. Returns a.get().
TVerseList* SubtractVerseLists(VerseListPtr& a, const TVerseList* b);
// The number of elements of a that occur in b (0 when either is null).
std::size_t CountCommon(const TVerseList* a, const TVerseList* b);
// The 1-based index of `verse` in `list`; -1 when absent, null or empty.
int VerseListIndexOf(std::uint16_t verse, const TVerseList* list);

}  // namespace lectora
