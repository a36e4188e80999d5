// Verse text of a module: "CompactText.bin" (records) over its index
// "CompactPoint.bin", record n-1 holding verse number n.
#include "store/Bible.h"

namespace lectora {

void TBible::ReadVerse(int number, std::string& text) const {
  text.clear();
  if (!Loaded() || number < 1 || number > VerseTotal) return;
  if (!text_) {
    // Kept open: a chapter is read verse by verse, and reopening both files
    // for every verse would dominate the cost.
    auto stream = std::make_unique<TRFileStream>(Path + "CompactPoint.bin", OpenMode::Read,
                                                 Path + "CompactText.bin", context_.Messages);
    if (stream->Failed()) return;
    text_ = std::move(stream);
  }
  text_->ReadString(number - 1, text);
}

void TBible::GetVerse(int bookPosition, int chapter, int verse, std::string& text) const {
  ReadVerse(VerseNumber(bookPosition, chapter, verse), text);
}

void TBible::ReferenceText(int number, bool useAltName, std::string& text) const {
  text.clear();
  if (number < 1 || number > VerseTotal) return;
  int position = 0;
  int chapter = 0;
  int verse = 0;
  VerseToRef(number, position, chapter, verse);
  const TBook* book = BookAt(position);
  if (book == nullptr) return;
  text = useAltName ? book->AltName : book->Name;
  text += ' ';
  text += std::to_string(chapter);
  text += ':';
  text += std::to_string(verse);
}

}  // namespace lectora
