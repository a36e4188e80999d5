// Benchmarks of the notes: a move with the notes window open and a 10 KB
// note on both verses (the note shown is edited, so each move saves one
// note through the journal and shows the other), measured as the whole
// move and as the notes window's part alone; and reading and writing a
// 1 MB Rich Text note through the editor's document.
// Targets (median, offscreen): a move's notes part under 5 ms; reading and
// writing the 1 MB note under 50 ms each.
// Usage: notes_bench [--runtime DIR] [benchmark options]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>
#include <string>

#include "GuiBench.h"
#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/Navigator.h"
#include "store/CodePage.h"
#include "store/rtf/RtfDocument.h"
#include "store/rtf/RtfReader.h"
#include "store/rtf/RtfWriter.h"
#include "tools/notes/NoteEdit.h"
#include "tools/notes/NoteForm1.h"
#include "tools/notes/NotesStore.h"
#include "tools/notes/RtfTextDocument.h"

namespace {

using namespace lectora;

constexpr int kKingJames = 8;

// A note of about `bytes` bytes of RTF: paragraphs of English and
// Cyrillic words, every fifth word bold, every seventh italic and red.
std::string MakeNote(std::size_t bytes) {
  TRtfDocument document;
  const char* const words[] = {"For",    "God", "so",      "loved",   "the",  "world",
                               "Защото", "Бог", "толкова", "възлюби", "света"};
  int count = 0;
  for (;;) {
    TRtfParagraph paragraph;
    for (int i = 0; i < 40; ++i, ++count) {
      TRtfFormat format;
      format.FontName = "Verdana";
      format.Charset = 204;
      format.HalfPoints = 20;
      format.Bold = count % 5 == 0;
      format.Italic = count % 7 == 0;
      if (format.Italic) format.Color = 0xC00000;
      std::string word = words[count % 11];
      word += ' ';
      paragraph.Runs.push_back(TRtfRun{Utf8ToUtf16(word), format});
    }
    document.Paragraphs.push_back(std::move(paragraph));
    if (document.Paragraphs.size() % 8 == 0) {
      std::string rtf = WriteRtf(document);
      if (rtf.size() >= bytes) return rtf;
    }
  }
}

class TNotesProgram {
 public:
  TNotesProgram() : setup_("notes", {{"KJVSN", "KJVSN"}}) {
    TProgram::TStartOptions options;
    options.SetupFolder = setup_.Path();
    options.ConfigHome = setup_.Path() + "config";
    options.ScriptedDialogs = true;
    program_ = std::make_unique<TProgram>(options);
    program_->Window().resize(1200, 800);
    program_->Window().show();
    program_->Window().FormShow();
    program_->Window().OpenTranslation(kKingJames);
  }
  TProgram& Program() { return *program_; }

 private:
  bench::TRuntimeSetup setup_;
  std::unique_ptr<TProgram> program_;
};

void BM_MoveWithTenKilobyteNotes(benchmark::State& state, bool notesOnly) {
  if (!bench::RuntimeHas({"KJVSN/BibleTitles.txt"})) {
    state.SkipWithError("no King James module: run make data, or pass --runtime DIR");
    return;
  }
  TNotesProgram run;
  TNavigator& navigator = run.Program().Navigator();
  TNoteForm1& notes = run.Program().NotesWindow();
  navigator.GoToReference("John 3:16");
  const std::int32_t first = navigator.Place().StandardNumber;
  navigator.GoToReference("Psalms 23:1");
  const std::int32_t second = navigator.Place().StandardNumber;
  const std::string note = MakeNote(10 * 1024);
  notes.Store().Save(first, note);
  notes.Store().Save(second, note);
  notes.ShowNotes(true);
  QApplication::processEvents();
  int turn = 0;
  for (auto _ : state) {
    // The reader changed the note just shown, so the move saves it.
    notes.Editor().textCursor().insertText(QStringLiteral("x"));
    const std::int32_t target = turn++ % 2 == 0 ? first : second;
    if (notesOnly) {
      notes.SetNote(target);
    } else {
      navigator.GoToStandard(target);
      QApplication::processEvents();
    }
    benchmark::DoNotOptimize(notes.Editor().document()->characterCount());
  }
  state.counters["note_bytes"] = static_cast<double>(note.size());
}
BENCHMARK_CAPTURE(BM_MoveWithTenKilobyteNotes, whole_move, false)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK_CAPTURE(BM_MoveWithTenKilobyteNotes, notes_part, true)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

void BM_ReadOneMegabyteNote(benchmark::State& state) {
  const std::string note = MakeNote(1 << 20);
  QTextDocument document;
  for (auto _ : state) {
    LoadRtfDocument(document, note);
    benchmark::DoNotOptimize(document.characterCount());
  }
  state.counters["rtf_bytes"] = static_cast<double>(note.size());
}
BENCHMARK(BM_ReadOneMegabyteNote)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The core's part of reading: the RTF into the model, without the editor.
void BM_ReadOneMegabyteNoteModelOnly(benchmark::State& state) {
  const std::string note = MakeNote(1 << 20);
  for (auto _ : state) {
    const TRtfDocument document = ReadRtf(note);
    benchmark::DoNotOptimize(document.Paragraphs.size());
  }
}
BENCHMARK(BM_ReadOneMegabyteNoteModelOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_WriteOneMegabyteNote(benchmark::State& state) {
  const std::string note = MakeNote(1 << 20);
  QTextDocument document;
  LoadRtfDocument(document, note);
  std::size_t written = 0;
  for (auto _ : state) {
    written = SaveRtfDocument(document).size();
    benchmark::DoNotOptimize(written);
  }
  state.counters["rtf_bytes"] = static_cast<double>(written);
}
BENCHMARK(BM_WriteOneMegabyteNote)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) { return lectora::bench::RunGuiBenchmarks(argc, argv); }
