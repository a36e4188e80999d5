// The link tree control on its own: where each insertion mode puts a node,
// insertion without a selection, when an edit counts as a change, which
// nodes open (folders never do), the keys and the double click, and the
// numbered read accessors.
#include "tools/links/LinkOutline.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <string>
#include <vector>

#include "tools/help/ShellOpen.h"

namespace lectora {
namespace {

using Nodes = std::vector<TLinkTreeNode>;

class RecordingShell : public IShellOpen {
 public:
  bool Open(const QUrl& url) override {
    Opened.push_back(url);
    return true;
  }
  std::vector<QUrl> Opened;
};

// A: B, C; D
const Nodes kTree{{1, "A", ""}, {2, "B", "/b"}, {2, "C", ""}, {1, "D", "https://example.org/"}};

QTreeWidgetItem* Find(TLinkOutline& tree, const char* caption) {
  const auto found =
      tree.findItems(QString::fromUtf8(caption), Qt::MatchExactly | Qt::MatchRecursive);
  return found.isEmpty() ? nullptr : found.front();
}

struct InsertCase {
  const char* Name;
  const char* Selected;  // null = none
  int Mode;
  Nodes Expected;
};

class LinkOutlineInsertTest : public ::testing::TestWithParam<InsertCase> {};

TEST_P(LinkOutlineInsertTest, PutsTheNewNodeWhereTheModeSays) {
  const InsertCase& c = GetParam();
  TLinkOutline tree;
  tree.SetNodes(kTree);
  tree.setCurrentItem(c.Selected != nullptr ? Find(tree, c.Selected) : nullptr);
  EXPECT_FALSE(tree.Modified());
  tree.InsertLink(QStringLiteral("X"), QStringLiteral("/x"), c.Mode);
  EXPECT_EQ(tree.Nodes(), c.Expected);
  EXPECT_TRUE(tree.Modified());
  ASSERT_NE(tree.SelectedNode(), nullptr);
  EXPECT_EQ(tree.SelectedCaption(), QStringLiteral("X"));
  EXPECT_EQ(tree.SelectedLink(), QStringLiteral("/x"));
  for (QTreeWidgetItem* up = tree.SelectedNode()->parent(); up != nullptr; up = up->parent()) {
    EXPECT_TRUE(up->isExpanded());
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, LinkOutlineInsertTest,
                         ::testing::Values(InsertCase{"InsertBeforeTheSelected",
                                                      "C",
                                                      TLinkOutline::kInsert,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "X", "/x"},
                                                       {2, "C", ""},
                                                       {1, "D", "https://example.org/"}}},
                                           InsertCase{"InsertBeforeATopLevelNode",
                                                      "A",
                                                      TLinkOutline::kInsert,
                                                      {{1, "X", "/x"},
                                                       {1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "C", ""},
                                                       {1, "D", "https://example.org/"}}},
                                           InsertCase{"AddAfterTheLastSibling",
                                                      "B",
                                                      TLinkOutline::kAdd,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "C", ""},
                                                       {2, "X", "/x"},
                                                       {1, "D", "https://example.org/"}}},
                                           InsertCase{"AddChildAfterTheLastChild",
                                                      "A",
                                                      TLinkOutline::kAddChild,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "C", ""},
                                                       {2, "X", "/x"},
                                                       {1, "D", "https://example.org/"}}},
                                           InsertCase{"AddChildMakesAFolder",
                                                      "B",
                                                      TLinkOutline::kAddChild,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {3, "X", "/x"},
                                                       {2, "C", ""},
                                                       {1, "D", "https://example.org/"}}},
                                           InsertCase{"NoSelectionInsertsAtTheTopLevel",
                                                      nullptr,
                                                      TLinkOutline::kInsert,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "C", ""},
                                                       {1, "D", "https://example.org/"},
                                                       {1, "X", "/x"}}},
                                           InsertCase{"NoSelectionAddChildAtTheTopLevel",
                                                      nullptr,
                                                      TLinkOutline::kAddChild,
                                                      {{1, "A", ""},
                                                       {2, "B", "/b"},
                                                       {2, "C", ""},
                                                       {1, "D", "https://example.org/"},
                                                       {1, "X", "/x"}}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LinkOutline, InsertingIntoAnEmptyTreeAddsATopLevelNodeAndAnEmptyCaptionNothing) {
  TLinkOutline tree;
  tree.InsertLink(QString(), QStringLiteral("/x"), TLinkOutline::kAdd);
  EXPECT_EQ(tree.ItemCount(), 0);
  EXPECT_FALSE(tree.Modified());
  tree.InsertLink(QStringLiteral("First"), QString(), TLinkOutline::kAddChild);
  EXPECT_EQ(tree.Nodes(), (Nodes{{1, "First", ""}}));
  EXPECT_TRUE(tree.Modified());
}

struct EditCase {
  const char* Name;
  const char* Node;
  const char* Caption;
  const char* Link;
  bool Modified;
  const char* LinkAfter;
};

class LinkOutlineEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(LinkOutlineEditTest, ChangesTheNodeAndCountsTheChange) {
  const EditCase& c = GetParam();
  TLinkOutline tree;
  tree.SetNodes(kTree);
  tree.setCurrentItem(Find(tree, c.Node));
  tree.EditNode(QString::fromUtf8(c.Caption), QString::fromUtf8(c.Link));
  EXPECT_EQ(tree.Modified(), c.Modified);
  EXPECT_EQ(tree.SelectedCaption(), QString::fromUtf8(c.Caption));
  EXPECT_EQ(tree.SelectedLink(), QString::fromUtf8(c.LinkAfter));
}

INSTANTIATE_TEST_SUITE_P(Edits, LinkOutlineEditTest,
                         ::testing::Values(EditCase{"NothingToNothing", "C", "C", "", false, ""},
                                           EditCase{"NewCaption", "C", "Cc", "", true, ""},
                                           EditCase{"LinkAdded", "C", "C", "/c", true, "/c"},
                                           EditCase{"LinkRemoved", "B", "B", "", true, ""},
                                           EditCase{"SameLinkStillCounts", "B", "B", "/b", true,
                                                    "/b"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LinkOutline, OnlyALeafWithALinkOpens) {
  RecordingShell shell;
  TLinkOutline tree;
  tree.SetShell(&shell);
  // A folder whose line carries a link too.
  tree.SetNodes({{1, "Folder", "/folder"},
                 {2, "Leaf", "/home/u/a b.pdf"},
                 {1, "Bare", ""},
                 {1, "Web", "https://example.org/x?y=1"}});
  EXPECT_FALSE(tree.OpenLink());  // nothing selected
  for (const char* caption : {"Folder", "Bare"}) {
    tree.setCurrentItem(Find(tree, caption));
    EXPECT_FALSE(tree.SelectedOpens()) << caption;
    EXPECT_FALSE(tree.OpenLink()) << caption;
  }
  EXPECT_TRUE(shell.Opened.empty());
  tree.setCurrentItem(Find(tree, "Leaf"));
  EXPECT_TRUE(tree.OpenLink());
  tree.setCurrentItem(Find(tree, "Web"));
  EXPECT_TRUE(tree.OpenLink());
  ASSERT_EQ(shell.Opened.size(), 2u);
  EXPECT_EQ(shell.Opened[0], QUrl::fromLocalFile(QStringLiteral("/home/u/a b.pdf")));
  EXPECT_EQ(shell.Opened[1], QUrl(QStringLiteral("https://example.org/x?y=1")));
}

TEST(LinkOutline, EnterAndDoubleClickAskToOpenAndDeleteToDelete) {
  TLinkOutline tree;
  tree.SetNodes(kTree);
  tree.resize(300, 200);
  tree.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
  tree.setCurrentItem(Find(tree, "D"));
  QSignalSpy open(&tree, &TLinkOutline::OpenRequested);
  QSignalSpy remove(&tree, &TLinkOutline::DeleteRequested);
  QSignalSpy released(&tree, &TLinkOutline::MouseReleased);
  QTest::keyClick(&tree, Qt::Key_Return);
  QTest::keyClick(&tree, Qt::Key_Enter);
  const QPoint d = tree.visualItemRect(Find(tree, "D")).center();
  // The view takes a double click as the second press on the row pressed.
  QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, d);
  QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, d);
  QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, d);
  EXPECT_EQ(open.count(), 3);
  EXPECT_GE(released.count(), 1);
  QTest::keyClick(&tree, Qt::Key_Delete);
  EXPECT_EQ(remove.count(), 1);
  EXPECT_EQ(tree.ItemCount(), 4);  // the control only asks; the page deletes
}

TEST(LinkOutline, NumberedAccessorsCountInDisplayOrder) {
  TLinkOutline tree;
  tree.SetNodes(kTree);
  EXPECT_EQ(tree.ItemCount(), 4);
  EXPECT_EQ(tree.Caption(2), QStringLiteral("B"));
  EXPECT_EQ(tree.Link(2), QStringLiteral("/b"));
  EXPECT_EQ(tree.Caption(4), QStringLiteral("D"));
  for (int outside : {0, -1, 5}) {
    EXPECT_TRUE(tree.Caption(outside).isEmpty());
    EXPECT_TRUE(tree.Link(outside).isEmpty());
  }
  EXPECT_EQ(tree.SelectedNode(), nullptr);
  EXPECT_TRUE(tree.SelectedCaption().isEmpty());
}

TEST(LinkOutline, DeletingANodeTakesItsChildren) {
  TLinkOutline tree;
  tree.SetNodes(kTree);
  tree.setCurrentItem(Find(tree, "A"));
  tree.DeleteSelected();
  EXPECT_EQ(tree.Nodes(), (Nodes{{1, "D", "https://example.org/"}}));
  EXPECT_TRUE(tree.Modified());
}

}  // namespace
}  // namespace lectora
