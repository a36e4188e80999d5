// The settings file: an INI file whose layout is kept byte for byte
// ("[Section]" lines, "Key=Value" lines, CR LF), with section and key names
// compared without regard to case (ASCII and Windows-1251 letters) and
// backslashes allowed in section names ("ORT\Font"). Values are 8-bit.
// Untouched lines, comments and key order survive a rewrite.
//
// Written by hand rather than with QSettings: the core has no Qt, and
// QSettings escapes keys and treats "\" as a separator.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "store/FontInfo.h"
#include "store/WindowPlacement.h"

namespace lectora {

class TMyIniFile {
 public:
  // Reads `fileName` when it exists (a missing file is an empty one). With
  // `readOnly` (the program runs from a medium it cannot write) every write
  // operation is ignored and nothing is ever written. Throws LectoraError
  // when the file exists but cannot be read, so it is never replaced by an
  // empty one. A non-empty `seedFileName` is read instead while `fileName`
  // is missing (an installed copy's defaults); changes still go to
  // `fileName`.
  TMyIniFile(std::string fileName, bool readOnly, const std::string& seedFileName = {});
  // Writes pending changes (UpdateFile); never throws.
  ~TMyIniFile();
  TMyIniFile(const TMyIniFile&) = delete;
  TMyIniFile& operator=(const TMyIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }
  bool ReadOnly() const { return readOnly_; }

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) const;
  // A decimal integer, or `defaultValue` when absent or not a number.
  int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
  // "0" is false, any other number true; `defaultValue` when absent.
  bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
  // Every "," and "." is taken as the decimal separator, so "1,5" and "1.5"
  // both read 1.5; `defaultValue` when absent or not a number.
  double ReadFloat(const std::string& section, const std::string& ident, double defaultValue) const;

  // Replaces the value in place or adds the key at the end of its section
  // (the section at the end of the file). Throws LectoraError, changing
  // nothing, for a name or value that could not be read back as written: a
  // section name with "]", an empty key or one with "=" or starting with
  // ";" or "[", a line break anywhere.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);
  // Writes "1" or "0".
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  // The shortest form that reads back exactly, with "." ("1.5").
  void WriteFloat(const std::string& section, const std::string& ident, double value);

  // True when a "[Section]" line is there, even without keys.
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& ident) const;
  // The key names of `section`, in file order (empty when absent); a
  // repeated key or section counts once, its first occurrence wins.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // The section names, in file order.
  std::vector<std::string> ReadSections() const;
  // Removes the section with all its lines (comments included).
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);
  // Writes the file atomically when something changed since the last write.
  // Throws LectoraError when the file cannot be written.
  void UpdateFile();

  // "WindowState", "Top", "Left", "Width", "Height". `form` holds the current
  // values, which serve as defaults; a maximised state (2) reads no position.
  void ReadWindow(const std::string& section, TWindowPlacement& form) const;
  // Writes the state and, unless maximised, the position and size.
  void WriteWindow(const std::string& section, const TWindowPlacement& form);
  // "FontName", "FontSize", "FontStyle", "CharSet", "FontColor"; `font`
  // holds the defaults (style defaults to 0).
  void ReadFont(const std::string& section, TFontInfo& font) const;
  void WriteFont(const std::string& section, const TFontInfo& font);
  // Erases `section`, then writes each string as a key with an empty value.
  // The keys are checked first: a bad one throws before anything is erased.
  void WriteSection(const std::string& section, const std::vector<std::string>& keys);

 private:
  struct Impl;
  std::string fileName_;
  bool readOnly_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace lectora
