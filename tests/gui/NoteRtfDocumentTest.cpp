// The notes editor's document and the RTF model: a plain-text note in
// Verdana 10 points with its lines as paragraphs, formats typed in the
// editor written and read back, and the LibreOffice samples through the
// document and our writer keeping text, Cyrillic, bold, italic and colours.
#include "tools/notes/RtfTextDocument.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "store/CodePage.h"
#include "store/rtf/RtfReader.h"
#include "store/rtf/RtfWriter.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

std::string SampleFile(const char* name) {
  return test::ReadFile(test::TestDataDir() + "rtf/" + name);
}

TEST(NoteRtfDocument, PlainTextNoteShowsInVerdanaTenPointsWithItsLinesAsParagraphs) {
  QTextDocument document;
  LoadRtfDocument(document, EnsureRtf("John 3:16\r\n\xc1\xee\xe3 \xe5 \xeb\xfe\xe1\xee\xe2"));
  ASSERT_EQ(document.blockCount(), 2);
  EXPECT_EQ(document.begin().text(), QStringLiteral("John 3:16"));
  EXPECT_EQ(document.begin().next().text(), QStringLiteral("Бог е любов"));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextCharFormat format = block.begin().fragment().charFormat();
    EXPECT_EQ(format.font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(format.fontPointSize(), 10.0);
  }
  EXPECT_FALSE(document.isModified());
  EXPECT_FALSE(document.isUndoAvailable());
}

TEST(NoteRtfDocument, FormatsTypedInTheEditorAreWrittenAndReadBack) {
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("Verdana"), 10));
  QTextCursor cursor(&document);
  cursor.insertText(QStringLiteral("plain "));
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(QStringLiteral("Словото"), bold);
  QTextCharFormat italicRed;
  italicRed.setFontItalic(true);
  italicRed.setForeground(QColor(0xCC, 0x11, 0x22));
  cursor.insertText(QStringLiteral(" red"), italicRed);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("second line"), QTextCharFormat());

  const TRtfDocument model = ReadRtf(SaveRtfDocument(document));
  ASSERT_EQ(model.Paragraphs.size(), 2u);
  const auto& runs = model.Paragraphs[0].Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(Utf16ToUtf8(runs[1].Text), "Словото");
  EXPECT_TRUE(runs[1].Format.Bold);
  EXPECT_FALSE(runs[0].Format.Bold);
  EXPECT_TRUE(runs[2].Format.Italic);
  EXPECT_EQ(runs[2].Format.Color, 0xCC1122);
  EXPECT_EQ(runs[0].Format.FontName, "Verdana");
  EXPECT_EQ(runs[0].Format.HalfPoints, 20);
  EXPECT_EQ(Utf16ToUtf8(model.Paragraphs[1].PlainText()), "second line");

  QTextDocument again;
  LoadRtfDocument(again, SaveRtfDocument(document));
  EXPECT_EQ(again.toPlainText(), document.toPlainText());
}

TEST(NoteRtfDocument, LibreOfficeSamplesKeepTheirTextAndFormatsThroughTheEditor) {
  for (const char* name : {"libreoffice-formatted.rtf", "libreoffice-plain.rtf"}) {
    SCOPED_TRACE(name);
    const TRtfDocument direct = ReadRtf(SampleFile(name));
    QTextDocument document;
    LoadRtfDocument(document, SampleFile(name));
    const TRtfDocument through = ReadRtf(SaveRtfDocument(document));
    ASSERT_EQ(through.Paragraphs.size(), direct.Paragraphs.size());
    for (std::size_t p = 0; p < direct.Paragraphs.size(); ++p) {
      const auto& a = through.Paragraphs[p].Runs;
      const auto& e = direct.Paragraphs[p].Runs;
      ASSERT_EQ(a.size(), e.size()) << "paragraph " << p;
      for (std::size_t r = 0; r < e.size(); ++r) {
        EXPECT_EQ(Utf16ToUtf8(a[r].Text), Utf16ToUtf8(e[r].Text));
        EXPECT_EQ(a[r].Format.Bold, e[r].Format.Bold);
        EXPECT_EQ(a[r].Format.Italic, e[r].Format.Italic);
        EXPECT_EQ(a[r].Format.Underline, e[r].Format.Underline);
        EXPECT_EQ(a[r].Format.Color, e[r].Format.Color);
        EXPECT_EQ(a[r].Format.HalfPoints, e[r].Format.HalfPoints);
        EXPECT_EQ(a[r].Format.FontName, e[r].Format.FontName);
      }
    }
  }
}

}  // namespace
}  // namespace lectora
