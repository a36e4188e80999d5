// The help: every topic the program opens has its anchor in the pages of
// every language, each language has the pages and anchors of the English
// ones, a topic without one opens the contents page, F1 opens the topic of
// the focused window, the pages follow the interface language, and the
// Help menu's commands (through the real main window; web and mail
// addresses recorded, not opened).
#include "tools/help/HelpService.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include "MainWindowDriver.h"

#include "app/ActionRegistry.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/OptionValues.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/help/HelpForm1.h"
#include "tools/help/HelpPages.h"
#include "tools/help/HelpTopics.h"
#include "tools/help/ShellOpen.h"
#include "tools/range/RangeForm1.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;    // short name "KJVSn"
constexpr int kNoShortName = 1;  // "bgnew": a translation without a help page of its own

class RecordingShellOpen : public IShellOpen {
 public:
  bool Open(const QUrl& url) override {
    Opened.push_back(url);
    return true;
  }
  std::vector<QUrl> Opened;
};

// The anchor names the browser's document holds, as Qt parsed the page.
QStringList DocumentAnchors(const QTextBrowser& browser) {
  QStringList anchors;
  for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      anchors += it.fragment().charFormat().anchorNames();
    }
  }
  return anchors;
}

// The folders of data/help/, one per interface language.
constexpr const char* kHelpLanguages[] = {"en", "bg", "mk"};

std::string HelpFolder(const char* language) {
  return test::SourceDir() + "data/help/" + language + "/";
}

// The text of a page, or a failure naming it when it is not UTF-8.
QString ReadPage(const QDir& dir, const QString& page) {
  QFile file(dir.filePath(page));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString html = utf8.decode(file.readAll());
  EXPECT_FALSE(utf8.hasError()) << dir.filePath(page).toStdString() << " is not UTF-8";
  return html;
}

// The anchor names of a page in the order they stand.
QStringList PageAnchors(const QString& html) {
  static const QRegularExpression name(QStringLiteral("<a name=\"([^\"]+)\""));
  QStringList anchors;
  for (auto match = name.globalMatch(html); match.hasNext();) anchors += match.next().captured(1);
  return anchors;
}

TEST(HelpPagesTest, EveryTopicHasAnAnchorInEveryLanguage) {
  for (const char* language : kHelpLanguages) {
    const THelpPages pages(QString::fromStdString(HelpFolder(language)));
    ASSERT_TRUE(pages.Found()) << language;
    for (const QString& topic : KnownHelpTopics()) {
      EXPECT_TRUE(pages.Has(topic)) << language << ": " << topic.toStdString();
    }
  }
}

TEST(HelpPagesTest, EveryLinkLeadsToAPageAndAnchor) {
  static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
  for (const char* language : kHelpLanguages) {
    const QDir dir(QString::fromStdString(HelpFolder(language)));
    const THelpPages pages(dir.path());
    for (const QString& page : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
      const QString html = ReadPage(dir, page);
      for (auto match = href.globalMatch(html); match.hasNext();) {
        const QUrl link(match.next().captured(1));
        const std::string where =
            std::string(language) + "/" + page.toStdString() + ": " + link.toString().toStdString();
        EXPECT_TRUE(dir.exists(link.path().isEmpty() ? page : link.path())) << where;
        if (link.hasFragment()) {
          EXPECT_EQ(pages.TopicUrl(link.fragment()).fileName(),
                    link.path().isEmpty() ? page : link.path())
              << where;
        }
      }
    }
  }
}

// A translated page keeps the English page's name, its anchors in their
// order, its UTF-8 declaration and names its own language.
TEST(HelpPagesTest, EveryLanguageHasTheEnglishPagesAndAnchors) {
  const QDir english(QString::fromStdString(HelpFolder("en")));
  const QStringList pages = english.entryList({QStringLiteral("*.html")}, QDir::Files);
  ASSERT_FALSE(pages.isEmpty());
  for (const char* language : kHelpLanguages) {
    const QDir dir(QString::fromStdString(HelpFolder(language)));
    EXPECT_EQ(dir.entryList({QStringLiteral("*.html")}, QDir::Files), pages) << language;
    for (const QString& page : pages) {
      const std::string where = std::string(language) + "/" + page.toStdString();
      const QString html = ReadPage(dir, page);
      EXPECT_EQ(PageAnchors(html), PageAnchors(ReadPage(english, page))) << where;
      EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << where;
      EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language))) << where;
    }
  }
}

