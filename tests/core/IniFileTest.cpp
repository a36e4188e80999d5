#include "store/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "store/AtomicFile.h"
#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A file with everything a rewrite must keep: a preamble, comments, blank
// lines, blanks around "=", LF and CR LF endings mixed, no final line end.
const std::string kMixed =
    "; settings\r\n"
    "\r\n"
    "[MainWindow]\r\n"
    "Top = 10\r\n"
    "; a comment inside\n"
    "Left=20\r\n"
    "\r\n"
    "\r\n"
    "[ORT\\Font]\r\n"
    "FontName=Verdana\r\n"
    "FontSize=12";

struct LayoutCase {
  const char* Name;
  std::string Before;
  std::function<void(TMyIniFile&)> Change;
  std::string After;
};

class IniLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(IniLayoutTest, RewriteKeepsUntouchedBytes) {
  const LayoutCase& c = GetParam();
  TempDir dir;
  const std::string file = dir.File("Lectora.ini");
  WriteFile(file, c.Before);
  {
    TMyIniFile ini(file, false);
    c.Change(ini);
  }
  EXPECT_EQ(ReadFile(file), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniLayoutTest,
    ::testing::Values(
        LayoutCase{"ChangedKeyInPlace", kMixed,
                   [](TMyIniFile& ini) { ini.WriteInteger("mainwindow", "LEFT", 35); },
                   "; settings\r\n\r\n[MainWindow]\r\nTop = 10\r\n; a comment inside\n"
                   "Left=35\r\n\r\n\r\n[ORT\\Font]\r\nFontName=Verdana\r\nFontSize=12"},
        LayoutCase{"NewKeyBeforeTrailingBlanks", kMixed,
                   [](TMyIniFile& ini) { ini.WriteInteger("MainWindow", "Width", 640); },
                   "; settings\r\n\r\n[MainWindow]\r\nTop = 10\r\n; a comment inside\n"
                   "Left=20\r\nWidth=640\r\n\r\n\r\n[ORT\\Font]\r\nFontName=Verdana\r\n"
                   "FontSize=12"},
        LayoutCase{"NewKeyAfterUnendedLastLine", kMixed,
                   [](TMyIniFile& ini) { ini.WriteInteger("ORT\\Font", "CharSet", 204); },
                   "; settings\r\n\r\n[MainWindow]\r\nTop = 10\r\n; a comment inside\n"
                   "Left=20\r\n\r\n\r\n[ORT\\Font]\r\nFontName=Verdana\r\nFontSize=12\r\n"
                   "CharSet=204\r\n"},
        LayoutCase{"NewSectionAtEnd", "[A]\nx=1\n",
                   [](TMyIniFile& ini) { ini.WriteString("Bible0", "Path", "KJV"); },
                   "[A]\nx=1\n[Bible0]\r\nPath=KJV\r\n"},
        LayoutCase{"NewSectionInEmptyFile", "",
                   [](TMyIniFile& ini) { ini.WriteBool("DicForm", "Visible", true); },
                   "[DicForm]\r\nVisible=1\r\n"},
        LayoutCase{"DeleteKeyKeepsNeighbours", kMixed,
                   [](TMyIniFile& ini) { ini.DeleteKey("MainWindow", "top"); },
                   "; settings\r\n\r\n[MainWindow]\r\n; a comment inside\n"
                   "Left=20\r\n\r\n\r\n[ORT\\Font]\r\nFontName=Verdana\r\nFontSize=12"},
        LayoutCase{"EraseSectionTakesItsLines", kMixed,
                   [](TMyIniFile& ini) { ini.EraseSection("mainWINDOW"); },
                   "; settings\r\n\r\n[ORT\\Font]\r\nFontName=Verdana\r\nFontSize=12"},
        LayoutCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\r\nx=1\r\n",
                   [](TMyIniFile& ini) { ini.WriteString("a", "x", "2"); },
                   "\xEF\xBB\xBF[A]\r\nx=2\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(IniFileTest, UnchangedValueDoesNotRewriteTheFile) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, kMixed);
  {
    TMyIniFile ini(file, false);
    ini.WriteInteger("MainWindow", "Top", 10);
    ini.WriteString("ORT\\Font", "FontName", "Verdana");
    // Replaced behind the object's back: a rewrite would restore kMixed.
    WriteFile(file, "other");
  }
  EXPECT_EQ(ReadFile(file), "other");
}

// 1251: "БИБЛИЯ" in capitals and "библия" in small letters.
const std::string kCyrUpper = "\xC1\xC8\xC1\xCB\xC8\xDF";
const std::string kCyrLower = "\xE1\xE8\xE1\xEB\xE8\xFF";

TEST(IniFileTest, NamesCompareWithoutCase) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "[ORT\\Font]\r\nFontName=Arial\r\n[" + kCyrUpper + "]\r\n  " + kCyrUpper +
                      "  =  " + kCyrLower + "  \r\n[Main]\r\nKey=v\r\n");
  TMyIniFile ini(file, false);
  const struct {
    std::string Section, Key, Expected;
  } cases[] = {
      {"ORT\\Font", "FontName", "Arial"},
      {"ort\\font", "FONTNAME", "Arial"},
      {" ORT\\FONT ", "fontname", "Arial"},
      {kCyrUpper, kCyrUpper, kCyrLower},
      {kCyrLower, kCyrLower, kCyrLower},
      {"MAIN", "key", "v"},
      {"ORT", "FontName", "-"},
      {"ORT\\Font\\", "FontName", "-"},
      {"Main", "Key2", "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Section + " / " + c.Key);
    EXPECT_EQ(ini.ReadString(c.Section, c.Key, "-"), c.Expected);
    EXPECT_EQ(ini.ValueExists(c.Section, c.Key), c.Expected != "-");
  }
  EXPECT_TRUE(ini.SectionExists(kCyrLower));
  EXPECT_FALSE(ini.SectionExists("ORT"));

  // A write under another spelling replaces the existing key.
  ini.WriteString(kCyrLower, kCyrLower, "x");
  EXPECT_EQ(ini.ReadSection(kCyrUpper), std::vector<std::string>{kCyrUpper});
  ini.UpdateFile();
  EXPECT_NE(ReadFile(file).find("]\r\n" + kCyrUpper + "=x\r\n[Main]"), std::string::npos);
}

TEST(IniFileTest, SectionsAndKeysKeepFileOrder) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "[B]\nz=1\na=2\n;c=3\nno equals\nm=4\nA=5\n[A]\nk=1\n[b]\nlate=1\n");
  TMyIniFile ini(file, false);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"B", "A"}));
  // The first of repeated sections and keys is the one that counts.
  EXPECT_EQ(ini.ReadSection("b"), (std::vector<std::string>{"z", "a", "m"}));
  EXPECT_EQ(ini.ReadString("B", "a", ""), "2");
  EXPECT_EQ(ini.ReadString("B", "late", "-"), "-");
  EXPECT_TRUE(ini.ReadSection("Missing").empty());

  ini.DeleteKey("B", "A");
  EXPECT_EQ(ini.ReadSection("B"), (std::vector<std::string>{"z", "m"}));
  EXPECT_FALSE(ini.ValueExists("B", "a"));
  ini.WriteString("B", "new", "1");
  EXPECT_EQ(ini.ReadSection("B"), (std::vector<std::string>{"z", "m", "new"}));

  ini.EraseSection("b");
  EXPECT_FALSE(ini.SectionExists("B"));
  EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"A"});
  ini.WriteString("B", "k", "1");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniFileTest, WriteSectionReplacesTheKeys) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "[ORT\\BookMarks]\r\nold=\r\nkept=\r\n[Next]\r\nx=1\r\n");
  {
    TMyIniFile ini(file, false);
    ini.WriteSection("ort\\bookmarks", {"Gen 1:1", "kept", "John 3:16"});
    EXPECT_EQ(ini.ReadSection("ORT\\BookMarks"),
              (std::vector<std::string>{"Gen 1:1", "kept", "John 3:16"}));
    EXPECT_EQ(ini.ReadString("ORT\\BookMarks", "Gen 1:1", "-"), "");
    // A key that cannot be stored is refused before the section is erased.
    EXPECT_THROW(ini.WriteSection("ORT\\BookMarks", {"good", "a=b"}), LectoraError);
    EXPECT_EQ(ini.ReadSection("ORT\\BookMarks").size(), 3u);
  }
  EXPECT_EQ(ReadFile(file),
            "[Next]\r\nx=1\r\n[ort\\bookmarks]\r\nGen 1:1=\r\nkept=\r\nJohn 3:16=\r\n");
}

