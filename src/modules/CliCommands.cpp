#include "modules/CliCommands.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <stdexcept>

#include "modules/CliImportCommands.h"
#include "modules/CliSearchCommands.h"
#include "modules/JsonWriter.h"
#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/MessageService.h"
#include "store/StoreContext.h"
#include "store/StoreSession.h"
#include "store/TextRoutines.h"
#include "store/TranslationTable.h"
#include "store/UserRegistry.h"

namespace lectora {

namespace {

constexpr int kDefaultTranslation = 8;
constexpr const char* kProgramName = "lectora-cli";

constexpr const char* kUsage =
    "Usage: lectora-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  info                      list the translations found in the setup folder\n"
    "  ref TEXT                  read TEXT as a reference in the chosen translation\n"
    "  read TEXT [--plain] [--chapter]\n"
    "                            print the verse of TEXT, or its whole chapter;\n"
    "                            --plain removes the markup\n"
    "  search QUERY [--order 0|1|2] [--range BOOKS]\n"
    "                            the verses that match QUERY: words joined by\n"
    "                            blank or + (and), / (or), _ (without), with\n"
    "                            brackets and \"quoted phrases\"; --order: 0 any\n"
    "                            order, 1 as typed, 2 as a phrase; --range: book\n"
    "                            numbers and ranges such as 1-39,54 (default all)\n"
    "  concordance WORD          the verses that hold WORD\n"
    "  words [PREFIX] [--count N]\n"
    "                            N entries (default 20) of the word list with\n"
    "                            their verse counts, from PREFIX on\n"
    "  links TEXT                the cross references of the verse of TEXT\n"
    "  dict WORD [--dictionary BASE]\n"
    "                            look WORD up in the dictionary BASE (a path\n"
    "                            without extension), or in every dictionary of\n"
    "                            the setup folder's Dictionaries folder\n"
    "  build-module SOURCE_DIR MODULE_DIR --language N [--strong]\n"
    "                            compile a UTF-8 source folder into a module;\n"
    "                            --strong counts Strong's numbers as words\n"
    "  build-dictionary SOURCE.tsv BASE --title TITLE\n"
    "                            compile a UTF-8 file of \"headword<TAB>text\"\n"
    "                            lines into the dictionary BASE\n"
    "  import-sword IMP_FILE MODULE_DIR [--diff FILE] [--links FILE] [--names FILE]\n"
    "                            import a Bible exported by SWORD's mod2imp as\n"
    "                            translation --translation N; --diff gives its\n"
    "                            _Diff_.txt, --links its cross references as\n"
    "                            \"book chapter verse book:chapter:verse...\" lines,\n"
    "                            --names the books' titles and names as UTF-8\n"
    "                            \"number<TAB>title<TAB>name<TAB>short name\" lines\n"
    "  import-sword-dictionary IMP_FILE... BASE --title TITLE\n"
    "                            import lexicons exported by mod2imp into the\n"
    "                            dictionary BASE (a headword's explanations\n"
    "                            follow the order of the files)\n"
    "\n"
    "Options (anywhere after the command):\n"
    "  --setup-dir DIR           the setup folder (default: the tool's own folder)\n"
    "  --translation N           translation number 0..11 (default 8)\n"
    "  --json                    print one JSON object instead of text\n"
    "  --help                    print this text\n"
    "  --version                 print the version and end\n";

// Bad usage of the command line; reported with a hint at --help.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCliOptions {
  std::string Command;
  std::vector<std::string> Arguments;
  std::string SetupDir;
  int Translation = kDefaultTranslation;
  int Language = -1;
  bool Json = false;
  bool Plain = false;
  bool Chapter = false;
  bool Strong = false;
  bool Help = false;
  bool Version = false;
  TSearchCommandOptions Search;  // the options of the search commands
  TImportCommandOptions Import;  // the options of the import commands
};

constexpr const char* kCommands[] = {
    "info",  "ref",  "read",         "search",           "concordance",  "words",
    "links", "dict", "build-module", "build-dictionary", "import-sword", "import-sword-dictionary"};

bool ParseInteger(const std::string& text, int low, int high, int& value) {
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  return !text.empty() && error == std::errc() && end == last && value >= low && value <= high;
}

// Which options a command accepts besides --setup-dir, --translation, --json.
bool CommandTakes(const std::string& command, const std::string& option) {
  if (option == "--plain" || option == "--chapter") return command == "read";
  if (option == "--language" || option == "--strong") return command == "build-module";
  if (option == "--order" || option == "--range") return command == "search";
  if (option == "--count") return command == "words";
  if (option == "--dictionary") return command == "dict";
  if (option == "--title")
    return command == "build-dictionary" || command == "import-sword-dictionary";
  if (option == "--diff" || option == "--links" || option == "--names") {
    return command == "import-sword";
  }
  return true;
}

// Applies option `arg`, taking its value from `value()` when it has one;
// throws UsageError for an unknown option or a bad value.
template <class Value>
void ApplyOption(const std::string& arg, const Value& value, TCliOptions& options) {
  const auto number = [&](int low, int high, int& target, const std::string& what) {
    const std::string& text = value();
    if (!ParseInteger(text, low, high, target)) {
      throw UsageError(arg + " takes " + what + ", not \"" + text + "\"");
    }
  };
  if (arg == "--setup-dir") {
    options.SetupDir = value();
  } else if (arg == "--translation") {
    number(0, kTranslationCount - 1, options.Translation, "a number 0..11");
  } else if (arg == "--language") {
    number(0, 8, options.Language, "a number 0..8");
  } else if (arg == "--order") {
    number(0, 2, options.Search.WordOrder, "0, 1 or 2");
  } else if (arg == "--range") {
    const std::string& text = value();
    if (!ParseBookRange(text, options.Search.SelectedBooks)) {
      throw UsageError("--range takes book numbers 1..87 and ranges such as 1-39,54, not \"" +
                       text + "\"");
    }
  } else if (arg == "--count") {
    number(0, 1000000, options.Search.Count, "a number 0..1000000");
  } else if (arg == "--dictionary") {
    options.Search.Dictionary = value();
    if (options.Search.Dictionary.empty()) throw UsageError("--dictionary needs a file name");
  } else if (arg == "--title") {
    options.Search.Title = value();
  } else if (arg == "--diff") {
    options.Import.DiffFile = value();
  } else if (arg == "--links") {
    options.Import.LinksFile = value();
  } else if (arg == "--names") {
    options.Import.NamesFile = value();
  } else if (arg == "--json") {
    options.Json = true;
  } else if (arg == "--plain") {
    options.Plain = true;
  } else if (arg == "--chapter") {
    options.Chapter = true;
  } else if (arg == "--strong") {
    options.Strong = true;
  } else {
    throw UsageError("unknown option " + arg);
  }
}

TCliOptions ParseArguments(const std::vector<std::string>& args, const std::string& toolFolder) {
  TCliOptions options;
  options.SetupDir = toolFolder;
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    options.Help = true;
    return options;
  }
  if (args[0] == "--version") {
    options.Version = true;
    return options;
  }
  if (args[0].starts_with("-")) throw UsageError("the command must come first");
  options.Command = args[0];
  if (std::find(std::begin(kCommands), std::end(kCommands), options.Command) ==
      std::end(kCommands)) {
    throw UsageError("unknown command \"" + options.Command + "\"");
  }
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !arg.starts_with("--")) {
      options.Arguments.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help") {
      options.Help = true;
      continue;
    }
    if (!CommandTakes(options.Command, arg)) {
      throw UsageError("option " + arg + " does not apply to " + options.Command);
    }
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError("option " + arg + " needs a value");
      return args[++i];
    };
    ApplyOption(arg, value, options);
  }
  if (!options.SetupDir.empty() && options.SetupDir.back() != '/') options.SetupDir += '/';
  options.Search.Arguments = options.Arguments;
  options.Search.Json = options.Json;
  options.Import.Arguments = options.Arguments;
  options.Import.Json = options.Json;
  options.Import.Translation = options.Translation;
  options.Import.Title = options.Search.Title;
  return options;
}

