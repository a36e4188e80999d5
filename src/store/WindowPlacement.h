// A window's stored placement: the toolkit-free record behind the
// "WindowState", "Top", "Left", "Width", "Height" keys.
#pragma once

namespace lectora {

struct TWindowPlacement {
  // 0 normal, 1 minimised, 2 maximised.
  int WindowState = 0;
  int Top = 0;
  int Left = 0;
  int Width = 0;
  int Height = 0;
  // Set by ReadWindow when a stored position was applied.
  bool PositionStored = false;
};

}  // namespace lectora
