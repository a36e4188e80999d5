#include "display/TrimmedSelection.h"

namespace lectora {

std::string TrimmedSelection(std::string sel) {
  constexpr const char* kBlanks = " \r\n";
  const auto last = sel.find_last_not_of(kBlanks);
  if (last == std::string::npos) return {};
  sel.erase(last + 1);
  sel.erase(0, sel.find_first_not_of(kBlanks));
  return sel;
}

}  // namespace lectora
