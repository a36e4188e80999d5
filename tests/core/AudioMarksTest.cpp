// The verse marks of the chapter audio: the stretch each verse plays, the
// marks file read at a chapter's standard numbers, written back growing
// with -1 entries, the insert-a-record shift, the estimate from the text
// lengths, and damaged marks files.
#include "store/AudioMarks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/AudioMarksFile.h"
#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Entries(const std::vector<std::int32_t>& values) {
  std::string bytes;
  for (const std::int32_t value : values) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
  }
  return bytes;
}

std::vector<std::int32_t> Decode(const std::string& bytes) {
  std::vector<std::int32_t> values;
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(bytes[at + i]);
    values.push_back(static_cast<std::int32_t>(u));
  }
  return values;
}

// A chapter of 4 verses at standard numbers 11..14 (base 10) in a file of
// 10 s, loaded from `entries` (entry i of the marks file).
TAudioMarks LoadChapter(const TempDir& dir, const std::vector<std::int32_t>& entries,
                        TAudioMarks::TSource* source = nullptr) {
  WriteFile(dir.File("Audio/AudioMrk.bin"), Entries(entries));
  TAudioMarks marks;
  const TAudioMarks::TSource found = marks.Load(TAudioMarksFile(dir.File("Audio/AudioMrk.bin")), 10,
                                                4, 10000, {0, 10, 20, 30, 40});
  if (source != nullptr) *source = found;
  return marks;
}

std::vector<std::int32_t> Padded(std::vector<std::int32_t> tail) {
  std::vector<std::int32_t> entries(11, -1);
  entries.insert(entries.end(), tail.begin(), tail.end());
  return entries;
}