void ExpectArguments(const TCliOptions& options, std::size_t count, const char* names) {
  if (options.Arguments.size() != count) {
    throw UsageError(options.Command + " takes " + names + " (" +
                     std::to_string(options.Arguments.size()) + " arguments given)");
  }
}

// The store's notices ("Free space list error"), 8-bit Windows-1251, shown
// on standard error in UTF-8.
class TStderrMessages : public IMessageService {
 public:
  explicit TStderrMessages(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text) override { err_ << CodePageToUtf8(text, 1251) << "\n"; }

 private:
  std::ostream& err_;
};

// What the module commands share: the store session of the setup folder.
// Loading it checks the shared files.
class TCliSession {
 public:
  TCliSession(const std::string& setupDir, std::ostream& err)
      : setupDir_(setupDir), messages_(err), store_(Options(setupDir)) {
    // Only now: the load errors themselves carry "File not found".
    store_.SetMessages(&messages_);
  }

  bool ModulePresent(int translation) const {
    return std::filesystem::is_regular_file(setupDir_ + TranslationFolderName(translation) +
                                            "/BibleTitles.txt");
  }

  // The module of `translation`; throws naming the translation and folder
  // when the setup folder does not hold it.
  TBible& Module(int translation) {
    const std::string folder = TranslationFolderName(translation);
    if (ModulePresent(translation)) {
      TBible& bible = store_.Bibles().Open(translation);
      if (bible.Loaded()) return bible;
    }
    throw LectoraError(setupDir_ + folder, 0,
                       "translation " + std::to_string(translation) + " (folder \"" + folder +
                           "\") is not in the setup folder");
  }

