#include "store/rtf/RtfParser.h"

#include <algorithm>
#include <array>
#include <utility>

#include "store/CodePage.h"

namespace lectora {

namespace {

constexpr std::size_t kMaxWordLength = 32;
constexpr std::size_t kMaxDigits = 10;
constexpr int kMaxHalfPoints = 3276;  // 1638 points, the largest size readers know
constexpr char16_t kReplacement = 0xFFFD;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Destinations whose content is not text of the document.
constexpr std::array<std::string_view, 36> kSkippedDestinations = {"stylesheet",
                                                                   "info",
                                                                   "pict",
                                                                   "object",
                                                                   "header",
                                                                   "headerl",
                                                                   "headerr",
                                                                   "headerf",
                                                                   "footer",
                                                                   "footerl",
                                                                   "footerr",
                                                                   "footerf",
                                                                   "footnote",
                                                                   "fldinst",
                                                                   "themedata",
                                                                   "colorschememapping",
                                                                   "latentstyles",
                                                                   "datastore",
                                                                   "xmlnstbl",
                                                                   "listtable",
                                                                   "listoverridetable",
                                                                   "rsidtbl",
                                                                   "generator",
                                                                   "pgdsctbl",
                                                                   "revtbl",
                                                                   "filetbl",
                                                                   "bkmkstart",
                                                                   "bkmkend",
                                                                   "nonshppict",
                                                                   "shpinst",
                                                                   "xe",
                                                                   "tc",
                                                                   "private",
                                                                   "userprops",
                                                                   "docvar",
                                                                   "pn"};

// Control words that stand for one character.
struct TCharacterWord {
  std::string_view Name;
  char16_t Character;
};
constexpr std::array<TCharacterWord, 14> kCharacterWords = {{{"line", 0x2028},
                                                             {"tab", u'\t'},
                                                             {"cell", u'\t'},
                                                             {"emdash", 0x2014},
                                                             {"endash", 0x2013},
                                                             {"lquote", 0x2018},
                                                             {"rquote", 0x2019},
                                                             {"ldblquote", 0x201C},
                                                             {"rdblquote", 0x201D},
                                                             {"bullet", 0x2022},
                                                             {"emspace", 0x2003},
                                                             {"enspace", 0x2002},
                                                             {"qmspace", 0x2005},
                                                             {"zwnbo", 0xFEFF}}};

bool Flag(bool hasParam, std::int64_t param) { return !hasParam || param != 0; }

}  // namespace

std::u16string TRtfParagraph::PlainText() const {
  std::u16string text;
  for (const TRtfRun& run : Runs) text += run.Text;
  return text;
}

std::u16string TRtfDocument::PlainText() const {
  std::u16string text;
  for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
    if (i > 0) text += u'\n';
    text += Paragraphs[i].PlainText();
  }
  return text;
}

TRtfParser::TRtfParser(std::string_view rtf, const TRtfLimits& limits) : in_(rtf), limits_(limits) {
  if (in_.size() > limits_.MaxBytes) {
    in_ = in_.substr(0, limits_.MaxBytes);
    document_.Truncated = true;
  }
}

TRtfDocument TRtfParser::Parse() {
  while (pos_ < in_.size()) {
    const char c = in_[pos_++];
    switch (c) {
      case '{':
        OpenGroup();
        break;
      case '}':
        CloseGroup();
        break;
      case '\\':
        ControlWord();
        break;
      case '\r':
      case '\n':
        break;  // line ends of the file are not text
      default:
        Byte(static_cast<unsigned char>(c));
    }
  }
  // A last paragraph without \par counts when it holds text; \par ends a
  // paragraph rather than starting one.
  if (!paragraph_.Runs.empty()) EndParagraph();
  return std::move(document_);
}

void TRtfParser::OpenGroup() {
  pendingSkip_ = 0;
  if (overflow_ > 0 || static_cast<int>(stack_.size()) >= limits_.MaxDepth) {
    ++overflow_;
    document_.Truncated = true;
    return;
  }
  stack_.push_back(state_);
}

void TRtfParser::CloseGroup() {
  pendingSkip_ = 0;
  if (overflow_ > 0) {
    --overflow_;
    return;
  }
  if (stack_.empty()) return;                            // a stray "}" closes nothing
  if (state_.Dest == TDest::FontTable) fontEntry_ = -2;  // text between entries names none
  state_ = stack_.back();
  stack_.pop_back();
  Changed();
}

void TRtfParser::ControlWord() {
  if (pos_ >= in_.size()) return;  // a backslash at the very end
  if (!IsLetter(in_[pos_])) {
    ControlSymbol(in_[pos_++]);
    return;
  }
  const std::size_t start = pos_;
  while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
  const std::string_view name = in_.substr(start, std::min(pos_ - start, kMaxWordLength));
  bool negative = false;
  if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
    negative = true;
    ++pos_;
  }
  std::int64_t param = 0;
  std::size_t digits = 0;
  for (; pos_ < in_.size() && IsDigit(in_[pos_]); ++pos_, ++digits) {
    // Digits past the tenth are read but change nothing: no value overflows.
    if (digits < kMaxDigits) param = param * 10 + (in_[pos_] - '0');
  }
  if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space
  Word(name, digits > 0, negative ? -param : param);
}

