#include "tools/search/SearchService.h"

#include <QAction>
#include <algorithm>

#include "app/InterfaceTexts.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "search/QueryParser.h"
#include "search/SearchContext.h"
#include "search/SearchNode.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"

namespace lectora {

TSearchService::TSearchService(TActiveTranslation& active, TNavigator& navigator,
                               TSearchContext& search, const TOptionValues& options,
                               const TInterfaceTexts& texts, QObject* parent)
    : QObject(parent),
      active_(active),
      navigator_(navigator),
      search_(search),
      options_(options),
      texts_(texts) {
  connect(&navigator, &TNavigator::PlaceChanged, this, &TSearchService::PlaceChanged);
  // Excerpts and the abbreviated names show at once in the list shown, under
  // the same title.
  connect(&options, &TOptionValues::OptionChanged, this, [this](int index) {
    if (index != TOptionValues::kTextFromVerse && index != TOptionValues::kAbrev) return;
    if (currentList_ == nullptr) return;
    const std::size_t bar = labelText_.rfind(" | ");
    ShowList(bar == std::string::npos ? std::string() : labelText_.substr(0, bar));
  });
  // Another module's verse numbers mean nothing in the list shown.
  const auto forget = [this] {
    Clear();
    Q_EMIT ListShown();
  };
  connect(&active, &TActiveTranslation::TranslationCleared, this, forget);
  connect(&active, &TActiveTranslation::TranslationChanged, this, forget);
}

TSearchService::~TSearchService() = default;

int TSearchService::Charset() const {
  const TBible* bible = active_.Bible();
  return bible != nullptr ? bible->Language.Charset() : 204;
}

int TSearchService::Order() const { return search_.WordOrder; }

void TSearchService::SetOrder(int order) {
  search_.WordOrder = std::clamp(order, 0, 2);
  Q_EMIT OrderChanged(search_.WordOrder);
}

int TSearchService::ActiveLanguage() const {
  const TBible* bible = active_.Bible();
  return bible != nullptr ? bible->Language.LanguageNumber() : kForeignLanguage;
}

void TSearchService::Clear() {
  searchRoot_.reset();
  currentList_.reset();
  lines_.clear();
  labelText_.clear();
}

void TSearchService::RunSearch(const std::string& text) {
  Clear();
  listKind_ = kSearchResults;
  const TBible* bible = active_.Bible();
  std::string title;
  if (bible != nullptr && ActiveLanguage() == SearchTextLanguage) {
    searchRoot_ = BuildQuery(text, *bible, search_);
  } else {
    // A query in another language finds nothing, and marks nothing.
    search_.SearchWords.clear();
  }
  if (searchRoot_ != nullptr) {
    currentList_ = CopyVerseList(searchRoot_->List.get());
    searchRoot_->QueryText(title);
    if (currentList_->Count() > 0 && box_ != nullptr) {
      box_->AddToHistory(text, currentList_->Items.front());
    }
  }
  ShowList(title);
  // Without a list the windows are not re-shown by ShowList; the marks of
  // the last query must still go.
  if (currentList_ == nullptr && RefreshWindows) RefreshWindows();
  SearchDone = true;
}

void TSearchService::SearchOfBox() {
  if (active_.Bible() != nullptr && box_ != nullptr) RunSearch(box_->BoxText());
}

void TSearchService::ShowList(const std::string& title) {
  lines_.clear();
  labelText_.clear();
  const TBible* bible = active_.Bible();
  if (currentList_ == nullptr || bible == nullptr) {
    Q_EMIT ListShown();
    return;
  }
  const bool altName = options_.GetOption(TOptionValues::kAbrev);
  const std::size_t count = currentList_->Count();
  lines_.resize(count);
  const bool excerpts = searchRoot_ != nullptr &&
                        VerseListsEqual(currentList_.get(), searchRoot_->List.get()) &&
                        options_.GetOption(TOptionValues::kTextFromVerse);
  for (std::size_t i = 0; i < count; ++i) {
    if (excerpts) {
      searchRoot_->ResultLine(static_cast<int>(i + 1), altName, lines_[i]);
    } else {
      bible->ReferenceText(currentList_->Items[i], altName, lines_[i]);
    }
  }
  labelText_ = title + " | " + std::to_string(count);
  Q_EMIT ListShown();
  Q_EMIT CurrentRowChanged(CurrentVerseRow());
  // The links of a verse change no searched word: the windows are marked
  // as they are.
  if (listKind_ == kSearchResults && RefreshWindows) RefreshWindows();
}

bool TSearchService::LinksViewOn() const {
  return linksButton_ != nullptr && linksButton_->isVisible() && linksButton_->isChecked();
}

void TSearchService::ShowLinksList() {
  if (!LinksViewOn()) return;
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const TVerseList* links = bible->GetLinks(navigator_.Place().VerseNumber, search_);
  // A verse without links shows an empty list under its title, not none.
  currentList_ = links != nullptr ? CopyVerseList(links) : NewVerseList();
  listKind_ = kLinks;
  ShowList(texts_.Translate("RefVers"));
}

void TSearchService::LinksViewToggled() {
  ShowLinksList();
  if (!LinksViewOn()) SearchOfBox();
}

void TSearchService::OpenFirstFound() {
  if (searchRoot_ == nullptr || searchRoot_->List->Count() == 0) return;
  navigator_.GoToVerse(searchRoot_->List->Items.front());
  Q_EMIT ListFocusWanted();
}

void TSearchService::SearchFor(const std::string& text) {
  Q_EMIT SearchPageWanted();
  SearchDone = false;
  SearchTextLanguage = ActiveLanguage();
  if (box_ == nullptr) return;
  box_->PutText(text);
  if (!SearchDone) SearchOfBox();
}

void TSearchService::SelectedWordChanged() {
  if (box_ == nullptr) return;
  if (box_->WordSelected()) {
    if (!IgnoreSpinChange) {
      RunSearch(box_->BoxText());
      Q_EMIT MarkedCopyEnabled(false);
    }
    IgnoreSpinChange = false;
  } else if (!IgnoreSpinChange) {
    SearchOfBox();
  }
}

void TSearchService::WordClicked() {
  SearchTextLanguage = ActiveLanguage();
  IgnoreSpinChange = false;
  if (!LinksViewOn()) return;
  if (listKind_ == kSearchResults) {
    ShowLinksList();
  } else if (box_ != nullptr) {
    RunSearch(box_->BoxText());
    Q_EMIT MarkedCopyEnabled(false);
  }
}

void TSearchService::ListClicked(const std::vector<int>& selected) {
  if (lines_.empty()) return;
  Q_EMIT MarkedCopyEnabled(!selected.empty());
  if (selected.size() == 1 && !LinksViewOn()) GoToRow(selected.front());
}

void TSearchService::ListDoubleClicked(int row) {
  if (!lines_.empty() && LinksViewOn()) GoToRow(row);
}

void TSearchService::GoToRow(int row) {
  if (currentList_ == nullptr || row < 0 ||
      static_cast<std::size_t>(row) >= currentList_->Count()) {
    return;
  }
  navigator_.GoToVerse(currentList_->Items[static_cast<std::size_t>(row)]);
}

int TSearchService::CurrentVerseRow() const {
  const int number = navigator_.Place().VerseNumber;
  if (currentList_ == nullptr || number < 1 || number > 0xFFFF) return -1;
  const int index = VerseListIndexOf(static_cast<std::uint16_t>(number), currentList_.get());
  return index < 1 ? -1 : index - 1;
}

void TSearchService::PlaceChanged() {
  if (LinksViewOn()) {
    ShowLinksList();
  } else {
    Q_EMIT CurrentRowChanged(CurrentVerseRow());
  }
}

}  // namespace lectora
