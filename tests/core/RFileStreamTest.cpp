#include "store/RFileStream.h"

#include <gtest/gtest.h>
#include <cstdio>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "store/LectoraError.h"
#include "support/TestSupport.h"

namespace lectora {
namespace {

using test::ReadFile;
using test::RecordingMessages;
using test::TempDir;
using test::WriteFile;

const std::string kEmptyHead(4, '\xFF');

std::string Le16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  std::string bytes;
  for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<char>((u >> (8 * k)) & 0xFF));
  return bytes;
}

// A record block as the stream lays it out.
std::string RecordBlock(const std::string& payload) {
  std::string block = Le16(static_cast<int>(payload.size())) + payload;
  if (payload.size() < 4) block.append(4 - payload.size(), '\0');
  return block;
}

std::string FreeBlock(int size, std::int32_t next) {
  return Le16(size) + Le32(next) + std::string(std::max(size, 4) - 4, '\0');
}

int At16(const std::string& bytes, std::size_t offset) {
  return static_cast<unsigned char>(bytes.at(offset)) |
         (static_cast<unsigned char>(bytes.at(offset + 1)) << 8);
}

std::int32_t At32(const std::string& bytes, std::size_t offset) {
  std::uint32_t u = 0;
  for (int k = 3; k >= 0; --k) u = (u << 8) | static_cast<unsigned char>(bytes.at(offset + k));
  return static_cast<std::int32_t>(u);
}

// Checks the data file's structure: the blocks tile it from offset 4 to its
// end, and every block is either a live record or on the free list, once.
void ExpectSoundLayout(const std::string& data, const std::string& index) {
  ASSERT_GE(data.size(), 4u);
  std::set<std::int64_t> starts;
  std::size_t pos = 4;
  while (pos + 2 <= data.size()) {
    starts.insert(static_cast<std::int64_t>(pos));
    pos += 2 + static_cast<std::size_t>(std::max(At16(data, pos), 4));
  }
  ASSERT_EQ(pos, data.size()) << "blocks do not tile the data file";
  std::set<std::int64_t> free;
  for (std::int32_t cur = At32(data, 0); cur >= 0; cur = At32(data, cur + 2)) {
    ASSERT_TRUE(starts.count(cur)) << "free block " << cur << " is not a block start";
    ASSERT_TRUE(free.insert(cur).second) << "free list cycles at " << cur;
  }
  std::set<std::int64_t> live;
  for (std::size_t i = 0; i + 4 <= index.size(); i += 4) {
    const std::int32_t offset = At32(index, i);
    if (offset < 0) continue;
    EXPECT_TRUE(starts.count(offset)) << "record " << i / 4 << " at " << offset;
    EXPECT_FALSE(free.count(offset)) << "record " << i / 4 << " lies in free space";
    EXPECT_TRUE(live.insert(offset).second) << "two records share " << offset;
  }
  EXPECT_EQ(free.size() + live.size(), starts.size()) << "space was lost";
}

class RFileStreamTest : public testing::Test {
 protected:
  std::string IndexName() const { return dir_.File("Text.idx"); }
  std::string DataName() const { return dir_.File("Text.dat"); }
  std::string Index() const { return ReadFile(IndexName()); }
  std::string Data() const { return ReadFile(DataName()); }
  std::unique_ptr<TRFileStream> Open(OpenMode mode = OpenMode::ReadWrite) {
    return std::make_unique<TRFileStream>(IndexName(), mode, DataName(), &messages_);
  }
  static void Write(TRFileStream& stream, std::int32_t i, const std::string& payload) {
    stream.WriteRecord(i, payload.data(), static_cast<std::uint16_t>(payload.size()));
  }
  static std::string Read(const TRFileStream& stream, std::int32_t i) {
    std::string s;
    stream.ReadString(i, s);
    return s;
  }

  TempDir dir_;
  RecordingMessages messages_;
};

TEST_F(RFileStreamTest, NewDataFileIsExactlyTheEmptyHead) {
  auto stream = Open();
  EXPECT_FALSE(stream->Failed());
  EXPECT_EQ(stream->Count(), 0);
  EXPECT_EQ(Data(), kEmptyHead);
  EXPECT_EQ(Index(), "");
}

