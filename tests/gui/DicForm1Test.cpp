// The dictionary window of the real program, driven through its controls:
// the catalogue of the setup folder and the remembered root, switching to
// the dictionary that holds a word, stepping through explanations, the
// history keeping the explanation a word was left on, typing the same text
// twice, the Bible window's Dictionary item, and damaged dictionary files.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "MainWindowDriver.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/LargeListBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "modules/DictionaryCompiler.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/Settings.h"
#include "store/StoreSession.h"
#include "store/UserRegistry.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/picture/PictureForm1.h"
#include "tools/search/SearchService.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kKingJames = 8;
const char kEnglishTitle[] = "English Bible Dictionary";
const char kNamesTitle[] = "bible names";

class DicForm1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    fs::create_directories(setup_.File("Dictionaries"));
    fs::create_directories(root_.File("Dictionaries"));
  }

  void Compile(const std::string& source, const std::string& base, const std::string& title) {
    const std::string sourceFile = scratch_.File("source.tsv");
    test::WriteFile(sourceFile, source);
    TDictionaryCompiler::Compile(sourceFile, base, title);
  }
  void InstallEnglish() {
    TDictionaryCompiler::Compile(test::TestDataDir() + "dict-en/source.tsv",
                                 setup_.File("Dictionaries/En"), kEnglishTitle);
  }
  void InstallNames() {
    Compile(
        "Moses\tMoses, the lawgiver.\nAaron\tAaron, brother of Moses.\nGod\tGod, the creator.\n",
        setup_.File("Dictionaries/Names"), kNamesTitle);
  }
  // Under the remembered root: a second "English Bible Dictionary" that
  // must lose to the setup folder's, and one of its own.
  void InstallRoot() {
    Compile("Shadow\tA shadow.\n", root_.File("Dictionaries/En"), kEnglishTitle);
    Compile("Zebulun\tA tribe of Israel.\n", root_.File("Dictionaries/Tribes"), "tribes");
  }

  std::unique_ptr<test::MainWindowDriver> Start() {
    auto driver = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    driver->Program().Session().Settings().Registry().WriteRegValue("SetupPath", root_.Path());
    return driver;
  }
  static TDic_Form1& Dic(test::MainWindowDriver& driver) {
    return driver.Program().DictionaryWindow();
  }
  static QToolButton& Button(TDic_Form1& dic, const char* name) {
    auto* button = dic.findChild<QToolButton*>(QString::fromLatin1(name));
    if (button == nullptr) throw std::runtime_error(name);
    return *button;
  }
  static const std::string& Explanation(TDic_Form1& dic) {
    return dic.findChild<TBibleRichEdit1*>(QStringLiteral("BRichEdit1"))->Content();
  }
  static TLargeListBox& List(TDic_Form1& dic) {
    return *dic.findChild<TLargeListBox*>(QStringLiteral("LargeListBox1"));
  }
  static QAction& Item(TDic_Form1& dic, const char* name) {
    auto* item = dic.findChild<QAction*>(QString::fromLatin1(name));
    if (item == nullptr) throw std::runtime_error(name);
    return *item;
  }
  // Selects the first `text` of the control and opens its popup menu, as a
  // right click does, then closes the menu again.
  static void SelectAndOpenMenu(TBibleRichEdit1& edit, const std::string& text) {
    const std::string& content = edit.Content();
    const auto at = content.find(text);
    ASSERT_NE(at, std::string::npos) << text;
    // Selection positions leave out line ends.
    const auto lineEnds = std::count_if(content.begin(), content.begin() + static_cast<long>(at),
                                        [](char c) { return c == '\r' || c == '\n'; });
    edit.SetSelStart(static_cast<int>(at - static_cast<std::size_t>(lineEnds)));
    edit.SetSelLength(static_cast<int>(text.size()));
    QTest::mouseClick(&edit, Qt::RightButton, {}, QPoint(20, 20));
    if (QMenu* menu = edit.PopupMenu()) menu->close();
  }
  void InstallKingJames() {
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  }
  // The King James window open and Moses's explanation, which names a
  // reference, a headword and a word of no dictionary, shown.
  std::unique_ptr<test::MainWindowDriver> StartOnMoses() {
    Compile("Moses\tMoses, see Genesis 1:3 and God, not Shadow.\nGod\tGod, the creator.\n",
            setup_.File("Dictionaries/Names"), kNamesTitle);
    InstallKingJames();
    auto driver = Start();
    driver->OpenTranslation(kKingJames);
    Dic(*driver).LookUpWord("Moses");
    Text(Dic(*driver)).resize(400, 300);
    return driver;
  }
  static TBibleRichEdit1& Text(TDic_Form1& dic) {
    return *dic.findChild<TBibleRichEdit1*>(QStringLiteral("BRichEdit1"));
  }

  test::TempDir setup_;
  test::TempDir root_;
  test::TempDir config_;
  test::TempDir scratch_;
};

