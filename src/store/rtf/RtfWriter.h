// Rich Text for the notes: the writer of the model (RtfDocument.h) and the
// header that turns an old plain-text note into Rich Text. The output is
// plain RTF 1 that WordPad, LibreOffice and our reader (RtfReader.h) read
// back to the same text and formatting: a font table that starts as every
// note's header does, a colour table, and per run only the properties that
// change. Text outside ASCII is \'hh in the code page of the run's
// \fcharset when that code page has the character, \uN? otherwise.
#pragma once

#include <string>
#include <string_view>

#include "store/rtf/RtfDocument.h"

namespace lectora {

// The font table's first entries and the start of every note written.
inline constexpr std::string_view kNoteRtfHeader =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil MS Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss\\fcharset204 Verdana;}}";

// `document` as RTF. A run without a font name is written in Verdana
// (\f2), one without a charset with \fcharset204. Each paragraph ends in
// \par, so an empty last paragraph survives a round trip.
std::string WriteRtf(const TRtfDocument& document);

// `text` (8-bit, Windows-1251) unchanged when it starts with "{\rtf";
// otherwise the note header in Verdana 10 points and the text, each line
// break (CR LF, CR or LF) a paragraph.
std::string EnsureRtf(const std::string& text);

// `text` (8-bit) for an RTF body: "\", "{" and "}" escaped, CR LF, CR and
// LF as "\par ", bytes from 128 up as \'hh.
std::string RtfEscapePlain(std::string_view text);

}  // namespace lectora