  TStoreContext& Context() { return store_.Context(); }

 private:
  static TStoreSessionOptions Options(const std::string& setupDir) {
    TStoreSessionOptions options;
    options.SetupFolder = setupDir;
    options.ProgramName = kProgramName;
    // The tool only reads modules: it never leaves a settings file behind.
    options.ReadOnlySetup = true;
    // No drive dialog: a missing module is an error, never a question.
    return options;
  }

  std::string setupDir_;
  TStderrMessages messages_;
  TStoreSession store_;
};

std::string ToUtf8(const std::string& text, const TBible& bible) {
  return ModuleTextToUtf8(text, bible);
}

int ChapterCount(const TBible& bible, int bookPosition) {
  return static_cast<int>(bible.Books[bible.BookOrder[bookPosition]].VerseCounts.size());
}

int VerseCount(const TBible& bible, int bookPosition, int chapter) {
  return bible.Books[bible.BookOrder[bookPosition]].VerseCounts[chapter - 1];
}

// True when the module holds book position, chapter and verse.
bool PlaceExists(const TBible& bible, int bookPosition, int chapter, int verse) {
  if (bookPosition < 1 || bookPosition > bible.BookCount) return false;
  if (chapter < 1 || chapter > ChapterCount(bible, bookPosition)) return false;
  return verse >= 1 && verse <= VerseCount(bible, bookPosition, chapter);
}

void RunInfo(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  TCliSession session(options.SetupDir, err);
  TJsonWriter json;
  json.BeginObject();
  json.Key("translations");
  json.BeginArray();
  int found = 0;
  for (int number = 0; number < kTranslationCount; ++number) {
    if (!session.ModulePresent(number)) continue;
    const TBible& bible = session.Module(number);
    int chapters = 0;
    for (int position = 1; position <= bible.BookCount; ++position) {
      chapters += ChapterCount(bible, position);
    }
    const std::string folder = TranslationFolderName(number);
    if (options.Json) {
      json.BeginObject();
      json.Member("number", number);
      json.Member("folder", folder);
      json.Member("books", static_cast<int>(bible.BookCount));
      json.Member("chapters", chapters);
      json.Member("verses", static_cast<int>(bible.VerseTotal));
      json.EndObject();
    } else {
      if (found == 0) out << "No.  Folder   Books  Chapters  Verses\n";
      out << std::left << std::setw(5) << number << std::setw(9) << folder << std::right
          << std::setw(5) << bible.BookCount << std::setw(10) << chapters << std::setw(8)
          << bible.VerseTotal << "\n";
    }
    ++found;
  }
  json.EndArray();
  json.EndObject();
  if (options.Json) {
    out << json.Text() << "\n";
  } else if (found == 0) {
    out << "No translations in " << options.SetupDir << "\n";
  }
}

void RunRef(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  ExpectArguments(options, 1, "one reference TEXT");
  TCliSession session(options.SetupDir, err);
  const TBible& bible = session.Module(options.Translation);
  int position = 0, chapter = 0, verse = 0;
  const bool found =
      bible.ParseReference(ToModuleText(options.Arguments[0], bible), position, chapter, verse);
  const bool bookFound = session.Context().BookFound;
  if (!bookFound) position = 0;
  int bookNumber = 0, verseNumber = 0;
  std::int32_t standardNumber = 0;
  std::string reference;
  if (bookFound && position >= 1 && position <= bible.BookCount) {
    bookNumber = bible.BookOrder[position];
    // A chapter or verse the book lacks gets no numbers: they would name
    // another place.
    if (PlaceExists(bible, position, chapter, verse)) {
      verseNumber = bible.VerseNumber(position, chapter, verse);
      standardNumber = bible.ToStandard(bookNumber, chapter, verse);
      bible.ReferenceText(verseNumber, false, reference);
      reference = ToUtf8(reference, bible);
    }
  }
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("found", found);
    json.Member("bookFound", bookFound);
    json.Member("bookPosition", position);
    json.Member("bookNumber", bookNumber);
    json.Member("chapter", chapter);
    json.Member("verse", verse);
    json.Member("verseNumber", verseNumber);
    json.Member("standardNumber", static_cast<std::int64_t>(standardNumber));
    json.Member("reference", reference);
    json.EndObject();
    out << json.Text() << "\n";
    return;
  }
  const auto yesNo = [](bool value) { return value ? "yes" : "no"; };
  out << "Found:           " << yesNo(found) << "\n"
      << "Book found:      " << yesNo(bookFound) << "\n"
      << "Book position:   " << position << "\n"
      << "Book number:     " << bookNumber << "\n"
      << "Chapter:         " << chapter << "\n"
      << "Verse:           " << verse << "\n"
      << "Verse number:    " << verseNumber << "\n"
      << "Standard number: " << standardNumber << "\n"
      << "Reference:       " << (reference.empty() ? "(not in this translation)" : reference)
      << "\n";
}

