// The alphabets and keyboard layouts are written here in UTF-8, so they can
// be read and checked by eye, and converted once into each language's code
// page on first use; the records themselves hold only code-page bytes.
#include "store/Language.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <stdexcept>
#include <string>

#include "store/CodePage.h"
#include "store/KeyboardLayoutQuery.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

std::atomic<BulgarianLayout> gBulgarianLayout{BulgarianLayout::Standard};

constexpr std::string_view kReference =
    "`1234567890-=\\qwertyuiop[]asdfghjkl;'zxcvbnm,./"
    "~!@#$%^&*()_+|QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?";

constexpr int kBulgarian = 0;
constexpr int kEnglish = 5;
constexpr int kGreek = 6;
constexpr int kLatin = 7;

struct LanguageSource {
  std::uint32_t layoutHandle;
  std::uint8_t charset;
  int codePage;
  // UTF-8. Greek is built from byte ranges instead (its upper-case string
  // holds an undefined byte), and its strings here are empty.
  std::string_view lower;
  std::string_view upper;
  std::string_view layout;  // 47 unshifted + 47 shifted characters
};

// The Bulgarian phonetic layout; the standard one sits in the table.
constexpr std::string_view kBulgarianPhonetic =
    "ю1234567890-=\\явертъуиопшщасдфгхйкл;чзьцжбнм,./"
    "Ю!@#$%^&*()_+|ЯВЕРТЪУИОПШЩАСДФГХЙКЛ:ЧЗЬЦЖБНМ<>?";

constexpr LanguageSource kSources[TLanguage::kLanguageCount] = {
    // 0 Bulgarian, standard layout
    {0x04020402, 204, 1251, "абвгдежзийклмнопрстуфхцчшщъьюя", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ",
     "`1234567890-.(,уеишщксдзц;ьяаожгтнвмчюйъэфхпрлб"
     "~!?+\"%=:/_№ІV)ыУЕИШЩКСДЗЦ§ЬЯАОЖГТНВМЧЮЙЪЭФХПРЛБ"},
    // 1 Macedonian
    {0x042F042F, 204, 1251, "абвгдѓежзѕијклљмнњопрстќуфхцчџш", "АБВГДЃЕЖЗЅИЈКЛЉМНЊОПРСТЌУФХЦЧЏШ",
     "`1234567890-=жљњертѕуиопшѓасдфгхјклчќзџцвбнм,./"
     "~!„“’%‘&*()_+ЖЉЊЕРТЅУИОПШЃАСДФГХЈКЛЧЌЗЏЦВБНМ;:?"},
    // 2 Serbian (Cyrillic). Ж sits on the backslash key, which comes before Q
    // in the reference order; Q gives Љ and W gives Њ as on a Serbian keyboard.
    {0x0C1A0C1A, 204, 1251, "абвгдђежзијклљмнњопрстћуфхцчџш", "АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ",
     "`1234567890'+жљњертзуиопшђасдфгхјклчћѕџцвбнм,.-"
     "~!\"#$%&/()=?*ЖЉЊЕРТЗУИОПШЂАСДФГХЈКЛЧЋЅЏЦВБНМ;:_"},
    // 3 Russian
    {0x04190419, 204, 1251, "абвгдежзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
     "ё1234567890-=\\йцукенгшщзхъфывапролджэячсмитьбю."
     "Ё!\"№;%:?*()_+/ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ,"},
    // 4 Romanian
    {0x04180418, 238, 1250, "aăâbcdefghiîjklmnopqrsştţuvxz", "AĂÂBCDEFGHIÎJKLMNOPQRSŞTŢUVXZ",
     "]1234567890+'âqwertzuiopăîasdfghjklşţyxcvbnm,.-"
     "[!\"#¤%&/()=?*ÂQWERTZUIOPĂÎASDFGHJKLŞŢYXCVBNM;:_"},
    // 5 English
    {0x04090409, 0, 1252, "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", kReference},
    // 6 Greek
    {0x04080408, 161, 1253, "", "",
     "`1234567890-=\\;ςερτυθιοπ[]ασδφγηξκλ΄'ζχψωβνμ,./"
     "~!@#$%^&*()_+|:ΣΕΡΤΥΘΙΟΠ{}ΑΣΔΦΓΗΞΚΛ¨\"ΖΧΨΩΒΝΜ<>?"},
    // 7 Latin
    {0x04090409, 0, 1252, "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", kReference},
    // 8 German (ß has no capital and stands in both strings)
    {0x04070407, 238, 1250, "aäbcdefghijklmnoöpqrsßtuüvwxyz", "AÄBCDEFGHIJKLMNOÖPQRSßTUÜVWXYZ",
     "`1234567890ß=\\qwertyuiopü]asdfghjklöäzxcvbnm,./"
     "~!@#$%^&*()_+|QWERTYUIOPÜ}ASDFGHJKLÖÄZXCVBNM<>?"},
};

// The code-page form of one language's strings.
struct LanguageTables {
  std::string lower;
  std::string upper;
  std::string layout;
};

struct AllTables {
  LanguageTables languages[TLanguage::kLanguageCount];
  std::string bulgarianPhonetic;
};

std::string ToCodePage(std::string_view utf8, int codePage) {
  std::string out;
  if (!Utf8ToCodePage(utf8, codePage, out)) {
    // Only a typing error in the tables above can get here.
    throw std::logic_error("built-in language table not representable in code page " +
                           std::to_string(codePage));
  }
  return out;
}

