#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::Entries32;
using test::Words16;

using Verses = std::vector<std::uint16_t>;

constexpr int kBulgarian = test::TSampleModules::kBulgarian;
constexpr int kEnglish = test::TSampleModules::kEnglish;

class LinksTest : public ::testing::Test {
 protected:
  // The links of `number` as a comparable value: nullopt for null.
  static std::optional<Verses> Links(const TBible& bible, int number, TSearchContext& search) {
    const TVerseList* list = bible.GetLinks(number, search);
    EXPECT_EQ(list, search.CurrentLinks.get()) << number;
    if (list == nullptr) return std::nullopt;
    return list->Items;
  }

  test::TSampleModules modules_;
  test::TempDir& dir_ = modules_.Dir();
  TStoreContext& context_ = modules_.Context();
};

TEST_F(LinksTest, CompiledLinksReadBackAndVersesWithoutLinksClearThem) {
  const TBible bible(kBulgarian, context_);
  ASSERT_FALSE(bible.NoLinks);
  TSearchContext search;
  const struct {
    int number;
    std::optional<Verses> links;
  } cases[] = {
      {1, Verses{4, 16}}, {2, std::nullopt},  // entry -1 clears the links of verse 1
      {3, Verses{1, 14}}, {9, Verses{13}},       {16, std::nullopt},
      {17, std::nullopt},  // beyond the end of "LinksP.bin"
      {9, Verses{13}},    {60000, std::nullopt}, {9, Verses{13}},
      {0, std::nullopt},  {9, Verses{13}},       {-4, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(Links(bible, c.number, search), c.links) << c.number;
}

TEST_F(LinksTest, ModuleWithoutLinksKeepsTheShownLinks) {
  TSearchContext search;
  search.CurrentLinks = NewVerseList();
  search.CurrentLinks->Items = {5};
  const TVerseList* shown = search.CurrentLinks.get();

  const TBible english(kEnglish, context_);
  ASSERT_TRUE(english.NoLinks);
  EXPECT_EQ(english.GetLinks(1, search), nullptr);
  EXPECT_EQ(search.CurrentLinks.get(), shown);

  // NoLinks alone decides: with the files gone, nothing is opened.
  TBible bulgarian(kBulgarian, context_);
  bulgarian.NoLinks = true;
  std::filesystem::remove(dir_.File("ORT/LinksP.bin"));
  std::filesystem::remove(dir_.File("ORT/Links.bin"));
  EXPECT_EQ(bulgarian.GetLinks(1, search), nullptr);
  EXPECT_EQ(search.CurrentLinks.get(), shown);
  EXPECT_EQ(search.CurrentLinks->Items, Verses{5});
}

TEST_F(LinksTest, DamagedLinkFilesNeverReadBeyondTheirEnd) {
  // Links.bin in 16-bit units: {5} at 0, {6, 9} at 2, a count of 4 at 5
  // running past the end; the file ends at 7.
  test::WriteFile(dir_.File("ORT/Links.bin"), Words16({1, 5, 2, 6, 9, 4, 1}));
  test::WriteFile(dir_.File("ORT/LinksP.bin"),
                  Entries32({0, -1, 2, 5, 500, 0x40000000, 7, -9}) + std::string(3, '\x00'));
  const TBible bible(kBulgarian, context_);
  TSearchContext search;
  const struct {
    int number;
    std::optional<Verses> links;
  } cases[] = {
      {1, Verses{5}}, {2, std::nullopt}, {3, Verses{6, 9}}, {4, Verses{}},     {5, Verses{}},
      {6, Verses{}},  {7, Verses{}},     {8, std::nullopt}, {9, std::nullopt},  // a partial entry
                                                                                // reads as -1
  };
  for (const auto& c : cases) EXPECT_EQ(Links(bible, c.number, search), c.links) << c.number;
}

TEST_F(LinksTest, MissingLinksDataFileIsNamedInTheError) {
  std::filesystem::remove(dir_.File("ORT/Links.bin"));
  const TBible bible(kBulgarian, context_);
  TSearchContext search;
  EXPECT_EQ(bible.GetLinks(2, search), nullptr);  // no links: "Links.bin" is not needed
  try {
    bible.GetLinks(1, search);
    ADD_FAILURE() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir_.File("ORT/Links.bin"));
  }
}

}  // namespace
}  // namespace lectora