TEST_F(RFileStreamTest, OneByteRecordIsPaddedToSixBytes) {
  auto stream = Open();
  Write(*stream, 0, "A");
  EXPECT_EQ(Data(), kEmptyHead + Le16(1) + std::string("A\0\0\0", 4));
  EXPECT_EQ(Index(), Le32(4));
  EXPECT_EQ(stream->RecordLength(0), 1);
  EXPECT_EQ(stream->ReadRecord(0), std::vector<std::uint8_t>{'A'});
}

TEST_F(RFileStreamTest, RecordTenIntoAnEmptyIndexPadsTheIndex) {
  auto stream = Open();
  Write(*stream, 10, "verse");
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += Le32(-1);
  EXPECT_EQ(Index(), expected + Le32(4));
  EXPECT_EQ(stream->Count(), 11);
  EXPECT_EQ(stream->RecordLength(3), 0);
  EXPECT_EQ(Read(*stream, 10), "verse");
}

TEST_F(RFileStreamTest, EqualSizeRewriteTakesTheFreedBlockWhole) {
  auto stream = Open();
  Write(*stream, 0, "0123456789");
  Write(*stream, 1, "abcdefghij");
  Write(*stream, 0, "ABCDEFGHIJ");
  EXPECT_EQ(Data(), kEmptyHead + RecordBlock("ABCDEFGHIJ") + RecordBlock("abcdefghij"));
  EXPECT_EQ(Index(), Le32(4) + Le32(16));
}

TEST_F(RFileStreamTest, ShorterRewriteSplitsTheFreedBlock) {
  auto stream = Open();
  Write(*stream, 0, "0123456789");
  Write(*stream, 1, "abcdefghij");
  Write(*stream, 0, "wxyz");
  EXPECT_EQ(Data(), Le32(10) + RecordBlock("wxyz") + FreeBlock(4, -1) + RecordBlock("abcdefghij"));
  EXPECT_EQ(Read(*stream, 0), "wxyz");
  ExpectSoundLayout(Data(), Index());
}

TEST_F(RFileStreamTest, BlockLargerByLessThanSixIsNotTakenInsideTheFile) {
  auto stream = Open();
  Write(*stream, 0, "0123456789");
  Write(*stream, 1, "abcdefghij");
  Write(*stream, 0, "1234567");
  const std::string data = Data();
  EXPECT_EQ(At32(data, 0), 4);  // the old block stays free
  EXPECT_EQ(At32(Index(), 0), 28);
  EXPECT_EQ(data.size(), 28u + 2 + 7);
  EXPECT_EQ(Read(*stream, 0), "1234567");
  ExpectSoundLayout(data, Index());
}

TEST_F(RFileStreamTest, AdjacentDeletesMergeIntoOneBlockInEitherOrder) {
  for (const auto& order : {std::vector<int>{0, 1}, std::vector<int>{1, 0}}) {
    SCOPED_TRACE(order[0]);
    TempDir dir;
    TRFileStream stream(dir.File("a.idx"), OpenMode::ReadWrite, dir.File("a.dat"), &messages_);
    for (int i = 0; i < 3; ++i) Write(stream, i, std::string(8, static_cast<char>('A' + i)));
    for (int i : order) stream.DeleteRecord(i);
    const std::string data = ReadFile(dir.File("a.dat"));
    EXPECT_EQ(data.substr(0, 10), Le32(4) + Le16(8 + 2 + 8) + Le32(-1));
    EXPECT_EQ(ReadFile(dir.File("a.idx")), Le32(-1) + Le32(-1) + Le32(24));
    ExpectSoundLayout(data, ReadFile(dir.File("a.idx")));
    // The merged block fits an 18-byte record exactly.
    Write(stream, 5, std::string(18, 'M'));
    EXPECT_EQ(At32(ReadFile(dir.File("a.idx")), 5 * 4), 4);
    EXPECT_EQ(At32(ReadFile(dir.File("a.dat")), 0), -1);
  }
}

