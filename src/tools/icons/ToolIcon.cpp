#include "tools/icons/ToolIcon.h"

namespace lectora {

QIcon ToolIcon(const QString& name) { return QIcon::fromTheme(name); }

}  // namespace lectora
