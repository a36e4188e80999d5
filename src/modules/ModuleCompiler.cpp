#include "modules/ModuleCompiler.h"

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

#include "modules/ModuleSource.h"
#include "store/Language.h"
#include "store/LectoraError.h"
#include "store/TextRoutines.h"

namespace lectora {

namespace fs = std::filesystem;

namespace {

// Every file of a module, so that a rebuild can remove the optional ones the
// new source no longer has.
constexpr const char* kOptionalFiles[] = {"Links.bin", "LinksP.bin", "_Diff_.txt"};

using TModuleFiles = std::vector<std::pair<std::string, std::string>>;  // name, bytes

void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void PutI32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((bits >> shift) & 0xFF);
}

// An offset as an index entry; throws when the file has outgrown 32 bits.
std::int32_t Entry(std::size_t offset, const char* fileName) {
  if (offset > static_cast<std::size_t>(INT32_MAX)) {
    throw LectoraError(fileName, 0, "the module is too large: offsets exceed 32 bits");
  }
  return static_cast<std::int32_t>(offset);
}

std::string TitlesFile(const TModuleSource& source) {
  const std::vector<TSourceBook>& books = source.Books();
  std::string out = std::to_string(books.size());
  for (const TSourceBook& book : books) out += " " + std::to_string(book.Number);
  out += "\r\n";
  for (const TSourceBook& book : books) out += book.Title + "\r\n";
  for (const TSourceBook& book : books) out += book.Name + "\r\n";
  for (const TSourceBook& book : books) out += book.AltName + "\r\n";
  return out;
}

std::string StructureFile(const TModuleSource& source) {
  std::string out;
  for (const TSourceBook& book : source.Books()) {
    out += std::to_string(book.VerseCounts.size());
    for (std::uint8_t count : book.VerseCounts) out += " " + std::to_string(count);
    out += "\r\n";
  }
  return out;
}

// The record file pair exactly as a fresh TRFileStream receives it when
// records 0..n-1 are written in order: the head -1, then each record at the
// end of the file (u16 length, payload, zeros up to 4 bytes). An empty verse
// has no record (entry -1); the index always has one entry per verse.
void CompactTextFiles(const std::vector<std::string>& verses, std::string& text,
                      std::string& point) {
  std::size_t size = 4;
  for (const std::string& verse : verses) size += 2 + std::max<std::size_t>(verse.size(), 4);
  text.reserve(size);
  point.reserve(verses.size() * 4);
  PutI32(text, -1);
  for (const std::string& verse : verses) {
    if (verse.empty()) {
      PutI32(point, -1);
      continue;
    }
    PutI32(point, Entry(text.size(), "CompactText.bin"));
    PutU16(text, static_cast<std::uint16_t>(verse.size()));
    text += verse;
    if (verse.size() < 4) text.append(4 - verse.size(), '\0');
  }
}

class TWordIndexBuilder {
 public:
  TWordIndexBuilder(const TLanguage& language, bool strong) : language_(language) {
    std::string all(256, '\0');
    for (int c = 0; c < 256; ++c) all[c] = static_cast<char>(c);
    const std::string lower = LowerCase1251(all);
    for (int c = 0; c < 256; ++c) {
      lower_[c] = lower[c];
      wordChar_[c] = language.Letters[c] || (strong && c >= '0' && c <= '9');
    }
    // Markup characters vanish without splitting a word; "~" reads as a
    // blank, which any non-word character already does.
    for (unsigned char c : {'\\', '|', '{', '}', '<', '>', '(', ')', static_cast<char>(182)}) {
      deleted_[c] = true;
    }
  }

  void AddVerse(std::uint16_t number, const std::string& text) {
    for (const char byte : text) {
      const auto c = static_cast<unsigned char>(byte);
      if (deleted_[c]) continue;
      if (wordChar_[c]) {
        word_ += lower_[c];
      } else {
        EndWord(number);
      }
    }
    EndWord(number);
  }

  // Writes the word list, its line index and the concordance; returns the
  // number of words.
  int Write(std::string& wordList, std::string& wordPoint, std::string& conc,
            std::string& concPoint) const {
    std::vector<std::uint32_t> order(words_.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
      const int compared = language_.Compare(words_[a], words_[b]);
      return compared != 0 ? compared < 0 : words_[a] < words_[b];
    });
    for (const std::uint32_t id : order) {
      PutI32(wordPoint, Entry(wordList.size(), "WordList.txt"));
      wordList += words_[id];
      wordList += "\r\n";
      PutI32(concPoint, Entry(conc.size() / 2, "Conc.bin"));
      const std::vector<std::uint16_t>& verses = verses_[id];
      PutU16(conc, static_cast<std::uint16_t>(verses.size()));
      for (const std::uint16_t verse : verses) PutU16(conc, verse);
    }
    return static_cast<int>(order.size());
  }

 private:
  void EndWord(std::uint16_t number) {
    if (word_.empty()) return;
    const auto [found, inserted] =
        ids_.try_emplace(word_, static_cast<std::uint32_t>(words_.size()));
    if (inserted) {
      words_.push_back(word_);
      verses_.emplace_back();
    }
    // Verses arrive in ascending order, so the lists stay sorted.
    std::vector<std::uint16_t>& verses = verses_[found->second];
    if (verses.empty() || verses.back() != number) verses.push_back(number);
    word_.clear();
  }