TEST(HelpPagesTest, EveryTopicOpensItsAnchor) {
  THelpService help(test::SourceDir() + "data/", nullptr);
  for (const char* name : kHelpLanguages) {
    const QString language = QString::fromLatin1(name);
    help.SetLanguageSource([language] { return QString(language); });
    const THelpPages& pages = help.Pages(language);
    for (const QString& topic : KnownHelpTopics()) {
      help.ShowTopic(topic);
      QTextBrowser& browser = *help.Window()->Browser();
      EXPECT_EQ(browser.source(), pages.TopicUrl(topic));
      EXPECT_TRUE(DocumentAnchors(browser).contains(topic))
          << language.toStdString() << ": " << topic.toStdString();
    }
  }
}

class HelpServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(test::SourceDir() + "data/help", dir_.File("help"),
                          std::filesystem::copy_options::recursive);
  }
  test::TempDir dir_;
};

TEST_F(HelpServiceTest, TopicWithoutAPageOpensTheContents) {
  THelpService help(dir_.Path(), nullptr);
  for (const QString& topic : {QStringLiteral("NoSuchTopic"), QString(), QStringLiteral("main")}) {
    help.ShowTopic(topic);
    const QUrl shown = help.Window()->Browser()->source();
    EXPECT_EQ(shown.fileName(), QStringLiteral("index.html")) << topic.toStdString();
    EXPECT_TRUE(shown.fragment().isEmpty());
    EXPECT_TRUE(help.Window()->isVisible());
  }
}

TEST_F(HelpServiceTest, LanguageChoosesThePagesAndEnglishStandsIn) {
  THelpService help(dir_.Path(), nullptr);
  QString language = QStringLiteral("bg");
  help.SetLanguageSource([&language] { return language; });
  const struct {
    const char* asked;
    const char* shown;
  } cases[] = {{"bg", "/help/bg/"}, {"en", "/help/en/"}, {"mk", "/help/mk/"}, {"sr", "/help/en/"}};
  for (const auto& c : cases) {
    language = QString::fromLatin1(c.asked);
    help.ShowTopic(QStringLiteral("Range"));
    EXPECT_TRUE(help.Window()->Browser()->source().path().contains(QString::fromLatin1(c.shown)))
        << c.asked;
  }
}

TEST_F(HelpServiceTest, MissingPagesShowAMessageNamingTheFolder) {
  std::filesystem::remove_all(dir_.File("help"));
  THelpService help(dir_.Path(), nullptr);
  help.ShowTopic(QStringLiteral("Main"));
  ASSERT_NE(help.Window(), nullptr);
  const QString text = help.Window()->Browser()->toPlainText();
  EXPECT_TRUE(text.contains(QString::fromStdString(dir_.File("help/en")))) << text.toStdString();
  EXPECT_FALSE(help.Window()->ContentsButton()->isEnabled());
}

TEST_F(HelpServiceTest, BackForwardAndContentsButtons) {
  THelpService help(dir_.Path(), nullptr);
  help.ShowTopic(QStringLiteral("Main"));
  help.ShowTopic(QStringLiteral("Query"));
  THelpForm1& window = *help.Window();
  ASSERT_TRUE(window.BackButton()->isEnabled());
  QTest::mouseClick(window.BackButton(), Qt::LeftButton);
  EXPECT_EQ(window.Browser()->source().fragment(), QStringLiteral("Main"));
  EXPECT_TRUE(window.ForwardButton()->isEnabled());
  QTest::mouseClick(window.ForwardButton(), Qt::LeftButton);
  EXPECT_EQ(window.Browser()->source().fragment(), QStringLiteral("Query"));
  QTest::mouseClick(window.ContentsButton(), Qt::LeftButton);
  EXPECT_EQ(window.Browser()->source().fileName(), QStringLiteral("index.html"));
  for (QWidget* control :
       std::initializer_list<QWidget*>{window.Browser(), window.BackButton(),
                                       window.ForwardButton(), window.ContentsButton()}) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
  }
}

