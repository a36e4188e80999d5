// What the links page needs from the program besides the interface texts:
// the desktop's "open", the program's question and notice dialog, and the
// link dialog. The program owns one; everything in it outlives the page.
#pragma once

#include <QString>
#include <functional>

namespace lectora {

class IShellOpen;
class TLinkForm1;

struct TLinkContext {
  // Opens the links; null opens nothing.
  IShellOpen* Shell = nullptr;
  // The link dialog; not owned, must be set before the page is built.
  TLinkForm1* Dialog = nullptr;
  // Asks a yes/no question with No as the default answer; true for yes.
  // Unset answers no.
  std::function<bool(const QString& text)> AskDefaultNo;
  // Shows a notice; unset shows nothing.
  std::function<void(const QString& text)> ShowInfo;
};

}  // namespace lectora
