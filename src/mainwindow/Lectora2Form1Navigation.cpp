// The current place of the program and how the navigation controls move it:
// the book box, the chapter and verse spin edits with their double buttons,
// the verse history with Back and Next, the Goto menu and the bookmark that
// follows the reader. Every move ends in ShowPosition, which brings each
// translation's first window to the place in its own versification.
#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRandomGenerator>
#include <QToolButton>

#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/LargeListBox.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/DblButton.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/BibleSet.h"
#include "store/TextRoutines.h"
#include "store/TranslationTable.h"

namespace lectora {

namespace {

constexpr int kLastNewTestamentBook = 77;  // Revelation
constexpr int kMatthew = 51;

int ChapterCount(const TBible& bible, int bookNumber) {
  if (bookNumber < 1 || bookNumber >= static_cast<int>(bible.Books.size())) return 0;
  return static_cast<int>(bible.Books[bookNumber].VerseCounts.size());
}

}  // namespace

void TLectora2Form1::WireNavigation() {
  connect(bookBox_, &TODComboBox::Changed, this, &TLectora2Form1::BookBoxChanged);
  bookBox_->OnKeyPress = [this](char& key) { BookBoxKey(key); };
  for (TMySpinEdit* spin : {spinEdit1_, spinEdit2_}) {
    connect(spin, &QLineEdit::textChanged, this, &TLectora2Form1::SpinChanged);
    spin->installEventFilter(this);
  }
  spinEdit1_->OnMin = [this] { ChapterBelowMinimum(); };
  spinEdit1_->OnMax = [this] { ChapterAboveMaximum(); };
  spinEdit2_->OnMin = [this] { VerseBelowMinimum(); };
  spinEdit2_->OnMax = [this] { VerseAboveMaximum(); };
  connect(dblButton1_, &TDblButton::OnUpClick, this, [this] {
    spinEdit1_->SetValue(1);
    spinEdit1_->setFocus();
  });
  connect(dblButton1_, &TDblButton::OnDnClick, this, [this] {
    spinEdit1_->SetValue(spinEdit1_->MaxValue());
    spinEdit1_->setFocus();
  });
  connect(dblButton2_, &TDblButton::OnUpClick, this, [this] {
    spinEdit2_->SetValue(1);
    spinEdit2_->setFocus();
  });
  connect(dblButton2_, &TDblButton::OnDnClick, this, [this] {
    spinEdit2_->SetValue(spinEdit2_->MaxValue());
    spinEdit2_->setFocus();
  });
  connect(dblButton3_, &TDblButton::OnUpClick, this, &TLectora2Form1::BookButtonUp);
  connect(dblButton3_, &TDblButton::OnDnClick, this, &TLectora2Form1::BookButtonDown);
  // Stepping through the history must not record the steps.
  historyBox_->SetBackButton(toolButton3_, [this] { recordHistory_ = false; });
  historyBox_->SetNextButton(toolButton4_, [this] { recordHistory_ = false; });
  connect(historyBox_, &TODComboBox::Changed, this, &TLectora2Form1::HistoryChanged);
}

bool TLectora2Form1::eventFilter(QObject* watched, QEvent* event) {
  // The window area changes size with the main window and the left panel.
  if (event->type() == QEvent::Resize && watched == mdiArea_->viewport()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          TileWindows();
          for (TBibleForm1* window : BibleWindows()) window->BRichEdit1->ShowActive();
        },
        Qt::QueuedConnection);
  }
  if (event->type() == QEvent::KeyPress && (watched == spinEdit1_ || watched == spinEdit2_)) {
    SpinKey(*static_cast<TMySpinEdit*>(watched), static_cast<QKeyEvent*>(event)->key());
  }
  return QMainWindow::eventFilter(watched, event);
}

