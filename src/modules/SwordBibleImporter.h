// Imports a Bible from the IMP export of a SWORD module (`mod2imp MODULE`):
// the entries "$$$Book C:V" are converted to the module markup
// (TOsisConverter) and written as a UTF-8 module source ("books.tsv",
// "verses.tsv"), which the module compiler then turns into a module.
// Headings and introductions (chapter 0, verse 0, "[ Module Heading ]") hold
// no verse; a psalm title met in a verse-0 entry goes before verse 1.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "modules/OsisConverter.h"

namespace lectora {

struct TSwordImportReport {
  int BookCount = 0;
  int VerseCount = 0;                 // verse entries taken
  int SkippedEntries = 0;             // headings and introductions
  int EmptyBooks = 0;                 // books of the versification without any text, left out
  int MalformedEntries = 0;           // entries with malformed markup (text kept)
  std::vector<std::string> Warnings;  // the first of them, as "file:line: ..."
  TConversionCounts Counts;
  TModuleCompileReport Module;  // filled by ImportSwordBible
};

// The title, name and short name of one book, UTF-8.
struct TBookNames {
  std::string Title, Name, Short;
};

// Reads a book-names file: UTF-8 lines "number<TAB>title<TAB>name<TAB>short
// name" (book numbers 1..78, each once; blank lines ignored). Throws
// LectoraError naming the file and line for anything else.
std::map<int, TBookNames> ReadBookNames(const std::string& fileName);

struct TSwordConversionOptions {
  bool StrongNumbers = true;  // false: Strong's numbers are left out
  // Book names to use instead of the English table; empty = the table. A
  // book the module holds must then be in it.
  std::map<int, TBookNames> Names;
};

// Converts the IMP file `impFile` into a module source in `sourceDir`
// (created when missing; "books.tsv" and "verses.tsv" are replaced) for
// `codePage` (1250..1253). Books keep the file's order; their names come
// from options.Names or else from a fixed English table, the title from the
// book introduction's table-of-contents entry when there is one. A book
// whose every entry is empty (mod2imp prints every key of the
// versification, so a New Testament gets empty Old Testament books) is left
// out, whatever its name. Throws LectoraError naming the IMP file and line
// for a key whose book the table does not know and that holds text, a book
// met twice, a chapter or verse out of order or a chapter without verses, a
// verse number over 255, a file cut short, a file without verses, or a
// book options.Names lacks.
TSwordImportReport ConvertSwordBible(const std::string& impFile, const std::string& sourceDir,
                                     int codePage, const TSwordConversionOptions& options = {});

// Converts `impFile` for translation `translationNumber` (0..11, which fixes
// the language and whether the text carries Strong's numbers) and compiles
// it into `moduleDir`. The source is built in a temporary folder that is
// removed again. Throws LectoraError as ConvertSwordBible and
// TModuleCompiler::Compile do; `moduleDir` is then left as it was.
// Files the module gets beside the converted text, copied into the source
// unchanged (empty = none): "_Diff_.txt" (five integers per line) and
// "links.tsv" (book, chapter, verse, then book:chapter:verse targets).
// Both are checked by the module compiler, which names them in its errors.
// NamesFile (empty = English names) is read by ReadBookNames. Strong's
// numbers are kept only when the translation table gives the translation
// some.
struct TSwordImportExtras {
  std::string DiffFile;
  std::string LinksFile;
  std::string NamesFile;
};

TSwordImportReport ImportSwordBible(const std::string& impFile, const std::string& moduleDir,
                                    int translationNumber, const TSwordImportExtras& extras = {});

}  // namespace lectora
