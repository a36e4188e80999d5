#include "search/QueryParser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "modules/ModuleCompiler.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/Language.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using Verses = std::vector<std::uint16_t>;
using Words = std::vector<std::string>;

constexpr int kBulgarian = 0;  // "ORT\", language 0, Windows-1251
constexpr int kEnglish = 9;    // "ASV\", language 5, Windows-1252

std::string Cp1251(const std::string& utf8) {
  std::string text;
  EXPECT_TRUE(Utf8ToCodePage(utf8, 1251, text)) << utf8;
  return text;
}

// The tree in a form that shows its binding: (left op right) with & for And,
// ~ for an And in phrase mode, | for Or and - for Without.
std::string Shape(const TSearchNode* node) {
  if (node == nullptr) return "null";
  if (node->Op == TSearchNode::kLeaf) return node->Word;
  const char* op = node->Op == TSearchNode::kOr        ? "|"
                   : node->Op == TSearchNode::kWithout ? "-"
                   : node->Mode == 2                   ? "~"
                                                       : "&";
  return "(" + Shape(node->Left.get()) + op + Shape(node->Right.get()) + ")";
}

TEST(QueryParserNormalize, KeepsLettersAndQueryCharacters) {
  const TLanguage english(5);
  const struct {
    const char* typed;
    const char* normalized;
  } cases[] = {
      {"a /b", "a/b"},
      {"a/ b", "a/ b"},  // a blank after an operator stays
      {"a   b", "a b"},
      {"a, b!", "a b"},
      {"a ,/b", "a /b"},  // the look-ahead is at the typed text
      {"God's word", "Gods word"},
      {"a 1 b", "a1 b"},
      {"a \"b c\" (d)", "a\"b c\"(d)"},
      {" a ", " a "},
      {"a+b-c_d", "a+b-c_d"},
      {"a \xE0\xE1 b", "a  b"},  // letters of another language go
      {"\t\r\n.;:", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TQueryParser::Normalize(c.typed, english), c.normalized) << c.typed;
  }
  const TLanguage bulgarian(0);
  EXPECT_EQ(TQueryParser::Normalize(Cp1251("Бог и abc свят"), bulgarian), Cp1251("Бог и  свят"));
}

TEST(QueryParserSplit, SplitsAtTheFirstOperatorOutsideQuotesAndBrackets) {
  const struct {
    const char* text;
    std::string_view operators;
    bool split;
    const char* left;
    const char* right;
  } cases[] = {
      {"a b/c", TQueryParser::kAndChars, true, "a", "b/c"},
      {"a/b c", TQueryParser::kAndChars, true, "a/b", "c"},
      {"a+b", TQueryParser::kAndChars, true, "a", "b"},
      {"a-b", TQueryParser::kAndChars, true, "a", "b"},
      {"\"a b\" c", TQueryParser::kAndChars, true, "\"a b\"", "c"},
      {"(a b) c", TQueryParser::kAndChars, true, "(a b)", "c"},
      {"(a b", TQueryParser::kAndChars, false, "", ""},
      {"a) b c", TQueryParser::kAndChars, false, "", ""},
      {"\"a b", TQueryParser::kAndChars, false, "", ""},
      {"a/b_c", TQueryParser::kOrChars, true, "a", "b_c"},
      {"a_b/c", TQueryParser::kWithoutChars, true, "a", "b/c"},
      {"a/b", TQueryParser::kWithoutChars, false, "", ""},
      {"/", TQueryParser::kOrChars, true, "", ""},
      {"", TQueryParser::kAndChars, false, "", ""},
  };
  for (const auto& c : cases) {
    std::string_view left = "", right = "";
    EXPECT_EQ(TQueryParser::Split(c.text, c.operators, left, right), c.split) << c.text;
    EXPECT_EQ(left, c.left) << c.text;
    EXPECT_EQ(right, c.right) << c.text;
  }
}

// search-en: Genesis 1:1-8 are verses 1-8, Exodus 1:1-2 are 9-10, Psalms
// 1:1-3 are 11-13.
class QueryParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TModuleCompiler::Compile(test::TestDataDir() + "search-en", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(test::TestDataDir() + "search-bg", dir_.File("ORT"), 0, false);
    session_ = test::OpenStoreSession(dir_, test::PlainStandardText());
    bible_ = std::make_unique<TBible>(kEnglish, session_->Context());
    ASSERT_TRUE(bible_->Loaded());
  }

  std::unique_ptr<TSearchNode> Build(const std::string& query) {
    return BuildQuery(query, *bible_, search_);
  }

  test::TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
  std::unique_ptr<TBible> bible_;
  TSearchContext search_;
};

