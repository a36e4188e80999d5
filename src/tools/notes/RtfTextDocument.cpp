#include "tools/notes/RtfTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "store/rtf/RtfReader.h"
#include "store/rtf/RtfWriter.h"

namespace lectora {

namespace {

constexpr int kDefaultCharset = 204;
constexpr double kPointsPerPixel = 0.75;  // 72 points on 96 pixels
constexpr char16_t kObjectReplacement = 0xFFFC;

TRtfFormat FormatOf(const QTextCharFormat& chars, const QFont& defaultFont) {
  const QFont font = chars.font().resolve(defaultFont);
  TRtfFormat format;
  const QStringList families = font.families();
  format.FontName = (families.isEmpty() ? font.family() : families.front()).toStdString();
  double points = font.pointSizeF();
  if (points <= 0) points = font.pixelSize() * kPointsPerPixel;
  format.HalfPoints = std::max(1, static_cast<int>(std::lround(points * 2)));
  format.Bold = font.bold();
  format.Italic = font.italic();
  format.Underline = font.underline();
  const QVariant charset = chars.property(kRtfCharsetProperty);
  format.Charset = charset.isValid() ? charset.toInt() : kDefaultCharset;
  if (chars.hasProperty(QTextFormat::ForegroundBrush) &&
      chars.foreground().style() != Qt::NoBrush) {
    format.Color = static_cast<std::int32_t>(chars.foreground().color().rgb() & 0xFFFFFF);
  }
  return format;
}

}  // namespace

QTextCharFormat CharFormatOf(const TRtfFormat& format) {
  QTextCharFormat chars;
  if (!format.FontName.empty()) {
    chars.setFontFamilies(QStringList{QString::fromStdString(format.FontName)});
  }
  chars.setFontPointSize(format.HalfPoints / 2.0);
  chars.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
  chars.setFontItalic(format.Italic);
  chars.setFontUnderline(format.Underline);
  if (format.Color != TRtfFormat::kAutoColor) {
    chars.setForeground(QColor(static_cast<QRgb>(format.Color) | 0xFF000000u));
  }
  if (format.Charset >= 0) chars.setProperty(kRtfCharsetProperty, format.Charset);
  return chars;
}

void FillTextDocument(QTextDocument& document, const TRtfDocument& model) {
  document.setUndoRedoEnabled(false);
  document.clear();
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  // A note has few distinct formats and many runs: each format is made once.
  std::vector<std::pair<TRtfFormat, QTextCharFormat>> made;
  const auto formatOf = [&made](const TRtfFormat& format) -> const QTextCharFormat& {
    for (const auto& [key, chars] : made) {
      if (key == format) return chars;
    }
    made.emplace_back(format, CharFormatOf(format));
    return made.back().second;
  };
  bool first = true;
  for (const TRtfParagraph& paragraph : model.Paragraphs) {
    const QTextCharFormat start =
        paragraph.Runs.empty() ? QTextCharFormat() : formatOf(paragraph.Runs.front().Format);
    if (first) {
      cursor.setBlockCharFormat(start);
    } else {
      cursor.insertBlock(QTextBlockFormat(), start);
    }
    first = false;
    for (const TRtfRun& run : paragraph.Runs) {
      cursor.insertText(QString::fromStdU16String(run.Text), formatOf(run.Format));
    }
  }
  cursor.endEditBlock();
  document.setUndoRedoEnabled(true);
  document.setModified(false);
}

TRtfDocument ModelOfTextDocument(const QTextDocument& document) {
  TRtfDocument model;
  const QFont defaultFont = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    TRtfParagraph paragraph;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      std::u16string text = fragment.text().toStdU16String();
      std::erase(text, kObjectReplacement);  // pictures pasted in are not kept
      if (text.empty()) continue;
      paragraph.Runs.push_back(
          TRtfRun{std::move(text), FormatOf(fragment.charFormat(), defaultFont)});
    }
    model.Paragraphs.push_back(std::move(paragraph));
  }
  return model;
}

void LoadRtfDocument(QTextDocument& document, std::string_view rtf) {
  FillTextDocument(document, ReadRtf(rtf));
}

std::string SaveRtfDocument(const QTextDocument& document) {
  return WriteRtf(ModelOfTextDocument(document));
}

}  // namespace lectora