TEST_F(DicForm1Test, TheSetupFolderWinsOnEqualTitlesAndTheRootAddsItsOwn) {
  InstallEnglish();
  InstallNames();
  InstallRoot();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  driver->Program().Actions().Get(QStringLiteral("Dictionary1")).trigger();
  EXPECT_TRUE(dic.isVisible());
  EXPECT_TRUE(dic.windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(dic.parentWidget(), static_cast<QWidget*>(&driver->Window()));
  ASSERT_EQ(dic.Catalogue().Count(), 3);
  QStringList titles;
  for (QAction* item : dic.findChild<QMenu*>(QStringLiteral("DicMenu"))->actions()) {
    titles << item->text();
  }
  EXPECT_EQ(titles, (QStringList{kNamesTitle, kEnglishTitle, QStringLiteral("tribes")}));
  EXPECT_TRUE(Button(dic, "ToolButton6").isEnabled());
  EXPECT_EQ(dic.Catalogue().Entry(1).FileName, setup_.File("Dictionaries/En.ind"));
  EXPECT_FALSE(dic.IsDictionaryWord("Shadow"));  // only in the losing copy
  EXPECT_TRUE(dic.IsDictionaryWord("Zebulun"));
}

TEST_F(DicForm1Test, AWordOfAnotherDictionarySwitchesTheWindowAndItsCaption) {
  InstallEnglish();
  InstallNames();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.LookUpWord("Zion");
  EXPECT_EQ(dic.windowTitle(), QString::fromLatin1(kEnglishTitle));
  EXPECT_NE(Explanation(dic).find("hill of Jerusalem"), std::string::npos);
  dic.LookUpWord("Moses");
  EXPECT_EQ(dic.Catalogue().CurrentNumber(), dic.Catalogue().IndexOfTitle(kNamesTitle));
  EXPECT_EQ(dic.windowTitle(), QString::fromLatin1(kNamesTitle));
  EXPECT_EQ(List(dic).Text(), "Moses");
  EXPECT_NE(Explanation(dic).find("lawgiver"), std::string::npos);
}

TEST_F(DicForm1Test, ThreeExplanationsStepWithTheButtonsAndTheHistoryKeepsTheStep) {
  InstallEnglish();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.LookUpWord("Faith");
  ASSERT_EQ(dic.ExplanationCount(), 3);
  QToolButton& another = Button(dic, "ToolButton3");
  QToolButton& back = Button(dic, "ToolButton4");
  struct Step {
    int current;
    bool anotherEnabled;
    bool backEnabled;
  };
  std::vector<std::string> texts;
  const Step steps[] = {{1, true, false}, {2, true, true}, {3, false, true}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.current);
    EXPECT_EQ(dic.CurrentExplanation(), step.current);
    EXPECT_EQ(another.isEnabled(), step.anotherEnabled);
    EXPECT_EQ(back.isEnabled(), step.backEnabled);
    texts.push_back(Explanation(dic));
    if (another.isEnabled()) QTest::mouseClick(&another, Qt::LeftButton);
  }
  EXPECT_NE(texts[0], texts[1]);
  EXPECT_NE(texts[1], texts[2]);
  EXPECT_NE(texts[0], texts[2]);
  QTest::mouseClick(&back, Qt::LeftButton);
  EXPECT_EQ(dic.CurrentExplanation(), 2);
  EXPECT_EQ(Explanation(dic), texts[1]);
  // Left on the second explanation, the word comes back on it.
  dic.LookUpWord("Zion");
  EXPECT_EQ(dic.CurrentExplanation(), 1);
  dic.LookUpWord("Faith");
  EXPECT_EQ(dic.CurrentExplanation(), 2);
  EXPECT_EQ(Explanation(dic), texts[1]);
}

