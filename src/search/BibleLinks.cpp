// The cross references of a module: "LinksP.bin" holds, for verse number n,
// entry n-1 = the offset (in 16-bit units) of its list in "Links.bin", or -1
// for a verse without links.
#include <memory>
#include <string>

#include "search/SearchContext.h"
#include "search/StoredVerseList.h"
#include "store/Bible.h"

namespace lectora {

const TVerseList* TBible::GetLinks(int number, TSearchContext& search) const {
  if (NoLinks) return nullptr;
  // Both files stay open after the first lookup: the links follow every move
  // of the current verse. A failed open throws and is tried again next time.
  if (!linksIndex_) {
    linksIndex_ = std::make_unique<TLIFileStream>(Path + "LinksP.bin", OpenMode::Read);
  }
  // A number below 1 has no entry; it reads as a verse without links.
  const std::int32_t entry = number >= 1 ? linksIndex_->ReadEntry(number - 1) : -1;
  FreeVerseList(search.CurrentLinks);
  if (entry >= 0) {
    if (!linksData_) linksData_ = std::make_unique<BinaryFile>(Path + "Links.bin", OpenMode::Read);
    search.CurrentLinks = ReadStoredVerseList(*linksData_, 2 * static_cast<std::int64_t>(entry));
  }
  return search.CurrentLinks.get();
}

}  // namespace lectora
