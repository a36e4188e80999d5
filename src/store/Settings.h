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
  TSettings(const std::string& setupFolder, const std::string& programFileName,
            const std::string& configHome = TUserRegistry::DefaultConfigHome(),
            bool readOnly = false);

  // With a trailing "/".
  const std::string& SetupFolder() const { return setupFolder_; }
  // True when the setup folder is on a read-only file system or cannot be
  // written: then nothing is written to the settings file.
  bool RunningFromCD() const { return runningFromCD_; }
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
  bool runningFromCD_;
  bool firstRun_;
  TUserRegistry registry_;
  std::unique_ptr<TMyIniFile> ini_;
};

}  // namespace lectora
