// The edit field of the self-drawn combo box: a frameless line edit from
// which nothing can be copied out (no copy or cut keys, no selection
// clipboard, no menu of its own), with Up and Down stepping through the
// box's entries and the first click after focusing selecting everything.
#pragma once

#include <QLineEdit>

namespace lectora {

class TODComboBox;

class TCDEdit : public QLineEdit {
  Q_OBJECT

 public:
  // `box` (the owner and parent) must outlive the field.
  explicit TCDEdit(TODComboBox* box);

  // Set when the field gets the focus; the next press selects the text.
  bool SelectAllOnClick = false;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The line edit's own handling of `event`, with any copy into the
  // selection clipboard it made withdrawn.
  void PassKey(QKeyEvent* event);

  TODComboBox* box_;
};

}  // namespace lectora
