#include "modules/ModuleSource.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

#include "store/CodePage.h"
#include "store/Language.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr int kBookNumbers = 87;
constexpr int kMaxVerseInChapter = 255;
constexpr std::size_t kMaxVerseBytes = 65535;

std::string ReadSourceFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw LectoraError(fileName, 0, "cannot be read");
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw LectoraError(fileName, 0, "cannot be read");
  return content.str();
}

bool FileExists(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return static_cast<bool>(in);
}

// Calls `handle`(lineNumber, line) for each non-empty line; the line has no
// CR or LF, and a UTF-8 byte order mark at the start of the file is skipped.
template <typename Handler>
void ForEachLine(std::string_view text, Handler handle) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) handle(lineNumber, line);
  }
}

// The first `count` tab-separated fields of `line` and, in `rest`, what
// follows the last of them (without its tab). False when there are fewer.
bool SplitFields(std::string_view line, std::size_t count, std::vector<std::string_view>& fields,
                 std::string_view& rest) {
  fields.clear();
  while (fields.size() < count) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    fields.push_back(line.substr(0, tab));
    line.remove_prefix(tab + 1);
  }
  rest = line;
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A decimal integer in [low, high], blanks around it allowed.
bool ParseNumber(std::string_view text, int low, int high, int& value) {
  text = TrimBlanks(text);
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') return false;
  long long parsed = 0;
  const auto [end, error] = std::from_chars(first, last, parsed);
  if (error != std::errc() || end != last || parsed < low || parsed > high) return false;
  value = static_cast<int>(parsed);
  return true;
}

// Number of UTF-8 characters in `text` (continuation bytes not counted).
std::size_t CountCharacters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// The character at the front of `text`: its length in bytes (0 when the
// sequence is malformed) and its code point.
std::size_t DecodeUtf8(std::string_view text, char32_t& code) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
      (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
    return 0;
  }
  return length;
}

