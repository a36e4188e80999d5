// The record files are written through TRFileStream, so they are exactly what
// the reader expects; the ".ind" is written by hand (a 32-byte letter set and
// little-endian offsets) because no stream class covers it.
#include "modules/DictionaryCompiler.h"

#include <bitset>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string_view>
#include <vector>

#include "search/DicList.h"
#include "search/IStream.h"
#include "store/AtomicFile.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "store/LIFileStream.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

constexpr int kCodePage = 1251;
constexpr std::size_t kMaxRecord = std::numeric_limits<std::uint16_t>::max();
// Record numbers are u16 and record 0 is the title.
constexpr std::size_t kMaxExplanations = kMaxRecord;
// An explanation list is one record: a u16 count and u16 numbers.
constexpr std::size_t kMaxPerHeadword = (kMaxRecord - 2) / 2;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct TExplanation {
  int Line = 0;
  std::string Headword;  // Windows-1251, as written on this line
  std::string Text;      // Windows-1251, the stored record
};

// The record numbers of one headword's explanations, in file order.
struct THeadword {
  std::vector<std::uint16_t> Records;
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// `field` (UTF-8, starting at byte `column` of line `line`) in Windows-1251.
std::string To1251(std::string_view field, const std::string& sourceFile, int line,
                   std::size_t column, const char* what) {
  std::string out;
  std::size_t bad = 0;
  if (!Utf8ToCodePage(field, kCodePage, out, &bad)) {
    throw LectoraError(sourceFile, line,
                       std::string("the ") + what + " holds malformed UTF-8 or a character that " +
                           "Windows-1251 lacks, at byte " + std::to_string(column + bad + 1));
  }
  return out;
}

TExplanation ParseLine(std::string_view line, const std::string& sourceFile, int lineNumber) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    throw LectoraError(sourceFile, lineNumber, "expected a headword, a tab and the explanation");
  }
  const std::string_view headwordField = TrimBlanks(line.substr(0, tab));
  const std::string_view textField = TrimBlanks(line.substr(tab + 1));
  const std::size_t headwordColumn = static_cast<std::size_t>(headwordField.data() - line.data());
  const std::size_t textColumn = static_cast<std::size_t>(textField.data() - line.data());

  TExplanation explanation;
  explanation.Line = lineNumber;
  explanation.Headword = To1251(headwordField, sourceFile, lineNumber, headwordColumn, "headword");
  explanation.Text = To1251(textField, sourceFile, lineNumber, textColumn, "explanation");
  if (explanation.Headword.empty()) throw LectoraError(sourceFile, lineNumber, "empty headword");
  if (explanation.Headword.size() > TIStream::kMaxWordLength) {
    throw LectoraError(
        sourceFile, lineNumber,
        "the headword is longer than " + std::to_string(TIStream::kMaxWordLength) + " characters");
  }
  for (const char c : explanation.Headword) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      throw LectoraError(sourceFile, lineNumber, "the headword holds a control character");
    }
  }
  if (explanation.Text.empty()) throw LectoraError(sourceFile, lineNumber, "empty explanation");
  return explanation;
}

std::vector<TExplanation> ParseSource(const std::string& sourceFile) {
  std::string content;
  if (!ReadWholeFile(sourceFile, content)) throw LectoraError(sourceFile, 0, "cannot be read");
  std::string_view text(content);
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::vector<TExplanation> explanations;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    explanations.push_back(ParseLine(line, sourceFile, lineNumber));
    if (explanations.size() > kMaxExplanations) {
      throw LectoraError(sourceFile, lineNumber,
                         "more than " + std::to_string(kMaxExplanations) + " explanations");
    }
  }
  if (explanations.empty()) throw LectoraError(sourceFile, 0, "holds no explanation");
  return explanations;
}

TCharSet LetterSet(const std::vector<TExplanation>& explanations) {
  TCharSet letters;
  for (const TExplanation& explanation : explanations) {
    for (const char c : explanation.Headword) {
      const std::string one(1, c);
      letters.set(static_cast<unsigned char>(c));
      letters.set(static_cast<unsigned char>(LowerCase1251(one)[0]));
      letters.set(static_cast<unsigned char>(UpperCase1251(one)[0]));
    }
  }
  return letters;
}