TEST_F(DicForm1Test, TheSameTextTwiceSearchesOnce) {
  InstallEnglish();
  InstallNames();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.LookUpWord("Faith");
  const int english = dic.Catalogue().IndexOfTitle(kEnglishTitle);
  ASSERT_EQ(dic.Catalogue().CurrentNumber(), english);
  // The reader switches to the other dictionary; the unchanged text
  // reported again must not search (which would switch back).
  dic.findChild<QMenu*>(QStringLiteral("DicMenu"))->actions()[0]->trigger();
  const int names = dic.Catalogue().IndexOfTitle(kNamesTitle);
  ASSERT_EQ(dic.Catalogue().CurrentNumber(), names);
  EXPECT_EQ(dic.windowTitle(), QString::fromLatin1(kNamesTitle));
  List(dic).ComboBox()->Change();
  EXPECT_EQ(dic.Catalogue().CurrentNumber(), names);
  // A changed text does search.
  List(dic).SetText("Zion");
  EXPECT_EQ(dic.Catalogue().CurrentNumber(), english);
}

TEST_F(DicForm1Test, AWordFoundNowhereSwitchesToTheDictionaryWhoseLettersHoldIt) {
  InstallEnglish();
  InstallNames();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.LookUpWord("Moses");
  ASSERT_EQ(dic.Catalogue().CurrentNumber(), dic.Catalogue().IndexOfTitle(kNamesTitle));
  // "Zeal" is no headword anywhere; its "Z" and "l" are letters of the
  // English dictionary only, so the list goes there, where the word would
  // stand.
  dic.LookUpWord("Zeal");
  EXPECT_EQ(dic.Catalogue().CurrentNumber(), dic.Catalogue().IndexOfTitle(kEnglishTitle));
  EXPECT_EQ(dic.windowTitle(), QString::fromLatin1(kEnglishTitle));
  EXPECT_EQ(List(dic).Text(), "Zeal");
  // A word of the current dictionary's letters found nowhere stays there.
  dic.LookUpWord("Agap");
  EXPECT_EQ(dic.Catalogue().CurrentNumber(), dic.Catalogue().IndexOfTitle(kEnglishTitle));
}

TEST_F(DicForm1Test, TheTextMenuEnablesItsItemsByTheSelection) {
  auto driver = StartOnMoses();
  TDic_Form1& dic = Dic(*driver);
  TBibleRichEdit1& edit = Text(dic);
  struct Case {
    const char* selection;
    bool copy, lookUp, bible;
  };
  const Case cases[] = {
      {"God", true, true, false},
      {"Shadow", true, false, false},
      {"Genesis 1:3", true, false, true},
      {"see", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selection);
    SelectAndOpenMenu(edit, c.selection);
    EXPECT_EQ(Item(dic, "Copy1").isEnabled(), c.copy);
    EXPECT_EQ(Item(dic, "Translate1").isEnabled(), c.lookUp);
    EXPECT_EQ(Item(dic, "Navigate1").isEnabled(), c.bible);
  }
  edit.SetSelLength(0);
  QTest::mouseClick(&edit, Qt::RightButton, {}, QPoint(20, 20));
  edit.PopupMenu()->close();
  EXPECT_FALSE(Item(dic, "Copy1").isEnabled());
  EXPECT_FALSE(Item(dic, "Translate1").isEnabled());
}

