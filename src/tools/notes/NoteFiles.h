// Whole-file writes of the notes store (its journal and the files of long
// notes), each flushed to the disk before it returns. They honour the
// crash tests' write limit (BinaryFile::SetWriteLimit) like every write of
// the record files does, so a test can stop the program's writing at any
// byte. Plain C++: the notes store has no Qt.
#pragma once

#include <string>
#include <string_view>

namespace lectora {

// Writes `bytes` into `fileName` (created or truncated) and flushes it.
// Throws LectoraError naming the file on failure; the file may then hold a
// part of `bytes`.
void WriteFileFlushed(const std::string& fileName, std::string_view bytes);
// Appends `bytes` to `fileName` (created when missing) and flushes it.
// Throws LectoraError naming the file on failure; the end of the file may
// then hold a part of `bytes`.
void AppendFileFlushed(const std::string& fileName, std::string_view bytes);
// Replaces `fileName` with `bytes` as one step: a temporary file beside it
// is written completely and flushed, then renamed over it. Throws
// LectoraError naming the file on failure; the old file is then untouched.
void ReplaceFileFlushed(const std::string& fileName, std::string_view bytes);
// Flushes what was written to `fileName` through other handles; false when
// it cannot be opened.
bool FlushFile(const std::string& fileName);

}  // namespace lectora