TEST(IniFileTest, NumbersReadBackOrFallBack) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  const struct {
    const char* Stored;
    double Float;
    int Integer;
    bool Bool;
  } cases[] = {
      // Defaults: float -7, integer -7, Boolean false.
      {"1,5", 1.5, -7, false},       {"1.5", 1.5, -7, false},
      {" -2,25 ", -2.25, -7, false}, {"+3", 3, 3, true},
      {"12", 12, 12, true},          {"0", 0, 0, false},
      {"-4", -4, -4, true},          {"1e3", 1000, -7, false},
      {"1.2.3", -7, -7, false},      {"1,234.5", -7, -7, false},
      {"abc", -7, -7, false},        {"", -7, -7, false},
      {"5x", -7, -7, false},         {"99999999999", 99999999999.0, -7, false},
      {"+", -7, -7, false},
  };
  std::string content = "[N]\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    content += "k" + std::to_string(i) + "=" + cases[i].Stored + "\r\n";
  }
  WriteFile(file, content);
  TMyIniFile ini(file, true);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string key = "k" + std::to_string(i);
    SCOPED_TRACE(std::string("stored \"") + cases[i].Stored + "\"");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", key, -7), cases[i].Float);
    EXPECT_EQ(ini.ReadInteger("N", key, -7), cases[i].Integer);
    EXPECT_EQ(ini.ReadBool("N", key, false), cases[i].Bool);
  }
  EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "missing", 2.5), 2.5);
  EXPECT_TRUE(ini.ReadBool("N", "missing", true));
}

