// The filter a Bible window runs over every verse text before showing it:
// it hides Strong's numbers when the user switched them off, drops the
// footnotes in braces when the footnote option is off, and tidies the
// spaces that the removed parts leave before punctuation.
#pragma once

#include <string>

namespace lectora {

struct TVerseFilterOptions {
  // The Strong's tool button is up: Strong's groups are hidden.
  bool StrongHidden = false;
  // The module carries Strong's numbers in "<...>" or "(...)" groups.
  bool HasStrongNumbers = false;
  // The module is the Greek one ("Gr\"), whose morphology letters "a", "b",
  // "s", "t" and "=" go with the Strong's numbers.
  bool GreekModule = false;
  // The footnote option: notes in braces are kept.
  bool ShowFootnotes = true;
};

// Rewrites `text` (8-bit, module markup) in place, left to right with one
// write position: a Strong's group loses its opening bracket, contents and
// closing bracket when hidden; a brace note vanishes braces included when
// footnotes are off; a space followed by a space, "*", ",", ".", ":" or ";"
// is replaced by that character. Never grows the text.
void FilterVerse(std::string& text, const TVerseFilterOptions& options);

}  // namespace lectora
