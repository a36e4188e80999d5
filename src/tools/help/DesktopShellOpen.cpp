#include "tools/help/DesktopShellOpen.h"

#include <QDesktopServices>

namespace lectora {

bool TDesktopShellOpen::Open(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace lectora