// The Help menu and F1 in the real program.
class HelpMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
    test::InstallSampleModule(test::kBulgarianSearchSample, setup_.File("bgnew"));
    std::filesystem::copy(test::SourceDir() + "data/help", setup_.File("help"),
                          std::filesystem::copy_options::recursive);
    window_ = test::MainWindowDriver::Start(setup_.Path(), config_.Path(), false, &shell_);
  }

  QAction& Action(const char* name) {
    return window_->Program().Actions().Get(QString::fromLatin1(name));
  }
  // The topic the help window shows, "" when it is not shown.
  QString ShownTopic() {
    THelpForm1* help = window_->Program().Help().Window();
    if (help == nullptr || !help->isVisible()) return QStringLiteral("(none)");
    const QUrl source = help->Browser()->source();
    return source.fragment().isEmpty() ? source.fileName() : source.fragment();
  }
  void HideHelp() {
    if (THelpForm1* help = window_->Program().Help().Window()) help->hide();
  }
  // The program again on the same setup, with the interface texts of every
  // language and a settings file holding `ini`.
  void RestartWith(const std::string& ini) {
    window_.reset();
    for (const char* folder : {"Bulgarian", "English", "Macedonian"}) {
      std::filesystem::copy(test::SourceDir() + "data/" + folder, setup_.File(folder),
                            std::filesystem::copy_options::recursive |
                                std::filesystem::copy_options::overwrite_existing);
    }
    test::WriteFile(setup_.File("lectora.ini"), ini);
    window_ = test::MainWindowDriver::Start(setup_.Path(), config_.Path(), false, &shell_);
  }
  // The folder of the page the help window shows.
  QString ShownFolder() {
    const QString path = window_->Program().Help().Window()->Browser()->source().path();
    return path.section(QLatin1Char('/'), -3, -2);
  }

  test::TempDir setup_;
  test::TempDir config_;
  RecordingShellOpen shell_;
  std::unique_ptr<test::MainWindowDriver> window_;
};

TEST_F(HelpMenuTest, MenuItemsAndTheirStates) {
  QMenu& help1 = window_->Find<QMenu>("Help1");
  EXPECT_TRUE(help1.menuAction()->isEnabled());
  std::vector<QString> names;
  for (QAction* item : help1.actions()) {
    if (!item->isSeparator()) names.push_back(item->text());
  }
  EXPECT_EQ(names, (std::vector<QString>{
                       QStringLiteral("за програмата"), QStringLiteral("за Библията"),
                       QStringLiteral("Страница в Internet"), QStringLiteral("Контакт с автора"),
                       QStringLiteral("CheckNew"), QStringLiteral("Сигнал")}));
  EXPECT_FALSE(Action("ThisBible1").isVisible());
  EXPECT_TRUE(Action("CheckNew1").isEnabled());  // the new-version check
  EXPECT_TRUE(Action("Logo1").isEnabled());      // logo
  window_->OpenTranslation(kKingJames);
  EXPECT_TRUE(Action("ThisBible1").isVisible());
  window_->CloseAllWindows();
  EXPECT_FALSE(Action("ThisBible1").isVisible());
}

