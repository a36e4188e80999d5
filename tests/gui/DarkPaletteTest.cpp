// The dark palette: the contrast of the active-verse, mark and footnote
// colours against the dark text background (the defaults and colours
// readers store), the verse text control following the palette as it
// changes, the reader's palette choice, and the stored colours left as
// they were after the display adjusted them.
#include "app/DesktopPalette.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FakeBibleWindowHost.h"
#include "MainWindowDriver.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/ContrastColor.h"
#include "display/DisplayContext.h"
#include "modules/ModuleCompiler.h"
#include "settings/OptionValues.h"
#include "store/IniFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

constexpr int kAsv = 9;

// A settings colour (0x00BBGGRR) as the windows use it.
QColor FromStored(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

// ---- the contrast rules ----

TEST(ContrastColor, RatiosOfKnownPairs) {
  EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
  EXPECT_NEAR(ContrastRatio(QColor(0x12, 0x34, 0x56), QColor(0x12, 0x34, 0x56)), 1.0, 1e-9);
}

struct StoredColour {
  const char* name;
  std::uint32_t value;  // as in the settings file
};

// The three defaults and colours readers pick.
const StoredColour kStoredColours[] = {
    {"CurrentVerseColor default green", 0x008000},
    {"FoundWordColor default red", 0x0000FF},
    {"FootntColor default blue", 0xFF0000},
    {"navy", 0x800000},
    {"maroon", 0x000080},
    {"purple", 0x800080},
    {"olive", 0x008080},
    {"dark grey", 0x404040},
    {"black", 0x000000},
    {"teal", 0x808000},
    {"yellow (legible already)", 0x00FFFF},
    {"white (legible already)", 0xFFFFFF},
};

TEST(ContrastColor, EveryStoredColourReachesAaOnTheDarkBackground) {
  const QColor background = TDesktopPalette::DarkPalette().color(QPalette::Base);
  ASSERT_TRUE(IsDarkColor(background));
  for (const StoredColour& stored : kStoredColours) {
    const QColor colour = FromStored(stored.value);
    const QColor shown = ContrastColor(colour, background);
    const double ratio = ContrastRatio(shown, background);
    EXPECT_GE(ratio, kMinimumTextContrast) << stored.name;
    if (ContrastRatio(colour, background) >= kMinimumTextContrast) {
      EXPECT_EQ(shown, colour) << stored.name << ": legible colours stay";
    } else {
      // The nearest lightness: just past the threshold, not white.
      EXPECT_LT(ratio, kMinimumTextContrast + 0.35) << stored.name;
      EXPECT_GT(shown.toHsl().lightnessF(), colour.toHsl().lightnessF()) << stored.name;
      if (colour.toHsl().hslSaturation() > 0) {
        EXPECT_NEAR(shown.toHsl().hslHueF(), colour.toHsl().hslHueF(), 0.02) << stored.name;
      }
    }
  }
}

TEST(ContrastColor, ShownColoursOnLightAndDarkBackgrounds) {
  const QPalette dark = TDesktopPalette::DarkPalette();
  const QColor base = dark.color(QPalette::Base);
  const QColor text = dark.color(QPalette::Text);
  // Plain (black) text takes the palette's text colour, on any background.
  EXPECT_EQ(ShownTextColor(Qt::black, base, text), text);
  EXPECT_EQ(ShownTextColor(Qt::black, Qt::white, QColor(0x23, 0x26, 0x29)),
            QColor(0x23, 0x26, 0x29));
  // On a light background the reader's colours are painted as stored.
  EXPECT_EQ(ShownTextColor(QColor(255, 0, 0), Qt::white, Qt::black), QColor(255, 0, 0));
  EXPECT_GE(ContrastRatio(ShownTextColor(QColor(0, 0, 255), base, text), base), 4.5);
  // The general rule also darkens, where darkening is the nearer way.
  const QColor onWhite = ContrastColor(QColor(255, 0, 0), Qt::white);
  EXPECT_GE(ContrastRatio(onWhite, Qt::white), 4.5);
  EXPECT_LT(onWhite.toHsl().lightnessF(), 0.5);
}

// ---- the palette choice ----

TEST(DesktopPalette, ChoiceFromTheKeyAndTheEnvironment) {
  test::TempDir dir;
  struct Case {
    const char* key;          // null: no key
    const char* environment;  // null: unset
    TDesktopPalette::TChoice expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, TDesktopPalette::TChoice::Auto},
      {"0", nullptr, TDesktopPalette::TChoice::Auto},
      {"1", nullptr, TDesktopPalette::TChoice::Light},
      {"2", nullptr, TDesktopPalette::TChoice::Dark},
      {"7", nullptr, TDesktopPalette::TChoice::Auto},
      {"1", "dark", TDesktopPalette::TChoice::Dark},
      {"2", "light", TDesktopPalette::TChoice::Light},
      {"2", "auto", TDesktopPalette::TChoice::Auto},
      {"2", "purple", TDesktopPalette::TChoice::Dark},
  };
  int n = 0;
  for (const Case& c : cases) {
    TMyIniFile ini(dir.File("choice" + std::to_string(n++) + ".ini"), false);
    if (c.key != nullptr) ini.WriteString("MainWindow", "DarkPalette", c.key);
    if (c.environment != nullptr) {
      setenv("LECTORA_PALETTE", c.environment, 1);
    } else {
      unsetenv("LECTORA_PALETTE");
    }
    EXPECT_EQ(TDesktopPalette::ChoiceFrom(ini), c.expected)
        << (c.key ? c.key : "-") << " / " << (c.environment ? c.environment : "-");
  }
  unsetenv("LECTORA_PALETTE");
}

