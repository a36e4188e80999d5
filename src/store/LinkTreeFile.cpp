#include "store/LinkTreeFile.h"

#include <algorithm>

#include "store/AtomicFile.h"
#include "store/CodePage.h"

namespace lectora {

namespace {

constexpr char kSeparator = '|';

bool IsBlank(char c) { return c == '\t' || c == ' '; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// One line of the file (without its line end) as a node at the level its
// indentation asks for.
TLinkTreeNode ParseLine(std::string_view line) {
  TLinkTreeNode node;
  const std::size_t separator = line.find(kSeparator);
  if (separator == std::string_view::npos) {
    node.Link = CodePageToUtf8(line, kLinkTreeCodePage);
    return node;
  }
  std::size_t indent = 0;
  while (indent < separator && IsBlank(line[indent])) ++indent;
  node.Level = static_cast<int>(std::min<std::size_t>(indent, 1u << 30)) + 1;
  node.Caption = CodePageToUtf8(line.substr(indent, separator - indent), kLinkTreeCodePage);
  node.Link = CodePageToUtf8(line.substr(separator + 1), kLinkTreeCodePage);
  return node;
}

// A caption or link as one line of the file can hold it.
std::string OneLine(std::string text) {
  std::replace_if(text.begin(), text.end(), IsLineEnd, ' ');
  return text;
}

void AppendEncoded(std::string& out, const std::string& utf8, std::size_t& replaced) {
  std::size_t count = 0;
  out += Utf8ToCodePageLossy(utf8, kLinkTreeCodePage, &count);
  replaced += count;
}

}  // namespace

TLinkTreeContent ParseLinkTree(std::string_view bytes) {
  TLinkTreeContent content;
  int previousLevel = 0;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    ++lineNumber;
    TLinkTreeNode node = ParseLine(bytes.substr(start, end - start));
    if (node.Level > previousLevel + 1) {
      node.Level = previousLevel + 1;
      content.RaisedLines.push_back(lineNumber);
    }
    previousLevel = node.Level;
    content.Nodes.push_back(std::move(node));
    // CR LF is one line end; a lone CR or LF is one too.
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return content;
}

std::string FormatLinkTree(const std::vector<TLinkTreeNode>& nodes, std::size_t* replaced) {
  std::string out;
  std::size_t unmapped = 0;
  int previousLevel = 0;
  for (const TLinkTreeNode& node : nodes) {
    const int level = std::clamp(node.Level, 1, previousLevel + 1);
    previousLevel = level;
    out.append(static_cast<std::size_t>(level - 1), '\t');
    std::string caption = OneLine(node.Caption);
    caption.erase(0, std::min(caption.find_first_not_of("\t "), caption.size()));
    AppendEncoded(out, caption, unmapped);
    out += kSeparator;
    AppendEncoded(out, OneLine(node.Link), unmapped);
    out += "\r\n";
  }
  if (replaced != nullptr) *replaced = unmapped;
  return out;
}

bool ReadLinkTreeFile(const std::string& fileName, TLinkTreeContent& content) {
  content = {};
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return false;
  content = ParseLinkTree(bytes);
  return true;
}

void WriteLinkTreeFile(const std::string& fileName, const std::vector<TLinkTreeNode>& nodes) {
  WriteFileAtomically(fileName, FormatLinkTree(nodes));
}

}  // namespace lectora
