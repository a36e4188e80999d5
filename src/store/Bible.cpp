#include "store/Bible.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "store/CodePage.h"
#include "store/DriveDialog.h"
#include "store/LectoraError.h"
#include "store/NumberReader.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/TextRoutines.h"
#include "store/TranslationTable.h"

namespace lectora {

namespace {

constexpr const char* kTitlesFile = "BibleTitles.txt";

bool FileExists(const std::string& fileName) {
  std::error_code error;
  return std::filesystem::is_regular_file(fileName, error);
}

// root + "/" + folder + "/", without doubling a separator the root ends in.
std::string ModuleUnderRoot(const std::string& root, const std::string& folder) {
  std::string path = root;
  if (path.empty() || path.back() != '/') path += '/';
  return path + folder + "/";
}

// The last record of `records` that starts at or before (chapter, verse) in
// that chapter, or null.
const TDiffRecord* LastMatch(const std::vector<TDiffRecord>& records, int chapter, int verse) {
  const TDiffRecord* match = nullptr;
  for (const TDiffRecord& record : records) {
    if (record.Chapter == chapter && record.Verse <= verse) match = &record;
  }
  return match;
}

}  // namespace

int TBible::LanguageOf(int translationNumber) {
  return TranslationInfo(translationNumber).Language;
}

TBible::TBible(int translationNumber, TStoreContext& context)
    : TranslationNumber(static_cast<std::uint16_t>(translationNumber)),
      Language(LanguageOf(translationNumber)),
      context_(context) {
  FindModule();
  if (Path.empty()) return;

  std::string text;
  const std::string titlesFile = Path + kTitlesFile;
  if (!ReadTextFile(titlesFile, text)) {
    Path.clear();
    return;
  }
  ReadTitles(text, titlesFile);

  const std::string diffFile = Path + "_Diff_.txt";
  if (FileExists(diffFile)) {
    if (!ReadTextFile(diffFile, text)) throw LectoraError(diffFile, 0, "cannot be read");
    ReadDiff(text, diffFile);
  }

  const std::string structureFile = Path + "BibleStructure.csv";
  if (!ReadTextFile(structureFile, text)) {
    throw LectoraError(structureFile, 0, "cannot be read");
  }
  ReadStructure(text, structureFile);

  ReadSettings();
  Words = std::make_unique<TRFileStream>(Path + "WordPoint.bin", OpenMode::Read,
                                         Path + "WordList.txt", context_.Messages);
  NoLinks = !FileExists(Path + "LinksP.bin");
}

TBible::~TBible() {
  try {
    SaveSettings();
  } catch (...) {
    // A destructor must not throw; the settings file reports its own write
    // failures when it is flushed.
  }
}

void TBible::FindModule() {
  const std::string folder = TranslationFolderName(TranslationNumber);
  DefaultPath = context_.Settings->SetupFolder() + folder + "/";
  if (FileExists(DefaultPath + kTitlesFile)) {
    Path = DefaultPath;
    return;
  }
  TUserRegistry& registry = context_.Settings->Registry();
  std::string remembered;
  registry.ReadRegValue("SetupPath", remembered);
  std::string root = remembered;
  if (root.empty() || !FileExists(ModuleUnderRoot(root, folder) + kTitlesFile)) {
    std::optional<std::string> chosen;
    if (context_.DriveDialog != nullptr) chosen = context_.DriveDialog->ChooseRoot(remembered);
    if (chosen) root = *chosen;
  }
  if (root.empty()) return;
  const std::string path = ModuleUnderRoot(root, folder);
  if (!FileExists(path + kTitlesFile)) return;
  Path = path;
  if (root == remembered) return;
  try {
    registry.WriteRegValue("SetupPath", root);
  } catch (const LectoraError&) {
    // Only a convenience for the next start is lost; the module is usable.
  }
}

void TBible::ReadTitles(const std::string& text, const std::string& fileName) {
  const std::vector<std::string_view> lines = SplitLines(text);
  TNumberReader first(lines.empty() ? std::string_view() : lines[0], fileName);
  const int count = first.Next(0, kBookNumbers, "book count");
  std::array<std::uint16_t, 88> order{};
  std::array<std::uint16_t, 88> position{};
  for (int p = 1; p <= count; ++p) {
    const int book = first.Next(1, kBookNumbers, "book number");
    if (position[book] != 0) {
      throw LectoraError(fileName, 1, "book number " + std::to_string(book) + " appears twice");
    }
    order[p] = static_cast<std::uint16_t>(book);
    position[book] = static_cast<std::uint16_t>(p);
  }
  if (!first.AtEnd()) throw LectoraError(fileName, 1, "more book numbers than the book count");
  const std::size_t needed = 1 + 3 * static_cast<std::size_t>(count);
  if (lines.size() < needed) {
    throw LectoraError(fileName, static_cast<int>(lines.size()) + 1,
                       "the file ends early: " + std::to_string(needed) + " lines are needed");
  }
  for (int p = 1; p <= count; ++p) {
    TBook& book = Books[order[p]];
    book.Title = lines[p];
    book.Name = lines[count + p];
    book.AltName = lines[2 * count + p];
    book.MatchName = book.Name;
    NormalizeName(book.MatchName);
  }
  BookCount = static_cast<std::uint16_t>(count);
  BookOrder = order;
  BookPosition = position;
}

void TBible::ReadDiff(const std::string& text, const std::string& fileName) {
  for (auto& records : DiffToStandard) records.clear();
  for (auto& records : DiffFromStandard) records.clear();
  int lineNumber = 0;
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    TNumberReader reader(line, fileName, lineNumber);
    if (reader.AtEnd()) continue;
    const int book = reader.Next(1, kStandardBooks, "book number");
    const int chapter = reader.Next(0, 255, "chapter");
    const int verse = reader.Next(0, 255, "verse");
    const int deltaChapter = reader.Next(-128, 127, "chapter difference");
    const int deltaVerse = reader.Next(-128, 127, "verse difference");
    if (!reader.AtEnd()) throw LectoraError(fileName, lineNumber, "more than five numbers");
    const int standardChapter = chapter + deltaChapter;
    const int standardVerse = verse + deltaVerse;
    if (standardChapter < 0 || standardChapter > 255 || standardVerse < 0 || standardVerse > 255) {
      throw LectoraError(fileName, lineNumber, "the standard chapter or verse lies outside 0..255");
    }
    const auto dc = static_cast<std::int8_t>(deltaChapter);
    const auto dv = static_cast<std::int8_t>(deltaVerse);
    DiffToStandard[book].push_back(
        {static_cast<std::uint8_t>(chapter), static_cast<std::uint8_t>(verse), dc, dv});
    DiffFromStandard[book].push_back({static_cast<std::uint8_t>(standardChapter),
                                      static_cast<std::uint8_t>(standardVerse), dc, dv});
  }
}

