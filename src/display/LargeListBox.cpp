#include "display/LargeListBox.h"

#include <QApplication>
#include <QMenu>
#include <QMetaMethod>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "display/CDEdit.h"
#include "display/HistoryContext.h"
#include "search/LargeStringList.h"
#include "settings/AccessibleName.h"
#include "store/TextRoutines.h"

namespace lectora {

TLargeListBox::TLargeListBox(THistoryContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      comboBox_(new TBibleComboBox(context, this)),
      rowList_(new TMyListBox(this)),
      scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  rowList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rowList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rowList_->setSelectionMode(QAbstractItemView::SingleSelection);
  rowList_->setContextMenuPolicy(Qt::CustomContextMenu);
  rowList_->viewport()->installEventFilter(this);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  // Nothing to scroll until a source is set.
  scrollBar_->setRange(0, 0);
  scrollBar_->raise();

  connect(comboBox_, &TODComboBox::Changed, this, &TLargeListBox::ComboChange);
  connect(comboBox_, &TODComboBox::DroppedDown, this, [this] { droppedDown_ = true; });
  comboBox_->OnKeyPress = [this](char& key) {
    if (OnKeyPress) OnKeyPress(key);
  };
  connect(rowList_, &TMyListBox::Click, this, &TLargeListBox::RowClick);
  connect(rowList_, &TMyListBox::DblClick, this, &TLargeListBox::DblClick);
  connect(rowList_, &TMyListBox::KeyDown, this, &TLargeListBox::RowKeyDown);
  rowList_->OnKeyPress = [this](char& key) {
    if (OnKeyPress) OnKeyPress(key);
  };
  connect(rowList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (popupMenu2_ != nullptr) popupMenu2_->popup(rowList_->viewport()->mapToGlobal(pos));
  });
  connect(scrollBar_, &QScrollBar::valueChanged, this, &TLargeListBox::ScrollChange);
  // The hint of the whole control names its box, its edit field and its rows.
  FollowToolTip(*comboBox_, *this);
  FollowToolTip(*comboBox_->Edit(), *this);
  FollowToolTip(*rowList_, *this);
}

void TLargeListBox::SetList(TLargeStringList* source) {
  list_ = source;
  failureReported_ = false;
  if (list_ != nullptr && list_->Count() >= 1) {
    Locate();
  } else {
    // The rows and the bar must not go on showing the previous source.
    SetScrollMaximum(0);
    Refill();
  }
}

void TLargeListBox::SetText(const std::string& text) {
  const std::string old = comboBox_->Text();
  SetClearText(text);
  repaint();
  if (old != text) ComboChange();
}

void TLargeListBox::SetClearText(const std::string& text) {
  const std::string old = comboBox_->Text();
  const int selStart = comboBox_->SelStart();
  {
    const QSignalBlocker detached(comboBox_);
    const bool append = old.size() > 1 && (old.back() == ' ' || old.back() == '/');
    comboBox_->SetText(append ? old + text : text);
  }
  comboBox_->SetSelStart(selStart);
  comboBox_->SetSelLength(0);
}

void TLargeListBox::SetFont(const QFont& font) {
  comboBox_->setFont(font);
  rowList_->SetFont(font);
  Resize();
}

void TLargeListBox::SetCharset(int charset) {
  comboBox_->SetCharset(charset);
  rowList_->SetCharset(charset);
  Refill();
}

void TLargeListBox::Resize() {
  const int comboHeight = comboBox_->height();
  comboBox_->setGeometry(0, 0, width(), comboHeight);
  rowList_->setGeometry(0, comboHeight, width(), std::max(0, height() - comboHeight));
  const int barWidth = scrollBar_->sizeHint().width();
  scrollBar_->setGeometry(comboBox_->width() - barWidth, comboHeight + 2, barWidth,
                          std::max(0, rowList_->height() - 1));
  Refill();
}

void TLargeListBox::resizeEvent(QResizeEvent*) { Resize(); }

int TLargeListBox::VisibleCount() {
  const int rowHeight = rowList_->RowHeight();
  // The contents rectangle, not the viewport: it is right even before the
  // rows were shown and laid out.
  const int n = rowHeight > 0 ? rowList_->contentsRect().height() / rowHeight : 0;
  // The bar stands for the present source: a source that fits the view has
  // nothing to scroll, whatever the one before it needed. (Keeping the old
  // maximum would let the bar scroll into empty rows.)
  SetScrollMaximum(list_ != nullptr ? std::max(0, list_->Count() - n) : 0);
  if (n >= 2) scrollBar_->setPageStep(n - 1);
  return n;
}

void TLargeListBox::SetScrollMaximum(int maximum) {
  const QSignalBlocker quiet(scrollBar_);
  scrollBar_->setMaximum(maximum);
  // A maximum below the position moves the position; follow it.
  topIndex_ = std::min(topIndex_, scrollBar_->maximum());
}

