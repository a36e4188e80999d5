// The notes window as the main window reaches it: the notebook command,
// the reopening at start ("IsNoteBookOpened") and the saving at exit. The
// notes window implements it; the program owns that window and hands this
// out.
#pragma once

namespace lectora {

class INoteBook {
 public:
  virtual ~INoteBook() = default;
  // Shows the window (restored from minimised when `restore`) with the
  // note of the current place.
  virtual void ShowNotes(bool restore) = 0;
  // Whether the window is shown (the main window stores it at exit).
  virtual bool IsShown() const = 0;
  // At the program's exit, while the window may still be open: saves the
  // note being edited and the "NoteBook" placement.
  virtual void SaveOnExit() = 0;
};

}  // namespace lectora
