#include "navigation/Navigator.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>

#include "navigation/ActiveTranslation.h"
#include "navigation/PlaceView.h"
#include "navigation/VerseHistory.h"
#include "store/Bible.h"
#include "store/StandardStructure.h"

namespace lectora {

namespace {

// Days since 1899-12-30, the time unit of the history files.
double DaysNow() {
  static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
  return static_cast<double>(epoch.msecsTo(QDateTime::currentDateTime())) / 86400000.0;
}

}  // namespace

TNavigator::TNavigator(TActiveTranslation& active, const TStandardStructure& standard,
                       QObject* parent)
    : QObject(parent), active_(active), standard_(standard), now_(DaysNow), random_([](int bound) {
        return static_cast<int>(QRandomGenerator::global()->bounded(bound));
      }) {}

int TNavigator::CurrentBookPosition() const {
  const TBible* bible = active_.Bible();
  if (bible == nullptr || place_.Book < 1 || place_.Book > TBible::kBookNumbers) return 0;
  return bible->BookPosition[place_.Book];
}

int TNavigator::ChapterCount(int book) const {
  const TBible* bible = active_.Bible();
  if (bible == nullptr || book < 1 || book >= static_cast<int>(bible->Books.size())) return 0;
  return static_cast<int>(bible->Books[book].VerseCounts.size());
}

int TNavigator::VerseCount(int book, int chapter) const {
  if (chapter < 1 || chapter > ChapterCount(book)) return 0;
  return active_.Bible()->Books[book].VerseCounts[static_cast<std::size_t>(chapter - 1)];
}

void TNavigator::ShowPosition(int bookPosition, int chapter, int verse, bool scroll) {
  TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  Q_EMIT MoveStarting();
  const bool bookSelected = bookPosition >= 1 && bookPosition <= bible->BookCount;
  const int book = bookSelected ? bible->BookOrder[bookPosition] : active_.View()->ViewBook();
  place_.Book = book;
  const int chapters = ChapterCount(book);
  chapter = std::clamp(chapter, 1, std::max(chapters, 1));
  const int verses = VerseCount(book, chapter);
  if (verses > 0) verse = std::clamp(verse, 1, verses);
  verse = std::max(verse, 1);
  UpdateCurrentVerse(*bible, chapter, verse);
  if (bookSelected) place_.StandardNumber = bible->ToStandard(book, chapter, verse);
  RefreshViews(*bible, scroll);
  Q_EMIT PlaceChanged();
  Q_EMIT PositionShown();
}

void TNavigator::ShowPosition(bool scroll) {
  ShowPosition(CurrentBookPosition(), place_.Chapter, place_.Verse, scroll);
}

void TNavigator::UpdateCurrentVerse(TBible& bible, int chapter, int verse) {
  place_.Translation = bible.TranslationNumber;
  place_.Chapter = chapter;
  place_.Verse = verse;
  place_.VerseNumber = bible.VerseNumber(CurrentBookPosition(), chapter, verse);
  bible.ReferenceText(place_.VerseNumber, false, reference_);
  // The bookmark on the verse just left follows the reader.
  if (place_.VerseNumber >= 2) {
    std::string previous;
    bible.ReferenceText(place_.VerseNumber - 1, false, previous);
    active_.MoveBookmark(previous, reference_);
  }
  openedAt_ = now_();
  if (recordHistory_ && history_ != nullptr) {
    history_->Add(static_cast<std::uint16_t>(place_.VerseNumber), reference_, openedAt_);
  }
  recordHistory_ = true;
}

void TNavigator::RefreshViews(TBible& active, bool scroll) {
  if (!views_) return;
  const std::vector<IPlaceView*> views = views_();
  for (IPlaceView* view : views) {
    if (TBible* module = view->Module()) module->NeedsRefresh = true;
  }
  for (IPlaceView* view : views) {
    TBible* module = view->Module();
    if (module == nullptr || !module->NeedsRefresh) continue;
    int book = place_.Book, chapter = place_.Chapter, verse = place_.Verse;
    if (module != &active) {
      // Each translation shows the place in its own numbering, and keeps
      // that place as its own.
      standard_.StandardToRef(place_.StandardNumber, book, chapter, verse);
      module->StandardToOwnRef(book, chapter, verse);
    }
    view->ShowPlace(book, chapter, verse, scroll);
    module->NeedsRefresh = false;
  }
}

void TNavigator::RecordLeaving() {
  if (place_.VerseNumber >= 1 && recordHistory_ && history_ != nullptr && history_->Count() > 0) {
    history_->Add(static_cast<std::uint16_t>(place_.VerseNumber), reference_, openedAt_);
  }
}

void TNavigator::GoToVerse(int number) {
  TBible* bible = active_.Bible();
  if (bible == nullptr || number < 1) return;
  RecordLeaving();
  int position = 0, chapter = 0, verse = 0;
  bible->VerseToRef(number, position, chapter, verse);
  if (position < 1 || position > bible->BookCount) return;
  ShowPosition(position, chapter, verse, true);
}

void TNavigator::GoToStandard(std::int32_t standardNumber) {
  if (TBible* bible = active_.Bible()) GoToVerse(bible->FromStandard(standardNumber));
}

bool TNavigator::GoToReference(const std::string& text) {
  TBible* bible = active_.Bible();
  if (bible == nullptr) return false;
  int position = CurrentBookPosition();
  int chapter = 0, verse = 0;
  const bool found = bible->ParseReference(text, position, chapter, verse);
  // A book the module lacks has no place to go to: the place stays.
  if (!found || position < 1 || position > bible->BookCount) return false;
  ShowPosition(position, chapter, verse, true);
  return true;
}

void TNavigator::MoveBook(int delta, int chapter, int verse) {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const int position = CurrentBookPosition() + delta;
  if (position < 1 || position > bible->BookCount) return;
  ShowPosition(position, chapter, verse, true);
}

void TNavigator::StepVerse(int delta, int bookPosition, int chapter, int verse) {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  int number = bible->VerseNumber(bookPosition, chapter, verse);
  if (delta < 0 && number > 1) --number;
  if (delta > 0 && number < bible->VerseTotal) ++number;
  GoToVerse(number);
}

void TNavigator::GoToRandomVerse() {
  const TBible* bible = active_.Bible();
  if (bible != nullptr && bible->VerseTotal > 0) GoToVerse(random_(bible->VerseTotal) + 1);
}

void TNavigator::AdoptViewPlace(const IPlaceView& view) {
  TBible* bible = view.Module();
  if (bible == nullptr) return;
  place_.Translation = bible->TranslationNumber;
  place_.Book = view.ViewBook();
  place_.Chapter = view.ViewChapter();
  place_.Verse = view.ViewVerse();
  // The verse number and reference follow the new numbering, so that the
  // next history entry and bookmark name the verse shown.
  const int position = CurrentBookPosition();
  place_.VerseNumber =
      position > 0 ? bible->VerseNumber(position, place_.Chapter, place_.Verse) : 0;
  reference_.clear();
  if (place_.VerseNumber > 0) bible->ReferenceText(place_.VerseNumber, false, reference_);
  Q_EMIT PlaceChanged();
}

}  // namespace lectora
