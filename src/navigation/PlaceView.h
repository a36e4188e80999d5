// A window that shows the current place in its own translation, as the
// navigator sees it: its module and the place it shows, in that module's
// numbering. The Bible window implements it; tests give plain fakes.
#pragma once

namespace lectora {

class TBible;

class IPlaceView {
 public:
  virtual ~IPlaceView() = default;

  // The shared module the view shows (not owned), or null when it has none.
  virtual TBible* Module() const = 0;
  // The place the view shows, in its module's numbering.
  virtual int ViewBook() const = 0;
  virtual int ViewChapter() const = 0;
  virtual int ViewVerse() const = 0;
  // Stores the place (already converted into the module's numbering) and
  // shows it; `scroll` brings the verse into view.
  virtual void ShowPlace(int book, int chapter, int verse, bool scroll) = 0;
};

}  // namespace lectora
