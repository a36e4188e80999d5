// Opening an address the program does not show itself (the web site, a
// "mailto:" address) with the desktop's own program for it. The program
// gives the desktop implementation; tests give one that records.
#pragma once

#include <QUrl>

namespace lectora {

class IShellOpen {
 public:
  virtual ~IShellOpen() = default;
  // Hands `url` to the desktop; false when nothing could open it.
  virtual bool Open(const QUrl& url) = 0;
};

}  // namespace lectora
