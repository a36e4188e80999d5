#include "modules/OsisConverter.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <utility>

namespace lectora {

namespace {

constexpr std::string_view kPilcrow = "\xC2\xB6";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '_' || c == '-' ||
         c == '.';
}

// Elements that sit inside running text: their tags add no blank.
bool IsInline(std::string_view name) {
  static constexpr std::string_view kInline[] = {
      "w",         "transChange", "divineName", "hi",    "foreign",   "seg",  "q",    "name",
      "rdg",       "reference",   "ref",        "abbr",  "catchWord", "emph", "orig", "index",
      "a",         "b",           "i",          "font",  "sup",       "sub",  "span", "inscription",
      "mentioned", "placeName",   "persName",   "added", "scripRef",  "sync", "rf",   "note"};
  return std::find(std::begin(kInline), std::end(kInline), name) != std::end(kInline);
}

struct TTag {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Attributes;
  bool Closing = false;      // </name>
  bool SelfClosing = false;  // <name/>

  std::string Attribute(std::string_view name) const {
    for (const auto& [key, value] : Attributes) {
      if (key == name) return value;
    }
    return {};
  }
};

// Strong's numbers of a lemma or ThML value: "strong:H07225 strong:H0853" ->
// {"7225", "853"}. Tokens without digits are skipped.
std::vector<std::string> StrongNumbers(std::string_view value, bool needPrefix) {
  std::vector<std::string> numbers;
  std::size_t pos = 0;
  while (pos < value.size()) {
    while (pos < value.size() && IsBlank(value[pos])) ++pos;
    std::size_t end = pos;
    while (end < value.size() && !IsBlank(value[end])) ++end;
    std::string_view token = value.substr(pos, end - pos);
    pos = end;
    if (needPrefix) {
      if (!token.starts_with("strong:")) continue;
      token.remove_prefix(7);
    }
    while (!token.empty() && std::isalpha(static_cast<unsigned char>(token.front())) != 0) {
      token.remove_prefix(1);
    }
    std::size_t digits = 0;
    while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits])) != 0) {
      ++digits;
    }
    std::string_view number = token.substr(0, digits);
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    if (!number.empty()) numbers.emplace_back(number);
  }
  return numbers;
}

// Text being written: blanks are held back and written as one before the
// next visible character, never right after an opening mark and never at
// the start or the end.
class TSink {
 public:
  void Blank() { pendingBlank_ = true; }
  // Visible text (already made harmless).
  void Text(std::string_view text) {
    if (text.empty()) return;
    Flush();
    out_ += text;
    afterOpening_ = false;
  }
  // An opening mark ("{", "|", "\"): the blank before it is kept, one after it dropped.
  void Open(char mark) {
    Flush();
    out_ += mark;
    afterOpening_ = true;
    pendingBlank_ = false;
  }
  // A closing mark: a blank before it moves behind it.
  void Close(char mark) {
    out_ += mark;
    afterOpening_ = false;
  }
  bool Empty() const { return out_.empty(); }
  std::string Take() { return std::move(out_); }
  // Takes the punctuation the text ends with (",", ".", ";", ":", "!", "?"),
  // so that it can follow a Strong's group written after the word.
  std::string TakeEndPunctuation() {
    std::size_t end = out_.size();
    while (end > 0 && std::string_view(",.;:!?").find(out_[end - 1]) != std::string_view::npos) {
      --end;
    }
    std::string tail = out_.substr(end);
    out_.resize(end);
    return tail;
  }

 private:
  void Flush() {
    if (pendingBlank_ && !out_.empty() && !afterOpening_) out_ += ' ';
    pendingBlank_ = false;
  }

  std::string out_;
  bool pendingBlank_ = false;
  bool afterOpening_ = false;
};

enum class TKind { Plain, Block, Word, Note, Added, PsalmTitle, Title, Skip };

struct TOpen {
  std::string Name;
  TKind Kind = TKind::Plain;
  std::vector<std::string> Strongs;
};

