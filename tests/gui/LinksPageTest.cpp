// The links page of the real program, through its buttons, keys, menu and
// dialog: the tree read at start and written at exit only when changed, a
// caption with "|" typed in the dialog, a node without a link, a folder
// that does not open, deleting the only node, Browse, help, the popup's
// items, a line too deep in the file, and a file that cannot be written.
#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowDriver.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "settings/MyRadioGroup.h"
#include "support/TestSupport.h"
#include "tools/help/HelpForm1.h"
#include "tools/help/HelpService.h"
#include "tools/help/ShellOpen.h"
#include "tools/links/LinkForm1.h"
#include "tools/links/LinkOutline.h"
#include "tools/links/LinksPage.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

class RecordingShell : public IShellOpen {
 public:
  bool Open(const QUrl& url) override {
    Opened.push_back(url);
    return true;
  }
  std::vector<QUrl> Opened;
};

class LinksPageTest : public ::testing::Test {
 protected:
  void SetUp() override { test::CopySharedData(setup_.Path()); }

  std::string TreeFile() const { return setup_.File("LinkTree.txt"); }
  void Start() {
    driver_ = test::MainWindowDriver::Start(setup_.Path(), config_.Path(), false, &shell_);
  }
  void Restart() {
    driver_->close();
    driver_.reset();
    Start();
  }
  TLinksPage& Page() { return *driver_->Window().findChild<TLinksPage*>("TabSheet2"); }
  TLinkOutline& Tree() { return *Page().LinkOutline1; }
  TLinkForm1& Dialog() { return driver_->Program().LinkDialog(); }
  TMsgForm1& Messages() { return driver_->Program().MessageDialog(); }
  void Select(const char* caption) {
    const auto found =
        Tree().findItems(QString::fromUtf8(caption), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << caption;
    Tree().setCurrentItem(found.front());
  }
  // Typed key by key; the test library types ASCII only, so other text is
  // put in as an input method would.
  static void Type(QLineEdit& edit, const QString& text) {
    edit.clear();
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii) {
      QTest::keyClicks(&edit, text);
    } else {
      edit.insert(text);
    }
  }
  // The reader fills the dialog the button opened and presses OK.
  void AnswerDialog(const QString& caption, const QString& link, int mode = 0) {
    ASSERT_TRUE(Dialog().isVisible());
    Type(*Dialog().Edit1(), caption);
    Type(*Dialog().Edit2(), link);
    if (Dialog().RadioGroup1()->isEnabled()) {
      QTest::mouseClick(Dialog().RadioGroup1()->Button(mode), Qt::LeftButton, {}, QPoint(5, 5));
      ASSERT_EQ(Dialog().Mode(), mode);
    }
    QTest::mouseClick(Dialog().Button2(), Qt::LeftButton);
    EXPECT_FALSE(Dialog().isVisible());
  }
  void NewLink(const QString& caption, const QString& link, int mode = 0) {
    QTest::mouseClick(Page().ToolButton14, Qt::LeftButton);
    AnswerDialog(caption, link, mode);
  }

  test::TempDir setup_;
  test::TempDir config_;
  RecordingShell shell_;
  std::unique_ptr<test::MainWindowDriver> driver_;
};

TEST_F(LinksPageTest, ATreeUnchangedSinceLoadingLeavesTheFileUntouched) {
  const std::string bytes = "Folder|\r\n\tChild|/home/u/a.pdf\r\n";
  test::WriteFile(TreeFile(), bytes);
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(TreeFile(), past);
  Start();
  EXPECT_EQ(Tree().ItemCount(), 2);
  EXPECT_TRUE(Page().ToolButton17->isEnabled());
  EXPECT_FALSE(Page().ToolButton18->isEnabled());  // nothing selected
  Select("Child");
  QTest::keyClick(&Tree(), Qt::Key_Return);  // opening changes nothing
  driver_->close();
  EXPECT_EQ(fs::last_write_time(TreeFile()), past);
  EXPECT_EQ(test::ReadFile(TreeFile()), bytes);
  EXPECT_EQ(shell_.Opened.size(), 1u);
}