TEST_F(RFileStreamTest, OnlyTheFirstNeighbourInListOrderMerges) {
  auto stream = Open();
  for (int i = 0; i < 4; ++i) Write(*stream, i, std::string(4, static_cast<char>('a' + i)));
  stream->DeleteRecord(0);  // block 4
  stream->DeleteRecord(2);  // block 16, appended at the tail
  stream->DeleteRecord(1);  // block 10 joins block 4 only
  const std::string data = Data();
  EXPECT_EQ(At32(data, 0), 4);
  EXPECT_EQ(At16(data, 4), 4 + 2 + 4);
  EXPECT_EQ(At32(data, 6), 16);
  EXPECT_EQ(At16(data, 16), 4);
  EXPECT_EQ(At32(data, 18), -1);
  ExpectSoundLayout(data, Index());
}

TEST_F(RFileStreamTest, MergeNeverExceedsTheSixteenBitSize) {
  auto stream = Open();
  Write(*stream, 0, std::string(65530, 'x'));
  Write(*stream, 1, std::string(10, 'y'));
  Write(*stream, 2, "tail");
  stream->DeleteRecord(0);
  stream->DeleteRecord(1);
  const std::string data = Data();
  EXPECT_EQ(At32(data, 0), 4);
  EXPECT_EQ(At16(data, 4), 65530);
  EXPECT_EQ(At32(data, 6), 65536);
  EXPECT_EQ(At16(data, 65536), 10);
  ExpectSoundLayout(data, Index());
}

TEST_F(RFileStreamTest, FreedBlocksAreAppendedAndTakenFirstFitInListOrder) {
  auto stream = Open();
  Write(*stream, 0, "sixsix");      // 4..12
  Write(*stream, 1, "keep");        // 12..18
  Write(*stream, 2, "tententent");  // 18..30
  Write(*stream, 3, "keep");        // 30..36
  stream->DeleteRecord(2);
  stream->DeleteRecord(0);
  EXPECT_EQ(At32(Data(), 0), 18);
  EXPECT_EQ(At32(Data(), 20), 4);
  Write(*stream, 4, "SIXSIX");  // 18 is 4 too large to split: 4 fits exactly
  EXPECT_EQ(At32(Index(), 4 * 4), 4);
  EXPECT_EQ(At32(Data(), 20), -1);
  Write(*stream, 5, "four");  // splits 18
  EXPECT_EQ(At32(Index(), 5 * 4), 18);
  EXPECT_EQ(At32(Data(), 0), 24);
  EXPECT_EQ(Data().size(), 36u);
  ExpectSoundLayout(Data(), Index());
}

TEST_F(RFileStreamTest, EndOfFileBlockGrowsOrSplitsForAnySize) {
  struct Case {
    int freed;      // payload of the last record, then deleted
    int requested;  // payload written next
    std::int32_t head;
    std::size_t fileSize;
  };
  // Block at 10. Smaller: taken whole and the file grows. Larger by 1..5:
  // split, the 4-byte remainder extends the file. Larger by 6+: plain split.
  const Case cases[] = {
      {4, 8, -1, 20}, {10, 7, 19, 25}, {10, 9, 21, 27}, {10, 4, 16, 22}, {4, 4, -1, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.freed) + " then " + std::to_string(c.requested));
    TempDir dir;
    TRFileStream stream(dir.File("e.idx"), OpenMode::ReadWrite, dir.File("e.dat"), &messages_);
    Write(stream, 0, "keep");
    Write(stream, 1, std::string(static_cast<std::size_t>(c.freed), 'f'));
    stream.DeleteRecord(1);
    Write(stream, 2, std::string(static_cast<std::size_t>(c.requested), 'r'));
    const std::string data = ReadFile(dir.File("e.dat"));
    const std::string index = ReadFile(dir.File("e.idx"));
    EXPECT_EQ(At32(index, 8), 10);
    EXPECT_EQ(At32(data, 0), c.head);
    EXPECT_EQ(data.size(), c.fileSize);
    EXPECT_EQ(Read(stream, 2), std::string(static_cast<std::size_t>(c.requested), 'r'));
    ExpectSoundLayout(data, index);
  }
}

