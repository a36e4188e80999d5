#include "tools/audio/ChapterAudio.h"

#include <QAction>

#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "store/AudioNames.h"
#include "store/Bible.h"
#include "store/BibleSet.h"
#include "store/BinaryFile.h"
#include "store/LectoraError.h"
#include "store/StandardStructure.h"
#include "tools/audio/ChapterFileFinder.h"
#include "tools/player/IAudioPlayer.h"

namespace lectora {

namespace {

// How far the end of play looks for a next verse the active translation
// has: standard verses it lacks are passed over, so that a gap in its
// numbering cannot replay the same verse for ever.
constexpr int kMaxSkippedVerses = 64;

}  // namespace

TChapterAudio::TChapterAudio(TServices services, THooks hooks, QObject* parent)
    : QObject(parent),
      s_(std::move(services)),
      hooks_(std::move(hooks)),
      marksFile_(s_.MarksFileName) {
  timer_.setSingleShot(true);
  timer_.setInterval(kStartDelayMs);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TChapterAudio::StartTimerTick);
  connect(&s_.Player, &IAudioPlayer::PlayEnded, this, &TChapterAudio::VerseEnded);
  connect(&s_.Player, &IAudioPlayer::Loaded, this, &TChapterAudio::FileLoaded);
  connect(&s_.Player, &IAudioPlayer::Error, this, [this](const QString& message) {
    if (OwnsPlayer()) PlayerFailed(message);
  });
  connect(&s_.Speak, &QAction::toggled, this, [this] {
    StopAudio();
    PlayCurrentVerse();
  });
}

TChapterAudio::~TChapterAudio() = default;

TBible* TChapterAudio::AudioModule() {
  if (!audioModuleMissing_) {
    TBible* module = s_.Bibles[kAudioTranslation];
    if (module == nullptr && !BinaryFile::Exists(s_.AudioModuleTitles)) {
      audioModuleMissing_ = true;
      return s_.Active.Bible();
    }
    if (module == nullptr) module = &s_.Bibles.Open(kAudioTranslation);
    if (module->Loaded()) return module;
    // Not installed: asked once; the reading follows the active translation.
    s_.Bibles.Close(kAudioTranslation);
    audioModuleMissing_ = true;
  }
  return s_.Active.Bible();
}

bool TChapterAudio::ResolvePlace(TAudioPlace& place) {
  place.Module = AudioModule();
  if (place.Module == nullptr) return false;
  place.Standard = s_.Navigator.Place().StandardNumber;
  int book = 0;
  s_.Standard.StandardToRef(place.Standard, book, place.Chapter, place.Verse);
  place.Module->StandardToOwnRef(book, place.Chapter, place.Verse);
  if (book < 1 || book > TBible::kBookNumbers) return false;
  place.Position = place.Module->TranslationNumber == kAudioTranslation
                       ? place.Module->BookPosition[static_cast<std::size_t>(book)]
                       : AudioBookPosition(book);
  const auto& counts = place.Module->Books[static_cast<std::size_t>(book)].VerseCounts;
  if (place.Position < 1 || place.Position > kAudioBooks || place.Chapter < 1 ||
      place.Chapter > static_cast<int>(counts.size()) || place.Verse < 1) {
    return false;
  }
  place.VerseCount = counts[static_cast<std::size_t>(place.Chapter - 1)];
  return true;
}

void TChapterAudio::PlayCurrentVerse() {
  if (!s_.Speak.isChecked() || (hooks_.LogoShowing && hooks_.LogoShowing())) return;
  TAudioPlace place;
  if (!ResolvePlace(place)) return;
  const QString path = s_.Finder.Find(place.Position, place.Chapter);
  if (path.isEmpty()) {
    ReleaseSpeak();
    return;
  }
  // The logo window may have played its sound in between.
  if (!OwnsPlayer() || path != currentFile_) {
    if (!OpenChapterFile(path)) return;
  }
  verse_ = place.Verse;
  if (!loaded_) {
    // The length is not known yet: the file's Loaded continues.
    wantPlay_ = true;
    return;
  }
  // A player may learn the file's length only once it plays: estimated
  // marks wait for it.
  if (!marksLoaded_ || (marks_.FileLength <= 0 && s_.Player.Length() > 0)) {
    LoadChapterMarks(place);
  }
  StartVerse(place.Verse);
}

