// Strict reading of the module's small text files ("BibleTitles.txt",
// "BibleStructure.csv", "_Diff_.txt", "BibleStructure.txt", "Abrevs.txt"):
// whole-file reads, line splitting that accepts CR LF and LF, and a reader of
// whitespace-separated decimal integers that reports the file and line of any
// fault.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lectora {

// Reads all of `fileName` into `content`. False when it cannot be opened or
// read (`content` is then empty).
bool ReadTextFile(const std::string& fileName, std::string& content);

// The lines of `text` without their line ends (LF or CR LF). A final line end
// does not start another line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Reads decimal integers separated by blanks, tabs and line breaks. Every
// fault throws LectoraError naming `fileName` and the line of the fault.
// `text` must outlive the reader.
class TNumberReader {
 public:
  // `firstLine`: the line number of the start of `text` in its file.
  TNumberReader(std::string_view text, std::string fileName, int firstLine = 1);

  // True when nothing but white space is left.
  bool AtEnd();
  // The next number. Throws when it is not an optionally signed decimal
  // integer, when it lies outside [min, max] (`what` names it in the
  // message), or when the text is used up ("<what> missing").
  int Next(int min, int max, const char* what);
  // The line of the last number read (or of the current position).
  int Line() const { return line_; }
  const std::string& FileName() const { return fileName_; }

 private:
  void SkipSpace();

  std::string_view text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  int line_;
};

}  // namespace lectora
