// The pictures of dictionary words as the other windows reach them: show a
// word's pictures one after another, show the current one again, and ask
// whether a word has any (the menus show their picture items by that). The
// picture window implements it; the program owns that window and hands
// this out.
#pragma once

#include <string>

namespace lectora {

class IWordPictures {
 public:
  virtual ~IWordPictures() = default;
  // True when the picture list has an entry for `word` (8-bit,
  // Windows-1251; compared case-insensitively).
  virtual bool HasPicture(const std::string& word) const = 0;
  // Shows the next picture of `word` (its first after any other word's),
  // or the notice "PictureNotFound" when it has none.
  virtual void ShowWordPicture(const std::string& word) = 0;
  // Shows the current picture, or the notice "PictureNotFound".
  virtual void ShowPicture() = 0;
  // Whether the window is shown (the main window stores it at exit).
  virtual bool IsShown() const = 0;
  // The current picture index (the dictionary stores it as "PicFile").
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;
  // Writes the window's placement (section "PictureForm").
  virtual void SaveSettings() = 0;
};

}  // namespace lectora