TEST(IniFileTest, FloatsWriteShortestAndRoundTrip) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  TMyIniFile ini(file, false);
  for (double value : {1.5, 0.1, -2.0 / 3.0, 1e300, 123456789.125}) {
    ini.WriteFloat("F", "v", value);
    EXPECT_EQ(ini.ReadFloat("F", "v", 0), value);
  }
  ini.WriteFloat("F", "v", 1.5);
  EXPECT_EQ(ini.ReadString("F", "v", ""), "1.5");
}

TEST(IniFileTest, ReadOnlyNeverWrites) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, kMixed);
  {
    TMyIniFile ini(file, true);
    EXPECT_EQ(ini.ReadInteger("MainWindow", "Top", 0), 10);
    ini.WriteInteger("MainWindow", "Top", 99);
    ini.WriteString("New", "k", "v");
    ini.DeleteKey("MainWindow", "Left");
    ini.EraseSection("ORT\\Font");
    ini.WriteSection("ORT\\Font", {"a"});
    ini.WriteWindow("MainWindow", TWindowPlacement{0, 1, 2, 3, 4, false});
    ini.WriteFont("ORT\\Font", TFontInfo{});
    EXPECT_EQ(ini.ReadInteger("MainWindow", "Top", 0), 10);
    EXPECT_FALSE(ini.SectionExists("New"));
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(file), kMixed);
  }
  EXPECT_EQ(ReadFile(file), kMixed);

  const std::string missing = dir.File("missing.ini");
  { TMyIniFile(missing, true).WriteString("A", "b", "c"); }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(IniFileTest, MaximisedWindowStoresOnlyItsState) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  {
    TMyIniFile ini(file, false);
    ini.WriteWindow("DicForm", TWindowPlacement{2, 10, 20, 300, 400, false});
    EXPECT_EQ(ini.ReadSection("DicForm"), std::vector<std::string>{"WindowState"});
    ini.WriteWindow("NoteBook", TWindowPlacement{0, 11, 21, 301, 401, false});
  }
  TMyIniFile ini(file, false);
  TWindowPlacement dic{0, 1, 2, 3, 4, false};
  ini.ReadWindow("DicForm", dic);
  EXPECT_EQ(dic.WindowState, 2);
  EXPECT_FALSE(dic.PositionStored);
  EXPECT_EQ(dic.Top, 1);
  EXPECT_EQ(dic.Height, 4);

  TWindowPlacement note{1, 1, 2, 3, 4, false};
  ini.ReadWindow("NoteBook", note);
  EXPECT_EQ(note.WindowState, 0);
  EXPECT_TRUE(note.PositionStored);
  EXPECT_EQ(note.Top, 11);
  EXPECT_EQ(note.Left, 21);
  EXPECT_EQ(note.Width, 301);
  EXPECT_EQ(note.Height, 401);

  // A maximised window keeps an older position in the file but does not read it.
  ini.WriteWindow("NoteBook", TWindowPlacement{2, 0, 0, 0, 0, false});
  TWindowPlacement again;
  ini.ReadWindow("NoteBook", again);
  EXPECT_FALSE(again.PositionStored);
  EXPECT_EQ(again.Top, 0);
}