void TBible::ReadStructure(const std::string& text, const std::string& fileName) {
  TNumberReader reader(text, fileName);
  int total = 0;
  for (int p = 1; p <= BookCount; ++p) {
    TBook& book = Books[BookOrder[p]];
    const int chapters = reader.Next(0, 255, "chapter count");
    book.VerseCounts.clear();
    for (int c = 0; c < chapters; ++c) {
      const int verses = reader.Next(0, 255, "verse count");
      book.VerseCounts.push_back(static_cast<std::uint8_t>(verses));
      total += verses;
    }
    // Verse numbers are 16-bit everywhere (lists, concordance, links).
    if (total > 0xFFFF) {
      throw LectoraError(fileName, reader.Line(), "the module holds more than 65535 verses");
    }
    book.LastVerse = static_cast<std::uint16_t>(total);
  }
  if (!reader.AtEnd()) {
    throw LectoraError(fileName, reader.Line(), "more numbers than the module's books need");
  }
  VerseTotal = static_cast<std::uint16_t>(total);
}

std::string TBible::SectionName(const char* suffix) const {
  return std::string(TranslationInfo(TranslationNumber).Folder) + suffix;
}

void TBible::ReadSettings() {
  const TMyIniFile& ini = context_.Settings->Ini();
  Bookmarks = ini.ReadSection(SectionName("BookMarks"));
  ini.ReadFont(SectionName("Font"), Font);
  Font.CharSet = Language.Charset();
}