TEST_F(LinksPageTest, ACaptionWithABarTypedInTheDialogIsReadBackSplitAtIt) {
  Start();
  EXPECT_EQ(Tree().ItemCount(), 0);
  EXPECT_FALSE(Page().ToolButton17->isEnabled());
  // Nothing selected: the new node goes to the top level.
  NewLink(QStringLiteral("Maps|old"), QStringLiteral("/home/u/maps.pdf"));
  EXPECT_EQ(Tree().Nodes(), (std::vector<TLinkTreeNode>{{1, "Maps|old", "/home/u/maps.pdf"}}));
  EXPECT_TRUE(Page().ToolButton17->isEnabled());
  EXPECT_TRUE(Page().ToolButton18->isEnabled());
  Restart();
  EXPECT_EQ(test::ReadFile(TreeFile()), "Maps|old|/home/u/maps.pdf\r\n");
  EXPECT_EQ(Tree().Caption(1), QStringLiteral("Maps"));
  EXPECT_EQ(Tree().Link(1), QStringLiteral("old|/home/u/maps.pdf"));
}

TEST_F(LinksPageTest, ANodeWithoutLinkIsWrittenWithATrailingBarAndReadBackWithoutLink) {
  Start();
  NewLink(QStringLiteral("Study"), QString());
  EXPECT_FALSE(Page().ToolButton18->isEnabled());
  NewLink(QStringLiteral("Лексикон"), QStringLiteral("https://example.org/"),
          TLinkOutline::kAddChild);
  Restart();
  EXPECT_EQ(test::ReadFile(TreeFile()),
            "Study|\r\n\t\xcb\xe5\xea\xf1\xe8\xea\xee\xed|https://example.org/\r\n");
  Select("Study");
  EXPECT_TRUE(Tree().SelectedLink().isEmpty());
  EXPECT_EQ(Tree().Link(2), QStringLiteral("https://example.org/"));
}

TEST_F(LinksPageTest, OpeningAFolderNodeDoesNothingEvenWithALink) {
  test::WriteFile(TreeFile(), "Folder|/home/u/folder\r\n\tChild|/home/u/c.txt\r\n");
  Start();
  Select("Folder");
  EXPECT_FALSE(Page().ToolButton18->isEnabled());
  QTest::keyClick(&Tree(), Qt::Key_Return);
  Page().OpenLink();
  EXPECT_TRUE(shell_.Opened.empty());
  Tree().expandAll();
  Select("Child");
  EXPECT_TRUE(Page().ToolButton18->isEnabled());
  QTest::mouseClick(Page().ToolButton18, Qt::LeftButton);
  ASSERT_EQ(shell_.Opened.size(), 1u);
  EXPECT_EQ(shell_.Opened[0], QUrl::fromLocalFile(QStringLiteral("/home/u/c.txt")));
}

TEST_F(LinksPageTest, DeletingTheOnlyNodeDisablesEditAndIsSavedAtExit) {
  test::WriteFile(TreeFile(), "Only|/home/u/x\r\n");
  Start();
  Select("Only");
  Messages().ClearShown();
  Messages().QueueAnswer(false);
  QTest::keyClick(&Tree(), Qt::Key_Delete);
  EXPECT_EQ(Tree().ItemCount(), 1);  // No keeps it
  ASSERT_EQ(Messages().Shown().size(), 1);
  EXPECT_TRUE(Messages().Shown()[0].Question);
  EXPECT_TRUE(Messages().Shown()[0].DefaultNo);
  EXPECT_TRUE(Messages().Shown()[0].Text.endsWith(QStringLiteral(" \"Only\"?")));
  Messages().QueueAnswer(true);
  QTest::mouseClick(Page().ToolButton16, Qt::LeftButton);
  EXPECT_EQ(Tree().ItemCount(), 0);
  EXPECT_FALSE(Page().ToolButton17->isEnabled());
  EXPECT_FALSE(Page().ToolButton18->isEnabled());
  driver_->close();
  EXPECT_EQ(test::ReadFile(TreeFile()), "");
  EXPECT_TRUE(fs::exists(TreeFile()));
}

