#include "settings/OptionValues.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <filesystem>

#include "store/IniFile.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

struct OptionCase {
  int index;
  const char* key;  // nullptr: no control
  bool firstRun;
};

// The first-run state: verse numbers and footnotes on, no book title or
// chapter number, hints, clipboard watching, auto-minimise, the logo window
// and the version check on.
const OptionCase kOptionTable[] = {
    {0, "CheckClipboard", true},  {1, "AutoKeybd", true},      {2, "FoneticCyr", false},
    {3, "ViewBN", false},         {4, "ViewCN", false},        {5, "ViewVN", true},
    {6, "Abrev", false},          {7, "ShowHint", true},       {8, nullptr, false},
    {9, "ShowAbout", true},       {10, "ShowFootnotes", true}, {11, "AutoMin", true},
    {12, "TextFromVerse", false}, {13, "NewVCheck", true},
};

void ExpectFirstRun(const TOptionValues& options) {
  for (const OptionCase& c : kOptionTable) {
    EXPECT_EQ(options.GetOption(c.index), c.firstRun) << "option " << c.index;
    if (c.key == nullptr) {
      EXPECT_EQ(TOptionValues::OptionKey(c.index), nullptr);
    } else {
      EXPECT_STREQ(TOptionValues::OptionKey(c.index), c.key);
    }
  }
  EXPECT_EQ(options.PanelAlign(), 1);  // the panel on the right
  EXPECT_EQ(options.Language(), 0);    // Bulgarian
  EXPECT_FALSE(options.DifferentFonts());
  EXPECT_TRUE(options.AllowChaset());
  EXPECT_EQ(options.CurrentVerseColor(), 32768u);
  EXPECT_EQ(options.FoundWordColor(), 255u);
  EXPECT_EQ(options.FootntColor(), 16711680u);
}

TEST(OptionValues, WithoutASettingsFileEverythingHasItsFirstRunValue) {
  test::TempDir dir;
  const TMyIniFile ini(dir.File("Lectora.ini"), false);
  TOptionValues options;
  ExpectFirstRun(options);
  QSignalSpy changed(&options, &TOptionValues::OptionChanged);
  options.LoadOptions(ini);
  ExpectFirstRun(options);
  // Every value read is reported, in reading order, so mirrors get set.
  const QList<int> expectedOrder = {1, 0,  2,  3,  6,
                                    4, 5,  10, 7,  TOptionValues::kPanelAlign,
                                    9, 11, 12, 13, TOptionValues::kLanguage};
  QList<int> order;
  for (const QList<QVariant>& call : changed) order.append(call.at(0).toInt());
  EXPECT_EQ(order, expectedOrder);
}

TEST(OptionValues, NumbersWithoutAControlReadFalseAndCannotBeSet) {
  TOptionValues options;
  QSignalSpy changed(&options, &TOptionValues::OptionChanged);
  for (const int index : {8, -1, 14, 100, int(TOptionValues::kPanelAlign)}) {
    options.SetOption(index, true);
    EXPECT_FALSE(options.GetOption(index)) << index;
  }
  EXPECT_EQ(changed.count(), 0);
}

TEST(OptionValues, OnlyRealChangesAreReported) {
  TOptionValues options;
  QSignalSpy changed(&options, &TOptionValues::OptionChanged);
  options.SetOption(TOptionValues::kViewVN, true);  // already on
  options.SetOption(TOptionValues::kViewVN, false);
  options.SetPanelAlign(1);
  options.SetPanelAlign(0);
  options.SetPanelAlign(5);  // no such side
  options.SetLanguage(3);    // no such language
  options.SetLanguage(2);
  options.SetFoundWordColor(255);
  options.SetFoundWordColor(0x123456);
  ASSERT_EQ(changed.count(), 4);
  EXPECT_EQ(changed.at(0).at(0).toInt(), TOptionValues::kViewVN);
  EXPECT_EQ(changed.at(1).at(0).toInt(), TOptionValues::kPanelAlign);
  EXPECT_EQ(changed.at(2).at(0).toInt(), TOptionValues::kLanguage);
  EXPECT_EQ(changed.at(3).at(0).toInt(), TOptionValues::kFoundWordColor);
  EXPECT_EQ(options.PanelAlign(), 0);
  EXPECT_EQ(options.Language(), 2);
}

TEST(OptionValues, SavedOptionsReadBack) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  {
    TOptionValues options;
    for (const OptionCase& c : kOptionTable) options.SetOption(c.index, !c.firstRun);
    options.SetPanelAlign(0);
    options.SetLanguage(1);
    TMyIniFile ini(file, false);
    options.SaveOptions(ini);
    ini.UpdateFile();
  }
  const TMyIniFile ini(file, false);
  TOptionValues options;
  options.LoadOptions(ini);
  for (const OptionCase& c : kOptionTable) {
    // CheckClipboard is the main window's to write, so it stays at its
    // default; number 8 has nothing to store.
    const bool expected = (c.index == 0 || c.key == nullptr) ? c.firstRun : !c.firstRun;
    EXPECT_EQ(options.GetOption(c.index), expected) << "option " << c.index;
  }
  EXPECT_EQ(options.PanelAlign(), 0);
  EXPECT_EQ(options.Language(), 1);
}

TEST(OptionValues, KeysAreWrittenInTheirFixedOrder) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  {
    TMyIniFile ini(file, false);
    TOptionValues().SaveOptions(ini);
    ini.UpdateFile();
  }
  EXPECT_EQ(test::ReadFile(file),
            "[MainWindow]\r\n"
            "AutoKeybd=1\r\n"
            "FoneticCyr=0\r\n"
            "ViewBN=0\r\n"
            "Abrev=0\r\n"
            "ViewCN=0\r\n"
            "ViewVN=1\r\n"
            "ShowHint=1\r\n"
            "ShowFootnotes=1\r\n"
            "PanelAlign=1\r\n"
            "ShowAbout=1\r\n"
            "AutoMin=1\r\n"
            "TextFromVerse=0\r\n"
            "NewVCheck=1\r\n"
            "Language=0\r\n");
}

TEST(OptionValues, StoredValuesOutOfRangeTakeTheDefaults) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  test::WriteFile(file,
                  "[MainWindow]\r\nPanelAlign=7\r\nLanguage=-1\r\nViewBN=1\r\nFoneticCyr=x\r\n");
  const TMyIniFile ini(file, false);
  TOptionValues options;
  options.SetPanelAlign(0);
  options.LoadOptions(ini);
  EXPECT_EQ(options.PanelAlign(), 1);
  EXPECT_EQ(options.Language(), 0);
  EXPECT_TRUE(options.GetOption(TOptionValues::kViewBN));
  EXPECT_FALSE(options.GetOption(TOptionValues::kFoneticCyr));
}

TEST(OptionValues, ReadOnlySettingsAreNeverWritten) {
  test::TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  {
    TMyIniFile ini(file, true);
    TOptionValues options;
    options.SetOption(TOptionValues::kViewBN, true);
    options.SaveOptions(ini);
    ini.UpdateFile();
  }
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace lectora
