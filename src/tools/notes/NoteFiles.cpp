#include "tools/notes/NoteFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "store/BinaryFile.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

[[noreturn]] void Fail(const std::string& fileName, const std::string& what, int error) {
  throw LectoraError(fileName, 0,
                     what + (error != 0 ? std::string(": ") + std::strerror(error) : ""));
}

// Writes `bytes` to `fd` as far as the crash tests' limit allows; false
// with errno set on an error, or with errno 0 when the limit stopped it.
bool WriteAll(int fd, std::string_view bytes) {
  const std::size_t allowed = BinaryFile::TakeWriteAllowance(bytes.size());
  std::string_view rest = bytes.substr(0, allowed);
  while (!rest.empty()) {
    const ssize_t written = ::write(fd, rest.data(), rest.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  errno = 0;
  return allowed == bytes.size();
}

void WriteAndFlush(const std::string& target, const std::string& path, std::string_view bytes,
                   int how = O_TRUNC) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | how | O_CLOEXEC, 0666);
  if (fd < 0) Fail(target, "cannot create the file", errno);
  int error = 0;
  bool stopped = false;
  if (!WriteAll(fd, bytes)) {
    error = errno;
    stopped = error == 0;
  }
  if (error == 0 && !stopped && ::fdatasync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0 && !stopped) error = errno;
  if (stopped) Fail(target, "write stopped by the test limit", 0);
  if (error != 0) Fail(target, "cannot write the file", error);
}

}  // namespace

void WriteFileFlushed(const std::string& fileName, std::string_view bytes) {
  WriteAndFlush(fileName, fileName, bytes);
}

void AppendFileFlushed(const std::string& fileName, std::string_view bytes) {
  WriteAndFlush(fileName, fileName, bytes, O_APPEND);
}

void ReplaceFileFlushed(const std::string& fileName, std::string_view bytes) {
  const std::filesystem::path target(fileName);
  const std::string temp =
      (target.parent_path() / ("." + target.filename().string() + ".tmp")).string();
  try {
    WriteAndFlush(fileName, temp, bytes);
  } catch (const LectoraError&) {
    std::remove(temp.c_str());
    throw;
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    const int error = errno;
    std::remove(temp.c_str());
    Fail(fileName, "cannot replace the file", error);
  }
  FlushFile(target.parent_path().string());
}

bool FlushFile(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::fsync(fd);
  ::close(fd);
  return true;
}

}  // namespace lectora
