// Imports lexicons and topical dictionaries from the IMP export of SWORD
// modules (`mod2imp StrongsHebrew`, `mod2imp Nave`): each entry becomes one
// line "headword<TAB>text" of a UTF-8 dictionary source, which the
// dictionary compiler turns into a dictionary.
//   headwords  "$$$00001", "$$$H0001", "$$$G0001" -> "1" (no letter, no
//              leading zeros); any other key, such as Nave's "AARON", is
//              kept, cut to 32 characters at most
//   text       markup dropped, readable references kept (TOsisConverter),
//              fitted to Windows-1251, the dictionaries' code page
// When a headword holds a blank, every text is written as the headword, a
// separator no headword holds (":" where possible) and a blank, so that the
// headword cannot run on into the text.
#pragma once

#include <string>
#include <vector>

#include "modules/DictionaryCompiler.h"
#include "modules/OsisConverter.h"

namespace lectora {

struct TSwordDictionaryReport {
  int HeadwordCount = 0;              // distinct headwords written
  int ExplanationCount = 0;           // lines written
  int SkippedEntries = 0;             // headings and entries without text
  int ShortenedHeadwords = 0;         // keys cut to 32 characters
  int MalformedEntries = 0;           // entries with malformed markup (text kept)
  std::vector<std::string> Warnings;  // the first of them, as "file:line: ..."
  TConversionCounts Counts;
  TDictionaryCompileReport Dictionary;  // filled by ImportSwordDictionary
};

// Converts the IMP files `impFiles` into one source `sourceFile` (replaced
// atomically). Explanations of the same headword are grouped under its first
// appearance, in the order of the files and of their entries, so the first
// file's explanation is shown first. Throws LectoraError naming the IMP file
// and line for a malformed file (see TImpReader), and naming `sourceFile`
// when it cannot be written or no entry has text.
TSwordDictionaryReport ConvertSwordDictionaries(const std::vector<std::string>& impFiles,
                                                const std::string& sourceFile);

// The Strong's lexicons as one source: each number has the Hebrew
// explanation first, then the Greek one.
TSwordDictionaryReport MergeStrongsDictionaries(const std::string& hebrewImp,
                                                const std::string& greekImp,
                                                const std::string& sourceFile);

// Converts `impFiles` as ConvertSwordDictionaries does, into a temporary
// source, and compiles it into the dictionary `dictionaryBase` under `title`
// (see TDictionaryCompiler::Compile). Nothing is written on error.
TSwordDictionaryReport ImportSwordDictionary(const std::vector<std::string>& impFiles,
                                             const std::string& dictionaryBase,
                                             const std::string& title);

}  // namespace lectora
