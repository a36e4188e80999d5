// The King James module's "_Diff_.txt" against the King James versification:
// every verse that has a standard verse of its own goes there and back
// unchanged, and the well-known shifts land where the standard numbers them.
#include <gtest/gtest.h>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "store/Bible.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;
using test::WriteFile;

constexpr int kKingJames = 8;  // "KJVSN\"

struct TKjvBook {
  int Number = 0;
  std::vector<int> VerseCounts;
};

std::vector<TKjvBook> ReadKjvStructure() {
  std::ifstream in(test::TestDataDir() + "kjv-versification/KJV_structure.txt");
  std::vector<TKjvBook> books;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    TKjvBook book;
    fields >> book.Number;
    for (int count; fields >> count;) book.VerseCounts.push_back(count);
    books.push_back(book);
  }
  return books;
}

std::set<std::tuple<int, int, int>> ReadNotOneToOne() {
  std::ifstream in(test::TestDataDir() + "kjv-versification/KJV_not_one_to_one.txt");
  std::set<std::tuple<int, int, int>> verses;
  for (int b, c, v; in >> b >> c >> v;) verses.emplace(b, c, v);
  return verses;
}

class KjvVersificationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    books_ = ReadKjvStructure();
    ASSERT_EQ(books_.size(), 66u);
    // The module files that give the structure, and the shipped diff.
    std::string titles = std::to_string(books_.size());
    std::string names, structure;
    for (const TKjvBook& book : books_) {
      titles += " " + std::to_string(book.Number);
      names += "Book " + std::to_string(book.Number) + "\r\n";
      structure += std::to_string(book.VerseCounts.size());
      for (const int count : book.VerseCounts) structure += " " + std::to_string(count);
      structure += "\r\n";
    }
    titles += "\r\n" + names + names + names;
    WriteFile(dir_.File("KJVSN/BibleTitles.txt"), titles);
    WriteFile(dir_.File("KJVSN/BibleStructure.csv"), structure);
    WriteFile(dir_.File("KJVSN/_Diff_.txt"),
              test::ReadFile(test::SourceDir() + "scripts/versification/KJV_Diff_.txt"));

    test::CopySharedData(dir_.Path());
    session_ = test::OpenStoreSession(dir_);
    session_->SetMessages(&messages_);
    bible_ = std::make_unique<TBible>(kKingJames, session_->Context());
    ASSERT_TRUE(bible_->Loaded());
  }

  // Standard book, chapter and verse of a King James place.
  std::tuple<int, int, int> Standard(int book, int chapter, int verse) const {
    int b = 0, c = 0, v = 0;
    session_->Standard().StandardToRef(bible_->ToStandard(book, chapter, verse), b, c, v);
    return {b, c, v};
  }

  TempDir dir_;
  std::vector<TKjvBook> books_;
  test::RecordingMessages messages_;
  std::unique_ptr<TStoreSession> session_;
  std::unique_ptr<TBible> bible_;
};

TEST_F(KjvVersificationTest, EveryOneToOneVerseGoesThereAndBack) {
  const auto notOneToOne = ReadNotOneToOne();
  int checked = 0;
  for (const TKjvBook& book : books_) {
    const int position = bible_->BookPosition[book.Number];
    for (int chapter = 1; chapter <= static_cast<int>(book.VerseCounts.size()); ++chapter) {
      for (int verse = 1; verse <= book.VerseCounts[chapter - 1]; ++verse) {
        if (notOneToOne.count({book.Number, chapter, verse}) != 0) continue;
        const int own = bible_->VerseNumber(position, chapter, verse);
        const std::int32_t standard = bible_->ToStandard(book.Number, chapter, verse);
        ASSERT_EQ(bible_->FromStandard(standard), own)
            << "book " << book.Number << " " << chapter << ":" << verse;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked + static_cast<int>(notOneToOne.size()), 31102);
  EXPECT_LT(notOneToOne.size(), 40u);
}

TEST_F(KjvVersificationTest, KnownShiftsLandOnTheStandardPlace) {
  struct Case {
    int book, chapter, verse;
    std::tuple<int, int, int> standard;
  };
  const std::vector<Case> cases = {
      {1, 1, 1, {1, 1, 1}},        // Genesis: the same numbering
      {22, 3, 1, {22, 3, 2}},      // a psalm title is the standard verse 1
      {22, 10, 1, {22, 9, 22}},    // Psalms 9 and 10 are one psalm in the standard
      {22, 23, 1, {22, 22, 1}},    // from there on one psalm number less
      {63, 16, 25, {63, 14, 24}},  // the doxology of Romans stands after chapter 14
      {54, 3, 16, {54, 3, 16}},    // John 3:16
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Standard(c.book, c.chapter, c.verse), c.standard)
        << "book " << c.book << " " << c.chapter << ":" << c.verse;
  }
}

}  // namespace
}  // namespace lectora
