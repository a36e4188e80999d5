// The fixed table of the twelve known translations.
#pragma once

#include <cstdint>
#include <string>

namespace lectora {

struct TTranslationInfo {
  const char* Folder;       // with the trailing backslash, as used in keys: "ORT\\"
  const char* ShortName;    // may be empty
  const char* ChapterWord;  // UTF-8, with its blanks
  const char* PsalmWord;    // UTF-8, with its blanks
  std::int32_t HelpTopic;
  bool RunOn;
  bool Strong;
  int Language;  // TLanguage number
};

constexpr int kTranslationCount = 12;

// REQUIRES: 0 <= number < kTranslationCount.
const TTranslationInfo& TranslationInfo(int number);
// The module folder on disk: Folder without the trailing backslash ("ORT").
std::string TranslationFolderName(int number);

}  // namespace lectora
