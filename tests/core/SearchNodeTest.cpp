#include "search/SearchNode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using Verses = std::vector<std::uint16_t>;
using NodePtr = std::unique_ptr<TSearchNode>;

constexpr int kEnglish = 9;  // "ASV\", language 5

// search-en: Genesis 1:1-8 are verses 1-8, Exodus 1:1-2 are 9-10, Psalms
// 1:1-3 are 11-13.
class SearchNodeTest : public ::testing::Test {
 protected:
  void SetUp() override { session_ = test::OpenStoreSession(dir_, test::PlainStandardText()); }

  // Compiles `source` (a folder under tests/data, or a full path) and opens it.
  void Open(const std::string& source) {
    TModuleCompiler::Compile(source, dir_.File("ASV"), 5, false);
    bible_ = std::make_unique<TBible>(kEnglish, session_->Context());
    ASSERT_TRUE(bible_->Loaded());
  }

  NodePtr Leaf(const std::string& word) {
    return std::make_unique<TSearchNode>(word, *bible_, search_);
  }
  NodePtr Inner(NodePtr left, NodePtr right, std::uint8_t op, int mode = 0) {
    return std::make_unique<TSearchNode>(std::move(left), std::move(right), op, mode, *bible_,
                                         search_);
  }
  std::vector<std::string> Lines(const TSearchNode& root, bool useAltName = false) {
    std::vector<std::string> lines;
    for (std::size_t i = 1; i <= root.List->Count(); ++i) {
      lines.emplace_back();
      root.ResultLine(static_cast<int>(i), useAltName, lines.back());
    }
    return lines;
  }

  test::TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
  std::unique_ptr<TBible> bible_;
  TSearchContext search_;
};

TEST_F(SearchNodeTest, LeafTakesTheConcordanceWithinTheRange) {
  Open(test::TestDataDir() + "search-en");
  search_.SelectedBooks[2] = false;
  NodePtr sun = Leaf("SUN");
  EXPECT_EQ(sun->Word, "SUN");
  EXPECT_EQ(sun->LowerWord, "sun");
  EXPECT_EQ(sun->Op, TSearchNode::kLeaf);
  EXPECT_EQ(sun->List->Items, (Verses{1, 2, 3, 4, 5, 6, 7, 8, 13}));
  NodePtr unknown = Leaf("comet");
  ASSERT_NE(unknown->List, nullptr);
  EXPECT_EQ(unknown->List->Count(), 0u);
  EXPECT_EQ(search_.SearchWords, (std::vector<std::string>{"sun", "comet"}));
}

