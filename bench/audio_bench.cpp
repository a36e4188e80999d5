// Benchmarks of the chapter audio.
// - BM_OpenChapterAndLoadMarks: a chapter recording (a 60 s MP3 made with
//   sox) opened in the program's player until it has loaded, and the
//   chapter's marks read from a full marks file. Target: under 30 ms.
// - BM_LoadMarks: the marks alone, from the same file.
// - BM_VerseAdvance: the program's own share of going on to the next
//   verse, on the real King James module with a fake player: from the end
//   of a verse's stretch until every window shows the next verse and the
//   next stretch is played (the 5 ms start timer included). Target: under
//   50 ms.
// - BM_ReadAloudWithGStreamer: the real player reading John 3 of the data
//   build aloud (needs a sound output: scripts/with-null-sink gives one);
//   late_ms: how long after its stretch was due each next verse came;
//   gap_ms: from the pause at a verse's end to the next verse's first
//   position, the silence between two verses.
// - BM_MemoryWhilePlaying: the resident memory of the program reading John
//   3 aloud, above the same program before it ever played (the sound system
//   is loaded at the first sound). Registered first, so that it runs before
//   any other benchmark has loaded the sound system. Target: 40 MB above.
// Usage: scripts/with-null-sink audio_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../tests/gui/AudioFakes.h"
#include "GuiBench.h"
#include "app/ActionRegistry.h"
#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"
#include "store/AudioMarks.h"
#include "store/AudioMarksFile.h"
#include "tools/player/MediaAudioPlayer.h"

namespace {

using namespace lectora;

constexpr std::int32_t kJohn3Base = 26000;  // any chapter inside the file
constexpr int kJohn3Verses = 36;

// A marks file of one entry per standard verse.
void WriteFullMarksFile(const QString& fileName) {
  std::vector<std::int32_t> entries(TAudioMarksFile::kLastShiftedEntry + 1);
  for (std::size_t i = 0; i < entries.size(); ++i)
    entries[i] = static_cast<std::int32_t>(i % 40) * 1500;
  TAudioMarksFile(fileName.toStdString()).Write(0, entries);
}

// This process's resident memory in MiB (VmRSS of /proc/self/status).
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

bool MakeRecording(const QString& fileName, int seconds) {
  if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty()) return false;
  return QProcess::execute(
             QStringLiteral("sox"),
             {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("22050"),
              QStringLiteral("-c"), QStringLiteral("1"), fileName, QStringLiteral("synth"),
              QString::number(seconds), QStringLiteral("sine"), QStringLiteral("440")}) == 0;
}

void BM_OpenChapterAndLoadMarks(benchmark::State& state) {
  QTemporaryDir dir;
  const QString recording = dir.filePath(QStringLiteral("john3.mp3"));
  const QString marksFile = dir.filePath(QStringLiteral("AudioMrk.bin"));
  if (!MakeRecording(recording, 60)) {
    state.SkipWithError("sox with MP3 support is needed to make the recording");
    return;
  }
  WriteFullMarksFile(marksFile);
  TMediaAudioPlayer player;
  const TAudioMarksFile file(marksFile.toStdString());
  TAudioMarks marks;
  for (auto _ : state) {
    player.Close();
    QSignalSpy loaded(&player, &IAudioPlayer::Loaded);
    QSignalSpy failed(&player, &IAudioPlayer::Error);
    if (!player.Open(recording)) {
      state.SkipWithError("the player cannot open the recording");
      return;
    }
    if (loaded.isEmpty() && failed.isEmpty()) loaded.wait(5000);
    if (loaded.isEmpty()) {
      state.SkipWithError("the player did not load the recording");
      return;
    }
    marks.Load(file, kJohn3Base, kJohn3Verses, player.Length(), {});
    benchmark::DoNotOptimize(marks.Mark(kJohn3Verses));
  }
  state.counters["length_ms"] = static_cast<double>(player.Length());
}

void BM_LoadMarks(benchmark::State& state) {
  QTemporaryDir dir;
  const QString marksFile = dir.filePath(QStringLiteral("AudioMrk.bin"));
  WriteFullMarksFile(marksFile);
  const TAudioMarksFile file(marksFile.toStdString());
  TAudioMarks marks;
  for (auto _ : state) {
    marks.Load(file, kJohn3Base, kJohn3Verses, 90000, {});
    benchmark::DoNotOptimize(marks.Mark(1));
  }
}

