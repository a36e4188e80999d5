#include "store/AtomicFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "store/LectoraError.h"

namespace lectora {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& fileName, const std::string& what, int error) {
  throw LectoraError(fileName, 0, what + ": " + std::strerror(error));
}

// A symbolic link is followed so that the file it points at is replaced,
// not the link itself.
std::string ResolveTarget(const std::string& fileName) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(fileName, ec))) return fileName;
  const fs::path resolved = fs::weakly_canonical(fileName, ec);
  return ec ? fileName : resolved.string();
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The permissions the new file gets: those of the file it replaces, or the
// ones a plain creation would give (mkstemp's 0600 would silently tighten
// them).
mode_t ModeFor(const struct stat* existing) {
  if (existing != nullptr) return existing->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // The rename has happened; a folder that cannot be flushed only weakens
  // durability after a power loss, so it is not reported.
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
  const std::string target = ResolveTarget(fileName);
  const fs::path targetPath(target);
  std::string folder = targetPath.parent_path().string();
  if (folder.empty()) folder = ".";

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISREG(existing.st_mode) && ::access(target.c_str(), W_OK) != 0) {
    // A file the user made read-only is respected, although the rename
    // could replace it.
    Fail(fileName, "cannot write the file", errno);
  }

  std::string pattern = folder + "/." + targetPath.filename().string() + ".tmp-XXXXXX";
  std::vector<char> tempName(pattern.begin(), pattern.end());
  tempName.push_back('\0');
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) Fail(fileName, "cannot create a temporary file beside the file", errno);

  int error = 0;
  if (!WriteAll(fd, bytes)) error = errno;
  if (error == 0 && ::fchmod(fd, ModeFor(exists ? &existing : nullptr)) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(tempName.data(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(tempName.data());
    Fail(fileName, "cannot write the file", error);
  }
  SyncFolder(folder);
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  bytes = std::move(content);
  return true;
}

}  // namespace lectora
