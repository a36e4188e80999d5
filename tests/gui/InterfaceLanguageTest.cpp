// The interface languages on the real program: switching the language in
// the options dialog re-captions every open window at once (both Bible
// windows, the second named with "_2", the dialogs, the translation
// commands), the message table's rules before and after loading, and
// damaged or missing language files.
#include "tools/language/LanguageService.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "MainWindowDriver.h"
#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "display/BibleForm1.h"
#include "display/QtText.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "settings/MyCheckBox.h"
#include "settings/OptionValues.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"
#include "tools/language/CaptionApplier.h"
#include "tools/language/CaptionFile.h"
#include "tools/options/Options.h"
#include "tools/range/RangeForm1.h"

namespace lectora {
namespace {

namespace fs = std::filesystem;

constexpr int kKingJames = 8;
constexpr int kBulgarian = 0;
constexpr int kEnglish = 1;
constexpr int kMacedonian = 2;

class InterfaceLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    for (const char* language : {"Bulgarian", "English", "Macedonian"}) {
      fs::copy(test::SourceDir() + "data/" + language, setup_.File(language),
               fs::copy_options::recursive);
    }
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  }

  std::unique_ptr<test::MainWindowDriver> Start() {
    auto window = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    window->OpenTranslation(kKingJames);
    window->OpenTranslation(kKingJames);
    return window;
  }

  // The language chosen in the options dialog, as the reader does it.
  static void Choose(test::MainWindowDriver& window, int language) {
    auto* dialog = window.Window().findChild<TOptions*>(QStringLiteral("Options"));
    ASSERT_NE(dialog, nullptr);
    dialog->Prepare();
    auto* box = dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(language);
    Q_EMIT box->activated(language);
  }

  // The text of a command or of a menu of the main window.
  static QString Text(test::MainWindowDriver& window, const char* name) {
    if (auto* menu = window.Window().findChild<QMenu*>(QString::fromLatin1(name))) {
      return menu->menuAction()->text();
    }
    return window.Program().Actions().Get(QString::fromLatin1(name)).text();
  }

  // The "Find1" item of a Bible window's own menu.
  static QString FindItem(TBibleForm1& window) {
    auto* find = window.findChild<QAction*>(QStringLiteral("Find1"));
    return find != nullptr ? find->text() : QStringLiteral("<no Find1>");
  }

  test::TempDir setup_;
  test::TempDir config_;
};

TEST_F(InterfaceLanguageTest, SwitchingTheLanguageRecaptionsEveryOpenWindowAtOnce) {
  auto window = Start();
  const std::vector<TBibleForm1*> bibles = window->BibleWindows();
  ASSERT_EQ(bibles.size(), 2u);
  // The second window of one translation reads the first one's file.
  EXPECT_EQ(bibles[0]->objectName().left(10), QStringLiteral("BibleForm1"));
  EXPECT_NE(bibles[0]->objectName(), bibles[1]->objectName());
  struct TCase {
    int Language;
    QString Goto, Find, Translation, Tab, Range, Speak;
  };
  const TCase cases[] = {
      {kEnglish, "&Go to", "Concordance", "King James Version with Strong's numbers",
       "   Appearance   ", "Search range", "Read aloud"},
      {kMacedonian, "Оди на", "Конкорданција", "Библија на кралот Џејмс со Стронговите броеви",
       "   Изглед   ", "Опсег на пребарување", "Читање на глас"},
      {kBulgarian, "Отиди на", "Конкорданс", "Кинг Джеймс с номерата на Стронг", "   Външен вид   ",
       "Област за търсене", "Четене на глас"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Language);
    Choose(*window, c.Language);
    EXPECT_EQ(Text(*window, "Goto1"), c.Goto);
    EXPECT_EQ(Text(*window, "AOVer8"), c.Translation);
    for (TBibleForm1* bible : bibles) {
      EXPECT_EQ(FindItem(*bible), c.Find);
      EXPECT_EQ(bible->windowTitle(), QStringLiteral(" ") + c.Translation);
    }
    auto* pages = window->Window().findChild<TOptions*>()->findChild<QTabWidget*>();
    EXPECT_EQ(pages->tabText(0), c.Tab);
    EXPECT_EQ(window->Program().RangeDialog().windowTitle(), c.Range);
    // A tool button that shows an image is named by its hint, for a screen reader.
    const auto* speak = window->Window().findChild<QToolButton*>(QStringLiteral("ToolButton20"));
    ASSERT_NE(speak, nullptr);
    EXPECT_EQ(speak->accessibleName(), c.Speak);
  }
}

