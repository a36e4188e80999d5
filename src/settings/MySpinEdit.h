// An integer edit with a small spin button at its right edge. Beyond a plain
// spin box it raises limit events instead of clamping (when they are set),
// steps with the mouse wheel, and has a silent setter (FixValue) for code
// that must not trigger its own change handler.
//
// The change notification is QLineEdit::textChanged; OnMin and OnMax are
// std::function members.
#pragma once

#include <QLineEdit>
#include <functional>

namespace lectora {

class TMySpinEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Size of the spin button, whose upper half steps up and lower half down.
  static constexpr int kButtonWidth = 15;
  static constexpr int kButtonHeight = 17;

  // Limits 0..99 and increment 1 until the owner sets others. The spin
  // button is a child of the edit.
  explicit TMySpinEdit(QWidget* parent = nullptr);

  int MinValue() const { return minValue_; }
  void SetMinValue(int value) { minValue_ = value; }
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value) { maxValue_ = value; }
  // May be negative (then the upper half counts down).
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }

  // The text as an integer; MinValue when the text is not one.
  int Value() const;
  // The text becomes the checked value (see CheckValue). Raises textChanged
  // when the text changes.
  void SetValue(int value);
  // The text becomes `value` as it stands, unchecked, and no signal of the
  // edit is raised.
  void FixValue(int value);

  // Off: typing and pasting cannot change the text; the steps still can.
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool enabled) { editorEnabled_ = enabled; }
  // On: entering the edit by keyboard selects its text.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool on) { autoSelect_ = on; }

  // Value := Value + Increment (UpClick) or Value - Increment (DownClick),
  // through the check; a read-only edit beeps instead. Sums beyond the int
  // range stop at its ends.
  void UpClick();
  void DownClick();
  // A wheel turn of `delta` (eighths of a degree): non-negative steps up,
  // negative down.
  void MouseWheelHandler(int delta);

  // The smallest height that shows the text with its frame.
  int MinHeight() const;
  // The spin button, owned by the edit.
  QWidget* SpinButton() const { return button_; }

  // Raised when a value below MinValue (above MaxValue) is checked; the
  // value the edit then shows is whatever Value() reads after the handler,
  // so a handler that does nothing keeps the old text. Empty: clamp.
  std::function<void()> OnMin;
  std::function<void()> OnMax;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The value the edit takes for `value`: unchanged when MinValue >
  // MaxValue; below or above the limits, the limit event's result or the
  // limit. A handler that writes Value again is not raised a second time:
  // the nested write clamps, so two handlers cannot recurse forever.
  int CheckValue(int value);
  // Whether typed `text` may go into the edit.
  bool IsAcceptedText(const QString& text) const;
  bool CanEditText() const { return editorEnabled_ && !isReadOnly(); }
  void Step(int sign);
  void UpdateLayout();

  int minValue_ = 0;
  int maxValue_ = 99;
  int increment_ = 1;
  bool editorEnabled_ = true;
  bool autoSelect_ = true;
  bool inLimitEvent_ = false;
  QWidget* button_;
};

}  // namespace lectora
