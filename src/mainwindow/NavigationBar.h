// The navigation controls of the main tool bar as views of the navigator:
// the book box, the chapter and verse spin edits (SpinEdit1, SpinEdit2)
// with their double buttons, and the Back and Next buttons. The reader's
// choices go to the navigator; the place it reaches comes back into the
// controls without change events. The typing rules of the spin edits
// (`IgnoreSpinChange`: typed digits take effect on Enter) live here, since
// they are rules of the controls, not of the place.
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QToolBar;
class QToolButton;

namespace lectora {

class TActiveTranslation;
class TBible;
class TDblButton;
class TMySpinEdit;
class TNavigator;
class TODComboBox;

class TNavigationBar : public QObject {
  Q_OBJECT

 public:
  // Creates the controls, in tool-bar order, on `toolBar` (which owns them).
  // `navigator` and `active` must outlive the bar.
  TNavigationBar(TNavigator& navigator, TActiveTranslation& active, QToolBar& toolBar);

  // Enables or disables the book box, the spin edits and the double
  // buttons; disabling also disables Back and Next.
  void SetEnabled(bool enabled);
  // The book box's width in pixels.
  void SetBookBoxWidth(int width);
  int BookBoxWidth() const;
  // Applies the book box and the two spin edits to every window (an empty
  // spin text changes nothing).
  void ShowPosition(bool scroll);
  bool IgnoreSpinChange() const { return ignoreSpinChange_; }
  // Translates a key typed into the book box (keyboard layouts); may be empty.
  std::function<void(char& key)> TranslateKey;

  TODComboBox* BookBox = nullptr;
  TMySpinEdit* SpinEdit1 = nullptr;
  TMySpinEdit* SpinEdit2 = nullptr;
  TDblButton* DblButton1 = nullptr;
  TDblButton* DblButton2 = nullptr;
  TDblButton* DblButton3 = nullptr;
  QToolButton* ToolButton3 = nullptr;  // back in the verse history
  QToolButton* ToolButton4 = nullptr;  // forward in the verse history

 Q_SIGNALS:
  // A key was released in the verse spin edit: the active window's text
  // control takes it (select all, copy, page keys).
  void VerseKeyReleased(QKeyEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls(QToolBar& toolBar);
  void Wire();
  // The navigator reached a place: the controls show it.
  void ShowPlace();
  // The active translation changed: its books fill the book box.
  void FillBooks(TBible* bible);
  void BookBoxChanged();
  void BookBoxKey(char& key);
  void SpinChanged();
  void SpinKey(TMySpinEdit& spin, const QKeyEvent& event);
  // A typed value out of range is clamped when the field is left.
  void SpinLeft(TMySpinEdit& spin);
  void ChapterBelowMinimum();
  void ChapterAboveMaximum();
  void BookButton(bool down);

  TNavigator& navigator_;
  TActiveTranslation& active_;
  bool ignoreSpinChange_ = false;
};

}  // namespace lectora