// One entry's conversion.
class TEntryParser {
 public:
  TEntryParser(TMarkupTarget target, bool strongNumbers, TConversionCounts& counts)
      : bible_(target == TMarkupTarget::Bible), strongNumbers_(strongNumbers), counts_(counts) {}

  void Parse(std::string_view markup) {
    markup_ = markup;
    std::size_t pos = 0;
    while (pos < markup_.size()) {
      const std::size_t lt = FindTagStart(pos);
      if (lt > pos) AddText(markup_.substr(pos, lt - pos));
      if (lt >= markup_.size()) break;
      pos = ReadTag(lt);
    }
    // Elements still open at the end: keep their text, close their marks.
    while (!stack_.empty()) {
      ++malformed_;
      CloseTop();
    }
  }

  std::string TakeText() { return body_.Take(); }
  std::string TakeTitle() { return title_.Take(); }
  bool Paragraph() const { return paragraph_; }
  int Malformed() const { return malformed_; }

 private:
  TSink& Current() { return psalmTitleDepth_ > 0 ? title_ : body_; }
  bool AtStart() const { return body_.Empty() && noteDepth_ == 0 && psalmTitleDepth_ == 0; }

  // The next "<" at or after `pos` that starts markup ("<" + letter, "/",
  // "!" or "?"); a "<" before anything else is literal text.
  std::size_t FindTagStart(std::size_t pos) const {
    for (;;) {
      pos = markup_.find('<', pos);
      if (pos == std::string_view::npos) return markup_.size();
      if (pos + 1 < markup_.size()) {
        const char next = markup_[pos + 1];
        if (std::isalpha(static_cast<unsigned char>(next)) != 0 || next == '/' || next == '!' ||
            next == '?') {
          return pos;
        }
      }
      ++pos;
    }
  }

