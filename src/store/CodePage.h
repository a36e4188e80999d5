// Conversions between the module code pages (1250, 1251, 1252, 1253) and
// Unicode. The exact code-page tables serve input and output (UTF-8 on the
// command line, Unicode on screen); ToUnicode and WideToCodePage are the
// program's own clipboard mappings, which differ from the code pages in a
// few places (the Romanian letters with comma below, the capture of
// references) and are kept as they are for the clipboard.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lectora {

// True for 1250, 1251, 1252 and 1253.
bool IsSupportedCodePage(int codePage);
// The code page of a font character set: 204 -> 1251, 238 -> 1250,
// 161 -> 1253, anything else -> 1252.
int CodePageOfCharset(int charset);

// The Unicode character of byte `b` in `codePage`; U+FFFD for a byte the
// code page leaves undefined. REQUIRES: IsSupportedCodePage(codePage) (for
// another code page every byte from 128 up answers U+FFFD).
char16_t CodePageToUnicode(unsigned char b, int codePage);
// The byte of `c` in `codePage`, or -1 when the code page has no such
// character.
int UnicodeToCodePage(char32_t c, int codePage);

// 8-bit text in `codePage` as UTF-8.
std::string CodePageToUtf8(std::string_view text, int codePage);
// UTF-8 text in `codePage`. Returns false (and leaves `badOffset` at the byte
// offset of the first offending character in `utf8`) when the text is not
// valid UTF-8 or holds a character the code page cannot represent; `out` is
// then left as it was. Overlong forms, surrogates and values past U+10FFFF
// are not valid UTF-8.
bool Utf8ToCodePage(std::string_view utf8, int codePage, std::string& out,
                    std::size_t* badOffset = nullptr);
// Like Utf8ToCodePage, but never fails: characters the code page lacks and
// malformed sequences become "?" (one per maximal ill-formed subsequence);
// `replaced` (may be null) counts them.
std::string Utf8ToCodePageLossy(std::string_view utf8, int codePage,
                                std::size_t* replaced = nullptr);

// Appends `c` to `out` as UTF-8. REQUIRES: c is a Unicode scalar value.
void AppendUtf8(std::string& out, char32_t c);

// UTF-16 <-> UTF-8 helpers for the boundaries that speak UTF-16. Lone
// surrogates and malformed UTF-8 become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// The clipboard mapping of a fragment's bytes under a font `charset`: one
// UTF-16 unit per byte, the character the byte stands for in the code page
// of `charset` (CodePageOfCharset, as the text is shown on screen), except
// that the Romanian S and T with cedilla of charset 238 become the letters
// with comma below. Bytes the code page leaves undefined become U+FFFD.
// Never fails.
std::u16string ToUnicode(std::string_view text, int charset);
// The clipboard mapping back to 8 bits: one byte per UTF-16 unit, as the
// program's own table says (Cyrillic, Greek and the Romanian letters to their
// bytes, U+0000..U+00FF unchanged, anything else "?").
std::string WideToCodePage(std::u16string_view text);

}  // namespace lectora