void TLectora2Form1::SetNavigationEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{bookBox_, spinEdit1_, spinEdit2_,
                                                          dblButton1_, dblButton2_, dblButton3_}) {
    control->setEnabled(enabled);
  }
  for (QAction* item : windowItems_) item->setVisible(enabled);
  panel3_->setVisible(enabled && toolButton12_->isChecked());
  if (!enabled) {
    toolButton3_->setEnabled(false);
    toolButton4_->setEnabled(false);
    copyAction_->setEnabled(false);
    TileWindows();
  }
}

void TLectora2Form1::FixSpin(TMySpinEdit& spin, int value) { spin.FixValue(value); }

int TLectora2Form1::SpinVerseNumber() const {
  const TBible* bible = ActiveBible();
  if (bible == nullptr) return 0;
  return bible->VerseNumber(bookBox_->ItemIndex() + 1, spinEdit1_->Value(), spinEdit2_->Value());
}

void TLectora2Form1::ShowPosition(bool scroll) {
  TBible* bible = ActiveBible();
  if (bible == nullptr) return;
  const int position = bookBox_->ItemIndex() + 1;
  const bool bookSelected = position >= 1 && position <= bible->BookCount;
  currentBook_ = bookSelected ? bible->BookOrder[position] : activeWindow_->Book;
  const int chapters = ChapterCount(*bible, currentBook_);
  spinEdit1_->SetMaxValue(chapters);
  if (spinEdit1_->text().isEmpty()) return;
  if (spinEdit1_->Value() > spinEdit1_->MaxValue()) FixSpin(*spinEdit1_, spinEdit1_->MaxValue());
  if (spinEdit1_->Value() < 1) FixSpin(*spinEdit1_, 1);
  if (chapters > 0) {
    spinEdit2_->SetMaxValue(bible->Books[currentBook_].VerseCounts[spinEdit1_->Value() - 1]);
  }
  if (spinEdit2_->text().isEmpty()) return;
  if (spinEdit2_->Value() > spinEdit2_->MaxValue()) FixSpin(*spinEdit2_, spinEdit2_->MaxValue());
  if (spinEdit2_->Value() < 1) FixSpin(*spinEdit2_, 1);
  UpdateCurrentVerse();
  if (bookSelected) {
    currentStandardNumber_ =
        bible->ToStandard(currentBook_, spinEdit1_->Value(), spinEdit2_->Value());
  }
  const std::vector<TBibleForm1*> windows = BibleWindows();
  for (TBibleForm1* window : windows) {
    if (window->Bible() != nullptr) window->Bible()->NeedsRefresh = true;
  }
  for (TBibleForm1* window : windows) {
    TBible* module = window->Bible();
    if (module == nullptr || !module->NeedsRefresh) continue;
    if (currentBook_ > 0) {
      window->Book = currentBook_;
      window->Chapter = spinEdit1_->Value();
      window->Verse = spinEdit2_->Value();
    }
    int book = window->Book, chapter = window->Chapter, verse = window->Verse;
    window->ShowChapter(book, chapter, verse);
    if (scroll) window->BRichEdit1->ShowActive();
    window->BRichEdit1->update();
    module->NeedsRefresh = false;
  }
  statusLabel_->setText(DecodeCharset(currentReference_, bible->Language.Charset()));
  Q_EMIT PositionShown();
}

void TLectora2Form1::UpdateCurrentVerse() {
  TBible& bible = *ActiveBible();
  currentVerseNumber_ =
      bible.VerseNumber(bible.BookPosition[currentBook_], spinEdit1_->Value(), spinEdit2_->Value());
  bible.ReferenceText(currentVerseNumber_, false, currentReference_);
  // The bookmark on the verse just left follows the reader.
  if (currentVerseNumber_ >= 2) {
    std::string previous;
    bible.ReferenceText(currentVerseNumber_ - 1, false, previous);
    const QList<QAction*> items = bookMark2_->actions();
    for (int k = 1; k < items.size(); ++k) {
      if (EncodeCharset(items[k]->text(), bible.Language.Charset()) != previous) continue;
      if (static_cast<std::size_t>(k - 1) < bible.Bookmarks.size()) {
        bible.Bookmarks[k - 1] = currentReference_;
      }
      items[k]->setText(DecodeCharset(currentReference_, bible.Language.Charset()));
      break;
    }
  }
  openedAt_ = TBibleComboBox::TimeOf(QDateTime::currentDateTime());
  if (recordHistory_) {
    historyBox_->Add(static_cast<std::uint16_t>(currentVerseNumber_), currentReference_, openedAt_);
  }
  recordHistory_ = true;
}

