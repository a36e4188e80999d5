#include "display/HistoryFile.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "store/AtomicFile.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The next blank-separated word of `text`, removed from it.
std::string_view NextWord(std::string_view& text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t end = 0;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

// A decimal integer filling all of `word` (optional sign), within [low, high].
bool ParseInteger(std::string_view word, long low, long high, long& value) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  if (word.empty()) return false;
  long parsed = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
  if (error != std::errc() || end != word.data() + word.size()) return false;
  if (parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

// Hands out the lines of a text one by one; a final line end does not start
// another (empty) line. LF ends a line; a CR before it is dropped.
class TLineReader {
 public:
  explicit TLineReader(std::string_view bytes) : rest_(bytes) {}
  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const std::size_t lf = rest_.find('\n');
    line = rest_.substr(0, lf);
    rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

 private:
  std::string_view rest_;
};

void AppendLine(std::string& out, std::string_view text) {
  for (const char c : text) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
  out += "\r\n";
}

}  // namespace

std::string THistoryFile::FormatReal(double value) {
  if (!std::isfinite(value) || value == 0) value = 0;  // also turns -0 into 0
  char digits[64];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 14);
  const std::string_view text(digits, static_cast<std::size_t>(result.ptr - digits));
  // to_chars gives "[-]d.dddddddddddddde[+-]dd"; the file wants a blank for
  // a positive sign, an upper-case E and four exponent digits.
  const std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  std::string out;
  out.reserve(23);
  if (mantissa.front() == '-') {
    out.push_back('-');
    mantissa.remove_prefix(1);
  } else {
    out.push_back(' ');
  }
  out += mantissa;
  out.push_back('E');
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  out.push_back(exponent < 0 ? '-' : '+');
  const int magnitude = std::abs(exponent);
  for (int divisor = 1000; divisor >= 1; divisor /= 10) {
    out.push_back(static_cast<char>('0' + magnitude / divisor % 10));
  }
  return out;
}

bool THistoryFile::ParseReal(std::string_view text, double& value) {
  text = TrimBlanks(text);
  // Check the shape first: from_chars alone would also take "inf", "nan" and
  // hexadecimal forms.
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != text.size()) return false;

  std::string_view number = text;
  if (number.front() == '+') number.remove_prefix(1);
  double parsed = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

std::string THistoryFile::Format() const {
  std::string out;
  out.reserve(64 + Entries.size() * 48);
  AppendLine(out, std::to_string(Sorted));
  AppendLine(out, BoxText);
  for (const TEntry& entry : Entries) {
    AppendLine(out, FormatReal(entry.Time) + " " + std::to_string(entry.Index));
    AppendLine(out, entry.Text);
  }
  return out;
}

bool THistoryFile::Parse(std::string_view bytes) {
  Entries.clear();
  BoxText.clear();
  Sorted = 1;
  TLineReader lines(bytes);
  std::string_view line;
  if (!lines.Next(line)) return true;
  long sorted = 0;
  // A damaged order line costs only the order: the entries follow it.
  bool complete = ParseInteger(TrimBlanks(line), 0, 2, sorted);
  if (complete) Sorted = static_cast<int>(sorted);
  if (!lines.Next(line)) return complete;
  BoxText = std::string(line);

  std::string_view timeLine;
  std::string_view textLine;
  while (lines.Next(timeLine)) {
    std::string_view rest = timeLine;
    double time = 0;
    long index = 0;
    if (!ParseReal(NextWord(rest), time) || !ParseInteger(NextWord(rest), 0, 65535, index) ||
        !lines.Next(textLine)) {
      // Blank lines at the end hold nothing that could be lost.
      bool blank = TrimBlanks(timeLine).empty();
      while (blank && lines.Next(line)) blank = TrimBlanks(line).empty();
      return complete && blank;
    }
    Entries.push_back(TEntry{time, static_cast<std::uint16_t>(index), std::string(textLine)});
  }
  return complete;
}

THistoryFile::TLoadState THistoryFile::Load(const std::string& fileName) {
  Entries.clear();
  BoxText.clear();
  Sorted = 1;
  std::error_code error;
  const auto status = std::filesystem::status(fileName, error);
  if (status.type() == std::filesystem::file_type::not_found) return TLoadState::Missing;
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return TLoadState::Unreadable;
  return Parse(bytes) ? TLoadState::Complete : TLoadState::Damaged;
}

THistoryFile::TKeptCopy THistoryFile::KeepCopy(const std::string& fileName) {
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return {};
  for (int n = 0; n < kMaxCopies; ++n) {
    const std::string name =
        n == 0 ? fileName + ".bak" : fileName + "." + std::to_string(n) + ".bak";
    std::error_code error;
    if (std::filesystem::exists(name, error)) {
      std::string old;
      if (ReadWholeFile(name, old) && old == bytes) return TKeptCopy{name, false};
      continue;
    }
    if (error) return {};
    try {
      WriteFileAtomically(name, bytes);
    } catch (const LectoraError&) {
      return {};
    }
    return TKeptCopy{name, true};
  }
  return {};
}

void THistoryFile::Save(const std::string& fileName) const {
  const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
  if (!folder.empty()) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw LectoraError(fileName, 0, "cannot create the folder: " + error.message());
  }
  WriteFileAtomically(fileName, Format());
}

}  // namespace lectora
