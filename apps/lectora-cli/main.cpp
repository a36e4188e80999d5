// lectora-cli: the command-line tool. Everything but finding its own folder
// lives in RunCli, where the tests can reach it.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "modules/CliCommands.h"
#include "store/DefaultSetupFolder.h"

namespace {

// The folder of the running executable, with a trailing "/".
std::string ToolFolder(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) executable = fs::absolute(fs::path(argv0), error);
  std::string folder = executable.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return lectora::RunCli(args, lectora::DefaultSetupFolder(ToolFolder(argc > 0 ? argv[0] : "")),
                         std::cout, std::cerr);
}
