// The "_Diff_.txt" files the data build gives the shipped translations,
// each against its SWORD versification: every verse that has a standard
// verse of its own goes there and back unchanged, and the well-known shifts
// carry a place from every translation to every other one.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "store/Bible.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;
using test::WriteFile;
using TRef = std::tuple<int, int, int>;  // book number, chapter, verse

struct TShipped {
  const char* Label;
  int Translation;
  const char* Versification;  // the name of the files in scripts/versification/ and the fixtures
  int Verses;                 // of the versification's books the module holds
};

// KJVSN and ASV share the King James versification.
constexpr std::array<TShipped, 6> kShipped = {{
    {"KJVSN", 8, "KJV", 31102},
    {"ASV", 9, "KJV", 31102},
    {"RU", 6, "Synodal", 37099},
    {"Srb", 5, "NRSV", 31104},
    {"VUL", 11, "Vulg", 37228},
    {"Gr", 10, "LXX_NT", 7964},
}};

struct TBookCounts {
  int Number = 0;
  std::vector<int> VerseCounts;
};

std::string Fixture(const std::string& name) {
  return test::TestDataDir() + "versification/" + name;
}

std::vector<TBookCounts> ReadStructure(const std::string& versification) {
  std::ifstream in(Fixture(versification + "_structure.txt"));
  std::vector<TBookCounts> books;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    TBookCounts book;
    fields >> book.Number;
    for (int count; fields >> count;) book.VerseCounts.push_back(count);
    books.push_back(book);
  }
  return books;
}

std::set<TRef> ReadNotOneToOne(const std::string& versification) {
  std::ifstream in(Fixture(versification + "_not_one_to_one.txt"));
  std::set<TRef> verses;
  for (int b, c, v; in >> b >> c >> v;) verses.emplace(b, c, v);
  return verses;
}

// Every shipped translation as a module of its versification's structure
// with the diff the data build gives it, in one setup folder.
class VersificationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shared_ = new TShared(); }
  static void TearDownTestSuite() {
    delete shared_;
    shared_ = nullptr;
  }

  struct TShared {
    TShared() {
      standard.Load(test::SourceDir() + "data/", nullptr);
      settings = std::make_unique<TSettings>(dir.Path(), "lectora", dir.File("config"));
      context.Settings = settings.get();
      context.Standard = &standard;
      context.Messages = &messages;
      for (const TShipped& shipped : kShipped) {
        const std::vector<TBookCounts> books = ReadStructure(shipped.Versification);
        std::string titles = std::to_string(books.size());
        std::string names, structure;
        for (const TBookCounts& book : books) {
          titles += " " + std::to_string(book.Number);
          names += "Book " + std::to_string(book.Number) + "\r\n";
          structure += std::to_string(book.VerseCounts.size());
          for (const int count : book.VerseCounts) structure += " " + std::to_string(count);
          structure += "\r\n";
        }
        titles += "\r\n" + names + names + names;
        const std::string folder = std::string(shipped.Label) + "/";
        WriteFile(dir.File(folder + "BibleTitles.txt"), titles);
        WriteFile(dir.File(folder + "BibleStructure.csv"), structure);
        WriteFile(dir.File(folder + "_Diff_.txt"),
                  test::ReadFile(test::SourceDir() + "scripts/versification/" +
                                 shipped.Versification + "_Diff_.txt"));
        structures[shipped.Label] = books;
      }
      for (const TShipped& shipped : kShipped) {
        bibles[shipped.Label] = std::make_unique<TBible>(shipped.Translation, context);
      }
    }

    TempDir dir;
    TStandardStructure standard;
    std::unique_ptr<TSettings> settings;
    test::RecordingMessages messages;
    TStoreContext context;
    std::map<std::string, std::vector<TBookCounts>> structures;
    std::map<std::string, std::unique_ptr<TBible>> bibles;
  };

  static TBible& Bible(const std::string& label) { return *shared_->bibles.at(label); }

  // The place `ref` of translation `from` in translation `to`'s own numbering.
  static TRef Carry(const std::string& from, TRef ref, const std::string& to) {
    const auto [book, chapter, verse] = ref;
    int b = 0, c = 0, v = 0;
    shared_->standard.StandardToRef(Bible(from).ToStandard(book, chapter, verse), b, c, v);
    Bible(to).StandardToOwnRef(b, c, v);
    return {b, c, v};
  }

  static TShared* shared_;
};

