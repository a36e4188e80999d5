#include "store/UserRegistry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "store/IniFile.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr const char* kRegistryFile = "Darsel/Registry.ini";

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

TUserRegistry::TUserRegistry(std::string configHome, const std::string& programFileName)
    : keyName_("Software\\Darsel\\" + programFileName),
      fileName_(WithSlash(std::move(configHome)) + kRegistryFile) {
  for (char& c : keyName_) {
    if (c == ' ' || c == '.') c = '_';
  }
}

std::string TUserRegistry::DefaultConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // A relative value is invalid by the XDG rules and is ignored.
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config";
  const passwd* user = ::getpwuid(::getuid());
  if (user != nullptr && user->pw_dir != nullptr) return std::string(user->pw_dir) + "/.config";
  return ".config";
}

void TUserRegistry::ReadRegValue(const std::string& name, std::string& value) const {
  value.clear();
  try {
    const TMyIniFile file(fileName_, true);
    value = file.ReadString(keyName_, name, "");
  } catch (const LectoraError&) {
    // An unreadable registry file reads like a missing key.
  }
}

void TUserRegistry::WriteRegValue(const std::string& name, const std::string& value) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(fileName_).parent_path(), ec);
  // A folder that could not be made surfaces as the write's error below.
  TMyIniFile file(fileName_, false);
  file.WriteString(keyName_, name, value);
  file.UpdateFile();
}

}  // namespace lectora
