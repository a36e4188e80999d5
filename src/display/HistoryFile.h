// The history file of a history list ("VerseHistory.txt", "Search_List.txt"):
// 8-bit text with CR LF line ends. Line 1 is the sort order (0, 1 or 2),
// line 2 the box text at saving time, then two lines per entry: the visit
// time as a 23-character real (" 4.51234567890123E+0004": sign or blank,
// digit, point, 14 digits, "E", sign, 4 digits), a space and the verse
// number; then the entry's text. Written by hand because the layout must
// stay byte-exact; nothing here touches a widget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lectora {

class THistoryFile {
 public:
  struct TEntry {
    double Time = 0;          // days since 30 Dec 1899, fraction = time of day
    std::uint16_t Index = 0;  // verse number, 0 for search texts
    std::string Text;         // 8-bit
  };

  // The 23-character real of `value`, rounded to 15 significant digits.
  // A value that is not finite is written as 0 so the file stays readable.
  static std::string FormatReal(double value);
  // Reads a real such as FormatReal writes (leading blanks, optional sign,
  // digits with an optional point and exponent; no locale). False for
  // anything else, also for values out of the double range.
  static bool ParseReal(std::string_view text, double& value);

  // The file's bytes. CR and LF inside texts become blanks, so that an odd
  // text can never shift the two-line layout of the entries after it.
  std::string Format() const;
  // Reads `bytes`. A line 1 that is not 0..2 leaves Sorted at byTime (1) and
  // the entries are read all the same. Entries are read until the end or
  // the first damaged pair (a time line that is not a real and a verse
  // number 0..65535, or a missing text line); the entries before it are
  // kept. Returns true when nothing but blank lines was left unread, so
  // that writing the entries back loses nothing.
  bool Parse(std::string_view bytes);

  enum class TLoadState {
    Missing,     // no such file: nothing read, nothing to lose
    Complete,    // read to the end
    Damaged,     // read up to damage; the rest of the file was not understood
    Unreadable,  // the file is there but could not be read at all
  };
  // Parse of the file `fileName`.
  TLoadState Load(const std::string& fileName);
  // Creates the folder of `fileName` when needed and replaces the file
  // atomically. Throws LectoraError (naming the file) when that fails; the
  // old file is then untouched.
  void Save(const std::string& fileName) const;

  // Keeps a copy of `fileName` beside it before a save could replace it with
  // less than it holds: "<name>.bak", or "<name>.<n>.bak" (n < kMaxCopies)
  // when an earlier, different copy has that name. A copy with the same
  // bytes is reused.
  struct TKeptCopy {
    std::string FileName;  // the copy; "" when no copy could be made
    bool Created = false;  // false when an identical copy was there already
  };
  static TKeptCopy KeepCopy(const std::string& fileName);
  // More damaged versions of one file than a user could plausibly collect.
  static constexpr int kMaxCopies = 10;

  int Sorted = 1;  // 0 by text, 1 by time, 2 by verse number
  std::string BoxText;
  std::vector<TEntry> Entries;
};

}  // namespace lectora