VersificationTest::TShared* VersificationTest::shared_ = nullptr;

std::string Describe(const TRef& ref) {
  return "book " + std::to_string(std::get<0>(ref)) + " " + std::to_string(std::get<1>(ref)) + ":" +
         std::to_string(std::get<2>(ref));
}

TEST_F(VersificationTest, EveryModuleLoadsWithItsDiff) {
  for (const TShipped& shipped : kShipped) {
    EXPECT_TRUE(Bible(shipped.Label).Loaded()) << shipped.Label;
    EXPECT_EQ(Bible(shipped.Label).VerseTotal, shipped.Verses) << shipped.Label;
  }
}

TEST_F(VersificationTest, EveryOneToOneVerseGoesThereAndBack) {
  for (const TShipped& shipped : kShipped) {
    SCOPED_TRACE(shipped.Label);
    const TBible& bible = Bible(shipped.Label);
    const std::set<TRef> notOneToOne = ReadNotOneToOne(shipped.Versification);
    int checked = 0;
    for (const TBookCounts& book : shared_->structures.at(shipped.Label)) {
      const int position = bible.BookPosition[book.Number];
      for (int chapter = 1; chapter <= static_cast<int>(book.VerseCounts.size()); ++chapter) {
        for (int verse = 1; verse <= book.VerseCounts[chapter - 1]; ++verse) {
          if (notOneToOne.count({book.Number, chapter, verse}) != 0) continue;
          const int own = bible.VerseNumber(position, chapter, verse);
          ASSERT_EQ(bible.FromStandard(bible.ToStandard(book.Number, chapter, verse)), own)
              << Describe({book.Number, chapter, verse});
          ++checked;
        }
      }
    }
    EXPECT_EQ(checked + static_cast<int>(notOneToOne.size()), shipped.Verses);
    // Most verses of every versification have a standard verse of their own.
    EXPECT_GT(checked, shipped.Verses * 9 / 10);
  }
}

// One place named in each translation's own numbering; nullopt where the
// translation does not hold it (a New Testament, or a verse its
// versification joins to the next).
struct TPlace {
  const char* Name;
  std::map<std::string, TRef> Own;
};

