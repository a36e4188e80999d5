#include "modules/SwordBibleImporter.h"

#include <cctype>
#include <filesystem>

#include "modules/ImpReader.h"
#include "modules/ScratchFolder.h"
#include "modules/SwordBookNames.h"
#include "store/AtomicFile.h"
#include "store/Language.h"
#include "store/LectoraError.h"
#include "store/NumberReader.h"
#include "store/TranslationTable.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxWarnings = 20;
constexpr int kMaxVerse = 255;

// A number of at most four digits, or -1.
int SmallNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 4) return -1;
  int value = 0;
  for (const char c : digits) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

struct TKey {
  bool Heading = false;  // "[ Module Heading ]" and the like
  std::string Book;
  int Chapter = -1;
  int Verse = -1;
};

// "Book C:V", the OSIS form "Book.C.V", or a bracketed heading; false for
// anything else.
bool ParseKey(std::string_view key, TKey& out) {
  if (key.size() >= 2 && key.front() == '[' && key.back() == ']') {
    out.Heading = true;
    return true;
  }
  const std::size_t blank = key.find_last_of(' ');
  if (blank != std::string_view::npos) {
    const std::string_view place = key.substr(blank + 1);
    const std::size_t colon = place.find(':');
    if (colon != std::string_view::npos) {
      out.Book = std::string(key.substr(0, blank));
      out.Chapter = SmallNumber(place.substr(0, colon));
      out.Verse = SmallNumber(place.substr(colon + 1));
      return out.Chapter >= 0 && out.Verse >= 0;
    }
  }
  const std::size_t lastDot = key.rfind('.');
  if (lastDot == std::string_view::npos || lastDot == 0) return false;
  const std::size_t firstDot = key.rfind('.', lastDot - 1);
  if (firstDot == std::string_view::npos) return false;
  out.Book = std::string(key.substr(0, firstDot));
  out.Chapter = SmallNumber(key.substr(firstDot + 1, lastDot - firstDot - 1));
  out.Verse = SmallNumber(key.substr(lastDot + 1));
  return out.Chapter >= 0 && out.Verse >= 0;
}

// The long title a book introduction names in its table-of-contents
// milestone (<milestone type="x-usfm-toc1" n="..."/>), or "".
std::string IntroductionTitle(const std::string& markup) {
  const std::size_t type = markup.find("type=\"x-usfm-toc1\"");
  if (type == std::string::npos) return "";
  const std::size_t open = markup.rfind('<', type);
  const std::size_t close = markup.find('>', type);
  if (open == std::string::npos || close == std::string::npos ||
      markup.compare(open, 10, "<milestone") != 0) {
    return "";
  }
  const std::string tag = markup.substr(open, close - open);
  const std::size_t name = tag.find(" n=\"");
  if (name == std::string::npos) return "";
  const std::size_t valueEnd = tag.find('"', name + 4);
  if (valueEnd == std::string::npos) return "";
  return tag.substr(name + 4, valueEnd - name - 4);
}

struct TBookState {
  const TSwordBook* Book = nullptr;  // null for a book the table does not know (so far empty)
  std::string SwordName;             // the name in the keys
  std::size_t VersesStart = 0;       // where its lines start in the verses
  int VerseCount = 0;
  bool HasText = false;
  std::string Title;
  int Chapter = 0;         // the chapter being read, 0 before the first
  int Verse = 0;           // the last verse taken in it, 0 before the first
  std::string PsalmTitle;  // from the chapter's verse-0 entry, for its first verse
};

class TBibleConversion {
 public:
  TBibleConversion(const std::string& impFile, int codePage, const TSwordConversionOptions& options)
      : reader_(impFile), converter_(TMarkupTarget::Bible, codePage), names_(options.Names) {
    converter_.SetStrongNumbers(options.StrongNumbers);
  }

  void Run() {
    TImpEntry entry;
    while (reader_.Next(entry)) Take(entry);
    if (current_ != nullptr) FinishBook(reader_.Line());
    if (books_.empty()) throw LectoraError(reader_.FileName(), reader_.Line(), "holds no verse");
    report_.BookCount = static_cast<int>(books_.size());
    report_.Counts = converter_.Counts();
  }

  void Write(const std::string& sourceDir) {
    std::string books;
    for (const TBookState& book : books_) {
      const auto named = names_.find(book.Book->Number);
      const std::string name =
          named != names_.end() ? named->second.Name : std::string(book.Book->Name);
      const std::string shortName =
          named != names_.end() ? named->second.Short : std::string(book.Book->Short);
      books += std::to_string(book.Book->Number) + '\t' + book.Title + '\t' +
               converter_.FitPlain(name) + '\t' + converter_.FitPlain(shortName) + '\n';
    }
    std::error_code error;
    fs::create_directories(sourceDir, error);
    const std::string folder =
        sourceDir.empty() || sourceDir.back() == '/' ? sourceDir : sourceDir + "/";
    WriteFileAtomically(folder + "books.tsv", books);
    WriteFileAtomically(folder + "verses.tsv", verses_);
    report_.Counts = converter_.Counts();
  }

