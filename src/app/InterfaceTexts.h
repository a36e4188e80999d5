// The one owner of the program's message texts by key (`Translate`): the
// message table of the interface language ("<Language>/Messages.txt",
// Windows-1251), loaded by the language service. The captions of the window
// designs are in one table of their own (DesignTexts.h). The program owns
// one.
#pragma once

#include <map>
#include <string>

namespace lectora {

class TInterfaceTexts {
 public:
  // Once a message table is loaded: its text of `key` (keys compare
  // case-insensitively), empty when the table has none. Before: the key
  // itself, except that a translation's folder name ("ASV\") reads without
  // its backslash, so that no caption shows a path separator.
  std::string Translate(const std::string& key) const;
  // The table's text of `key`, or `english` when the table has none (or
  // none is loaded): for the notices added after the shipped tables, which
  // an older table in a reader's folder lacks.
  std::string TranslateOr(const std::string& key, const std::string& english) const;
  // Replaces the message table with `fileName` ("key=text" lines; the first
  // entry of a key wins). False, with the table unchanged, when the file
  // cannot be read.
  bool LoadMessages(const std::string& fileName);
  bool Loaded() const { return loaded_; }

 private:
  // By lower-cased key.
  std::map<std::string, std::string> table_;
  bool loaded_ = false;
};

}  // namespace lectora
