// An editable combo box whose edit part offers no context menu of its own and
// never copies to the clipboard, nor to the X11 selection clipboard. A popup menu given by the
// owner is shown on a right click instead.
#pragma once

#include <QComboBox>
#include <QMenu>
#include <QPointer>

namespace lectora {

class TComboBoxCCDisabled : public QComboBox {
  Q_OBJECT

 public:
  // Editable, as a drop-down combo box is.
  explicit TComboBoxCCDisabled(QWidget* parent = nullptr);

  // The owner's menu for right clicks; null for none. Watched, not owned.
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  // Filters one event `event` of the edit part: returns true when it is
  // swallowed. Right presses pass only when a popup menu is set; a context
  // menu request shows the popup menu, or nothing; copy never passes.
  bool ComboWndProc(QEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void childEvent(QChildEvent* event) override;
  // The combo forwards keys to its edit part directly, past any filter.
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPointer<QMenu> popupMenu_;
  // Set while a key is handed on to the edit part under a selection watch.
  bool passingKey_ = false;
};

}  // namespace lectora
