#include "modules/ImpReader.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "modules/CodePageFitter.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr std::string_view kKeyMark = "$$$";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

TImpReader::TImpReader(const std::string& fileName) : fileName_(fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw LectoraError(fileName, 0, "cannot open the file");
  text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) throw LectoraError(fileName, 0, "cannot read the file");
  if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

TImpReader::TImpReader(std::string text, std::string fileName)
    : text_(std::move(text)), fileName_(std::move(fileName)) {
  if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
}

bool TImpReader::ReadLine(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  ++line_;
  const std::size_t end = text_.find('\n', pos_);
  if (end == std::string::npos) {
    throw LectoraError(fileName_, line_, "the last line has no line end: the file is cut short");
  }
  line = std::string_view(text_).substr(pos_, end - pos_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  pos_ = end + 1;
  CheckLine(line);
  return true;
}

void TImpReader::CheckLine(std::string_view line) const {
  if (line.find('\0') != std::string_view::npos) {
    throw LectoraError(fileName_, line_, "holds a NUL byte");
  }
  std::size_t bad = 0;
  if (!IsValidUtf8(line, &bad)) {
    throw LectoraError(fileName_, line_,
                       "is not valid UTF-8 (column " + std::to_string(bad + 1) + ")");
  }
}

bool TImpReader::Next(TImpEntry& entry) {
  std::string_view line;
  if (!havePendingKey_) {
    // Skip empty lines before the first key; anything else there is a fault.
    for (;;) {
      if (!ReadLine(line)) return false;
      if (line.starts_with(kKeyMark)) break;
      if (!Trimmed(line).empty()) {
        throw LectoraError(fileName_, line_, "text before the first \"$$$\" key line");
      }
    }
    pendingKey_ = std::string(Trimmed(line.substr(kKeyMark.size())));
    pendingLine_ = line_;
    havePendingKey_ = true;
  }
  entry.Key = pendingKey_;
  entry.Line = pendingLine_;
  entry.Text.clear();
  havePendingKey_ = false;
  if (entry.Key.empty()) throw LectoraError(fileName_, entry.Line, "empty \"$$$\" key");

  std::size_t keptLength = 0;  // entry.Text without trailing empty lines
  while (ReadLine(line)) {
    if (line.starts_with(kKeyMark)) {
      pendingKey_ = std::string(Trimmed(line.substr(kKeyMark.size())));
      pendingLine_ = line_;
      havePendingKey_ = true;
      break;
    }
    if (!entry.Text.empty()) entry.Text += '\n';
    entry.Text += line;
    if (!Trimmed(line).empty()) keptLength = entry.Text.size();
  }
  entry.Text.resize(keptLength);
  return true;
}

}  // namespace lectora
