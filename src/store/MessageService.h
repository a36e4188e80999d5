// The plain notice box the core may need ("Free space list error",
// "File not found: ..."). The program shows a dialog; tests record the texts.
#pragma once

#include <string>

namespace lectora {

class IMessageService {
 public:
  virtual ~IMessageService() = default;
  // Shows `text` (8-bit, Windows-1251 like every message of the store) with
  // one OK button and returns when it is dismissed.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace lectora
