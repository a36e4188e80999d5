#include "search/ConcList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::Cp1251;

constexpr int kBulgarian = test::TSampleModules::kBulgarian;
constexpr int kEnglish = test::TSampleModules::kEnglish;

class ConcListTest : public ::testing::Test {
 protected:
  test::TSampleModules modules_;
  test::TempDir& dir_ = modules_.Dir();
  TStoreContext& context_ = modules_.Context();
};

// Through the base interface, as the list box sees it.
TEST_F(ConcListTest, RowsShowTheWordAndItsVerseCount) {
  const TBible bible(kBulgarian, context_);
  const TConcList concList(bible);
  const TLargeStringList& list = concList;
  ASSERT_EQ(list.Count(), 47);
  const struct {
    int index;
    const char* shown;  // UTF-8
    const char* key;
  } cases[] = {
      {9, "господ 12", "господ"},  // occurs in 12 verses
      {3, "бог 2", "бог"},
      {0, "беше 1", "беше"},
      {46, "царува 1", "царува"},
      {-1, "", ""},
      {47, "", ""},
  };
  std::string text;
  for (const auto& c : cases) {
    text = "stale";
    list.Get(c.index, text);
    EXPECT_EQ(text, Cp1251(c.shown)) << c.index;
    text = "stale";
    list.Key(c.index, text);
    EXPECT_EQ(text, Cp1251(c.key)) << c.index;
  }
  EXPECT_EQ(list.IndexOf(Cp1251("ГОСПОД")), 9);
  EXPECT_EQ(list.IndexOf(Cp1251("бод")), 5);
  EXPECT_EQ(list.IndexOf(Cp1251("я")), 47);

  const TBible english(kEnglish, context_);
  const TConcList englishList(english);
  englishList.Get(englishList.IndexOf("Earth"), text);
  EXPECT_EQ(text, "earth 4");
}

TEST_F(ConcListTest, ModuleWithoutWordFilesIsAnEmptyList) {
  std::filesystem::remove(dir_.File("ORT/WordPoint.bin"));
  const TBible bible(kBulgarian, context_);
  const TConcList list(bible);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.IndexOf(Cp1251("бог")), -1);
  std::string text = "stale";
  list.Get(0, text);
  EXPECT_EQ(text, "");
}

TEST_F(ConcListTest, DamagedConcordanceEntryShowsCountZero) {
  test::WriteFile(dir_.File("ORT/ConcP.bin"), std::string(4, '\xFF'));  // entry 0 = -1
  const TBible bible(kBulgarian, context_);
  const TConcList list(bible);
  std::string text;
  list.Get(0, text);
  EXPECT_EQ(text, Cp1251("беше 0"));
  list.Get(1, text);  // beyond the shortened "ConcP.bin"
  EXPECT_EQ(text, Cp1251("благ 0"));
}

}  // namespace
}  // namespace lectora