std::string ByteRange(unsigned char first, unsigned char last) {
  std::string out;
  for (int c = first; c <= last; ++c) out += static_cast<char>(c);
  return out;
}

AllTables BuildTables() {
  AllTables all;
  for (int n = 0; n < TLanguage::kLanguageCount; ++n) {
    const LanguageSource& src = kSources[n];
    LanguageTables& t = all.languages[n];
    if (n == kGreek) {
      // α..ω with final ς at $F2; opposite it the byte $D2, which Windows-1253
      // leaves unassigned.
      t.lower = ByteRange(0xE1, 0xF9);
      t.upper = ByteRange(0xC1, 0xD9);
    } else {
      t.lower = ToCodePage(src.lower, src.codePage);
      t.upper = ToCodePage(src.upper, src.codePage);
    }
    t.layout = ToCodePage(src.layout, src.codePage);
  }
  all.bulgarianPhonetic = ToCodePage(kBulgarianPhonetic, kSources[kBulgarian].codePage);
  return all;
}

const AllTables& Tables() {
  static const AllTables tables = BuildTables();
  return tables;
}

int CheckedNumber(int languageNumber) {
  if (languageNumber < 0 || languageNumber >= TLanguage::kLanguageCount) {
    throw LectoraError("", 0, "Unknown language " + std::to_string(languageNumber));
  }
  return languageNumber;
}

}  // namespace

void SetBulgarianLayout(BulgarianLayout layout) {
  gBulgarianLayout.store(layout, std::memory_order_relaxed);
}

BulgarianLayout CurrentBulgarianLayout() {
  return gBulgarianLayout.load(std::memory_order_relaxed);
}

TLanguage::TLanguage(int languageNumber)
    : languageNumber_(static_cast<std::uint8_t>(CheckedNumber(languageNumber))) {
  const LanguageTables& t = Tables().languages[languageNumber];
  for (unsigned char c : t.lower) LowerSet.set(c);
  for (unsigned char c : t.upper) UpperSet.set(c);
  Letters = LowerSet | UpperSet;
  Alphabet = t.lower + t.upper;

  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    auto& lowerOf = LowerOf[c];
    auto& upperOf = UpperOf[c];
    auto& weight = Weight[c];
    if (LowerSet[c]) {
      // A byte in both strings (German ß) counts as lower case.
      const std::size_t k = t.lower.find(ch);
      lowerOf = static_cast<std::uint8_t>(c);
      upperOf = static_cast<std::uint8_t>(t.upper[k]);
      weight = static_cast<std::uint16_t>(k + 1 + 256);
    } else if (UpperSet[c]) {
      const std::size_t k = t.upper.find(ch);
      lowerOf = static_cast<std::uint8_t>(t.lower[k]);
      upperOf = static_cast<std::uint8_t>(c);
      weight = static_cast<std::uint16_t>(k + 1 + 256);
    } else if (c >= 'a' && c <= 'z') {
      lowerOf = static_cast<std::uint8_t>(c);
      upperOf = static_cast<std::uint8_t>(c - 32);
      weight = static_cast<std::uint16_t>(c);
    } else if (c >= 'A' && c <= 'Z') {
      lowerOf = static_cast<std::uint8_t>(c + 32);
      upperOf = static_cast<std::uint8_t>(c);
      weight = static_cast<std::uint16_t>(c + 32);
    } else {
      lowerOf = static_cast<std::uint8_t>(c);
      upperOf = static_cast<std::uint8_t>(c);
      weight = static_cast<std::uint16_t>(c);
    }
  }
}

std::uint8_t TLanguage::Charset() const { return kSources[languageNumber_].charset; }

int TLanguage::CodePage() const { return kSources[languageNumber_].codePage; }

std::uint32_t TLanguage::LayoutHandle() const { return kSources[languageNumber_].layoutHandle; }

int TLanguage::Compare(std::string_view s1, std::string_view s2) const {
  const auto* a = reinterpret_cast<const unsigned char*>(s1.data());
  const auto* b = reinterpret_cast<const unsigned char*>(s2.data());
  const std::uint16_t* weight = Weight.data();
  const std::size_t n = std::min(s1.size(), s2.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int d = static_cast<int>(weight[a[i]]) - static_cast<int>(weight[b[i]]);
    if (d != 0) return d < 0 ? -1 : 1;
  }
  if (s1.size() == s2.size()) return 0;
  return s1.size() < s2.size() ? -1 : 1;
}

void TLanguage::TranslateKey(char& key, const IKeyboardLayoutQuery* layouts) const {
  // English and Latin are typed on the reference layout itself.
  if (languageNumber_ == kEnglish || languageNumber_ == kLatin) return;
  if (layouts) {
    const std::optional<std::uint32_t> active = layouts->ActiveLayout();
    if (active && *active == LayoutHandle()) return;
  }
  const std::string& layout = KeyboardLayout(languageNumber_, CurrentBulgarianLayout());
  const std::size_t p = kReference.find(key);
  if (p != std::string_view::npos && p < layout.size()) key = layout[p];
}

const std::string& TLanguage::KeyboardLayout(int languageNumber, BulgarianLayout bulgarian) {
  const AllTables& all = Tables();
  if (CheckedNumber(languageNumber) == kBulgarian && bulgarian == BulgarianLayout::Phonetic) {
    return all.bulgarianPhonetic;
  }
  return all.languages[languageNumber].layout;
}

std::string_view TLanguage::ReferenceLayout() { return kReference; }

}  // namespace lectora
