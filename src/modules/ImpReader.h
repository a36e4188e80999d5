// Reads the IMP export format of SWORD modules (what `mod2imp` prints): a
// line "$$$key" opens an entry, the lines up to the next key line are its
// text. The whole file is checked while it is read: it must be UTF-8 (a byte
// order mark at the start is allowed), every line must end in a line feed
// (a last line without one means the file was cut short), and no text may
// stand before the first key. Faults throw LectoraError naming the line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lectora {

struct TImpEntry {
  std::string Key;   // without "$$$", blanks around it dropped
  std::string Text;  // the entry's lines joined by LF, CRs and trailing empty lines dropped
  int Line = 0;      // 1-based line of the key
};

class TImpReader {
 public:
  // Reads `fileName` whole. Throws LectoraError when it cannot be read.
  explicit TImpReader(const std::string& fileName);
  // Reads `text` as if it were the file `fileName` (which is only used in
  // messages).
  TImpReader(std::string text, std::string fileName);

  // Fills `entry` with the next entry and returns true; false at the end of
  // the file. Throws LectoraError naming the file and line for text before
  // the first key, an empty key, malformed UTF-8, a NUL byte, or a last line
  // without its line feed.
  bool Next(TImpEntry& entry);

  const std::string& FileName() const { return fileName_; }
  // The line number of the last line read so far.
  int Line() const { return line_; }

 private:
  // The next line without its line end; false at the end of the data.
  bool ReadLine(std::string_view& line);
  void CheckLine(std::string_view line) const;

  std::string text_;
  std::string fileName_;
  std::size_t pos_ = 0;
  int line_ = 0;
  // A key line already read by the previous Next(), waiting for its entry.
  bool havePendingKey_ = false;
  std::string pendingKey_;
  int pendingLine_ = 0;
};

}  // namespace lectora