std::string Quote(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

TModuleSource::TModuleSource(const std::string& sourceDir, int languageNumber)
    : languageNumber_(languageNumber) {
  if (languageNumber < 0 || languageNumber >= TLanguage::kLanguageCount) {
    throw LectoraError("", 0, "language number " + std::to_string(languageNumber) + " is not 0..8");
  }
  codePage_ = TLanguage(languageNumber).CodePage();
  std::string folder = sourceDir;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  ReadBooks(folder + "books.tsv");
  ReadVerses(folder + "verses.tsv");
  if (FileExists(folder + "links.tsv")) ReadLinks(folder + "links.tsv");
  if (FileExists(folder + "_Diff_.txt")) ReadDiff(folder + "_Diff_.txt");
}

std::string TModuleSource::ToCodePage(std::string_view field, std::string_view line,
                                      const std::string& fileName, int lineNumber) const {
  std::string converted;
  std::size_t bad = 0;
  if (Utf8ToCodePage(field, codePage_, converted, &bad)) return converted;
  const std::size_t offset = static_cast<std::size_t>(field.data() - line.data()) + bad;
  const std::string column = std::to_string(CountCharacters(line.substr(0, offset)) + 1);
  char32_t code = 0;
  const std::size_t length = DecodeUtf8(field.substr(bad), code);
  if (length == 0) {
    throw LectoraError(fileName, lineNumber, "column " + column + ": malformed UTF-8");
  }
  char codeText[16];
  std::snprintf(codeText, sizeof codeText, "U+%04X", static_cast<unsigned>(code));
  throw LectoraError(fileName, lineNumber,
                     "column " + column + ": the character " + Quote(field.substr(bad, length)) +
                         " (" + codeText + ") is not in code page " + std::to_string(codePage_));
}

void TModuleSource::ReadBooks(const std::string& fileName) {
  const std::string text = ReadSourceFile(fileName);
  std::vector<std::string_view> fields;
  ForEachLine(text, [&](int lineNumber, std::string_view line) {
    std::string_view rest;
    if (!SplitFields(line, 3, fields, rest) || rest.find('\t') != std::string_view::npos) {
      throw LectoraError(fileName, lineNumber,
                         "expected four tab-separated fields: book number, title, name, "
                         "alternative name");
    }
    TSourceBook book;
    book.Line = lineNumber;
    if (!ParseNumber(fields[0], 1, kBookNumbers, book.Number)) {
      throw LectoraError(fileName, lineNumber,
                         "book number " + Quote(fields[0]) + " is not a number 1..87");
    }
    if (positionOf_[book.Number] != 0) {
      throw LectoraError(fileName, lineNumber,
                         "book " + std::to_string(book.Number) + " is listed twice");
    }
    book.Title = ToCodePage(fields[1], line, fileName, lineNumber);
    book.Name = ToCodePage(fields[2], line, fileName, lineNumber);
    book.AltName = ToCodePage(rest, line, fileName, lineNumber);
    if (TrimBlanks(book.Name).empty()) {
      throw LectoraError(fileName, lineNumber, "the book name is empty");
    }
    if (TrimBlanks(book.AltName).empty()) book.AltName = book.Name;
    books_.push_back(std::move(book));
    positionOf_[books_.back().Number] = static_cast<int>(books_.size());
  });
  if (books_.empty()) throw LectoraError(fileName, 0, "lists no book");
  chapterStart_.resize(books_.size());
}

void TModuleSource::ReadVerses(const std::string& fileName) {
  const std::string text = ReadSourceFile(fileName);
  std::vector<std::string_view> fields;
  int book = -1;  // index into books_
  int chapter = 0;
  int lastVerse = 0;
  ForEachLine(text, [&](int lineNumber, std::string_view line) {
    std::string_view verseText;
    if (!SplitFields(line, 3, fields, verseText)) {
      throw LectoraError(fileName, lineNumber,
                         "expected book number, chapter, verse and text separated by tabs");
    }
    int bookNumber = 0, chapterNumber = 0, verseNumber = 0;
    if (!ParseNumber(fields[0], 1, kBookNumbers, bookNumber)) {
      throw LectoraError(fileName, lineNumber,
                         "book number " + Quote(fields[0]) + " is not a number 1..87");
    }
    if (!ParseNumber(fields[1], 1, kMaxVerses, chapterNumber)) {
      throw LectoraError(fileName, lineNumber,
                         "chapter " + Quote(fields[1]) + " is not a positive number");
    }
    if (!ParseNumber(fields[2], 1, kMaxVerseInChapter, verseNumber)) {
      throw LectoraError(fileName, lineNumber,
                         "verse " + Quote(fields[2]) + " is not a number 1..255");
    }
    const int position = positionOf_[bookNumber] - 1;
    if (position < 0) {
      throw LectoraError(fileName, lineNumber,
                         "book " + std::to_string(bookNumber) + " is not in books.tsv");
    }
    const std::string where = std::to_string(bookNumber) + ":" + std::to_string(chapterNumber) +
                              ":" + std::to_string(verseNumber);
    if (position < book || (position == book && chapterNumber < chapter) ||
        (position == book && chapterNumber == chapter && verseNumber <= lastVerse)) {
      throw LectoraError(fileName, lineNumber, "verse " + where + " is out of order");
    }
    if (position > book) {
      if (position != book + 1) {
        const TSourceBook& skipped = books_[book + 1];
        throw LectoraError(fileName, lineNumber,
                           "book " + std::to_string(skipped.Number) + " (books.tsv line " +
                               std::to_string(skipped.Line) +
                               ") has no verses; books must follow the books.tsv order");
      }
      book = position;
      chapter = 0;
    }
    if (chapterNumber != chapter) {
      if (chapterNumber != chapter + 1) {
        throw LectoraError(fileName, lineNumber,
                           "verse " + where + ": chapter " + std::to_string(chapter + 1) +
                               " is missing; chapters must run 1, 2, 3 ...");
      }
      chapter = chapterNumber;
      lastVerse = 0;
      chapterStart_[book].push_back(static_cast<int>(verses_.size()));
      books_[book].VerseCounts.push_back(0);
    }
    if (verses_.size() + (verseNumber - lastVerse) > static_cast<std::size_t>(kMaxVerses)) {
      throw LectoraError(fileName, lineNumber,
                         "verse " + where + ": a module holds at most 65535 verses");
    }
    std::string converted = ToCodePage(verseText, line, fileName, lineNumber);
    if (converted.size() > kMaxVerseBytes) {
      throw LectoraError(fileName, lineNumber,
                         "verse " + where + ": the text is longer than 65535 bytes");
    }
    while (lastVerse + 1 < verseNumber) {
      verses_.emplace_back();
      ++lastVerse;
    }
    verses_.push_back(std::move(converted));
    lastVerse = verseNumber;
    books_[book].VerseCounts.back() = static_cast<std::uint8_t>(verseNumber);
  });
  if (book + 1 < static_cast<int>(books_.size())) {
    const TSourceBook& missing = books_[book + 1];
    throw LectoraError(fileName, 0,
                       "book " + std::to_string(missing.Number) + " (books.tsv line " +
                           std::to_string(missing.Line) + ") has no verses");
  }
}

int TModuleSource::VerseNumberOf(int bookNumber, int chapter, int verse) const {
  if (bookNumber < 1 || bookNumber > kBookNumbers) return 0;
  const int position = positionOf_[bookNumber] - 1;
  if (position < 0) return 0;
  const TSourceBook& book = books_[position];
  if (chapter < 1 || chapter > static_cast<int>(book.VerseCounts.size())) return 0;
  if (verse < 1 || verse > book.VerseCounts[chapter - 1]) return 0;
  return chapterStart_[position][chapter - 1] + verse;
}

void TModuleSource::ReadLinks(const std::string& fileName) {
  const std::string text = ReadSourceFile(fileName);
  hasLinks_ = true;
  links_.assign(verses_.size(), {});
  std::vector<std::string_view> fields;
  ForEachLine(text, [&](int lineNumber, std::string_view line) {
    std::string_view rest;
    int numbers[3] = {0, 0, 0};
    if (!SplitFields(line, 3, fields, rest) ||
        !ParseNumber(fields[0], 1, kBookNumbers, numbers[0]) ||
        !ParseNumber(fields[1], 1, kMaxVerses, numbers[1]) ||
        !ParseNumber(fields[2], 1, kMaxVerseInChapter, numbers[2])) {
      throw LectoraError(fileName, lineNumber,
                         "expected book number, chapter and verse separated by tabs, then the "
                         "linked verses as book:chapter:verse");
    }
    const int from = VerseNumberOf(numbers[0], numbers[1], numbers[2]);
    if (from == 0) {
      throw LectoraError(fileName, lineNumber,
                         "verse " + std::string(TrimBlanks(fields[0])) + ":" +
                             std::string(TrimBlanks(fields[1])) + ":" +
                             std::string(TrimBlanks(fields[2])) + " is not in the module");
    }
    std::vector<std::uint16_t>& list = links_[from - 1];
    int count = 0;
    while (true) {
      const std::size_t start = rest.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      rest.remove_prefix(start);
      const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
      const std::string_view reference = rest.substr(0, end);
      rest.remove_prefix(end);
      const std::size_t colon1 = reference.find(':');
      const std::size_t colon2 =
          colon1 == std::string_view::npos ? colon1 : reference.find(':', colon1 + 1);
      int target[3] = {0, 0, 0};
      if (colon2 == std::string_view::npos ||
          !ParseNumber(reference.substr(0, colon1), 1, kBookNumbers, target[0]) ||
          !ParseNumber(reference.substr(colon1 + 1, colon2 - colon1 - 1), 1, kMaxVerses,
                       target[1]) ||
          !ParseNumber(reference.substr(colon2 + 1), 1, kMaxVerseInChapter, target[2])) {
        throw LectoraError(fileName, lineNumber,
                           Quote(reference) + " is not a reference book:chapter:verse");
      }
      const int to = VerseNumberOf(target[0], target[1], target[2]);
      if (to == 0) {
        throw LectoraError(fileName, lineNumber,
                           "the linked verse " + std::string(reference) + " is not in the module");
      }
      list.push_back(static_cast<std::uint16_t>(to));
      ++count;
    }
    if (count == 0) throw LectoraError(fileName, lineNumber, "names no linked verse");
  });
  for (std::vector<std::uint16_t>& list : links_) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
}

void TModuleSource::ReadDiff(const std::string& fileName) {
  std::string text = ReadSourceFile(fileName);
  ForEachLine(text, [&](int lineNumber, std::string_view line) {
    static constexpr int kLow[5] = {1, 0, 0, -128, -128};
    static constexpr int kHigh[5] = {86, 255, 255, 127, 127};
    int count = 0;
    while (true) {
      const std::size_t start = line.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      line.remove_prefix(start);
      const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
      int value = 0;
      if (count == 5 || !ParseNumber(line.substr(0, end), kLow[count], kHigh[count], value)) {
        count = -1;
        break;
      }
      line.remove_prefix(end);
      ++count;
    }
    if (count != 5 && count != 0) {
      throw LectoraError(fileName, lineNumber,
                         "expected five integers: book 1..86, chapter and verse 0..255, chapter "
                         "and verse differences -128..127");
    }
  });
  diff_ = std::move(text);
}

}  // namespace lectora
