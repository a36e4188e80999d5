// Checks of the interface-language folders data/Bulgarian, data/English and
// data/Macedonian: every file is Windows-1251 text with CR LF line ends, the
// caption files read as INI files with the program's own reader, the three
// languages hold the same sections and keys, no text is missing where the
// Bulgarian one has it, every key the program asks for is there, and the
// files are the ones their UTF-8 masters in data/languages-src/ give.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/CodePage.h"
#include "store/IniFile.h"
#include "store/TextRoutines.h"
#include "store/TranslationTable.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::SourceDir;

constexpr std::array<const char*, 3> kLanguages = {"Bulgarian", "English", "Macedonian"};
constexpr const char* kReference = "Bulgarian";

// The windows whose captions come from a file of their own.
constexpr std::array<const char*, 11> kCaptionForms = {
    "Lectora2Form1", "BibleForm1", "Dic_Form1",  "NoteForm1", "ListMessageForm1", "LogoForm1",
    "MsgForm1",      "Options",    "RangeForm1", "LinkForm1", "CDDriveForm1"};

struct TKeyUse {
  const char* Key;
  const char* UsedBy;
};

// Message keys: those the program asks Translate for today, and those the
// windows still to come ask for.
constexpr TKeyUse kMessageKeys[] = {
    {"BibleNotFound", "Bible window: a translation whose files are missing"},
    {"ChapterTooLong", "Bible window: a chapter of more than 200 verses"},
    {"SearchedWords", "list limit warning: the search history's name"},
    {"OpenedVerses", "list limit warning: the verse history's name"},
    {"there_are", "list limit warning"},
    {"elements_in", "list limit warning"},
    {"must_delete", "list limit warning"},
    {"CM1", "history lists: the count message, first half"},
    {"CM2", "history lists: the count message, second half"},
    {"ListHint1", "verse list hint: search results"},
    {"ListHint2", "verse list hint: cross references"},
    {"RefVers", "verse list title: cross references"},
    {"AppearIn", "copied verse lists: the header"},
    {"OnTopNotFound", "on-top viewer missing"},
    {"NewVer", "new-version check: still running"},
    {"CheckAgainLater", "new-version check: no answer yet"},
    {"NoNewVersion", "new-version check: none"},
    {"NewVesionPublished", "new-version check: found"},
    {"Dictionary", "dictionary window caption"},
    {"PictureNotFound", "picture window: no picture"},
    {"ComfIdel", "user links: delete question"},
    {"BibliataAudio", "audio: download question"},
    {"Options", "options dialog caption"},
    {"NoteForm1", "notes window caption"},
    {"Strong's Hebrew and Greek Dictionaries", "the Strong dictionary's title"},
    {"Nave's Topical Bible", "the Nave dictionary's title"},
};

struct TComponentUse {
  const char* Form;
  const char* Section;  // the form's own section, or "Hints"
  const char* Key;
};