TEST_F(SearchNodeTest, InnerNodesCombineTheirChildrensLists) {
  Open(test::TestDataDir() + "search-en");
  const struct {
    std::uint8_t op;
    Verses list;
  } cases[] = {
      {TSearchNode::kAnd, {1, 2, 3, 4, 5, 8, 9, 13}},
      {TSearchNode::kOr, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
      {TSearchNode::kWithout, {6, 7, 10}},  // the left list without the right one
      {9, {}},
  };
  for (const auto& c : cases) {
    NodePtr node = Inner(Leaf("sun"), Leaf("moon"), c.op);
    EXPECT_EQ(node->List->Items, c.list) << int(c.op);
    EXPECT_TRUE(node->Word.empty());
  }
  NodePtr halfEmpty = Inner(nullptr, Leaf("moon"), TSearchNode::kOr);
  EXPECT_EQ(halfEmpty->List->Items, (Verses{1, 2, 3, 4, 5, 8, 9, 13}));
}

TEST_F(SearchNodeTest, AndNodeTestsTheWordOrder) {
  Open(test::TestDataDir() + "search-en");
  const struct {
    int wordOrder;
    int mode;
    Verses list;
  } cases[] = {
      {0, 0, {1, 2, 3, 4, 5, 8, 9, 13}},
      {1, 0, {1, 3, 4, 5, 8, 9, 13}},
      {2, 0, {3, 4, 5, 8}},
      {0, 2, {3, 4, 5, 8}},
      {1, 2, {3, 4, 5, 8}},
  };
  for (const auto& c : cases) {
    search_.WordOrder = c.wordOrder;
    search_.SearchWords.clear();
    NodePtr sun = Leaf("sun");  // the leaves in query order
    NodePtr moon = Leaf("moon");
    NodePtr node = Inner(std::move(sun), std::move(moon), TSearchNode::kAnd, c.mode);
    EXPECT_EQ(node->List->Items, c.list) << c.wordOrder << " " << c.mode;
  }
}

TEST_F(SearchNodeTest, QueryTextBracketsOnlyLooserChildren) {
  Open(test::TestDataDir() + "search-en");
  const auto show = [](const NodePtr& node) {
    std::string text = "stale";
    node->QueryText(text);
    return text;
  };
  EXPECT_EQ(show(Leaf("Sun")), "Sun");
  EXPECT_EQ(
      show(Inner(Inner(Leaf("a"), Leaf("b"), TSearchNode::kOr), Leaf("c"), TSearchNode::kAnd)),
      "a/b c");
  EXPECT_EQ(
      show(Inner(Inner(Leaf("a"), Leaf("b"), TSearchNode::kOr), Leaf("c"), TSearchNode::kWithout)),
      "(a/b)_c");
  EXPECT_EQ(
      show(Inner(Leaf("a"), Inner(Leaf("b"), Leaf("c"), TSearchNode::kAnd, 2), TSearchNode::kOr)),
      "a/(b c)");
  EXPECT_EQ(
      show(Inner(Inner(Leaf("a"), Leaf("b"), TSearchNode::kWithout), Leaf("c"), TSearchNode::kOr)),
      "a_b/c");
}

TEST_F(SearchNodeTest, FindPositionOfEachNodeKind) {
  Open(test::TestDataDir() + "search-en");
  const std::string text =
      "but his delight is in the law of the lord; and in his law doth he meditate day and night.";
  const struct {
    const char* name;
    NodePtr node;
    int position;
    int endPos;  // -7: left as it was
  } cases[] = {
      {"leaf", Leaf("Law"), 27, 30},
      {"absent leaf", Leaf("sun"), 0, 3},
      {"or: the smaller found", Inner(Leaf("sun"), Leaf("law"), TSearchNode::kOr), 27, -7},
      {"or: both found", Inner(Leaf("law"), Leaf("his"), TSearchNode::kOr), 5, -7},
      {"without: the left one", Inner(Leaf("law"), Leaf("his"), TSearchNode::kWithout), 27, 30},
      {"and: anywhere", Inner(Leaf("law"), Leaf("his"), TSearchNode::kAnd), 5, 30},
      {"and: the right one after the left one",
       Inner(Leaf("his"), Leaf("law"), TSearchNode::kAnd, 2), 27, 30},
      {"and in order: the later match", Inner(Leaf("lord"), Leaf("law"), TSearchNode::kAnd, 2), 55,
       58},
      {"and in order: nothing after", Inner(Leaf("night"), Leaf("law"), TSearchNode::kAnd, 2), 0,
       89},
  };
  for (const auto& c : cases) {
    int endPos = -7;
    EXPECT_EQ(c.node->FindPosition(text, endPos), c.position) << c.name;
    EXPECT_EQ(endPos, c.endPos) << c.name;
  }
}

TEST_F(SearchNodeTest, ResultLinesShowAnExcerptAroundTheMatch) {
  Open(test::TestDataDir() + "search-en");
  const struct {
    const char* query;
    int wordOrder;
    bool useAltName;
    std::vector<std::string> lines;
  } cases[] = {
      {"law", 0, false, {"Psalms 1:2 ...the law of the LORD; and..."}},
      {"law", 0, true, {"Ps 1:2 ...the law of the LORD; and..."}},
      {"his law", 0, false, {"Psalms 1:2 But his delight is in the..."}},
      {"his law", 2, false, {"Psalms 1:2 But his delight is in the..."}},
      {"\"his law\"", 0, false, {"Psalms 1:2 ...the law of the LORD; and..."}},
      {"blessed", 0, false, {"Psalms 1:1 Blessed is the man that..."}},
      {"moon_sun", 0, false, {}},
      {"upon_law", 0, false, {"Genesis 1:4 ...looked upon the sun moon"}},
      // The match lies in a parenthesised note that plain text leaves out.
      {"note", 0, false, {"Exodus 1:2 Water of life flows."}},
  };
  for (const auto& c : cases) {
    search_.WordOrder = c.wordOrder;
    NodePtr root = BuildQuery(c.query, *bible_, search_);
    ASSERT_NE(root, nullptr) << c.query;
    EXPECT_EQ(Lines(*root, c.useAltName), c.lines) << c.query;
  }
}

TEST_F(SearchNodeTest, ResultLineOutsideTheListIsEmpty) {
  Open(test::TestDataDir() + "search-en");
  NodePtr root = Leaf("law");
  for (const int index : {-1, 0, 2, 101}) {
    std::string text = "stale";
    root->ResultLine(index, false, text);
    EXPECT_EQ(text, "") << index;
  }
}

TEST_F(SearchNodeTest, LinesFromTheHundredAndFirstAreReferencesOnly) {
  std::string verses;
  for (int v = 1; v <= 105; ++v) {
    verses += "1\t1\t" + std::to_string(v) + "\tGrace and peace be multiplied unto you all.\n";
  }
  test::WriteFile(dir_.File("many/books.tsv"), "1\tThe First Book of Moses\tGenesis\tGen\n");
  test::WriteFile(dir_.File("many/verses.tsv"), verses);
  Open(dir_.File("many"));
  NodePtr root = Leaf("peace");
  const std::vector<std::string> lines = Lines(*root);
  ASSERT_EQ(lines.size(), 105u);
  EXPECT_EQ(lines[0], "Genesis 1:1 ...and peace be multiplied unto you...");
  EXPECT_EQ(lines[99], "Genesis 1:100 ...and peace be multiplied unto you...");
  EXPECT_EQ(lines[100], "Genesis 1:101 ...");
  EXPECT_EQ(lines[104], "Genesis 1:105 ...");
}

}  // namespace
}  // namespace lectora