  TSwordImportReport& Report() { return report_; }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw LectoraError(reader_.FileName(), line, message);
  }

  void Take(const TImpEntry& entry) {
    TKey key;
    if (!ParseKey(entry.Key, key)) {
      Fail(entry.Line, "\"" + entry.Key + "\" is not a reference of the form \"Book C:V\"");
    }
    if (key.Heading) {
      ++report_.SkippedEntries;
      return;
    }
    const TSwordBook* book =
        lastBook_ != nullptr && key.Book == lastBookName_ ? lastBook_ : FindSwordBook(key.Book);
    lastBook_ = book;
    lastBookName_ = key.Book;
    if (current_ == nullptr || current_->SwordName != key.Book)
      StartBook(book, key.Book, entry.Line);
    TBookState& state = *current_;

    if (key.Chapter == 0) {  // the book's introduction
      if (key.Verse == 0 && state.Title.empty()) {
        state.Title = converter_.FitPlain(Collapsed(IntroductionTitle(entry.Text)));
      }
      ++report_.SkippedEntries;
      return;
    }
    if (key.Chapter != state.Chapter) StartChapter(state, key.Chapter, entry);
    if (key.Verse == 0) {  // the chapter's heading: only a psalm title is kept
      const TConvertedEntry heading = converter_.Convert(entry.Text);
      NoteMalformed(heading, entry);
      if (!heading.Title.empty()) {
        if (!state.PsalmTitle.empty()) state.PsalmTitle += ' ';
        state.PsalmTitle += heading.Title;
      }
      ++report_.SkippedEntries;
      return;
    }
    if (key.Verse > kMaxVerse) {
      Fail(entry.Line,
           "verse " + std::to_string(key.Verse) + " is over " + std::to_string(kMaxVerse));
    }
    if (key.Verse <= state.Verse) {
      Fail(entry.Line, "verse " + std::to_string(key.Chapter) + ":" + std::to_string(key.Verse) +
                           " comes after verse " + std::to_string(state.Chapter) + ":" +
                           std::to_string(state.Verse));
    }
    const TConvertedEntry verse = converter_.Convert(entry.Text);
    NoteMalformed(verse, entry);
    std::string title = std::move(state.PsalmTitle);
    state.PsalmTitle.clear();
    if (!verse.Title.empty()) title += (title.empty() ? "" : " ") + verse.Title;
    const std::string text = verse.VerseText(title);
    if (!text.empty() && !state.HasText) {
      if (book == nullptr) Fail(entry.Line, "unknown book \"" + key.Book + "\"");
      if (!names_.empty() && names_.count(book->Number) == 0) {
        Fail(entry.Line, "the book names lack book " + std::to_string(book->Number) + " (\"" +
                             std::string(book->Sword) + "\")");
      }
      state.HasText = true;
    }
    verses_ += std::to_string(book != nullptr ? book->Number : 0) + '\t' +
               std::to_string(key.Chapter) + '\t' + std::to_string(key.Verse) + '\t' + text + '\n';
    state.Verse = key.Verse;
    ++state.VerseCount;
  }

  void StartBook(const TSwordBook* book, const std::string& swordName, int line) {
    if (current_ != nullptr) FinishBook(line);
    for (const TBookState& seen : books_) {
      if (seen.SwordName == swordName || (book != nullptr && seen.Book == book)) {
        Fail(line, "book \"" + swordName + "\" appears again after another book");
      }
    }
    books_.push_back({});
    current_ = &books_.back();
    current_->Book = book;
    current_->SwordName = swordName;
    current_->VersesStart = verses_.size();
  }

  // Checks that the book just read ended on a chapter with verses and gives
  // it its title.
  // Leaves a book without text out.
  void FinishBook(int line) {
    TBookState& state = *current_;
    current_ = nullptr;
    if (!state.HasText) {
      verses_.resize(state.VersesStart);
      books_.pop_back();
      ++report_.EmptyBooks;
      return;
    }
    if (state.Chapter == 0) Fail(line, "book \"" + state.SwordName + "\" has no verse");
    if (state.Verse == 0) {
      Fail(line, "chapter " + std::to_string(state.Chapter) + " of \"" + state.SwordName +
                     "\" has no verse");
    }
    report_.VerseCount += state.VerseCount;
    const auto named = names_.find(state.Book->Number);
    if (named != names_.end() && !named->second.Title.empty()) {
      state.Title = converter_.FitPlain(named->second.Title);
    }
    if (state.Title.empty()) state.Title = converter_.FitPlain(state.Book->Name);
  }

  void StartChapter(TBookState& state, int chapter, const TImpEntry& entry) {
    if (chapter != state.Chapter + 1) {
      Fail(entry.Line, "chapter " + std::to_string(chapter) + " follows chapter " +
                           std::to_string(state.Chapter) + ": chapters must run 1, 2, 3 ...");
    }
    if (state.Chapter > 0 && state.Verse == 0) {
      Fail(entry.Line, "chapter " + std::to_string(state.Chapter) + " has no verse");
    }
    state.Chapter = chapter;
    state.Verse = 0;
    state.PsalmTitle.clear();
  }

  void NoteMalformed(const TConvertedEntry& converted, const TImpEntry& entry) {
    if (converted.Malformed == 0) return;
    ++report_.MalformedEntries;
    if (report_.Warnings.size() < kMaxWarnings) {
      report_.Warnings.push_back(reader_.FileName() + ":" + std::to_string(entry.Line) + ": \"" +
                                 entry.Key + "\": malformed markup, the text is kept");
    }
  }

  static std::string Collapsed(const std::string& text) {
    std::string out;
    for (const char c : text) {
      const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
      if (blank) {
        if (!out.empty() && out.back() != ' ') out += ' ';
      } else {
        out += c;
      }
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
  }

  TImpReader reader_;
  TOsisConverter converter_;
  std::map<int, TBookNames> names_;
  TSwordImportReport report_;
  std::vector<TBookState> books_;
  TBookState* current_ = nullptr;
  std::string verses_;
  const TSwordBook* lastBook_ = nullptr;
  std::string lastBookName_;
};

}  // namespace

