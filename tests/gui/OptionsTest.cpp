// The options dialog through its controls on the real main window: options
// act at once and survive Cancel, colours and the character-set switch wait
// for OK, the switches mirror their tool buttons, the panel changes side at
// once, and every option comes back after a restart under its own key.
#include "tools/options/Options.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "MainWindowDriver.h"
#include "app/ActionRegistry.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"
#include "settings/MyCheckBox.h"
#include "settings/MyRadio.h"
#include "settings/MyRadioGroup.h"
#include "settings/OptionValues.h"
#include "store/IniFile.h"
#include "support/SampleModules.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

constexpr int kKingJames = 8;

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::CopySharedData(setup_.Path());
    test::InstallSampleModule(test::kKingJamesSample, setup_.File("KJVSN"));
  }

  std::unique_ptr<test::MainWindowDriver> Start() {
    auto window = test::MainWindowDriver::Start(setup_.Path(), config_.Path());
    window->OpenTranslation(kKingJames);
    window->Program().Navigator().GoToReference("John 3:16");
    return window;
  }

  // The main window's child `name`; fails the test when missing.
  template <typename T>
  static T& Child(test::MainWindowDriver& window, const char* name) {
    T* child = window.Window().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }

  // The dialog, shown without its modal loop, as the Options command
  // prepares it.
  static TOptions& Open(test::MainWindowDriver& window) {
    auto& dialog = Child<TOptions>(window, "Options");
    dialog.Prepare();
    return dialog;
  }

  static void Click(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  static QString Text(test::MainWindowDriver& window) {
    return window.ActiveBibleWindow()->BRichEdit1->VisibleText();
  }

  test::TempDir setup_;
  test::TempDir config_;
};

TEST_F(OptionsTest, TheOptionsCommandOpensTheDialogModally) {
  auto window = Start();
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TOptions*>(QApplication::activeModalWidget());
    shown = dialog != nullptr && dialog->isVisible();
    if (dialog != nullptr) Click(*dialog, "Button6");
  });
  window->Program().Actions().Get(QStringLiteral("Options1")).trigger();
  EXPECT_TRUE(shown);
}

TEST_F(OptionsTest, AVerseNumberUncheckedStaysHiddenAfterCancel) {
  auto window = Start();
  const QString before = Text(*window);
  ASSERT_TRUE(before.contains(QStringLiteral("16 For <1063>")));
  TOptions& dialog = Open(*window);
  Click(dialog, "CheckBox4");  // "Номерът на стиха"
  EXPECT_FALSE(Text(*window).contains(QStringLiteral("16 For <1063>")));
  EXPECT_TRUE(Text(*window).contains(QStringLiteral("For <1063>")));
  Click(dialog, "Button6");
  EXPECT_FALSE(window->Program().Window().findChild<TOptions*>()->isVisible());
  EXPECT_FALSE(Text(*window).contains(QStringLiteral("16 For <1063>")));
}

TEST_F(OptionsTest, AColourWaitsForOkAndCancelKeepsTheOldOne) {
  auto window = Start();
  TOptions& dialog = Open(*window);
  const TOptionValues& options = window->Program().Options();
  dialog.SetColorChooser([](const QColor&) { return std::optional<QColor>(QColor(0, 255, 0)); });
  const std::uint32_t before = options.FoundWordColor();
  // The colour dialog answers a pure green.
  Click(dialog, "Button2");
  EXPECT_EQ(options.FoundWordColor(), before);
  Click(dialog, "Button6");
  EXPECT_EQ(options.FoundWordColor(), before);
  Open(*window);
  Click(dialog, "Panel2");  // the swatch does what its button does
  Click(dialog, "Button5");
  EXPECT_EQ(options.FoundWordColor(), 0x00FF00u);
}

