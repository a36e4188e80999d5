#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace lectora::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate = base / ("lectora-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string() + "/";
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& fileName, const std::string& bytes) {
  const fs::path path(fileName);
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string SourceDir() { return std::string(LECTORA_SOURCE_DIR) + "/"; }

std::string TestDataDir() { return SourceDir() + "tests/data/"; }

void CopySharedData(const std::string& setupFolder) {
  for (const char* name : {"BibleStructure.txt", "Abrevs.txt"}) {
    fs::copy_file(SourceDir() + "data/" + name, setupFolder + name,
                  fs::copy_options::overwrite_existing);
  }
}

}  // namespace lectora::test
