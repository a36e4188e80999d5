// The logo window as the main window reaches it: shown at start-up when
// the reader wants it, and modally from the Help menu. The logo window
// implements it; the program owns that window and hands this out.
#pragma once

namespace lectora {

class ILogoWindow {
 public:
  virtual ~ILogoWindow() = default;
  // Shows the window (not modally) and paints it at once, when option 9
  // ("ShowAbout") is on and the setup folder can be written; else nothing.
  virtual void ShowAtStart() = 0;
  // Shows the window modally (the main window's Logo1); returns at once.
  virtual void ShowModal() = 0;
  // Gives the window the focus when it is shown (the end of the start).
  virtual void FocusIfShown() = 0;
  // Whether the window is on the screen: the chapter audio waits meanwhile.
  virtual bool IsShowing() const = 0;
  // Closes the window (the end of a verse read while it showed); its sound,
  // if any, plays on.
  virtual void CloseWindow() = 0;
};

}  // namespace lectora
