#include "store/Settings.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace lectora {

namespace {

std::string WithSlash(std::string folder) {
  // An empty folder is the current one, not the root.
  if (folder.empty()) return "./";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string BaseName(const std::string& fileName) {
  const auto slash = fileName.rfind('/');
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

// "Lectora22.exe" -> "Lectora22.ini", "lectora" -> "lectora.ini"; a leading
// dot does not start an extension.
std::string IniName(const std::string& programName) {
  const auto dot = programName.rfind('.');
  if (dot == std::string::npos || dot == 0) return programName + ".ini";
  return programName.substr(0, dot) + ".ini";
}

bool FileExists(const std::string& fileName) {
  std::error_code ec;
  return std::filesystem::status(fileName, ec).type() != std::filesystem::file_type::not_found;
}

}  // namespace

TSettings::TSettings(const std::string& setupFolder, const std::string& programFileName,
                     const std::string& configHome, bool readOnly)
    : setupFolder_(WithSlash(setupFolder)),
      runningFromCD_(readOnly || !FolderWritable(setupFolder_)),
      firstRun_(!FileExists(setupFolder_ + IniName(BaseName(programFileName)))),
      registry_(configHome, BaseName(programFileName)),
      ini_(std::make_unique<TMyIniFile>(setupFolder_ + IniName(BaseName(programFileName)),
                                        runningFromCD_)) {}

bool TSettings::FolderWritable(const std::string& folder) {
  std::string pattern = WithSlash(folder) + ".lectora-probe-XXXXXX";
  std::vector<char> probe(pattern.begin(), pattern.end());
  probe.push_back('\0');
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.data());
  return true;
}

}  // namespace lectora