void TLectora2Form1::GoToVerse(int number) {
  TBible* bible = ActiveBible();
  if (bible == nullptr || number < 1) return;
  if (currentVerseNumber_ >= 1 && recordHistory_ && historyBox_->Count() > 0) {
    historyBox_->Add(static_cast<std::uint16_t>(currentVerseNumber_), currentReference_, openedAt_);
  }
  int position = 0, chapter = 0, verse = 0;
  bible->VerseToRef(number, position, chapter, verse);
  if (position < 1 || position > bible->BookCount) return;
  currentBook_ = bible->BookOrder[position];
  bookBox_->SetItemIndex(position - 1);
  spinEdit1_->SetMaxValue(ChapterCount(*bible, currentBook_));
  FixSpin(*spinEdit1_, chapter);
  spinEdit2_->SetMaxValue(bible->Books[currentBook_].VerseCounts[chapter - 1]);
  FixSpin(*spinEdit2_, verse);
  ShowPosition(true);
}

void TLectora2Form1::GoToStandard(std::int32_t standardNumber) {
  if (TBible* bible = ActiveBible()) GoToVerse(bible->FromStandard(standardNumber));
}

bool TLectora2Form1::GoToReference(const std::string& text) {
  TBible* bible = ActiveBible();
  if (bible == nullptr) return false;
  int position = bookBox_->ItemIndex() + 1;
  int chapter = 0, verse = 0;
  const bool found = bible->ParseReference(text, position, chapter, verse);
  // A book the module lacks has no item to select: the place stays.
  if (!found || position < 1 || position > bible->BookCount) return false;
  bookBox_->SetItemIndex(position - 1);
  FixSpin(*spinEdit1_, chapter);
  FixSpin(*spinEdit2_, verse);
  ShowPosition(true);
  return true;
}

void TLectora2Form1::MoveBook(int delta) {
  const int index = bookBox_->ItemIndex() + delta;
  // Past either end of the book list there is nowhere to go.
  if (index < 0 || index >= bookBox_->Count()) return;
  bookBox_->SetItemIndex(index);
  ShowPosition(true);
}

void TLectora2Form1::GoToRandomVerse() {
  if (TBible* bible = ActiveBible(); bible != nullptr && bible->VerseTotal > 0) {
    GoToVerse(static_cast<int>(QRandomGenerator::global()->bounded(bible->VerseTotal)) + 1);
  }
}

void TLectora2Form1::BookmarkChosen(const std::string& reference) {
  GoToReference(reference);
  spinEdit2_->setFocus();
}

void TLectora2Form1::BookBoxChanged() {
  const TBible* bible = ActiveBible();
  if (bible == nullptr) return;
  const int position = bookBox_->ItemIndex() + 1;
  if (position >= 1 && position <= bible->BookCount && bible->BookOrder[position] != currentBook_) {
    ShowPosition(true);
  }
}

void TLectora2Form1::BookBoxKey(char& key) {
  const TBible* bible = ActiveBible();
  if (bible == nullptr) return;
  if (key == '\r') {
    GoToReference(bookBox_->Text());
    key = 0;
    return;
  }
  if (key == ' ' && bookBox_->Text().size() >= 2) {
    std::string name = bookBox_->Text();
    NormalizeName(name);
    const int position = bible->FindBook(name);
    if (position >= 1 && position <= bookBox_->Count()) {
      key = 0;
      const std::string completed = bookBox_->Items()[position - 1] + " ";
      bookBox_->SetTextQuiet(completed);
      bookBox_->SetSelStart(static_cast<int>(completed.size()));
    }
  }
}