TEST_F(DicForm1Test, TheMenusLookUpMoveAndSearch) {
  auto driver = StartOnMoses();
  TDic_Form1& dic = Dic(*driver);
  TBibleRichEdit1& edit = Text(dic);

  SelectAndOpenMenu(edit, "Genesis 1:3");
  Item(dic, "Navigate1").trigger();
  EXPECT_EQ(driver->Program().Navigator().Place().Chapter, 1);
  EXPECT_EQ(driver->Program().Navigator().Place().Verse, 3);

  SelectAndOpenMenu(edit, "God");
  Item(dic, "Find1").trigger();
  const TSearchService& search = driver->Program().WordSearch();
  EXPECT_EQ(search.LabelText().rfind("god | ", 0), 0U) << search.LabelText();
  EXPECT_FALSE(search.Lines().empty());

  // Looking the selection up keeps the word left on in the history.
  SelectAndOpenMenu(edit, "God");
  Item(dic, "Translate1").trigger();
  EXPECT_EQ(List(dic).Text(), "God");
  EXPECT_NE(Explanation(dic).find("creator"), std::string::npos);
  const auto& history = List(dic).ComboBox()->Items();
  EXPECT_NE(std::find(history.begin(), history.end(), "Moses"), history.end());

  List(dic).SetText("Moses");
  Item(dic, "BibleWSearch1").trigger();
  EXPECT_EQ(search.LabelText().rfind("moses | ", 0), 0U) << search.LabelText();
}

TEST_F(DicForm1Test, AfterAMoveAutoMinimizePutsTheDictionaryAndThePicturesOutOfSight) {
  auto driver = StartOnMoses();
  TProgram& program = driver->Program();
  TDic_Form1& dic = Dic(*driver);
  QWidget& pictures = program.PictureWindow();
  for (const bool autoMin : {false, true}) {
    SCOPED_TRACE(autoMin);
    program.Options().SetOption(TOptionValues::kAutoMin, autoMin);
    dic.show();
    pictures.show();
    // Even a move the dictionary itself asked for.
    SelectAndOpenMenu(Text(dic), "Genesis 1:3");
    Item(dic, "Navigate1").trigger();
    EXPECT_EQ(program.Navigator().Place().Verse, 3);
    EXPECT_EQ(dic.isVisible(), !autoMin);
    EXPECT_EQ(pictures.isVisible(), !autoMin);
    program.Navigator().GoToReference("Genesis 1:1");
  }
}

TEST_F(DicForm1Test, TheWindowTakesTheActiveTranslationsFont) {
  InstallNames();
  InstallKingJames();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  auto& edit = *dic.findChild<TBibleRichEdit1*>(QStringLiteral("BRichEdit1"));
  driver->OpenTranslation(kKingJames);
  TBibleForm1* window = driver->ActiveBibleWindow();
  ASSERT_NE(window, nullptr);
  dic.LookUpWord("Moses");
  EXPECT_EQ(edit.Font().Font.family(), window->BRichEdit1->Font().Font.family());
  EXPECT_EQ(edit.Font().Font.pointSize(), window->BRichEdit1->Font().Font.pointSize());
  EXPECT_EQ(edit.Font().Charset, 204);
  EXPECT_EQ(List(dic).Font().family(), edit.Font().Font.family());
}

TEST_F(DicForm1Test, TheListsMenuChecksTheHistoryOrder) {
  InstallNames();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.LookUpWord("Moses");
  dic.LookUpWord("Aaron");
  QAction& byText = Item(dic, "SortByText");
  QAction& byTime = Item(dic, "SortByTime");
  byText.trigger();
  EXPECT_TRUE(byText.isChecked());
  EXPECT_FALSE(byTime.isChecked());
  EXPECT_EQ(List(dic).ComboBox()->Items().front(), "Aaron");
  byTime.trigger();
  EXPECT_TRUE(byTime.isChecked());
  EXPECT_FALSE(byText.isChecked());
  Item(dic, "DeleteItem").trigger();
  EXPECT_TRUE(List(dic).ComboBox()->Items().empty());
}

TEST_F(DicForm1Test, OneInstalledDictionaryLeavesTheSwitchButtonDisabled) {
  InstallEnglish();
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.ShowDictionary();
  EXPECT_EQ(dic.Catalogue().Count(), 1);
  EXPECT_FALSE(Button(dic, "ToolButton6").isEnabled());
  EXPECT_TRUE(dic.findChild<QMenu*>(QStringLiteral("DicMenu"))->actions().isEmpty());
}

TEST_F(DicForm1Test, NoDictionaryShowsWhatToDoAndIsLookedForAgain) {
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  dic.ShowDictionary();
  EXPECT_TRUE(dic.Catalogue().Empty());
  EXPECT_NE(Explanation(dic).find("NoDictionaries"), std::string::npos);
  EXPECT_FALSE(dic.IsDictionaryWord("Zion"));
  // Installed while the program runs: the next search finds it.
  InstallEnglish();
  EXPECT_TRUE(dic.IsDictionaryWord("Zion"));
}