  // Reads the tag at `lt` and returns the position after it.
  std::size_t ReadTag(std::size_t lt) {
    if (markup_.substr(lt, 4) == "<!--") {
      const std::size_t end = markup_.find("-->", lt + 4);
      if (end == std::string_view::npos) {
        ++malformed_;
        return markup_.size();
      }
      return end + 3;
    }
    // Find the ">" that ends the tag, outside quoted attribute values.
    char quote = 0;
    std::size_t end = lt + 1;
    for (; end < markup_.size(); ++end) {
      const char c = markup_[end];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '>') {
        break;
      }
    }
    if (end >= markup_.size()) {  // cut off: drop the rest
      ++malformed_;
      return markup_.size();
    }
    const std::string_view inside = markup_.substr(lt + 1, end - lt - 1);
    if (!inside.empty() && (inside.front() == '!' || inside.front() == '?')) return end + 1;
    TTag tag;
    if (!ParseTag(inside, tag)) {
      ++malformed_;
      return end + 1;
    }
    if (tag.Closing) {
      CloseElement(tag.Name);
    } else {
      OpenElement(tag);
    }
    return end + 1;
  }

  static bool ParseTag(std::string_view inside, TTag& tag) {
    std::size_t pos = 0;
    if (!inside.empty() && inside.front() == '/') {
      tag.Closing = true;
      ++pos;
    }
    const std::size_t nameStart = pos;
    while (pos < inside.size() && IsNameChar(inside[pos])) ++pos;
    if (pos == nameStart) return false;
    tag.Name = std::string(inside.substr(nameStart, pos - nameStart));
    for (;;) {
      while (pos < inside.size() && IsBlank(inside[pos])) ++pos;
      if (pos >= inside.size()) return true;
      if (inside[pos] == '/' && pos + 1 == inside.size() && !tag.Closing) {
        tag.SelfClosing = true;
        return true;
      }
      if (tag.Closing) return false;
      const std::size_t keyStart = pos;
      while (pos < inside.size() && IsNameChar(inside[pos])) ++pos;
      if (pos == keyStart) return false;
      std::string key(inside.substr(keyStart, pos - keyStart));
      while (pos < inside.size() && IsBlank(inside[pos])) ++pos;
      std::string value;
      if (pos < inside.size() && inside[pos] == '=') {
        ++pos;
        while (pos < inside.size() && IsBlank(inside[pos])) ++pos;
        if (pos >= inside.size()) return false;
        const char quote = inside[pos];
        if (quote == '"' || quote == '\'') {
          const std::size_t close = inside.find(quote, pos + 1);
          if (close == std::string_view::npos) return false;
          value = std::string(inside.substr(pos + 1, close - pos - 1));
          pos = close + 1;
        } else {
          const std::size_t valueStart = pos;
          while (pos < inside.size() && !IsBlank(inside[pos]) && inside[pos] != '/') ++pos;
          value = std::string(inside.substr(valueStart, pos - valueStart));
        }
      }
      tag.Attributes.emplace_back(std::move(key), std::move(value));
    }
  }

  TKind KindOf(const TTag& tag) const {
    const std::string& name = tag.Name;
    if (name == "w") return TKind::Word;
    if (name == "note") return TKind::Note;
    if (name == "transChange" && tag.Attribute("type") == "added") return TKind::Added;
    if (name == "added") return TKind::Added;
    if (name == "reference" && tag.Attribute("type") == "annotateRef") return TKind::Skip;
    // A lexicon's headword in beta code ("LO/GOS") only repeats the Greek.
    if (name == "orth" && tag.Attribute("type") == "writing") return TKind::Skip;
    if (name == "title" && bible_) {
      return tag.Attribute("type") == "psalm" ? TKind::PsalmTitle : TKind::Title;
    }
    return IsInline(name) ? TKind::Plain : TKind::Block;
  }

  void OpenElement(const TTag& tag) {
    // Paragraph marks and Strong's numbers given by empty elements.
    if (bible_ &&
        (tag.Name == "p" || (tag.Name == "milestone" && tag.Attribute("type") == "x-p"))) {
      if (AtStart() && !paragraph_) {
        paragraph_ = true;
        ++counts_.Paragraphs;
      } else {
        Current().Blank();
      }
      if (tag.SelfClosing || tag.Name == "milestone") return;
      stack_.push_back({tag.Name, TKind::Block, {}});
      return;
    }
    if (tag.Name == "sync" && tag.Attribute("type") == "Strongs") {
      WriteStrongs(StrongNumbers(tag.Attribute("value"), false));
      return;
    }
    const TKind kind = KindOf(tag);
    if (kind == TKind::Plain || kind == TKind::Block) ++counts_.DroppedTags;
    if (kind == TKind::Block) Current().Blank();
    if (tag.SelfClosing) {
      if (kind == TKind::Word) WriteStrongs(StrongNumbers(tag.Attribute("lemma"), true));
      return;
    }
    TOpen open{tag.Name, kind, {}};
    switch (kind) {
      case TKind::Word:
        open.Strongs = StrongNumbers(tag.Attribute("lemma"), true);
        break;
      case TKind::Note:
        if (noteDepth_++ == 0) {
          Current().Open('{');
          ++counts_.Notes;
        }
        break;
      case TKind::Added:
        if (italicDepth_++ == 0) {
          Current().Open('|');
          ++counts_.AddedWords;
        }
        break;
      case TKind::PsalmTitle:
        // A psalm title inside a note or another title stays where it is.
        if (noteDepth_ > 0 || boldDepth_ > 0) {
          open.Kind = TKind::Plain;
          break;
        }
        if (psalmTitleDepth_++ == 0) {
          ++counts_.Titles;
          if (!title_.Empty()) title_.Blank();
        }
        break;
      case TKind::Title:
        Current().Blank();
        if (noteDepth_ > 0 || psalmTitleDepth_ > 0) {
          open.Kind = TKind::Plain;
          break;
        }
        if (boldDepth_++ == 0) {
          Current().Open('\\');
          ++counts_.Titles;
        }
        break;
      case TKind::Skip:
        ++skipDepth_;
        break;
      default:
        break;
    }
    stack_.push_back(std::move(open));
  }

  void CloseElement(const std::string& name) {
    auto match = std::find_if(stack_.rbegin(), stack_.rend(),
                              [&](const TOpen& open) { return open.Name == name; });
    if (match == stack_.rend()) {  // an end tag nothing opened
      ++malformed_;
      return;
    }
    const std::size_t depth = static_cast<std::size_t>(match - stack_.rbegin());
    malformed_ += static_cast<int>(depth);  // elements left open inside it
    for (std::size_t i = 0; i <= depth; ++i) CloseTop();
  }

  void CloseTop() {
    TOpen open = std::move(stack_.back());
    stack_.pop_back();
    switch (open.Kind) {
      case TKind::Word: {
        // "world,</w>" gives "world <2889>," rather than "world, <2889>",
        // so that hiding the group leaves "world,".
        const std::string tail = strongNumbers_ && !open.Strongs.empty() && skipDepth_ == 0
                                     ? Current().TakeEndPunctuation()
                                     : std::string();
        WriteStrongs(open.Strongs);
        Current().Text(tail);
        break;
      }
      case TKind::Note:
        if (--noteDepth_ == 0) Current().Close('}');
        break;
      case TKind::Added:
        if (--italicDepth_ == 0) Current().Close('|');
        break;
      case TKind::PsalmTitle:
        --psalmTitleDepth_;
        break;
      case TKind::Title:
        if (--boldDepth_ == 0) Current().Close('\\');
        Current().Blank();
        break;
      case TKind::Skip:
        --skipDepth_;
        break;
      case TKind::Block:
        Current().Blank();
        break;
      case TKind::Plain:
        break;
    }
  }

  void WriteStrongs(const std::vector<std::string>& numbers) {
    if (skipDepth_ > 0) return;
    if (!strongNumbers_) {
      counts_.DroppedStrongNumbers += static_cast<int>(numbers.size());
      return;
    }
    for (const std::string& number : numbers) {
      Current().Blank();
      Current().Text("<" + number + ">");
      ++counts_.StrongNumbers;
    }
  }

  // Text between tags: entities decoded, then character by character.
  void AddText(std::string_view raw) {
    if (skipDepth_ > 0) return;
    const std::string text = DecodeEntities(raw);
    std::size_t pos = 0;
    while (pos < text.size()) {
      const char c = text[pos];
      if (IsBlank(c)) {
        Current().Blank();
        ++pos;
        continue;
      }
      if (std::string_view(text).substr(pos, kPilcrow.size()) == kPilcrow && bible_) {
        if (AtStart() && !paragraph_) {
          paragraph_ = true;
          ++counts_.Paragraphs;
        } else {
          ++counts_.ReplacedMarkup;
        }
        pos += kPilcrow.size();
        continue;
      }
      if (c == '\\') {
        pos = SkipUsfmMarker(text, pos);
        continue;
      }
      Current().Text(Harmless(c));
      ++pos;
    }
  }

  // At a backslash: drops a USFM marker ("\nd ", "\+nd*", "\f") and returns
  // the position after it; a lone backslash becomes "/".
  std::size_t SkipUsfmMarker(const std::string& text, std::size_t pos) {
    ++counts_.ReplacedMarkup;
    std::size_t end = pos + 1;
    if (end < text.size() && text[end] == '+') ++end;
    const std::size_t letters = end;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])) != 0) ++end;
    if (end == letters) {
      Current().Text("/");
      return pos + 1;
    }
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) != 0) ++end;
    if (end < text.size() && text[end] == '*') return end + 1;
    if (end < text.size() && text[end] == ' ') return end + 1;
    return end;
  }

  // `c` as written: itself, or a harmless stand-in for a markup character.
  std::string Harmless(char c) {
    const char* stand = nullptr;
    switch (c) {
      case '|':
        stand = "/";
        break;
      case '<':
      case '(':
      case '{':
        stand = bible_ ? "[" : nullptr;
        break;
      case '>':
      case ')':
      case '}':
        stand = bible_ ? "]" : nullptr;
        break;
      case '~':
        stand = bible_ ? "-" : nullptr;
        break;
      default:
        break;
    }
    if (stand == nullptr) return std::string(1, c);
    ++counts_.ReplacedMarkup;
    return stand;
  }

  std::string DecodeEntities(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    std::size_t pos = 0;
    while (pos < raw.size()) {
      const std::size_t amp = raw.find('&', pos);
      if (amp == std::string_view::npos) {
        out += raw.substr(pos);
        break;
      }
      out += raw.substr(pos, amp - pos);
      const std::size_t semi = raw.find(';', amp + 1);
      const std::string_view name = semi == std::string_view::npos || semi - amp > 12
                                        ? std::string_view()
                                        : raw.substr(amp + 1, semi - amp - 1);
      const char32_t decoded = DecodeEntity(name);
      if (decoded == 0) {  // not an entity we know: keep the ampersand as text
        if (!name.empty()) ++malformed_;
        out += '&';
        pos = amp + 1;
        continue;
      }
      AppendUtf8(out, decoded);
      pos = semi + 1;
    }
    return out;
  }

  static char32_t DecodeEntity(std::string_view name) {
    if (name == "amp") return '&';
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "quot") return '"';
    if (name == "apos") return '\'';
    if (name == "nbsp") return 0xA0;
    if (name.size() < 2 || name.front() != '#') return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    std::uint32_t value = 0;
    for (const char c : digits) {
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) return 0;
      value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
    return value;
  }

  bool bible_;
  bool strongNumbers_;
  TConversionCounts& counts_;
  std::string_view markup_;
  TSink body_;
  TSink title_;
  std::vector<TOpen> stack_;
  int noteDepth_ = 0;
  int italicDepth_ = 0;
  int boldDepth_ = 0;
  int psalmTitleDepth_ = 0;
  int skipDepth_ = 0;
  bool paragraph_ = false;
  int malformed_ = 0;
};

}  // namespace

