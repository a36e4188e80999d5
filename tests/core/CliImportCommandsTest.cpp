#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "modules/CliCommands.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;
using test::WriteFile;

using test::CliResult;

// A setup folder with the shared files, and a configuration folder of its
// own so that no test touches the real home folder.
class CliImportCommands : public ::testing::Test {
 protected:
  void SetUp() override { test::CopySharedData(setup_.Path()); }

  CliResult Run(const std::vector<std::string>& args) const {
    return test::RunCliIn(setup_.Path(), args);
  }

  static std::string Snippet() { return test::TestDataDir() + "imp-bible/snippet.imp"; }

  // The standard verse number `ref --json` reports for `reference`.
  long StandardNumber(const std::string& reference, const std::string& translation) const {
    const CliResult ref = Run({"ref", reference, "--json", "--translation", translation});
    EXPECT_EQ(ref.Status, 0) << ref.Err;
    const std::string key = "\"standardNumber\":";
    const std::size_t at = ref.Out.find(key);
    if (at == std::string::npos) return -1;
    return std::strtol(ref.Out.c_str() + at + key.size(), nullptr, 10);
  }

  TempDir config_;
  test::ScopedConfigHome configHome_{config_.Path()};
  TempDir setup_;
  TempDir work_;
};

TEST_F(CliImportCommands, ImportsABibleWithItsDiffAndLinks) {
  WriteFile(work_.File("diff.txt"), "22 1 1 0 1\r\n");
  WriteFile(work_.File("links.tsv"), "1\t1\t1\t22:1:2 1:1:3 1:1:3\n22\t1\t1\t1:1:1\n");
  const CliResult imported =
      Run({"import-sword", Snippet(), setup_.File("KJVSN"), "--translation", "8", "--diff",
           work_.File("diff.txt"), "--links", work_.File("links.tsv")});
  ASSERT_EQ(imported.Status, 0) << imported.Err;
  EXPECT_NE(imported.Out.find("Imported " + setup_.File("KJVSN")), std::string::npos);
  EXPECT_NE(imported.Out.find("2 verses with links"), std::string::npos) << imported.Out;
  // The Greek word of the John note cannot stay in Windows-1252: said once.
  EXPECT_NE(imported.Err.find("characters are not in the code page"), std::string::npos)
      << imported.Err;

  const CliResult read = Run({"read", "Genesis 1:1"});
  ASSERT_EQ(read.Status, 0) << read.Err;
  EXPECT_NE(read.Out.find("In the beginning <7225> God <430> created <1254>"), std::string::npos)
      << read.Out;

  // Duplicates go, and the list ascends by verse number.
  const CliResult links = Run({"links", "Genesis 1:1"});
  ASSERT_EQ(links.Status, 0) << links.Err;
  const std::size_t genesis = links.Out.find("Genesis 1:3");
  const std::size_t psalm = links.Out.find("Psalms 1:2");
  ASSERT_NE(genesis, std::string::npos) << links.Out;
  ASSERT_NE(psalm, std::string::npos) << links.Out;
  EXPECT_LT(genesis, psalm);
  EXPECT_EQ(links.Out.find("Genesis 1:3", genesis + 1), std::string::npos) << links.Out;

  // The same text without the diff, as another English translation: the
  // psalm verse lands one standard verse later with the diff.
  ASSERT_EQ(Run({"import-sword", Snippet(), setup_.File("ASV"), "--translation", "9"}).Status, 0);
  EXPECT_EQ(StandardNumber("Ps 1:1", "8"), StandardNumber("Ps 1:1", "9") + 1);
  EXPECT_EQ(StandardNumber("Gen 1:1", "8"), StandardNumber("Gen 1:1", "9"));
}

TEST_F(CliImportCommands, FaultsNameTheFileAndLineAndWriteNothing) {
  WriteFile(work_.File("links.tsv"), "1\t1\t1\t1:1:1\n1\t1\t2\t99:1:1\n");
  WriteFile(work_.File("diff.txt"), "22 1 1 0\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string fragment;
  };
  const std::vector<Case> cases = {
      {"TruncatedImp",
       {"import-sword", test::TestDataDir() + "imp-bad/truncated.imp", setup_.File("KJVSN")},
       "truncated.imp:"},
      {"UnknownBook",
       {"import-sword", test::TestDataDir() + "imp-bad/unknown-book.imp", setup_.File("KJVSN")},
       "unknown-book.imp:"},
      {"LinkToAMissingBook",
       {"import-sword", Snippet(), setup_.File("KJVSN"), "--links", work_.File("links.tsv")},
       "links.tsv:2"},
      {"ShortDiffLine",
       {"import-sword", Snippet(), setup_.File("KJVSN"), "--diff", work_.File("diff.txt")},
       "_Diff_.txt:1"},
      {"MissingLinksFile",
       {"import-sword", Snippet(), setup_.File("KJVSN"), "--links", work_.File("none.tsv")},
       "none.tsv"},
      {"ImportWithoutModuleDir", {"import-sword", Snippet()}, "IMP_FILE and MODULE_DIR"},
      {"DictionaryWithoutTitle",
       {"import-sword-dictionary", Snippet(), setup_.File("Dictionaries/x")},
       "--title"},
      {"DictionaryWithoutBase", {"import-sword-dictionary", Snippet(), "--title", "T"}, "BASE"},
      {"DiffOnADictionary",
       {"import-sword-dictionary", Snippet(), "x", "--title", "T", "--diff", "d"},
       "does not apply"},
  };
  for (const Case& c : cases) {
    const CliResult result = Run(c.args);
    EXPECT_EQ(result.Status, 2) << c.name;
    EXPECT_NE(result.Err.find(c.fragment), std::string::npos) << c.name << ": " << result.Err;
    EXPECT_FALSE(std::filesystem::exists(setup_.File("KJVSN"))) << c.name;
  }
}

TEST_F(CliImportCommands, MergesLexiconsInTheOrderOfTheFiles) {
  const std::string base = setup_.File("Dictionaries/Strong");
  const CliResult imported =
      Run({"import-sword-dictionary", test::TestDataDir() + "imp-dict/hebrew.imp",
           test::TestDataDir() + "imp-dict/greek.imp", base, "--title", "Strong's", "--json"});
  ASSERT_EQ(imported.Status, 0) << imported.Err;
  EXPECT_NE(imported.Out.find("\"title\":\"Strong's\""), std::string::npos) << imported.Out;
  EXPECT_NE(imported.Err.find("transliterated"), std::string::npos) << imported.Err;

  const CliResult looked = Run({"dict", "1", "--json"});
  ASSERT_EQ(looked.Status, 0) << looked.Err;
  EXPECT_NE(looked.Out.find("\"found\":true"), std::string::npos) << looked.Out;
  const std::size_t hebrew = looked.Out.find("father");
  ASSERT_NE(hebrew, std::string::npos) << looked.Out;
  // The Greek entry of 1 comes after the Hebrew one.
  EXPECT_NE(looked.Out.find("\",\"", hebrew), std::string::npos) << looked.Out;
}

}  // namespace
}  // namespace lectora
