// lectora-cli's search commands: search, concordance, words, links, dict and
// build-dictionary, run in-process on small modules and dictionaries
// compiled for each test.
#include "modules/CliSearchCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "modules/CliCommands.h"
#include "store/UserRegistry.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::TestDataDir;
using test::WriteFile;

// ---- the --range parser ----

struct RangeCase {
  const char* Text;
  bool Valid;
  std::vector<int> Books;  // the selected books when valid
};

std::vector<int> Range(int first, int last) {
  std::vector<int> books;
  for (int book = first; book <= last; ++book) books.push_back(book);
  return books;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ParseBookRange, ReadsListsAndRangesAndRejectsTheRest) {
  const std::vector<RangeCase> cases = {
      {"1", true, {1}},
      {"87", true, {87}},
      {"22,1", true, {1, 22}},
      {"1-50,63", true, Join(Range(1, 50), {63})},
      {"5-5", true, {5}},
      {"1-87", true, Range(1, 87)},
      {"40-43,1-3,40", true, Join(Range(1, 3), Range(40, 43))},
      {"07", true, {7}},
      {"", false, {}},
      {"0", false, {}},
      {"88", false, {}},
      {"100", false, {}},
      {"1-88", false, {}},
      {"0-3", false, {}},
      {"5-3", false, {}},
      {"1,", false, {}},
      {",1", false, {}},
      {"1,,2", false, {}},
      {"1-", false, {}},
      {"-5", false, {}},
      {"1--5", false, {}},
      {"1-2-3", false, {}},
      {"1 - 5", false, {}},
      {" 1", false, {}},
      {"+1", false, {}},
      {"a", false, {}},
      {"1;2", false, {}},
  };
  for (const RangeCase& c : cases) {
    std::array<bool, 88> selected;
    selected.fill(true);
    selected[0] = false;
    EXPECT_EQ(ParseBookRange(c.Text, selected), c.Valid) << "\"" << c.Text << "\"";
    if (!c.Valid) {
      // A rejected range leaves the selection as it was.
      for (int book = 1; book <= 87; ++book) {
        EXPECT_TRUE(selected[book]) << "\"" << c.Text << "\" book " << book;
      }
      continue;
    }
    std::vector<int> got;
    for (int book = 0; book <= 87; ++book) {
      if (selected[book]) got.push_back(book);
    }
    std::vector<int> expected = c.Books;
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(got, expected) << "\"" << c.Text << "\"";
  }
}

// ---- the commands ----

using test::CliResult;

// The lines of `text`, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

const char kEnglishTitle[] = "English Bible Dictionary";
const char kBulgarianTitle[] = "Библейски речник";

// A setup folder with the shared files and three modules: the King James
// sample as translation 8 (Strong's numbers, links), the English search
// sample as translation 9 and the Bulgarian search sample as translation 0;
// and a configuration folder of its own, so no test touches the real home
// folder.
//
// English search sample, verse numbers: Genesis 1:1..8 = 1..8, Exodus
// 1:1..2 = 9..10, Psalms 1:1..3 = 11..13.
class CliSearchCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    Build(TestDataDir() + "kjv-sample", "KJVSN", "5", true);
    Build(TestDataDir() + "search-en", "ASV", "5", false);
    Build(TestDataDir() + "search-bg", "ORT", "0", false);
  }

  void Build(const std::string& source, const std::string& folder, const char* language,
             bool strong) {
    std::vector<std::string> args = {"build-module", source, setup_.File(folder), "--language",
                                     language};
    if (strong) args.push_back("--strong");
    const CliResult built = Run(args);
    ASSERT_EQ(built.Status, 0) << built.Err;
  }

  // Compiles the two sample dictionaries into the setup folder's
  // Dictionaries with the command under test.
  void InstallDictionaries() {
    for (const auto& [source, base, title] : {std::tuple{"dict-en", "En", kEnglishTitle},
                                              std::tuple{"dict-bg", "Bg", kBulgarianTitle}}) {
      const CliResult built = Run({"build-dictionary", TestDataDir() + source + "/source.tsv",
                                   setup_.File("Dictionaries/") + base, "--title", title});
      ASSERT_EQ(built.Status, 0) << built.Err;
    }
  }

  // Runs with the setup folder as the tool's folder.
  CliResult Run(const std::vector<std::string>& args) const {
    return test::RunCliIn(setup_.Path(), args);
  }

  // Runs `args` on the English search sample.
  CliResult RunEnglish(std::vector<std::string> args) const {
    args.insert(args.end(), {"--translation", "9"});
    return Run(args);
  }

  TempDir config_;
  test::ScopedConfigHome configHome_{config_.Path()};
  TempDir setup_;
};

