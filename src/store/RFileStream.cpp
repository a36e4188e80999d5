// Written by hand on BinaryFile because the layout is fixed to the byte:
//
//   data file:  i32 free-list head (-1 = none), then blocks
//   record:     u16 length L, L payload bytes, zeros up to 4 when L < 4
//   free block: u16 size F, i32 next free block (-1 ends), F - 4 unused bytes
//   index file: i32 block offset per record, -1 = no record
//
// All integers little-endian. Every block occupies 2 + max(size, 4) bytes, so
// the blocks tile the data file from offset 4 to its end; allocation and
// merging keep it that way. An end-of-file free block larger than a request
// by only 1..5 bytes is split anyway: its remainder becomes a 4-byte free
// block that extends the file by the few bytes it lacks, instead of leaving
// slack inside the record that nothing could ever reclaim.
#include "store/RFileStream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

#include "store/LectoraError.h"
#include "store/MessageService.h"

namespace lectora {

namespace {

constexpr std::int64_t kHeadSize = 4;
constexpr std::int64_t kLengthSize = 2;
constexpr std::int64_t kMinSpace = 4;  // room for a free-list link
constexpr std::int64_t kMinBlock = kLengthSize + kMinSpace;
constexpr std::int64_t kMaxSpace = std::numeric_limits<std::uint16_t>::max();
constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();
// One read brings the length field and the payload of a typical verse.
constexpr std::size_t kReadAhead = 512;
constexpr std::size_t kLineChunk = 256;
constexpr char kCarriageReturn = 13;
constexpr char kFreeListError[] = "Free space list error";

std::int64_t Space(std::int64_t length) { return std::max(length, kMinSpace); }

}  // namespace

TRFileStream::TRFileStream(const std::string& indexFileName, OpenMode mode,
                           const std::string& dataFileName, IMessageService* messages)
    : indexFileName_(indexFileName), dataFileName_(dataFileName), messages_(messages) {
  const OpenMode openMode = mode == OpenMode::Write ? OpenMode::ReadWrite : mode;
  try {
    index_ = std::make_unique<TLIFileStream>(indexFileName_, openMode);
  } catch (const std::exception&) {
    failed_ = true;
    return;  // no data file is created beside an index that is not there
  }
  try {
    if (openMode != OpenMode::Read && !BinaryFile::Exists(dataFileName_)) {
      BinaryFile::CreateIfMissing(dataFileName_, std::string(kHeadSize, '\xFF'));
    }
    data_ = std::make_unique<BinaryFile>(dataFileName_, openMode);
  } catch (const std::exception&) {
    failed_ = true;
  }
}

std::unique_ptr<TRFileStream> TRFileStream::CreateNamed(const std::string& fileName, OpenMode mode,
                                                        IMessageService* messages) {
  std::filesystem::path index(fileName);
  std::filesystem::path data(fileName);
  index.replace_extension(".ibp");
  data.replace_extension(".ibf");
  return std::make_unique<TRFileStream>(index.string(), mode, data.string(), messages);
}

std::int32_t TRFileStream::Count() const { return failed_ ? 0 : index_->Count(); }

void TRFileStream::ThrowDamaged(std::int32_t i, std::int64_t offset,
                                const std::string& what) const {
  throw LectoraError(
      dataFileName_, 0,
      "record " + std::to_string(i) + " at offset " + std::to_string(offset) + " " + what);
}

std::int64_t TRFileStream::RecordOffset(std::int32_t i) const {
  const std::int32_t entry = index_->ReadEntry(i);
  if (entry < 0) return -1;
  if (entry < kHeadSize) ThrowDamaged(i, entry, "lies inside the file head");
  return entry;
}

std::uint16_t TRFileStream::RecordLength(std::int32_t i) const {
  if (failed_) return 0;
  const std::int64_t offset = RecordOffset(i);
  if (offset < 0) return 0;
  std::uint8_t bytes[kLengthSize];
  if (data_->ReadAt(offset, bytes, sizeof bytes) < sizeof bytes) {
    ThrowDamaged(i, offset, "lies beyond the end of the file");
  }
  return GetLE16(bytes);
}

template <class Buffer>
void TRFileStream::ReadPayload(std::int32_t i, Buffer& out) const {
  out.clear();
  if (failed_) return;
  const std::int64_t offset = RecordOffset(i);
  if (offset < 0) return;
  std::uint8_t first[kLengthSize + kReadAhead];
  const std::size_t got = data_->ReadAt(offset, first, sizeof first);
  if (got < kLengthSize) ThrowDamaged(i, offset, "lies beyond the end of the file");
  const std::size_t length = GetLE16(first);
  const std::size_t inFirst = std::min(got - kLengthSize, length);
  out.resize(length);
  // An empty record has no buffer to copy into (data() may be null).
  if (inFirst > 0) std::memcpy(out.data(), first + kLengthSize, inFirst);
  if (inFirst == length) return;
  const std::size_t rest = length - inFirst;
  if (got < sizeof first || data_->ReadAt(offset + kLengthSize + static_cast<std::int64_t>(inFirst),
                                          out.data() + inFirst, rest) < rest) {
    out.clear();
    ThrowDamaged(i, offset, "runs past the end of the file");
  }
}

std::vector<std::uint8_t> TRFileStream::ReadRecord(std::int32_t i) const {
  std::vector<std::uint8_t> payload;
  ReadPayload(i, payload);
  return payload;
}

void TRFileStream::ReadString(std::int32_t i, std::string& s) const { ReadPayload(i, s); }

void TRFileStream::ReadLine(std::int32_t i, std::string& s) const {
  s.clear();
  if (failed_) return;
  const std::int32_t entry = index_->ReadEntry(i);
  if (entry < 0) return;
  char chunk[kLineChunk];
  std::int64_t position = entry;
  for (;;) {
    const std::size_t got = data_->ReadAt(position, chunk, sizeof chunk);
    if (got == 0 && position == entry && entry > data_->Size()) {
      throw LectoraError(dataFileName_, 0,
                         "line " + std::to_string(i) + " at offset " + std::to_string(entry) +
                             " lies beyond the end of the file");
    }
    const void* cr = std::memchr(chunk, kCarriageReturn, got);
    if (cr != nullptr) {
      s.append(chunk, static_cast<std::size_t>(static_cast<const char*>(cr) - chunk));
      return;
    }
    s.append(chunk, got);
    if (got < sizeof chunk) return;  // the end of the file
    position += static_cast<std::int64_t>(got);
  }
}

std::int32_t TRFileStream::ReadLink(std::int64_t position) const {
  std::uint8_t bytes[4];
  if (data_->ReadAt(position, bytes, sizeof bytes) < sizeof bytes) return -1;
  return GetLE32(bytes);
}

void TRFileStream::WriteLink(std::int64_t position, std::int32_t value) {
  std::uint8_t bytes[4];
  PutLE32(bytes, value);
  data_->WriteAt(position, bytes, sizeof bytes);
}

void TRFileStream::DropDamagedList() {
  if (messages_ != nullptr) messages_->ShowMessage(kFreeListError);
  WriteLink(0, -1);
}

bool TRFileStream::ReadFreeBlock(std::int64_t offset, std::int64_t fileSize,
                                 std::unordered_set<std::int64_t>& seen, FreeBlock& block) const {
  if (offset < kHeadSize || offset > fileSize - kMinBlock) return false;
  if (!seen.insert(offset).second) return false;  // a cycle
  std::uint8_t bytes[kMinBlock];
  if (data_->ReadAt(offset, bytes, sizeof bytes) < sizeof bytes) return false;
  block.offset = offset;
  block.space = Space(GetLE16(bytes));
  block.next = GetLE32(bytes + kLengthSize);
  return offset + kLengthSize + block.space <= fileSize;
}

void TRFileStream::RequireWritable(std::int32_t i) const {
  if (failed_) throw LectoraError(dataFileName_, 0, "the record file could not be opened");
  if (data_->Mode() == OpenMode::Read) {
    throw LectoraError(dataFileName_, 0, "the record file is open for reading only");
  }
  if (i < 0) throw LectoraError(dataFileName_, 0, "invalid record number " + std::to_string(i));
}

std::int64_t TRFileStream::Allocate(std::uint16_t length) {
  const std::int64_t need = Space(length);
  std::int64_t fileSize = data_->Size();
  std::int64_t link = 0;  // where the offset of the block being looked at is stored
  if (fileSize >= kHeadSize) {
    std::unordered_set<std::int64_t> seen;
    for (std::int32_t cur = ReadLink(link); cur >= 0;) {
      FreeBlock block;
      if (!ReadFreeBlock(cur, fileSize, seen, block)) {
        DropDamagedList();
        link = 0;
        break;
      }
      const bool atEnd = block.offset + kLengthSize + block.space == fileSize;
      if (block.space == need || block.space - need >= kMinBlock || atEnd) {
        if (need >= block.space) {
          WriteLink(link, block.next);  // taken whole; at the end it grows the file
        } else {
          const std::int64_t rest = block.offset + kLengthSize + need;
          std::uint8_t bytes[kMinBlock];
          PutLE16(bytes, static_cast<std::uint16_t>(
                             std::max(block.space - need - kLengthSize, kMinSpace)));
          PutLE32(bytes + kLengthSize, block.next);
          data_->WriteAt(rest, bytes, sizeof bytes);
          WriteLink(link, static_cast<std::int32_t>(rest));
        }
        return block.offset;
      }
      link = block.offset + kLengthSize;
      cur = block.next;
    }
  }
  // The end of the list (or a file too short for its head): the link read
  // last is made a proper end marker and the block goes after the data.
  WriteLink(link, -1);
  fileSize = data_->Size();
  if (fileSize + kLengthSize + need > kMaxOffset) {
    throw LectoraError(dataFileName_, 0, "the record file is full");
  }
  return fileSize;
}

void TRFileStream::DeleteRecord(std::int32_t i) {
  RequireWritable(i);
  const std::int64_t offset = RecordOffset(i);
  if (offset < 0) return;
  const std::int64_t length = RecordLength(i);
  const std::int64_t space = Space(length);
  const std::int64_t fileSize = data_->Size();
  if (offset + kLengthSize + space > fileSize) {
    ThrowDamaged(i, offset, "runs past the end of the file");
  }
  index_->WriteEntry(i, -1);
  if (length == 0) return;  // an empty record has no space worth reclaiming

  // One walk finds a free neighbour to merge with or, failing that, the tail
  // link to append to. Only the first neighbour met in list order merges.
  std::unordered_set<std::int64_t> seen;
  std::int64_t link = 0;
  for (std::int32_t cur = ReadLink(link); cur >= 0;) {
    FreeBlock block;
    const bool sound = ReadFreeBlock(cur, fileSize, seen, block);
    if (!sound || (block.offset < offset + kLengthSize + space &&
                   offset < block.offset + kLengthSize + block.space)) {
      // Damaged, or the record's space is already on the list: the list is
      // given up and restarts with this block.
      DropDamagedList();
      link = 0;
      break;
    }
    const std::int64_t merged = block.space + kLengthSize + space;
    if (block.offset + kLengthSize + block.space == offset && merged <= kMaxSpace) {
      std::uint8_t bytes[kLengthSize];
      PutLE16(bytes, static_cast<std::uint16_t>(merged));
      data_->WriteAt(block.offset, bytes, sizeof bytes);
      return;
    }
    if (block.offset == offset + kLengthSize + space && merged <= kMaxSpace) {
      std::uint8_t bytes[kMinBlock];
      PutLE16(bytes, static_cast<std::uint16_t>(merged));
      PutLE32(bytes + kLengthSize, block.next);
      data_->WriteAt(offset, bytes, sizeof bytes);
      WriteLink(link, static_cast<std::int32_t>(offset));
      return;
    }
    link = block.offset + kLengthSize;
    cur = block.next;
  }
  WriteLink(offset + kLengthSize, -1);
  WriteLink(link, static_cast<std::int32_t>(offset));
}

void TRFileStream::WriteRecord(std::int32_t i, const void* buffer, std::uint16_t length) {
  RequireWritable(i);
  DeleteRecord(i);
  if (length == 0) return;
  const std::int64_t offset = Allocate(length);
  std::vector<std::uint8_t> block(static_cast<std::size_t>(kLengthSize + Space(length)), 0);
  PutLE16(block.data(), length);
  std::memcpy(block.data() + kLengthSize, buffer, length);
  // The block is on disk before the index points at it.
  data_->WriteAt(offset, block.data(), block.size());
  index_->WriteEntry(i, static_cast<std::int32_t>(offset));
}

}  // namespace lectora
