// The letters, case partners, collation weights, character set and keyboard
// translation of one module language (numbers 0..8). Owned by the module
// (TBible) whose translation speaks it.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace lectora {

class IKeyboardLayoutQuery;

// The Bulgarian keyboard choice of the options dialog; process-wide and
// read at every translation of a key.
enum class BulgarianLayout { Standard, Phonetic };
void SetBulgarianLayout(BulgarianLayout layout);
BulgarianLayout CurrentBulgarianLayout();

class TLanguage {
 public:
  static constexpr int kLanguageCount = 9;

  // Builds the tables of `languageNumber`. REQUIRES: 0 <= languageNumber <= 8;
  // another number throws LectoraError ("Unknown language N").
  explicit TLanguage(int languageNumber);

  std::uint8_t LanguageNumber() const { return languageNumber_; }
  // The font character set: 204, 238, 0 or 161.
  std::uint8_t Charset() const;
  // The Windows code page: 1251, 1250, 1252 or 1253.
  int CodePage() const;
  // The platform layout handle the language's keys come from (0x04020402...).
  std::uint32_t LayoutHandle() const;

  // Collation by Weight: -1, 0 or 1; a proper prefix sorts first.
  int Compare(std::string_view s1, std::string_view s2) const;
  // Translates a key typed under another layout into the letter meant, unless
  // `layouts` reports the language's own layout (or the language uses the
  // reference layout). `layouts` may be null: then keys are translated.
  void TranslateKey(char& key, const IKeyboardLayoutQuery* layouts) const;

  bool IsLetter(unsigned char c) const { return Letters[c]; }

  // The 94 code-page bytes of a keyboard layout: position p holds what the
  // key giving character p of ReferenceLayout() means in `languageNumber`
  // (47 unshifted, then 47 shifted). `bulgarian` picks the Bulgarian one.
  // REQUIRES: 0 <= languageNumber <= 8 (else LectoraError). The string lives
  // for the whole run.
  static const std::string& KeyboardLayout(int languageNumber, BulgarianLayout bulgarian);
  // The US keyboard's 94 characters in the same order.
  static std::string_view ReferenceLayout();

  std::array<std::uint8_t, 256> LowerOf{};
  std::array<std::uint8_t, 256> UpperOf{};
  std::array<std::uint16_t, 256> Weight{};
  std::bitset<256> LowerSet;
  std::bitset<256> UpperSet;
  std::bitset<256> Letters;
  // Lower-case alphabet followed by upper-case alphabet, in the code page.
  std::string Alphabet;

 private:
  std::uint8_t languageNumber_;
};

}  // namespace lectora