TEST_F(CliSearchCommands, SearchAsJsonListsVersesAndResultLines) {
  const CliResult result = RunEnglish({"search", "moon sun", "--range", "22", "--json"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out,
            "{\"query\":\"moon sun\",\"count\":1,\"verses\":[13],\"lines\":[\"Psalms 1:3 "
            "...him, sun and moon: praise him,...\"]}\n");
}

struct OrderCase {
  std::vector<std::string> Options;
  std::string Verses;  // the JSON array of verse numbers
};

TEST_F(CliSearchCommands, WordOrderAndRangeReachTheSearch) {
  const std::vector<OrderCase> cases = {
      {{}, "[1,2,3,4,5,8,9,13]"},
      {{"--order", "0"}, "[1,2,3,4,5,8,9,13]"},
      {{"--order", "1"}, "[1,3,4,5,8,9,13]"},
      {{"--order", "2"}, "[3,4,5,8]"},
      {{"--range", "1"}, "[1,2,3,4,5,8]"},
      {{"--range", "2,22"}, "[9,13]"},
      {{"--range", "2-87"}, "[9,13]"},
      {{"--range", "3-21,23-87"}, "[]"},
      {{"--order", "1", "--range", "1-2"}, "[1,3,4,5,8,9]"},
  };
  for (const OrderCase& c : cases) {
    std::vector<std::string> args = {"search", "sun moon", "--json"};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    const CliResult result = RunEnglish(args);
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("\"verses\":" + c.Verses + ","), std::string::npos)
        << testing::PrintToString(c.Options) << ": " << result.Out;
  }
}