// What the index reader takes for the headword at the start of `record`.
std::string LeadingWord(const std::string& record, const TCharSet& letters) {
  std::size_t length = 0;
  while (length < record.size() && length < TIStream::kMaxWordLength &&
         letters.test(static_cast<unsigned char>(record[length]))) {
    ++length;
  }
  return record.substr(0, length);
}

// True when `text` begins with `key` (LowerCase1251) as a whole word: what
// follows, if anything, is no letter or digit.
bool BeginsWithHeadword(const std::string& text, const std::string& key) {
  if (text.size() < key.size() || LowerCase1251(text.substr(0, key.size())) != key) return false;
  return text.size() == key.size() ||
         !IsNameLetterOrDigit(static_cast<unsigned char>(text[key.size()]));
}

// Gives every text its headword in front (see the header) and checks that
// the record an index offset will point at, a headword's first explanation,
// reads back as its headword.
void PrefixHeadwords(std::vector<TExplanation>& explanations, const TCharSet& letters,
                     const std::string& sourceFile) {
  std::set<std::string> indexed;
  for (TExplanation& explanation : explanations) {
    const std::string key = LowerCase1251(explanation.Headword);
    if (!BeginsWithHeadword(explanation.Text, key)) {
      explanation.Text = explanation.Headword + " " + explanation.Text;
    }
    if (indexed.insert(key).second &&
        LowerCase1251(LeadingWord(explanation.Text, letters)) != key) {
      throw LectoraError(sourceFile, explanation.Line,
                         "the headword runs on into the text, because the character after it "
                         "occurs in headwords; begin the text with the headword and a "
                         "character that no headword holds, such as \",\"");
    }
    if (explanation.Text.size() > kMaxRecord) {
      throw LectoraError(sourceFile, explanation.Line,
                         "the explanation is longer than " + std::to_string(kMaxRecord) + " bytes");
    }
  }
}

// Headwords by their LowerCase1251 key; std::map over std::string orders the
// keys byte by byte, unsigned, as the index reader searches them.
std::map<std::string, THeadword> GroupHeadwords(const std::vector<TExplanation>& explanations,
                                                const std::string& sourceFile) {
  std::map<std::string, THeadword> headwords;
  for (std::size_t k = 0; k < explanations.size(); ++k) {
    const TExplanation& explanation = explanations[k];
    THeadword& headword = headwords[LowerCase1251(explanation.Headword)];
    if (headword.Records.size() == kMaxPerHeadword) {
      throw LectoraError(
          sourceFile, explanation.Line,
          "more than " + std::to_string(kMaxPerHeadword) + " explanations for one headword");
    }
    headword.Records.push_back(static_cast<std::uint16_t>(k + 1));
  }
  return headwords;
}

