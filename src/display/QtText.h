// The boundary between the program's 8-bit texts and Qt's Unicode strings.
// Module texts, history files and captions are 8-bit in the code page of a
// font character set (204 Cyrillic, 161 Greek, 238 Central European, else
// Western); widgets draw and edit Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lectora {

// `text`, 8-bit in the code page of `charset`, as Unicode. Bytes the code
// page leaves undefined become U+FFFD.
QString DecodeCharset(std::string_view text, int charset);
// `text` in the code page of `charset`; characters the code page lacks
// become "?".
std::string EncodeCharset(const QString& text, int charset);

}  // namespace lectora
