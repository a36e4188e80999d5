// Turns the markup of one SWORD entry (OSIS, and the ThML and TEI forms the
// lexicons use) into the module markup, UTF-8 in and UTF-8 out:
//   Strong's numbers    <w lemma="strong:H7225">beginning</w>  ->  beginning <7225>
//   footnotes           <note>...</note>                       ->  {...}
//   added words         <transChange type="added">was</...>    ->  |was|
//   a paragraph start   a leading pilcrow, <milestone type="x-p"/>, <p>  ->  a leading "¶"
//   psalm titles        <title type="psalm">...</title>        ->  set apart (see Title)
//   other titles        in bold \...\ (Bible text only)
// Every other tag is dropped and its text kept (but for the annotation
// reference a note starts with and a lexicon's beta-code spelling);
// entities are decoded, blanks collapsed, and characters the code page
// lacks replaced (TCodePageFitter).
// Literal text that would read as module markup is replaced by a harmless
// character: in Bible text "<", "(", "{" become "[", their partners "]",
// "\" and "|" become "/", "~" becomes "-", a pilcrow after the start is
// dropped, and a left-over USFM marker such as "\nd " or "\+nd*" is dropped.
// Dictionary text only has "\" and "|" replaced, the two characters that
// switch bold and italic there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "modules/CodePageFitter.h"

namespace lectora {

enum class TMarkupTarget { Bible, Dictionary };

struct TConversionCounts {
  int StrongNumbers = 0;         // Strong's groups written
  int DroppedStrongNumbers = 0;  // Strong's numbers left out (SetStrongNumbers(false))
  int Notes = 0;                 // footnotes written
  int AddedWords = 0;            // italic runs of added words
  int Paragraphs = 0;            // paragraph marks written
  int Titles = 0;                // psalm and other titles
  int DroppedTags = 0;           // other tags left out (their text kept)
  int ReplacedMarkup = 0;        // literal markup characters and USFM markers replaced
  int MalformedMarkup = 0;       // unclosed, stray or cut-off tags, unknown entities
  TFitCounts CodePage;           // characters the code page lacks

  TConversionCounts& operator+=(const TConversionCounts& other);
};

// One converted entry. Text and Title are UTF-8 that the code page holds.
struct TConvertedEntry {
  std::string Text;        // the entry's text, without paragraph mark and psalm title
  std::string Title;       // psalm title text (no bold marks), empty when none
  bool Paragraph = false;  // the entry starts a paragraph
  int Malformed = 0;       // malformed-markup findings in this entry

  // The verse text as stored: "¶" when Paragraph, then the title in bold
  // followed by a blank when `title` is not empty, then Text.
  std::string VerseText(const std::string& title) const;
};

class TOsisConverter {
 public:
  // REQUIRES: `codePage` is 1250, 1251, 1252 or 1253.
  TOsisConverter(TMarkupTarget target, int codePage);

  // Whether Strong's numbers are written (the default) or left out, for a
  // translation whose text carries none.
  void SetStrongNumbers(bool keep) { strongNumbers_ = keep; }

  // Converts the markup of one entry (UTF-8; malformed bytes become "?").
  // Never throws for bad markup: what cannot be kept is dropped and counted.
  TConvertedEntry Convert(std::string_view markup);
  // Makes plain UTF-8 text (a book title, a headword) fit the code page,
  // counted with the rest.
  std::string FitPlain(std::string_view text);

  // The counts over every Convert() and FitPlain() call so far.
  TConversionCounts Counts() const;

 private:
  TMarkupTarget target_;
  bool strongNumbers_ = true;
  TCodePageFitter fitter_;
  TConversionCounts counts_;
};

}  // namespace lectora
