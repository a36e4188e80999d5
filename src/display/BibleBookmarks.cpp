#include "display/BibleBookmarks.h"

#include <QAction>
#include <QMenu>

#include "display/BibleWindowHost.h"
#include "display/QtText.h"

namespace lectora {

QString BookmarkCaption(const std::string& reference, int charset) {
  QString caption = DecodeCharset(reference, charset);
  caption.replace(QLatin1Char('&'), QLatin1String("&&"));
  return caption;
}

std::string BookmarkReference(const QAction& item, int charset) {
  QString caption = item.text();
  caption.replace(QLatin1String("&&"), QLatin1String("&"));
  return EncodeCharset(caption, charset);
}

QAction* AddBookmarkItem(QMenu& menu, const std::string& reference, int charset,
                         const TBookmarkChosen& chosen) {
  QAction* item = menu.addAction(BookmarkCaption(reference, charset));
  // The item is the context: the connection lives as long as the item, not
  // as long as the window that added it.
  QObject::connect(item, &QAction::triggered, item,
                   [item, charset, chosen] { chosen(BookmarkReference(*item, charset)); });
  return item;
}

int FindBookmarkItem(const QMenu& menu, const std::string& reference, int charset) {
  const QString caption = BookmarkCaption(reference, charset);
  const QList<QAction*> items = menu.actions();
  for (int k = 1; k < items.size(); ++k) {
    if (items[k]->text() == caption) return k;
  }
  return -1;
}

bool RemoveBookmarkItem(QMenu& menu, int k) {
  const QList<QAction*> items = menu.actions();
  if (k < 1 || k >= items.size()) return false;
  QAction* item = items[k];
  menu.removeAction(item);
  // Whoever its parent is, deleting the item takes it out of every menu.
  delete item;
  return true;
}

void RebuildBookmarkItems(QMenu& menu, const std::vector<std::string>& bookmarks, int charset,
                          const TBookmarkChosen& chosen) {
  for (int k = static_cast<int>(menu.actions().size()) - 1; k >= 1; --k) {
    RemoveBookmarkItem(menu, k);
  }
  for (const std::string& reference : bookmarks) AddBookmarkItem(menu, reference, charset, chosen);
}

}  // namespace lectora
