#include "store/Settings.h"

#include <pwd.h>
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

// Creates `folder` when missing; true when a file can be written there.
bool PrepareFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return TSettings::FolderWritable(folder);
}

}  // namespace

TSettings::TSettings(const std::string& setupFolder, const std::string& programFileName,
                     const std::string& configHome, bool readOnly, const std::string& dataHome)
    : setupFolder_(WithSlash(setupFolder)),
      installed_(IsInstalledCopy(setupFolder_)),
      readOnly_(readOnly),
      userFolder_(installed_ ? WithSlash(dataHome) + "lectora/" : setupFolder_),
      registry_(configHome, BaseName(programFileName)) {
  const std::string iniName = IniName(BaseName(programFileName));
  const std::string installedIni = setupFolder_ + iniName;
  if (!installed_) {
    runningFromCD_ = readOnly || !FolderWritable(setupFolder_);
    firstRun_ = !FileExists(installedIni);
    ini_ = std::make_unique<TMyIniFile>(installedIni, runningFromCD_);
    return;
  }
  // The installed settings file is the first run's; the user's copy, once
  // written, is read instead.
  const std::string configFolder = WithSlash(configHome) + "lectora/";
  const std::string userIni = configFolder + iniName;
  runningFromCD_ = readOnly || !PrepareFolder(userFolder_) || !PrepareFolder(configFolder);
  firstRun_ = !FileExists(userIni) && !FileExists(installedIni);
  ini_ = std::make_unique<TMyIniFile>(userIni, runningFromCD_,
                                      FileExists(userIni) ? std::string() : installedIni);
}

std::string TSettings::DefaultDataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  // A relative value is invalid by the XDG rules and is ignored.
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share";
  const passwd* user = ::getpwuid(::getuid());
  if (user != nullptr && user->pw_dir != nullptr)
    return std::string(user->pw_dir) + "/.local/share";
  return ".local/share";
}

bool TSettings::IsInstalledCopy(const std::string& setupFolder) {
  std::error_code ec;
  const std::string folder = WithSlash(std::filesystem::weakly_canonical(setupFolder, ec).string());
  const std::string& real = ec ? WithSlash(setupFolder) : folder;
  return real.starts_with("/usr/") || real.starts_with("/opt/") || FileExists(real + "installed");
}

std::string TSettings::WritePath(const std::string& path) const {
  if (!installed_ || !path.starts_with(setupFolder_)) return path;
  return userFolder_ + path.substr(setupFolder_.size());
}

std::string TSettings::ReadPath(const std::string& path) const {
  const std::string user = WritePath(path);
  return user != path && FileExists(user) ? user : path;
}

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
