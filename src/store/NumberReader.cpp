#include "store/NumberReader.h"

#include <fstream>
#include <iterator>

#include "store/LectoraError.h"

namespace lectora {

bool ReadTextFile(const std::string& fileName, std::string& content) {
  content.clear();
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    content.clear();
    return false;
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

TNumberReader::TNumberReader(std::string_view text, std::string fileName, int firstLine)
    : text_(text), fileName_(std::move(fileName)), line_(firstLine) {}

void TNumberReader::SkipSpace() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
    } else if (c != ' ' && c != '\t' && c != '\r') {
      break;
    }
    ++pos_;
  }
}

bool TNumberReader::AtEnd() {
  SkipSpace();
  return pos_ >= text_.size();
}

int TNumberReader::Next(int min, int max, const char* what) {
  SkipSpace();
  if (pos_ >= text_.size()) {
    throw LectoraError(fileName_, line_, std::string(what) + " missing");
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t' && text_[pos_] != '\r' &&
         text_[pos_] != '\n') {
    ++pos_;
  }
  const std::string_view token = text_.substr(start, pos_ - start);
  std::size_t i = token[0] == '-' ? 1 : 0;
  if (i == token.size()) {
    throw LectoraError(fileName_, line_, "'" + std::string(token) + "' is not a decimal integer");
  }
  // Saturates instead of overflowing: any value this large is out of range.
  long long value = 0;
  for (; i < token.size(); ++i) {
    const char c = token[i];
    if (c < '0' || c > '9') {
      throw LectoraError(fileName_, line_, "'" + std::string(token) + "' is not a decimal integer");
    }
    if (value < 100000000000LL) value = value * 10 + (c - '0');
  }
  if (token[0] == '-') value = -value;
  if (value < min || value > max) {
    throw LectoraError(fileName_, line_,
                       std::string(what) + " " + std::string(token) + " outside " +
                           std::to_string(min) + ".." + std::to_string(max));
  }
  return static_cast<int>(value);
}

}  // namespace lectora
