// The catalogue of installed dictionaries, the search over all of them and
// the choice of the dictionary that shows a word.
#include "search/DictionaryCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/DictionaryCompiler.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "store/UserRegistry.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;
using test::TestDataDir;
using test::WriteFile;

const char kEnglishTitle[] = "English Bible Dictionary";
const char kBulgarianTitleUtf8[] = "Библейски речник";

std::string Cp1251(const std::string& utf8) { return Utf8ToCodePageLossy(utf8, 1251); }

// A setup folder and a remembered module root, each with a Dictionaries
// folder. Catalogue numbers once built:
//   0 "bible names"              (root)   Aaron, Moses
//   1 "English Bible Dictionary" (setup)  Abba Agape Faith Lord Zealot Zion
//   2 "Библейски речник"         (setup)  авраам бог вяра ева любов
// and the root also holds a second "Библейски речник" that must lose.
class DictionaryCatalogueTest : public ::testing::Test {
 protected:
  DictionaryCatalogueTest()
      : setup_(dir_.File("setup/")),
        root_(dir_.File("media/disc")),
        registry_(dir_.File("config"), "lectora") {}

  void Install() {
    TDictionaryCompiler::Compile(TestDataDir() + "dict-en/source.tsv", setup_ + "Dictionaries/En",
                                 kEnglishTitle);
    TDictionaryCompiler::Compile(TestDataDir() + "dict-bg/source.tsv", setup_ + "Dictionaries/Bg",
                                 kBulgarianTitleUtf8);
    CompileInline("Ноев ковчег\tНоев ковчег, корабът на Ной.\n", root_ + "/Dictionaries/Bg",
                  kBulgarianTitleUtf8);
    CompileInline("Moses\tMoses, the lawgiver.\nAaron\tAaron, brother of Moses.\n",
                  root_ + "/Dictionaries/Names", "bible names");
    registry_.WriteRegValue("SetupPath", root_);
  }

  void CompileInline(const std::string& source, const std::string& base, const std::string& title) {
    const std::string sourceFile = dir_.File("source.tsv");
    WriteFile(sourceFile, source);
    TDictionaryCompiler::Compile(sourceFile, base, title);
  }

  TempDir dir_;
  std::string setup_;
  std::string root_;
  TUserRegistry registry_;
};

TEST_F(DictionaryCatalogueTest, ListsUniqueTitlesSortedWithTheSetupFolderWinning) {
  Install();
  TDictionaryCatalogue catalogue(dir_.File("setup"), &registry_);
  catalogue.Build();
  ASSERT_EQ(catalogue.Count(), 3);
  EXPECT_EQ(catalogue.EntryText(0), "bible names=" + root_ + "/Dictionaries/Names.ind");
  EXPECT_EQ(catalogue.EntryText(1),
            std::string(kEnglishTitle) + "=" + setup_ + "Dictionaries/En.ind");
  EXPECT_EQ(catalogue.Entry(2).Title, Cp1251(kBulgarianTitleUtf8));
  EXPECT_EQ(catalogue.Entry(2).FileName, setup_ + "Dictionaries/Bg.ind");
  EXPECT_EQ(catalogue.IndexOfTitle(Cp1251(kBulgarianTitleUtf8)), 2);
  EXPECT_EQ(catalogue.IndexOfTitle("nothing"), -1);
  EXPECT_TRUE(catalogue.Problems().empty());
}

TEST_F(DictionaryCatalogueTest, WithoutRememberedRootOnlyTheSetupFolderCounts) {
  Install();
  TUserRegistry fresh(dir_.File("other-config"), "lectora");
  TDictionaryCatalogue catalogue(setup_, &fresh);
  catalogue.Build();
  ASSERT_EQ(catalogue.Count(), 2);
  EXPECT_EQ(catalogue.Entry(0).Title, kEnglishTitle);
  TDictionaryCatalogue noRegistry(setup_, nullptr);
  noRegistry.Build();
  EXPECT_EQ(noRegistry.Count(), 2);
}

TEST_F(DictionaryCatalogueTest, DamagedTitleRecordLeavesThatDictionaryOut) {
  Install();
  const std::string bad = setup_ + "Dictionaries/Bad";
  std::uint8_t entry[4];
  PutLE32(entry, 1000);  // record 0 beyond the end of the data file
  WriteFile(bad + ".ibp", std::string(reinterpret_cast<char*>(entry), 4));
  WriteFile(bad + ".ibf", std::string(4, '\xFF'));
  WriteFile(bad + ".ind", std::string(32, '\0'));
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  EXPECT_EQ(catalogue.Count(), 3);
  ASSERT_EQ(catalogue.Problems().size(), 1u);
  EXPECT_NE(catalogue.Problems()[0].find(bad + ".ibf"), std::string::npos);
}

TEST_F(DictionaryCatalogueTest, EmptyCatalogueIsBuiltAgainAtTheNextSearch) {
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  EXPECT_TRUE(catalogue.Empty());
  EXPECT_FALSE(catalogue.IsDictionaryWord("Zion"));
  EXPECT_EQ(catalogue.SelectWord("Zion"), -1);
  EXPECT_EQ(catalogue.CurrentNumber(), -1);
  Install();
  EXPECT_TRUE(catalogue.IsDictionaryWord("Zion"));
  EXPECT_EQ(catalogue.Count(), 3);
  EXPECT_EQ(catalogue.CandidateNumber(), 1);
}

