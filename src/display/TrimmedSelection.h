// A selection as a look-up or search takes it: a double-clicked word comes
// with the blank or line end after it, which no headword or query holds.
#pragma once

#include <string>

namespace lectora {

// `sel` without leading and trailing blanks, carriage returns and line feeds.
std::string TrimmedSelection(std::string sel);

}  // namespace lectora
