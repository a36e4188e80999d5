// The source of a list too long to hold in memory: the concordance word list
// and the headword list of a dictionary. The virtual list box asks it only for
// the rows it shows, so every Get may read from disk.
#pragma once

#include <cstdint>
#include <string>

namespace lectora {

class TLargeStringList {
 public:
  virtual ~TLargeStringList() = default;

  // The number of entries, 0 or more.
  virtual std::int32_t Count() const = 0;
  // `text` := the text shown for entry `index`; empty outside 0..Count()-1.
  virtual void Get(std::int32_t index, std::string& text) const = 0;
  // The index of `text`, or of the entry where it would stand (may be -1
  // before the first or Count() after the last, as the list's search says).
  virtual std::int32_t IndexOf(const std::string& text) const = 0;
  // `text` := the bare key of entry `index` (the shown text without any
  // decoration); by default the same as Get.
  virtual void Key(std::int32_t index, std::string& text) const { Get(index, text); }
};

}  // namespace lectora