TEST_F(LinksPageTest, EditingAFolderEmptiesAndDisablesItsLink) {
  test::WriteFile(TreeFile(), "Folder|/f\r\n\tLeaf|/l\r\n");
  Start();
  Select("Folder");
  QTest::mouseClick(Page().ToolButton17, Qt::LeftButton);
  EXPECT_FALSE(Dialog().RadioGroup1()->isEnabled());
  EXPECT_FALSE(Dialog().Edit2()->isEnabled());
  EXPECT_FALSE(Dialog().Button1()->isEnabled());
  EXPECT_EQ(Dialog().Edit1()->text(), QStringLiteral("Folder"));
  QTest::mouseClick(Dialog().Button2(), Qt::LeftButton);
  Tree().expandAll();
  Select("Leaf");
  QTest::mouseClick(Page().ToolButton17, Qt::LeftButton);
  EXPECT_TRUE(Dialog().Edit2()->isEnabled());
  EXPECT_EQ(Dialog().Edit2()->text(), QStringLiteral("/l"));
  AnswerDialog(QStringLiteral("Leaf 2"), QString());
  EXPECT_FALSE(Page().ToolButton18->isEnabled());
  driver_->close();
  EXPECT_EQ(test::ReadFile(TreeFile()), "Folder|\r\n\tLeaf 2|\r\n");
}

TEST_F(LinksPageTest, CancelChangesNothingAndBrowsePutsTheChosenFileIntoTheLink) {
  Start();
  Dialog().OpenDialog1().QueueAnswer(QStringLiteral("/home/u/chosen.pdf"));
  Dialog().OpenDialog1().QueueAnswer(std::nullopt);
  QTest::mouseClick(Page().ToolButton14, Qt::LeftButton);
  QTest::mouseClick(Dialog().Button1(), Qt::LeftButton);
  EXPECT_EQ(Dialog().Edit2()->text(), QStringLiteral("/home/u/chosen.pdf"));
  QTest::mouseClick(Dialog().Button1(), Qt::LeftButton);  // cancelled: kept
  EXPECT_EQ(Dialog().Edit2()->text(), QStringLiteral("/home/u/chosen.pdf"));
  ASSERT_EQ(Dialog().OpenDialog1().Requests().size(), 2);
  EXPECT_EQ(Dialog().OpenDialog1().Requests()[1].FileName, QStringLiteral("/home/u/chosen.pdf"));
  QTest::keyClicks(Dialog().Edit1(), QStringLiteral("Never"));
  QTest::mouseClick(Dialog().Button3(), Qt::LeftButton);
  EXPECT_EQ(Tree().ItemCount(), 0);
  // The caption field keeps its text for the next new link; the link not.
  QTest::mouseClick(Page().ToolButton14, Qt::LeftButton);
  EXPECT_EQ(Dialog().Edit1()->text(), QStringLiteral("Never"));
  EXPECT_TRUE(Dialog().Edit2()->text().isEmpty());
  QTest::mouseClick(Dialog().Button3(), Qt::LeftButton);
  driver_->close();
  EXPECT_FALSE(fs::exists(TreeFile()));
}

TEST_F(LinksPageTest, HelpOpensTheLinkDialogsTopic) {
  fs::copy(test::SourceDir() + "data/help", setup_.File("help"), fs::copy_options::recursive);
  Start();
  QTest::mouseClick(Page().ToolButton14, Qt::LeftButton);
  QTest::mouseClick(Dialog().Button4(), Qt::LeftButton);
  THelpForm1* help = driver_->Program().Help().Window();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->Browser()->source().fragment(), QStringLiteral("EditLinkWindow"));
  QTest::mouseClick(Dialog().Button3(), Qt::LeftButton);
}

TEST_F(LinksPageTest, ThePopupShowsWhatTheSelectedNodeAllows) {
  test::WriteFile(TreeFile(), "Folder|\r\n\tLinked|/l\r\n\tBare|\r\n");
  Start();
  QMenu& menu = *Page().PopupMenu7;
  const auto visible = [&menu] {
    QStringList names;
    for (QAction* action : menu.actions()) {
      if (action->isVisible()) names << action->objectName();
    }
    return names.join(QLatin1Char(' '));
  };
  const auto enabled = [&menu](const char* name) {
    return menu.findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
  };
  Page().PopupMenu7Popup();
  EXPECT_EQ(visible(), QStringLiteral("Newlink1"));
  Select("Folder");
  Page().PopupMenu7Popup();
  EXPECT_EQ(visible(), QStringLiteral("Expand1 Newlink1 Editlink1 Deletelink1"));
  menu.findChild<QAction*>(QStringLiteral("Expand1"))->trigger();
  Page().PopupMenu7Popup();
  EXPECT_EQ(visible(), QStringLiteral("Collapse1 Newlink1 Editlink1 Deletelink1"));
  Select("Linked");
  Page().PopupMenu7Popup();
  EXPECT_EQ(visible(), QStringLiteral("Openlink1 Newlink1 Editlink1 Deletelink1"));
  EXPECT_TRUE(enabled("Openlink1"));
  Select("Bare");
  Page().PopupMenu7Popup();
  EXPECT_FALSE(enabled("Openlink1"));
  // Right-clicking the tree shows the menu without blocking.
  const QPoint at = Tree().visualItemRect(Tree().SelectedNode()).center();
  QTest::mouseClick(Tree().viewport(), Qt::RightButton, {}, at);
  Q_EMIT Tree().customContextMenuRequested(at);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
}

