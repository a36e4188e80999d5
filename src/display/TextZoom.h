// Font zoom in the text windows. Ctrl+plus (also Ctrl+= and the keypad's
// plus), Ctrl+minus, Ctrl+0 and the mouse wheel with Ctrl on a watched text
// control change the point size of the translation font that control shows,
// one point a step within kMinSize..kMaxSize; Ctrl+0 gives back the size
// the translation had when the zoom first met it in this run (the size read
// from its settings, unless the options dialog changed it before). The size
// is the module's own (TBible::Font.Size), so it is saved with the module's
// font, and every window showing the translation follows through
// FontZoomed. One object serves the program: the display context holds it.
#pragma once

#include <QObject>
#include <functional>
#include <map>

class QKeyEvent;
class QWidget;

namespace lectora {

class TBible;

class TTextZoom : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMinSize = 6;
  static constexpr int kMaxSize = 48;
  // The size of a font stored without one.
  static constexpr int kDefaultSize = 10;
  // One notch of a mouse wheel, in eighths of a degree.
  static constexpr int kWheelNotch = 120;

  enum class TStep { None, In, Out, Reset };

  // The step a key asks for: In, Out or Reset for the zoom keys with Ctrl
  // (Shift allowed, Alt and Meta not), None for any other key.
  static TStep StepOfKey(const QKeyEvent& event);
  // The size one `step` from `size` (a size below 1 counts as
  // kDefaultSize), or `resetSize` for Reset; always within the bounds.
  static int ZoomedSize(int size, TStep step, int resetSize);

  explicit TTextZoom(QObject* parent = nullptr) : QObject(parent) {}

  // Zoom gestures on `control` change the font of module(), asked at each
  // gesture (null: nothing to zoom, the gesture is still taken). Watched
  // until `control` is destroyed. The module is remembered at once, so
  // that Ctrl+0 knows the size it has now.
  void Watch(QWidget* control, std::function<TBible*()> module);
  // Applies `step` to `module`'s font size; true (and FontZoomed) when the
  // size changed.
  bool Zoom(TBible& module, TStep step);
  // The size Ctrl+0 gives `module` back.
  int ResetSize(const TBible& module);

 Q_SIGNALS:
  // `module`'s font size changed: the windows showing it show it again.
  void FontZoomed(TBible* module);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TWatched {
    std::function<TBible*()> Module;
    // Wheel turn not yet a whole notch (touchpads send small steps).
    int WheelRest = 0;
  };
  // True when the gesture was a zoom gesture (and has been handled).
  bool ZoomGesture(TWatched& watched, QEvent& event);
  void Remember(const TBible& module);

  std::map<const QObject*, TWatched> controls_;
  // By translation number: the size before the first zoom.
  std::map<int, int> startSizes_;
};

}  // namespace lectora
