// The one owner of the program's interface texts: the message texts by key
// (`Translate`). Until an interface language is loaded a few English
// messages answer; any other key reads as itself. The captions of the
// window designs are in one table of their own (DesignTexts.h). Texts are 8-bit Windows-1251, as
// the language files are. The program owns one.
#pragma once

#include <map>
#include <string>

namespace lectora {

class TInterfaceTexts {
 public:
  TInterfaceTexts();

  // Once a language's message table is loaded: its text of `key` (keys
  // compare case-insensitively), empty when the table has none. Before:
  // the built-in English text, a translation's folder name ("ASV\")
  // without its backslash, else the key itself.
  std::string Translate(const std::string& key) const;
  // Replaces the message table with `fileName` ("key=text" lines,
  // Windows-1251). False, with the table unchanged, when the file cannot
  // be read.
  bool LoadMessages(const std::string& fileName);
  bool Loaded() const { return loaded_; }
  // True when `key` has a text of its own (not the key echoed back).
  bool Has(const std::string& key) const;
  // Replaces or adds the message text of `key` (the language loader).
  void SetText(const std::string& key, const std::string& text) { messages_[key] = text; }

 private:
  std::map<std::string, std::string> messages_;
  // The loaded table, by lower-cased key; the first entry of a key wins.
  std::map<std::string, std::string> table_;
  bool loaded_ = false;
};

}  // namespace lectora
