// Bytes 128..255 of the four Windows code pages the modules use, as UTF-16
// units. Written out here rather than taken from iconv or a locale, so the
// mapping does not depend on what the system has installed.
#pragma once

#include <array>

namespace lectora {

using CodePageHighTable = std::array<char16_t, 128>;

// The table of `codePage` (1250, 1251, 1252 or 1253), entry b - 128 for byte
// b; U+FFFD where the code page leaves the byte undefined. Null for any other
// code page. The tables are static and live for the whole run.
const CodePageHighTable* HighTableOf(int codePage);

}  // namespace lectora
