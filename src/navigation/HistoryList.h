// A history list of the active translation as the active-translation
// service sees it: loaded from and saved to a file of the module's folder.
// The history combo boxes implement it in the program; tests record calls.
#pragma once

#include <string>

namespace lectora {

class IHistoryList {
 public:
  virtual ~IHistoryList() = default;
  // Replaces the entries with those of `path` (a missing file: none).
  virtual void LoadFromFile(const std::string& path) = 0;
  // Writes the entries to `path`.
  virtual void SaveToFile(const std::string& path) = 0;
  // Shows `text` (8-bit, the module's code page) in the list's field.
  virtual void SetText(const std::string& text) = 0;
};

}  // namespace lectora
