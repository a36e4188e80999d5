#include "display/BibleComboBox.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

#include "display/HistoryContext.h"
#include "display/HistoryFile.h"
#include "store/CodePage.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

const QDate kTimeEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
// Next starts from this bound, so later times are not offered.
constexpr double kNextBound = 1e20;

bool IsSeparator(const QAction* action) {
  return action->isSeparator() || action->text() == QStringLiteral("-");
}

int Compare(const std::string& a, const std::string& b) {
  const int c = a.compare(b);  // byte by byte, as unsigned bytes
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <typename T>
int Compare(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename T>
void Rotate(std::vector<T>& v, int from, int to) {
  const auto at = [&v](int i) { return v.begin() + i; };
  if (from >= to) {
    std::rotate(at(to), at(from), at(from + 1));
  } else {
    std::rotate(at(from), at(from + 1), at(to + 1));
  }
}

}  // namespace

TBibleComboBox::TBibleComboBox(THistoryContext& context, QWidget* parent)
    : TODComboBox(parent), context_(context) {}

int TBibleComboBox::InsertPosition(const std::string& text, std::uint16_t index,
                                   double time) const {
  const int count = Count();
  if (count == 0) return 0;
  // The new key against the key of entry i: -1 smaller, 0 equal, 1 greater.
  const auto compare = [&](int i) {
    const auto at = static_cast<std::size_t>(i);
    switch (sorted_) {
      case TSorted::byText:
        return Compare(text, items_[at]);
      case TSorted::byTime:
        return Compare(time, times_[at]);
      case TSorted::byIndex:
        return Compare(index, indexes_[at]);
    }
    return 0;
  };
  int lo = 0;
  int hi = count - 1;
  while (hi - lo >= 2) {
    const int mid = (lo + hi) / 2;
    if (compare(mid) <= 0) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  if (compare(lo) <= 0) return lo;
  if (compare(hi) > 0) return hi + 1;
  return hi;
}

void TBibleComboBox::Add(std::uint16_t index, const std::string& text, double time) {
  if (text.empty()) return;
  const int existing = IndexOf(text);
  int position = InsertPosition(text, index, time);
  // A listed entry only moves, so the end is the last place it can take.
  // With byTime this is the usual case: a revisit goes to the end; with the
  // other orders it guards against a list that is not in its order.
  if (existing >= 0 && position > Count() - 1) position = Count() - 1;
  if (existing < 0) {
    Insert(position, index, text, time);
  } else {
    MoveEntry(existing, position);
    const auto at = static_cast<std::size_t>(position);
    items_[at] = text;
    indexes_[at] = index;
    times_[at] = time;
    ItemsChanged();
  }
  SetItemIndexQuiet(position);
  currentTime_ = time;
  UpdateButtons();
}

void TBibleComboBox::Insert(int position, std::uint16_t index, const std::string& text,
                            double time) {
  position = std::clamp(position, 0, Count());
  items_.insert(items_.begin() + position, text);
  indexes_.insert(indexes_.begin() + position, index);
  times_.insert(times_.begin() + position, time);
  ItemsChanged();
}

void TBibleComboBox::MoveEntry(int from, int to) {
  Rotate(items_, from, to);
  Rotate(indexes_, from, to);
  Rotate(times_, from, to);
}

void TBibleComboBox::Clear() {
  items_.clear();
  times_.clear();
  indexes_.clear();
  SetItemIndexQuiet(-1);
  SetTextQuiet(std::string());
  ItemsChanged();
}

void TBibleComboBox::Change() {
  TODComboBox::Change();
  const int selected = ItemIndex();
  if (selected >= 0 && selected < Count()) {
    currentTime_ = times_[static_cast<std::size_t>(selected)];
    UpdateButtons();
  }
}

bool TBibleComboBox::Less(TSorted order, std::size_t a, std::size_t b) const {
  switch (order) {
    case TSorted::byText:
      return items_[a].compare(items_[b]) < 0;
    case TSorted::byTime:
      return times_[a] < times_[b];
    case TSorted::byIndex:
      return indexes_[a] < indexes_[b];
  }
  return false;
}

void TBibleComboBox::SwapEntries(std::size_t a, std::size_t b) {
  std::swap(items_[a], items_[b]);
  std::swap(indexes_[a], indexes_[b]);
  std::swap(times_[a], times_[b]);
}

void TBibleComboBox::SetSorted(TSorted sorted) {
  CheckMenuItem(sorted_, false);
  sorted_ = sorted;
  CheckMenuItem(sorted_, true);
  // Selection sort: the first of equal keys is taken, so ties keep their
  // order as far as a selection sort keeps it.
  const std::size_t count = items_.size();
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t smallest = i;
    for (std::size_t j = i + 1; j < count; ++j) {
      if (Less(sorted_, j, smallest)) smallest = j;
    }
    if (smallest != i) SwapEntries(i, smallest);
  }
  if (count > 0) SetItemIndexQuiet(IndexOf(Text()));
  ItemsChanged();
}

void TBibleComboBox::CheckMenuItem(TSorted order, bool checked) {
  QMenu* menu = PopupMenu();
  if (menu == nullptr) return;
  const QList<QAction*> actions = menu->actions();
  const int position = static_cast<int>(order);
  if (position >= actions.size() || IsSeparator(actions[position])) return;
  actions[position]->setCheckable(true);
  actions[position]->setChecked(checked);
}

void TBibleComboBox::SetPopupMenu(QMenu* menu) {
  for (const QMetaObject::Connection& connection : menuConnections_) disconnect(connection);
  menuConnections_.clear();
  TODComboBox::SetPopupMenu(menu);
  if (menu == nullptr) return;
  const QPointer<QMenu> watched(menu);
  for (QAction* action : menu->actions()) {
    menuConnections_.push_back(connect(action, &QAction::triggered, this, [this, watched, action] {
      if (watched != nullptr) MenuClick(static_cast<int>(watched->actions().indexOf(action)));
    }));
  }
  CheckMenuItem(sorted_, true);
}

void TBibleComboBox::MenuClick(int position) {
  if (position < 0) return;
  QMenu* menu = PopupMenu();
  const bool noIndexItem =
      menu != nullptr && menu->actions().size() > 2 && IsSeparator(menu->actions()[2]);
  const int item = noIndexItem && position >= 2 ? position + 1 : position;
  switch (item) {
    case 0:
      SetSorted(TSorted::byText);
      break;
    case 1:
      SetSorted(TSorted::byTime);
      break;
    case 2:
      SetSorted(TSorted::byIndex);
      break;
    case 4:
      Clear();
      UpdateButtons();
      break;
    case 5:
      context_.ShowMessage(context_.CountText1 + " " + std::to_string(Count()) + " " +
                           context_.CountText2);
      break;
    default:
      break;
  }
}

void TBibleComboBox::AttachButton(QPointer<QAbstractButton>& slot,
                                  QMetaObject::Connection& connection, QAbstractButton* button,
                                  void (TBibleComboBox::*handler)()) {
  disconnect(connection);
  slot = button;
  if (button != nullptr) connection = connect(button, &QAbstractButton::clicked, this, handler);
}

void TBibleComboBox::SetBackButton(QAbstractButton* button, std::function<void()> chained) {
  AttachButton(backButton_, backConnection_, button, &TBibleComboBox::BackClick);
  backChained_ = std::move(chained);
}

void TBibleComboBox::SetNextButton(QAbstractButton* button, std::function<void()> chained) {
  AttachButton(nextButton_, nextConnection_, button, &TBibleComboBox::NextClick);
  nextChained_ = std::move(chained);
}

void TBibleComboBox::BackClick() {
  if (prevIndex_ < 0 || prevIndex_ >= Count()) return;
  currentTime_ = times_[static_cast<std::size_t>(prevIndex_)];
  SetItemIndex(prevIndex_);
  // A copy: the handler may attach another one while it runs.
  const std::function<void()> chained = backChained_;
  if (chained) chained();
  Change();
}

void TBibleComboBox::NextClick() {
  if (nextIndex_ < 0 || nextIndex_ >= Count()) return;
  currentTime_ = times_[static_cast<std::size_t>(nextIndex_)];
  SetItemIndex(nextIndex_);
  const std::function<void()> chained = nextChained_;
  if (chained) chained();
  Change();
}

void TBibleComboBox::UpdateButtons() {
  prevIndex_ = -1;
  nextIndex_ = -1;
  double latestBefore = 0;
  double earliestAfter = kNextBound;
  for (std::size_t i = 0; i < times_.size(); ++i) {
    const double time = times_[i];
    if (time < currentTime_ && (prevIndex_ < 0 || time > latestBefore)) {
      prevIndex_ = static_cast<int>(i);
      latestBefore = time;
    }
    if (time > currentTime_ && time < earliestAfter) {
      nextIndex_ = static_cast<int>(i);
      earliestAfter = time;
    }
  }
  if (backButton_ != nullptr) backButton_->setEnabled(prevIndex_ >= 0);
  if (nextButton_ != nullptr) nextButton_->setEnabled(nextIndex_ >= 0);
}

void TBibleComboBox::LoadFromFile(const std::string& fileName) {
  items_.clear();
  times_.clear();
  indexes_.clear();
  SetItemIndexQuiet(-1);
  double latest = 0;
  THistoryFile file;
  const THistoryFile::TLoadState state = file.Load(fileName);
  if (state == THistoryFile::TLoadState::Complete || state == THistoryFile::TLoadState::Damaged) {
    SetSorted(static_cast<TSorted>(file.Sorted));
    items_.reserve(file.Entries.size());
    times_.reserve(file.Entries.size());
    indexes_.reserve(file.Entries.size());
    for (THistoryFile::TEntry& entry : file.Entries) {
      items_.push_back(std::move(entry.Text));
      times_.push_back(entry.Time);
      indexes_.push_back(entry.Index);
      latest = std::max(latest, entry.Time);
    }
  }
  const bool partial =
      state == THistoryFile::TLoadState::Damaged || state == THistoryFile::TLoadState::Unreadable;
  guardedFile_.clear();
  if (partial) KeepPartlyReadFile(fileName);
  currentTime_ = latest;
  UpdateButtons();
  ItemsChanged();
}

void TBibleComboBox::KeepPartlyReadFile(const std::string& fileName) {
  // The next save would write back only what was understood; the user's
  // file must survive that, so a copy goes beside it first.
  const THistoryFile::TKeptCopy kept = THistoryFile::KeepCopy(fileName);
  if (kept.FileName.empty()) {
    // Without a copy the file must not be replaced at all.
    guardedFile_ = fileName;
    return;
  }
  if (kept.Created) {
    context_.ShowMessage(Utf8ToCodePageLossy("The list file " + fileName +
                                                 " could not be read completely. It was kept as " +
                                                 kept.FileName + ".",
                                             1251));
  }
}

bool TBibleComboBox::SaveToFile(const std::string& fileName) {
  THistoryFile file;
  file.Sorted = static_cast<int>(sorted_);
  file.BoxText = Text();
  file.Entries.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    file.Entries.push_back(THistoryFile::TEntry{times_[i], indexes_[i], items_[i]});
  }
  try {
    if (!guardedFile_.empty() && guardedFile_ == fileName) {
      throw LectoraError(fileName, 0, "read only in part and no copy could be kept");
    }
    file.Save(fileName);
    return true;
  } catch (const std::exception&) {
    if (!context_.SaveErrorShown) {
      context_.SaveErrorShown = true;
      context_.ShowMessage("The list can't be saved.");
    }
    return false;
  }
}

double TBibleComboBox::TimeOf(const QDateTime& time) {
  if (!time.isValid()) return 0;
  const QDateTime local = time.toLocalTime();
  const double days = static_cast<double>(kTimeEpoch.daysTo(local.date()));
  const double fraction = local.time().msecsSinceStartOfDay() / kMsPerDay;
  // Before the epoch the fraction still counts forward from midnight.
  return days >= 0 ? days + fraction : days - fraction;
}

QDateTime TBibleComboBox::DateTimeOf(double time) {
  // About 27,000 years either way; beyond that QDate has no use for it.
  if (!std::isfinite(time) || std::fabs(time) > 1e7) return QDateTime();
  double whole = 0;
  const double fraction = std::modf(time, &whole);
  const auto ms = std::min<long long>(std::llround(std::fabs(fraction) * kMsPerDay),
                                      static_cast<long long>(kMsPerDay) - 1);
  return QDateTime(kTimeEpoch.addDays(static_cast<qint64>(whole)),
                   QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::LocalTime);
}

}  // namespace lectora
