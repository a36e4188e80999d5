#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "modules/ModuleCompiler.h"
#include "store/Bible.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "support/TestStore.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::TempDir;

constexpr int kCyrillic = 0;  // "ORT\", language 0, Windows-1251
constexpr int kEnglish = 9;   // "ASV\", language 5, Windows-1252

std::string GenericStandard() {
  std::string text;
  for (int b = 1; b <= TStandardStructure::kBooks; ++b) text += "1 30\n";
  return text;
}

class BibleTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TModuleCompiler::Compile(test::TestDataDir() + "module-en", dir_.File("ASV"), 5, false);
    TModuleCompiler::Compile(test::TestDataDir() + "module-ru", dir_.File("ORT"), 0, false);
    session_ = test::OpenStoreSession(dir_, GenericStandard());
  }

  TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
};

// Every verse of the source reads back, in the module's code page, at the
// number its reference gives.
TEST_F(BibleTextTest, EveryVerseOfTheSourceReadsBack) {
  const struct {
    int translation;
    const char* source;
    int codePage;
  } modules[] = {{kEnglish, "module-en", 1252}, {kCyrillic, "module-ru", 1251}};
  for (const auto& m : modules) {
    TBible bible(m.translation, session_->Context());
    std::istringstream lines(test::ReadFile(test::TestDataDir() + m.source + "/verses.tsv"));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      int book = 0, chapter = 0, verse = 0, used = 0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%d\t%d\t%d\t%n", &book, &chapter, &verse, &used), 3);
      std::string expected;
      ASSERT_TRUE(Utf8ToCodePage(line.substr(used), m.codePage, expected));
      std::string text;
      bible.GetVerse(bible.BookPosition[book], chapter, verse, text);
      EXPECT_EQ(text, expected) << m.source << " " << line;
    }
    EXPECT_EQ(count, bible.VerseTotal);
  }
}

TEST_F(BibleTextTest, VerseOneIsRecordZero) {
  TBible bible(kEnglish, session_->Context());
  TRFileStream stream(dir_.File("ASV/CompactPoint.bin"), OpenMode::Read,
                      dir_.File("ASV/CompactText.bin"));
  std::string record;
  stream.ReadString(0, record);
  std::string text;
  bible.ReadVerse(1, text);
  EXPECT_EQ(text, record);
  EXPECT_EQ(text, "In the beginning God created the heaven and the earth.");
  bible.GetVerse(1, 2, 1, text);
  EXPECT_EQ(text.substr(0, 2), "\xB6 ");  // the paragraph mark stays in the stored text
}

TEST_F(BibleTextTest, NumbersOutsideTheModuleGiveEmptyText) {
  TBible bible(kEnglish, session_->Context());
  for (int number : {0, -1, bible.VerseTotal + 1, 65535, 1 << 20}) {
    std::string text = "stale";
    bible.ReadVerse(number, text);
    EXPECT_EQ(text, "") << number;
  }
}

TEST_F(BibleTextTest, ReferenceTexts) {
  TBible english(kEnglish, session_->Context());
  TBible cyrillic(kCyrillic, session_->Context());
  const struct {
    const TBible* bible;
    int number;
    bool alt;
    std::string text;
  } cases[] = {
      {&english, 1, false, "Genesis 1:1"},
      {&english, 1, true, "Gen 1:1"},
      {&english, 4, false, "Genesis 2:1"},
      {&english, 5, false, "Genesis 2:2"},
      {&english, 6, true, "Exod 1:1"},
      {&english, 13, false, "Psalms 2:2"},
      {&english, english.VerseTotal, false, "Ezra 1:1"},
      {&english, 0, false, ""},
      {&english, english.VerseTotal + 1, false, ""},
      {&cyrillic, 1, false, "\xC1\xFB\xF2\xE8\xE5 1:1"},        // "Бытие 1:1"
      {&cyrillic, 9, false, "1 \xD6\xE0\xF0\xF1\xF2\xE2 1:1"},  // "1 Царств 1:1"
      {&cyrillic, 9, true, "1 \xD6\xE0\xF0 1:1"},
  };
  for (const auto& c : cases) {
    std::string text = "stale";
    c.bible->ReferenceText(c.number, c.alt, text);
    EXPECT_EQ(text, c.text) << c.number;
  }
}

TEST_F(BibleTextTest, MissingTextFilesGiveEmptyTextUntilTheyAppear) {
  TBible bible(kEnglish, session_->Context());
  const std::string data = dir_.File("ASV/CompactText.bin");
  std::filesystem::rename(data, data + ".away");
  std::string text = "stale";
  bible.ReadVerse(1, text);
  EXPECT_EQ(text, "");
  std::filesystem::rename(data + ".away", data);
  bible.ReadVerse(1, text);
  EXPECT_EQ(text, "In the beginning God created the heaven and the earth.");
}

