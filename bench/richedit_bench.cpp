// Benchmarks of the verse text control on a made-up 176-verse chapter (about
// 25,000 characters, bold verse heads, a few italic runs, brace notes and
// searched words): appending it, laying it out, painting the visible part
// of a 600x800 control and the hit test under the mouse. They print
// figures; they do not pass or fail. Targets (medians, offscreen): layout
// < 3 ms, paint < 3 ms, CharIndexAt < 20 us.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "display/BibleRichEdit1.h"
#include "display/DisplayContext.h"

namespace {

using namespace lectora;

constexpr int kVerses = 176;
constexpr int kWidth = 600;
constexpr int kHeight = 800;

// One verse of about 140 characters; every ninth verse has an italic run,
// every seventh a note in braces.
std::string MakeVerse(int v, std::mt19937& random) {
  static const char* const kWords[] = {
      "blessed", "are",      "the",  "undefiled", "in",    "way",         "who",  "walk",
      "law",     "of",       "lord", "keep",      "his",   "testimonies", "and",  "that",
      "seek",    "him",      "with", "whole",     "heart", "they",        "also", "do",
      "no",      "iniquity", "ways", "thou",      "hast",  "commanded",   "us",   "precepts"};
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
  std::string text;
  while (text.size() < 128) {
    if (!text.empty()) text += ' ';
    text += kWords[pick(random)];
  }
  if (v % 9 == 0) text += " |selah|";
  if (v % 7 == 0) text += " {or, statutes}";
  return text + ".";
}

class TChapter {
 public:
  TChapter() : context(searchWords) {
    searchWords = {"lord", "law"};
    edit = std::make_unique<TBibleRichEdit1>(context);
    edit->ColorMarks = true;
    edit->Font().Font = QFont(QStringLiteral("Verdana"), 10);
    edit->resize(kWidth, kHeight);
    std::mt19937 random(119);
    for (int v = 1; v <= kVerses; ++v) verses.push_back(MakeVerse(v, random));
    Fill();
    edit->Layout();
  }

  void Fill() {
    edit->Clear(true);
    for (int v = 1; v <= kVerses; ++v) {
      edit->AddPair("\r\n" + std::to_string(v) + " ", verses[static_cast<std::size_t>(v - 1)]);
    }
  }

  std::vector<std::string> searchWords;
  TDisplayContext context;
  std::unique_ptr<TBibleRichEdit1> edit;
  std::vector<std::string> verses;
};

// Made in main, after the QApplication, and freed before it goes.
TChapter* gChapter = nullptr;

TChapter& Chapter() { return *gChapter; }

void BM_AppendChapter(benchmark::State& state) {
  TChapter& chapter = Chapter();
  for (auto _ : state) chapter.Fill();
  chapter.edit->Layout();
  state.counters["chars"] = static_cast<double>(chapter.edit->Content().size());
}
BENCHMARK(BM_AppendChapter)->Unit(benchmark::kMillisecond);

void BM_Layout(benchmark::State& state) {
  TChapter& chapter = Chapter();
  for (auto _ : state) chapter.edit->Layout();
  state.counters["chars"] = static_cast<double>(chapter.edit->Content().size());
  state.counters["boxes"] = chapter.edit->BoxCount();
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond);

// Paints the visible part at the top (`range(0)` = 0) or in the middle of
// the chapter, with part of it selected.
void BM_Paint(benchmark::State& state) {
  TChapter& chapter = Chapter();
  QScrollBar* bar = chapter.edit->ScrollBar();
  bar->setValue(state.range(0) == 0 ? 0 : bar->maximum() / 2);
  chapter.edit->SetSelStart(2000);
  chapter.edit->SetSelLength(3000);
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&image);
  for (auto _ : state) chapter.edit->Paint(painter);
  chapter.edit->SetSelLength(0);
}
BENCHMARK(BM_Paint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same through QWidget::render, as a paint event of the widget does it.
void BM_Render(benchmark::State& state) {
  TChapter& chapter = Chapter();
  chapter.edit->ScrollBar()->setValue(chapter.edit->ScrollBar()->maximum() / 2);
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) chapter.edit->render(&image);
}
BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond);

// Hit tests over the visible part, scrolled to the end of the chapter (the
// longest walk through the boxes).
void BM_CharIndexAt(benchmark::State& state) {
  TChapter& chapter = Chapter();
  QScrollBar* bar = chapter.edit->ScrollBar();
  bar->setValue(bar->maximum());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> x(0, bar->x() - 1);
  std::uniform_int_distribution<int> y(0, kHeight - 1);
  std::vector<std::pair<int, int>> points(1024);
  for (auto& p : points) p = {x(random), y(random)};
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& p = points[i++ % points.size()];
    benchmark::DoNotOptimize(chapter.edit->CharIndexAt(p.first, p.second));
  }
}
BENCHMARK(BM_CharIndexAt)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  auto chapter = std::make_unique<TChapter>();
  gChapter = chapter.get();
  benchmark::RunSpecifiedBenchmarks();
  gChapter = nullptr;
  chapter.reset();
  benchmark::Shutdown();
  return 0;
}
