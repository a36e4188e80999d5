// The check for a shared file that must exist.
#pragma once

#include <string>

namespace lectora {

class IMessageService;

// True when `fileName` exists. Otherwise shows "File not found: " + the
// name through `messages` (may be null) and, with `haltIfMissing`, throws
// LectoraError with that same message so the program ends (lectora-cli
// prints it and exits with 2).
bool CheckFile(const std::string& fileName, bool haltIfMissing, IMessageService* messages);

}  // namespace lectora
