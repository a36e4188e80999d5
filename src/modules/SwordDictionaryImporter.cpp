#include "modules/SwordDictionaryImporter.h"

#include <cctype>
#include <map>
#include <set>

#include "modules/CodePageFitter.h"
#include "modules/ImpReader.h"
#include "modules/ScratchFolder.h"
#include "store/AtomicFile.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr int kDictionaryCodePage = 1251;
constexpr std::size_t kMaxHeadword = 32;  // characters, each one byte in the code page
constexpr std::size_t kMaxWarnings = 20;

// "00001", "H0001", "g12" -> "1"; "" when the key is not a Strong's number.
std::string StrongHeadword(std::string_view key) {
  if (!key.empty() && std::isalpha(static_cast<unsigned char>(key.front())) != 0) {
    key.remove_prefix(1);
  }
  if (key.empty()) return "";
  for (const char c : key) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) return "";
  }
  while (key.size() > 1 && key.front() == '0') key.remove_prefix(1);
  return std::string(key);
}

std::string Collapsed(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The first `count` characters of UTF-8 `text`.
std::string Utf8Prefix(const std::string& text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) NextCodePoint(text, pos);
  return text.substr(0, pos);
}

std::size_t Utf8Length(const std::string& text) {
  std::size_t pos = 0;
  std::size_t count = 0;
  while (pos < text.size()) {
    NextCodePoint(text, pos);
    ++count;
  }
  return count;
}

struct THeadword {
  std::string Spelling;
  std::vector<std::string> Texts;
};

class TDictionaryConversion {
 public:
  TDictionaryConversion() : converter_(TMarkupTarget::Dictionary, kDictionaryCodePage) {}

  void Read(const std::string& impFile) {
    TImpReader reader(impFile);
    TImpEntry entry;
    while (reader.Next(entry)) Take(reader, entry);
  }

  void Write(const std::string& sourceFile) {
    if (order_.empty()) throw LectoraError(sourceFile, 0, "no entry with text to write");
    const std::string separator = Separator();
    std::string source;
    for (const std::string& key : order_) {
      const THeadword& headword = headwords_.at(key);
      for (const std::string& text : headword.Texts) {
        source += headword.Spelling + '\t';
        if (!separator.empty()) source += headword.Spelling + separator + ' ';
        source += text + '\n';
        ++report_.ExplanationCount;
      }
    }
    report_.HeadwordCount = static_cast<int>(order_.size());
    report_.Counts = converter_.Counts();
    WriteFileAtomically(sourceFile, source);
  }

  TSwordDictionaryReport& Report() { return report_; }

 private:
  void Take(const TImpReader& reader, const TImpEntry& entry) {
    if (entry.Key.size() >= 2 && entry.Key.front() == '[' && entry.Key.back() == ']') {
      ++report_.SkippedEntries;
      return;
    }
    std::string headword = StrongHeadword(entry.Key);
    if (headword.empty()) headword = Headword(entry.Key);
    const TConvertedEntry converted = converter_.Convert(entry.Text);
    if (converted.Malformed > 0) {
      ++report_.MalformedEntries;
      Warn(reader, entry, "malformed markup, the text is kept");
    }
    std::string text = converted.Text;
    if (!converted.Title.empty()) text = converted.Title + (text.empty() ? "" : " ") + text;
    if (headword.empty() || text.empty()) {
      ++report_.SkippedEntries;
      Warn(reader, entry,
           headword.empty() ? "no headword, entry left out" : "no text, entry left out");
      return;
    }
    const std::string key = Lower(headword);
    auto [it, added] = headwords_.try_emplace(key);
    if (added) {
      it->second.Spelling = headword;
      order_.push_back(key);
    }
    it->second.Texts.push_back(std::move(text));
  }

  // A key that is not a Strong's number as a headword: blanks collapsed,
  // fitted to the code page, cut to kMaxHeadword characters (at the last
  // blank when a word would be split).
  std::string Headword(std::string_view key) {
    std::string headword = Collapsed(converter_.FitPlain(Collapsed(key)));
    if (Utf8Length(headword) > kMaxHeadword) {
      const std::string whole = std::move(headword);
      headword = Utf8Prefix(whole, kMaxHeadword);
      // Cut at a word's end where the words allow it.
      const std::size_t blank = headword.rfind(' ');
      if (whole[headword.size()] != ' ' && blank != std::string::npos && blank > 0) {
        headword.resize(blank);
      }
      while (!headword.empty() && (headword.back() == ' ' || headword.back() == '(' ||
                                   headword.back() == ',' || headword.back() == '-')) {
        headword.pop_back();
      }
      ++report_.ShortenedHeadwords;
    }
    return headword;
  }

  // ASCII letters in lower case, to group spellings of one headword.
  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }

  // "" when no headword holds a blank (the compiler then puts the headword
  // and a blank in front); else the first of ":;=/#" no headword holds.
  std::string Separator() const {
    std::set<char> used;
    for (const auto& [key, headword] : headwords_) {
      used.insert(headword.Spelling.begin(), headword.Spelling.end());
    }
    if (used.count(' ') == 0) return "";
    for (const char c : std::string_view(":;=/#")) {
      if (used.count(c) == 0) return std::string(1, c);
    }
    return ":";
  }

  void Warn(const TImpReader& reader, const TImpEntry& entry, const std::string& message) {
    if (report_.Warnings.size() < kMaxWarnings) {
      report_.Warnings.push_back(reader.FileName() + ":" + std::to_string(entry.Line) + ": \"" +
                                 entry.Key + "\": " + message);
    }
  }

  TOsisConverter converter_;
  TSwordDictionaryReport report_;
  std::map<std::string, THeadword> headwords_;
  std::vector<std::string> order_;  // keys of headwords_ by first appearance
};

}  // namespace

TSwordDictionaryReport ConvertSwordDictionaries(const std::vector<std::string>& impFiles,
                                                const std::string& sourceFile) {
  TDictionaryConversion conversion;
  for (const std::string& impFile : impFiles) conversion.Read(impFile);
  conversion.Write(sourceFile);
  return conversion.Report();
}

TSwordDictionaryReport MergeStrongsDictionaries(const std::string& hebrewImp,
                                                const std::string& greekImp,
                                                const std::string& sourceFile) {
  return ConvertSwordDictionaries({hebrewImp, greekImp}, sourceFile);
}

TSwordDictionaryReport ImportSwordDictionary(const std::vector<std::string>& impFiles,
                                             const std::string& dictionaryBase,
                                             const std::string& title) {
  TScratchFolder scratch("lectora-dictionary-");
  const std::string sourceFile = scratch.Path() + "source.tsv";
  TSwordDictionaryReport report = ConvertSwordDictionaries(impFiles, sourceFile);
  report.Dictionary = TDictionaryCompiler::Compile(sourceFile, dictionaryBase, title);
  return report;
}

}  // namespace lectora