// A new, empty folder beside the target files, removed again with
// everything in it unless the files were moved out.
class TBuildFolder {
 public:
  explicit TBuildFolder(const fs::path& folder, const std::string& baseName) {
    std::error_code error;
    fs::create_directories(folder, error);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate =
          folder / ("." + baseName + ".dict-build-" + std::to_string(random()));
      if (fs::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
    throw LectoraError(folder.string(), 0, "cannot create a build folder here");
  }
  ~TBuildFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TBuildFolder(const TBuildFolder&) = delete;
  TBuildFolder& operator=(const TBuildFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void WriteRecordFile(const fs::path& base, const std::string& indexSuffix,
                     const std::string& dataSuffix, const std::vector<std::string>& records) {
  TRFileStream stream(base.string() + indexSuffix, OpenMode::ReadWrite, base.string() + dataSuffix);
  if (stream.Failed()) {
    throw LectoraError(base.string() + dataSuffix, 0, "cannot be created");
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    stream.WriteRecord(static_cast<std::int32_t>(i), records[i].data(),
                       static_cast<std::uint16_t>(records[i].size()));
  }
}

std::string IndFile(const TCharSet& letters, const std::map<std::string, THeadword>& headwords,
                    const fs::path& base) {
  std::string bytes(TIStream::kHeaderSize, '\0');
  for (std::size_t c = 0; c < 256; ++c) {
    if (letters.test(c)) bytes[c / 8] = static_cast<char>(bytes[c / 8] | (1 << (c % 8)));
  }
  // The headword begins each record's payload, 2 bytes after the block.
  const TLIFileStream index(base.string() + ".ibp", OpenMode::Read);
  for (const auto& [key, headword] : headwords) {
    const std::int32_t block = index.ReadEntry(headword.Records.front());
    if (block < 0 || block > std::numeric_limits<std::int32_t>::max() - 2) {
      throw LectoraError(base.string() + ".ibf", 0, "grows beyond the 2 GB the index can address");
    }
    std::uint8_t entry[4];
    PutLE32(entry, block + 2);
    bytes.append(reinterpret_cast<const char*>(entry), sizeof entry);
  }
  return bytes;
}

void WriteWholeFile(const fs::path& fileName, const std::string& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw LectoraError(fileName.string(), 0, "cannot be written");
}

}  // namespace

TDictionaryCompileReport TDictionaryCompiler::Compile(const std::string& sourceFile,
                                                      const std::string& dictionaryBase,
                                                      const std::string& title) {
  const std::string indName = TDicList::IndFileOf(dictionaryBase);
  const fs::path target = fs::path(indName.substr(0, indName.size() - 4));
  const std::string baseName = target.filename().string();
  if (baseName.empty() || baseName == "." || baseName == "..") {
    throw LectoraError(dictionaryBase, 0, "is not a usable dictionary name");
  }

  std::string title1251;
  if (!Utf8ToCodePage(title, kCodePage, title1251)) {
    throw LectoraError("", 0,
                       "the title holds malformed UTF-8 or a character that "
                       "Windows-1251 lacks");
  }
  if (title1251.empty()) throw LectoraError("", 0, "the title is empty");
  if (title1251.size() > kMaxRecord) throw LectoraError("", 0, "the title is too long");

  std::vector<TExplanation> explanations = ParseSource(sourceFile);
  const TCharSet letters = LetterSet(explanations);
  PrefixHeadwords(explanations, letters, sourceFile);
  const std::map<std::string, THeadword> headwords = GroupHeadwords(explanations, sourceFile);

  std::vector<std::string> articles;
  articles.reserve(explanations.size() + 1);
  articles.push_back(title1251);
  for (const TExplanation& explanation : explanations) articles.push_back(explanation.Text);
  std::vector<std::string> lists;
  lists.reserve(headwords.size());
  for (const auto& [key, headword] : headwords) {
    std::string list(2 + 2 * headword.Records.size(), '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(list.data());
    PutLE16(p, static_cast<std::uint16_t>(headword.Records.size()));
    for (std::size_t k = 0; k < headword.Records.size(); ++k) {
      PutLE16(p + 2 + 2 * k, headword.Records[k]);
    }
    lists.push_back(std::move(list));
  }

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  TBuildFolder build(folder, baseName);
  const fs::path buildBase = build.Path() / baseName;
  WriteRecordFile(buildBase, ".ibp", ".ibf", articles);
  WriteRecordFile(buildBase, "C.ibp", "C.ibf", lists);
  WriteWholeFile(buildBase.string() + ".ind", IndFile(letters, headwords, buildBase));

  // The ".ind" goes last: the catalogue lists a dictionary by its ".ind", so
  // a new dictionary never shows up before its records are in place.
  for (const char* suffix : {".ibf", ".ibp", "C.ibf", "C.ibp", ".ind"}) {
    std::error_code error;
    const std::string to = target.string() + suffix;
    fs::rename(buildBase.string() + suffix, to, error);
    if (error) throw LectoraError(to, 0, "cannot be replaced: " + error.message());
  }

  TDictionaryCompileReport report;
  report.HeadwordCount = static_cast<int>(headwords.size());
  report.ExplanationCount = static_cast<int>(explanations.size());
  return report;
}

}  // namespace lectora