TEST_F(RFileStreamTest, RecordsOfAnySizeRoundTrip) {
  auto stream = Open();
  const std::vector<std::size_t> sizes = {1, 2, 3, 4, 5, 511, 512, 513, 514, 4000, 65535};
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    std::string payload(sizes[k], '\0');
    for (std::size_t j = 0; j < payload.size(); ++j) payload[j] = static_cast<char>(j * 7 + k);
    Write(*stream, static_cast<std::int32_t>(k), payload);
  }
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    const auto record = stream->ReadRecord(static_cast<std::int32_t>(k));
    ASSERT_EQ(record.size(), sizes[k]);
    EXPECT_EQ(stream->RecordLength(static_cast<std::int32_t>(k)), sizes[k]);
    for (std::size_t j = 0; j < record.size(); ++j) {
      ASSERT_EQ(record[j], static_cast<std::uint8_t>(j * 7 + k)) << k << " byte " << j;
    }
  }
  Write(*stream, 4, "");  // length 0 deletes
  EXPECT_EQ(stream->RecordLength(4), 0);
  EXPECT_EQ(At32(Index(), 16), -1);
  ExpectSoundLayout(Data(), Index());
}

TEST_F(RFileStreamTest, CreateNamedReplacesTheExtension) {
  const std::string folder = dir_.File("dict.v2/");
  WriteFile(folder + "placeholder", "");
  for (const char* name : {"Notes.txt", "Notes"}) {
    auto stream = TRFileStream::CreateNamed(folder + name, OpenMode::ReadWrite);
    EXPECT_FALSE(stream->Failed());
    EXPECT_EQ(stream->IndexFileName(), folder + "Notes.ibp");
    EXPECT_EQ(stream->DataFileName(), folder + "Notes.ibf");
  }
  EXPECT_EQ(ReadFile(folder + "Notes.ibf"), kEmptyHead);
  EXPECT_TRUE(BinaryFile::Exists(folder + "Notes.ibp"));
}

TEST_F(RFileStreamTest, StreamsThatCannotOpenAnswerEmpty) {
  struct Case {
    const char* name;
    bool indexExists;
    OpenMode mode;
  };
  for (const Case& c : {Case{"nothing, read", false, OpenMode::Read},
                        Case{"index only, read", true, OpenMode::Read}}) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.indexExists) WriteFile(dir.File("x.idx"), Le32(4));
    TRFileStream stream(dir.File("x.idx"), c.mode, dir.File("x.dat"));
    EXPECT_TRUE(stream.Failed());
    EXPECT_EQ(stream.Count(), 0);
    EXPECT_EQ(stream.RecordLength(0), 0);
    EXPECT_TRUE(stream.ReadRecord(0).empty());
    std::string s = "old";
    stream.ReadString(0, s);
    EXPECT_EQ(s, "");
    s = "old";
    stream.ReadLine(0, s);
    EXPECT_EQ(s, "");
    EXPECT_THROW(stream.WriteRecord(0, "x", 1), LectoraError);
    EXPECT_THROW(stream.DeleteRecord(0), LectoraError);
    EXPECT_FALSE(BinaryFile::Exists(dir.File("x.dat")));
  }
  // A write mode whose index cannot be made (a folder stands there).
  TRFileStream stream(dir_.Path(), OpenMode::ReadWrite, dir_.File("y.dat"));
  EXPECT_TRUE(stream.Failed());
  EXPECT_EQ(stream.Count(), 0);
  EXPECT_FALSE(BinaryFile::Exists(dir_.File("y.dat")));
}

