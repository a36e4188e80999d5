#include "support/SampleModules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "modules/ModuleCompiler.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "support/TestStore.h"

namespace lectora::test {

TSampleModules::TSampleModules() {
  TModuleCompiler::Compile(TestDataDir() + "module-en", dir_.File("ASV"), 5, false);
  TModuleCompiler::Compile(TestDataDir() + "wordindex-bg", dir_.File("ORT"), 0, false);
  session_ = OpenStoreSession(dir_, PlainStandardText());
}

void InstallSampleModule(const TSampleModule& sample, const std::string& moduleFolder) {
  // Compiled modules by source; the folder goes when the program ends.
  static TempDir compiled;
  static std::map<std::string, std::string> folders;
  const std::string key = std::string(sample.Source) + (sample.Strong ? "-strong-" : "-") +
                          std::to_string(sample.Language);
  auto found = folders.find(key);
  if (found == folders.end()) {
    const std::string folder = compiled.File(key);
    TModuleCompiler::Compile(TestDataDir() + sample.Source, folder, sample.Language, sample.Strong);
    found = folders.emplace(key, folder).first;
  }
  std::filesystem::copy(found->second, moduleFolder, std::filesystem::copy_options::recursive);
}

std::string Cp1251(const std::string& utf8) {
  std::string text;
  EXPECT_TRUE(Utf8ToCodePage(utf8, 1251, text)) << utf8;
  return text;
}

std::string Words16(const std::vector<std::uint16_t>& verses) {
  std::string bytes;
  for (const std::uint16_t v : verses) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>(v >> 8);
  }
  return bytes;
}

std::string Entries32(const std::vector<std::int32_t>& entries) {
  std::string bytes;
  for (const std::int32_t e : entries) {
    std::uint8_t raw[4];
    PutLE32(raw, e);
    bytes.append(reinterpret_cast<const char*>(raw), 4);
  }
  return bytes;
}

}  // namespace lectora::test
