#include "store/rtf/RtfWriter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "store/CodePage.h"

namespace lectora {

namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr int kCyrillic = 204;
constexpr int kFirstOwnFont = 3;  // \f0..\f2 are the header's
constexpr std::string_view kDefaultFont = "Verdana";

void AppendHex(std::string& out, unsigned char byte) {
  out += "\\'";
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

struct TFontKey {
  std::string Name;
  int Charset;
  bool operator==(const TFontKey&) const = default;
};

// The writer's state: the tables and the properties in effect.
class TRtfComposer {
 public:
  explicit TRtfComposer(const TRtfDocument& document) : document_(document) {
    fonts_ = {{"MS Sans Serif", -1}, {"Symbol", 2}, {std::string(kDefaultFont), kCyrillic}};
  }

  std::string Compose() {
    CollectTables();
    std::string body;
    for (const TRtfParagraph& paragraph : document_.Paragraphs) {
      for (const TRtfRun& run : paragraph.Runs) AppendRun(body, run);
      body += "\\par\r\n";
    }
    std::string out(kNoteRtfHeader.substr(0, kNoteRtfHeader.size() - 1));  // the table stays open
    AppendFontTable(out);
    out += "}";
    AppendColorTable(out);
    out += "\\uc1\\pard\\plain\\f2\\fs20\r\n";
    out += body;
    out += "}";
    return out;
  }

 private:
  static TFontKey KeyOf(const TRtfFormat& format) {
    TFontKey key{format.FontName, format.Charset < 0 ? kCyrillic : format.Charset};
    if (key.Name.empty()) key.Name = kDefaultFont;
    return key;
  }

  void CollectTables() {
    for (const TRtfParagraph& paragraph : document_.Paragraphs) {
      for (const TRtfRun& run : paragraph.Runs) {
        const TFontKey key = KeyOf(run.Format);
        if (std::find(fonts_.begin(), fonts_.end(), key) == fonts_.end()) fonts_.push_back(key);
        const std::int32_t color = run.Format.Color;
        if (color != TRtfFormat::kAutoColor &&
            std::find(colors_.begin(), colors_.end(), color) == colors_.end()) {
          colors_.push_back(color);
        }
      }
    }
  }

  void AppendFontTable(std::string& out) const {
    for (std::size_t i = kFirstOwnFont; i < fonts_.size(); ++i) {
      const TFontKey& font = fonts_[i];
      out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(font.Charset) + " ";
      AppendText(out, Utf8ToUtf16(font.Name), font.Charset);
      out += ";}";
    }
  }

  void AppendColorTable(std::string& out) const {
    out += "{\\colortbl ;";
    for (const std::int32_t color : colors_) {
      out += "\\red" + std::to_string((color >> 16) & 0xFF) + "\\green" +
             std::to_string((color >> 8) & 0xFF) + "\\blue" + std::to_string(color & 0xFF) + ";";
    }
    out += "}";
  }

  void AppendRun(std::string& out, const TRtfRun& run) {
    const TRtfFormat& f = run.Format;
    const TFontKey key = KeyOf(f);
    const int font =
        static_cast<int>(std::find(fonts_.begin(), fonts_.end(), key) - fonts_.begin());
    const int color = f.Color == TRtfFormat::kAutoColor
                          ? 0
                          : static_cast<int>(std::find(colors_.begin(), colors_.end(), f.Color) -
                                             colors_.begin()) +
                                1;
    const std::size_t before = out.size();
    if (font != font_) out += "\\f" + std::to_string(font);
    if (f.HalfPoints != halfPoints_) out += "\\fs" + std::to_string(f.HalfPoints);
    if (f.Bold != bold_) out += f.Bold ? "\\b" : "\\b0";
    if (f.Italic != italic_) out += f.Italic ? "\\i" : "\\i0";
    if (f.Underline != underline_) out += f.Underline ? "\\ul" : "\\ulnone";
    if (color != color_) out += "\\cf" + std::to_string(color);
    if (out.size() != before) out += ' ';
    font_ = font;
    halfPoints_ = f.HalfPoints;
    bold_ = f.Bold;
    italic_ = f.Italic;
    underline_ = f.Underline;
    color_ = color;
    AppendText(out, run.Text, key.Charset);
  }

  static void AppendText(std::string& out, std::u16string_view text, int charset) {
    const int codePage = CodePageOfCharset(charset);
    for (const char16_t c : text) {
      if (c == u'\\' || c == u'{' || c == u'}') {
        out += '\\';
        out += static_cast<char>(c);
      } else if (c == u'\t') {
        out += "\\tab ";
      } else if (c == 0x2028 || c == u'\n') {
        out += "\\line ";
      } else if (c < 0x20) {
        continue;  // control characters have no place in the text
      } else if (c < 0x80) {
        out += static_cast<char>(c);
      } else if (const int byte =
                     (c >= 0xD800 && c <= 0xDFFF) ? -1 : UnicodeToCodePage(c, codePage);
                 byte >= 0x80) {
        AppendHex(out, static_cast<unsigned char>(byte));
      } else {
        out += "\\u" + std::to_string(c > 0x7FFF ? static_cast<int>(c) - 0x10000 : c) + "?";
      }
    }
  }

  const TRtfDocument& document_;
  std::vector<TFontKey> fonts_;
  std::vector<std::int32_t> colors_;
  // What the body has set so far; it starts as "\plain\f2\fs20".
  int font_ = 2;
  int halfPoints_ = 20;
  bool bold_ = false;
  bool italic_ = false;
  bool underline_ = false;
  int color_ = 0;
};

}  // namespace

std::string WriteRtf(const TRtfDocument& document) { return TRtfComposer(document).Compose(); }

std::string RtfEscapePlain(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\par ";
    } else if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x80) {
      AppendHex(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string EnsureRtf(const std::string& text) {
  if (text.starts_with("{\\rtf")) return text;
  std::string out(kNoteRtfHeader);
  out += "\\f2\\fs20 ";
  out += RtfEscapePlain(text);
  out += "}";
  return out;
}

}  // namespace lectora
