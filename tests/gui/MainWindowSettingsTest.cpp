#include "mainwindow/MainWindowSettings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "store/IniFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

const std::string kSection = "MainWindow";

// Reads `file` into a fresh record, with a design placement as defaults.
TMainWindowSettings ReadFrom(const std::string& file) {
  const TMyIniFile ini(file, false);
  TMainWindowSettings settings;
  settings.Placement = TWindowPlacement{0, 10, 20, 640, 480, false};
  settings.Read(ini);
  return settings;
}

void WriteTo(const std::string& file, const TMainWindowSettings& settings) {
  TMyIniFile ini(file, false);
  settings.Write(ini);
  ini.UpdateFile();
}

struct KeyCase {
  const char* key;
  const char* written;  // the first-run value as written at exit
};

// Every key written at exit, in writing order, with its first-run value
// (the Bible sections come between GlVIndex and DifferentFonts).
const KeyCase kWrittenKeys[] = {
    {"WindowState", "0"},
    {"Top", "10"},
    {"Left", "20"},
    {"Width", "640"},
    {"Height", "480"},
    {"PanelWidth", "164"},
    {"SplitterTop", "114"},
    {"CurrentVerseColor", "32768"},
    {"FoundWordColor", "255"},
    {"FootntColor", "16711680"},
    {"SearchRangeType", "0"},
    {"SearchRange", nullptr},
    {"GlVIndex", "1"},
    {"MDIChildCount", "0"},
    {"DifferentFonts", "0"},
    {"AllowChaset", "1"},
    {"CheckClipboard", "1"},
    {"ShowAbout", "1"},
    {"IsDicVizible", "0"},
    {"IsFloatpane", "0"},
    {"IsNoteBookOpened", "0"},
    {"IsPictureShown", "0"},
    {"HideStrong", "0"},
    {"ShowFinder", "1"},
    {"ShowLinks", "0"},
    {"Speak", "0"},
    {"SearchText", ""},
    {"SearchTextLang", "0"},
    {"AudioPath", ""},
    {"MaxListCount", "200"},
    {"TabPageIndex", "0"},
    {"TileMode", "0"},
    {"Order", "0"},
    {"CmBB1Width", "96"},
};

TEST(MainWindowSettings, AFirstRunWritesEveryKeyWithItsDefaultInClosingOrder) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  const TMainWindowSettings settings = ReadFrom(file);
  EXPECT_FALSE(settings.Placement.PositionStored);
  EXPECT_TRUE(settings.BibleHandles.empty());
  EXPECT_FALSE(settings.AudioFix);
  for (int book = 1; book <= TMainWindowSettings::kBookNumbers; ++book) {
    EXPECT_TRUE(settings.SearchRange[book]) << book;
  }
  WriteTo(file, settings);

  const TMyIniFile ini(file, false);
  std::vector<std::string> expectedKeys;
  for (const KeyCase& c : kWrittenKeys) {
    expectedKeys.push_back(c.key);
    const std::string value = c.written ? c.written : std::string(87, '1');
    EXPECT_EQ(ini.ReadString(kSection, c.key, "<absent>"), value) << c.key;
  }
  EXPECT_EQ(ini.ReadSection(kSection), expectedKeys);
  EXPECT_FALSE(ini.ValueExists(kSection, "AudioFix"));
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{kSection});
}

TEST(MainWindowSettings, StoredValuesAreReadBack) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  TMainWindowSettings stored;
  stored.Placement = TWindowPlacement{0, 5, 6, 700, 500, false};
  stored.PanelWidth = 200;
  stored.FoundWordColor = 0x00AA00;
  stored.SearchRangeType = 3;
  stored.SearchRange[40] = false;
  stored.HideStrong = true;
  stored.GlVIndex = 23145;
  stored.Order = 2;
  stored.SearchText = "\xe2\xff\xf0\xe0";  // 8-bit, kept as stored
  stored.AudioPath = "/home/reader/audio";
  stored.IsFloatpane = true;
  stored.BibleHandles = {0, 11, 4};
  WriteTo(file, stored);
  {
    // Only ever set by hand: the program never writes it.
    TMyIniFile ini(file, false);
    ini.WriteBool(kSection, "AudioFix", true);
    ini.UpdateFile();
  }

  const TMainWindowSettings read = ReadFrom(file);
  EXPECT_TRUE(read.Placement.PositionStored);
  EXPECT_EQ(read.Placement.Width, 700);
  EXPECT_EQ(read.PanelWidth, 200);
  EXPECT_EQ(read.FoundWordColor, 0x00AA00u);
  EXPECT_EQ(read.SearchRangeType, 3);
  EXPECT_FALSE(read.SearchRange[40]);
  EXPECT_TRUE(read.SearchRange[41]);
  EXPECT_TRUE(read.HideStrong);
  EXPECT_EQ(read.GlVIndex, 23145);
  EXPECT_EQ(read.Order, 2);
  EXPECT_EQ(read.SearchText, stored.SearchText);
  EXPECT_EQ(read.AudioPath, stored.AudioPath);
  EXPECT_TRUE(read.IsFloatpane);
  EXPECT_TRUE(read.AudioFix);
  EXPECT_EQ(read.BibleHandles, (std::vector<int>{0, 11, 4}));
}

