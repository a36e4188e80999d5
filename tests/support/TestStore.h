// Store sessions over a test's own setup folder: the shared files written
// from text, the registry in the folder's "config" subfolder.
#pragma once

#include <memory>
#include <string>

#include "store/StoreSession.h"
#include "support/TestSupport.h"

namespace lectora::test {

// One chapter of 30 verses for each book of the standard structure.
std::string PlainStandardText();

// Writes `standardText` as "BibleStructure.txt" and `abbreviationsText` as
// "Abrevs.txt" into `dir` and opens a session over it (program "lectora").
// A malformed text fails by LectoraError.
std::unique_ptr<TStoreSession> OpenStoreSession(const TempDir& dir, const std::string& standardText,
                                                const std::string& abbreviationsText = "");

// A session over `dir` as it is (its shared files already there).
std::unique_ptr<TStoreSession> OpenStoreSession(const TempDir& dir);

}  // namespace lectora::test
