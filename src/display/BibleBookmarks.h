// The bookmark submenu of the main window's Goto menu as the Bible windows
// keep it: item 0 is the hidden "Go to" entry, items 1.. mirror the active
// module's Bookmarks in list order (item k is element k - 1), each captioned
// with the bookmark's reference text.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace lectora {

// Called with the 8-bit reference of a bookmark item the reader chose.
using TBookmarkChosen = std::function<void(const std::string& reference)>;

// The caption of an item for `reference` (8-bit in the code page of
// `charset`), "&" doubled so that the menu shows it as written.
QString BookmarkCaption(const std::string& reference, int charset);
// The 8-bit reference text that `item`'s caption shows; the inverse of
// BookmarkCaption.
std::string BookmarkReference(const QAction& item, int charset);

// Appends an item for `reference`. Choosing it calls `chosen` with the
// item's caption at that moment. The item belongs to `menu`; it keeps a
// copy of `chosen`.
QAction* AddBookmarkItem(QMenu& menu, const std::string& reference, int charset,
                         const TBookmarkChosen& chosen);
// The first item k >= 1 whose caption is `reference`, or -1.
int FindBookmarkItem(const QMenu& menu, const std::string& reference, int charset);
// Removes and deletes item `k`; false (nothing done) unless 1 <= k < the
// item count.
bool RemoveBookmarkItem(QMenu& menu, int k);
// Deletes the items from the last down to item 1, then adds one item per
// element of `bookmarks`, in order.
void RebuildBookmarkItems(QMenu& menu, const std::vector<std::string>& bookmarks, int charset,
                          const TBookmarkChosen& chosen);

}  // namespace lectora
