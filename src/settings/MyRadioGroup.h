// A group box of TMyRadio buttons, one per item, arranged in columns. The
// buttons are rebuilt whenever the items change; the group reports which
// button the user clicked.
#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

#include "settings/MyRadio.h"

namespace lectora {

class TMyRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // The buttons are children of the group, created and destroyed by it.
  explicit TMyRadioGroup(QWidget* parent = nullptr);

  const QStringList& Items() const { return items_; }
  // Copies `items` and rebuilds the buttons. Kept buttons keep their state;
  // `ItemIndex` keeps its stored value even while its button is gone, and
  // that button is checked again when a later rebuild creates it.
  void SetItems(const QStringList& items);

  int Columns() const { return columns_; }
  // Stores max(1, `columns`) and arranges the buttons.
  void SetColumns(int columns);

  // The selected button's position, or -1; may name a button that a rebuild
  // with fewer items removed (see SetItems).
  int ItemIndex() const { return itemIndex_; }
  // Stored only when 0 <= `index` < button count; checks that button without
  // raising `OnClick`. Any other value changes nothing.
  void SetItemIndex(int index);

  // The end of set-up: rebuilds the buttons from the items.
  void Loaded();

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // REQUIRES: 0 <= index < ButtonCount(). The button stays owned by the group
  // and lives until the next rebuild drops it.
  TMyRadio* Button(int index) const { return buttons_[static_cast<size_t>(index)]; }

 Q_SIGNALS:
  // The user clicked `sender`; `ItemIndex` already names its position.
  void OnClick(lectora::TMyRadio* sender);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Rebuild();
  void Arrange();
  void ButtonClick(TMyRadio* button);

  QStringList items_;
  int columns_ = 1;
  int itemIndex_ = -1;
  bool updating_ = false;
  // Set while a button's click is being dispatched: a button dropped then is
  // deleted later, not under its own signal.
  int clickDepth_ = 0;
  std::vector<TMyRadio*> buttons_;
};

}  // namespace lectora