void TRtfParser::ControlSymbol(char symbol) {
  switch (symbol) {
    case '\'':
      HexByte();
      return;
    case '*':
      if (overflow_ == 0) state_.Dest = TDest::Skip;
      return;
    case '{':
    case '}':
    case '\\':
      Byte(static_cast<unsigned char>(symbol));
      return;
    case '~':
      Character(0x00A0);
      return;
    case '_':
      Character(0x2011);
      return;
    case '\r':
    case '\n':
      Word("par", false, 0);
      return;
    default:
      return;  // \- (optional hyphen), \: and unknown symbols
  }
}

void TRtfParser::Word(std::string_view name, bool hasParam, std::int64_t param) {
  if (name == "bin") {
    SkipBinary(hasParam ? param : 0);
    return;
  }
  if (overflow_ > 0 || state_.Dest == TDest::Skip) return;
  if (pendingSkip_ > 0 && state_.Dest == TDest::Text && name != "u") {
    --pendingSkip_;  // a control word stands for one fallback character
    return;
  }
  if (SkipsDestination(name)) {
    state_.Dest = TDest::Skip;
  } else if (name == "fonttbl") {
    state_.Dest = TDest::FontTable;
  } else if (name == "colortbl") {
    state_.Dest = TDest::ColorTable;
    colors_.clear();
  } else if (name == "u") {
    Unicode(param);
  } else if (name == "uc") {
    state_.UnicodeSkip = static_cast<int>(std::clamp<std::int64_t>(param, 0, 16));
  } else if (name == "par" || name == "sect" || name == "page" || name == "row") {
    if (state_.Dest == TDest::Text) EndParagraph();
  } else if (!TableWord(name, param) && !FormatWord(name, hasParam, param)) {
    CharacterWord(name);
  }
}

bool TRtfParser::SkipsDestination(std::string_view name) const {
  return std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), name) !=
         kSkippedDestinations.end();
}

bool TRtfParser::TableWord(std::string_view name, std::int64_t param) {
  const int value = static_cast<int>(std::clamp<std::int64_t>(param, -1, 1 << 20));
  if (name == "deff") {
    defaultFont_ = value;
  } else if (name == "ansicpg") {
    if (IsSupportedCodePage(value)) documentCodePage_ = value;
  } else if (name == "fcharset" && state_.Dest == TDest::FontTable) {
    if (fontEntry_ >= 0) {
      fonts_[fontEntry_].Charset = value;
      fonts_[fontEntry_].Decoded = false;
    }
  } else if (name == "f" && state_.Dest == TDest::FontTable) {
    fontEntry_ = std::max(value, 0);
    fonts_.try_emplace(fontEntry_);
  } else if (state_.Dest == TDest::ColorTable &&
             (name == "red" || name == "green" || name == "blue")) {
    const int component = std::clamp(value, 0, 255);
    (name == "red" ? red_ : name == "green" ? green_ : blue_) = component;
  } else {
    return false;
  }
  return true;
}

bool TRtfParser::FormatWord(std::string_view name, bool hasParam, std::int64_t param) {
  const int value = static_cast<int>(std::clamp<std::int64_t>(param, -1, 1 << 20));
  if (name == "plain") {
    const TState kept = state_;
    state_ = TState();
    state_.Dest = kept.Dest;
    state_.UnicodeSkip = kept.UnicodeSkip;
  } else if (name == "b") {
    state_.Bold = Flag(hasParam, param);
  } else if (name == "i") {
    state_.Italic = Flag(hasParam, param);
  } else if (name == "ul" || name == "uld" || name == "uldb" || name == "ulw" || name == "uldash" ||
             name == "ulwave" || name == "ulth") {
    state_.Underline = Flag(hasParam, param);
  } else if (name == "ulnone") {
    state_.Underline = false;
  } else if (name == "f") {
    state_.Font = value;
  } else if (name == "fs") {
    state_.HalfPoints = hasParam ? std::clamp(value, 1, kMaxHalfPoints) : 24;
  } else if (name == "cf") {
    state_.Color = std::max(value, 0);
  } else {
    return false;
  }
  Changed();
  return true;
}

bool TRtfParser::CharacterWord(std::string_view name) {
  for (const TCharacterWord& word : kCharacterWords) {
    if (word.Name == name) {
      Character(word.Character);
      return true;
    }
  }
  return false;
}

void TRtfParser::SkipBinary(std::int64_t count) {
  const std::size_t left = in_.size() - pos_;
  pos_ += count <= 0 ? 0 : std::min(left, static_cast<std::size_t>(count));
}

