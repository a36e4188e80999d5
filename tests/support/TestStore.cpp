#include "support/TestStore.h"

#include "store/StandardStructure.h"

namespace lectora::test {

std::string PlainStandardText() {
  std::string text;
  for (int b = 1; b <= TStandardStructure::kBooks; ++b) text += "1 30\n";
  return text;
}

std::unique_ptr<TStoreSession> OpenStoreSession(const TempDir& dir, const std::string& standardText,
                                                const std::string& abbreviationsText) {
  WriteFile(dir.File("BibleStructure.txt"), standardText);
  WriteFile(dir.File("Abrevs.txt"), abbreviationsText);
  return OpenStoreSession(dir);
}

std::unique_ptr<TStoreSession> OpenStoreSession(const TempDir& dir) {
  TStoreSessionOptions options;
  options.SetupFolder = dir.Path();
  options.ConfigHome = dir.File("config");
  return std::make_unique<TStoreSession>(options);
}

}  // namespace lectora::test