TEST(DesktopPalette, ChoicesApplyAndTheDesktopsChangesAreFollowed) {
  const QPalette before = QGuiApplication::palette();
  ASSERT_FALSE(TDesktopPalette::IsDark(before)) << "the tests start on a light desktop";
  {
    TDesktopPalette palette(TDesktopPalette::TChoice::Dark);
    EXPECT_TRUE(palette.Dark());
    EXPECT_TRUE(TDesktopPalette::IsDark(QGuiApplication::palette()));
    palette.SetChoice(TDesktopPalette::TChoice::Light);
    EXPECT_FALSE(palette.Dark());
    EXPECT_EQ(QGuiApplication::palette().color(QPalette::Base),
              TDesktopPalette::LightPalette().color(QPalette::Base));
  }
  EXPECT_EQ(QGuiApplication::palette().color(QPalette::Window), before.color(QPalette::Window));
  {
    // Following the desktop: a desktop that turns dark (here: the
    // application's palette, as the platform theme sets it) is noticed.
    TDesktopPalette palette(TDesktopPalette::TChoice::Auto);
    EXPECT_FALSE(palette.Dark());
    int changes = 0;
    QObject::connect(&palette, &TDesktopPalette::DarkChanged, [&changes] { ++changes; });
    QApplication::setPalette(TDesktopPalette::DarkPalette());
    EXPECT_TRUE(palette.Dark());
    QApplication::setPalette(before);
    EXPECT_FALSE(palette.Dark());
    EXPECT_EQ(changes, 2);
  }
  QApplication::setPalette(QPalette());
}

// ---- the verse text control ----

TEST(DarkPaletteControl, BackgroundAndTextFollowThePaletteAndColoursStayLegible) {
  const std::vector<std::string> words{"light"};
  TDisplayContext context(words);
  const QColor storedMark = context.MarkColor;
  const QColor storedBrace = context.BraceColor;
  TBibleRichEdit1 edit(context);
  edit.resize(400, 200);
  edit.ColorMarks = true;
  edit.Font().Font.setPointSize(16);
  edit.Font().Font.setBold(true);
  edit.AddPair("", "let there be light {a note} and more ");
  edit.show();

  TDesktopPalette palette(TDesktopPalette::TChoice::Dark);
  // Shown windows take a new application palette through posted events.
  QCoreApplication::processEvents();
  const QPalette dark = TDesktopPalette::DarkPalette();
  EXPECT_EQ(edit.Color(), dark.color(QPalette::Base));
  QImage image(edit.size(), QImage::Format_RGB32);
  {
    QPainter painter(&image);
    edit.render(&painter);
  }
  bool markPainted = false;
  bool storedMarkPainted = false;
  const QRgb mark = edit.ShownColor(storedMark).rgb();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < edit.ScrollBar()->x(); ++x) {
      markPainted = markPainted || image.pixel(x, y) == mark;
      storedMarkPainted = storedMarkPainted || image.pixel(x, y) == storedMark.rgb();
    }
  }
  EXPECT_EQ(image.pixel(edit.ScrollBar()->x() - 2, image.height() - 2),
            dark.color(QPalette::Base).rgb());
  EXPECT_TRUE(markPainted) << "the mark is drawn in its adjusted colour";
  EXPECT_FALSE(storedMarkPainted) << "not in the stored red";
  EXPECT_EQ(edit.ShownColor(Qt::black), dark.color(QPalette::Text));
  for (const QColor& stored : {storedMark, storedBrace, QColor(0, 0x80, 0)}) {
    EXPECT_GE(ContrastRatio(edit.ShownColor(stored), edit.Color()), 4.5) << stored.name().data();
  }
  // The stored colours, the fragments' included, are what they were.
  EXPECT_EQ(context.MarkColor, storedMark);
  EXPECT_EQ(context.BraceColor, storedBrace);
  bool found = false;
  for (const TTextFrag& frag : edit.Fragments()) {
    if (frag.Text == "light") found = frag.Font.Color == storedMark;
  }
  EXPECT_TRUE(found);

  // An owner's own background stays through palette changes.
  edit.SetColor(QColor(0x10, 0x20, 0x30));
  palette.SetChoice(TDesktopPalette::TChoice::Light);
  QCoreApplication::processEvents();
  EXPECT_EQ(edit.Color(), QColor(0x10, 0x20, 0x30));
}

