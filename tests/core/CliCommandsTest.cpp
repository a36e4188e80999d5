#include "modules/CliCommands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "modules/JsonWriter.h"
#include "store/StandardStructure.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct JsonStringCase {
  const char* Name;
  std::string Input;
  std::string Expected;
};

void PrintTo(const JsonStringCase& c, std::ostream* os) { *os << c.Name; }

class JsonWriterStrings : public ::testing::TestWithParam<JsonStringCase> {};

TEST_P(JsonWriterStrings, EscapesAndKeepsValidUtf8) {
  TJsonWriter json;
  json.String(GetParam().Input);
  EXPECT_EQ(json.Text(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonWriterStrings,
    ::testing::Values(
        JsonStringCase{"Plain", "John 3:16", "\"John 3:16\""},
        JsonStringCase{"QuoteAndBackslash", "say \"\\God\\\"", "\"say \\\"\\\\God\\\\\\\"\""},
        JsonStringCase{"Controls", "a\tb\r\nc\x01\x1F\b\f", "\"a\\tb\\r\\nc\\u0001\\u001f\\b\\f\""},
        JsonStringCase{"Utf8Kept", "Битие ’ 𝄞", "\"Битие ’ 𝄞\""},
        JsonStringCase{"LoneByte",
                       "a\xFF"
                       "b",
                       "\"a\xEF\xBF\xBD"
                       "b\""},
        JsonStringCase{"Truncated", "a\xE2\x80", "\"a\xEF\xBF\xBD\xEF\xBF\xBD\""},
        JsonStringCase{"Overlong", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        JsonStringCase{"Surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}),
    [](const ::testing::TestParamInfo<JsonStringCase>& info) {
      return std::string(info.param.Name);
    });

TEST(JsonWriter, SeparatesMembersAndElements) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("a");
  json.BeginArray();
  json.Number(1);
  json.Bool(true);
  json.Null();
  json.BeginObject();
  json.Member("b", "x");
  json.EndObject();
  json.BeginArray();
  json.EndArray();
  json.EndArray();
  json.Member("c", -5);
  json.Member("d", false);
  json.EndObject();
  EXPECT_EQ(json.Text(), "{\"a\":[1,true,null,{\"b\":\"x\"},[]],\"c\":-5,\"d\":false}");
}

using test::CliResult;

// A setup folder with the shared files and the King James sample as
// translation 8, and a configuration folder of its own, so no test touches
// the real home folder.
class CliCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    const CliResult built = Run({"build-module", test::TestDataDir() + "kjv-sample",
                                 setup_.File("KJVSN"), "--language", "5", "--strong"});
    ASSERT_EQ(built.Status, 0) << built.Err;
  }

  // Runs with the setup folder as the tool's folder (so no --setup-dir is
  // needed).
  CliResult Run(const std::vector<std::string>& args) const {
    return test::RunCliIn(setup_.Path(), args);
  }

  // Builds a small Bulgarian module as translation 0 ("ORT", language 0).
  void BuildBulgarianModule() {
    WriteFile(source_.File("books.tsv"), "1\tПърва книга Мойсеева: Битие\tБитие\tБит\n");
    WriteFile(source_.File("verses.tsv"),
              "1\t1\t1\tВ началото Бог сътвори небето и земята.\n"
              "1\t1\t2\tЗемята беше пуста и празна.\n");
    const CliResult built =
        Run({"build-module", source_.Path(), setup_.File("ORT"), "--language", "0"});
    ASSERT_EQ(built.Status, 0) << built.Err;
  }

  TempDir config_;
  test::ScopedConfigHome configHome_{config_.Path()};
  TempDir setup_;
  TempDir source_;
};

TEST_F(CliCommands, InfoListsTheModulesOfTheSetupFolder) {
  const CliResult json = Run({"info", "--json"});
  EXPECT_EQ(json.Status, 0) << json.Err;
  EXPECT_EQ(json.Out,
            "{\"translations\":[{\"number\":8,\"folder\":\"KJVSN\",\"books\":3,\"chapters\":27,"
            "\"verses\":445}]}\n");
  const CliResult text = Run({"info"});
  EXPECT_EQ(text.Status, 0);
  EXPECT_NE(text.Out.find("KJVSN"), std::string::npos);
  EXPECT_NE(text.Out.find("445"), std::string::npos);
}

TEST_F(CliCommands, InfoOfAFolderWithoutModules) {
  TempDir empty;
  test::CopySharedData(empty.Path());
  const CliResult json = Run({"info", "--json", "--setup-dir", empty.Path()});
  EXPECT_EQ(json.Status, 0) << json.Err;
  EXPECT_EQ(json.Out, "{\"translations\":[]}\n");
}

TEST_F(CliCommands, RefReportsTheParsedPlace) {
  TStandardStructure standard;
  standard.Load(setup_.Path(), nullptr);
  const CliResult result = Run({"ref", "John 3:16", "--json"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out,
            "{\"found\":true,\"bookFound\":true,\"bookPosition\":3,\"bookNumber\":54,"
            "\"chapter\":3,\"verse\":16,\"verseNumber\":" +
                std::to_string(31 + 302 + 51 + 25 + 16) +
                ",\"standardNumber\":" + std::to_string(standard.StandardNumber(54, 3, 16)) +
                ",\"reference\":\"John 3:16\"}\n");

  const CliResult text = Run({"ref", "Ps 23:1"});
  EXPECT_EQ(text.Status, 0) << text.Err;
  EXPECT_NE(text.Out.find("Book number:     22\n"), std::string::npos) << text.Out;
  EXPECT_NE(text.Out.find("Reference:       Psalms 23:1\n"), std::string::npos) << text.Out;
}

TEST_F(CliCommands, RefWithoutABookOrOutsideTheBook) {
  EXPECT_EQ(Run({"ref", "3:16", "--json"}).Out,
            "{\"found\":true,\"bookFound\":false,\"bookPosition\":0,\"bookNumber\":0,"
            "\"chapter\":3,\"verse\":16,\"verseNumber\":0,\"standardNumber\":0,"
            "\"reference\":\"\"}\n");
  // A chapter the book lacks would otherwise name a verse of the next book.
  EXPECT_EQ(Run({"ref", "Genesis 2:1", "--json"}).Out,
            "{\"found\":true,\"bookFound\":true,\"bookPosition\":1,\"bookNumber\":1,"
            "\"chapter\":2,\"verse\":1,\"verseNumber\":0,\"standardNumber\":0,"
            "\"reference\":\"\"}\n");
}

TEST_F(CliCommands, ReadPrintsStoredOrPlainText) {
  const CliResult stored = Run({"read", "Ps 23:1"});
  EXPECT_EQ(stored.Status, 0) << stored.Err;
  EXPECT_EQ(stored.Out,
            "Psalms 23:1\tThe LORD <3068> |is| my shepherd <7462>; I shall not want "
            "<2637>.\n");
  const CliResult plain = Run({"read", "--plain", "Ps 23:1"});
  EXPECT_EQ(plain.Out, "Psalms 23:1\tThe LORD is my shepherd; I shall not want.\n");
}

TEST_F(CliCommands, ReadingLeavesNoSettingsFileBehind) {
  ASSERT_EQ(Run({"read", "Ps 23:1"}).Status, 0);
  ASSERT_EQ(Run({"info"}).Status, 0);
  EXPECT_FALSE(std::filesystem::exists(setup_.File("lectora-cli.ini")));
}

TEST_F(CliCommands, ReadsAWholeChapter) {
  const CliResult result = Run({"read", "Psalms 23", "--chapter", "--plain"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  std::vector<std::string> lines;
  std::istringstream in(result.Out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 6u) << result.Out;
  EXPECT_EQ(lines[0].substr(0, 12), "Psalms 23:1\t");
  EXPECT_EQ(lines[5],
            "Psalms 23:6\tSurely goodness and mercy shall follow me all the days of my "
            "life: and I will dwell in the house of the LORD for ever.{for ever: Heb. "
            "to length of days}");
}

TEST_F(CliCommands, ReadAsJsonConvertsTheCodePageToUtf8) {
  const CliResult result = Run({"read", "Ps 23:3", "--json"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out,
            "{\"verses\":[{\"number\":330,\"reference\":\"Psalms 23:3\",\"text\":\"He restoreth "
            "<7725> my soul <5315>: he leadeth <5148> me in the paths <4570> of righteousness "
            "<6664> for his name’s <8034> sake.\"}]}\n");
}

TEST_F(CliCommands, OptionsGoAnywhereAfterTheCommand) {
  const std::string expected = Run({"ref", "John 3:16", "--json"}).Out;
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Run({"ref", "--json", "John 3:16"}).Out, expected);
  EXPECT_EQ(
      Run({"ref", "--translation", "8", "John 3:16", "--setup-dir", setup_.Path(), "--json"}).Out,
      expected);
  // The default setup folder is the tool's own; another one is honoured.
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"ref", "John 3:16", "--json", "--setup-dir", setup_.Path()}, "/nonexistent/",
                   out, err),
            0)
      << err.str();
  EXPECT_EQ(out.str(), expected);
  EXPECT_EQ(Run({"--json", "ref", "John 3:16"}).Status, 2);
}

struct UsageCase {
  const char* Name;
  std::vector<std::string> Args;
  const char* Fragment;  // expected on standard error
};

TEST_F(CliCommands, BadUsageAndErrorsExitWith2) {
  const std::vector<UsageCase> cases = {
      {"UnknownCommand", {"frobnicate"}, "unknown command \"frobnicate\""},
      {"RefWithoutText", {"ref"}, "takes one reference"},
      {"RefTwoTexts", {"ref", "a", "b"}, "takes one reference"},
      {"OptionOfAnotherCommand", {"read", "John 3:16", "--strong"}, "does not apply to read"},
      {"UnknownOption", {"ref", "John 3:16", "--bogus"}, "unknown option --bogus"},
      {"TranslationOutOfRange", {"ref", "John 3:16", "--translation", "12"}, "0..11"},
      {"TranslationNotANumber", {"ref", "John 3:16", "--translation", "8x"}, "0..11"},
      {"OptionWithoutValue", {"ref", "John 3:16", "--translation"}, "needs a value"},
      {"BuildWithoutLanguage", {"build-module", "a", "b"}, "--language"},
      {"ReadWithoutBook", {"read", "3:16"}, "no book found in \"3:16\""},
      {"ReadBookNotInModule", {"read", "Ex 1:1"}, "does not hold the book"},
      {"ReadMissingChapter", {"read", "John 4:1"}, "John has no chapter 4"},
      {"ReadMissingVerse", {"read", "John 3:99"}, "John 3 has no verse 99"},
      {"ModuleNotInSetupFolder",
       {"ref", "John 3:16", "--translation", "9"},
       "translation 9 (folder \"ASV\") is not in the setup folder"},
      {"BuildFromMissingSource",
       {"build-module", "/nonexistent-source", "x", "--language", "5"},
       "books.tsv"},
  };
  for (const UsageCase& c : cases) {
    const CliResult result = Run(c.Args);
    EXPECT_EQ(result.Status, 2) << c.Name;
    EXPECT_TRUE(result.Out.empty()) << c.Name << ": " << result.Out;
    EXPECT_NE(result.Err.find(c.Fragment), std::string::npos) << c.Name << ": " << result.Err;
  }
}

TEST_F(CliCommands, HelpAndNoCommandPrintUsage) {
  const CliResult help = Run({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("Usage: lectora-cli COMMAND"), std::string::npos);
  EXPECT_NE(help.Out.find("build-module"), std::string::npos);
  const CliResult none = Run({});
  EXPECT_EQ(none.Status, 2);
  EXPECT_NE(none.Err.find("Usage: lectora-cli COMMAND"), std::string::npos);
  const CliResult version = Run({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, std::string("lectora-cli ") + LECTORA_VERSION + "\n");
}

TEST_F(CliCommands, MissingSharedFilesAreReported) {
  for (const char* name : {"BibleStructure.txt", "Abrevs.txt"}) {
    TempDir setup;
    test::CopySharedData(setup.Path());
    fs::copy(setup_.File("KJVSN"), setup.File("KJVSN"));
    fs::remove(setup.File(name));
    for (const char* command : {"info", "ref", "read"}) {
      std::vector<std::string> args = {command, "--setup-dir", setup.Path()};
      if (std::string(command) != "info") args.push_back("John 3:16");
      const CliResult result = Run(args);
      EXPECT_EQ(result.Status, 2) << command;
      EXPECT_NE(result.Err.find(std::string("File not found: ") + setup.File(name)),
                std::string::npos)
          << result.Err;
    }
  }
  // Compiling needs neither file.
  TempDir empty;
  EXPECT_EQ(Run({"build-module", test::TestDataDir() + "kjv-sample", empty.File("out"),
                 "--language", "5", "--setup-dir", empty.Path()})
                .Status,
            0);
}

TEST_F(CliCommands, Utf8ArgumentsMeetAWindows1251Module) {
  BuildBulgarianModule();
  const CliResult ref = Run({"ref", "битие 1:2", "--translation", "0", "--json"});
  EXPECT_EQ(ref.Status, 0) << ref.Err;
  EXPECT_NE(ref.Out.find("\"bookNumber\":1,\"chapter\":1,\"verse\":2,\"verseNumber\":2"),
            std::string::npos)
      << ref.Out;
  EXPECT_NE(ref.Out.find("\"reference\":\"Битие 1:2\""), std::string::npos) << ref.Out;

  const CliResult read = Run({"read", "Бит 1:1", "--translation", "0"});
  EXPECT_EQ(read.Status, 0) << read.Err;
  EXPECT_EQ(read.Out, "Битие 1:1\tВ началото Бог сътвори небето и земята.\n");

  const CliResult alien = Run({"read", "Битие α", "--translation", "0"});
  EXPECT_EQ(alien.Status, 2);
  EXPECT_NE(alien.Err.find("code page 1251"), std::string::npos) << alien.Err;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

TEST_F(CliCommands, TheExecutableExitsWith2OnErrors) {
  TempDir run;
  const std::string environment = "XDG_CONFIG_HOME=" + ShellQuote(config_.Path()) + " ";
  const std::string redirect =
      " >" + ShellQuote(run.File("out")) + " 2>" + ShellQuote(run.File("err"));
  const std::string cli = ShellQuote(LECTORA_CLI_PATH);

  int status = std::system((environment + cli + " read 'John 3:16' --setup-dir " +
                            ShellQuote(run.File("missing/")) + redirect)
                               .c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(ReadFile(run.File("out")), "");
  EXPECT_NE(ReadFile(run.File("err")).find("File not found: "), std::string::npos);

  status = std::system((environment + cli + " read 'John 3:16' --plain --setup-dir " +
                        ShellQuote(setup_.Path()) + redirect)
                           .c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile(run.File("err"));
  EXPECT_EQ(ReadFile(run.File("out")).substr(0, 14), "John 3:16\tFor ");
}

}  // namespace
}  // namespace lectora