// Component texts the windows built so far take from their caption files.
constexpr TComponentUse kComponentKeys[] = {
    {"Lectora2Form1", "Lectora2Form1", "Caption"},
    {"Lectora2Form1", "Lectora2Form1", "File1"},
    {"Lectora2Form1", "Lectora2Form1", "Bible1"},
    {"Lectora2Form1", "Lectora2Form1", "ViewWindow1"},
    {"Lectora2Form1", "Lectora2Form1", "Dictionary1"},
    {"Lectora2Form1", "Lectora2Form1", "NoteBook1"},
    {"Lectora2Form1", "Lectora2Form1", "Picture1"},
    {"Lectora2Form1", "Lectora2Form1", "Exit1"},
    {"Lectora2Form1", "Lectora2Form1", "Goto1"},
    {"Lectora2Form1", "Lectora2Form1", "Previous1"},
    {"Lectora2Form1", "Lectora2Form1", "Next1"},
    {"Lectora2Form1", "Lectora2Form1", "First2"},
    {"Lectora2Form1", "Lectora2Form1", "Last2"},
    {"Lectora2Form1", "Lectora2Form1", "Random1"},
    {"Lectora2Form1", "Lectora2Form1", "First1"},
    {"Lectora2Form1", "Lectora2Form1", "Last1"},
    {"Lectora2Form1", "Lectora2Form1", "BookMark2"},
    {"Lectora2Form1", "Lectora2Form1", "GotoBookMark1"},
    {"Lectora2Form1", "Lectora2Form1", "Range1"},
    {"Lectora2Form1", "Lectora2Form1", "Options1"},
    {"Lectora2Form1", "Lectora2Form1", "Windows1"},
    {"Lectora2Form1", "Lectora2Form1", "Tile2"},
    {"Lectora2Form1", "Lectora2Form1", "Tile3"},
    {"Lectora2Form1", "Lectora2Form1", "CloseAll1"},
    {"Lectora2Form1", "Lectora2Form1", "Help1"},
    {"Lectora2Form1", "Lectora2Form1", "ToolButton6"},
    {"Lectora2Form1", "Lectora2Form1", "SortByText"},
    {"Lectora2Form1", "Lectora2Form1", "SortByTime"},
    {"Lectora2Form1", "Lectora2Form1", "SortByPlace"},
    {"Lectora2Form1", "Lectora2Form1", "DeleteItem"},
    {"Lectora2Form1", "Lectora2Form1", "CountItems"},
    {"Lectora2Form1", "Hints", "GoBook"},
    {"Lectora2Form1", "Hints", "ToolBar1"},
    {"Lectora2Form1", "Hints", "ToolButton1"},
    {"Lectora2Form1", "Hints", "ToolButton2"},
    {"Lectora2Form1", "Hints", "ToolButton3"},
    {"Lectora2Form1", "Hints", "ToolButton4"},
    {"Lectora2Form1", "Hints", "ToolButton6"},
    {"Lectora2Form1", "Hints", "ToolButton11"},
    {"Lectora2Form1", "Hints", "ToolButton12"},
    {"Lectora2Form1", "Hints", "ToolButton15"},
    {"Lectora2Form1", "Hints", "BookBox"},
    {"Lectora2Form1", "Hints", "SpinEdit1"},
    {"Lectora2Form1", "Hints", "SpinEdit2"},
    {"Lectora2Form1", "Hints", "DblButton1Up"},
    {"Lectora2Form1", "Hints", "DblButton1Dn"},
    {"Lectora2Form1", "Hints", "DblButton2Up"},
    {"Lectora2Form1", "Hints", "DblButton2Dn"},
    {"Lectora2Form1", "Hints", "DblButton3Up"},
    {"Lectora2Form1", "Hints", "DblButton3Dn"},
    {"Lectora2Form1", "Hints", "HistoryBox"},
    {"Lectora2Form1", "Hints", "LargeListBox1"},
    {"Lectora2Form1", "Hints", "ListBox2"},
    {"Lectora2Form1", "Hints", "StatusLabel"},
    {"BibleForm1", "BibleForm1", "Copy1"},
    {"BibleForm1", "BibleForm1", "Translate1"},
    {"BibleForm1", "BibleForm1", "Navigate1"},
    {"BibleForm1", "BibleForm1", "Find1"},
    {"BibleForm1", "BibleForm1", "Picture1"},
    {"BibleForm1", "BibleForm1", "ActivateVerse1"},
    {"BibleForm1", "BibleForm1", "SelektVerse1"},
    {"BibleForm1", "BibleForm1", "SelectAll1"},
    {"BibleForm1", "BibleForm1", "AddBookmark1"},
    {"BibleForm1", "BibleForm1", "DeleteBookmark1"},
    {"MsgForm1", "MsgForm1", "Button1"},
    {"MsgForm1", "MsgForm1", "Button2"},
    {"CDDriveForm1", "CDDriveForm1", "Label1"},
    {"CDDriveForm1", "CDDriveForm1", "Button1"},
    {"CDDriveForm1", "CDDriveForm1", "Button2"},
    {"ListMessageForm1", "ListMessageForm1", "Label1"},
};

struct TItemSection {
  const char* Form;
  const char* Section;
  std::size_t Count;  // the item indices the program stores mean these rows
};

constexpr TItemSection kItemSections[] = {
    {"Options", "ComboBox1", 3},    // "Language" 0..2
    {"Options", "RadioGroup1", 2},  // "PanelAlign": 0 left, 1 right
    {"Options", "RadioGroup2", 2},  // "FoneticCyr": 0 BDS, 1 phonetic
    {"RangeForm1", "RadioGroup1", 4},  {"LinkForm1", "RadioGroup1", 3},
    {"Lectora2Form1", "ComboBox2", 3},  // "Order": any order, in this order, phrase
};

