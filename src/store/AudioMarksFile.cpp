#include "store/AudioMarksFile.h"

#include <filesystem>
#include <system_error>

#include "store/AtomicFile.h"
#include "store/LIFileStream.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

std::int32_t DecodeEntry(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return static_cast<std::int32_t>(value);
}

void EncodeEntry(std::string& bytes, std::int32_t entry) {
  const auto value = static_cast<std::uint32_t>(entry);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The file's size; -1 when it does not exist as a regular file.
std::int64_t SizeOf(const std::string& fileName) {
  std::error_code ec;
  if (!fs::is_regular_file(fileName, ec)) return -1;
  const auto size = fs::file_size(fileName, ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

}  // namespace

TAudioMarksFile::TStatus TAudioMarksFile::Read(std::int32_t first, int count,
                                               std::vector<std::int32_t>& entries) const {
  entries.assign(static_cast<std::size_t>(count > 0 ? count : 0), -1);
  const std::int64_t size = SizeOf(fileName_);
  if (size < 0) return TStatus::Missing;
  if (size > kMaxBytes) return TStatus::TooLarge;
  if (size < 4) return TStatus::Read;
  const TLIFileStream stream(fileName_, OpenMode::Read);
  for (int k = 0; k < count; ++k) {
    entries[static_cast<std::size_t>(k)] = stream.ReadEntry(first + k);
  }
  return TStatus::Read;
}

std::vector<std::int32_t> TAudioMarksFile::ReadAll() const {
  const std::int64_t size = SizeOf(fileName_);
  if (size > kMaxBytes) {
    throw LectoraError(fileName_, 0,
                       "the audio marks file is larger than " + std::to_string(kMaxBytes) +
                           " bytes and is not changed");
  }
  std::vector<std::int32_t> entries;
  if (size < 0) return entries;
  std::string bytes;
  if (!ReadWholeFile(fileName_, bytes)) throw LectoraError(fileName_, 0, "cannot be read");
  entries.reserve(bytes.size() / 4);
  for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4)
    entries.push_back(DecodeEntry(bytes, at));
  return entries;
}

void TAudioMarksFile::WriteAll(const std::vector<std::int32_t>& entries) const {
  std::string bytes;
  bytes.reserve(entries.size() * 4);
  for (const std::int32_t entry : entries) EncodeEntry(bytes, entry);
  std::error_code ec;
  const fs::path folder = fs::path(fileName_).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  WriteFileAtomically(fileName_, bytes);
}

void TAudioMarksFile::Write(std::int32_t first, const std::vector<std::int32_t>& values) const {
  if (first < 0) throw LectoraError(fileName_, 0, "negative audio mark entry");
  std::vector<std::int32_t> entries = ReadAll();
  const std::size_t end = static_cast<std::size_t>(first) + values.size();
  if (entries.size() < end) entries.resize(end, -1);
  for (std::size_t k = 0; k < values.size(); ++k) {
    entries[static_cast<std::size_t>(first) + k] = values[k];
  }
  WriteAll(entries);
}

void TAudioMarksFile::InsertRecord(std::int32_t v) const {
  if (v < 0 || v >= kLastShiftedEntry) return;
  std::vector<std::int32_t> entries = ReadAll();
  const auto last = static_cast<std::size_t>(kLastShiftedEntry);
  if (entries.size() <= last) entries.resize(last + 1, -1);
  for (std::size_t i = last; i > static_cast<std::size_t>(v); --i) entries[i] = entries[i - 1];
  WriteAll(entries);
}

}  // namespace lectora