// Reads every verse of a module whose files were damaged: a verse reads
// either whole and unchanged, or as empty, or fails with an error naming a
// module file; nothing else.
void ExpectDamageContained(const TBible& bible, const std::vector<std::string>& original,
                           int* whole, int* lost) {
  for (int n = 1; n <= bible.VerseTotal; ++n) {
    std::string text;
    try {
      bible.ReadVerse(n, text);
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File().rfind(bible.Path, 0), 0u) << error.what();
      ++*lost;
      continue;
    }
    if (text.empty()) {
      ++*lost;
    } else {
      EXPECT_EQ(text, original[n - 1]) << n;
      ++*whole;
    }
  }
}

TEST_F(BibleTextTest, TruncatedFilesNeverReadPastTheirEnd) {
  std::vector<std::string> original;
  {
    TBible bible(kEnglish, session_->Context());
    for (int n = 1; n <= bible.VerseTotal; ++n) {
      bible.ReadVerse(n, original.emplace_back());
    }
  }
  const struct {
    const char* file;
    double keep;  // share of the file kept
  } cuts[] = {{"CompactText.bin", 0.5},
              {"CompactText.bin", 0.0},
              {"CompactPoint.bin", 0.5},
              {"CompactPoint.bin", 0.1}};
  for (const auto& cut : cuts) {
    SCOPED_TRACE(std::string(cut.file) + " " + std::to_string(cut.keep));
    TempDir copy;
    std::filesystem::copy(dir_.File("ASV"), copy.File("ASV"));
    const std::string name = copy.File(std::string("ASV/") + cut.file);
    std::filesystem::resize_file(
        name, static_cast<std::uintmax_t>(std::filesystem::file_size(name) * cut.keep));
    TSettings settings(copy.Path(), "lectora", copy.File("config"));
    TStoreContext context = session_->Context();
    context.Settings = &settings;
    TBible bible(kEnglish, context);
    int whole = 0, lost = 0;
    ExpectDamageContained(bible, original, &whole, &lost);
    EXPECT_GT(lost, 0);
    EXPECT_EQ(whole + lost, bible.VerseTotal);
  }
}

TEST_F(BibleTextTest, OffsetsAndLengthsBeyondTheEndAreErrors) {
  std::vector<std::string> original;
  {
    TBible bible(kEnglish, session_->Context());
    for (int n = 1; n <= bible.VerseTotal; ++n) bible.ReadVerse(n, original.emplace_back());
  }
  const std::string index = dir_.File("ASV/CompactPoint.bin");
  const std::string data = dir_.File("ASV/CompactText.bin");
  std::string entries = test::ReadFile(index);
  std::string records = test::ReadFile(data);
  // Entry 1 points far beyond the data; record 2's length field runs past
  // the end of the file.
  entries.replace(4, 4, "\x00\x00\x00\x10", 4);
  const auto offset2 = static_cast<std::size_t>(static_cast<unsigned char>(entries[8]) |
                                                (static_cast<unsigned char>(entries[9]) << 8));
  records.replace(offset2, 2, "\xFF\xFF");
  test::WriteFile(index, entries);
  test::WriteFile(data, records);
  TBible bible(kEnglish, session_->Context());
  int whole = 0, lost = 0;
  ExpectDamageContained(bible, original, &whole, &lost);
  EXPECT_EQ(lost, 2);
  std::string text;
  EXPECT_THROW(bible.ReadVerse(3, text), LectoraError);
}

TEST_F(BibleTextTest, AWholeLongChapterReadsQuickly) {
  // One psalm of 176 verses.
  std::string verses;
  for (int v = 1; v <= 176; ++v) {
    verses += "22\t1\t" + std::to_string(v) +
              "\tBlessed are the undefiled in the way, who walk in the law of the LORD. " +
              std::to_string(v) + "\n";
  }
  test::WriteFile(dir_.File("long/books.tsv"), "22\tPsalms\tPsalms\tPs\n");
  test::WriteFile(dir_.File("long/verses.tsv"), verses);
  TModuleCompiler::Compile(dir_.File("long"), dir_.File("KJVSN"), 5, true);
  TBible bible(8, session_->Context());
  ASSERT_EQ(bible.VerseTotal, 176);
  std::string text;
  bible.ReadVerse(1, text);  // opens the files
  auto best = std::chrono::nanoseconds::max();
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int v = 1; v <= 176; ++v) bible.GetVerse(1, 1, v, text);
    best = std::min(best, std::chrono::steady_clock::now() - start);
  }
  EXPECT_EQ(text.substr(text.size() - 4), " 176");
  EXPECT_LT(best, std::chrono::microseconds(1000));
}

}  // namespace
}  // namespace lectora
