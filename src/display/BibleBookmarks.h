// The bookmark submenu of the main window's Goto menu as the Bible windows
// keep it: item 0 is the hidden "Go to" entry, items 1.. mirror the active
// module's Bookmarks in list order (item k is element k - 1), each captioned
// with the bookmark's reference text.
#pragma once

#include <QString>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace lectora {

class IBibleWindowHost;

// The caption of an item for `reference` (8-bit in the code page of
// `charset`), "&" doubled so that the menu shows it as written.
QString BookmarkCaption(const std::string& reference, int charset);
// The 8-bit reference text that `item`'s caption shows; the inverse of
// BookmarkCaption.
std::string BookmarkReference(const QAction& item, int charset);

// Appends an item for `reference`. Choosing it calls host.BookmarkChosen
// with the item's caption at that moment, so an item the main window
// renames (the bookmark follows the reader) goes to its new place. The item
// belongs to `menu`; `host` must outlive it.
QAction* AddBookmarkItem(QMenu& menu, const std::string& reference, int charset,
                         IBibleWindowHost& host);
// The first item k >= 1 whose caption is `reference`, or -1.
int FindBookmarkItem(const QMenu& menu, const std::string& reference, int charset);
// Removes and deletes item `k`; false (nothing done) unless 1 <= k < the
// item count.
bool RemoveBookmarkItem(QMenu& menu, int k);
// Deletes the items from the last down to item 1, then adds one item per
// element of `bookmarks`, in order.
void RebuildBookmarkItems(QMenu& menu, const std::vector<std::string>& bookmarks, int charset,
                          IBibleWindowHost& host);

}  // namespace lectora
