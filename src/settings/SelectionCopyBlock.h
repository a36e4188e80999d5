// Keeping text out of the X11 selection clipboard (the middle-click paste)
// for edit fields whose text must not be copied. A QLineEdit puts every
// selection made with the keys or the mouse there; these helpers make the
// same selections without that copy and withdraw any copy that still slips
// through.
#pragma once

#include <QMetaObject>

class QKeyEvent;
class QLineEdit;

namespace lectora {

// Carries out a selecting key (Shift with the arrows, Home or End, Ctrl+A,
// ...) on `edit` through its functions, which copy nothing. Returns true
// (and accepts `event`) when it was one of them; other keys are left alone.
bool SelectWithoutCopy(QLineEdit& edit, QKeyEvent* event);

// While it lives, watches the selection clipboard; when the program itself
// filled it meanwhile, the destructor clears it again. Wrap the line edit's
// own handling of a key or mouse event in one.
class TSelectionCopyWatch {
 public:
  TSelectionCopyWatch();
  ~TSelectionCopyWatch();
  TSelectionCopyWatch(const TSelectionCopyWatch&) = delete;
  TSelectionCopyWatch& operator=(const TSelectionCopyWatch&) = delete;

 private:
  QMetaObject::Connection watch_;
  bool copied_ = false;
};

}  // namespace lectora