TConversionCounts& TConversionCounts::operator+=(const TConversionCounts& other) {
  StrongNumbers += other.StrongNumbers;
  DroppedStrongNumbers += other.DroppedStrongNumbers;
  Notes += other.Notes;
  AddedWords += other.AddedWords;
  Paragraphs += other.Paragraphs;
  Titles += other.Titles;
  DroppedTags += other.DroppedTags;
  ReplacedMarkup += other.ReplacedMarkup;
  MalformedMarkup += other.MalformedMarkup;
  CodePage += other.CodePage;
  return *this;
}

std::string TConvertedEntry::VerseText(const std::string& title) const {
  std::string text;
  if (Paragraph) text += kPilcrow;
  if (!title.empty()) {
    text += '\\' + title + '\\';
    if (!Text.empty()) text += ' ';
  }
  return text + Text;
}

TOsisConverter::TOsisConverter(TMarkupTarget target, int codePage)
    : target_(target), fitter_(codePage) {}

TConvertedEntry TOsisConverter::Convert(std::string_view markup) {
  TEntryParser parser(target_, strongNumbers_, counts_);
  parser.Parse(markup);
  TConvertedEntry entry;
  entry.Text = fitter_.Fit(parser.TakeText());
  entry.Title = fitter_.Fit(parser.TakeTitle());
  entry.Paragraph = parser.Paragraph();
  entry.Malformed = parser.Malformed();
  counts_.MalformedMarkup += entry.Malformed;
  return entry;
}

std::string TOsisConverter::FitPlain(std::string_view text) { return fitter_.Fit(text); }

TConversionCounts TOsisConverter::Counts() const {
  TConversionCounts counts = counts_;
  counts.CodePage = fitter_.Counts();
  return counts;
}

}  // namespace lectora
