// The concordance word list of one module as the virtual list box shows it:
// each row is a word and the number of verses it occurs in.
#pragma once

#include <cstdint>
#include <string>

#include "search/LargeStringList.h"

namespace lectora {

class TBible;

class TConcList : public TLargeStringList {
 public:
  // `bible` (not owned) must outlive the list.
  explicit TConcList(const TBible& bible) : bible_(bible) {}

  // The number of words of the module; 0 without word files.
  std::int32_t Count() const override;
  // "word count", e.g. "light 12"; empty outside 0..Count()-1. Throws
  // LectoraError when the concordance files cannot be opened.
  void Get(std::int32_t index, std::string& text) const override;
  // The index of `text` or of the word after it (TBible::FindWord).
  std::int32_t IndexOf(const std::string& text) const override;
  // The bare word.
  void Key(std::int32_t index, std::string& text) const override;

 private:
  const TBible& bible_;
};

}  // namespace lectora