TEST_F(DicForm1Test, TheBibleWindowsDictionaryItemFollowsTheSelectedWord) {
  InstallNames();
  test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  auto driver = Start();
  driver->OpenTranslation(kKingJames);
  TBibleForm1* window = driver->ActiveBibleWindow();
  ASSERT_NE(window, nullptr);
  TBibleRichEdit1& edit = *window->BRichEdit1;
  edit.resize(400, 300);
  const std::string& text = edit.Content();
  const auto select = [&](const std::string& word) {
    const auto at = text.find(word);
    ASSERT_NE(at, std::string::npos) << word;
    // Selection positions leave out line ends.
    const auto lineEnds = std::count_if(text.begin(), text.begin() + static_cast<long>(at),
                                        [](char c) { return c == '\r' || c == '\n'; });
    edit.SetSelStart(static_cast<int>(at - static_cast<std::size_t>(lineEnds)));
    edit.SetSelLength(static_cast<int>(word.size()));
    QTest::mouseClick(&edit, Qt::RightButton, {}, QPoint(20, 20));
    window->PopupMenu1->close();
  };
  const std::pair<const char*, bool> cases[] = {
      {"God", true}, {"beginning", false}, {"In the", false}};
  for (const auto& [word, enabled] : cases) {
    SCOPED_TRACE(word);
    select(word);
    EXPECT_EQ(window->Translate1->isEnabled(), enabled);
  }
  select("God");
  window->Translate1->trigger();
  TDic_Form1& dic = Dic(*driver);
  EXPECT_TRUE(dic.isVisible());
  EXPECT_EQ(List(dic).Text(), "God");
  EXPECT_NE(Explanation(dic).find("creator"), std::string::npos);
}

TEST_F(DicForm1Test, TheWindowComesBackAtStartWithItsWord) {
  InstallEnglish();
  {
    auto driver = Start();
    Dic(*driver).LookUpWord("Zion");
    driver->close();
  }
  auto driver = Start();
  TDic_Form1& dic = Dic(*driver);
  EXPECT_TRUE(dic.isVisible());
  EXPECT_EQ(List(dic).Text(), "Zion");
}

// Each damage of the files of a dictionary "bad" that alone holds "Moses".
struct Damage {
  const char* name;
  std::function<void(const std::string& base)> apply;
};

TEST_F(DicForm1Test, DamagedDictionaryFilesGiveAnEmptyExplanation) {
  const auto truncate = [](const std::string& file, std::uintmax_t size) {
    fs::resize_file(file, size);
  };
  const auto overwrite = [](const std::string& file, char byte) {
    const auto size = fs::file_size(file);
    test::WriteFile(file, std::string(size, byte));
  };
  const Damage damages[] = {
      {"ind shorter than 32 bytes", [&](const std::string& b) { truncate(b + ".ind", 10); }},
      {"ind offsets past the ibf", [&](const std::string& b) { overwrite(b + ".ind", '\x7f'); }},
      {"explanation list cut", [&](const std::string& b) { truncate(b + "C.ibf", 1); }},
      {"explanation count 0", [&](const std::string& b) { overwrite(b + "C.ibf", '\0'); }},
      {"record numbers past the end",
       [&](const std::string& b) { overwrite(b + "C.ibf", '\xff'); }},
      {"missing C.ibp", [&](const std::string& b) { fs::remove(b + "C.ibp"); }},
  };
  InstallEnglish();
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    const std::string base = setup_.File("Dictionaries/Bad");
    Compile("Moses\tMoses, the lawgiver.\n", base, "bad");
    damage.apply(base);
    auto driver = Start();
    TDic_Form1& dic = Dic(*driver);
    dic.LookUpWord("Moses");
    EXPECT_EQ(Explanation(dic).find("lawgiver"), std::string::npos);
    dic.LookUpWord("Zion");  // the sound dictionary still works
    EXPECT_NE(Explanation(dic).find("hill of Jerusalem"), std::string::npos);
  }
}

}  // namespace
}  // namespace lectora