TEST(AudioMarksTest, StretchesOfExactMarks) {
  TempDir dir;
  TAudioMarks::TSource source{};
  const TAudioMarks marks = LoadChapter(dir, Padded({2500, 4000, 7000, 9000}), &source);
  EXPECT_EQ(source, TAudioMarks::TSource::File);
  const struct {
    int Verse;
    std::int64_t Start, End;
  } cases[] = {{1, 0, 2500}, {2, 2500, 4000}, {3, 4000, 7000}, {4, 7000, 9000}, {5, 9000, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(marks.Start(c.Verse), c.Start) << "verse " << c.Verse;
    EXPECT_EQ(marks.End(c.Verse, false), c.End) << "verse " << c.Verse;
  }
}

TEST(AudioMarksTest, MissingSmallerAndUnsetMarksPlayToTheEnd) {
  TempDir dir;
  // Verse 3 ends before it starts; verse 4 has no mark in a file too short.
  const TAudioMarks marks = LoadChapter(dir, Padded({2500, 4000, 3000}));
  EXPECT_EQ(marks.Start(1), 0);
  EXPECT_EQ(marks.End(3, false), -1);
  EXPECT_EQ(marks.Mark(4), -1);
  EXPECT_EQ(marks.End(4, false), -1);
  // A missing start begins at the start of the file rather than before it.
  EXPECT_EQ(marks.Start(5), 0);
  // In the editing mode a verse without a mark has no end.
  const TAudioMarks zero = LoadChapter(dir, Padded({2500, 0, 7000, 9000}));
  EXPECT_EQ(zero.End(2, true), -1);
  EXPECT_EQ(zero.End(2, false), -1);  // smaller than the verse before
  EXPECT_EQ(zero.End(3, true), 7000);
}

TEST(AudioMarksTest, NoMarkForTheFirstVerseOrReEstimateEstimates) {
  TempDir dir;
  TAudioMarks::TSource source{};
  const TAudioMarks marks = LoadChapter(dir, Padded({-1, 4000, 7000, 9000}), &source);
  EXPECT_EQ(source, TAudioMarks::TSource::Estimate);
  EXPECT_EQ(marks.Mark(1), 2500);
  EXPECT_EQ(marks.Mark(4), 10000);

  WriteFile(dir.File("m.bin"), Entries(Padded({2500, 4000, 7000, 9000})));
  TAudioMarks again;
  again.ReEstimate = true;
  EXPECT_EQ(again.Load(TAudioMarksFile(dir.File("m.bin")), 10, 4, 8000, {5, 5, 6, 7, 9}),
            TAudioMarks::TSource::Estimate);
  EXPECT_FALSE(again.ReEstimate);
  EXPECT_EQ(again.Mark(1), 0);
  EXPECT_EQ(again.Mark(2), 2000);
  EXPECT_EQ(again.Mark(3), 4000);
  EXPECT_EQ(again.Mark(4), 8000);
}

TEST(AudioMarksTest, EstimateFollowsTheTextLengths) {
  TAudioMarks marks;
  marks.Reset(3);
  marks.FileLength = 9000;
  // Headings of 12 characters, then verses of 30, 60 and 90 characters.
  ASSERT_TRUE(marks.Estimate({12, 42, 102, 192}));
  EXPECT_EQ(marks.Mark(0), 0);
  EXPECT_EQ(marks.Mark(1), 1500);
  EXPECT_EQ(marks.Mark(2), 4500);
  EXPECT_EQ(marks.Mark(3), 9000);
  // A window that shows fewer verses: the rest end at the end of the file.
  TAudioMarks longer;
  longer.Reset(4);
  longer.FileLength = 1000;
  ASSERT_TRUE(longer.Estimate({0, 50, 100}));
  EXPECT_EQ(longer.Mark(1), 500);
  EXPECT_EQ(longer.Mark(2), 1000);
  EXPECT_EQ(longer.Mark(4), 1000);
  // No text: no estimate, the marks stay.
  TAudioMarks empty;
  empty.Reset(2);
  empty.FileLength = 1000;
  EXPECT_FALSE(empty.Estimate({7, 7, 7}));
  EXPECT_FALSE(empty.Estimate({}));
  EXPECT_EQ(empty.Mark(1), -1);
  // A file of unknown length: no estimate, so no verse shrinks to nothing.
  empty.FileLength = 0;
  EXPECT_FALSE(empty.Estimate({0, 5, 9}));
  EXPECT_EQ(empty.Mark(1), -1);
  EXPECT_EQ(empty.End(1, false), -1);
}

TEST(AudioMarksTest, WriteBackGrowsTheFileWithMissingEntries) {
  TempDir dir;
  const TAudioMarksFile file(dir.File("Audio/AudioMrk.bin"));
  WriteFile(file.FileName(), Entries({7, 8}));
  TAudioMarks marks;
  marks.Reset(3);
  marks.ChapterBase = 4;
  marks.FileLength = 9000;
  marks.SetMark(1, 1000);
  marks.SetMark(2, 5000);
  marks.SetMark(3, 6000);
  EXPECT_TRUE(marks.Modified);
  marks.WriteBack(file);
  EXPECT_FALSE(marks.Modified);
  // The last verse ends no earlier than the file.
  EXPECT_EQ(Decode(ReadFile(file.FileName())),
            (std::vector<std::int32_t>{7, 8, -1, -1, -1, 1000, 5000, 9000}));
  // A missing file is created, its folder too.
  TAudioMarksFile fresh(dir.File("new/Audio/AudioMrk.bin"));
  fresh.Write(2, {3});
  EXPECT_EQ(Decode(ReadFile(fresh.FileName())), (std::vector<std::int32_t>{-1, -1, 3}));
}

TEST(AudioMarksTest, InsertARecordShiftsTheEntriesUpToTheLastOne) {
  TempDir dir;
  const TAudioMarksFile file(dir.File("AudioMrk.bin"));
  WriteFile(file.FileName(), Entries({10, 11, 12, 13, 14}));
  file.InsertRecord(2);
  std::vector<std::int32_t> entries = Decode(ReadFile(file.FileName()));
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(TAudioMarksFile::kLastShiftedEntry) + 1);
  EXPECT_EQ(std::vector<std::int32_t>(entries.begin(), entries.begin() + 7),
            (std::vector<std::int32_t>{10, 11, 12, 12, 13, 14, -1}));
  EXPECT_EQ(entries.back(), -1);
  // The old last entry is dropped; past it nothing moves.
  std::vector<std::int32_t> full(TAudioMarksFile::kLastShiftedEntry + 3);
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::int32_t>(i);
  WriteFile(file.FileName(), Entries(full));
  file.InsertRecord(37000);
  entries = Decode(ReadFile(file.FileName()));
  ASSERT_EQ(entries.size(), full.size());
  EXPECT_EQ(entries[37000], 37000);
  EXPECT_EQ(entries[37001], 37000);
  EXPECT_EQ(entries[37989], 37988);
  EXPECT_EQ(entries[37990], 37990);
  // Nothing is shifted from the last entry on.
  const std::string before = ReadFile(file.FileName());
  file.InsertRecord(TAudioMarksFile::kLastShiftedEntry);
  EXPECT_EQ(ReadFile(file.FileName()), before);
}