  const TLanguage& language_;
  std::array<char, 256> lower_{};
  std::array<bool, 256> wordChar_{};
  std::array<bool, 256> deleted_{};
  std::string word_;
  std::unordered_map<std::string, std::uint32_t> ids_;
  std::vector<std::string> words_;
  std::vector<std::vector<std::uint16_t>> verses_;
};

// "LinksP.bin" (one entry per verse, -1 for none, offsets in 16-bit units)
// and "Links.bin"; returns the number of verses with links.
int LinksFiles(const std::vector<std::vector<std::uint16_t>>& links, std::string& data,
               std::string& point) {
  int linked = 0;
  for (const std::vector<std::uint16_t>& list : links) {
    if (list.empty()) {
      PutI32(point, -1);
      continue;
    }
    ++linked;
    PutI32(point, Entry(data.size() / 2, "Links.bin"));
    PutU16(data, static_cast<std::uint16_t>(list.size()));
    for (const std::uint16_t verse : list) PutU16(data, verse);
  }
  return linked;
}

// The module folder without a trailing separator; throws for an empty name.
fs::path TargetFolder(const std::string& moduleDir) {
  fs::path target = fs::path(moduleDir).lexically_normal();
  if (!target.empty() && target.filename().empty()) target = target.parent_path();
  if (target.empty() || target.filename() == "." || target.filename() == "..") {
    throw LectoraError(moduleDir, 0, "is not a usable module folder name");
  }
  return target;
}

// A new, empty folder beside `target`, removed again unless Release()d.
class TBuildFolder {
 public:
  explicit TBuildFolder(const fs::path& target) {
    fs::path parent = target.parent_path();
    if (parent.empty()) parent = ".";
    std::error_code error;
    fs::create_directories(parent, error);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      fs::path candidate =
          parent / ("." + target.filename().string() + ".build-" + std::to_string(random()));
      if (fs::create_directory(candidate, error)) {
        path_ = candidate;
        return;
      }
    }
    throw LectoraError(parent.string(), 0, "cannot create a build folder here");
  }
  ~TBuildFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TBuildFolder(const TBuildFolder&) = delete;
  TBuildFolder& operator=(const TBuildFolder&) = delete;

  const fs::path& Path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  fs::path path_;
};

void WriteWholeFile(const fs::path& fileName, const std::string& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw LectoraError(fileName.string(), 0, "cannot be written");
}

// Moves the built files into `target`: a new module folder is the build
// folder renamed; into an existing one each file is renamed over its old
// version and optional files the new build lacks are removed, while other
// files there (histories) stay.
void MoveIntoPlace(TBuildFolder& build, const fs::path& target, const TModuleFiles& files) {
  std::error_code error;
  if (!fs::exists(target, error)) {
    fs::rename(build.Path(), target, error);
    if (error) throw LectoraError(target.string(), 0, "cannot be created: " + error.message());
    build.Release();
    return;
  }
  for (const auto& [name, bytes] : files) {
    fs::rename(build.Path() / name, target / name, error);
    if (error)
      throw LectoraError((target / name).string(), 0, "cannot be replaced: " + error.message());
  }
  for (const char* name : kOptionalFiles) {
    const bool built = std::any_of(files.begin(), files.end(),
                                   [name](const auto& file) { return file.first == name; });
    if (!built) fs::remove(target / name, error);
  }
}

}  // namespace

TModuleCompileReport TModuleCompiler::Compile(const std::string& sourceDir,
                                              const std::string& moduleDir, int languageNumber,
                                              bool strong) {
  const fs::path target = TargetFolder(moduleDir);
  std::error_code error;
  if (fs::exists(target, error) && !fs::is_directory(target, error)) {
    throw LectoraError(moduleDir, 0, "exists and is not a folder");
  }
  const TModuleSource source(sourceDir, languageNumber);
  const TLanguage language(languageNumber);

  TModuleCompileReport report;
  report.BookCount = static_cast<int>(source.Books().size());
  report.VerseCount = static_cast<int>(source.Verses().size());

  TModuleFiles files;
  files.emplace_back("BibleTitles.txt", TitlesFile(source));
  files.emplace_back("BibleStructure.csv", StructureFile(source));
  std::string text, point;
  CompactTextFiles(source.Verses(), text, point);
  files.emplace_back("CompactText.bin", std::move(text));
  files.emplace_back("CompactPoint.bin", std::move(point));

  TWordIndexBuilder words(language, strong);
  for (std::size_t i = 0; i < source.Verses().size(); ++i) {
    words.AddVerse(static_cast<std::uint16_t>(i + 1), source.Verses()[i]);
  }
  std::string wordList, wordPoint, conc, concPoint;
  report.WordCount = words.Write(wordList, wordPoint, conc, concPoint);
  files.emplace_back("WordList.txt", std::move(wordList));
  files.emplace_back("WordPoint.bin", std::move(wordPoint));
  files.emplace_back("Conc.bin", std::move(conc));
  files.emplace_back("ConcP.bin", std::move(concPoint));

  if (source.HasLinks()) {
    std::string links, linksPoint;
    report.LinkedVerses = LinksFiles(source.Links(), links, linksPoint);
    files.emplace_back("Links.bin", std::move(links));
    files.emplace_back("LinksP.bin", std::move(linksPoint));
  }
  if (source.Diff()) files.emplace_back("_Diff_.txt", *source.Diff());

  TBuildFolder build(target);
  for (const auto& [name, bytes] : files) WriteWholeFile(build.Path() / name, bytes);
  MoveIntoPlace(build, target, files);
  return report;
}

}  // namespace lectora