void TLectora2Form1::SpinChanged() {
  if (ignoreSpinChange_) {
    ignoreSpinChange_ = false;
    return;
  }
  ShowPosition(true);
}

void TLectora2Form1::SpinKey(TMySpinEdit& spin, int key) {
  switch (key) {
    case Qt::Key_PageDown:
      spin.SetValue(spin.MaxValue());
      break;
    case Qt::Key_PageUp:
      spin.SetValue(1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ignoreSpinChange_ = false;
      GoToReference(bookBox_->Text() + " " + spinEdit1_->text().toStdString() + ":" +
                    spinEdit2_->text().toStdString());
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      ignoreSpinChange_ = false;
      break;
    default:
      // Typed digits take effect on Enter only.
      ignoreSpinChange_ = true;
      break;
  }
}

// Before the first book or past the last one of the module the place stays
// (the spin edit keeps its text when the limit handler changes nothing).
void TLectora2Form1::ChapterBelowMinimum() {
  if (currentBook_ == 1 || bookBox_->ItemIndex() <= 0) return;
  FixSpin(*spinEdit1_, 151);
  MoveBook(-1);
}

void TLectora2Form1::ChapterAboveMaximum() {
  if (currentBook_ == kLastNewTestamentBook || bookBox_->ItemIndex() + 1 >= bookBox_->Count()) {
    return;
  }
  FixSpin(*spinEdit1_, 1);
  MoveBook(+1);
}

void TLectora2Form1::VerseBelowMinimum() {
  int number = SpinVerseNumber();
  if (number > 1) --number;
  GoToVerse(number);
}

void TLectora2Form1::VerseAboveMaximum() {
  int number = SpinVerseNumber();
  const TBible* bible = ActiveBible();
  if (bible != nullptr && number < bible->VerseTotal) ++number;
  GoToVerse(number);
}

void TLectora2Form1::BookButtonDown() {
  const TBible* bible = ActiveBible();
  if (bible == nullptr) return;
  const int matthew = bible->BookPosition[kMatthew];
  bookBox_->SetItemIndex(bookBox_->ItemIndex() < matthew - 1 ? matthew - 1 : bible->BookCount - 1);
  GoToReference(bookBox_->Text());
  bookBox_->setFocus();
}

void TLectora2Form1::BookButtonUp() {
  const TBible* bible = ActiveBible();
  if (bible == nullptr) return;
  const int matthew = bible->BookPosition[kMatthew];
  bookBox_->SetItemIndex(bookBox_->ItemIndex() > matthew - 1 ? matthew - 1 : 0);
  GoToReference(bookBox_->Text());
  bookBox_->setFocus();
}

void TLectora2Form1::HistoryChanged() {
  const int index = historyBox_->ItemIndex();
  if (index >= 0 && index < static_cast<int>(historyBox_->Indexes().size())) {
    GoToVerse(historyBox_->Indexes()[static_cast<std::size_t>(index)]);
  }
}

TBibleForm1* TLectora2Form1::OpenBibleWindow(int number) {
  auto* window = new TBibleForm1(*this, currentStandardNumber_, number);
  QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(window->windowTitle());
  sub->show();
  SetNavigationEnabled(true);
  if (mdiArea_->activeSubWindow() != sub) mdiArea_->setActiveSubWindow(sub);
  if (QMdiSubWindow* active = mdiArea_->activeSubWindow()) active->showNormal();
  restoring_ = false;
  return window;
}

void TLectora2Form1::OpenTranslation(int number) {
  restoring_ = false;
  OpenBibleWindow(number);
  TileWindows();
  ShowPosition(true);
}

}  // namespace lectora
