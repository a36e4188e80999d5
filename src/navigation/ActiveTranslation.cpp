#include "navigation/ActiveTranslation.h"

#include <algorithm>
#include <utility>

#include "navigation/HistoryList.h"
#include "navigation/PlaceView.h"
#include "search/ConcList.h"
#include "store/Bible.h"
#include "store/Settings.h"

namespace lectora {

namespace {

constexpr const char* kSearchHistoryFile = "Search_List.txt";
constexpr const char* kVerseHistoryFile = "VerseHistory.txt";

}  // namespace

TActiveTranslation::TActiveTranslation(bool readOnly, const TSettings* paths, QObject* parent)
    : QObject(parent), readOnly_(readOnly), paths_(paths) {}

TActiveTranslation::~TActiveTranslation() = default;

void TActiveTranslation::AttachHistories(IHistoryList* searchHistory, IHistoryList* verseHistory) {
  searchHistory_ = searchHistory;
  verseHistory_ = verseHistory;
}

TBible* TActiveTranslation::Bible() const { return view_ != nullptr ? view_->Module() : nullptr; }

void TActiveTranslation::Activate(IPlaceView* view, const std::string& reference) {
  view_ = view;
  TBible* bible = Bible();
  if (bible == nullptr || bible == last_) return;
  if (last_ != nullptr) Save(*last_);
  last_ = bible;
  // The old word list goes only after the controls have let go of it.
  std::unique_ptr<TConcList> old = std::exchange(wordList_, std::make_unique<TConcList>(*bible));
  Q_EMIT TranslationChanged(bible);
  old.reset();
  if (searchHistory_ != nullptr) searchHistory_->LoadFromFile(ReadPath(*bible, kSearchHistoryFile));
  if (verseHistory_ != nullptr) {
    verseHistory_->LoadFromFile(ReadPath(*bible, kVerseHistoryFile));
    verseHistory_->SetText(reference);
  }
  Q_EMIT BookmarksChanged();
}

void TActiveTranslation::ViewClosed(IPlaceView* view, bool lastWindow) {
  if (view_ == view) view_ = nullptr;
  if (!lastWindow) return;
  if (last_ != nullptr) Save(*last_);
  last_ = nullptr;
  view_ = nullptr;
  Q_EMIT TranslationCleared();
  wordList_.reset();
}

void TActiveTranslation::SaveHistories() const {
  if (last_ != nullptr) Save(*last_);
}

void TActiveTranslation::Save(const TBible& bible) const {
  if (readOnly_) return;
  if (searchHistory_ != nullptr) searchHistory_->SaveToFile(WritePath(bible, kSearchHistoryFile));
  if (verseHistory_ != nullptr) verseHistory_->SaveToFile(WritePath(bible, kVerseHistoryFile));
}

std::string TActiveTranslation::ReadPath(const TBible& bible, const char* name) const {
  const std::string path = bible.DefaultPath + name;
  return paths_ != nullptr ? paths_->ReadPath(path) : path;
}

std::string TActiveTranslation::WritePath(const TBible& bible, const char* name) const {
  const std::string path = bible.DefaultPath + name;
  return paths_ != nullptr ? paths_->WritePath(path) : path;
}

void TActiveTranslation::AddBookmark(const std::string& reference) {
  TBible* bible = Bible();
  if (bible == nullptr || reference.empty()) return;
  bible->Bookmarks.push_back(reference);
  Q_EMIT BookmarksChanged();
}

bool TActiveTranslation::RemoveBookmark(int index) {
  TBible* bible = Bible();
  if (bible == nullptr || index < 0 || index >= static_cast<int>(bible->Bookmarks.size())) {
    return false;
  }
  bible->Bookmarks.erase(bible->Bookmarks.begin() + index);
  Q_EMIT BookmarkRemoved(index);
  return true;
}

bool TActiveTranslation::MoveBookmark(const std::string& previous, const std::string& current) {
  TBible* bible = Bible();
  if (bible == nullptr) return false;
  const int index = FindBookmark(previous);
  if (index < 0) return false;
  bible->Bookmarks[static_cast<std::size_t>(index)] = current;
  Q_EMIT BookmarksChanged();
  return true;
}

int TActiveTranslation::FindBookmark(const std::string& reference) const {
  const TBible* bible = Bible();
  if (bible == nullptr) return -1;
  const auto found = std::find(bible->Bookmarks.begin(), bible->Bookmarks.end(), reference);
  return found == bible->Bookmarks.end() ? -1 : static_cast<int>(found - bible->Bookmarks.begin());
}

}  // namespace lectora