// "English/Options.txt", for messages.
std::string Where(const std::string& language, const std::string& file) {
  std::string where = language;
  where += '/';
  where += file;
  return where;
}

std::string PathOf(const std::string& language, const std::string& file) {
  return SourceDir() + "data/" + language + "/" + file;
}

// The lines of `text`, each ended by CR LF; `fault` names the first line
// that is not, or the first byte outside Windows-1251 or below a blank.
std::vector<std::string> Windows1251Lines(const std::string& text, std::string& fault) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size() && fault.empty()) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line =
        text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::string where = "line " + std::to_string(lines.size() + 1);
    if (end == std::string::npos) fault = where + " does not end in CR LF";
    for (std::size_t i = 0; i < line.size() && fault.empty(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      if (byte < 0x20 || byte == 0x7F || CodePageToUnicode(byte, 1251) == u'\uFFFD') {
        fault = where + ", column " + std::to_string(i + 1) + ": byte " + std::to_string(byte) +
                " is not a character of Windows-1251";
      }
    }
    lines.push_back(line);
    start = end == std::string::npos ? text.size() : end + 2;
  }
  if (text.empty()) fault = "empty or missing";
  return lines;
}

// "Messages.txt": its entries in file order.
struct TMessages {
  std::vector<std::pair<std::string, std::string>> Entries;
  std::string Fault;

  const std::string* Find(const std::string& key) const {
    for (const auto& entry : Entries) {
      if (LowerCase1251(entry.first) == LowerCase1251(key)) return &entry.second;
    }
    return nullptr;
  }
};

TMessages LoadMessages(const std::string& language) {
  TMessages messages;
  const std::vector<std::string> lines =
      Windows1251Lines(ReadFile(PathOf(language, "Messages.txt")), messages.Fault);
  std::set<std::string> seen;
  for (std::size_t i = 0; i < lines.size() && messages.Fault.empty(); ++i) {
    const std::size_t equals = lines[i].find('=');
    const std::string key = lines[i].substr(0, equals);
    if (equals == std::string::npos || key.empty()) {
      messages.Fault = "line " + std::to_string(i + 1) + " is not key=text";
    } else if (!seen.insert(LowerCase1251(key)).second) {
      messages.Fault = "line " + std::to_string(i + 1) + " repeats the key " + key;
    }
    messages.Entries.emplace_back(key, lines[i].substr(equals + 1));
  }
  return messages;
}

// A caption file as the program's INI reader sees it.
struct TCaptionFile {
  std::vector<std::string> Sections;
  std::map<std::string, std::vector<std::string>> Keys;  // by section, in file order
  std::map<std::string, std::map<std::string, std::string>> Values;
  std::string Fault;
};

// Every line a "[Section]" or "key=text" line: the reader skips anything
// else without a word, so a broken line would silently lose its text.
void CheckIniLines(const std::vector<std::string>& lines, std::size_t& sectionLines,
                   std::size_t& keyLines, std::string& fault) {
  for (std::size_t i = 0; i < lines.size() && fault.empty(); ++i) {
    const std::string& line = lines[i];
    if (!line.empty() && line.front() == '[' && line.back() == ']') {
      ++sectionLines;
    } else if (line.find('=') != std::string::npos && line.front() != '=' && line[0] != ';') {
      ++keyLines;
    } else {
      fault = "line " + std::to_string(i + 1) + " is neither [Section] nor key=text";
    }
  }
}

TCaptionFile LoadCaptionFile(const std::string& language, const std::string& form) {
  TCaptionFile file;
  const std::string path = PathOf(language, form + ".txt");
  const std::vector<std::string> lines = Windows1251Lines(ReadFile(path), file.Fault);
  std::size_t sectionLines = 0;
  std::size_t keyLines = 0;
  CheckIniLines(lines, sectionLines, keyLines, file.Fault);
  if (!file.Fault.empty()) return file;
  const TMyIniFile ini(path, true);
  file.Sections = ini.ReadSections();
  std::size_t keysRead = 0;
  for (const std::string& section : file.Sections) {
    file.Values[section];  // a section without keys is still there
    file.Keys[section] = ini.ReadSection(section);
    keysRead += file.Keys[section].size();
    for (const std::string& key : file.Keys[section]) {
      file.Values[section][key] = ini.ReadString(section, key, "");
    }
  }
  // A repeated section or key is read once: the second one's text is lost.
  if (file.Sections.size() != sectionLines || keysRead != keyLines) {
    file.Fault = "a section or key is repeated";
  }
  return file;
}