TEST_F(LinksPageTest, ALineTwoLevelsDeeperBecomesAChildOfTheLineBefore) {
  const std::string bytes = "A|\r\n\t\t\tB|/b\r\n\tC|\r\n";
  test::WriteFile(TreeFile(), bytes);
  Start();
  EXPECT_EQ(Tree().Nodes(),
            (std::vector<TLinkTreeNode>{{1, "A", ""}, {2, "B", "/b"}, {2, "C", ""}}));
  // Read as it is, the file is not rewritten; a change writes the shape shown.
  Restart();
  EXPECT_EQ(test::ReadFile(TreeFile()), bytes);
  Select("C");
  NewLink(QStringLiteral("D"), QString(), TLinkOutline::kAdd);
  driver_->close();
  EXPECT_EQ(test::ReadFile(TreeFile()), "A|\r\n\tB|/b\r\n\tC|\r\n\tD|\r\n");
}

TEST_F(LinksPageTest, AFileThatCannotBeWrittenIsReportedAtExit) {
  // A folder where the file should be: it reads as no tree, and the save
  // cannot replace it.
  fs::create_directories(TreeFile());
  Start();
  NewLink(QStringLiteral("Lost?"), QStringLiteral("/x"));
  Messages().ClearShown();
  driver_->close();
  ASSERT_EQ(Messages().Shown().size(), 1);
  EXPECT_FALSE(Messages().Shown()[0].Question);
  EXPECT_TRUE(Messages().Shown()[0].Text.contains(QStringLiteral("LinkTree.txt")));
}

TEST_F(LinksPageTest, TextTheFileCannotStoreKeepsTheDialogOpenAndSaysSo) {
  Start();
  Messages().ClearShown();
  QTest::mouseClick(Page().ToolButton14, Qt::LeftButton);
  Type(*Dialog().Edit1(), QStringLiteral("Notes"));
  Type(*Dialog().Edit2(), QStringLiteral(u"/home/u/Téléchargements/a.pdf"));
  QTest::mouseClick(Dialog().Button2(), Qt::LeftButton);
  EXPECT_TRUE(Dialog().isVisible());
  ASSERT_EQ(Messages().Shown().size(), 1);
  EXPECT_TRUE(Messages().Shown()[0].Text.contains(QStringLiteral(u"“é”")));
  EXPECT_EQ(Tree().ItemCount(), 0);
  // Cyrillic and plain Latin are stored: OK closes.
  Type(*Dialog().Edit2(), QStringLiteral(u"/home/u/Документи/a.pdf"));
  QTest::mouseClick(Dialog().Button2(), Qt::LeftButton);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Tree().Link(1), QStringLiteral(u"/home/u/Документи/a.pdf"));
}

TEST_F(LinksPageTest, EveryControlOfThePageAndTheDialogHasAnAccessibleName) {
  Start();
  std::vector<QWidget*> controls{Page().ToolBar2,       Page().ToolButton14, Page().ToolButton16,
                                 Page().ToolButton17,   Page().ToolButton18, &Tree(),
                                 Dialog().Edit1(),      Dialog().Edit2(),    Dialog().Button1(),
                                 Dialog().Button2(),    Dialog().Button3(),  Dialog().Button4(),
                                 Dialog().RadioGroup1()};
  for (int i = 0; i < Dialog().RadioGroup1()->ButtonCount(); ++i) {
    controls.push_back(Dialog().RadioGroup1()->Button(i));
  }
  for (QWidget* control : controls) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
  for (QAction* item : Page().PopupMenu7->actions()) {
    EXPECT_FALSE(item->text().isEmpty()) << item->objectName().toStdString();
  }
  EXPECT_EQ(Dialog().RadioGroup1()->ButtonCount(), 3);
  EXPECT_EQ(Dialog().RadioGroup1()->ItemIndex(), 0);
}

}  // namespace
}  // namespace lectora