void TBible::SaveSettings() const {
  if (!Loaded()) return;
  TMyIniFile& ini = context_.Settings->Ini();
  ini.WriteFont(SectionName("Font"), Font);
  ini.WriteSection(SectionName("BookMarks"), Bookmarks);
}

const TBook* TBible::BookAt(int bookPosition) const {
  if (bookPosition < 1 || bookPosition > BookCount) return nullptr;
  return &Books[BookOrder[bookPosition]];
}

std::uint16_t TBible::VerseNumber(int bookPosition, int chapter, int verse) const {
  const TBook* book = BookAt(bookPosition);
  if (book == nullptr) return 0;
  long long number = bookPosition > 1 ? BookAt(bookPosition - 1)->LastVerse : 0;
  const int whole =
      std::min<long long>(chapter - 1, static_cast<long long>(book->VerseCounts.size()));
  for (int c = 0; c < whole; ++c) number += book->VerseCounts[c];
  number += verse;
  // Out-of-range input gives a number no verse has, never a wrapped one.
  return static_cast<std::uint16_t>(std::clamp<long long>(number, 0, 0xFFFF));
}

void TBible::VerseToRef(int number, int& bookPosition, int& chapter, int& verse) const {
  bookPosition = 1;
  while (bookPosition < BookCount && BookAt(bookPosition)->LastVerse < number) ++bookPosition;
  chapter = 1;
  verse = number;
  const TBook* book = BookAt(bookPosition);
  if (book == nullptr) {
    bookPosition = 0;
    return;
  }
  int rest = number - (bookPosition > 1 ? BookAt(bookPosition - 1)->LastVerse : 0);
  const std::vector<std::uint8_t>& counts = book->VerseCounts;
  while (static_cast<std::size_t>(chapter) < counts.size() && rest > counts[chapter - 1]) {
    rest -= counts[chapter - 1];
    ++chapter;
  }
  verse = rest;
}

std::int32_t TBible::ToStandard(int bookNumber, int chapter, int verse) const {
  if (bookNumber >= 1 && bookNumber <= kStandardBooks) {
    if (const TDiffRecord* match = LastMatch(DiffToStandard[bookNumber], chapter, verse)) {
      chapter += match->DeltaChapter;
      verse += match->DeltaVerse;
    }
  }
  return context_.Standard->StandardNumber(bookNumber, chapter, verse);
}

void TBible::StandardToOwnRef(int& bookNumber, int& chapter, int& verse) const {
  if (bookNumber < 1 || bookNumber > kStandardBooks) return;
  if (const TDiffRecord* match = LastMatch(DiffFromStandard[bookNumber], chapter, verse)) {
    chapter -= match->DeltaChapter;
    verse -= match->DeltaVerse;
  }
}

std::uint16_t TBible::FromStandard(std::int32_t standardNumber) const {
  int book = 0;
  int chapter = 0;
  int verse = 0;
  context_.Standard->StandardToRef(standardNumber, book, chapter, verse);
  StandardToOwnRef(book, chapter, verse);
  if (book < 1 || book > kBookNumbers || BookPosition[book] == 0) return 0;
  return VerseNumber(BookPosition[book], chapter, verse);
}

bool TBible::HasStrongNumbers() const { return TranslationInfo(TranslationNumber).Strong; }

void TBible::ChapterWord(int bookNumber, std::string& text) const {
  const TTranslationInfo& info = TranslationInfo(TranslationNumber);
  text = Utf8ToCodePageLossy(bookNumber == 22 ? info.PsalmWord : info.ChapterWord,
                             Language.CodePage());
}

}  // namespace lectora
