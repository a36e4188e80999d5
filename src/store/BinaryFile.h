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
  // beyond the end, or for a negative offset).
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t size) const;
  // Writes all `size` bytes at `offset`, extending the file as needed.
  // REQUIRES: opened with a write mode. Throws LectoraError on failure.
  void WriteAt(std::int64_t offset, const void* buffer, std::size_t size);
  // The current size in bytes.
  std::int64_t Size() const;
  const std::string& FileName() const { return fileName_; }
  OpenMode Mode() const { return mode_; }

  // True when `fileName` names an existing regular file.
  static bool Exists(const std::string& fileName);
  // Creates `fileName` holding `bytes` when it does not exist yet.
  static void CreateIfMissing(const std::string& fileName, const std::string& bytes = {});

private:
  std::string fileName_;
  OpenMode mode_;
  int fd_ = -1;
};

}  // namespace lectora
