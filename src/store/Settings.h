// The settings store created before any window and shared by all: the setup
// folder, whether it can be written, the settings file and the registry.
#pragma once

#include <memory>
#include <string>

#include "store/IniFile.h"
#include "store/UserRegistry.h"

namespace lectora {

class TSettings {
 public:
  // `setupFolder`: the program's folder or the one given with --setup-dir
  // (a trailing "/" is added when missing). `programFileName` names the
  // settings file (extension replaced by ".ini") and the registry key.
  // `configHome`: as for TUserRegistry. Probes whether the folder can be
  // written (RunningFromCD) and whether the settings file exists (FirstRun).
  // With `readOnly` the settings file is read but never written, as when the
  // folder cannot be written: for tools that only read modules.
  // An installed copy (see InstalledCopy) keeps the user's files under
  // `dataHome` + "/lectora/" and the settings file under `configHome` +
  // "/lectora/"; they are created when first needed.
  TSettings(const std::string& setupFolder, const std::string& programFileName,
            const std::string& configHome = TUserRegistry::DefaultConfigHome(),
            bool readOnly = false, const std::string& dataHome = DefaultDataHome());

  // $XDG_DATA_HOME when it is absolute, else ~/.local/share.
  static std::string DefaultDataHome();
  // True when `setupFolder` is a copy the package manager owns: it lies
  // under /usr/ or /opt/, or holds a file "installed".
  static bool IsInstalledCopy(const std::string& setupFolder);

  // With a trailing "/".
  const std::string& SetupFolder() const { return setupFolder_; }
  // True when nothing may be written: the setup folder of a copy that is not
  // installed is on a read-only file system or cannot be written, or the
  // user folder of an installed copy cannot be written (the program then
  // runs without saving; UserFolderUnwritable tells it to say so once).
  bool RunningFromCD() const { return runningFromCD_; }
  bool InstalledCopy() const { return installed_; }
  // An installed copy whose user folder cannot be created or written.
  bool UserFolderUnwritable() const { return installed_ && runningFromCD_ && !readOnly_; }
  // Where the user's own files are written, with a trailing "/": the setup
  // folder, or for an installed copy $XDG_DATA_HOME/lectora/.
  const std::string& UserFolder() const { return userFolder_; }
  // `path`, a file of the setup folder, as the user's copy is written: the
  // same place under UserFolder() for an installed copy, else `path`.
  std::string WritePath(const std::string& path) const;
  // `path` as it is read: the user's copy when an installed copy has one,
  // else `path` itself (the installed file, a default).
  std::string ReadPath(const std::string& path) const;
  bool FirstRun() const { return firstRun_; }
  TMyIniFile& Ini() { return *ini_; }
  const TMyIniFile& Ini() const { return *ini_; }
  TUserRegistry& Registry() { return registry_; }
  const TUserRegistry& Registry() const { return registry_; }

  // True when a file can be created in `folder` (probed with a temporary
  // file that is removed again).
  static bool FolderWritable(const std::string& folder);

 private:
  std::string setupFolder_;
  bool installed_;
  bool readOnly_;
  std::string userFolder_;
  bool runningFromCD_ = false;
  bool firstRun_ = false;
  TUserRegistry registry_;
  std::unique_ptr<TMyIniFile> ini_;
};

}  // namespace lectora
