#include "display/XkbKeyboardLayout.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

#include "display/KeyTranslator.h"
#include "store/Language.h"

namespace lectora {
namespace {

TEST(XkbKeyboardLayoutTest, LayoutNamesMapToTheHandlesOfTheLanguageTable) {
  struct {
    const char* layout;
    const char* variant;
    std::optional<std::uint32_t> handle;
  } const cases[] = {
      {"us", "", 0x04090409},
      {"us", "intl", 0x04090409},
      {"English (US)", "", 0x04090409},
      {"gb", "", 0x04090409},
      {"bg", "", 0x04020402},
      {"bg", "phonetic", 0x04020402},
      {"Bulgarian", "", 0x04020402},
      {"mk", "", 0x042F042F},
      {"ru", "", 0x04190419},
      {"Russian", "", 0x04190419},
      {"rs", "", 0x0C1A0C1A},
      {"sr", "", 0x0C1A0C1A},
      {"Serbian", "", 0x0C1A0C1A},
      {"rs", "latin", std::nullopt},
      {"Serbian (Latin)", "", std::nullopt},
      {"gr", "", 0x04080408},
      {"el", "", 0x04080408},
      {"Greek", "", 0x04080408},
      {"ro", "std", 0x04180418},
      {"de", "", 0x04070407},
      {"German", "", 0x04070407},
      {"fr", "", std::nullopt},
      {"", "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TXkbKeyboardLayout::LayoutHandleOf(c.layout, c.variant), c.handle)
        << c.layout << "(" << c.variant << ")";
  }
}

TEST(XkbKeyboardLayoutTest, WithoutX11TheLayoutIsUnknown) {
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) GTEST_SKIP() << "runs on X11";
  const auto query = TXkbKeyboardLayout::ForApplication();
  EXPECT_FALSE(query->Available());
  EXPECT_EQ(query->ActiveLayout(), std::nullopt);
  EXPECT_EQ(TXkbKeyboardLayout::Connect(":no-such-display")->ActiveLayout(), std::nullopt);
}

// Runs `setxkbmap` with `arguments` on the test's display.
bool SetXkbMap(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral("setxkbmap"), arguments);
  return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

// Under Xvfb (ctest gui_tests_x11): the answer follows setxkbmap.
TEST(XkbKeyboardLayoutTest, TheAnswerFollowsSetxkbmapOnX11) {
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
    GTEST_SKIP() << "needs an X server (QT_QPA_PLATFORM=xcb under xvfb-run)";
  }
  if (QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty()) {
    GTEST_SKIP() << "setxkbmap is not installed (x11-xkb-utils)";
  }
  const auto query = TXkbKeyboardLayout::ForApplication();
  ASSERT_TRUE(query->Available());

  ASSERT_TRUE(SetXkbMap({QStringLiteral("us")}));
  const std::string us = query->ActiveLayoutName();
  const std::optional<std::uint32_t> usHandle = query->ActiveLayout();
  ASSERT_TRUE(SetXkbMap({QStringLiteral("bg")}));
  const std::string bg = query->ActiveLayoutName();
  const std::optional<std::uint32_t> bgHandle = query->ActiveLayout();
  ASSERT_TRUE(SetXkbMap({QStringLiteral("-layout"), QStringLiteral("rs"),
                         QStringLiteral("-variant"), QStringLiteral("latin")}));
  const std::string rsLatin = query->ActiveLayoutName();
  const std::optional<std::uint32_t> rsLatinHandle = query->ActiveLayout();
  std::printf("setxkbmap us: %s -> %08X\n", us.c_str(), usHandle.value_or(0));
  std::printf("setxkbmap bg: %s -> %08X\n", bg.c_str(), bgHandle.value_or(0));
  std::printf("setxkbmap rs latin: %s -> %s\n", rsLatin.c_str(),
              rsLatinHandle ? "a handle" : "unknown");
  EXPECT_EQ(us, "us");
  EXPECT_EQ(usHandle, 0x04090409u);
  EXPECT_EQ(bg, "bg");
  EXPECT_EQ(bgHandle, 0x04020402u);
  EXPECT_EQ(rsLatin, "rs(latin)");
  EXPECT_EQ(rsLatinHandle, std::nullopt);

  // The translator asks the live answer: on the Bulgarian layout the
  // Bulgarian module's keys pass, on the US layout they are translated.
  ASSERT_TRUE(SetXkbMap({QStringLiteral("bg")}));
  TLanguage bulgarian(0);
  TKeyTranslator translator(TXkbKeyboardLayout::ForApplication());
  translator.SetLanguageSource([&bulgarian] { return &bulgarian; });
  char key = 'q';
  translator.Translate(key);
  EXPECT_EQ(key, 'q');
  ASSERT_TRUE(SetXkbMap({QStringLiteral("us")}));
  translator.Translate(key);
  EXPECT_EQ(key, ',');
}

}  // namespace
}  // namespace lectora
