// Asks which keyboard layout is active, so typed keys are translated only
// when the layout differs from the module language's own.
#pragma once

#include <cstdint>
#include <optional>

namespace lectora {

class IKeyboardLayoutQuery {
 public:
  virtual ~IKeyboardLayoutQuery() = default;
  // The layout handle of the active layout in the form of the language table
  // (0x04020402 Bulgarian, 0x04090409 US, ...), or nullopt when unknown;
  // unknown means keys are translated.
  virtual std::optional<std::uint32_t> ActiveLayout() const = 0;
};

}  // namespace lectora