TEST_F(DictionaryCatalogueTest, SearchOverAllDictionariesSetsTheCandidate) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  EXPECT_FALSE(catalogue.IsDictionaryWord(""));
  EXPECT_EQ(catalogue.CandidateNumber(), -1);
  EXPECT_FALSE(catalogue.IsDictionaryWord("Qq"));  // nobody's letters
  EXPECT_EQ(catalogue.CandidateNumber(), -1);
  EXPECT_TRUE(catalogue.IsDictionaryWord(Cp1251("ЕВА")));
  EXPECT_EQ(catalogue.CandidateNumber(), 2);
  EXPECT_TRUE(catalogue.IsDictionaryWord("aaron"));
  EXPECT_EQ(catalogue.CandidateNumber(), 0);
  // Not found; the letters of 0 and 1 cover it: the last of them stays.
  EXPECT_FALSE(catalogue.IsDictionaryWord("Ore"));
  EXPECT_EQ(catalogue.CandidateNumber(), 1);
  // The open dictionary is never the candidate by its letters alone.
  ASSERT_TRUE(catalogue.OpenDictionary(1));
  EXPECT_FALSE(catalogue.IsDictionaryWord("Ore"));
  EXPECT_EQ(catalogue.CandidateNumber(), 0);
  EXPECT_FALSE(catalogue.IsDictionaryWord("Qq"));
  EXPECT_EQ(catalogue.CandidateNumber(), 0);  // left as it was
}

TEST_F(DictionaryCatalogueTest, SelectWordSwitchesToTheDictionaryThatHoldsIt) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  ASSERT_TRUE(catalogue.OpenDictionary(2));
  EXPECT_EQ(catalogue.SelectWord("Zion"), 5);
  EXPECT_EQ(catalogue.CurrentNumber(), 1);
  ASSERT_NE(catalogue.Current(), nullptr);
  EXPECT_EQ(catalogue.Current()->Title(), kEnglishTitle);
}

TEST_F(DictionaryCatalogueTest, WordFoundNowhereGoesToTheDictionaryOfItsLetters) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  ASSERT_TRUE(catalogue.OpenDictionary(1));
  // "Вол" is no headword, but written in the Bulgarian letters; it would
  // stand between "бог" and "вяра".
  EXPECT_EQ(catalogue.SelectWord(Cp1251("Вол")), 2);
  EXPECT_EQ(catalogue.CurrentNumber(), 2);
}

TEST_F(DictionaryCatalogueTest, WordFoundNowhereInTheOpenLettersKeepsTheOpenDictionary) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  ASSERT_TRUE(catalogue.OpenDictionary(1));
  // "Ore" also fits the letters of dictionary 0, which becomes the candidate.
  EXPECT_EQ(catalogue.SelectWord("Ore"), 4);
  EXPECT_EQ(catalogue.CurrentNumber(), 1);
  EXPECT_EQ(catalogue.CandidateNumber(), 0);
  // With nothing open and no candidate, nothing is opened.
  TDictionaryCatalogue fresh(setup_, &registry_);
  EXPECT_EQ(fresh.SelectWord("Qq"), -1);
  EXPECT_EQ(fresh.CurrentNumber(), -1);
  // With nothing open, the candidate is opened.
  EXPECT_EQ(fresh.SelectWord("Ore"), 4);
  EXPECT_EQ(fresh.CurrentNumber(), 1);
}

TEST_F(DictionaryCatalogueTest, ExplanationsOfTheSelectedHeadwordInFileOrder) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  EXPECT_TRUE(catalogue.ReadExplanationList(0).empty());  // nothing open yet
  const std::int32_t index = catalogue.SelectWord(Cp1251("вяра"));
  EXPECT_EQ(index, 2);
  const std::vector<std::uint16_t> records = catalogue.ReadExplanationList(index);
  ASSERT_EQ(records.size(), 3u);
  std::vector<std::string> texts;
  for (const std::uint16_t record : records) {
    std::string text;
    catalogue.ReadExplanation(record, text);
    texts.push_back(CodePageToUtf8(text, 1251));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Вяра, увереност в неща, за които се надяваме.",
                                             "вяра Доверие в Бога и в словото Му.",
                                             "ВЯРА (3), учението на църквата."}));
}

TEST_F(DictionaryCatalogueTest, OpenDictionaryOutsideTheCatalogueChangesNothing) {
  Install();
  TDictionaryCatalogue catalogue(setup_, &registry_);
  catalogue.Build();
  ASSERT_TRUE(catalogue.OpenDictionary(0));
  EXPECT_FALSE(catalogue.OpenDictionary(-1));
  EXPECT_FALSE(catalogue.OpenDictionary(3));
  EXPECT_EQ(catalogue.CurrentNumber(), 0);
  EXPECT_EQ(catalogue.Current()->Title(), "bible names");
}

}  // namespace
}  // namespace lectora
