#include "modules/CliSearchCommands.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "modules/CodePageFitter.h"
#include "modules/DictionaryCompiler.h"
#include "modules/JsonWriter.h"
#include "search/ConcList.h"
#include "search/DicList.h"
#include "search/DictionaryCatalogue.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "search/SearchNode.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr int kDictionaryCodePage = 1251;

// A book number of a range: 1..87 in decimal digits only.
bool ParseBookNumber(std::string_view text, int& number) {
  if (text.empty() || text.size() > 2) return false;
  number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return number >= 1 && number <= TBible::kBookNumbers;
}

std::string ToDictionaryText(const std::string& utf8) {
  std::string text;
  if (!Utf8ToCodePage(utf8, kDictionaryCodePage, text)) {
    throw LectoraError("", 0,
                       "\"" + utf8 + "\" holds a character that code page 1251 cannot represent");
  }
  return text;
}

// The reference of each verse of `list` (may be null), in UTF-8, as strings
// of `json` and as lines of `out`, whichever is given.
void WriteReferences(const TBible& bible, const TVerseList* list, TJsonWriter* json,
                     std::ostream* out) {
  if (list == nullptr) return;
  std::string text;
  for (std::uint16_t verse : list->Items) {
    bible.ReferenceText(verse, false, text);
    text = ModuleTextToUtf8(text, bible);
    if (json != nullptr) json->String(text);
    if (out != nullptr) *out << text << "\n";
  }
}

}  // namespace

bool ParseBookRange(std::string_view text, std::array<bool, 88>& selected) {
  std::array<bool, 88> books{};
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t dash = item.find('-');
    int first = 0, last = 0;
    if (!ParseBookNumber(item.substr(0, dash), first)) return false;
    last = first;
    if (dash != std::string_view::npos &&
        (!ParseBookNumber(item.substr(dash + 1), last) || last < first)) {
      return false;
    }
    for (int book = first; book <= last; ++book) books[book] = true;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  selected = books;
  return true;
}

std::string ToModuleText(const std::string& utf8, const TBible& bible) {
  // Typed text gets the near forms the imported texts got, so that "ἀγάπη"
  // and "αγάπη" find the unaccented "αγαπη" of the module.
  TCodePageFitter fitter(bible.Language.CodePage());
  const std::string fitted = fitter.Fit(utf8);
  std::string text;
  // A letter of another script (transliterated) or one without a near form
  // is still an error: the module cannot hold what was typed.
  const TFitCounts& fit = fitter.Counts();
  if (fit.Unknown > 0 || fit.Transliterated > 0 ||
      !Utf8ToCodePage(fitted, bible.Language.CodePage(), text)) {
    throw LectoraError("", 0,
                       "\"" + utf8 + "\" holds a character that code page " +
                           std::to_string(bible.Language.CodePage()) + " cannot represent");
  }
  return text;
}

std::string ModuleTextToUtf8(const std::string& text, const TBible& bible) {
  return CodePageToUtf8(text, bible.Language.CodePage());
}

void RunSearchCommand(const TBible& bible, const TSearchCommandOptions& options,
                      std::ostream& out) {
  TSearchContext search;
  search.WordOrder = options.WordOrder;
  search.SelectedBooks = options.SelectedBooks;
  const std::unique_ptr<TSearchNode> root =
      BuildQuery(ToModuleText(options.Arguments.at(0), bible), bible, search);
  std::string query;
  if (root != nullptr) root->QueryText(query);
  query = ModuleTextToUtf8(query, bible);
  const int count = root != nullptr ? static_cast<int>(root->List->Count()) : 0;
  if (!options.Json)
    out << "Query: " << query << "\n"
        << "Verses: " << count << "\n";

  TJsonWriter json;
  json.BeginObject();
  json.Member("query", query);
  json.Member("count", count);
  json.Key("verses");
  json.BeginArray();
  for (int i = 0; i < count; ++i) json.Number(root->List->Items[i]);
  json.EndArray();
  json.Key("lines");
  json.BeginArray();
  std::string line;
  for (int index = 1; index <= count; ++index) {
    root->ResultLine(index, false, line);
    line = ModuleTextToUtf8(line, bible);
    if (options.Json) {
      json.String(line);
    } else {
      out << line << "\n";
    }
  }
  json.EndArray();
  json.EndObject();
  if (options.Json) out << json.Text() << "\n";
}

void RunConcordanceCommand(const TBible& bible, const TSearchCommandOptions& options,
                           std::ostream& out) {
  const std::string& typed = options.Arguments.at(0);
  const std::string word = ToModuleText(typed, bible);
  const int index = bible.FindWord(word);
  VerseListPtr list;
  const bool found = bible.GetConcordance(word, list);
  const int count = list != nullptr ? static_cast<int>(list->Count()) : 0;
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("word", typed);
    json.Member("index", index);
    json.Member("found", found);
    json.Member("count", count);
    json.Key("references");
    json.BeginArray();
    WriteReferences(bible, list.get(), &json, nullptr);
    json.EndArray();
    json.EndObject();
    out << json.Text() << "\n";
    return;
  }
  out << "Word:   " << typed << "\n"
      << "Index:  " << index << "\n"
      << "Found:  " << (found ? "yes" : "no") << "\n"
      << "Verses: " << count << "\n";
  WriteReferences(bible, list.get(), nullptr, &out);
}

