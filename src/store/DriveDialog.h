// The chooser asked for the root of the module folders when a module is found
// neither beside the program nor under the remembered root.
#pragma once

#include <optional>
#include <string>

namespace lectora {

class IDriveDialog {
 public:
  virtual ~IDriveDialog() = default;
  // Asks the user for a root folder, preset to `rememberedRoot` (may be
  // empty). Returns the chosen root without a trailing separator, or nullopt
  // when the user cancels.
  virtual std::optional<std::string> ChooseRoot(const std::string& rememberedRoot) = 0;
};

}  // namespace lectora
