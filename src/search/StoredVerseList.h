// Verse lists read from a file that the caller keeps open: the concordance
// and the links of a module. Unlike ReadVerseList, which opens its file per
// call, these serve the per-keystroke lookups that must not pay for an open.
// A list that is not wholly inside the file reads as empty, never beyond it.
#pragma once

#include <cstdint>

#include "store/BinaryFile.h"
#include "store/VerseList.h"

namespace lectora {

// The count field of the list at `byteOffset`; 0 when the offset is negative
// or the list (count and elements) does not lie wholly inside `file`.
std::uint16_t StoredVerseListCount(const BinaryFile& file, std::int64_t byteOffset);
// A new list holding the stored list at `byteOffset`; an empty list when
// StoredVerseListCount would answer 0. Throws LectoraError only for an
// input/output error of `file`.
VerseListPtr ReadStoredVerseList(const BinaryFile& file, std::int64_t byteOffset);

}  // namespace lectora
