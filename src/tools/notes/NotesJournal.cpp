#include "tools/notes/NotesJournal.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "store/AtomicFile.h"
#include "store/BinaryFile.h"
#include "store/LIFileStream.h"
#include "store/LectoraError.h"
#include "store/RFileStream.h"
#include "tools/notes/NoteFiles.h"

namespace lectora {

namespace {

constexpr char kMagic[] = "LNJ1";
constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kFixedSize = kMagicSize + 4 + 1 + 4 + 4;
constexpr std::int64_t kHeadSize = 4;
constexpr std::int64_t kMinSpace = 4;

std::uint32_t Fnv1a(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

void Append32(std::string& out, std::uint32_t value) {
  std::uint8_t bytes[4];
  PutLE32(bytes, static_cast<std::int32_t>(value));
  out.append(reinterpret_cast<const char*>(bytes), 4);
}

std::uint32_t Get32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(
      GetLE32(reinterpret_cast<const std::uint8_t*>(bytes.data() + at)));
}

struct TBlock {
  std::int64_t Start;
  std::int64_t End;
};

// The blocks of the live records other than `except`, sorted by start,
// with the largest end so far beside each (the records of a damaged file
// may overlap).
class TLiveBlocks {
 public:
  TLiveBlocks(const TLIFileStream& index, const BinaryFile& data, std::int32_t except) {
    const std::int64_t size = data.Size();
    for (std::int32_t i = 0; i < index.Count(); ++i) {
      const std::int64_t offset = index.ReadEntry(i);
      std::uint8_t length[2];
      if (i == except || offset < kHeadSize || data.ReadAt(offset, length, 2) < 2) continue;
      const std::int64_t end = offset + 2 + std::max<std::int64_t>(GetLE16(length), kMinSpace);
      if (end <= size) blocks_.push_back({offset, end});
    }
    std::sort(blocks_.begin(), blocks_.end(),
              [](const TBlock& a, const TBlock& b) { return a.Start < b.Start; });
    std::int64_t reach = 0;
    for (const TBlock& block : blocks_) reachUpTo_.push_back(reach = std::max(reach, block.End));
  }

  bool Overlaps(const TBlock& block) const {
    const auto after =
        std::lower_bound(blocks_.begin(), blocks_.end(), block.End,
                         [](const TBlock& b, std::int64_t end) { return b.Start < end; });
    const auto count = after - blocks_.begin();
    return count > 0 && reachUpTo_[static_cast<std::size_t>(count - 1)] > block.Start;
  }

 private:
  std::vector<TBlock> blocks_;
  std::vector<std::int64_t> reachUpTo_;
};

std::int32_t ReadLink(const BinaryFile& data, std::int64_t at) {
  std::uint8_t bytes[4];
  return data.ReadAt(at, bytes, 4) < 4 ? -1 : GetLE32(bytes);
}

// Cuts the free list at the first block that is not a sound free block:
// outside the file, overlapping a live record or a free block before it.
void TrimFreeList(const TLIFileStream& index, BinaryFile& data, std::int32_t except) {
  const TLiveBlocks live(index, data, except);
  const std::int64_t size = data.Size();
  std::map<std::int64_t, std::int64_t> taken;  // free blocks accepted: start -> end
  std::int64_t link = 0;
  for (std::int32_t cur = ReadLink(data, link); cur >= 0;) {
    std::uint8_t bytes[6];
    bool sound = cur >= kHeadSize && cur + 6 <= size && data.ReadAt(cur, bytes, 6) == 6;
    const TBlock block{cur, cur + 2 + (sound ? std::max<std::int64_t>(GetLE16(bytes), 4) : 0)};
    sound = sound && block.End <= size && !live.Overlaps(block);
    if (sound) {
      const auto next = taken.lower_bound(block.Start);
      sound = (next == taken.end() || next->first >= block.End) &&
              (next == taken.begin() || std::prev(next)->second <= block.Start);
    }
    if (!sound) {
      const std::int32_t end = -1;
      std::uint8_t out[4];
      PutLE32(out, end);
      data.WriteAt(link, out, 4);
      return;
    }
    taken.emplace(block.Start, block.End);
    link = cur + 2;
    cur = GetLE32(bytes + 2);
  }
}

}  // namespace

void TNotesJournal::Append(const TNoteChange& change) const {
  std::string bytes(kMagic, kMagicSize);
  Append32(bytes, static_cast<std::uint32_t>(change.Record));
  bytes.push_back(change.Delete ? '\1' : '\0');
  Append32(bytes, static_cast<std::uint32_t>(change.Payload.size()));
  bytes += change.Payload;
  Append32(bytes, Fnv1a(bytes));
  AppendFileFlushed(fileName_, bytes);
}

std::vector<TNoteChange> TNotesJournal::ReadAll() const {
  std::vector<TNoteChange> changes;
  std::string file;
  if (!ReadWholeFile(fileName_, file)) return changes;
  const std::string_view bytes(file);
  for (std::size_t at = 0; bytes.size() - at >= kFixedSize;) {
    if (bytes.compare(at, kMagicSize, kMagic) != 0) break;
    const std::uint32_t length = Get32(bytes, at + kMagicSize + 5);
    if (length > 65535 || bytes.size() - at < kFixedSize + length) break;
    const std::size_t sumAt = at + kFixedSize + length - 4;
    if (Get32(bytes, sumAt) != Fnv1a(bytes.substr(at, sumAt - at))) break;
    TNoteChange change;
    change.Record = static_cast<std::int32_t>(Get32(bytes, at + kMagicSize));
    change.Delete = bytes[at + kMagicSize + 4] != '\0';
    change.Payload = std::string(bytes.substr(at + kMagicSize + 9, length));
    if (change.Record < 0) break;
    changes.push_back(std::move(change));
    at = sumAt + 4;
  }
  return changes;
}

void TNotesJournal::Remove() const { std::remove(fileName_.c_str()); }

void TNotesJournal::Replay(const std::string& indexFile, const std::string& dataFile,
                           const TNoteChange& change) {
  {
    TLIFileStream index(indexFile, OpenMode::ReadWrite);
    index.WriteEntry(change.Record, -1);
    if (!BinaryFile::Exists(dataFile)) BinaryFile::CreateIfMissing(dataFile, "\xFF\xFF\xFF\xFF");
    BinaryFile data(dataFile, OpenMode::ReadWrite);
    if (data.Size() < kHeadSize) {
      const std::uint8_t head[4] = {0xFF, 0xFF, 0xFF, 0xFF};
      data.WriteAt(0, head, 4);
    }
    TrimFreeList(index, data, change.Record);
  }
  if (change.Delete || change.Payload.empty()) return;
  TRFileStream store(indexFile, OpenMode::ReadWrite, dataFile);
  if (store.Failed()) throw LectoraError(dataFile, 0, "the notes file could not be opened");
  store.WriteRecord(change.Record, change.Payload.data(),
                    static_cast<std::uint16_t>(change.Payload.size()));
}

}  // namespace lectora
