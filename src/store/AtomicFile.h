// Replacing a user's file without ever leaving half of it: the bytes go to a
// temporary file beside the target, are flushed, and the temporary file is
// renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace lectora {

// Writes `bytes` to `fileName` atomically, keeping the old file's
// permissions; a symbolic link is followed. Throws LectoraError naming the
// file when the folder cannot be written or the file is read-only; the old
// file is then untouched and no temporary file is left.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);
// The whole content of `fileName`; false when it cannot be read or is not a
// regular file (`bytes` is then unchanged).
bool ReadWholeFile(const std::string& fileName, std::string& bytes);

}  // namespace lectora