struct RangeCase {
  const char* name;
  std::string stored;
  std::string expected;  // as written back: 87 characters
};

class SearchRangeRead : public testing::TestWithParam<RangeCase> {};

TEST_P(SearchRangeRead, ValidLeadingCharactersAreKeptTheRestSearched) {
  const RangeCase& param = GetParam();
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  test::WriteFile(file, "[MainWindow]\r\nSearchRange=" + param.stored + "\r\n");
  const TMainWindowSettings settings = ReadFrom(file);
  EXPECT_EQ(settings.SearchRangeText(), param.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SearchRangeRead,
    testing::Values(RangeCase{"AllSearched", std::string(87, '1'), std::string(87, '1')},
                    RangeCase{"NoneSearched", std::string(87, '0'), std::string(87, '0')},
                    RangeCase{"Mixed", "0110" + std::string(83, '0'),
                              "0110" + std::string(83, '0')},
                    RangeCase{"Empty", "", std::string(87, '1')},
                    RangeCase{"TooShort", "0101", "0101" + std::string(83, '1')},
                    RangeCase{"OneShort", std::string(86, '0'), std::string(86, '0') + "1"},
                    RangeCase{"OtherCharacter", "00200", "00" + std::string(85, '1')},
                    RangeCase{"Blank", "0 0", "0" + std::string(86, '1')},
                    RangeCase{"TooLong", std::string(90, '0'), std::string(87, '0')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowSettings, BibleSectionsOfTheLastRunAreReplaced) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  TMainWindowSettings three;
  three.BibleHandles = {2, 0, 7};
  WriteTo(file, three);
  {
    const TMyIniFile ini(file, false);
    EXPECT_EQ(ini.ReadInteger(kSection, "MDIChildCount", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Bible2", "BibleHndl", -1), 7);
  }
  TMainWindowSettings one = ReadFrom(file);
  EXPECT_EQ(one.BibleHandles, (std::vector<int>{2, 0, 7}));
  one.BibleHandles = {5};
  WriteTo(file, one);

  const TMyIniFile ini(file, false);
  EXPECT_EQ(ini.ReadInteger(kSection, "MDIChildCount", -1), 1);
  EXPECT_EQ(ini.ReadInteger("Bible0", "BibleHndl", -1), 5);
  EXPECT_FALSE(ini.SectionExists("Bible1"));
  EXPECT_FALSE(ini.SectionExists("Bible2"));
  EXPECT_EQ(ReadFrom(file).BibleHandles, std::vector<int>{5});
}

TEST(MainWindowSettings, DamagedBibleSectionsOpenOnlyWhatExists) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  test::WriteFile(file,
                  "[MainWindow]\r\nMDIChildCount=3\r\n"
                  "[Bible0]\r\nBibleHndl=11\r\n"
                  "[Bible1]\r\nBibleHndl=99\r\n");
  // A missing section and a translation that does not exist read as 1.
  EXPECT_EQ(ReadFrom(file).BibleHandles, (std::vector<int>{11, 1, 1}));

  test::WriteFile(file, "[MainWindow]\r\nMDIChildCount=2000000000\r\n");
  EXPECT_EQ(ReadFrom(file).BibleHandles.size(),
            static_cast<std::size_t>(TMainWindowSettings::kMaxBibleWindows));
  test::WriteFile(file, "[MainWindow]\r\nMDIChildCount=-4\r\n");
  EXPECT_TRUE(ReadFrom(file).BibleHandles.empty());
}

TEST(MainWindowSettings, RangedNumbersOutOfRangeTakeTheirDefaults) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  test::WriteFile(file,
                  "[MainWindow]\r\nSearchRangeType=4\r\nTabPageIndex=-1\r\n"
                  "TileMode=2\r\nOrder=3\r\nPanelWidth=abc\r\n");
  const TMainWindowSettings settings = ReadFrom(file);
  EXPECT_EQ(settings.SearchRangeType, 0);
  EXPECT_EQ(settings.TabPageIndex, 0);
  EXPECT_EQ(settings.TileMode, 0);
  EXPECT_EQ(settings.Order, 0);
  EXPECT_EQ(settings.PanelWidth, 164);
}

TEST(MainWindowSettings, NothingIsWrittenToReadOnlySettings) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  const std::string before = "[MainWindow]\r\nMDIChildCount=2\r\n[Bible0]\r\nBibleHndl=3\r\n";
  test::WriteFile(file, before);
  {
    TMyIniFile ini(file, true);
    TMainWindowSettings settings;
    settings.BibleHandles = {1};
    settings.Write(ini);
    ini.UpdateFile();
  }
  EXPECT_EQ(test::ReadFile(file), before);
}

// ---- placement on the screens ----

struct PlacementCase {
  const char* name;
  QRect stored;
  QList<QRect> screens;
  QRect expected;
};

class PlacementFit : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementFit, OffScreenWindowsAreMovedOntoAScreen) {
  const PlacementCase& param = GetParam();
  EXPECT_EQ(FitOntoScreens(param.stored, param.screens), param.expected);
}

