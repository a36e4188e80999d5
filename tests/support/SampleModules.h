// The two small modules the word-index, concordance and links tests share:
// the English sample (tests/data/module-en) as "ASV\" (translation 9) and the
// Bulgarian word-index sample (tests/data/wordindex-bg, with links) as "ORT\"
// (translation 0), compiled into a fresh folder, with a store session over a
// plain standard structure (one chapter of 30 verses per book). Also the
// byte encodings those tests compare module files with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/StoreContext.h"
#include "store/StoreSession.h"
#include "support/TestSupport.h"

namespace lectora::test {

class TSampleModules {
 public:
  static constexpr int kBulgarian = 0;  // "ORT\", language 0, Windows-1251
  static constexpr int kEnglish = 9;    // "ASV\", language 5, Windows-1252

  // Compiles both modules; a compiler error fails the test by exception.
  TSampleModules();
  TSampleModules(const TSampleModules&) = delete;
  TSampleModules& operator=(const TSampleModules&) = delete;

  TempDir& Dir() { return dir_; }
  // The store session of the folder; owned by this object.
  TStoreContext& Context() { return session_->Context(); }

 private:
  TempDir dir_;
  std::unique_ptr<TStoreSession> session_;
};

// A sample module source of tests/data and how it compiles.
struct TSampleModule {
  const char* Source;
  int Language;
  bool Strong;
};
// Genesis 1, Psalms 1-23 and John 1-3 of the King James with Strong's numbers.
inline constexpr TSampleModule kKingJamesSample{"kjv-sample", 5, true};
// A small English module numbered differently from the standard.
inline constexpr TSampleModule kShiftedSample{"module-shifted", 5, false};
// The Bulgarian search sample.
inline constexpr TSampleModule kBulgarianSearchSample{"search-bg", 0, false};

// Copies `sample`, compiled, into `moduleFolder` (a setup folder's module
// folder, created). Each sample is compiled once per test program, at its
// first use; a compiler error fails the test by exception.
void InstallSampleModule(const TSampleModule& sample, const std::string& moduleFolder);

// `utf8` in Windows-1251; a character the code page lacks fails the test.
std::string Cp1251(const std::string& utf8);
// Verse numbers as the 16-bit little-endian words of the module files.
std::string Words16(const std::vector<std::uint16_t>& verses);
// Index entries as 32-bit little-endian integers.
std::string Entries32(const std::vector<std::int32_t>& entries);

}  // namespace lectora::test
