// The link-tree file byte for byte: how lines are read (levels from tabs
// and spaces, the first "|", the three line ends, lines too deep), how
// nodes are written (tabs, the trailing "|" of a node without link, CR LF,
// Windows-1251), and that what is written reads back as the same tree.
#include "store/LinkTreeFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {

// Readable failures: level, caption and link.
static void PrintTo(const TLinkTreeNode& node, std::ostream* out) {
  *out << "{" << node.Level << ", \"" << node.Caption << "\", \"" << node.Link << "\"}";
}

namespace {

using Nodes = std::vector<TLinkTreeNode>;

struct ReadCase {
  const char* Name;
  std::string Bytes;
  Nodes Expected;
};

class LinkTreeReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LinkTreeReadTest, ReadsTheNodesOfTheLines) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ParseLinkTree(c.Bytes).Nodes, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LinkTreeReadTest,
    ::testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"FolderAndChild",
                 "Folder|\r\n\tChild|https://example.org/a|b\r\n",
                 {{1, "Folder", ""}, {2, "Child", "https://example.org/a|b"}}},
        ReadCase{"SpacesCountAsLevels",
                 "A|\r\n B|\r\n\t C|x\r\n",
                 {{1, "A", ""}, {2, "B", ""}, {3, "C", "x"}}},
        ReadCase{"FirstBarEndsTheCaption", "a|b|c\r\n", {{1, "a", "b|c"}}},
        ReadCase{"NoBarIsATopLevelLink",
                 "A|\r\n\tB|\r\n\t/home/x.pdf\r\n",
                 {{1, "A", ""}, {2, "B", ""}, {1, "", "\t/home/x.pdf"}}},
        ReadCase{"BlankLineIsAnEmptyNode",
                 "A|\r\n\r\nB|\r\n",
                 {{1, "A", ""}, {1, "", ""}, {1, "B", ""}}},
        ReadCase{
            "LfAndCrEndLinesToo", "A|1\nB|2\rC|3", {{1, "A", "1"}, {1, "B", "2"}, {1, "C", "3"}}},
        ReadCase{"LastLineWithoutLineEnd", "A|x", {{1, "A", "x"}}},
        ReadCase{"Windows1251Decoded",
                 "\xc1\xe8\xe1\xeb\xe8\xff|\xea.txt\r\n",
                 {{1, "Библия", "к.txt"}}},
        ReadCase{"EmptyCaptionKeepsItsLevel", "A|\r\n\t|x\r\n", {{1, "A", ""}, {2, "", "x"}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LinkTreeRead, ALineTooDeepBecomesTheChildOfTheLineBefore) {
  // The second line stands two levels below the first, the fifth three
  // below the fourth; the first line of a file cannot be deeper than 1. The
  // third, one below the second, stays where it is.
  const TLinkTreeContent content =
      ParseLinkTree("\tA|\r\n\t\t\tB|b\r\n\t\tC|\r\nD|\r\n\t\t\tE|\r\n");
  const Nodes expected{{1, "A", ""}, {2, "B", "b"}, {3, "C", ""}, {1, "D", ""}, {2, "E", ""}};
  EXPECT_EQ(content.Nodes, expected);
  EXPECT_EQ(content.RaisedLines, (std::vector<int>{1, 2, 5}));
  EXPECT_TRUE(ParseLinkTree("A|\r\n\tB|\r\n").RaisedLines.empty());
}

struct WriteCase {
  const char* Name;
  Nodes Input;
  std::string Expected;
  std::size_t Replaced = 0;
};

class LinkTreeWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(LinkTreeWriteTest, WritesTheExactBytes) {
  const WriteCase& c = GetParam();
  std::size_t replaced = 99;
  EXPECT_EQ(FormatLinkTree(c.Input, &replaced), c.Expected);
  EXPECT_EQ(replaced, c.Replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, LinkTreeWriteTest,
    ::testing::Values(
        WriteCase{"Empty", {}, ""},
        WriteCase{"FolderWithLinkedChild",
                  {{1, "Folder", ""}, {2, "Child", "https://example.org/"}},
                  "Folder|\r\n\tChild|https://example.org/\r\n"},
        WriteCase{"EmptyLinkLeavesTheBar", {{1, "Note", ""}}, "Note|\r\n"},
        WriteCase{"ThreeLevelsOfTabs",
                  {{1, "a", ""}, {2, "b", ""}, {3, "c", "/x"}, {1, "d", ""}},
                  "a|\r\n\tb|\r\n\t\tc|/x\r\nd|\r\n"},
        WriteCase{"CyrillicIn1251",
                  {{1, "Връзки", "/дом"}},
                  "\xc2\xf0\xfa\xe7\xea\xe8|/\xe4\xee\xec\r\n"},
        WriteCase{"UnmappedCharactersBecomeQuestionMarks", {{1, "漢é", "x"}}, "??|x\r\n", 2},
        WriteCase{"LineBreaksBecomeSpaces", {{1, "a\r\nb", "c\nd"}}, "a  b|c d\r\n"},
        WriteCase{"LeadingBlanksOfACaptionDropped", {{2, " \tX", ""}}, "X|\r\n"},
        WriteCase{"LevelsPutIntoShape",
                  {{3, "a", ""}, {5, "b", ""}, {0, "c", ""}},
                  "a|\r\n\tb|\r\nc|\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(LinkTreeRoundTrip, WhatIsWrittenReadsBackAsTheSameTree) {
  const Nodes tree{{1, "Study", ""},      {2, "Maps", "/home/u/maps.pdf"},
                   {2, "Лексикон", ""},   {3, "Online", "https://example.org/?a=1|2"},
                   {1, "", "mailto:x@y"}, {1, "Last", ""}};
  const TLinkTreeContent back = ParseLinkTree(FormatLinkTree(tree));
  EXPECT_EQ(back.Nodes, tree);
  EXPECT_TRUE(back.RaisedLines.empty());
}

TEST(LinkTreeRoundTrip, ACaptionWithABarIsReadBackSplitAtIt) {
  const TLinkTreeContent back = ParseLinkTree(FormatLinkTree({{1, "left|right", "/file"}}));
  EXPECT_EQ(back.Nodes, (Nodes{{1, "left", "right|/file"}}));
}

TEST(LinkTreeFiles, AMissingFileReadsAsAnEmptyTree) {
  test::TempDir dir;
  TLinkTreeContent content;
  content.Nodes.push_back({1, "stale", ""});
  EXPECT_FALSE(ReadLinkTreeFile(dir.File("LinkTree.txt"), content));
  EXPECT_TRUE(content.Nodes.empty());
  EXPECT_FALSE(ReadLinkTreeFile(dir.Path(), content));  // a folder
}

TEST(LinkTreeFiles, WritesAndReadsAFile) {
  test::TempDir dir;
  const std::string file = dir.File("LinkTree.txt");
  test::WriteFile(file, "old|\r\n");
  WriteLinkTreeFile(file, {{1, "A", ""}, {2, "B", "/b"}});
  EXPECT_EQ(test::ReadFile(file), "A|\r\n\tB|/b\r\n");
  TLinkTreeContent content;
  ASSERT_TRUE(ReadLinkTreeFile(file, content));
  EXPECT_EQ(content.Nodes, (Nodes{{1, "A", ""}, {2, "B", "/b"}}));
}

TEST(LinkTreeFiles, AFolderThatCannotBeWrittenThrowsNamingTheFile) {
  test::TempDir dir;
  const std::string file = dir.File("missing-folder/LinkTree.txt");
  try {
    WriteLinkTreeFile(file, {{1, "A", ""}});
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), file);
  }
}

}  // namespace
}  // namespace lectora