// A typed reference read in one module: book position, chapter, verse and
// the book's name (UTF-8) for messages.
struct TTypedPlace {
  int Position = 0;
  int Chapter = 0;
  int Verse = 0;
  std::string BookName;
};

// Reads `typed` (UTF-8) as a reference in `bible`, the module of
// `translation`. Throws LectoraError when it names no book, a book the
// module lacks, or a chapter the book lacks; the verse is not checked.
TTypedPlace ReadChapterPlace(TCliSession& session, const TBible& bible, int translation,
                             const std::string& typed) {
  TTypedPlace place;
  bible.ParseReference(ToModuleText(typed, bible), place.Position, place.Chapter, place.Verse);
  if (!session.Context().BookFound) {
    throw LectoraError("", 0, "no book found in \"" + typed + "\"");
  }
  const std::string folder = TranslationFolderName(translation);
  if (place.Position < 1 || place.Position > bible.BookCount) {
    throw LectoraError("", 0,
                       "translation " + std::to_string(translation) + " (" + folder +
                           ") does not hold the book of \"" + typed + "\"");
  }
  place.BookName = ToUtf8(bible.Books[bible.BookOrder[place.Position]].Name, bible);
  if (place.Chapter < 1 || place.Chapter > ChapterCount(bible, place.Position)) {
    throw LectoraError(
        "", 0,
        place.BookName + " has no chapter " + std::to_string(place.Chapter) + " in " + folder);
  }
  return place;
}

// Throws LectoraError unless `place`'s verse lies in its chapter.
void CheckVerse(const TBible& bible, int translation, const TTypedPlace& place) {
  if (place.Verse < 1 || place.Verse > VerseCount(bible, place.Position, place.Chapter)) {
    throw LectoraError("", 0,
                       place.BookName + " " + std::to_string(place.Chapter) + " has no verse " +
                           std::to_string(place.Verse) + " in " +
                           TranslationFolderName(translation));
  }
}

void RunRead(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  ExpectArguments(options, 1, "one reference TEXT");
  TCliSession session(options.SetupDir, err);
  const TBible& bible = session.Module(options.Translation);
  const TTypedPlace place =
      ReadChapterPlace(session, bible, options.Translation, options.Arguments[0]);
  const int position = place.Position, chapter = place.Chapter;
  int first = place.Verse, last = place.Verse;
  if (options.Chapter) {
    first = 1;
    last = VerseCount(bible, position, chapter);
  } else {
    CheckVerse(bible, options.Translation, place);
  }
  TJsonWriter json;
  json.BeginObject();
  json.Key("verses");
  json.BeginArray();
  for (int v = first; v <= last; ++v) {
    const int number = bible.VerseNumber(position, chapter, v);
    std::string text, reference;
    bible.ReadVerse(number, text);
    if (options.Plain) text = PlainText(text);
    bible.ReferenceText(number, false, reference);
    text = ToUtf8(text, bible);
    reference = ToUtf8(reference, bible);
    if (options.Json) {
      json.BeginObject();
      json.Member("number", number);
      json.Member("reference", reference);
      json.Member("text", text);
      json.EndObject();
    } else {
      out << reference << "\t" << text << "\n";
    }
  }
  json.EndArray();
  json.EndObject();
  if (options.Json) out << json.Text() << "\n";
}

