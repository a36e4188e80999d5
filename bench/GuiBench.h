// What the benchmarks of the real program share: the runtime folder they
// read (--runtime DIR), a temporary setup folder made from it, the program
// started on it as the reader sees it, and main().
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace lectora {
class TProgram;
}

namespace lectora::bench {

// The runtime folder: "build/run" unless --runtime DIR named another.
const std::string& RuntimeDir();
// True when the runtime folder holds every module folder named.
bool RuntimeHas(std::initializer_list<const char*> folders);

// A temporary setup folder: the runtime's "BibleStructure.txt" and
// "Abrevs.txt" copied, and each pair's runtime folder (second) linked under
// the name first. Removed with the object.
class TRuntimeSetup {
 public:
  TRuntimeSetup(const std::string& tag,
                std::initializer_list<std::pair<const char*, const char*>> links);
  ~TRuntimeSetup();
  TRuntimeSetup(const TRuntimeSetup&) = delete;
  TRuntimeSetup& operator=(const TRuntimeSetup&) = delete;
  // With the trailing separator.
  std::string Path() const;

 private:
  std::string root_;
};

// The program on `setupFolder` with scripted dialogs and a read-only setup
// (nothing of the run is kept): its main window at 1200 × 800, shown and
// started.
std::unique_ptr<TProgram> StartProgram(const std::string& setupFolder);

// The benchmarks' main(): offscreen unless a platform is set, --runtime,
// the application, every registered benchmark.
int RunGuiBenchmarks(int argc, char** argv);

}  // namespace lectora::bench
