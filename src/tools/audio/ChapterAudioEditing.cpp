// The editing mode of the chapter audio: the operator's keys that set the
// verse marks while the recording plays, and the position field's edits.
#include <QAction>
#include <algorithm>
#include <cstdint>

#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "store/Bible.h"
#include "store/LectoraError.h"
#include "tools/audio/ChapterAudio.h"
#include "tools/player/IAudioPlayer.h"

namespace lectora {

namespace {

std::int32_t Clamped(qint64 position) {
  return static_cast<std::int32_t>(std::clamp<qint64>(position, 0, INT32_MAX));
}

}  // namespace

void TChapterAudio::PositionEdited(int value) {
  if (!s_.Speak.isChecked()) s_.Speak.setChecked(true);
  if (!marksLoaded_) return;
  marks_.SetMark(verse_ - 1, value);
  s_.Navigator.GoToStandard(s_.Navigator.Place().StandardNumber);
}

void TChapterAudio::MarkStart() {
  if (!marksLoaded_) return;
  marks_.SetMark(verse_ - 1, Clamped(s_.Player.Position()));
  s_.Navigator.GoToStandard(s_.Navigator.Place().StandardNumber);
}

void TChapterAudio::MarkEnd() {
  if (!marksLoaded_) return;
  marks_.SetMark(verse_, Clamped(s_.Player.Position()));
  s_.Navigator.GoToStandard(s_.Navigator.Place().StandardNumber + 1);
}

void TChapterAudio::AskReEstimate() {
  if (hooks_.AskYesNo)
    marks_.ReEstimate = hooks_.AskYesNo(QStringLiteral("Clear sound positions?"), false);
}

void TChapterAudio::InsertRecord() {
  if (s_.ReadOnly || !hooks_.AskYesNo) return;
  if (!hooks_.AskYesNo(QStringLiteral("Insert a record?"), true)) return;
  try {
    marksFile_.InsertRecord(s_.Navigator.Place().StandardNumber);
  } catch (const LectoraError& error) {
    Inform(QString::fromStdString(error.what()));
  }
}

void TChapterAudio::ShowVerseNumbers() {
  const TBible* active = s_.Active.Bible();
  if (active == nullptr) return;
  Inform(QString::number(active->VerseTotal) + QLatin1Char(' ') +
         QString::number(s_.Navigator.Place().StandardNumber));
}

}  // namespace lectora
