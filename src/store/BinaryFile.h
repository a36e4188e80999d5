// A file opened by name for positioned reads and writes (pread/pwrite), the
// base of the record streams. Reads never run past the end: they report how
// many bytes were there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lectora {

// Open modes of the stream classes; the numbers are those stored by callers.
enum class OpenMode : int { Read = 0, Write = 1, ReadWrite = 2 };

class BinaryFile {
 public:
  // Opens `fileName` with `mode`. Write modes create nothing: the callers
  // decide whether a missing file is created. Throws LectoraError naming the
  // file when it cannot be opened.
  BinaryFile(const std::string& fileName, OpenMode mode);
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  // Reads up to `size` bytes at `offset`; returns the count read (0 at or
  // beyond the end, or for a negative offset). Throws LectoraError naming the
  // file on an input/output error, so that damage is never taken for a short
  // file.
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t size) const;
  // Writes all `size` bytes at `offset`, extending the file as needed.
  // REQUIRES: opened with a write mode. Throws LectoraError on failure.
  void WriteAt(std::int64_t offset, const void* buffer, std::size_t size);
  // The current size in bytes.
  std::int64_t Size() const;
  const std::string& FileName() const { return fileName_; }
  // The bytes of a read-only file that is mapped (Size() of them), valid
  // while this object lives; null when the file is read with positioned
  // reads instead (write modes, a failed mapping) or is empty.
  const char* MappedBytes() const { return view_; }
  OpenMode Mode() const { return mode_; }

  // True when `fileName` names an existing regular file.
  static bool Exists(const std::string& fileName);
  // Creates `fileName` holding `bytes` when it does not exist yet. Throws
  // LectoraError naming the file when it can be neither found nor created.
  static void CreateIfMissing(const std::string& fileName, const std::string& bytes = {});

  // Crash tests: once `bytes` more bytes have been written by any
  // BinaryFile, a write stops short at that byte and throws LectoraError,
  // as if the program had died there. Negative (the default): no limit.
  static void SetWriteLimit(std::int64_t bytes);
  // How many of `size` bytes the limit lets the next write put; takes them
  // from the limit. Writers of their own (temporary files) ask it too.
  static std::size_t TakeWriteAllowance(std::size_t size);

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  // Maps a read-only file of `size` bytes and closes its descriptor: a read
  // from memory costs no system call (a chapter, a search, a word-list
  // probe), and only the pages read are ever loaded, so opening a module
  // costs nothing for its size. Module and dictionary files are replaced by
  // renaming a new file into place, never rewritten in place, so a mapping
  // stays valid while it is open. When mapping fails the file is read with
  // positioned reads.
  void MapIntoMemory(std::int64_t size);

  std::string fileName_;
  OpenMode mode_;
  int fd_ = -1;
  bool inMemory_ = false;
  const char* view_ = nullptr;  // the mapping, or null for an empty file
  std::size_t viewSize_ = 0;
};

// Little-endian integers of the binary formats, independent of host order.
inline std::uint16_t GetLE16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int32_t GetLE32(const std::uint8_t* p) {
  const std::uint32_t u =
      static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return static_cast<std::int32_t>(u);
}
inline void PutLE16(std::uint8_t* p, std::uint16_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutLE32(std::uint8_t* p, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(u >> (8 * k));
}

}  // namespace lectora
