#include "support/CliRun.h"

#include <cstdlib>
#include <sstream>

#include "modules/CliCommands.h"

namespace lectora::test {

CliResult RunCliIn(const std::string& toolFolder, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliResult result;
  result.Status = RunCli(args, toolFolder, out, err);
  result.Out = out.str();
  result.Err = err.str();
  return result;
}

ScopedConfigHome::ScopedConfigHome(const std::string& folder) {
  if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
  setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
}

ScopedConfigHome::~ScopedConfigHome() {
  if (old_) {
    setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace lectora::test
