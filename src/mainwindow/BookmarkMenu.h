// The Goto menu's bookmark submenu (BookMark2) as a view of the active
// translation's bookmarks: item 0 is the hidden "Go to" entry
// (GotoBookMark1), items 1.. mirror the module's Bookmarks in list order.
// Choosing an item moves there and then runs `Chosen` (focus the verse).
#pragma once

#include <QObject>
#include <functional>

class QMenu;

namespace lectora {

class TActiveTranslation;
class TNavigator;

class TBookmarkMenu : public QObject {
  Q_OBJECT

 public:
  // `menu` (not owned) gets its first, hidden item here; the services must
  // outlive the view.
  TBookmarkMenu(QMenu& menu, TActiveTranslation& active, TNavigator& navigator);

  // Runs after a bookmark item moved the place; may be empty.
  std::function<void()> Chosen;

 private:
  void Rebuild();

  QMenu& menu_;
  TActiveTranslation& active_;
  TNavigator& navigator_;
};

}  // namespace lectora
