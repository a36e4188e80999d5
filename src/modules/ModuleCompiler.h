// Builds a module folder from a UTF-8 source folder: the titles, the
// structure, the verse texts, the word list with its concordance, and the
// links when a links source is given.
#pragma once

#include <cstdint>
#include <string>

namespace lectora {

struct TModuleCompileReport {
  int BookCount = 0;
  int VerseCount = 0;
  int WordCount = 0;
  int LinkedVerses = 0;
};

class TModuleCompiler {
 public:
  // Reads `sourceDir` ("books.tsv", "verses.tsv", optional "links.tsv" and
  // "_Diff_.txt") and writes every module file into `moduleDir` (created when
  // missing). `languageNumber` 0..8 chooses the code page, letters and
  // collation; `strong` makes "0".."9" word characters. Any fault in the
  // source throws LectoraError naming the file and line, and nothing is
  // written: the files are built in a temporary folder and moved in at the
  // end.
  static TModuleCompileReport Compile(const std::string& sourceDir, const std::string& moduleDir,
                                      int languageNumber, bool strong);
};

}  // namespace lectora