TEST_F(QueryParserTest, BindingOfTheOperators) {
  const struct {
    const char* query;
    const char* shape;
    const char* shown;  // QueryText of the tree
  } cases[] = {
      {"a b/c", "(a&(b|c))", "a b/c"},
      {"a/b_c", "(a|(b-c))", "a/b_c"},
      {"a/b c", "((a|b)&c)", "a/b c"},
      {"(a/b)_c", "((a|b)-c)", "(a/b)_c"},
      {"a_b/c", "((a-b)|c)", "a_b/c"},
      {"a_(b/c)", "(a-(b|c))", "a_(b/c)"},
      {"(a b)/c", "((a&b)|c)", "(a b)/c"},
      {"a+(b/c)", "(a&(b|c))", "a b/c"},
      {"a (b/c)", "a(b/c)", "a(b/c)"},  // the blank before a bracket goes
      {"a+b-c", "(a&(b&c))", "a b c"},
      {"(a b) c", "((a&b)&c)", "a b c"},
      {"a /b", "(a|b)", "a/b"},
      {"a/ b", "(a&b)", "a b"},  // "a/" alone is a
      {"\"a b\"", "(a~b)", "a b"},
      {"\"a b c\"", "(a~(b~c))", "a b c"},
      {"x+\"a b\"", "(x&(a~b))", "x a b"},
      {"x \"a b\"", "x\"a b\"", "x\"a b\""},  // and so does one before a quote
      {"\"a b\" x", "((a~b)&x)", "a b x"},
      {"\"a/b c\"", "((a|b)~c)", "a/b c"},
      {"((a))", "a", "a"},
      {"(a b", "(a&b)", "a b"},
      {"\"a b", "(a~b)", "a b"},
      {"a\"", "a\"", "a\""},
      {"a(b", "a(b", "a(b"},
      {")", ")", ")"},
      {"++a//", "a", "a"},
      {"A", "A", "A"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TSearchNode> root = Build(c.query);
    EXPECT_EQ(Shape(root.get()), c.shape) << c.query;
    if (!root) continue;
    std::string shown;
    root->QueryText(shown);
    EXPECT_EQ(shown, c.shown) << c.query;
  }
}

TEST_F(QueryParserTest, ShownQueryParsesToTheSameTree) {
  for (const char* query :
       {"a b/c", "a/b_c", "(a/b)_c", "a_(b/c)", "(a b)/c", "a_b/c", "(a b/c)_(d/e f)"}) {
    std::unique_ptr<TSearchNode> root = Build(query);
    std::string shown;
    root->QueryText(shown);
    EXPECT_EQ(Shape(Build(shown).get()), Shape(root.get())) << query << " shown as " << shown;
  }
}

TEST_F(QueryParserTest, EmptyQueriesGiveNoTree) {
  for (const char* query :
       {"", " ", "   ", "+/_", "\"\"", "()", "(", "\"", "(\"\")", ".,;", "/ _"}) {
    search_.SearchWords = {"old"};
    EXPECT_EQ(Build(query), nullptr) << query;
    EXPECT_TRUE(search_.SearchWords.empty()) << query;
  }
}

TEST_F(QueryParserTest, SearchWordsAreTheLowerCasedLeavesInQueryOrder) {
  search_.SearchWords = {"old"};
  std::unique_ptr<TSearchNode> root = Build("Sun/MOON+(Stars_light)");
  EXPECT_EQ(search_.SearchWords, (Words{"sun", "moon", "stars", "light"}));
}

TEST_F(QueryParserTest, WordSearchResults) {
  const struct {
    const char* query;
    int wordOrder;
    std::vector<int> unselected;
    Verses verses;
  } cases[] = {
      {"comet", 0, {}, {}},
      {"sun moon", 0, {}, {1, 2, 3, 4, 5, 8, 9, 13}},
      {"SUN Moon", 0, {}, {1, 2, 3, 4, 5, 8, 9, 13}},
      {"sun moon", 1, {}, {1, 3, 4, 5, 8, 9, 13}},
      {"sun moon", 2, {}, {3, 4, 5, 8}},  // "sun moon" ends verse 4
      {"\"sun moon\"", 0, {}, {3, 4, 5, 8}},
      {"\"sun moon\"", 1, {}, {3, 4, 5, 8}},
      // every word collected so far takes part in the order test
      {"sun moon/stars", 1, {}, {3, 5, 8, 13}},
      {"sun moon/stars", 0, {}, {1, 2, 3, 4, 5, 7, 8, 9, 13}},
      // the phrase node is built after the leaf "the"
      {"the+\"sun moon\"", 0, {}, {3, 4, 5}},
      {"the \"sun moon\"", 0, {}, {}},  // one unknown word
      {"sun_moon", 0, {}, {6, 7, 10}},
      {"sun /moon", 0, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13}},
      {"sun/ moon", 0, {}, {1, 2, 3, 4, 5, 8, 9, 13}},
      {"(sun/law)_moon", 0, {}, {6, 7, 10, 12}},
      {"sun", 0, {2}, {1, 2, 3, 4, 5, 6, 7, 8, 13}},
      {"sun/law", 0, {1, 2}, {12, 13}},
      {"sun_moon", 0, {1, 22}, {10}},
      {"sunny sun", 0, {}, {6}},
      {"sun's", 0, {}, {}},  // read as "suns"
  };
  for (const auto& c : cases) {
    search_.WordOrder = c.wordOrder;
    search_.SelectedBooks.fill(true);
    for (const int book : c.unselected) search_.SelectedBooks[book] = false;
    std::unique_ptr<TSearchNode> root = Build(c.query);
    ASSERT_NE(root, nullptr) << c.query;
    EXPECT_EQ(root->List->Items, c.verses) << c.query << " order " << c.wordOrder;
  }
}

