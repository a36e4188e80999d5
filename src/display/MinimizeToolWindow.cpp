#include "display/MinimizeToolWindow.h"

#include <QWidget>

namespace lectora {

void MinimizeToolWindow(QWidget& window) {
  if (window.isVisible()) window.hide();
}

}  // namespace lectora