void RunWordsCommand(const TBible& bible, const TSearchCommandOptions& options, std::ostream& out) {
  const TConcList list(bible);
  const std::int32_t total = list.Count();
  std::int32_t start = 0;
  if (!options.Arguments.empty() && !options.Arguments[0].empty()) {
    // Before the first word the list shows the top; after the last, nothing.
    start = std::clamp(list.IndexOf(ToModuleText(options.Arguments[0], bible)), 0, total);
  }
  const std::int32_t end = start + std::min<std::int32_t>(options.Count, total - start);
  TJsonWriter json;
  json.BeginObject();
  json.Member("index", static_cast<int>(start));
  json.Key("entries");
  json.BeginArray();
  std::string entry;
  for (std::int32_t i = start; i < end; ++i) {
    list.Get(i, entry);
    entry = ModuleTextToUtf8(entry, bible);
    if (options.Json) {
      json.String(entry);
    } else {
      out << entry << "\n";
    }
  }
  json.EndArray();
  json.EndObject();
  if (options.Json) out << json.Text() << "\n";
}

void RunLinksCommand(const TBible& bible, int verseNumber, const TSearchCommandOptions& options,
                     std::ostream& out) {
  TSearchContext search;
  const TVerseList* links = bible.GetLinks(verseNumber, search);
  if (!options.Json) {
    WriteReferences(bible, links, nullptr, &out);
    return;
  }
  std::string reference;
  bible.ReferenceText(verseNumber, false, reference);
  TJsonWriter json;
  json.BeginObject();
  json.Member("reference", ModuleTextToUtf8(reference, bible));
  json.Key("links");
  json.BeginArray();
  WriteReferences(bible, links, &json, nullptr);
  json.EndArray();
  json.EndObject();
  out << json.Text() << "\n";
}

void RunDictCommand(const std::string& setupFolder, const TUserRegistry* registry,
                    const TSearchCommandOptions& options, std::ostream& out, std::ostream& err) {
  const std::string word = ToDictionaryText(options.Arguments.at(0));
  bool found = false;
  std::int32_t position = -1;
  std::string title;
  std::vector<std::string> explanations;

  if (!options.Dictionary.empty()) {
    const std::string indFile = TDicList::IndFileOf(options.Dictionary);
    if (!std::filesystem::is_regular_file(indFile)) {
      throw LectoraError(indFile, 0, "no such dictionary");
    }
    const TDicList dictionary(indFile);
    title = dictionary.Title();
    found = dictionary.Find(word, position);
    if (found) {
      for (std::uint16_t record : dictionary.ExplanationList(position)) {
        dictionary.ReadString(record, explanations.emplace_back());
      }
    }
  } else {
    TDictionaryCatalogue catalogue(setupFolder, registry);
    catalogue.Build();
    for (const std::string& problem : catalogue.Problems()) err << problem << "\n";
    if (catalogue.Empty()) {
      throw LectoraError(setupFolder + "Dictionaries", 0,
                         "no dictionaries found here nor under the remembered module root");
    }
    position = catalogue.SelectWord(word);
    if (const TDicList* current = catalogue.Current()) {
      title = current->Title();
      std::int32_t index = 0;
      // The open dictionary is the one that holds the word, when any does.
      found = current->Find(word, index);
    }
    if (found) {
      for (std::uint16_t record : catalogue.ReadExplanationList(position)) {
        catalogue.ReadExplanation(record, explanations.emplace_back());
      }
    }
  }
  title = CodePageToUtf8(title, kDictionaryCodePage);
  for (std::string& text : explanations) text = CodePageToUtf8(text, kDictionaryCodePage);

  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("found", found);
    json.Member("dictionary", title);
    json.Member("position", static_cast<int>(position));
    json.Key("explanations");
    json.BeginArray();
    for (const std::string& text : explanations) json.String(text);
    json.EndArray();
    json.EndObject();
    out << json.Text() << "\n";
    return;
  }
  out << "Found:      " << (found ? "yes" : "no") << "\n"
      << "Dictionary: " << (title.empty() && position < 0 ? "(none)" : title) << "\n"
      << "Position:   " << position << "\n";
  for (std::size_t i = 0; i < explanations.size(); ++i) {
    out << "[" << i + 1 << "] " << explanations[i] << "\n";
  }
}

void RunBuildDictionaryCommand(const TSearchCommandOptions& options, std::ostream& out) {
  const std::string& base = options.Arguments.at(1);
  const TDictionaryCompileReport report =
      TDictionaryCompiler::Compile(options.Arguments.at(0), base, options.Title);
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("dictionary", base);
    json.Member("title", options.Title);
    json.Member("headwords", report.HeadwordCount);
    json.Member("explanations", report.ExplanationCount);
    json.EndObject();
    out << json.Text() << "\n";
  } else {
    out << "Built " << base << " (\"" << options.Title << "\"): " << report.HeadwordCount
        << " headwords, " << report.ExplanationCount << " explanations\n";
  }
}

}  // namespace lectora