bool IsComponentName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

// The form's section and "Hints" are keyed by component names; any other
// section lists the items of a radio group or combo box.
bool IsItemSection(const std::string& form, const std::string& section) {
  return section != form && section != "Hints";
}

// ---- caption files ----

class LanguageFilesCaptionTest : public ::testing::TestWithParam<const char*> {
 protected:
  static std::map<std::string, TCaptionFile> LoadAll(const std::string& form) {
    std::map<std::string, TCaptionFile> files;
    for (const char* language : kLanguages) files[language] = LoadCaptionFile(language, form);
    return files;
  }
};

TEST_P(LanguageFilesCaptionTest, ReadsAsAnIniFileWithItsFormSectionFirst) {
  const std::string form = GetParam();
  for (const auto& [language, file] : LoadAll(form)) {
    SCOPED_TRACE(Where(language, form + ".txt"));
    ASSERT_EQ(file.Fault, "");
    ASSERT_FALSE(file.Sections.empty());
    EXPECT_EQ(file.Sections.front(), form);
    EXPECT_NE(file.Values.at(form).count("Caption"), 0U) << "no Caption: the window goes blank";
    EXPECT_NE(std::find(file.Sections.begin(), file.Sections.end(), "Hints"), file.Sections.end());
    for (const std::string& section : file.Sections) {
      if (IsItemSection(form, section)) {
        EXPECT_TRUE(IsComponentName(section)) << "item section [" << section << "]";
        continue;
      }
      for (const std::string& key : file.Keys.at(section)) {
        EXPECT_TRUE(IsComponentName(key)) << "[" << section << "] " << key;
      }
    }
  }
}

TEST_P(LanguageFilesCaptionTest, HoldsTheSameSectionsAndKeysInEveryLanguage) {
  const std::string form = GetParam();
  const std::map<std::string, TCaptionFile> files = LoadAll(form);
  const TCaptionFile& reference = files.at(kReference);
  ASSERT_EQ(reference.Fault, "");
  for (const auto& [language, file] : files) {
    SCOPED_TRACE(Where(language, form + ".txt"));
    ASSERT_EQ(file.Fault, "");
    ASSERT_EQ(file.Sections, reference.Sections);
    for (const std::string& section : file.Sections) {
      if (IsItemSection(form, section)) {
        // The items are the texts themselves; only their number must agree.
        EXPECT_EQ(file.Keys.at(section).size(), reference.Keys.at(section).size()) << section;
      } else {
        EXPECT_EQ(file.Keys.at(section), reference.Keys.at(section)) << section;
      }
    }
  }
}

