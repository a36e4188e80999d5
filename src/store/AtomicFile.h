// Replacing a user's file without ever leaving half of it: the bytes go to a
// temporary file beside the target, are flushed, and the temporary file is
// renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace lectora {

// Writes `bytes` to `fileName` atomically. Throws LectoraError naming the
// file when the folder cannot be written; the old file is then untouched.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);
// The whole content of `fileName`; false when it cannot be read.
bool ReadWholeFile(const std::string& fileName, std::string& bytes);

}  // namespace lectora
