#include "store/DefaultSetupFolder.h"

#include <filesystem>
#include <system_error>

namespace lectora {

namespace {

constexpr const char* kMarkerFile = "BibleStructure.txt";

std::string WithSlash(std::string folder) {
  if (folder.empty()) return "./";
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::string DefaultSetupFolder(const std::string& executableFolder) {
  namespace fs = std::filesystem;
  std::string own = WithSlash(executableFolder);
  std::error_code error;
  if (fs::exists(own + kMarkerFile, error)) return own;
  const fs::path shared = fs::path(own) / ".." / "share" / "lectora";
  if (!fs::exists(shared / kMarkerFile, error)) return own;
  return WithSlash(fs::weakly_canonical(shared, error).string());
}

}  // namespace lectora
