// The command-line tool lectora-cli as a function, so that tests run every
// command in-process: info, ref, read, search, concordance, words, links,
// dict, build-module and build-dictionary.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lectora {

// Runs one command line. `args` are the arguments after the program name
// (UTF-8); `toolFolder` is the tool's own folder, the default setup folder.
// Results go to `out` (UTF-8 text, or one JSON object with --json); errors
// go to `err`. Returns the exit status: 0 on success, 2 for bad usage and
// for every error. Never throws.
int RunCli(const std::vector<std::string>& args, const std::string& toolFolder, std::ostream& out,
           std::ostream& err);

}  // namespace lectora
