// Font zoom in the text windows, driven by real key and wheel events: the
// shown font and the translation's stored size change together, the bounds
// hold, Ctrl+0 gives back the size of the start, every window of the
// translation follows, and the size reaches the settings file at exit.
#include "display/TextZoom.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <memory>
#include <string>

#include "FakeBibleWindowHost.h"
#include "MainWindowDriver.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "modules/DictionaryCompiler.h"
#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/IniFile.h"
#include "support/TestSupport.h"
#include "tools/dictionary/Dic_Form1.h"

namespace lectora {
namespace {

using Step = TTextZoom::TStep;

constexpr int kKjvsn = 8;
constexpr int kAsv = 9;

// ---- the rules ----

TEST(TextZoomRules, SizesStepWithinTheBounds) {
  struct Case {
    int size;
    Step step;
    int reset;
    int expected;
  };
  const Case cases[] = {
      {10, Step::In, 10, 11},   {10, Step::Out, 10, 9},    {48, Step::In, 10, 48},
      {6, Step::Out, 10, 6},    {60, Step::Out, 10, 48},   {3, Step::In, 10, 6},
      {0, Step::In, 10, 11},    {-4, Step::Out, 10, 9},    {20, Step::Reset, 12, 12},
      {20, Step::Reset, 0, 10}, {20, Step::Reset, 99, 48}, {14, Step::None, 10, 14},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TTextZoom::ZoomedSize(c.size, c.step, c.reset), c.expected)
        << c.size << " step " << static_cast<int>(c.step) << " reset " << c.reset;
  }
}

TEST(TextZoomRules, KeysThatZoom) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    Step expected;
  };
  const Case cases[] = {
      {Qt::Key_Plus, Qt::ControlModifier, Step::In},
      {Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, Step::In},
      {Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, Step::In},
      {Qt::Key_Equal, Qt::ControlModifier, Step::In},
      {Qt::Key_Minus, Qt::ControlModifier, Step::Out},
      {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, Step::Out},
      {Qt::Key_0, Qt::ControlModifier, Step::Reset},
      {Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier, Step::Reset},
      {Qt::Key_Plus, Qt::NoModifier, Step::None},
      {Qt::Key_0, Qt::NoModifier, Step::None},
      {Qt::Key_Plus, Qt::ControlModifier | Qt::AltModifier, Step::None},
      {Qt::Key_A, Qt::ControlModifier, Step::None},
      {Qt::Key_1, Qt::ControlModifier, Step::None},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
    EXPECT_EQ(TTextZoom::StepOfKey(event), c.expected)
        << c.key << " modifiers " << c.modifiers.toInt();
  }
}

// ---- Bible windows ----

// The point size the window's control draws its verse text in.
int ShownSize(const TBibleForm1& window) {
  const auto& fragments = window.BRichEdit1->Fragments();
  return fragments.empty() ? -1 : fragments.back().Font.Font.pointSize();
}