bool TChapterAudio::OpenChapterFile(const QString& path) {
  SaveMarks();
  if (!s_.Player.IsPlaying()) s_.Player.Close();
  currentFile_ = path;
  loaded_ = false;
  marksLoaded_ = false;
  if (!s_.Player.Open(path)) {
    PlayerFailed(QString());
    return false;
  }
  if (s_.Player.Length() > 0) loaded_ = true;
  return true;
}

void TChapterAudio::LoadChapterMarks(const TAudioPlace& place) {
  const std::vector<std::int32_t> lengths =
      hooks_.TextLengths ? hooks_.TextLengths() : std::vector<std::int32_t>{};
  TAudioMarks::TSource source = TAudioMarks::TSource::NoEstimate;
  try {
    source = marks_.Load(marksFile_, place.Standard - place.Verse, place.VerseCount,
                         s_.Player.Length(), lengths);
  } catch (const LectoraError& error) {
    Inform(QString::fromStdString(error.what()));
    marks_.Reset(place.VerseCount);
    marks_.ChapterBase = place.Standard - place.Verse;
    marks_.FileLength = s_.Player.Length();
    marks_.Estimate(lengths);
  }
  marksLoaded_ = true;
  Q_EMIT MarksLoaded(source == TAudioMarks::TSource::File);
}

void TChapterAudio::StartVerse(int verse) {
  start_ = marks_.Start(verse);
  end_ = marks_.End(verse, editing_);
  Q_EMIT VerseStartChanged(start_);
  timer_.start();
}

void TChapterAudio::StartTimerTick() {
  s_.Player.Play(start_, end_);
  attached_ = true;
}

void TChapterAudio::StopAudio() {
  if (hooks_.LogoShowing && hooks_.LogoShowing()) return;
  attached_ = false;
  wantPlay_ = false;
  timer_.stop();
  if (s_.Player.IsPlaying()) s_.Player.Stop();
}

bool TChapterAudio::OwnsPlayer() const {
  return !currentFile_.isEmpty() && s_.Player.FileName() == currentFile_;
}

void TChapterAudio::VerseEnded() {
  if (!attached_ || !OwnsPlayer()) return;
  attached_ = false;
  if (hooks_.LogoShowing && hooks_.LogoShowing() && hooks_.CloseLogo) hooks_.CloseLogo();
  const std::int32_t next = NextStandard();
  if (next > 0) s_.Navigator.GoToStandard(next);
}

std::int32_t TChapterAudio::NextStandard() const {
  const std::int32_t current = s_.Navigator.Place().StandardNumber;
  const TBible* active = s_.Active.Bible();
  if (active == nullptr) return 0;
  const int verseNumber = s_.Navigator.Place().VerseNumber;
  for (int step = 1; step <= kMaxSkippedVerses; ++step) {
    const int number = active->FromStandard(current + step);
    if (number > 0 && number != verseNumber) return current + step;
  }
  return 0;
}

void TChapterAudio::FileLoaded() {
  if (!OwnsPlayer()) return;
  loaded_ = true;
  if (!wantPlay_) return;
  wantPlay_ = false;
  PlayCurrentVerse();
}

void TChapterAudio::PlayerFailed(const QString& message) {
  const QString file = currentFile_;
  currentFile_.clear();
  loaded_ = false;
  marksLoaded_ = false;
  attached_ = false;
  // One notice for a file; the speak command goes off, so nothing retries.
  if (file != failedFile_) {
    failedFile_ = file;
    const char* english = "The chapter recording cannot be played:";
    QString text =
        (hooks_.Notice ? hooks_.Notice("AudioCannotPlay", english) : QString::fromLatin1(english)) +
        QStringLiteral(" ") + file;
    if (!message.isEmpty()) text += QStringLiteral(" (") + message + QStringLiteral(")");
    Inform(text);
  }
  ReleaseSpeak();
}

void TChapterAudio::ReleaseSpeak() {
  if (s_.Speak.isChecked()) s_.Speak.setChecked(false);
}

void TChapterAudio::SaveMarks() {
  if (!marks_.Modified || s_.ReadOnly) return;
  try {
    marks_.WriteBack(marksFile_);
  } catch (const LectoraError& error) {
    marks_.Modified = false;
    Inform(QString::fromStdString(error.what()));
  }
}

void TChapterAudio::Inform(const QString& text) const {
  if (hooks_.ShowInfo) hooks_.ShowInfo(text);
}

}  // namespace lectora
