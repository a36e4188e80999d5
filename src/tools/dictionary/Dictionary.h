// The dictionary as the other windows reach it: look a word up, show the
// window, and ask whether a word is a headword of an installed dictionary
// (the menus enable their look-up items by that). The dictionary window
// implements it; the program owns that window and hands this out.
#pragma once

#include <string>

namespace lectora {

class IDictionary {
 public:
  virtual ~IDictionary() = default;
  // Shows the window switched to the dictionary that should show `word`
  // (8-bit, Windows-1251) and its explanation.
  virtual void LookUpWord(const std::string& word) = 0;
  // Shows the window as it was left.
  virtual void ShowDictionary() = 0;
  // True when `word` is a headword of some installed dictionary.
  virtual bool IsDictionaryWord(const std::string& word) = 0;
  // Whether the window is shown (the main window stores it at exit).
  virtual bool IsShown() const = 0;
  // Writes the window's keys of section "DicForm" (the main window calls it
  // at exit, when the window may still be open).
  virtual void SaveSettings() = 0;
};

}  // namespace lectora
