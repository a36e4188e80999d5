// Builds a dictionary (the five files N".ind", N".ibf", N".ibp", N"C.ibf",
// N"C.ibp") from a UTF-8 source with one explanation per line:
//
//   headword<TAB>explanation text
//
// Lines with the same headword (after LowerCase1251) give that headword
// several explanations, shown in file order; the first line's spelling is
// the one the headword list shows. Blanks around both fields are dropped,
// empty lines are skipped, a UTF-8 byte order mark is allowed. The files are
// written in Windows-1251.
//
// Every explanation record begins with its headword, as the index expects:
// a text that already begins with it as a whole word (in any letter case) is
// stored as it is, any other text gets the headword and a blank in front.
// The index points at a headword's first explanation, so the headword list
// shows the spelling that explanation begins with; the character after the
// headword there must be one that no headword holds (a headword with a blank
// needs a text like "Holy Spirit, ..."). The letter set holds every byte of
// every headword together with its LowerCase1251 and UpperCase1251
// partners, so that a word typed with another capitalisation is still
// looked up.
#pragma once

#include <string>

namespace lectora {

struct TDictionaryCompileReport {
  int HeadwordCount = 0;
  int ExplanationCount = 0;
};

class TDictionaryCompiler {
 public:
  // Reads `sourceFile` and writes the dictionary with base name
  // `dictionaryBase` (a trailing ".ind" is ignored; missing folders are
  // created) under `title` (UTF-8), replacing an older one. Throws
  // LectoraError naming the source file and line for a malformed line, an
  // empty headword or text, a headword over 32 characters, a character that
  // Windows-1251 lacks, or a record over the format's limits; naming the
  // output file when it cannot be written. Nothing is written on error: the
  // files are built in a temporary folder beside the target and renamed into
  // place at the end.
  static TDictionaryCompileReport Compile(const std::string& sourceFile,
                                          const std::string& dictionaryBase,
                                          const std::string& title);
};

}  // namespace lectora
