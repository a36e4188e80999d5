#include "store/LIFileStream.h"

#include <gtest/gtest.h>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

TEST(LIFileStreamTest, WriteModesCreateAMissingFileReadModeThrows) {
  for (OpenMode mode : {OpenMode::Write, OpenMode::ReadWrite}) {
    TempDir dir;
    TLIFileStream stream(dir.File("index.bin"), mode);
    EXPECT_TRUE(BinaryFile::Exists(dir.File("index.bin")));
    EXPECT_EQ(stream.Count(), 0);
  }
  TempDir dir;
  try {
    TLIFileStream stream(dir.File("missing.bin"), OpenMode::Read);
    FAIL() << "opened a missing file";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File("missing.bin"));
  }
  EXPECT_FALSE(BinaryFile::Exists(dir.File("missing.bin")));
}

TEST(LIFileStreamTest, OpeningAFolderThrows) {
  TempDir dir;
  EXPECT_THROW(TLIFileStream(dir.Path(), OpenMode::Read), LectoraError);
  EXPECT_THROW(TLIFileStream(dir.Path(), OpenMode::ReadWrite), LectoraError);
}

struct ReadCase {
  const char* name;
  std::string file;
  std::int32_t entry;
  std::int32_t expected;
  std::int32_t count;
};

class LIFileStreamReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(LIFileStreamReadTest, ReadsLittleEndianEntries) {
  TempDir dir;
  WriteFile(dir.File("index.bin"), GetParam().file);
  TLIFileStream stream(dir.File("index.bin"), OpenMode::Read);
  EXPECT_EQ(stream.ReadEntry(GetParam().entry), GetParam().expected);
  EXPECT_EQ(stream.Count(), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LIFileStreamReadTest,
    testing::Values(ReadCase{"first", Bytes({4, 3, 2, 1, 0xFF, 0xFF, 0xFF, 0xFF}), 0, 0x01020304,
                             2},
                    ReadCase{"minusOne", Bytes({4, 3, 2, 1, 0xFF, 0xFF, 0xFF, 0xFF}), 1, -1, 2},
                    ReadCase{"negativeValue", Bytes({0xFE, 0xFF, 0xFF, 0x80}), 0, -2130706434, 1},
                    ReadCase{"beyondTheEnd", Bytes({1, 0, 0, 0}), 1, -1, 1},
                    ReadCase{"negativeIndex", Bytes({1, 0, 0, 0}), -1, -1, 1},
                    ReadCase{"partialEntry", Bytes({1, 0, 0, 0, 7, 0}), 1, -1, 1},
                    ReadCase{"emptyFile", std::string(), 0, -1, 0}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(LIFileStreamTest, WritingBeyondTheEndPadsWithMinusOne) {
  TempDir dir;
  TLIFileStream stream(dir.File("index.bin"), OpenMode::ReadWrite);
  stream.WriteEntry(10, 0x00001234);
  std::string expected(40, '\xFF');
  expected += Bytes({0x34, 0x12, 0, 0});
  EXPECT_EQ(ReadFile(dir.File("index.bin")), expected);
  EXPECT_EQ(stream.Count(), 11);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(stream.ReadEntry(i), -1) << i;
  EXPECT_EQ(stream.ReadEntry(10), 0x1234);
}

TEST(LIFileStreamTest, OverwritesInPlaceWithoutGrowing) {
  TempDir dir;
  WriteFile(dir.File("index.bin"), Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
  TLIFileStream stream(dir.File("index.bin"), OpenMode::ReadWrite);
  stream.WriteEntry(1, -1);
  stream.WriteEntry(3, -7);
  EXPECT_EQ(ReadFile(dir.File("index.bin")),
            Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0xF9, 0xFF, 0xFF, 0xFF}));
}

TEST(LIFileStreamTest, PartialTrailingEntryIsReplacedByPadding) {
  TempDir dir;
  WriteFile(dir.File("index.bin"), Bytes({5, 0, 0, 0, 9, 9}));
  TLIFileStream stream(dir.File("index.bin"), OpenMode::ReadWrite);
  stream.WriteEntry(2, 8);
  EXPECT_EQ(ReadFile(dir.File("index.bin")),
            Bytes({5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 8, 0, 0, 0}));
}

TEST(LIFileStreamTest, InvalidWritesThrowAndChangeNothing) {
  TempDir dir;
  WriteFile(dir.File("index.bin"), Bytes({5, 0, 0, 0}));
  {
    TLIFileStream stream(dir.File("index.bin"), OpenMode::Read);
    EXPECT_THROW(stream.WriteEntry(0, 1), LectoraError);
  }
  TLIFileStream stream(dir.File("index.bin"), OpenMode::ReadWrite);
  EXPECT_THROW(stream.WriteEntry(-1, 1), LectoraError);
  EXPECT_EQ(ReadFile(dir.File("index.bin")), Bytes({5, 0, 0, 0}));
}

TEST(LIFileStreamTest, WriteOnlyModeWritesEntries) {
  TempDir dir;
  {
    TLIFileStream stream(dir.File("index.bin"), OpenMode::Write);
    stream.WriteEntry(1, 2);
  }
  EXPECT_EQ(ReadFile(dir.File("index.bin")), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}));
}

}  // namespace
}  // namespace lectora
