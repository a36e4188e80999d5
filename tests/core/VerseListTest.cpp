#include "store/VerseList.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

VerseListPtr Make(std::initializer_list<std::uint16_t> items) {
  VerseListPtr list = NewVerseList();
  list->Items = items;
  return list;
}

std::vector<std::uint16_t> Items(const VerseListPtr& list) { return list->Items; }

struct CombineCase {
  const char* name;
  std::vector<std::uint16_t> a;
  std::vector<std::uint16_t> b;
  std::vector<std::uint16_t> intersection;
  std::vector<std::uint16_t> unionOf;
  std::vector<std::uint16_t> bWithoutA;
};

TEST(VerseListTest, CombiningOperationsFollowTheirTable) {
  const CombineCase cases[] = {
      {"overlap", {2, 5, 9}, {1, 5, 9, 12}, {5, 9}, {1, 2, 5, 9, 12}, {1, 12}},
      {"taken away from b", {5}, {2, 5, 9}, {5}, {2, 5, 9}, {2, 9}},
      {"empty a", {}, {3, 4}, {}, {3, 4}, {3, 4}},
      {"empty b", {3, 4}, {}, {}, {3, 4}, {}},
      {"disjoint", {1, 3}, {2, 4}, {}, {1, 2, 3, 4}, {2, 4}},
      {"edge values", {1, 65535}, {65535}, {65535}, {1, 65535}, {}},
  };
  for (const CombineCase& c : cases) {
    SCOPED_TRACE(c.name);
    TVerseList b{c.b};
    VerseListPtr a = NewVerseList();
    a->Items = c.a;
    EXPECT_EQ(IntersectVerseLists(a, &b)->Items, c.intersection);
    a->Items = c.a;
    EXPECT_EQ(UnionVerseLists(a, &b)->Items, c.unionOf);
    a->Items = c.a;
    EXPECT_EQ(SubtractVerseLists(a, &b)->Items, c.bWithoutA);
    TVerseList original{c.a};
    EXPECT_EQ(CountCommon(&original, &b), c.intersection.size());
  }
}

TEST(VerseListTest, NullOperandsLeaveTheListAlone) {
  VerseListPtr a = Make({1, 2});
  EXPECT_EQ(IntersectVerseLists(a, nullptr)->Items, Items(Make({1, 2})));
  EXPECT_EQ(UnionVerseLists(a, nullptr)->Items, Items(Make({1, 2})));
  EXPECT_EQ(SubtractVerseLists(a, nullptr)->Items, Items(Make({1, 2})));
  VerseListPtr none;
  TVerseList b{{1}};
  EXPECT_EQ(SubtractVerseLists(none, &b), nullptr);
  EXPECT_EQ(CountCommon(nullptr, &b), 0u);
}

TEST(VerseListTest, CopyAndEquality) {
  VerseListPtr a = Make({4, 8});
  VerseListPtr copy = CopyVerseList(a.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy.get(), a.get());
  EXPECT_TRUE(VerseListsEqual(a.get(), copy.get()));
  copy->Items.push_back(9);
  EXPECT_FALSE(VerseListsEqual(a.get(), copy.get()));
  EXPECT_FALSE(VerseListsEqual(a.get(), nullptr));
  EXPECT_FALSE(VerseListsEqual(nullptr, nullptr));
  EXPECT_EQ(CopyVerseList(nullptr), nullptr);
  FreeVerseList(a);
  EXPECT_EQ(a, nullptr);
}

TEST(VerseListTest, IndexOfIsOneBased) {
  const VerseListPtr one = Make({7});
  EXPECT_EQ(VerseListIndexOf(7, one.get()), 1);
  const VerseListPtr list = Make({2, 4, 6, 8, 10});
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(VerseListIndexOf(static_cast<std::uint16_t>(2 * (i + 1)), list.get()), i + 1);
    EXPECT_EQ(VerseListIndexOf(static_cast<std::uint16_t>(2 * i + 1), list.get()), -1);
  }
  EXPECT_EQ(VerseListIndexOf(7, nullptr), -1);
  EXPECT_EQ(VerseListIndexOf(7, NewVerseList().get()), -1);
}

TEST(VerseListTest, ReadsListsFromTheirByteOffset) {
  test::TempDir dir;
  // Two lists: {3: 1, 2, 300} at 0 and {0} at 8, then a list claiming 5
  // elements with only one present.
  const std::string bytes(
      "\x03\x00\x01\x00\x02\x00\x2C\x01"
      "\x00\x00"
      "\x05\x00\x07\x00",
      14);
  test::WriteFile(dir.File("Conc.bin"), bytes);
  EXPECT_EQ(ReadVerseList(0, dir.File("Conc.bin"))->Items, (std::vector<std::uint16_t>{1, 2, 300}));
  EXPECT_TRUE(ReadVerseList(8, dir.File("Conc.bin"))->Items.empty());
  // Truncated list and offsets past the end: empty, never a read beyond.
  EXPECT_TRUE(ReadVerseList(10, dir.File("Conc.bin"))->Items.empty());
  EXPECT_TRUE(ReadVerseList(13, dir.File("Conc.bin"))->Items.empty());
  EXPECT_TRUE(ReadVerseList(1000, dir.File("Conc.bin"))->Items.empty());
  EXPECT_THROW(ReadVerseList(0, dir.File("missing.bin")), LectoraError);
}

}  // namespace
}  // namespace lectora
