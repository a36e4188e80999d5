#include "tools/search/SearchListCopy.h"

#include "display/BibleRichEdit1.h"
#include "store/Bible.h"
#include "store/VerseList.h"

namespace lectora {

namespace {

constexpr int kInterfaceCharset = 204;

}  // namespace

TSearchListCopy::TSearchListCopy(TDisplayContext& display)
    : richEdit1_(std::make_unique<TBibleRichEdit1>(display)) {
  richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
  richEdit1_->resize(600, 400);
}

TSearchListCopy::~TSearchListCopy() = default;

std::string TSearchListCopy::ListText(const TBible& bible, const TVerseList& list, bool altName) {
  std::string text;
  int lastPosition = 0;
  int lastChapter = 0;
  for (const std::uint16_t number : list.Items) {
    int position = 0, chapter = 0, verse = 0;
    bible.VerseToRef(number, position, chapter, verse);
    if (position < 1 || position > bible.BookCount) continue;
    if (position != lastPosition) {
      const TBook& book = bible.Books[bible.BookOrder[static_cast<std::size_t>(position)]];
      text += lastPosition == 0 ? " " : "; ";
      text += altName ? book.AltName : book.Name;
      text += ' ' + std::to_string(chapter) + ':';
    } else if (chapter != lastChapter) {
      text += ", " + std::to_string(chapter) + ':';
    } else {
      text += ',';
    }
    text += std::to_string(verse);
    lastPosition = position;
    lastChapter = chapter;
  }
  return text;
}

std::string TSearchListCopy::TitleOf(const std::string& label) {
  const std::size_t bar = label.find('|');
  if (bar == std::string::npos || bar < 1) return {};
  return label.substr(0, bar - 1);
}

void TSearchListCopy::Header(const TSource& source) {
  TBibleRichEdit1& edit = *richEdit1_;
  edit.Clear(true);
  edit.CanvasFont() = edit.Font();
  edit.CanvasFont().Charset = source.Bible.Language.Charset();
  edit.AddText('"' + TitleOf(source.Label) + '"');
  edit.CanvasFont().Charset = kInterfaceCharset;
  edit.AddText(' ' + source.AppearIn + ' ');
}

bool TSearchListCopy::Finish() {
  richEdit1_->Layout();
  richEdit1_->SelectAll();
  return richEdit1_->CopyToClipboard();
}

bool TSearchListCopy::CopyList(const TSource& source) {
  Header(source);
  richEdit1_->CanvasFont().Charset = source.Bible.Language.Charset();
  richEdit1_->AddText(ListText(source.Bible, source.List, source.AltName));
  return Finish();
}

bool TSearchListCopy::CopyVerses(const TSource& source, const std::vector<int>* rows) {
  Header(source);
  const int headCharset = source.Bible.Language.Charset();
  const auto add = [&](std::size_t row) {
    if (row >= source.List.Count() || row >= source.Lines.size()) return;
    int position = 0, chapter = 0, verse = 0;
    source.Bible.VerseToRef(source.List.Items[row], position, chapter, verse);
    std::string body;
    source.Bible.GetVerse(position, chapter, verse, body);
    richEdit1_->AddPairCharset("\r\n" + source.Lines[row] + ' ', body, source.BodyCharset,
                               headCharset);
  };
  if (rows == nullptr) {
    for (std::size_t row = 0; row < source.List.Count(); ++row) add(row);
  } else {
    for (const int row : *rows) {
      if (row >= 0) add(static_cast<std::size_t>(row));
    }
  }
  return Finish();
}

bool TSearchListCopy::CopyText(const std::string& text, int charset) {
  TBibleRichEdit1& edit = *richEdit1_;
  edit.Clear(true);
  edit.CanvasFont() = edit.Font();
  edit.CanvasFont().Charset = charset;
  edit.AddText(text);
  return Finish();
}

}  // namespace lectora
