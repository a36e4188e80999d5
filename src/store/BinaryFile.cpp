// Written on POSIX descriptors rather than iostreams: positioned reads and
// writes keep no shared file position, and a short read tells exactly where
// the file ends.
#include "store/BinaryFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/LectoraError.h"

namespace lectora {

namespace {

int OpenFlags(OpenMode mode) {
  switch (mode) {
    case OpenMode::Write:
      return O_WRONLY;
    case OpenMode::ReadWrite:
      return O_RDWR;
    case OpenMode::Read:
      break;
  }
  return O_RDONLY;
}

std::string SystemMessage(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

}  // namespace

BinaryFile::BinaryFile(const std::string& fileName, OpenMode mode)
    : fileName_(fileName), mode_(mode) {
  do {
    fd_ = ::open(fileName_.c_str(), OpenFlags(mode) | O_CLOEXEC);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) Fail("cannot open the file");
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw LectoraError(fileName_, 0, "cannot open the file: it is a folder");
  }
  if (mode == OpenMode::Read && S_ISREG(info.st_mode)) MapIntoMemory(info.st_size);
}

void BinaryFile::MapIntoMemory(std::int64_t size) {
  if (size > 0) {
    void* view = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd_, 0);
    // Without a mapping the reads simply stay positioned reads.
    if (view == MAP_FAILED) return;
    view_ = static_cast<const char*>(view);
    viewSize_ = static_cast<std::size_t>(size);
  }
  inMemory_ = true;
  ::close(fd_);
  fd_ = -1;
}

BinaryFile::~BinaryFile() {
  if (view_ != nullptr) ::munmap(const_cast<char*>(view_), viewSize_);
  if (fd_ >= 0) ::close(fd_);
}

void BinaryFile::Fail(const std::string& what) const {
  throw LectoraError(fileName_, 0, SystemMessage(what, errno));
}

std::size_t BinaryFile::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  if (offset < 0 || size == 0) return 0;
  if (inMemory_) {
    if (offset >= static_cast<std::int64_t>(viewSize_)) return 0;
    const std::size_t count = std::min(size, viewSize_ - static_cast<std::size_t>(offset));
    std::memcpy(buffer, view_ + offset, count);
    return count;
  }
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd_, out + done, size - done,
                                static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail("read error");
    }
    if (got == 0) break;  // end of file
    done += static_cast<std::size_t>(got);
  }
  return done;
}

namespace {

std::int64_t writeLimit = -1;  // crash tests only; see SetWriteLimit

}  // namespace

void BinaryFile::SetWriteLimit(std::int64_t bytes) { writeLimit = bytes; }

std::size_t BinaryFile::TakeWriteAllowance(std::size_t size) {
  if (writeLimit < 0) return size;
  const std::size_t allowed =
      static_cast<std::uint64_t>(writeLimit) < size ? static_cast<std::size_t>(writeLimit) : size;
  writeLimit -= static_cast<std::int64_t>(allowed);
  return allowed;
}

void BinaryFile::WriteAt(std::int64_t offset, const void* buffer, std::size_t requested) {
  if (offset < 0) throw LectoraError(fileName_, 0, "write at a negative offset");
  const std::size_t size = TakeWriteAllowance(requested);
  const auto* in = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = ::pwrite(fd_, in + done, size - done,
                                 static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
    if (put < 0) {
      if (errno == EINTR) continue;
      Fail("write error");
    }
    done += static_cast<std::size_t>(put);
  }
  if (size < requested) Fail("write stopped by the test limit");
}

std::int64_t BinaryFile::Size() const {
  if (inMemory_) return static_cast<std::int64_t>(viewSize_);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) Fail("cannot query the file size");
  return static_cast<std::int64_t>(info.st_size);
}

bool BinaryFile::Exists(const std::string& fileName) {
  struct stat info {};
  return ::stat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void BinaryFile::CreateIfMissing(const std::string& fileName, const std::string& bytes) {
  int fd;
  do {
    fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    // Somebody else's file (or one created a moment ago) is left alone; any
    // other reason surfaces when the caller opens it.
    if (errno == EEXIST) return;
    throw LectoraError(fileName, 0, SystemMessage("cannot create the file", errno));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ::unlink(fileName.c_str());  // a half-written new file would be read as damaged
      throw LectoraError(fileName, 0, SystemMessage("cannot write the new file", error));
    }
    done += static_cast<std::size_t>(put);
  }
  ::close(fd);
}

}  // namespace lectora
