// Where the navigator records the places a reader visits: the verse history
// list of the active translation. The history combo box implements it in
// the program; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

namespace lectora {

class IVerseHistory {
 public:
  virtual ~IVerseHistory() = default;

  // Adds (or merges) the entry for verse `number` of the active module,
  // reached at `openedAt` (days since 1899-12-30), captioned `reference`
  // (8-bit, the module's code page). The list's text follows the entry.
  virtual void Add(std::uint16_t number, const std::string& reference, double openedAt) = 0;
  virtual int Count() const = 0;
};

}  // namespace lectora
