#include "mainwindow/BookmarkMenu.h"

#include <QAction>
#include <QMenu>

#include "app/DesignCaption.h"
#include "display/BibleBookmarks.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "store/Bible.h"

namespace lectora {

TBookmarkMenu::TBookmarkMenu(QMenu& menu, TActiveTranslation& active, TNavigator& navigator)
    : QObject(&menu), menu_(menu), active_(active), navigator_(navigator) {
  QAction* gotoBookMark1 = menu.addAction(DesignCaption("Lectora2Form1", "GotoBookMark1"));
  gotoBookMark1->setObjectName(QStringLiteral("GotoBookMark1"));
  gotoBookMark1->setVisible(false);
  connect(&active, &TActiveTranslation::BookmarksChanged, this, &TBookmarkMenu::Rebuild);
  connect(&active, &TActiveTranslation::BookmarkRemoved, this,
          [this](int index) { RemoveBookmarkItem(menu_, index + 1); });
}

void TBookmarkMenu::Rebuild() {
  const TBible* bible = active_.Bible();
  static const std::vector<std::string> kNone;
  const std::vector<std::string>& bookmarks = bible != nullptr ? bible->Bookmarks : kNone;
  const int charset = bible != nullptr ? bible->Language.Charset() : 0;
  const TBookmarkChosen chosen = [this](const std::string& reference) {
    navigator_.GoToReference(reference);
    if (Chosen) Chosen();
  };
  // Items are kept where they can be (one added, or renamed when a
  // bookmark follows the reader, possibly from an item's own command);
  // anything else rebuilds the list.
  const auto count = [this] { return static_cast<std::size_t>(menu_.actions().size()) - 1; };
  if (count() + 1 == bookmarks.size()) {
    AddBookmarkItem(menu_, bookmarks.back(), charset, chosen);
  }
  if (count() != bookmarks.size()) {
    RebuildBookmarkItems(menu_, bookmarks, charset, chosen);
    return;
  }
  const QList<QAction*> items = menu_.actions();
  for (std::size_t k = 0; k < bookmarks.size(); ++k) {
    items[static_cast<qsizetype>(k) + 1]->setText(BookmarkCaption(bookmarks[k], charset));
  }
}

}  // namespace lectora