TEST(IniFileTest, WindowWithoutPositionOrWithDamagedStateKeepsDefaults) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "[A]\r\nWindowState=1\r\nLeft=50\r\n[B]\r\nWindowState=9\r\nTop=5\r\n");
  TMyIniFile ini(file, true);
  TWindowPlacement a{0, 1, 2, 3, 4, false};
  ini.ReadWindow("A", a);
  EXPECT_EQ(a.WindowState, 1);
  EXPECT_FALSE(a.PositionStored);
  EXPECT_EQ(a.Left, 2);
  TWindowPlacement b{0, 1, 2, 3, 4, false};
  ini.ReadWindow("B", b);
  EXPECT_EQ(b.WindowState, 0);
  EXPECT_TRUE(b.PositionStored);
  EXPECT_EQ(b.Top, 5);
  EXPECT_EQ(b.Left, 2);
}

TEST(IniFileTest, FontRoundTripsAndDefaults) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  const TFontInfo stored{"Times New Roman", 14, 1 | 4, 204, 0x80000008u};
  {
    TMyIniFile ini(file, false);
    ini.WriteFont("ORT\\Font", stored);
  }
  EXPECT_NE(ReadFile(file).find("FontColor=-2147483640\r\n"), std::string::npos);
  TMyIniFile ini(file, false);
  TFontInfo font{"Arial", 9, 2, 0, 5};
  ini.ReadFont("ort\\font", font);
  EXPECT_EQ(font.Name, stored.Name);
  EXPECT_EQ(font.Size, 14);
  EXPECT_EQ(font.Style, 5);
  EXPECT_EQ(font.CharSet, 204);
  EXPECT_EQ(font.Color, 0x80000008u);

  TFontInfo absent{"Arial", 9, 2, 161, 5};
  ini.ReadFont("Other", absent);
  EXPECT_EQ(absent.Name, "Arial");
  EXPECT_EQ(absent.Size, 9);
  EXPECT_EQ(absent.Style, 0);
  EXPECT_EQ(absent.CharSet, 161);
  EXPECT_EQ(absent.Color, 5u);
}

