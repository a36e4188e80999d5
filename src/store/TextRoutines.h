// Case conversion with the fixed Windows-1251 + ASCII table (independent of
// the locale), the book-name normaliser and the plain-text reduction of a
// stored verse. All texts are 8-bit in a module code page.
#pragma once

#include <string>
#include <string_view>

namespace lectora {

// Every byte of the upper-case column of the case table replaced by its
// lower-case partner; the length never changes.
std::string LowerCase1251(std::string_view text);
// The reverse mapping of LowerCase1251.
std::string UpperCase1251(std::string_view text);
// True for the bytes the normaliser counts as letters: A..Z, a..z, 129, 131,
// 138, 140, 141, 143, 154, 156, 157, 159, 163, 188, 190, 192..255.
bool IsNameLetter(unsigned char c);
// Letters as above plus "0".."9".
bool IsNameLetterOrDigit(unsigned char c);
// The canonical spelling of a typed book name or reference: blanks between
// letters and digits, no stray blanks, lower case but the first letter.
void NormalizeName(std::string& text);
// A stored verse reduced to plain text: markup, tags and parenthesised
// parts removed, blanks collapsed, no blank before ! , . : ; ?
std::string PlainText(std::string_view text);

}  // namespace lectora