void BM_VerseAdvance(benchmark::State& state) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  bench::TRuntimeSetup setup("audio", {{"KJVSN", "KJVSN"}, {"ASV", "KJVSN"}});
  QDir().mkpath(QString::fromStdString(setup.Path() + "Audio"));
  for (int chapter = 1; chapter <= 21; ++chapter) {
    QFile file(
        QString::fromStdString(setup.Path() + "Audio/john" + std::to_string(chapter) + ".mp3"));
    file.open(QIODevice::WriteOnly);
  }
  test::FakeAudioPlayer player;
  TProgram::TStartOptions options;
  options.SetupFolder = setup.Path();
  options.ConfigHome = setup.Path() + "config";
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = true;
  options.AudioPlayer = &player;
  TProgram program(options);
  program.Window().resize(1200, 800);
  program.Window().show();
  program.Window().FormShow();
  program.Window().OpenTranslation(8);
  program.Window().OpenTranslation(9);
  program.Navigator().GoToReference("John 3:1");
  program.Actions().Get(QStringLiteral("ToolButton20")).setChecked(true);
  const auto waitForPlay = [&player](std::size_t count) {
    while (player.Plays.size() < count) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  };
  waitForPlay(1);
  for (auto _ : state) {
    const std::size_t plays = player.Plays.size();
    player.FinishStretch();
    waitForPlay(plays + 1);
    QApplication::processEvents();
  }
  state.counters["place"] = program.Navigator().Place().StandardNumber;
}

// False, with the benchmark skipped, without the data build's King James
// module and sample recordings.
bool HasSampleRecordings(benchmark::State& state) {
  if (bench::RuntimeHas({"KJVSN/BibleTitles.txt", "Audio/john3.mp3"})) return true;
  state.SkipWithError("no King James module or sample recordings: run make data");
  return false;
}

// The program over `setup` with the King James open at John 3:1, its own
// player reading the sample recordings.
std::unique_ptr<TProgram> StartAtJohn3(const bench::TRuntimeSetup& setup) {
  std::unique_ptr<TProgram> program = bench::StartProgram(setup.Path());
  program->Window().OpenTranslation(8);
  program->Navigator().GoToReference("John 3:1");
  return program;
}

// The real player on the data build's John 3 (a sound output is needed: a
// PulseAudio null sink will do): each iteration is one verse read through,
// from the move to it until the move to the next; the counter gives how far
// each verse's move came after the end of its stretch was due.
void BM_ReadAloudWithGStreamer(benchmark::State& state) {
  if (!HasSampleRecordings(state)) return;
  bench::TRuntimeSetup setup("audio", {{"KJVSN", "KJVSN"}, {"Audio", "Audio"}});
  const std::unique_ptr<TProgram> program = StartAtJohn3(setup);
  TAudioMarks expected;
  expected.Load(TAudioMarksFile(setup.Path() + "Audio/AudioMrk.bin"),
                program->Navigator().Place().StandardNumber - 1, kJohn3Verses, 0, {});
  QElapsedTimer clock;
  qint64 late = 0;
  // From the pause at a verse's end to the first position of the next
  // verse's stretch: the silence between two verses.
  qint64 endedAt = -1;
  qint64 gaps = 0;
  int gapCount = 0;
  IAudioPlayer& player = program->Player();
  QObject::connect(&player, &IAudioPlayer::PlayEnded, [&] { endedAt = clock.elapsed(); });
  QObject::connect(&player, &IAudioPlayer::PositionChanged, [&](qint64) {
    if (endedAt < 0) return;
    gaps += clock.elapsed() - endedAt;
    ++gapCount;
    endedAt = -1;
  });
  program->Actions().Get(QStringLiteral("ToolButton20")).setChecked(true);
  clock.start();
  for (auto _ : state) {
    const int verse = program->Navigator().Place().Verse;
    const qint64 due = expected.Mark(verse) - expected.Mark(verse - 1);
    const qint64 began = clock.elapsed();
    QSignalSpy moved(&program->Navigator(), &TNavigator::PositionShown);
    if (!moved.wait(static_cast<int>(due) + 3000)) {
      state.SkipWithError("the next verse did not come");
      return;
    }
    late += clock.elapsed() - began - due;
  }
  state.counters["late_ms"] =
      benchmark::Counter(static_cast<double>(late), benchmark::Counter::kAvgIterations);
  state.counters["gap_ms"] = gapCount > 0 ? static_cast<double>(gaps) / gapCount : -1;
}

void BM_MemoryWhilePlaying(benchmark::State& state) {
  if (!HasSampleRecordings(state)) return;
  bench::TRuntimeSetup setup("audio", {{"KJVSN", "KJVSN"}, {"Audio", "Audio"}});
  const std::unique_ptr<TProgram> program = StartAtJohn3(setup);
  QTest::qWait(500);
  const double before = ResidentMiB();
  double playing = before;
  QAction& speak = program->Actions().Get(QStringLiteral("ToolButton20"));
  for (auto _ : state) {
    speak.setChecked(true);
    // Three seconds into the chapter, every part of the sound system is in.
    QTest::qWait(3000);
    if (!program->Player().IsPlaying()) {
      state.SkipWithError("the chapter does not play: no sound output?");
      return;
    }
    playing = std::max(playing, ResidentMiB());
    speak.setChecked(false);
  }
  state.counters["before_MiB"] = before;
  state.counters["playing_MiB"] = playing;
  state.counters["added_MiB"] = playing - before;
}

BENCHMARK(BM_MemoryWhilePlaying)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenChapterAndLoadMarks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMarks)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VerseAdvance)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_ReadAloudWithGStreamer)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