TEST_F(InterfaceLanguageTest, AWindowOpenedLaterTakesTheCurrentLanguage) {
  auto window = Start();
  Choose(*window, kMacedonian);
  window->OpenTranslation(kKingJames);
  ASSERT_EQ(window->BibleWindows().size(), 3u);
  for (TBibleForm1* bible : window->BibleWindows()) {
    EXPECT_EQ(FindItem(*bible), QStringLiteral("Конкорданција"));
  }
}

TEST_F(InterfaceLanguageTest, TranslateAnswersTheKeyBeforeATableAndNothingForAMissingKeyAfter) {
  TInterfaceTexts texts;
  EXPECT_EQ(texts.Translate("NoSuchKey"), "NoSuchKey");
  EXPECT_FALSE(texts.Loaded());
  ASSERT_TRUE(texts.LoadMessages(setup_.File("English/Messages.txt")));
  EXPECT_EQ(texts.Translate("NoSuchKey"), "");
  EXPECT_EQ(texts.Translate("refvers"), "Cross references");  // keys ignore case
  EXPECT_FALSE(texts.LoadMessages(setup_.File("Nowhere/Messages.txt")));
  EXPECT_EQ(texts.Translate("RefVers"), "Cross references");  // the table stays
}

TEST_F(InterfaceLanguageTest, ANoticeNewerThanTheTableReadsInEnglish) {
  TInterfaceTexts texts;
  EXPECT_EQ(texts.TranslateOr("NoteUnreadable", "fallback"), "fallback");
  ASSERT_TRUE(texts.LoadMessages(setup_.File("Bulgarian/Messages.txt")));
  // The shipped tables have the notices; an older table in a reader's
  // folder lacks them, and the English text stands in.
  EXPECT_EQ(DecodeCharset(texts.TranslateOr("NoteUnreadable", "fallback"), 204),
            QStringLiteral("Бележката не може да бъде прочетена: %1"));
  EXPECT_EQ(texts.TranslateOr("NoSuchNotice", "The English text"), "The English text");
}

TEST_F(InterfaceLanguageTest, AMissingMessageTableFallsBackToBulgarianWithOneNotice) {
  fs::remove(setup_.File("English/Messages.txt"));
  auto window = Start();
  Choose(*window, kEnglish);
  Choose(*window, kMacedonian);
  Choose(*window, kEnglish);
  EXPECT_EQ(Text(*window, "AOVer8"), QStringLiteral("Кинг Джеймс с номерата на Стронг"));
  int notices = 0;
  for (const auto& shown : window->Program().MessageDialog().Shown()) {
    notices += shown.Text.contains(QStringLiteral("Messages.txt")) ? 1 : 0;
  }
  EXPECT_EQ(notices, 1);
}

TEST_F(InterfaceLanguageTest, ADamagedCaptionFileGivesWhatItCanAndTheRestStays) {
  const std::string folder = setup_.File("Damaged");
  fs::create_directories(folder);
  // A line of 100 KB, bytes outside the code page, an unterminated section
  // and a tab sheet's word.
  test::WriteFile(folder + "/Options.txt",
                  "[Options]\r\nCaption=\x98\x81\r\nCheckBox4=" + std::string(100000, 'x') +
                      "\r\nTabSheet2=Other\r\n[Hints\r\nButton5=OK?\r\n");
  TOptionValues options;
  TOptions dialog(options, {});
  const QString okCaption = dialog.findChild<QPushButton*>(QStringLiteral("Button5"))->text();
  TCaptionApplier::ApplyCaptions(dialog, folder);
  EXPECT_EQ(dialog.findChild<QTabWidget*>()->tabText(1), QStringLiteral("   Other   "));
  EXPECT_EQ(dialog.findChild<TMyCheckBox*>(QStringLiteral("CheckBox4"))->Caption().size(), 100000);
  // What the file does not name keeps its design text.
  EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("Button5"))->text(), okCaption);
  EXPECT_EQ(dialog.windowTitle().size(), 2);
}

TEST_F(InterfaceLanguageTest, TheFormNameDropsAnInstanceSuffix) {
  EXPECT_EQ(TCaptionFile::FormNameOf("BibleForm1_2"), "BibleForm1");
  EXPECT_EQ(TCaptionFile::FormNameOf("BibleForm1_12"), "BibleForm1");
  EXPECT_EQ(TCaptionFile::FormNameOf("Dic_Form1"), "Dic_Form1");
  EXPECT_EQ(TCaptionFile::FormNameOf("Options"), "Options");
}

}  // namespace
}  // namespace lectora
