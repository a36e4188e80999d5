#include "search/QueryParser.h"

#include <array>
#include <utility>

#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/Language.h"

namespace lectora {

namespace {

constexpr std::string_view kQueryChars = " \"()+-/0123456789_";

bool IsQueryChar(unsigned char c) {
  return kQueryChars.find(static_cast<char>(c)) != kQueryChars.npos;
}

}  // namespace

TQueryParser::TQueryParser(const TBible& bible, TSearchContext& search)
    : bible_(bible), search_(search) {}

std::string TQueryParser::Normalize(std::string_view text, const TLanguage& language) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!language.IsLetter(c) && !IsQueryChar(c)) continue;
    // The look-ahead is at the typed text, not at what is kept, and it drops
    // only blanks before query characters: a blank after an operator stays
    // and is then read as an And.
    if (c == ' ' && i + 1 < text.size() && IsQueryChar(static_cast<unsigned char>(text[i + 1]))) {
      continue;
    }
    result += static_cast<char>(c);
  }
  return result;
}

bool TQueryParser::Split(std::string_view text, std::string_view operators, std::string_view& left,
                         std::string_view& right) {
  bool quoted = false;
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (depth == 0 && !quoted && operators.find(c) != operators.npos) {
      left = text.substr(0, i);
      right = text.substr(i + 1);
      return true;
    }
  }
  return false;
}

std::unique_ptr<TSearchNode> TQueryParser::Build(std::string_view text) {
  search_.SearchWords.clear();
  tooDeep_ = false;
  const std::string normalized = Normalize(text, bible_.Language);
  std::unique_ptr<TSearchNode> root = Parse(normalized, 0, 0);
  if (tooDeep_) {
    root.reset();
    search_.SearchWords.clear();
  }
  return root;
}

std::unique_ptr<TSearchNode> TQueryParser::Parse(std::string_view text, int mode, int depth) {
  if (text.empty() || tooDeep_) return nullptr;
  if (depth >= kMaxDepth) {
    tooDeep_ = true;
    return nullptr;
  }
  static constexpr std::array<std::pair<std::string_view, std::uint8_t>, 3> kClasses = {{
      {kAndChars, TSearchNode::kAnd},
      {kOrChars, TSearchNode::kOr},
      {kWithoutChars, TSearchNode::kWithout},
  }};
  for (const auto& [operators, op] : kClasses) {
    std::string_view leftText, rightText;
    if (!Split(text, operators, leftText, rightText)) continue;
    // Left before right: leaves join SearchWords in the order typed, and
    // each node is built after both of its children.
    std::unique_ptr<TSearchNode> left = Parse(leftText, mode, depth + 1);
    std::unique_ptr<TSearchNode> right = Parse(rightText, mode, depth + 1);
    if (tooDeep_) return nullptr;
    if (!left) return right;
    if (!right) return left;
    return std::make_unique<TSearchNode>(std::move(left), std::move(right), op, mode, bible_,
                                         search_);
  }
  if (text.front() == '"' || text.front() == '(') {
    if (text.front() == '"') mode = 2;
    std::string_view inner = text.substr(1);
    if (!inner.empty() && (inner.back() == '"' || inner.back() == ')')) inner.remove_suffix(1);
    return Parse(inner, mode, depth + 1);
  }
  return std::make_unique<TSearchNode>(std::string(text), bible_, search_);
}

std::unique_ptr<TSearchNode> BuildQuery(std::string_view text, const TBible& bible,
                                        TSearchContext& search) {
  return TQueryParser(bible, search).Build(text);
}

}  // namespace lectora