TEST_F(OptionsTest, SwitchesMirrorTheirToolButtonsBothWays) {
  auto window = Start();
  TOptions& dialog = Open(*window);
  QAction& autoMin = window->Program().Actions().Get(QStringLiteral("ToolButton8"));
  QAction& clipboard = window->Program().Actions().Get(QStringLiteral("ToolButton19"));
  QAction& footnotes = window->Program().Actions().Get(QStringLiteral("ToolButton11"));
  struct TRow {
    const char* Box;
    QAction& Button;
  };
  for (const TRow& row :
       {TRow{"CheckBox11", autoMin}, TRow{"CheckBox6", clipboard}, TRow{"CheckBox10", footnotes}}) {
    SCOPED_TRACE(row.Box);
    auto& box = *dialog.findChild<TMyCheckBox*>(QString::fromLatin1(row.Box));
    ASSERT_TRUE(box.isChecked());  // every one of them is on at a first run
    EXPECT_TRUE(row.Button.isChecked());
    box.click();
    EXPECT_FALSE(row.Button.isChecked());
    row.Button.trigger();
    EXPECT_TRUE(box.isChecked());
  }
}

TEST_F(OptionsTest, ThePanelChangesSideAtOnce) {
  auto window = Start();
  auto& splitter = Child<QSplitter>(*window, "Splitter1");
  auto& panel = Child<QWidget>(*window, "Panel3");
  // A first run puts the panel on the right, as its radio group says.
  EXPECT_EQ(splitter.indexOf(&panel), 1);
  TOptions& dialog = Open(*window);
  auto& side = *dialog.findChild<TMyRadioGroup*>(QStringLiteral("RadioGroup1"));
  EXPECT_EQ(side.ItemIndex(), 1);
  side.Button(0)->click();
  EXPECT_EQ(splitter.indexOf(&panel), 0);
}

TEST_F(OptionsTest, EveryOptionComesBackAfterARestartUnderItsKey) {
  {
    auto window = Start();
    TOptions& dialog = Open(*window);
    for (const char* box : {"CheckBox1", "CheckBox3", "CheckBox12", "CheckBox8", "CheckBox9",
                            "MyCheckBox1", "CheckBox5"}) {
      Click(dialog, box);
    }
    dialog.findChild<TMyRadioGroup*>(QStringLiteral("RadioGroup2"))->Button(1)->click();
    dialog.findChild<TMyRadioGroup*>(QStringLiteral("RadioGroup1"))->Button(0)->click();
    Click(dialog, "Button5");
    window->close();
  }
  const TMyIniFile ini(setup_.File("lectora.ini"), true);
  struct TKey {
    const char* Key;
    bool Value;
  };
  for (const TKey& key :
       {TKey{"ViewBN", true}, TKey{"ViewCN", true}, TKey{"TextFromVerse", true},
        TKey{"ShowAbout", false}, TKey{"AutoKeybd", false}, TKey{"NewVCheck", false},
        TKey{"ShowHint", false}, TKey{"FoneticCyr", true}, TKey{"ViewVN", true}}) {
    SCOPED_TRACE(key.Key);
    EXPECT_EQ(ini.ReadBool("MainWindow", key.Key, !key.Value), key.Value);
  }
  EXPECT_EQ(ini.ReadInteger("MainWindow", "PanelAlign", -1), 0);
  auto window = Start();
  TOptions& dialog = Open(*window);
  EXPECT_TRUE(dialog.findChild<TMyCheckBox*>(QStringLiteral("CheckBox1"))->isChecked());
  EXPECT_FALSE(dialog.findChild<TMyCheckBox*>(QStringLiteral("CheckBox5"))->isChecked());
  EXPECT_EQ(dialog.findChild<TMyRadioGroup*>(QStringLiteral("RadioGroup2"))->ItemIndex(), 1);
  EXPECT_EQ(Child<QSplitter>(*window, "Splitter1").indexOf(&Child<QWidget>(*window, "Panel3")), 0);
}

TEST_F(OptionsTest, HelpNamesThePageShown) {
  auto window = Start();
  TOptions& dialog = Open(*window);
  QStringList topics;
  dialog.SetHelp([&topics](const QString& topic) { topics << topic; });
  Click(dialog, "Button7");
  dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
  Click(dialog, "Button7");
  EXPECT_EQ(topics, (QStringList{QStringLiteral("Options1"), QStringLiteral("Options2")}));
}

}  // namespace
}  // namespace lectora