TEST_F(CliSearchCommands, SearchAsTextShowsTheQueryReadBack) {
  // The blank before "/" is dropped and the brackets are written back.
  const CliResult result = RunEnglish({"search", "(moon /stars)_red"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  const std::vector<std::string> lines = Lines(result.Out);
  ASSERT_EQ(lines.size(), 10u) << result.Out;
  EXPECT_EQ(lines[0], "Query: (moon/stars)_red");
  EXPECT_EQ(lines[1], "Verses: 8");
  EXPECT_EQ(lines[2].substr(0, 12), "Genesis 1:1 ");
  EXPECT_EQ(lines[3].substr(0, 12), "Genesis 1:3 ");
  EXPECT_EQ(lines[9].substr(0, 11), "Psalms 1:3 ");

  const CliResult found = RunEnglish({"search", "stars_moon"});
  EXPECT_EQ(found.Status, 0) << found.Err;
  EXPECT_EQ(found.Out, "Query: stars_moon\nVerses: 1\nGenesis 1:7 The stars and the sun.\n");
}

TEST_F(CliSearchCommands, AnEmptyOrUnknownQueryFindsNothing) {
  for (const char* query : {"", "   ", "xyzzy"}) {
    const CliResult result = RunEnglish({"search", query, "--json"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    const std::string shown = std::string(query) == "xyzzy" ? "xyzzy" : "";
    EXPECT_EQ(result.Out, "{\"query\":\"" + shown + "\",\"count\":0,\"verses\":[],\"lines\":[]}\n")
        << "\"" << query << "\"";
  }
}

TEST_F(CliSearchCommands, ACyrillicQueryInUtf8FindsTheBulgarianVerses) {
  const CliResult result = Run({"search", "бог", "--translation", "0", "--json"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out,
            "{\"query\":\"бог\",\"count\":2,\"verses\":[1,2],\"lines\":["
            "\"Битие 1:1 ...началото Бог сътвори небето и земята.\","
            "\"Битие 1:2 ...рече Бог: Да бъде светлина. И...\"]}\n");

  const CliResult phrase = Run({"search", "\"Бог сътвори\"", "--translation", "0"});
  EXPECT_EQ(phrase.Status, 0) << phrase.Err;
  ASSERT_EQ(Lines(phrase.Out).size(), 3u) << phrase.Out;
  EXPECT_EQ(Lines(phrase.Out)[0], "Query: Бог сътвори");
  EXPECT_EQ(Lines(phrase.Out)[1], "Verses: 1");
  EXPECT_TRUE(Lines(phrase.Out)[2].starts_with("Битие 1:1 ")) << phrase.Out;

  const CliResult alien = Run({"search", "бог α", "--translation", "0"});
  EXPECT_EQ(alien.Status, 2);
  EXPECT_NE(alien.Err.find("code page 1251"), std::string::npos) << alien.Err;
}

TEST_F(CliSearchCommands, ConcordanceFindsAWordInAnyCase) {
  const CliResult json = RunEnglish({"concordance", "MOON", "--json"});
  EXPECT_EQ(json.Status, 0) << json.Err;
  const CliResult moon = RunEnglish({"words", "moon", "--count", "1", "--json"});
  ASSERT_EQ(moon.Status, 0) << moon.Err;
  // The index is the word's row of the word list.
  const std::string rowPrefix = "{\"index\":";
  ASSERT_EQ(moon.Out.substr(0, rowPrefix.size()), rowPrefix);
  const std::string index =
      moon.Out.substr(rowPrefix.size(), moon.Out.find(',') - rowPrefix.size());
  EXPECT_EQ(moon.Out, rowPrefix + index + ",\"entries\":[\"moon 8\"]}\n");
  EXPECT_EQ(json.Out, "{\"word\":\"MOON\",\"index\":" + index +
                          ",\"found\":true,\"count\":8,\"references\":[\"Genesis 1:1\","
                          "\"Genesis 1:2\",\"Genesis 1:3\",\"Genesis 1:4\",\"Genesis 1:5\","
                          "\"Genesis 1:8\",\"Exodus 1:1\",\"Psalms 1:3\"]}\n");

  // A word between two others: the index of the next word, nothing found.
  const CliResult absent = RunEnglish({"concordance", "moo", "--json"});
  EXPECT_EQ(absent.Status, 0) << absent.Err;
  EXPECT_EQ(absent.Out, "{\"word\":\"moo\",\"index\":" + index +
                            ",\"found\":false,\"count\":0,\"references\":[]}\n");

  const CliResult text = RunEnglish({"concordance", "moonlight"});
  EXPECT_EQ(text.Status, 0) << text.Err;
  EXPECT_EQ(text.Out, "Word:   moonlight\nIndex:  " + std::to_string(std::stoi(index) + 1) +
                          "\nFound:  yes\nVerses: 1\nGenesis 1:6\n");
}

TEST_F(CliSearchCommands, ConcordanceOfAStrongsNumber) {
  const CliResult result = Run({"concordance", "7225"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  const std::vector<std::string> lines = Lines(result.Out);
  ASSERT_EQ(lines.size(), 5u) << result.Out;
  EXPECT_EQ(lines[2], "Found:  yes");
  EXPECT_EQ(lines[3], "Verses: 1");
  EXPECT_EQ(lines[4], "Genesis 1:1");
}

TEST_F(CliSearchCommands, WordsListsRowsFromWhereThePrefixStands) {
  const CliResult prefix = RunEnglish({"words", "mo", "--count", "2"});
  EXPECT_EQ(prefix.Status, 0) << prefix.Err;
  EXPECT_EQ(prefix.Out, "moon 8\nmoonlight 1\n");

  const CliResult all = RunEnglish({"words", "--count", "100000", "--json"});
  EXPECT_EQ(all.Status, 0) << all.Err;
  EXPECT_EQ(all.Out.substr(0, 23), "{\"index\":0,\"entries\":[\"");
  // Every row is "word count", and the list is the whole word list.
  const CliResult firstRows = RunEnglish({"words"});
  const std::vector<std::string> rows = Lines(firstRows.Out);
  ASSERT_EQ(rows.size(), 20u) << firstRows.Out;
  for (const std::string& row : rows) {
    const std::size_t blank = row.rfind(' ');
    ASSERT_NE(blank, std::string::npos) << row;
    EXPECT_GT(std::stoi(row.substr(blank + 1)), 0) << row;
    EXPECT_NE(all.Out.find("\"" + row + "\""), std::string::npos) << row;
  }
  EXPECT_EQ(RunEnglish({"words", "--count", "0"}).Out, "");

  // After the last word the list shows nothing, from the end.
  const CliResult past = RunEnglish({"words", "zzzz", "--json"});
  EXPECT_EQ(past.Status, 0) << past.Err;
  const std::size_t total =
      static_cast<std::size_t>(std::count(all.Out.begin(), all.Out.end(), '"')) / 2 - 2;
  EXPECT_EQ(past.Out, "{\"index\":" + std::to_string(total) + ",\"entries\":[]}\n");

  const CliResult bulgarian = Run({"words", "бо", "--count", "2", "--translation", "0", "--json"});
  EXPECT_EQ(bulgarian.Status, 0) << bulgarian.Err;
  EXPECT_NE(bulgarian.Out.find(",\"entries\":[\"бог 2\",\"бога 1\"]}"), std::string::npos)
      << bulgarian.Out;
}

TEST_F(CliSearchCommands, LinksListTheCrossReferencesOfAVerse) {
  const CliResult text = Run({"links", "Gen 1:1"});
  EXPECT_EQ(text.Status, 0) << text.Err;
  // In verse-number order, not in the order of the source.
  EXPECT_EQ(text.Out, "Psalms 8:3\nPsalms 19:1\nJohn 1:1\n");

  const CliResult json = Run({"links", "John 3:16", "--json"});
  EXPECT_EQ(json.Status, 0) << json.Err;
  EXPECT_EQ(json.Out, "{\"reference\":\"John 3:16\",\"links\":[\"Psalms 2:7\"]}\n");

  const CliResult none = Run({"links", "Gen 1:2"});
  EXPECT_EQ(none.Status, 0) << none.Err;
  EXPECT_EQ(none.Out, "");
  EXPECT_EQ(Run({"links", "Gen 1:2", "--json"}).Out,
            "{\"reference\":\"Genesis 1:2\",\"links\":[]}\n");

  // A module without links files has no links at all.
  const CliResult noFiles = RunEnglish({"links", "Gen 1:1", "--json"});
  EXPECT_EQ(noFiles.Status, 0) << noFiles.Err;
  EXPECT_EQ(noFiles.Out, "{\"reference\":\"Genesis 1:1\",\"links\":[]}\n");
}

TEST_F(CliSearchCommands, BuildDictionaryReportsWhatItWrote) {
  const CliResult text = Run({"build-dictionary", TestDataDir() + "dict-en/source.tsv",
                              setup_.File("d/En"), "--title", kEnglishTitle});
  EXPECT_EQ(text.Status, 0) << text.Err;
  EXPECT_EQ(text.Out, "Built " + setup_.File("d/En") +
                          " (\"English Bible Dictionary\"): " + "6 headwords, 8 explanations\n");
  for (const char* extension : {".ind", ".ibf", ".ibp", "C.ibf", "C.ibp"}) {
    EXPECT_TRUE(fs::is_regular_file(setup_.File("d/En") + extension)) << extension;
  }
  const CliResult json = Run({"build-dictionary", TestDataDir() + "dict-bg/source.tsv",
                              setup_.File("d/Bg"), "--title", kBulgarianTitle, "--json"});
  EXPECT_EQ(json.Status, 0) << json.Err;
  EXPECT_EQ(json.Out, "{\"dictionary\":\"" + setup_.File("d/Bg") +
                          "\",\"title\":\"Библейски речник\",\"headwords\":5,"
                          "\"explanations\":7}\n");
}

TEST_F(CliSearchCommands, DictSearchesEveryDictionaryOfTheSetupFolder) {
  InstallDictionaries();
  struct DictCase {
    const char* Word;
    std::string Json;
  };
  const std::vector<DictCase> cases = {
      {"faith",
       "{\"found\":true,\"dictionary\":\"English Bible Dictionary\",\"position\":2,"
       "\"explanations\":[\"Faith, the assurance of things hoped for.\","
       "\"Faith Trust in God and in his word.\",\"FAITH (3), the body of belief.\"]}\n"},
      {"ZION",
       "{\"found\":true,\"dictionary\":\"English Bible Dictionary\",\"position\":5,"
       "\"explanations\":[\"Zion, the hill of Jerusalem.\"]}\n"},
      {"Вяра",
       "{\"found\":true,\"dictionary\":\"Библейски речник\",\"position\":2,"
       "\"explanations\":[\"Вяра, увереност в неща, за които се надяваме.\","
       "\"вяра Доверие в Бога и в словото Му.\",\"ВЯРА (3), учението на църквата.\"]}\n"},
      // Not a headword: the dictionary whose letters hold the word, and the
      // place where it would stand.
      {"гора",
       "{\"found\":false,\"dictionary\":\"Библейски речник\",\"position\":3,"
       "\"explanations\":[]}\n"},
      {"fiat",
       "{\"found\":false,\"dictionary\":\"English Bible Dictionary\",\"position\":3,"
       "\"explanations\":[]}\n"},
      // No dictionary holds these letters: none is chosen.
      {"123", "{\"found\":false,\"dictionary\":\"\",\"position\":-1,\"explanations\":[]}\n"},
  };
  for (const DictCase& c : cases) {
    const CliResult result = Run({"dict", c.Word, "--json"});
    EXPECT_EQ(result.Status, 0) << c.Word << ": " << result.Err;
    EXPECT_EQ(result.Out, c.Json) << c.Word;
  }

  const CliResult text = Run({"dict", "любов"});
  EXPECT_EQ(text.Status, 0) << text.Err;
  EXPECT_EQ(text.Out,
            "Found:      yes\nDictionary: Библейски речник\nPosition:   4\n"
            "[1] Любов, първата от добродетелите.\n");
}

TEST_F(CliSearchCommands, DictLooksInTheRememberedRootToo) {
  InstallDictionaries();
  TempDir root;
  WriteFile(root.File("names.tsv"), "Moses\tMoses, the lawgiver.\nAaron\tAaron, a priest.\n");
  ASSERT_EQ(Run({"build-dictionary", root.File("names.tsv"), root.File("Dictionaries/Names"),
                 "--title", "bible names"})
                .Status,
            0);
  // Before the root is remembered no dictionary has the letters of the word.
  EXPECT_EQ(Run({"dict", "moses", "--json"}).Out,
            "{\"found\":false,\"dictionary\":\"\",\"position\":-1,\"explanations\":[]}\n");
  TUserRegistry(config_.Path(), "lectora-cli").WriteRegValue("SetupPath", root.Path());
  EXPECT_EQ(Run({"dict", "moses", "--json"}).Out,
            "{\"found\":true,\"dictionary\":\"bible names\",\"position\":1,"
            "\"explanations\":[\"Moses, the lawgiver.\"]}\n");
}

TEST_F(CliSearchCommands, DictInOneGivenDictionary) {
  InstallDictionaries();
  // The Bulgarian word is not looked for elsewhere.
  const CliResult other =
      Run({"dict", "вяра", "--dictionary", setup_.File("Dictionaries/En"), "--json"});
  EXPECT_EQ(other.Status, 0) << other.Err;
  EXPECT_EQ(other.Out,
            "{\"found\":false,\"dictionary\":\"English Bible Dictionary\",\"position\":0,"
            "\"explanations\":[]}\n");
  const CliResult found = Run({"dict", "abba", "--dictionary", setup_.File("Dictionaries/En.ind")});
  EXPECT_EQ(found.Status, 0) << found.Err;
  EXPECT_EQ(found.Out,
            "Found:      yes\nDictionary: English Bible Dictionary\nPosition:   0\n"
            "[1] Abba Father; the word of Jesus in Gethsemane.\n");
}

TEST_F(CliSearchCommands, DictWithoutDictionariesIsAnError) {
  const CliResult none = Run({"dict", "faith"});
  EXPECT_EQ(none.Status, 2);
  EXPECT_TRUE(none.Out.empty()) << none.Out;
  EXPECT_NE(none.Err.find("no dictionaries found"), std::string::npos) << none.Err;
  // Neither the module files nor the shared files are needed.
  TempDir bare;
  InstallDictionaries();
  fs::copy(setup_.File("Dictionaries"), bare.File("Dictionaries"));
  const CliResult found = Run({"dict", "faith", "--setup-dir", bare.Path(), "--json"});
  EXPECT_EQ(found.Status, 0) << found.Err;
  EXPECT_NE(found.Out.find("\"found\":true"), std::string::npos) << found.Out;
}

struct UsageCase {
  const char* Name;
  std::vector<std::string> Args;
  const char* Fragment;  // expected on standard error
};

TEST_F(CliSearchCommands, BadUsageAndErrorsExitWith2) {
  InstallDictionaries();
  const std::vector<UsageCase> cases = {
      {"SearchWithoutQuery", {"search"}, "takes one QUERY"},
      {"SearchTwoQueries", {"search", "a", "b"}, "takes one QUERY"},
      {"OrderOutOfRange", {"search", "sun", "--order", "3"}, "--order takes 0, 1 or 2"},
      {"OrderNotANumber", {"search", "sun", "--order", "x"}, "--order takes 0, 1 or 2"},
      {"RangeOutOfRange", {"search", "sun", "--range", "1-88"}, "--range takes"},
      {"RangeMalformed", {"search", "sun", "--range", "1,,2"}, "--range takes"},
      {"RangeWithoutValue", {"search", "sun", "--range"}, "needs a value"},
      {"RangeOfAnotherCommand", {"words", "--range", "1"}, "does not apply to words"},
      {"ConcordanceWithoutWord", {"concordance"}, "takes one WORD"},
      {"ConcordanceEmptyWord", {"concordance", ""}, "non-empty WORD"},
      {"WordsTwoPrefixes", {"words", "a", "b"}, "at most one PREFIX"},
      {"CountNegative", {"words", "--count", "-1"}, "--count takes"},
      {"LinksWithoutBook", {"links", "3:16"}, "no book found"},
      {"LinksMissingChapter", {"links", "John 4:1"}, "John has no chapter 4"},
      {"LinksMissingVerse", {"links", "John 3:99"}, "John 3 has no verse 99"},
      {"SearchModuleMissing", {"search", "sun", "--translation", "7"}, "translation 7"},
      {"DictEmptyWord", {"dict", ""}, "non-empty WORD"},
      {"DictAlienLetter", {"dict", "α"}, "code page 1251"},
      {"DictMissingFile",
       {"dict", "faith", "--dictionary", "/nonexistent/En"},
       "/nonexistent/En.ind"},
      {"DictionaryOfAnotherCommand", {"search", "sun", "--dictionary", "x"}, "does not apply"},
      {"BuildDictionaryWithoutTitle", {"build-dictionary", "a.tsv", "b"}, "--title"},
      {"BuildDictionaryOneArgument",
       {"build-dictionary", "a.tsv", "--title", "t"},
       "SOURCE.tsv and BASE"},
      {"BuildDictionaryMissingSource",
       {"build-dictionary", "/nonexistent/a.tsv", "/nonexistent/b", "--title", "t"},
       "/nonexistent/a.tsv"},
  };
  for (const UsageCase& c : cases) {
    const CliResult result = Run(c.Args);
    EXPECT_EQ(result.Status, 2) << c.Name;
    EXPECT_TRUE(result.Out.empty()) << c.Name << ": " << result.Out;
    EXPECT_NE(result.Err.find(c.Fragment), std::string::npos) << c.Name << ": " << result.Err;
  }
}

TEST_F(CliSearchCommands, UsageNamesTheNewCommands) {
  const CliResult help = Run({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const char* command : {"search QUERY", "concordance WORD", "words [PREFIX]", "links TEXT",
                              "dict WORD", "build-dictionary SOURCE.tsv"}) {
    EXPECT_NE(help.Out.find(command), std::string::npos) << command;
  }
}

}  // namespace
}  // namespace lectora