TEST(DarkPaletteControl, AWindowsSystemColourInTheModulesFontIsPlainText) {
  test::TempDir dir;
  test::CopySharedData(dir.Path());
  TModuleCompiler::Compile(test::TestDataDir() + "module-shifted", dir.File("ASV"), 5, false);
  test::FakeBibleWindowHost host(dir.Path());
  host.SetStandardNumber(host.Standard().StandardNumber(1, 1, 1));
  TBibleForm1 window(host, host.Navigator().Place().StandardNumber, kAsv);
  ASSERT_TRUE(window.Available());
  // clWindowText, as settings written on Windows hold it.
  window.Bible()->Font.Color = 0x80000008U;
  window.ShowPlace(window.Book, window.Chapter, window.Verse, false);
  const TBibleRichEdit1& edit = *window.BRichEdit1;
  ASSERT_FALSE(edit.Fragments().empty());
  EXPECT_EQ(edit.Fragments().front().Font.Color, QColor(0, 0, 0)) << "the book title";
  window.Bible()->Font.Color = 0x000080U;  // a colour of the reader's own stays
  window.ShowPlace(window.Book, window.Chapter, window.Verse, false);
  EXPECT_EQ(edit.Fragments().front().Font.Color, QColor(0x80, 0, 0));
}

// ---- the real program ----

TEST(DarkPaletteProgram, StoredColoursAreUnchangedAfterTheDisplayAdjustedThem) {
  test::TempDir setup;
  test::TempDir config;
  test::CopySharedData(setup.Path());
  TModuleCompiler::Compile(test::TestDataDir() + "module-shifted", setup.File("ASV"), 5, false);
  {
    TMyIniFile ini(setup.File("lectora.ini"), false);
    ini.WriteInteger("MainWindow", "DarkPalette", 2);
    ini.WriteInteger("MainWindow", "CurrentVerseColor", 0x000080);
    ini.WriteInteger("MainWindow", "FoundWordColor", 0x0000FF);
    ini.WriteInteger("MainWindow", "FootntColor", 0x800000);
  }
  {
    auto program = test::MainWindowDriver::Start(setup.Path(), config.Path());
    EXPECT_TRUE(program->Program().Palette().Dark());
    program->OpenTranslation(kAsv);
    TBibleForm1* window = program->ActiveBibleWindow();
    ASSERT_NE(window, nullptr);
    TBibleRichEdit1& edit = *window->BRichEdit1;
    QCoreApplication::processEvents();
    EXPECT_TRUE(IsDarkColor(edit.Color()));
    (void)edit.grab();  // painted with the adjusted colours
    for (const std::uint32_t value : {0x000080U, 0x0000FFU, 0x800000U}) {
      EXPECT_GE(ContrastRatio(edit.ShownColor(FromStored(value)), edit.Color()), 4.5) << value;
    }
    const TOptionValues& options = program->Program().Options();
    EXPECT_EQ(options.CurrentVerseColor(), 0x000080U);
    EXPECT_EQ(options.FoundWordColor(), 0x0000FFU);
    EXPECT_EQ(options.FootntColor(), 0x800000U);
    program->close();
  }
  QApplication::setPalette(QPalette());
  TMyIniFile ini(setup.File("lectora.ini"), true);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "CurrentVerseColor", -1), 0x000080);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "FoundWordColor", -1), 0x0000FF);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "FootntColor", -1), 0x800000);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "DarkPalette", -1), 2);
  EXPECT_FALSE(TDesktopPalette::IsDark(QGuiApplication::palette()));
}

}  // namespace
}  // namespace lectora
