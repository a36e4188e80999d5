// Benchmark of the picture window in the real program, offscreen: a
// picture shown, from the request until the window has painted it, two
// pictures alternating so that every step decodes a file. Two sets: an
// 800 × 600 JPEG of noise (the hardest case for the decoder), made here,
// and the shipped clip-art pictures of the runtime folder (built by
// `make data`). Target (median): under 30 ms.
// Usage: picture_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QRandomGenerator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "GuiBench.h"
#include "app/Program.h"
#include "tools/picture/PictureForm1.h"

namespace {

namespace fs = std::filesystem;
using namespace lectora;

// Shows `first` and `second` in turn; each step is one picture shown and
// painted.
void ShowInTurn(benchmark::State& state, TProgram& program, const std::string& first,
                const std::string& second) {
  TPictureForm1& pictures = program.PictureWindow();
  bool odd = false;
  for (auto _ : state) {
    pictures.ShowWordPicture(odd ? second : first);
    QCoreApplication::sendPostedEvents();
    pictures.repaint();
    odd = !odd;
  }
  if (pictures.Picture().isNull()) state.SkipWithError("the picture was not shown");
  state.counters["width"] = pictures.Picture().width();
  state.counters["height"] = pictures.Picture().height();
}

void BM_Show800x600Jpeg(benchmark::State& state) {
  bench::TRuntimeSetup setup("picturebench", {});
  const fs::path folder = fs::path(setup.Path()) / "Pictures";
  fs::create_directories(folder);
  QRandomGenerator random(7);
  for (const char* name : {"a", "b"}) {
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) line[x] = 0xFF000000u | random.bounded(0x1000000u);
    }
    image.save(QString::fromStdString((folder / (std::string(name) + ".jpg")).string()), "JPEG",
               90);
  }
  std::ofstream(folder / "DicPictures.txt") << "a=a.jpg\r\nb=b.jpg\r\n";
  auto program = bench::StartProgram(setup.Path());
  ShowInTurn(state, *program, "a", "b");
}
BENCHMARK(BM_Show800x600Jpeg)->Unit(benchmark::kMillisecond);

void BM_ShowShippedPicture(benchmark::State& state) {
  if (!bench::RuntimeHas({"Pictures/DicPictures.txt"})) {
    state.SkipWithError("no shipped pictures: run make data, or pass --runtime DIR");
    return;
  }
  bench::TRuntimeSetup setup("picturebench-shipped", {{"Pictures", "Pictures"}});
  auto program = bench::StartProgram(setup.Path());
  ShowInTurn(state, *program, "LAMB", "LION");
}
BENCHMARK(BM_ShowShippedPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The offscreen screen is 800 × 600 unless told otherwise, and a picture
  // of that size would be scaled to fit it: the benchmark's screen is a
  // common desktop's.
  const fs::path config = fs::temp_directory_path() / "lectora-picturebench-screen.json";
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    std::ofstream(config) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, )"
                          << R"("width": 1920, "height": 1080}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str(), 1);
  }
  const int status = bench::RunGuiBenchmarks(argc, argv);
  std::error_code ignored;
  fs::remove(config, ignored);
  return status;
}
