// The word-search query language: normalising the typed text, splitting it
// at an operator class, and parsing it into a tree of TSearchNode. And
// (blank, "+", "-") binds loosest, then Or ("/"), then Without ("_");
// brackets group and double quotes group a phrase.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "search/SearchNode.h"

namespace lectora {

class TBible;
class TLanguage;
class TSearchContext;

class TQueryParser {
 public:
  // Deeper nesting (brackets, quotes or operators) than this makes the whole
  // query find nothing, so that no query can exhaust the stack.
  static constexpr int kMaxDepth = 1000;

  // The operator classes, by node kind.
  static constexpr std::string_view kAndChars = " +-";
  static constexpr std::string_view kOrChars = "/";
  static constexpr std::string_view kWithoutChars = "_";

  // Both must outlive the parser; the nodes it builds refer to `bible`.
  TQueryParser(const TBible& bible, TSearchContext& search);

  // Clears `search.SearchWords`, normalises `text` (8-bit, in the module's
  // code page) and parses it with mode 0. Returns the root, or null for a
  // query that is empty after normalising or nested deeper than kMaxDepth
  // (then SearchWords is left empty too).
  std::unique_ptr<TSearchNode> Build(std::string_view text);

  // `text` without the characters outside the language's letters and the
  // query characters (blank " ( ) + - / 0..9 _), and without each blank
  // whose next character in `text` is one of those query characters.
  static std::string Normalize(std::string_view text, const TLanguage& language);
  // Splits `text` at the first character of `operators` that stands outside
  // double quotes and at bracket depth 0: `left` and `right` receive the
  // parts before and after it. False (and both left alone) when none.
  static bool Split(std::string_view text, std::string_view operators, std::string_view& left,
                    std::string_view& right);

 private:
  std::unique_ptr<TSearchNode> Parse(std::string_view text, int mode, int depth);

  const TBible& bible_;
  TSearchContext& search_;
  bool tooDeep_ = false;
};

// TQueryParser(bible, search).Build(text): the root of the query, or null.
std::unique_ptr<TSearchNode> BuildQuery(std::string_view text, const TBible& bible,
                                        TSearchContext& search);

}  // namespace lectora