const std::vector<TPlace>& KnownPlaces() {
  static const std::vector<TPlace> places = {
      {"John 3:16",
       {{"KJVSN", {54, 3, 16}},
        {"ASV", {54, 3, 16}},
        {"RU", {54, 3, 16}},
        {"Srb", {54, 3, 16}},
        {"VUL", {54, 3, 16}},
        {"Gr", {54, 3, 16}}}},
      // The Hebrew psalm numbers against the Greek ones of the Synodal and
      // the Vulgate, whose psalm titles are verses of their own.
      {"Psalm 23:1 (Hebrew)",
       {{"KJVSN", {22, 23, 1}},
        {"ASV", {22, 23, 1}},
        {"RU", {22, 22, 1}},
        {"Srb", {22, 23, 1}},
        {"VUL", {22, 22, 1}}}},
      {"Psalm 51:1 (Hebrew), after a two-verse title",
       {{"KJVSN", {22, 51, 1}},
        {"ASV", {22, 51, 1}},
        {"RU", {22, 50, 3}},
        {"Srb", {22, 51, 1}},
        {"VUL", {22, 50, 3}}}},
      {"Psalm 10:1 (Hebrew), the second half of the Greek Psalm 9",
       {{"KJVSN", {22, 10, 1}},
        {"ASV", {22, 10, 1}},
        {"RU", {22, 9, 22}},
        {"Srb", {22, 10, 1}},
        {"VUL", {22, 9, 22}}}},
      {"Psalm 115:1 (Hebrew), the second half of the Greek Psalm 113",
       {{"KJVSN", {22, 115, 1}},
        {"ASV", {22, 115, 1}},
        {"RU", {22, 113, 9}},
        {"Srb", {22, 115, 1}},
        {"VUL", {22, 113, 9}}}},
      {"Psalm 147:12 (Hebrew), the Greek Psalm 147",
       {{"KJVSN", {22, 147, 12}},
        {"ASV", {22, 147, 12}},
        {"RU", {22, 147, 1}},
        {"Srb", {22, 147, 12}},
        {"VUL", {22, 147, 1}}}},
      // Every one of these versifications gives Malachi four chapters (the
      // Hebrew 3:19-24).
      {"Malachi 4:1",
       {{"KJVSN", {46, 4, 1}},
        {"ASV", {46, 4, 1}},
        {"RU", {46, 4, 1}},
        {"Srb", {46, 4, 1}},
        {"VUL", {46, 4, 1}}}},
      {"Malachi 3:18",
       {{"KJVSN", {46, 3, 18}},
        {"ASV", {46, 3, 18}},
        {"RU", {46, 3, 18}},
        {"Srb", {46, 3, 18}},
        {"VUL", {46, 3, 18}}}},
      // The doxology of Romans after chapter 14 in the Synodal.
      {"Romans 16:25",
       {{"KJVSN", {63, 16, 25}},
        {"ASV", {63, 16, 25}},
        {"RU", {63, 14, 24}},
        {"Srb", {63, 16, 25}},
        {"VUL", {63, 16, 25}},
        {"Gr", {63, 16, 25}}}},
      {"Romans 16:27",
       {{"KJVSN", {63, 16, 27}},
        {"ASV", {63, 16, 27}},
        {"RU", {63, 14, 26}},
        {"Srb", {63, 16, 27}},
        {"VUL", {63, 16, 27}},
        {"Gr", {63, 16, 27}}}},
      {"Romans 16:24",
       {{"KJVSN", {63, 16, 24}},
        {"ASV", {63, 16, 24}},
        {"RU", {63, 16, 24}},
        {"Srb", {63, 16, 24}},
        {"VUL", {63, 16, 24}}}},
      // The King James joins 3 John 15 to verse 14.
      {"3 John 15",
       {{"RU", {61, 1, 15}}, {"Srb", {61, 1, 15}}, {"VUL", {61, 1, 15}}, {"Gr", {61, 1, 15}}}},
      {"3 John 14",
       {{"KJVSN", {61, 1, 14}},
        {"ASV", {61, 1, 14}},
        {"RU", {61, 1, 14}},
        {"Srb", {61, 1, 14}},
        {"VUL", {61, 1, 14}},
        {"Gr", {61, 1, 14}}}},
      // Revelation 13:1 of the King James and the Synodal starts with what
      // others number 12:18.
      {"Revelation 13:1", {{"KJVSN", {77, 13, 1}}, {"ASV", {77, 13, 1}}, {"RU", {77, 13, 1}}}},
      {"Revelation 12:17",
       {{"KJVSN", {77, 12, 17}},
        {"ASV", {77, 12, 17}},
        {"RU", {77, 12, 17}},
        {"Srb", {77, 12, 17}},
        {"VUL", {77, 12, 17}},
        {"Gr", {77, 12, 17}}}},
  };
  return places;
}

TEST_F(VersificationTest, KnownShiftsCarryAPlaceBetweenEveryPair) {
  for (const TPlace& place : KnownPlaces()) {
    for (const auto& [from, ref] : place.Own) {
      for (const auto& [to, expected] : place.Own) {
        EXPECT_EQ(Describe(Carry(from, ref, to)), Describe(expected))
            << place.Name << ": from " << from << " to " << to;
      }
    }
  }
}

// A place a translation does not hold still lands in the right chapter of
// a translation that holds the book, never in another book.
TEST_F(VersificationTest, APlaceOneLacksStaysInItsBook) {
  const std::vector<std::pair<std::string, TRef>> cases = {
      {"Srb", {61, 1, 15}}, {"Srb", {77, 12, 18}}, {"VUL", {77, 12, 18}}, {"Gr", {77, 12, 18}}};
  for (const auto& [from, ref] : cases) {
    for (const TShipped& to : kShipped) {
      const TRef carried = Carry(from, ref, to.Label);
      EXPECT_EQ(std::get<0>(carried), std::get<0>(ref))
          << from << " " << Describe(ref) << " in " << to.Label;
    }
  }
}

}  // namespace
}  // namespace lectora