TEST_F(RFileStreamTest, ReadOnlyStreamRefusesWritesAndKeepsTheFiles) {
  { Write(*Open(), 0, "text"); }
  const std::string data = Data();
  const std::string index = Index();
  auto stream = Open(OpenMode::Read);
  EXPECT_EQ(Read(*stream, 0), "text");
  EXPECT_THROW(Write(*stream, 0, "new"), LectoraError);
  EXPECT_THROW(stream->DeleteRecord(0), LectoraError);
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(Index(), index);
  auto writable = Open();
  EXPECT_THROW(Write(*writable, -1, "x"), LectoraError);
  EXPECT_EQ(Data(), data);
}

TEST_F(RFileStreamTest, WriteModeIsUsableForRecords) {
  {
    auto stream = Open(OpenMode::Write);
    Write(*stream, 0, "one");
    Write(*stream, 0, "two");
  }
  EXPECT_EQ(Read(*Open(OpenMode::Read), 0), "two");
}

struct LineCase {
  const char* name;
  std::int32_t entry;
  std::string expected;
};

class RFileStreamLineTest : public testing::TestWithParam<LineCase> {
 protected:
  static std::string Text() {
    return "short\r\n"                                   // 0
           "this line is longer than sixteen bytes\r\n"  // 7
           "\r\n" +                                      // 47
           std::string(700, 'w') +
           "\r\n" +                 // 49
           "last line without CR";  // 751
  }
};

