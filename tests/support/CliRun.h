// Running lectora-cli's commands in-process from the tests, each with a
// configuration folder of its own so that no test touches the real home.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lectora::test {

// What a command printed and its exit status.
struct CliResult {
  int Status = 0;
  std::string Out;
  std::string Err;
};

// Runs `args` with `toolFolder` as the tool's own folder (its default setup
// folder).
CliResult RunCliIn(const std::string& toolFolder, const std::vector<std::string>& args);

// Points XDG_CONFIG_HOME at `folder` while the object lives, then puts the
// old value (or its absence) back.
class ScopedConfigHome {
 public:
  explicit ScopedConfigHome(const std::string& folder);
  ~ScopedConfigHome();
  ScopedConfigHome(const ScopedConfigHome&) = delete;
  ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

 private:
  std::optional<std::string> old_;
};

}  // namespace lectora::test