const QRect kLeftScreen(0, 0, 1920, 1080);
const QRect kRightScreen(1920, 0, 1280, 1024);

INSTANTIATE_TEST_SUITE_P(
    Rectangles, PlacementFit,
    testing::Values(
        PlacementCase{
            "Visible", QRect(100, 100, 800, 600), {kLeftScreen}, QRect(100, 100, 800, 600)},
        PlacementCase{"PartlyOffButReachable",
                      QRect(1700, 900, 800, 600),
                      {kLeftScreen},
                      QRect(1700, 900, 800, 600)},
        PlacementCase{"OnTheSecondScreen",
                      QRect(2000, 50, 800, 600),
                      {kLeftScreen, kRightScreen},
                      QRect(2000, 50, 800, 600)},
        PlacementCase{
            "ScreenUnplugged", QRect(2000, 50, 800, 600), {kLeftScreen}, QRect(1120, 50, 800, 600)},
        PlacementCase{"FarAway",
                      QRect(-5000, -5000, 800, 600),
                      {kLeftScreen, kRightScreen},
                      QRect(0, 0, 800, 600)},
        PlacementCase{"TitleAboveTheScreen",
                      QRect(100, -300, 800, 600),
                      {kLeftScreen},
                      QRect(100, 0, 800, 600)},
        PlacementCase{"OnlyASliverShows",
                      QRect(1900, 100, 800, 600),
                      {kLeftScreen},
                      QRect(1120, 100, 800, 600)},
        PlacementCase{"MostlyOffTheRightScreen",
                      QRect(3170, 100, 800, 600),
                      {kLeftScreen, kRightScreen},
                      QRect(2400, 100, 800, 600)},
        PlacementCase{"BiggerThanTheScreen",
                      QRect(5000, 0, 4000, 3000),
                      {kLeftScreen},
                      QRect(0, 0, 1920, 1080)},
        PlacementCase{"NoSize", QRect(-900, 10, 0, 0), {kLeftScreen}, QRect(0, 10, 200, 200)},
        PlacementCase{"NoScreens", QRect(-900, 10, 300, 200), {}, QRect(-900, 10, 300, 200)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowSettings, OnlyAStoredNormalPlacementIsFitted) {
  const QList<QRect> screens = {kLeftScreen};
  TWindowPlacement maximised{2, -5000, -5000, 800, 600, false};
  FitPlacementOntoScreens(maximised, screens);
  EXPECT_EQ(maximised.Left, -5000);

  TWindowPlacement notStored{0, -5000, -5000, 800, 600, false};
  FitPlacementOntoScreens(notStored, screens);
  EXPECT_EQ(notStored.Top, -5000);

  TWindowPlacement stored{0, -5000, -5000, 800, 600, true};
  FitPlacementOntoScreens(stored, screens);
  EXPECT_EQ(stored.Left, 0);
  EXPECT_EQ(stored.Top, 0);
  EXPECT_EQ(stored.Width, 800);

  // Numbers no screen could hold do not overflow on the way.
  TWindowPlacement damaged{0, 2147483000, 2147483000, 2147483647, 2147483647, true};
  FitPlacementOntoScreens(damaged, screens);
  EXPECT_EQ(damaged.Left, 0);
  EXPECT_EQ(damaged.Width, 1920);
  EXPECT_EQ(damaged.Height, 1080);
}

}  // namespace
}  // namespace lectora
