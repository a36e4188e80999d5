// A font as the settings store keeps it: the toolkit-free description that
// the program turns into a QFont at the window boundary.
#pragma once

#include <cstdint>
#include <string>

namespace lectora {

struct TFontInfo {
  std::string Name = "Verdana";
  int Size = 10;
  // Bit set: bold 1, italic 2, underline 4, strike-out 8.
  int Style = 0;
  int CharSet = 0;
  // 0x00BBGGRR, as stored in the settings file.
  std::uint32_t Color = 0;
};

}  // namespace lectora