TEST_P(LanguageFilesCaptionTest, HasATextWhereverTheBulgarianHasOne) {
  const std::string form = GetParam();
  const std::map<std::string, TCaptionFile> files = LoadAll(form);
  const TCaptionFile& reference = files.at(kReference);
  ASSERT_EQ(reference.Fault, "");
  for (const auto& [language, file] : files) {
    ASSERT_EQ(file.Fault, "") << language;
    for (const std::string& section : reference.Sections) {
      if (IsItemSection(form, section)) continue;
      for (const auto& [key, text] : reference.Values.at(section)) {
        if (text.empty()) continue;
        const auto& values = file.Values.at(section);
        const auto found = values.find(key);
        EXPECT_TRUE(found != values.end() && !found->second.empty())
            << language << "/" << form << ".txt [" << section << "] " << key;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, LanguageFilesCaptionTest, ::testing::ValuesIn(kCaptionForms),
                         [](const auto& info) { return std::string(info.param); });

TEST(LanguageFilesTest, EveryComponentTheWindowsNameHasItsText) {
  for (const char* language : kLanguages) {
    std::map<std::string, TCaptionFile> files;
    for (const TComponentUse& use : kComponentKeys) {
      if (files.count(use.Form) == 0) files[use.Form] = LoadCaptionFile(language, use.Form);
      const TCaptionFile& file = files.at(use.Form);
      ASSERT_EQ(file.Fault, "") << language << "/" << use.Form;
      const auto section = file.Values.find(use.Section);
      ASSERT_NE(section, file.Values.end()) << language << "/" << use.Form << " [" << use.Section;
      const auto text = section->second.find(use.Key);
      EXPECT_TRUE(text != section->second.end() && !text->second.empty())
          << language << "/" << use.Form << ".txt [" << use.Section << "] " << use.Key;
    }
  }
}

TEST(LanguageFilesTest, ItemListsHoldOneItemPerStoredIndex) {
  for (const char* language : kLanguages) {
    for (const TItemSection& items : kItemSections) {
      const TCaptionFile file = LoadCaptionFile(language, items.Form);
      ASSERT_EQ(file.Fault, "") << language << "/" << items.Form;
      const auto keys = file.Keys.find(items.Section);
      ASSERT_NE(keys, file.Keys.end()) << language << "/" << items.Form << " [" << items.Section;
      EXPECT_EQ(keys->second.size(), items.Count)
          << language << "/" << items.Form << ".txt [" << items.Section << "]";
    }
  }
}

// ---- the message table ----

TEST(LanguageFilesTest, MessageTablesHoldTheSameKeysInEveryLanguage) {
  const TMessages reference = LoadMessages(kReference);
  ASSERT_EQ(reference.Fault, "");
  for (const char* language : kLanguages) {
    const TMessages messages = LoadMessages(language);
    ASSERT_EQ(messages.Fault, "") << language << "/Messages.txt";
    ASSERT_EQ(messages.Entries.size(), reference.Entries.size()) << language;
    for (std::size_t i = 0; i < messages.Entries.size(); ++i) {
      EXPECT_EQ(messages.Entries[i].first, reference.Entries[i].first)
          << language << " line " << i + 1;
      if (!reference.Entries[i].second.empty()) {
        EXPECT_NE(messages.Entries[i].second, "") << language << ": " << messages.Entries[i].first;
      }
    }
  }
}

TEST(LanguageFilesTest, EveryMessageKeyTheProgramAsksForIsThere) {
  for (const char* language : kLanguages) {
    const TMessages messages = LoadMessages(language);
    ASSERT_EQ(messages.Fault, "") << language;
    for (const TKeyUse& use : kMessageKeys) {
      const std::string* text = messages.Find(use.Key);
      EXPECT_TRUE(text != nullptr && !text->empty())
          << language << "/Messages.txt lacks " << use.Key << " (" << use.UsedBy << ")";
    }
  }
}

TEST(LanguageFilesTest, EveryTranslationIsNamedByItsFolderKey) {
  for (const char* language : kLanguages) {
    const TMessages messages = LoadMessages(language);
    ASSERT_EQ(messages.Fault, "") << language;
    std::set<std::string> names;
    for (int number = 0; number < kTranslationCount; ++number) {
      const std::string key = TranslationInfo(number).Folder;  // "KJVSN\"
      const std::string* text = messages.Find(key);
      ASSERT_TRUE(text != nullptr && !text->empty()) << language << " lacks " << key;
      EXPECT_TRUE(names.insert(*text).second) << language << ": two translations named " << *text;
    }
  }
}

// ---- the masters ----

TEST(LanguageFilesTest, EveryFileIsWhatItsMasterGives) {
  for (const char* language : kLanguages) {
    std::vector<std::string> files = {"Messages"};
    files.insert(files.end(), kCaptionForms.begin(), kCaptionForms.end());
    for (const std::string& name : files) {
      const std::string file = name + ".txt";
      SCOPED_TRACE(std::string(language) + "/" + file + " (run scripts/gen-language-files)");
      const std::string master =
          ReadFile(SourceDir() + "data/languages-src/" + language + "/" + file);
      ASSERT_FALSE(master.empty());
      std::string expected;
      for (char c : master) {
        if (c == '\n') expected += '\r';
        expected += c;
      }
      std::string encoded;
      ASSERT_TRUE(Utf8ToCodePage(expected, 1251, encoded));
      EXPECT_TRUE(encoded == ReadFile(PathOf(language, file)));
    }
  }
}

}  // namespace
}  // namespace lectora
