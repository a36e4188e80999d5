// The notes editor's document as Rich Text: the thin layer between
// QTextDocument and the RTF model of the core (store/rtf). Fonts, sizes,
// bold, italic, underline and colours pass both ways; a font's \fcharset
// rides along as a property of the character format, so text read in a
// Greek or Western font is written back in it.
#pragma once

#include <QTextCharFormat>
#include <string>
#include <string_view>

#include "store/rtf/RtfDocument.h"

class QTextDocument;

namespace lectora {

// The character format property that keeps a run's RTF \fcharset.
inline constexpr int kRtfCharsetProperty = QTextFormat::UserProperty + 1;

// Replaces the content of `document` with the model's paragraphs and runs.
// The undo history is cleared: a loaded note starts unmodified.
void FillTextDocument(QTextDocument& document, const TRtfDocument& model);
// The paragraphs and runs of `document`; a format's unset font, size or
// charset takes the document's default font and charset 204.
TRtfDocument ModelOfTextDocument(const QTextDocument& document);

// Reads `rtf` into `document` (ReadRtf, then FillTextDocument).
void LoadRtfDocument(QTextDocument& document, std::string_view rtf);
// `document` as RTF (ModelOfTextDocument, then WriteRtf).
std::string SaveRtfDocument(const QTextDocument& document);

// The Qt character format of a model run's format.
QTextCharFormat CharFormatOf(const TRtfFormat& format);

}  // namespace lectora