TEST_F(HelpMenuTest, CommandsOpenTheirTopicsAndAddresses) {
  Action("ThisProgram1").trigger();
  EXPECT_EQ(ShownTopic(), QStringLiteral("Main"));
  HideHelp();
  window_->OpenTranslation(kKingJames);
  Action("ThisBible1").trigger();
  EXPECT_EQ(ShownTopic(), QStringLiteral("KJVSn"));
  HideHelp();
  window_->OpenTranslation(kNoShortName);
  ASSERT_EQ(window_->ActiveBibleWindow()->TranslationNumber(), kNoShortName);
  Action("ThisBible1").trigger();
  EXPECT_EQ(ShownTopic(), QStringLiteral("(none)"));
  EXPECT_TRUE(shell_.Opened.empty());
  Action("WebSite1").trigger();
  Action("EMail1").trigger();
  ASSERT_EQ(shell_.Opened.size(), 2u);
  EXPECT_EQ(shell_.Opened[0].scheme(), QStringLiteral("https"));
  EXPECT_EQ(shell_.Opened[1].scheme(), QStringLiteral("mailto"));
  EXPECT_FALSE(shell_.Opened[1].path().isEmpty());
}

// The pages of the interface language the settings file names, in the
// same run as that language's menus; a language picked later moves the
// next page along with it.
TEST_F(HelpMenuTest, PagesFollowTheStoredInterfaceLanguage) {
  const struct {
    int Stored;
    const char* Folder;
    const char* HelpMenu;
    const char* Heading;
  } cases[] = {{0, "help/bg", "Помощ", "Главният прозорец"},
               {1, "help/en", "&Help", "The main window"},
               {2, "help/mk", "Помош", "Главниот прозорец"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored);
    RestartWith("[MainWindow]\r\nLanguage=" + std::to_string(c.Stored) + "\r\n");
    ASSERT_EQ(window_->Program().Options().Language(), c.Stored);
    EXPECT_EQ(window_->Find<QMenu>("Help1").title().toStdString(), c.HelpMenu);
    Action("ThisProgram1").trigger();
    EXPECT_EQ(ShownTopic(), QStringLiteral("Main"));
    EXPECT_EQ(ShownFolder().toStdString(), c.Folder);
    const QString text = window_->Program().Help().Window()->Browser()->toPlainText();
    EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.Heading))) << text.left(40).toStdString();
  }
  HideHelp();
  window_->Program().Options().SetLanguage(1);
  QTest::keyClick(&window_->Window(), Qt::Key_F1);
  EXPECT_EQ(ShownFolder().toStdString(), "help/en");
}

TEST_F(HelpMenuTest, F1OpensTheTopicOfTheFocusedWindow) {
  // The first run's interface is Bulgarian, and so are its pages.
  QTest::keyClick(&window_->Window(), Qt::Key_F1);
  EXPECT_EQ(ShownTopic(), QStringLiteral("Main"));
  EXPECT_TRUE(window_->Program().Help().Window()->Browser()->source().path().contains(
      QStringLiteral("/help/bg/")));
  HideHelp();
  window_->OpenTranslation(kKingJames);
  QTest::keyClick(window_->ActiveBibleWindow()->BRichEdit1, Qt::Key_F1);
  EXPECT_EQ(ShownTopic(), QStringLiteral("KJVSn"));
  HideHelp();
  // The search panel has its page, the query language's.
  auto* searchBox = window_->Window().findChild<QWidget*>(QStringLiteral("LargeListBox1"));
  ASSERT_NE(searchBox, nullptr);
  QTest::keyClick(searchBox, Qt::Key_F1);
  EXPECT_EQ(ShownTopic(), QStringLiteral("Search"));
  HideHelp();
  // A translation without a page of its own: the main window's topic.
  window_->OpenTranslation(kNoShortName);
  QTest::keyClick(window_->ActiveBibleWindow()->BRichEdit1, Qt::Key_F1);
  EXPECT_EQ(ShownTopic(), QStringLiteral("Main"));
  HideHelp();
  TRangeForm1& range = window_->Program().RangeDialog();
  Action("Range1").trigger();
  QTest::keyClick(range.CheckListBox1(), Qt::Key_F1);
  EXPECT_EQ(ShownTopic(), QStringLiteral("Range"));
  range.reject();
}

}  // namespace
}  // namespace lectora
