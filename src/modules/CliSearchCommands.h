// The search commands of lectora-cli: word search, concordance, word list,
// cross references, dictionary look-up and the dictionary compiler. RunCli
// parses the command line and opens the module; these functions do the
// work and write the result as text or as one JSON object. Arguments and
// output are UTF-8; module texts are converted to and from the module's
// code page, dictionary texts to and from Windows-1251.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

class TBible;
class TUserRegistry;

// What the search commands take from the command line.
struct TSearchCommandOptions {
  TSearchCommandOptions() { SelectedBooks.fill(true); }

  std::vector<std::string> Arguments;  // the command's own arguments, UTF-8
  bool Json = false;
  int WordOrder = 0;                     // search: 0 anywhere, 1 in order, 2 phrase
  std::array<bool, 88> SelectedBooks{};  // search: by book number 1..87
  int Count = 20;                        // words: entries to list
  std::string Dictionary;                // dict: a base name; empty = all installed
  std::string Title;                     // build-dictionary: the title (UTF-8)
};

// Reads a book range "1-50,63": a comma list of book numbers and ranges
// A-B with 1 <= A <= B <= 87, no blanks. On success `selected` holds true
// exactly for the listed books (element 0 false) and the answer is true; a
// malformed or out-of-range text answers false and leaves `selected` alone.
bool ParseBookRange(std::string_view text, std::array<bool, 88>& selected);

// `utf8` in the module's code page, with the near forms the importer gives
// characters the module's alphabet lacks (TCodePageFitter: Greek without
// accents, Latin "æ" as "ae"). Throws LectoraError when a character of it
// has no place in that code page.
std::string ToModuleText(const std::string& utf8, const TBible& bible);
// A module text (in the module's code page) as UTF-8.
std::string ModuleTextToUtf8(const std::string& text, const TBible& bible);

// search QUERY: builds the query with the options' word order and books and
// prints the query as read back, the number of verses and every result line.
// An empty or unknown query finds nothing. REQUIRES: one argument.
void RunSearchCommand(const TBible& bible, const TSearchCommandOptions& options, std::ostream& out);
// concordance WORD: the word's place in the word list, whether it is there
// (in any letter case) and the references of the verses holding it.
// REQUIRES: one argument.
void RunConcordanceCommand(const TBible& bible, const TSearchCommandOptions& options,
                           std::ostream& out);
// words [PREFIX]: options.Count rows of the word list ("word count") from
// where PREFIX would stand, or from the first word. REQUIRES: at most one
// argument.
void RunWordsCommand(const TBible& bible, const TSearchCommandOptions& options, std::ostream& out);
// links REFERENCE: the references of the cross references of verse
// `verseNumber` (REFERENCE as read by the caller), none for a verse or a
// module without links. REQUIRES: 1 <= verseNumber <= bible.VerseTotal.
void RunLinksCommand(const TBible& bible, int verseNumber, const TSearchCommandOptions& options,
                     std::ostream& out);
// dict WORD: looks WORD up in options.Dictionary, or, when that is empty,
// over all dictionaries of `setupFolder` + "Dictionaries/" and of the root
// `registry` remembers (may be null), choosing the dictionary as the
// dictionary window does. Prints whether WORD is a headword, the chosen
// dictionary's title, WORD's position in it and, for a headword, all its
// explanations in order. Dictionaries left out of the catalogue are named on
// `err`. Throws LectoraError when the given dictionary does not exist, when
// no dictionary is installed, or when WORD holds a character Windows-1251
// lacks. REQUIRES: one non-empty argument.
void RunDictCommand(const std::string& setupFolder, const TUserRegistry* registry,
                    const TSearchCommandOptions& options, std::ostream& out, std::ostream& err);
// build-dictionary SOURCE BASE: compiles the UTF-8 source into the
// dictionary BASE under options.Title and prints a one-line summary.
// Throws LectoraError from the compiler. REQUIRES: two arguments.
void RunBuildDictionaryCommand(const TSearchCommandOptions& options, std::ostream& out);

}  // namespace lectora