class TextZoomTest : public testing::Test {
 protected:
  TextZoomTest() {
    test::CopySharedData(dir_.Path());
    const std::string data = test::TestDataDir();
    TModuleCompiler::Compile(data + "module-shifted", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(data + "kjv-sample", dir_.File("KJVSN"), 5, true);
    host_ = std::make_unique<test::FakeBibleWindowHost>(dir_.Path());
  }

  std::unique_ptr<TBibleForm1> Open(int translation) {
    host_->SetStandardNumber(host_->Standard().StandardNumber(1, 1, 1));
    auto window = std::make_unique<TBibleForm1>(*host_, host_->Navigator().Place().StandardNumber,
                                                translation);
    window->resize(400, 300);
    window->show();
    window->ShowPlace(window->Book, window->Chapter, window->Verse, false);
    return window;
  }

  static void Wheel(QWidget& widget, int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
  }

  test::TempDir dir_;
  std::unique_ptr<test::FakeBibleWindowHost> host_;
};

TEST_F(TextZoomTest, KeysAndWheelChangeTheShownFontAndTheStoredSize) {
  auto window = Open(kAsv);
  TBible& asv = *window->Bible();
  TBibleRichEdit1& edit = *window->BRichEdit1;
  const int start = asv.Font.Size;
  ASSERT_EQ(ShownSize(*window), start);

  QTest::keyClick(&edit, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start + 1);
  EXPECT_EQ(ShownSize(*window), start + 1);
  QTest::keyClick(&edit, Qt::Key_Equal, Qt::ControlModifier);
  QTest::keyClick(&edit, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(asv.Font.Size, start + 3);
  QTest::keyClick(&edit, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start + 2);
  EXPECT_EQ(ShownSize(*window), start + 2);

  Wheel(edit, TTextZoom::kWheelNotch, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start + 3);
  // A touchpad's small steps zoom once they add up to a notch.
  Wheel(edit, -TTextZoom::kWheelNotch / 2, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start + 3);
  Wheel(edit, -TTextZoom::kWheelNotch / 2, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start + 2);
  EXPECT_EQ(ShownSize(*window), start + 2);

  // Without Ctrl the wheel and the keys leave the size alone.
  Wheel(edit, -TTextZoom::kWheelNotch, Qt::NoModifier);
  QTest::keyClick(&edit, Qt::Key_Plus);
  QTest::keyClick(&edit, Qt::Key_0);
  EXPECT_EQ(asv.Font.Size, start + 2);
}

TEST_F(TextZoomTest, BoundsHoldAndCtrlZeroGivesBackTheStartSize) {
  auto window = Open(kAsv);
  TBible& asv = *window->Bible();
  TBibleRichEdit1& edit = *window->BRichEdit1;
  const int start = asv.Font.Size;
  for (int i = 0; i < 60; ++i) QTest::keyClick(&edit, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, TTextZoom::kMaxSize);
  EXPECT_EQ(ShownSize(*window), TTextZoom::kMaxSize);
  QTest::keyClick(&edit, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, start);
  EXPECT_EQ(ShownSize(*window), start);
  for (int i = 0; i < 60; ++i) Wheel(edit, -TTextZoom::kWheelNotch, Qt::ControlModifier);
  EXPECT_EQ(asv.Font.Size, TTextZoom::kMinSize);
  EXPECT_EQ(ShownSize(*window), TTextZoom::kMinSize);
  QTest::keyClick(&edit, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(asv.Font.Size, start);
}

TEST_F(TextZoomTest, WindowsOfTheTranslationFollowAndOthersFollowTheFontSetting) {
  auto first = Open(kAsv);
  auto second = Open(kAsv);
  auto other = Open(kKjvsn);
  ASSERT_EQ(first->Bible(), second->Bible());
  const int start = first->Bible()->Font.Size;
  const int otherStart = other->Bible()->Font.Size;

  // One font for all windows ("DifferentFonts" off): every window follows.
  host_->OptionValues.SetDifferentFonts(false);
  QTest::keyClick(first->BRichEdit1, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(ShownSize(*second), start + 1);
  EXPECT_EQ(other->Bible()->Font.Size, start + 1);
  EXPECT_EQ(ShownSize(*other), start + 1);

  // Each translation its own font: only the windows of the zoomed one.
  host_->OptionValues.SetDifferentFonts(true);
  other->Bible()->Font.Size = otherStart;
  other->ShowPlace(other->Book, other->Chapter, other->Verse, false);
  QTest::keyClick(second->BRichEdit1, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(first->Bible()->Font.Size, start + 2);
  EXPECT_EQ(ShownSize(*first), start + 2);
  EXPECT_EQ(ShownSize(*second), start + 2);
  EXPECT_EQ(other->Bible()->Font.Size, otherStart);
  EXPECT_EQ(ShownSize(*other), otherStart);
}

TEST_F(TextZoomTest, AClosedWindowIsNoLongerWatched) {
  auto first = Open(kAsv);
  auto second = Open(kAsv);
  const int start = first->Bible()->Font.Size;
  second.reset();
  QTest::keyClick(first->BRichEdit1, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(ShownSize(*first), start + 1);
}

// ---- the real program: the dictionary's text and the settings file ----

TEST(TextZoomProgram, TheZoomedSizeIsSavedWithTheTranslationsFont) {
  test::TempDir setup;
  test::TempDir config;
  test::CopySharedData(setup.Path());
  TModuleCompiler::Compile(test::TestDataDir() + "module-shifted", setup.File("ASV"), 5, false);
  std::filesystem::create_directories(setup.File("Dictionaries"));
  TDictionaryCompiler::Compile(test::TestDataDir() + "dict-en/source.tsv",
                               setup.File("Dictionaries/En"), "English Bible Dictionary");
  int zoomed = 0;
  {
    auto program = test::MainWindowDriver::Start(setup.Path(), config.Path());
    program->OpenTranslation(kAsv);
    TBibleForm1* window = program->ActiveBibleWindow();
    ASSERT_NE(window, nullptr);
    const int start = window->Bible()->Font.Size;
    QTest::keyClick(window->BRichEdit1, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(window->BRichEdit1, Qt::Key_Plus, Qt::ControlModifier);
    zoomed = window->Bible()->Font.Size;
    EXPECT_EQ(zoomed, start + 2);
    // The dictionary's text shows the active translation's font and zooms
    // it the same way.
    TDic_Form1& dic = program->Program().DictionaryWindow();
    auto* dictionary = dic.findChild<TBibleRichEdit1*>();
    ASSERT_NE(dictionary, nullptr);
    dic.LookUpWord("Faith");
    ASSERT_FALSE(dictionary->Fragments().empty());
    EXPECT_EQ(dictionary->Fragments().back().Font.Font.pointSize(), zoomed);
    QTest::keyClick(dictionary, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window->Bible()->Font.Size, zoomed - 1);
    EXPECT_EQ(ShownSize(*window), zoomed - 1);
    EXPECT_EQ(dictionary->Fragments().back().Font.Font.pointSize(), zoomed - 1);
    EXPECT_NE(dictionary->Content().find("Faith"), std::string::npos);
    QTest::keyClick(dictionary, Qt::Key_Plus, Qt::ControlModifier);
    program->close();
  }
  TMyIniFile ini(setup.File("lectora.ini"), true);
  EXPECT_EQ(ini.ReadInteger("ASV\\Font", "FontSize", 0), zoomed);
}

}  // namespace
}  // namespace lectora