void TLargeListBox::Refill() {
  rowList_->setUpdatesEnabled(false);
  rowList_->clear();
  if (list_ != nullptr) {
    try {
      const int visible = VisibleCount();
      const int last = std::min(topIndex_ + visible - 1, list_->Count() - 1);
      std::string text;
      for (int i = topIndex_; i <= last; ++i) {
        list_->Get(i, text);
        rowList_->AddText(text);
      }
    } catch (const std::exception& error) {
      ReportFailure(error);
    }
  }
  SelectRow(itemIndex_ - topIndex_);
  rowList_->setUpdatesEnabled(true);
}

void TLargeListBox::SelectRow(int row) {
  const QSignalBlocker quiet(rowList_);
  if (row >= 0 && row < rowList_->count()) {
    rowList_->setCurrentRow(row);
  } else {
    rowList_->setCurrentRow(-1);
    rowList_->clearSelection();
  }
}

void TLargeListBox::ComboChange() {
  Q_EMIT Changed();
  if (list_ != nullptr) Locate();
  if (droppedDown_ && IsConnected(&TLargeListBox::ChangeItemIndex) && itemIndexChanged_) {
    Q_EMIT ChangeItemIndex();
  }
  droppedDown_ = false;
}

void TLargeListBox::Locate() {
  if (list_ == nullptr) return;
  try {
    const std::string text = comboBox_->Text();
    const int count = list_->Count();
    const int index = list_->IndexOf(text);
    const int v = std::max(VisibleCount() - 1, 0);
    if (scrollType_ == TScrollType::stTop) {
      topIndex_ = index - 1;  // one row of context above the entry
      if (count - 1 < topIndex_ + v) topIndex_ = count - 1 - v;
    } else {
      if (index < topIndex_) topIndex_ = index;
      if (index > topIndex_ + v) topIndex_ = index - v;
    }
    topIndex_ = std::max(topIndex_, 0);

    std::string key;
    list_->Key(index, key);
    int selected = -1;
    // Only an entry of the source can be selected: IndexOf may answer the
    // place after the last entry.
    if (index >= 0 && index < count && LowerCase1251(text) == LowerCase1251(key)) {
      SetClearText(key);
      selected = index;
    } else {
      comboBox_->SetSelLength(0);
    }
    SelectEntry(selected);
  } catch (const std::exception& error) {
    ReportFailure(error);
  }
  {
    // The bar cannot go past its maximum; the view follows the bar.
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setValue(topIndex_);
  }
  topIndex_ = scrollBar_->value();
  Refill();
}

void TLargeListBox::SelectEntry(int index) {
  itemIndexChanged_ = index != itemIndex_ && IsConnected(&TLargeListBox::ChangeItemIndex);
  itemIndex_ = index;
  SelectRow(index - topIndex_);
  if (clicked_ && index >= 0 && isSignalConnected(QMetaMethod::fromSignal(&TLargeListBox::Click))) {
    Q_EMIT Click(rowList_);
  }
  clicked_ = false;
  if (index >= 0 && list_ != nullptr) {
    std::string key;
    try {
      list_->Key(index, key);
      SetClearText(key);
    } catch (const std::exception& error) {
      ReportFailure(error);
    }
  }
  if (itemIndexChanged_) Q_EMIT ChangeItemIndex();
  itemIndexChanged_ = false;
}

void TLargeListBox::RowClick() {
  const int row = rowList_->currentRow();
  if (row < 0) return;
  clicked_ = true;
  context_.LastRowClickSender = rowList_;
  SelectEntry(row + topIndex_);
}

void TLargeListBox::RowKeyDown(int key) {
  const int row = rowList_->currentRow();
  if (row < 0) return;
  if (key == Qt::Key_Up && row == 0 && scrollBar_->value() > 0) {
    scrollBar_->setValue(scrollBar_->value() - 1);
  } else if (key == Qt::Key_Down && row == rowList_->count() - 1 &&
             scrollBar_->value() < scrollBar_->maximum()) {
    scrollBar_->setValue(scrollBar_->value() + 1);
  }
}

void TLargeListBox::ScrollChange(int position) {
  topIndex_ = position;
  Refill();
}

bool TLargeListBox::eventFilter(QObject* watched, QEvent* event) {
  // The rows never scroll themselves; the wheel moves the bar instead.
  if (watched == rowList_->viewport() && event->type() == QEvent::Wheel) {
    QApplication::sendEvent(scrollBar_, event);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool TLargeListBox::IsConnected(void (TLargeListBox::*signal)()) const {
  return isSignalConnected(QMetaMethod::fromSignal(signal));
}

void TLargeListBox::ReportFailure(const std::exception& error) {
  // A damaged source would fail on every scroll step; one notice is enough.
  if (failureReported_) return;
  failureReported_ = true;
  context_.ShowMessage(error.what());
}

}  // namespace lectora