TEST_F(QueryParserTest, CyrillicQueryOnACyrillicModule) {
  TBible bulgarian(kBulgarian, session_->Context());
  ASSERT_TRUE(bulgarian.Loaded());
  search_.WordOrder = 2;
  // Latin letters are no Bulgarian letters: "abc" goes, the blanks stay.
  std::unique_ptr<TSearchNode> root = BuildQuery(Cp1251("БОГ abc Светлина"), bulgarian, search_);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->List->Items, (Verses{}));  // "Бог: Да бъде светлина" is no phrase
  EXPECT_EQ(search_.SearchWords, (Words{Cp1251("бог"), Cp1251("светлина")}));
  search_.WordOrder = 1;
  root = BuildQuery(Cp1251("БОГ abc Светлина"), bulgarian, search_);
  EXPECT_EQ(root->List->Items, (Verses{2}));
  root = BuildQuery(Cp1251("бога"), bulgarian, search_);
  EXPECT_EQ(root->List->Items, (Verses{3}));
  EXPECT_EQ(BuildQuery("abc", bulgarian, search_), nullptr);
}

TEST_F(QueryParserTest, NestingIsBounded) {
  const auto nested = [](int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "sun" +
           std::string(static_cast<std::size_t>(depth), ')');
  };
  std::unique_ptr<TSearchNode> root = Build(nested(TQueryParser::kMaxDepth - 1));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Word, "sun");
  EXPECT_EQ(Build(nested(TQueryParser::kMaxDepth)), nullptr);
  EXPECT_TRUE(search_.SearchWords.empty());

  std::string chain = "sun";
  for (int i = 0; i < 5000; ++i) chain += " moon";
  EXPECT_EQ(Build(chain), nullptr);
  std::string shortChain = "sun";
  for (int i = 0; i < 300; ++i) shortChain += i % 2 ? "/moon" : " moon";
  root = Build(shortChain);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->List->Items, (Verses{1, 2, 3, 4, 5, 8, 9, 13}));
}

TEST_F(QueryParserTest, AnyBytesGiveAResultOrNothing) {
  std::mt19937 random(7);
  const std::string alphabet = "sunmoo \"()+-/_0123456789\xE0\xFF\x01";
  for (int round = 0; round < 200; ++round) {
    std::string query;
    const std::size_t length = round == 0 ? 10000 : random() % 60;
    for (std::size_t i = 0; i < length; ++i) {
      query += round % 2 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    search_.WordOrder = round % 3;
    std::unique_ptr<TSearchNode> root = Build(query);
    if (!root) continue;
    ASSERT_NE(root->List, nullptr);
    for (std::size_t i = 1; i < root->List->Items.size(); ++i) {
      ASSERT_LT(root->List->Items[i - 1], root->List->Items[i]) << query;
    }
    std::string text;
    root->QueryText(text);
    for (std::size_t i = 1; i <= root->List->Count(); ++i) {
      root->ResultLine(static_cast<int>(i), false, text);
      EXPECT_FALSE(text.empty());
    }
  }
}

}  // namespace
}  // namespace lectora
