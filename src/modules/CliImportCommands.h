// The import commands of lectora-cli: a Bible or dictionaries from the IMP
// export of SWORD modules (`mod2imp`). RunCli parses the command line; these
// functions import and print a summary as text or as one JSON object. Paths
// and titles are UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lectora {

// What the import commands take from the command line.
struct TImportCommandOptions {
  std::vector<std::string> Arguments;  // the command's own arguments
  bool Json = false;
  int Translation = 8;    // import-sword: 0..11
  std::string DiffFile;   // import-sword: "_Diff_.txt" for the module
  std::string LinksFile;  // import-sword: "links.tsv" for the module
  std::string NamesFile;  // import-sword: the books' titles and names (UTF-8)
  std::string Title;      // import-sword-dictionary: the title (UTF-8)
};

// import-sword IMP_FILE MODULE_DIR: imports the Bible and prints its books,
// verses, words and linked verses, the markup counts and, once, how many
// characters the code page could not hold and how they were replaced.
// Throws LectoraError from the importer; the module folder is then left as
// it was. REQUIRES: two arguments.
void RunImportSwordCommand(const TImportCommandOptions& options, std::ostream& out,
                           std::ostream& err);
// import-sword-dictionary IMP_FILE... BASE: imports one or more IMP files
// into the dictionary BASE under options.Title; explanations of a headword
// found in several files follow the order of the files. REQUIRES: at least
// two arguments and a title.
void RunImportSwordDictionaryCommand(const TImportCommandOptions& options, std::ostream& out,
                                     std::ostream& err);

}  // namespace lectora
