// IShellOpen through QDesktopServices: the desktop's browser and mail
// program.
#pragma once

#include "tools/help/ShellOpen.h"

namespace lectora {

class TDesktopShellOpen : public IShellOpen {
 public:
  bool Open(const QUrl& url) override;
};

}  // namespace lectora