void TRtfParser::HexByte() {
  int value = -1;
  if (pos_ + 1 < in_.size()) {
    const int high = HexValue(in_[pos_]);
    const int low = HexValue(in_[pos_ + 1]);
    if (high >= 0 && low >= 0) value = high * 16 + low;
  }
  if (value < 0) return;  // "\'" without two hex digits stands for nothing
  pos_ += 2;
  if (overflow_ > 0) return;
  if (state_.Dest == TDest::FontTable) {
    if (fontEntry_ >= 0) {
      fonts_[fontEntry_].Name.push_back(static_cast<char>(value));
      fonts_[fontEntry_].Decoded = false;
    }
  } else if (state_.Dest == TDest::Text) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    Character(value < 0x80 ? static_cast<char16_t>(value)
                           : CodePageToUnicode(static_cast<unsigned char>(value), CodePage()));
  }
}

void TRtfParser::Unicode(std::int64_t value) {
  // \u takes a signed 16-bit value; negative ones stand for 32768..65535.
  if (value < 0) value += 65536;
  Character(value >= 0 && value <= 0xFFFF ? static_cast<char16_t>(value) : kReplacement);
  pendingSkip_ = state_.UnicodeSkip;
}

void TRtfParser::Byte(unsigned char byte) {
  if (overflow_ > 0) return;
  switch (state_.Dest) {
    case TDest::Text:
      if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
      }
      if (byte == '\t') {
        Character(u'\t');
      } else if (byte >= 0x20 && byte < 0x80) {
        Character(byte);
      } else if (byte >= 0x80) {
        Character(CodePageToUnicode(byte, CodePage()));
      }
      return;
    case TDest::FontTable:
    case TDest::ColorTable:
      TableByte(byte);
      return;
    case TDest::Skip:
      return;
  }
}

void TRtfParser::TableByte(unsigned char byte) {
  if (state_.Dest == TDest::ColorTable) {
    if (byte != ';') return;
    colors_.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                          ? TRtfFormat::kAutoColor
                          : (std::max(red_, 0) << 16) | (std::max(green_, 0) << 8) |
                                std::max(blue_, 0));
    red_ = green_ = blue_ = -1;
    return;
  }
  if (byte == ';') {
    fontEntry_ = -2;  // the entry's name is complete; text up to the next \f is ignored
  } else if (fontEntry_ >= 0 && byte >= 0x20) {
    fonts_[fontEntry_].Name.push_back(static_cast<char>(byte));
    fonts_[fontEntry_].Decoded = false;
  }
}

int TRtfParser::CodePage() const {
  const auto font = fonts_.find(state_.Font < 0 ? defaultFont_ : state_.Font);
  if (font == fonts_.end() || font->second.Charset < 0 || font->second.Charset == 1) {
    return documentCodePage_;  // no charset, or "the default charset"
  }
  return CodePageOfCharset(font->second.Charset);
}

const TRtfFormat& TRtfParser::CurrentFormat() {
  if (!formatDirty_) return format_;
  formatDirty_ = false;
  TRtfFormat format;
  const auto font = fonts_.find(state_.Font < 0 ? defaultFont_ : state_.Font);
  if (font != fonts_.end()) {
    TFont& entry = font->second;
    if (!entry.Decoded) {
      std::string name = entry.Name;
      while (!name.empty() && name.back() == ' ') name.pop_back();
      const std::size_t first = name.find_first_not_of(' ');
      name.erase(0, first == std::string::npos ? name.size() : first);
      const int charset = entry.Charset;
      entry.Family = CodePageToUtf8(
          name, charset < 0 || charset == 1 ? documentCodePage_ : CodePageOfCharset(charset));
      entry.Decoded = true;
    }
    format.FontName = entry.Family;
    format.Charset = entry.Charset;
  }
  format.HalfPoints = state_.HalfPoints;
  format.Bold = state_.Bold;
  format.Italic = state_.Italic;
  format.Underline = state_.Underline;
  if (state_.Color > 0 && static_cast<std::size_t>(state_.Color) < colors_.size()) {
    format.Color = colors_[static_cast<std::size_t>(state_.Color)];
  } else if (state_.Color == 0 && !colors_.empty()) {
    format.Color = colors_.front();
  }
  format_ = std::move(format);
  return format_;
}

void TRtfParser::Character(char16_t c) {
  // Control characters other than the tab have no place in a note's text.
  if (overflow_ > 0 || state_.Dest != TDest::Text || (c < 0x20 && c != u'\t')) return;
  const TRtfFormat& format = CurrentFormat();
  if (paragraph_.Runs.empty() || !(paragraph_.Runs.back().Format == format)) {
    paragraph_.Runs.push_back(TRtfRun{{}, format});
  }
  paragraph_.Runs.back().Text.push_back(c);
}

void TRtfParser::EndParagraph() {
  document_.Paragraphs.push_back(std::move(paragraph_));
  paragraph_ = TRtfParagraph();
}

TRtfDocument ReadRtf(std::string_view rtf, const TRtfLimits& limits) {
  TRtfParser parser(rtf, limits);
  return parser.Parse();
}

}  // namespace lectora
