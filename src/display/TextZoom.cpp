#include "display/TextZoom.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "store/Bible.h"

namespace lectora {

TTextZoom::TStep TTextZoom::StepOfKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
    return TStep::None;
  }
  switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // the plus key without Shift on most layouts
      return TStep::In;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return TStep::Out;
    case Qt::Key_0:
      return TStep::Reset;
    default:
      return TStep::None;
  }
}

int TTextZoom::ZoomedSize(int size, TStep step, int resetSize) {
  const int from = size >= 1 ? size : kDefaultSize;
  int to = from;
  switch (step) {
    case TStep::In:
      to = from + 1;
      break;
    case TStep::Out:
      to = from - 1;
      break;
    case TStep::Reset:
      to = resetSize >= 1 ? resetSize : kDefaultSize;
      break;
    case TStep::None:
      break;
  }
  return std::clamp(to, kMinSize, kMaxSize);
}

void TTextZoom::Watch(QWidget* control, std::function<TBible*()> module) {
  if (TBible* bible = module ? module() : nullptr) Remember(*bible);
  controls_[control] = TWatched{std::move(module), 0};
  control->installEventFilter(this);
  connect(control, &QObject::destroyed, this, [this](QObject* gone) { controls_.erase(gone); });
}

void TTextZoom::Remember(const TBible& module) {
  startSizes_.try_emplace(module.TranslationNumber, module.Font.Size);
}

int TTextZoom::ResetSize(const TBible& module) {
  const auto found = startSizes_.find(module.TranslationNumber);
  return found != startSizes_.end() ? found->second : module.Font.Size;
}

bool TTextZoom::Zoom(TBible& module, TStep step) {
  Remember(module);
  const int size = ZoomedSize(module.Font.Size, step, ResetSize(module));
  if (step == TStep::None || size == module.Font.Size) return false;
  module.Font.Size = size;
  Q_EMIT FontZoomed(&module);
  return true;
}

bool TTextZoom::ZoomGesture(TWatched& watched, QEvent& event) {
  TStep step = TStep::None;
  switch (event.type()) {
    case QEvent::ShortcutOverride: {
      // Taken as keys, so that no shortcut of the window eats them.
      if (StepOfKey(static_cast<QKeyEvent&>(event)) == TStep::None) return false;
      event.accept();
      return true;
    }
    case QEvent::KeyPress:
      step = StepOfKey(static_cast<QKeyEvent&>(event));
      if (step == TStep::None) return false;
      break;
    case QEvent::Wheel: {
      const auto& wheel = static_cast<QWheelEvent&>(event);
      if (!(wheel.modifiers() & Qt::ControlModifier)) return false;
      watched.WheelRest += wheel.angleDelta().y();
      if (std::abs(watched.WheelRest) < kWheelNotch) return true;
      step = watched.WheelRest > 0 ? TStep::In : TStep::Out;
      watched.WheelRest %= kWheelNotch;
      break;
    }
    default:
      return false;
  }
  if (TBible* module = watched.Module ? watched.Module() : nullptr) Zoom(*module, step);
  return true;
}

bool TTextZoom::eventFilter(QObject* watched, QEvent* event) {
  const auto found = controls_.find(watched);
  if (found != controls_.end() && ZoomGesture(found->second, *event)) {
    event->accept();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lectora