TEST_P(RFileStreamLineTest, ReadsUpToTheCarriageReturnOrTheEnd) {
  TempDir dir;
  WriteFile(dir.File("WordList.txt"), Text());
  std::string index;
  for (std::int32_t offset : {0, 7, 47, 49, 751, -1, 761, 771}) index += Le32(offset);
  WriteFile(dir.File("WordPoint.bin"), index);
  TRFileStream stream(dir.File("WordPoint.bin"), OpenMode::Read, dir.File("WordList.txt"));
  ASSERT_FALSE(stream.Failed());
  std::string line = "previous";
  stream.ReadLine(GetParam().entry, line);
  EXPECT_EQ(line, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RFileStreamLineTest,
    testing::Values(LineCase{"short", 0, "short"},
                    LineCase{"longerThanSixteen", 1, "this line is longer than sixteen bytes"},
                    LineCase{"empty", 2, ""},
                    LineCase{"longerThanAChunk", 3, std::string(700, 'w')},
                    LineCase{"lastWithoutCR", 4, "last line without CR"},
                    LineCase{"noEntryValue", 5, ""}, LineCase{"midLine", 6, "without CR"},
                    LineCase{"atTheEnd", 7, ""}, LineCase{"beyondTheIndex", 8, ""},
                    LineCase{"negativeNumber", -3, ""}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(RFileStreamLineErrorTest, OffsetBeyondTheEndThrows) {
  TempDir dir;
  WriteFile(dir.File("w.txt"), "abc\r\n");
  WriteFile(dir.File("w.idx"), Le32(0) + Le32(6));
  TRFileStream stream(dir.File("w.idx"), OpenMode::Read, dir.File("w.txt"));
  std::string line;
  try {
    stream.ReadLine(1, line);
    FAIL() << "read a line beyond the end";
  } catch (const LectoraError& error) {
    EXPECT_EQ(error.File(), dir.File("w.txt"));
    EXPECT_NE(error.Message().find("line 1"), std::string::npos) << error.Message();
  }
}

struct DamagedRecordCase {
  const char* name;
  std::string data;
  std::int32_t offset;
  int length;  // what RecordLength answers, -1 when it throws too
};

class RFileStreamDamagedRecordTest : public testing::TestWithParam<DamagedRecordCase> {};

TEST_P(RFileStreamDamagedRecordTest, ReadsThrowNamingTheFileAndTheRecord) {
  const DamagedRecordCase& c = GetParam();
  TempDir dir;
  WriteFile(dir.File("d.dat"), c.data);
  WriteFile(dir.File("d.idx"), Le32(4) + Le32(c.offset));
  for (OpenMode mode : {OpenMode::Read, OpenMode::ReadWrite}) {
    TRFileStream stream(dir.File("d.idx"), mode, dir.File("d.dat"));
    ASSERT_FALSE(stream.Failed());
    try {
      stream.ReadRecord(1);
      FAIL() << "read a damaged record";
    } catch (const LectoraError& error) {
      EXPECT_EQ(error.File(), dir.File("d.dat"));
      EXPECT_NE(error.Message().find("record 1"), std::string::npos) << error.Message();
    }
    std::string s;
    EXPECT_THROW(stream.ReadString(1, s), LectoraError);
    if (c.length < 0) {
      EXPECT_THROW(stream.RecordLength(1), LectoraError);
    } else {
      EXPECT_EQ(stream.RecordLength(1), c.length);
    }
    EXPECT_EQ(stream.ReadRecord(0), (std::vector<std::uint8_t>{'g', 'o', 'o', 'd'}));
  }
  // Deleting or rewriting it changes nothing on disk.
  TRFileStream stream(dir.File("d.idx"), OpenMode::ReadWrite, dir.File("d.dat"));
  EXPECT_THROW(stream.DeleteRecord(1), LectoraError);
  EXPECT_THROW(stream.WriteRecord(1, "new", 3), LectoraError);
  EXPECT_EQ(ReadFile(dir.File("d.dat")), c.data);
  EXPECT_EQ(ReadFile(dir.File("d.idx")), Le32(4) + Le32(c.offset));
}

const std::string kGood = kEmptyHead + RecordBlock("good");

INSTANTIATE_TEST_SUITE_P(
    Cases, RFileStreamDamagedRecordTest,
    testing::Values(DamagedRecordCase{"offsetBeyondTheEnd", kGood, 1000, -1},
                    DamagedRecordCase{"offsetAtTheEnd", kGood, 10, -1},
                    DamagedRecordCase{"lengthFieldCut", kGood + "\x05", 10, -1},
                    DamagedRecordCase{"insideTheHead", kGood, 2, -1},
                    DamagedRecordCase{"payloadCut", kGood + Le16(50) + "abc", 10, 50},
                    DamagedRecordCase{"longPayloadCut", kGood + Le16(1000) + std::string(600, 'p'),
                                      10, 1000}),
    [](const testing::TestParamInfo<DamagedRecordCase>& info) { return info.param.name; });

TEST_F(RFileStreamTest, EntriesBeyondTheIndexReadAsNoRecord) {
  auto stream = Open();
  Write(*stream, 0, "only");
  EXPECT_EQ(stream->RecordLength(1), 0);
  EXPECT_EQ(stream->RecordLength(-1), 0);
  EXPECT_TRUE(stream->ReadRecord(99).empty());
  EXPECT_EQ(Read(*stream, 1), "");
  const std::string data = Data();
  stream->DeleteRecord(7);  // nothing to free, nothing written
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(stream->Count(), 1);
}

TEST_F(RFileStreamTest, RecordWithoutPaddingAtTheEndStillReads) {
  WriteFile(DataName(), kEmptyHead + Le16(1) + "Z");
  WriteFile(IndexName(), Le32(4));
  EXPECT_EQ(Read(*Open(OpenMode::Read), 0), "Z");
}

// Data file with records 0, 2, 3, 1 and free blocks at 16 and 28 between
// them, so that neither a freed record 0 nor a new 5-byte record finds a
// neighbour or a fit and both walk the whole list.
struct FreeListCase {
  const char* name;
  std::int32_t head;
  int sizeAt16;
  std::int32_t nextAt16;
  std::int32_t nextAt28;
  bool damaged;
};

class RFileStreamFreeListTest : public testing::TestWithParam<FreeListCase> {
 protected:
  void SetUp() override {
    const FreeListCase& c = GetParam();
    WriteFile(dir_.File("f.dat"), Le32(c.head) + RecordBlock("rec0") + RecordBlock("rec2") +
                                      Le16(c.sizeAt16) + Le32(c.nextAt16) + RecordBlock("rec3") +
                                      FreeBlock(4, c.nextAt28) + RecordBlock("rec1"));
    WriteFile(dir_.File("f.idx"), Le32(4) + Le32(34) + Le32(10) + Le32(22));
  }
  std::unique_ptr<TRFileStream> Open(IMessageService* messages) {
    return std::make_unique<TRFileStream>(dir_.File("f.idx"), OpenMode::ReadWrite,
                                          dir_.File("f.dat"), messages);
  }
  void ExpectRecordsIntact(const TRFileStream& stream, bool withRecord0) {
    std::string s;
    for (int i = withRecord0 ? 0 : 1; i < 4; ++i) {
      stream.ReadString(i, s);
      EXPECT_EQ(s, "rec" + std::to_string(i));
    }
  }

  TempDir dir_;
};

TEST_P(RFileStreamFreeListTest, AllocationRepairsADamagedList) {
  for (bool withMessages : {true, false}) {
    SetUp();
    RecordingMessages messages;
    auto stream = Open(withMessages ? &messages : nullptr);
    stream->WriteRecord(4, "hello", 5);
    const std::string data = ReadFile(dir_.File("f.dat"));
    EXPECT_EQ(At32(ReadFile(dir_.File("f.idx")), 16), 40);  // after the old end
    EXPECT_EQ(data.size(), 40u + 2 + 5);
    if (GetParam().damaged) {
      EXPECT_EQ(At32(data, 0), -1);
      EXPECT_EQ(messages.Messages,
                std::vector<std::string>(withMessages ? 1 : 0, "Free space list error"));
    } else {
      EXPECT_EQ(At32(data, 0), 16);
      EXPECT_TRUE(messages.Messages.empty());
      ExpectSoundLayout(data, ReadFile(dir_.File("f.idx")));
    }
    ExpectRecordsIntact(*stream, true);
    std::string s;
    stream->ReadString(4, s);
    EXPECT_EQ(s, "hello");
  }
}

TEST_P(RFileStreamFreeListTest, FreeingRepairsADamagedList) {
  for (bool withMessages : {true, false}) {
    SetUp();
    RecordingMessages messages;
    auto stream = Open(withMessages ? &messages : nullptr);
    stream->DeleteRecord(0);
    const std::string data = ReadFile(dir_.File("f.dat"));
    EXPECT_EQ(data.size(), 40u);
    EXPECT_EQ(At32(ReadFile(dir_.File("f.idx")), 0), -1);
    EXPECT_EQ(At32(data, 6), -1);
    if (GetParam().damaged) {
      EXPECT_EQ(At32(data, 0), 4);  // the list restarts at the freed block
      EXPECT_EQ(messages.Messages.size(), withMessages ? 1u : 0u);
    } else {
      EXPECT_EQ(At32(data, 0), 16);
      EXPECT_EQ(At32(data, 30), 4);  // appended at the tail
      EXPECT_TRUE(messages.Messages.empty());
      ExpectSoundLayout(data, ReadFile(dir_.File("f.idx")));
    }
    ExpectRecordsIntact(*stream, false);
    // The repaired list is usable: two more records never overlap old ones.
    stream->WriteRecord(5, "abcd", 4);
    stream->WriteRecord(6, "efgh", 4);
    ExpectRecordsIntact(*stream, false);
    std::string s;
    stream->ReadString(5, s);
    EXPECT_EQ(s, "abcd");
    stream->ReadString(6, s);
    EXPECT_EQ(s, "efgh");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RFileStreamFreeListTest,
                         testing::Values(FreeListCase{"sound", 16, 4, 28, -1, false},
                                         FreeListCase{"selfCycle", 16, 4, 16, -1, true},
                                         FreeListCase{"twoBlockCycle", 16, 4, 28, 16, true},
                                         FreeListCase{"linkBeyondTheEnd", 16, 4, 1000, -1, true},
                                         FreeListCase{"linkTooCloseToTheEnd", 16, 4, 37, -1, true},
                                         FreeListCase{"headBeyondTheEnd", 5000, 4, -1, -1, true},
                                         FreeListCase{"headInsideTheHead", 2, 4, -1, -1, true},
                                         FreeListCase{"linkIntoTheHead", 16, 4, 0, -1, true},
                                         FreeListCase{"sizeBeyondTheEnd", 16, 100, 28, -1, true}),
                         [](const testing::TestParamInfo<FreeListCase>& info) {
                           return info.param.name;
                         });

TEST_F(RFileStreamTest, FreeingARecordAlreadyOnTheListDoesNotMakeACycle) {
  WriteFile(DataName(), Le32(4) + FreeBlock(4, -1) + RecordBlock("last"));
  WriteFile(IndexName(), Le32(4) + Le32(10));
  auto stream = Open();
  stream->DeleteRecord(0);
  EXPECT_EQ(messages_.Messages.size(), 1u);
  EXPECT_EQ(At32(Data(), 0), 4);
  EXPECT_EQ(At32(Data(), 6), -1);
  ExpectSoundLayout(Data(), Index());
}

TEST_F(RFileStreamTest, ShortDataFileGetsItsHeadBeforeTheFirstRecord) {
  WriteFile(DataName(), "\xFF\xFF");
  WriteFile(IndexName(), "");
  auto stream = Open();
  Write(*stream, 0, "new");
  EXPECT_EQ(Data(), kEmptyHead + RecordBlock("new"));
  EXPECT_EQ(Index(), Le32(4));
}

TEST_F(RFileStreamTest, RandomWritesAndDeletesMatchAModel) {
  std::mt19937 random(20240611);
  std::map<std::int32_t, std::string> model;
  auto stream = Open();
  constexpr std::int32_t kSlots = 40;
  for (int step = 0; step < 3000; ++step) {
    const auto i = static_cast<std::int32_t>(random() % kSlots);
    const unsigned kind = random() % 10;
    if (kind < 3) {
      stream->DeleteRecord(i);
      model.erase(i);
    } else {
      const std::size_t length = kind < 8 ? random() % 24 : random() % 700;
      std::string payload(length, '\0');
      for (char& ch : payload) ch = static_cast<char>(random());
      Write(*stream, i, payload);
      if (length == 0) {
        model.erase(i);
      } else {
        model[i] = payload;
      }
    }
    ASSERT_EQ(Read(*stream, i), model.count(i) ? model[i] : "") << "step " << step;
    if (step % 250 == 0) {
      ASSERT_NO_FATAL_FAILURE(ExpectSoundLayout(Data(), Index())) << "step " << step;
    }
  }
  EXPECT_TRUE(messages_.Messages.empty());
  ExpectSoundLayout(Data(), Index());
  stream = Open(OpenMode::Read);
  for (std::int32_t i = 0; i < kSlots; ++i) {
    EXPECT_EQ(Read(*stream, i), model.count(i) ? model[i] : "") << i;
  }
}

// Read-only files are mapped; a module rebuilt meanwhile is renamed into
// place, so the open file keeps reading what it had, to its old end.
TEST(BinaryFileTest, ReadOnlyFileKeepsItsBytesWhenReplacedByRename) {
  test::TempDir dir;
  test::WriteFile(dir.File("a.bin"), "first version");
  BinaryFile file(dir.File("a.bin"), OpenMode::Read);
  test::WriteFile(dir.File("b.bin"), "the second, longer version");
  ASSERT_EQ(std::rename(dir.File("b.bin").c_str(), dir.File("a.bin").c_str()), 0);
  char buffer[64] = {};
  EXPECT_EQ(file.Size(), 13);
  EXPECT_EQ(file.ReadAt(6, buffer, sizeof buffer), 7u);
  EXPECT_EQ(std::string(buffer, 7), "version");
  EXPECT_EQ(file.ReadAt(13, buffer, 1), 0u);
  EXPECT_EQ(file.ReadAt(-1, buffer, 1), 0u);
}

TEST(BinaryFileTest, EmptyReadOnlyFileReadsNothing) {
  test::TempDir dir;
  test::WriteFile(dir.File("empty.bin"), "");
  BinaryFile file(dir.File("empty.bin"), OpenMode::Read);
  char byte = 'x';
  EXPECT_EQ(file.Size(), 0);
  EXPECT_EQ(file.ReadAt(0, &byte, 1), 0u);
  EXPECT_EQ(byte, 'x');
}

}  // namespace
}  // namespace lectora
