#include "search/SearchNode.h"

#include <algorithm>
#include <utility>

#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

constexpr int kLinesWithExcerpt = 100;
constexpr int kBlanksBefore = 2;  // one word of context before the match
constexpr int kBlanksAfter = 5;

char OperatorChar(std::uint8_t op) {
  switch (op) {
    case TSearchNode::kOr:
      return '/';
    case TSearchNode::kWithout:
      return '_';
    default:
      return ' ';
  }
}

// The child's query text, bracketed when it is an inner node of a looser
// kind than its parent.
void AppendChild(const TSearchNode* child, std::uint8_t parentOp, std::string& text) {
  if (child == nullptr) return;
  std::string part;
  child->QueryText(part);
  const bool bracket = child->Op != TSearchNode::kLeaf && child->Op < parentOp;
  if (bracket) text += '(';
  text += part;
  if (bracket) text += ')';
}

}  // namespace

TSearchNode::TSearchNode(const std::string& word, const TBible& bible, TSearchContext& search)
    : Word(word), LowerWord(LowerCase1251(word)), List(NewVerseList()), bible_(bible) {
  bible.GetConcordance(Word, List);
  if (!List) List = NewVerseList();
  bible.FilterByBooks(List, search.SelectedBooks);
  search.SearchWords.push_back(LowerWord);
}

TSearchNode::TSearchNode(std::unique_ptr<TSearchNode> left, std::unique_ptr<TSearchNode> right,
                         std::uint8_t op, int mode, const TBible& bible, TSearchContext& search)
    : Left(std::move(left)), Right(std::move(right)), Op(op), Mode(mode), bible_(bible) {
  const TVerseList* leftList = Left ? Left->List.get() : nullptr;
  List = Right ? CopyVerseList(Right->List.get()) : NewVerseList();
  if (!List) List = NewVerseList();
  const TVerseList empty;
  if (leftList == nullptr) leftList = &empty;
  switch (Op) {
    case kAnd:
      IntersectVerseLists(List, leftList);
      bible.PhraseFilter(List, Mode == 2 ? 2 : search.WordOrder, search);
      break;
    case kOr:
      UnionVerseLists(List, leftList);
      break;
    case kWithout:
      // The list passed by reference is the one taken away: List becomes
      // the left list without the right one.
      SubtractVerseLists(List, leftList);
      break;
    default:
      List = NewVerseList();
      break;
  }
  if (!List) List = NewVerseList();
}

void TSearchNode::QueryText(std::string& text) const {
  if (Op == kLeaf) {
    text = Word;
    return;
  }
  text.clear();
  AppendChild(Left.get(), Op, text);
  text += OperatorChar(Op);
  AppendChild(Right.get(), Op, text);
}

int TSearchNode::FindPosition(const std::string& text, int& endPos) const {
  switch (Op) {
    case kLeaf: {
      const int position = bible_.FindWholeWord(LowerWord, text);
      endPos = position + static_cast<int>(Word.size());
      return position;
    }
    case kOr: {
      int ignored = endPos;
      const int left = Left ? Left->FindPosition(text, ignored) : 0;
      const int right = Right ? Right->FindPosition(text, ignored) : 0;
      if (left == 0) return right;
      if (right == 0) return left;
      return std::min(left, right);
    }
    case kWithout:
      return Left ? Left->FindPosition(text, endPos) : 0;
    case kAnd:
      break;
    default:
      return 0;
  }
  if (!Left || !Right) return 0;
  int leftEnd = 0;
  const int left = Left->FindPosition(text, leftEnd);
  if (Mode == 0) {
    int rightEnd = 0;
    const int right = Right->FindPosition(text, rightEnd);
    endPos = std::max(leftEnd, rightEnd);
    return std::min(left, right);
  }
  // In order: the right part is looked for only after the left match.
  // leftEnd is 1-based, so the rest of the text starts at index leftEnd - 1.
  const std::size_t from = static_cast<std::size_t>(std::max(leftEnd, 1) - 1);
  if (from > text.size()) {
    endPos = leftEnd;
    return 0;
  }
  int rightEnd = 0;
  const int right = Right->FindPosition(text.substr(from), rightEnd);
  if (right == 0) {
    endPos = leftEnd;
    return 0;
  }
  const int offset = static_cast<int>(from);
  endPos = rightEnd + offset;
  return right + offset;
}

void TSearchNode::ResultLine(int index, bool useAltName, std::string& text) const {
  text.clear();
  if (index < 1 || static_cast<std::size_t>(index) > List->Count()) return;
  const int verse = List->Items[static_cast<std::size_t>(index) - 1];
  bible_.ReferenceText(verse, useAltName, text);
  if (index > kLinesWithExcerpt) {
    text += " ...";
    return;
  }
  text += ' ';
  std::string stored;
  bible_.ReadVerse(verse, stored);
  const std::string plain = PlainText(stored);
  int endPos = 0;
  const int found = FindPosition(LowerCase1251(plain), endPos);
  // 1-based positions as the match is reported; plain[i - 1] is position i.
  const int length = static_cast<int>(plain.size());
  const int position = std::clamp(found, 0, length);

  int start = 1;
  for (int i = position - 1, blanks = 0; i >= 1; --i) {
    if (plain[i - 1] == ' ' && ++blanks == kBlanksBefore) {
      text += "...";
      start = i + 1;
      break;
    }
  }
  int end = length;
  const char* suffix = "";
  for (int i = position + 1, blanks = 0; i <= length; ++i) {
    if (plain[i - 1] == ' ' && ++blanks == kBlanksAfter) {
      if (i < length) {
        end = i - 1;
        suffix = "...";
      }
      break;
    }
  }
  if (end >= start)
    text.append(plain, static_cast<std::size_t>(start - 1),
                static_cast<std::size_t>(end - start + 1));
  text += suffix;
}

}  // namespace lectora
