#include "GuiBench.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"

namespace lectora::bench {

namespace fs = std::filesystem;

namespace {

std::string& Runtime() {
  static std::string runtime = "build/run";
  return runtime;
}

}  // namespace

const std::string& RuntimeDir() { return Runtime(); }

bool RuntimeHas(std::initializer_list<const char*> folders) {
  for (const char* folder : folders) {
    if (!fs::exists(fs::path(Runtime()) / folder)) return false;
  }
  return true;
}

TRuntimeSetup::TRuntimeSetup(const std::string& tag,
                             std::initializer_list<std::pair<const char*, const char*>> links) {
  const fs::path root =
      fs::temp_directory_path() / ("lectora-" + tag + "-" + std::to_string(::getpid()));
  root_ = root.string();
  fs::create_directories(root);
  const fs::path runtime = fs::absolute(Runtime());
  for (const char* file : {"BibleStructure.txt", "Abrevs.txt"}) {
    fs::copy_file(runtime / file, root / file, fs::copy_options::overwrite_existing);
  }
  for (const auto& [name, target] : links) {
    fs::create_directory_symlink(runtime / target, root / name);
  }
}

TRuntimeSetup::~TRuntimeSetup() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string TRuntimeSetup::Path() const { return root_ + "/"; }

std::unique_ptr<TProgram> StartProgram(const std::string& setupFolder) {
  TProgram::TStartOptions options;
  options.SetupFolder = setupFolder;
  options.ConfigHome = setupFolder + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  auto program = std::make_unique<TProgram>(options);
  TLectora2Form1& window = program->Window();
  window.resize(1200, 800);
  window.show();
  window.FormShow();
  return program;
}

int RunGuiBenchmarks(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--runtime") Runtime() = argv[i + 1];
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace lectora::bench
