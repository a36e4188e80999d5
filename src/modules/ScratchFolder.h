// A new, empty folder under the system's temporary folder for the
// intermediate files of an import, removed with everything in it when the
// object goes away.
#pragma once

#include <string>

namespace lectora {

class TScratchFolder {
 public:
  // Creates the folder, its name beginning with `prefix`. Throws LectoraError
  // when no folder can be created.
  explicit TScratchFolder(const std::string& prefix);
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The folder, ending in "/".
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lectora