void RunBuildModule(const TCliOptions& options, std::ostream& out) {
  ExpectArguments(options, 2, "SOURCE_DIR and MODULE_DIR");
  if (options.Language < 0) throw UsageError("build-module needs --language N (0..8)");
  const std::string& moduleDir = options.Arguments[1];
  const TModuleCompileReport report =
      TModuleCompiler::Compile(options.Arguments[0], moduleDir, options.Language, options.Strong);
  if (options.Json) {
    TJsonWriter json;
    json.BeginObject();
    json.Member("module", moduleDir);
    json.Member("books", report.BookCount);
    json.Member("verses", report.VerseCount);
    json.Member("words", report.WordCount);
    json.Member("linkedVerses", report.LinkedVerses);
    json.EndObject();
    out << json.Text() << "\n";
  } else {
    out << "Built " << moduleDir << ": " << report.BookCount << " books, " << report.VerseCount
        << " verses, " << report.WordCount << " words, " << report.LinkedVerses
        << " verses with links\n";
  }
}

// The commands that work on one module's word list, concordance and links.
void RunModuleSearch(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& command = options.Command;
  if (command == "words") {
    if (options.Arguments.size() > 1) ExpectArguments(options, 1, "at most one PREFIX");
  } else if (command == "search") {
    ExpectArguments(options, 1, "one QUERY");
  } else if (command == "concordance") {
    ExpectArguments(options, 1, "one WORD");
    if (options.Arguments[0].empty()) throw UsageError("concordance needs a non-empty WORD");
  } else {
    ExpectArguments(options, 1, "one reference TEXT");
  }
  TCliSession session(options.SetupDir, err);
  const TBible& bible = session.Module(options.Translation);
  if (command == "search") {
    RunSearchCommand(bible, options.Search, out);
  } else if (command == "concordance") {
    RunConcordanceCommand(bible, options.Search, out);
  } else if (command == "words") {
    RunWordsCommand(bible, options.Search, out);
  } else {
    const TTypedPlace place =
        ReadChapterPlace(session, bible, options.Translation, options.Arguments[0]);
    CheckVerse(bible, options.Translation, place);
    RunLinksCommand(bible, bible.VerseNumber(place.Position, place.Chapter, place.Verse),
                    options.Search, out);
  }
}

void RunDict(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  ExpectArguments(options, 1, "one WORD");
  if (options.Arguments[0].empty()) throw UsageError("dict needs a non-empty WORD");
  // Dictionaries need none of the module files; only the remembered root.
  const TUserRegistry registry(TUserRegistry::DefaultConfigHome(), kProgramName);
  RunDictCommand(options.SetupDir, &registry, options.Search, out, err);
}

void RunBuildDictionary(const TCliOptions& options, std::ostream& out) {
  ExpectArguments(options, 2, "SOURCE.tsv and BASE");
  if (options.Search.Title.empty()) throw UsageError("build-dictionary needs --title TITLE");
  RunBuildDictionaryCommand(options.Search, out);
}

void RunImport(const TCliOptions& options, std::ostream& out, std::ostream& err) {
  if (options.Command == "import-sword") {
    ExpectArguments(options, 2, "IMP_FILE and MODULE_DIR");
    RunImportSwordCommand(options.Import, out, err);
    return;
  }
  if (options.Arguments.size() < 2) {
    throw UsageError("import-sword-dictionary takes IMP_FILE... and BASE");
  }
  if (options.Import.Title.empty()) {
    throw UsageError("import-sword-dictionary needs --title TITLE");
  }
  RunImportSwordDictionaryCommand(options.Import, out, err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const std::string& toolFolder, std::ostream& out,
           std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return 2;
  }
  try {
    const TCliOptions options = ParseArguments(args, toolFolder);
    if (options.Help) {
      out << kUsage;
      return 0;
    }
    if (options.Version) {
      out << kProgramName << " " << LECTORA_VERSION << "\n";
      return 0;
    }
    if (options.Command == "info") {
      RunInfo(options, out, err);
    } else if (options.Command == "ref") {
      RunRef(options, out, err);
    } else if (options.Command == "read") {
      RunRead(options, out, err);
    } else if (options.Command == "search" || options.Command == "concordance" ||
               options.Command == "words" || options.Command == "links") {
      RunModuleSearch(options, out, err);
    } else if (options.Command == "dict") {
      RunDict(options, out, err);
    } else if (options.Command == "build-dictionary") {
      RunBuildDictionary(options, out);
    } else if (options.Command.starts_with("import-sword")) {
      RunImport(options, out, err);
    } else {
      RunBuildModule(options, out);
    }
    out.flush();
    return 0;
  } catch (const UsageError& error) {
    err << kProgramName << ": " << error.what() << "\n"
        << "Try \"" << kProgramName << " --help\".\n";
  } catch (const std::exception& error) {
    err << kProgramName << ": " << error.what() << "\n";
  } catch (...) {
    err << kProgramName << ": unexpected error\n";
  }
  return 2;
}

}  // namespace lectora
