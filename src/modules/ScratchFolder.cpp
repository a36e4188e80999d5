#include "modules/ScratchFolder.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "store/LectoraError.h"

namespace lectora {

namespace fs = std::filesystem;

TScratchFolder::TScratchFolder(const std::string& prefix) {
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) throw LectoraError("", 0, "no temporary folder: " + error.message());
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / (prefix + std::to_string(random()));
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.string() + "/";
      return;
    }
  }
  throw LectoraError(base.string(), 0, "cannot create a temporary folder here");
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lectora