TEST(IniFileTest, UnstorableNamesAndValuesAreRefused) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, kMixed);
  {
    TMyIniFile ini(file, false);
    EXPECT_THROW(ini.WriteString("A]B", "k", "v"), LectoraError);
    EXPECT_THROW(ini.WriteString("A", "k=1", "v"), LectoraError);
    EXPECT_THROW(ini.WriteString("A", " ", "v"), LectoraError);
    EXPECT_THROW(ini.WriteString("A", ";k", "v"), LectoraError);
    EXPECT_THROW(ini.WriteString("A", "[k", "v"), LectoraError);
    EXPECT_THROW(ini.WriteString("A", "k", "v\r\n[Injected]"), LectoraError);
    EXPECT_FALSE(ini.SectionExists("A"));
  }
  EXPECT_EQ(ReadFile(file), kMixed);
}

TEST(IniFileTest, UnreadableFileIsAnErrorNotAnEmptyFile) {
  TempDir dir;
  const std::string folder = dir.File("settings.ini");
  std::filesystem::create_directory(folder);
  try {
    TMyIniFile ini(folder, false);
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), folder);
  }
}

TEST(IniFileTest, ManySectionsAndRepeatedKeys) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  std::string content;
  for (int s = 0; s < 200; ++s) {
    content += "[S" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 20; ++k)
      content += "K" + std::to_string(k) + "=" + std::to_string(s) + "\r\n";
  }
  WriteFile(file, content);
  TMyIniFile ini(file, false);
  for (int s = 0; s < 200; ++s) {
    ini.WriteInteger("s" + std::to_string(s), "k19", s + 1);
    ini.WriteSection("Marks" + std::to_string(s), std::vector<std::string>(20, "x"));
  }
  EXPECT_EQ(ini.ReadInteger("S150", "K19", 0), 151);
  EXPECT_EQ(ini.ReadInteger("S150", "K18", 0), 150);
  // Repeated keys of a written section collapse into one.
  EXPECT_EQ(ini.ReadSection("Marks7"), std::vector<std::string>{"x"});
}

TEST(AtomicFileTest, ReplacesContentAndKeepsPermissions) {
  TempDir dir;
  const std::string file = dir.File("notes.txt");
  WriteFile(file, "old");
  ::chmod(file.c_str(), 0640);
  WriteFileAtomically(file, std::string("new\0data", 8));
  EXPECT_EQ(ReadFile(file), std::string("new\0data", 8));
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes.size(), 8u);
  EXPECT_FALSE(ReadWholeFile(dir.File("missing"), bytes));
  EXPECT_FALSE(ReadWholeFile(dir.Path(), bytes));
}

TEST(AtomicFileTest, FailedReplaceLeavesOldContentAndNoTemporaryFile) {
  TempDir dir;
  const std::string target = dir.File("Lectora.ini");
  WriteFile(target + "/inside.txt", "keep me");
  try {
    WriteFileAtomically(target, "new");
    FAIL() << "no error";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), target);
  }
  EXPECT_EQ(ReadFile(target + "/inside.txt"), "keep me");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);

  EXPECT_THROW(WriteFileAtomically(dir.File("no/such/folder/a.ini"), "x"), LectoraError);
}

TEST(AtomicFileTest, ReadOnlyTargetIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write a read-only file";
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_THROW(WriteFileAtomically(file, "new"), LectoraError);
  EXPECT_EQ(ReadFile(file), "old");
}

TEST(AtomicFileTest, UpdateFileReportsAFailedWriteAndTheDestructorSwallowsIt) {
  TempDir dir;
  const std::string file = dir.File("gone/a.ini");
  TMyIniFile ini(file, false);
  ini.WriteString("A", "k", "v");
  EXPECT_THROW(ini.UpdateFile(), LectoraError);
  // The object is destroyed at the end of the scope without throwing.
}

}  // namespace
}  // namespace lectora
