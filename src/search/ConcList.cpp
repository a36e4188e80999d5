#include "search/ConcList.h"

#include "store/Bible.h"

namespace lectora {

std::int32_t TConcList::Count() const { return bible_.WordCount(); }

void TConcList::Get(std::int32_t index, std::string& text) const {
  bible_.WordAt(index, text);
  if (index < 0 || index >= Count()) return;
  text += ' ';
  text += std::to_string(bible_.ConcordanceCount(index));
}

std::int32_t TConcList::IndexOf(const std::string& text) const { return bible_.FindWord(text); }

void TConcList::Key(std::int32_t index, std::string& text) const { bible_.WordAt(index, text); }

}  // namespace lectora
