// One node of a parsed word-search query: a word (leaf) or an And, Or or
// Without of two sub-queries. Each node computes its verse list when it is
// built, bottom-up, from the module's concordance and the verse-list merges;
// only the word-order test of an And node reads verse texts. The root also
// writes the result lines (reference and excerpt) of the list it found.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/VerseList.h"

namespace lectora {

class TBible;
class TSearchContext;

class TSearchNode {
 public:
  // Values of Op; a smaller kind binds more loosely.
  static constexpr std::uint8_t kLeaf = 0;
  static constexpr std::uint8_t kAnd = 1;
  static constexpr std::uint8_t kOr = 2;
  static constexpr std::uint8_t kWithout = 3;

  // A leaf: List := the concordance entry of `word` in `bible` (empty for an
  // unknown word) restricted to `search.SelectedBooks`; appends LowerWord to
  // `search.SearchWords`. `bible` must outlive the node.
  TSearchNode(const std::string& word, const TBible& bible, TSearchContext& search);
  // An inner node owning `left` and `right`, which must have been built
  // before it (left first): List combines their lists by `op` (kAnd, kOr or
  // kWithout); an And node then applies the word-order test of `mode` (2 =
  // phrase) or, for mode 0, of `search.WordOrder`. A null child counts as an
  // empty list; another `op` gives an empty list.
  TSearchNode(std::unique_ptr<TSearchNode> left, std::unique_ptr<TSearchNode> right,
              std::uint8_t op, int mode, const TBible& bible, TSearchContext& search);
  TSearchNode(const TSearchNode&) = delete;
  TSearchNode& operator=(const TSearchNode&) = delete;

  // The query written back: And as a blank, Or as "/", Without as "_"; an
  // inner child of a looser kind is bracketed; quotes are not reproduced.
  void QueryText(std::string& text) const;
  // The line of result `index` (1-based) of List: the reference (AltName
  // with `useAltName`), then an excerpt around the match for the first 100
  // results, " ..." after the reference from the 101st on. Empty when
  // `index` lies outside 1..List->Count().
  void ResultLine(int index, bool useAltName, std::string& text) const;
  // The 1-based position of this node's first match in `text` (a lower-cased
  // plain verse text), 0 when none; `endPos` receives the position just after
  // the match where the node defines one.
  int FindPosition(const std::string& text, int& endPos) const;

  std::string Word;       // the typed word; empty in inner nodes
  std::string LowerWord;  // LowerCase1251(Word)
  std::unique_ptr<TSearchNode> Left;
  std::unique_ptr<TSearchNode> Right;
  std::uint8_t Op = kLeaf;
  int Mode = 0;       // And nodes: 2 inside quotes, else 0 (the global order)
  VerseListPtr List;  // never null

 private:
  const TBible& bible_;
};

}  // namespace lectora