TEST(AudioMarksTest, DamagedMarksFiles) {
  TempDir dir;
  const std::string name = dir.File("AudioMrk.bin");
  std::vector<std::int32_t> entries;
  // Odd length: the partial last entry is missing.
  WriteFile(name, Entries({1, 2}) + std::string("\x05\x00\x00", 3));
  EXPECT_EQ(TAudioMarksFile(name).Read(0, 4, entries), TAudioMarksFile::TStatus::Read);
  EXPECT_EQ(entries, (std::vector<std::int32_t>{1, 2, -1, -1}));
  // Empty and missing files read as no marks.
  WriteFile(name, "");
  EXPECT_EQ(TAudioMarksFile(name).Read(3, 2, entries), TAudioMarksFile::TStatus::Read);
  EXPECT_EQ(entries, (std::vector<std::int32_t>{-1, -1}));
  EXPECT_EQ(TAudioMarksFile(dir.File("none.bin")).Read(0, 1, entries),
            TAudioMarksFile::TStatus::Missing);
  // Negative and decreasing entries of a chapter: each stretch stays in the file.
  const TAudioMarks marks = LoadChapter(dir, Padded({3000, -50, 2000, 12000}));
  EXPECT_EQ(marks.Start(3), 0);
  EXPECT_EQ(marks.End(2, false), -1);
  EXPECT_EQ(marks.End(3, false), 2000);
  EXPECT_EQ(marks.Start(5), 10000);
  EXPECT_EQ(marks.End(4, false), -1);
}

TEST(AudioMarksTest, AHundredMegabyteFileIsNeitherReadNorRewritten) {
  TempDir dir;
  const std::string name = dir.File("AudioMrk.bin");
  {
    std::ofstream out(name, std::ios::binary);
    out << Entries({500});
  }
  std::filesystem::resize_file(name, std::uintmax_t{100} << 20);
  std::vector<std::int32_t> entries;
  EXPECT_EQ(TAudioMarksFile(name).Read(0, 2, entries), TAudioMarksFile::TStatus::TooLarge);
  EXPECT_EQ(entries, (std::vector<std::int32_t>{-1, -1}));
  TAudioMarks marks;
  EXPECT_EQ(marks.Load(TAudioMarksFile(name), -1, 1, 4000, {0, 9}), TAudioMarks::TSource::Estimate);
  EXPECT_EQ(marks.Mark(1), 4000);
  EXPECT_THROW(TAudioMarksFile(name).Write(0, {1}), LectoraError);
  EXPECT_THROW(TAudioMarksFile(name).InsertRecord(0), LectoraError);
  EXPECT_EQ(std::filesystem::file_size(name), std::uintmax_t{100} << 20);
}

}  // namespace
}  // namespace lectora