std::map<int, TBookNames> ReadBookNames(const std::string& fileName) {
  std::string text;
  if (!ReadTextFile(fileName, text)) throw LectoraError(fileName, 0, "cannot be read");
  std::map<int, TBookNames> names;
  int lineNumber = 0;
  for (std::string_view line : SplitLines(text)) {
    ++lineNumber;
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.emplace_back(line.substr(start, tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    const int number = SmallNumber(fields[0]);
    if (fields.size() != 4 || number < 1 || number > 78) {
      throw LectoraError(fileName, lineNumber,
                         "expected \"number<TAB>title<TAB>name<TAB>short name\" with a book "
                         "number 1..78");
    }
    if (!IsValidUtf8(line)) throw LectoraError(fileName, lineNumber, "is not UTF-8");
    for (std::size_t i = 1; i < 4; ++i) {
      if (fields[i].empty()) throw LectoraError(fileName, lineNumber, "an empty name");
    }
    if (!names.emplace(number, TBookNames{fields[1], fields[2], fields[3]}).second) {
      throw LectoraError(fileName, lineNumber, "book " + fields[0] + " is named twice");
    }
  }
  return names;
}

TSwordImportReport ConvertSwordBible(const std::string& impFile, const std::string& sourceDir,
                                     int codePage, const TSwordConversionOptions& options) {
  TBibleConversion conversion(impFile, codePage, options);
  conversion.Run();
  conversion.Write(sourceDir);
  return conversion.Report();
}

namespace {

// Copies `from` to `to` unless `from` is empty; throws naming `from` when it
// cannot be read.
void CopyExtra(const std::string& from, const std::string& to) {
  if (from.empty()) return;
  std::error_code error;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
  if (error) throw LectoraError(from, 0, "cannot be copied: " + error.message());
}

}  // namespace

TSwordImportReport ImportSwordBible(const std::string& impFile, const std::string& moduleDir,
                                    int translationNumber, const TSwordImportExtras& extras) {
  if (translationNumber < 0 || translationNumber >= kTranslationCount) {
    throw LectoraError("", 0,
                       "translation number " + std::to_string(translationNumber) + " is not 0.." +
                           std::to_string(kTranslationCount - 1));
  }
  const TTranslationInfo& info = TranslationInfo(translationNumber);
  const int codePage = TLanguage(info.Language).CodePage();
  TScratchFolder scratch("lectora-import-");
  TSwordConversionOptions options;
  options.StrongNumbers = info.Strong;
  if (!extras.NamesFile.empty()) options.Names = ReadBookNames(extras.NamesFile);
  TSwordImportReport report = ConvertSwordBible(impFile, scratch.Path(), codePage, options);
  CopyExtra(extras.DiffFile, scratch.Path() + "_Diff_.txt");
  CopyExtra(extras.LinksFile, scratch.Path() + "links.tsv");
  report.Module = TModuleCompiler::Compile(scratch.Path(), moduleDir, info.Language, info.Strong);
  return report;
}

}  // namespace lectora
