// The setup folder a program uses when none is given: its own folder, as
// when it runs from the build's runtime folder, or for an installed program
// in bin/ the shared data beside it, ../share/lectora/.
#pragma once

#include <string>

namespace lectora {

// `executableFolder` itself when it holds "BibleStructure.txt" or when
// ../share/lectora/ does not; otherwise that folder. With a trailing "/".
std::string DefaultSetupFolder(const std::string& executableFolder);

}  // namespace lectora
