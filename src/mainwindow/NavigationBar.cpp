#include "mainwindow/NavigationBar.h"

#include <QKeyEvent>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "display/ODComboBox.h"
#include "mainwindow/BookNamePrefix.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/DblButton.h"
#include "settings/MySpinEdit.h"
#include "store/Bible.h"
#include "store/TextRoutines.h"
#include "tools/icons/ToolIcon.h"

namespace lectora {

namespace {

constexpr int kLastNewTestamentBook = 77;  // Revelation
constexpr int kMatthew = 51;
// Qt's combo box needs room for its drop button beside the names.
constexpr int kDropButtonAllowance = 60;

// A key that changes the text of a line edit (as opposed to moving the
// caret, the focus or a modifier).
bool EditsText(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete) return true;
  if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
      event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo)) {
    return true;
  }
  const QString text = event.text();
  return !text.isEmpty() && text.at(0).isPrint() &&
         (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

}  // namespace

TNavigationBar::TNavigationBar(TNavigator& navigator, TActiveTranslation& active, QToolBar& toolBar)
    : QObject(&toolBar), navigator_(navigator), active_(active) {
  CreateControls(toolBar);
  Wire();
}

void TNavigationBar::CreateControls(QToolBar& toolBar) {
  BookBox = new TODComboBox(&toolBar);
  BookBox->setObjectName(QStringLiteral("BookBox"));
  BookBox->SetDropDownCount(16);
  toolBar.addWidget(BookBox);
  const auto makeSpin = [&toolBar](const char* name) {
    auto* spin = new TMySpinEdit(&toolBar);
    spin->setObjectName(QString::fromLatin1(name));
    spin->SetMinValue(1);
    spin->SetMaxValue(150);
    spin->SetIncrement(-1);
    spin->FixValue(1);
    spin->setFixedWidth(56);
    return spin;
  };
  const auto makeDouble = [&toolBar](const char* name, const QColor& colour) {
    auto* button = new TDblButton(&toolBar);
    button->setObjectName(QString::fromLatin1(name));
    button->SetFigColor(colour);
    button->setFixedSize(16, 26);
    button->Loaded();
    return button;
  };
  DblButton3 = makeDouble("DblButton3", Qt::black);
  toolBar.addWidget(DblButton3);
  SpinEdit1 = makeSpin("SpinEdit1");
  toolBar.addWidget(SpinEdit1);
  DblButton1 = makeDouble("DblButton1", Qt::red);
  toolBar.addWidget(DblButton1);
  SpinEdit2 = makeSpin("SpinEdit2");
  toolBar.addWidget(SpinEdit2);
  DblButton2 = makeDouble("DblButton2", Qt::blue);
  toolBar.addWidget(DblButton2);
  const auto makeButton = [&toolBar](const char* name, const char* icon) {
    auto* button = new QToolButton(&toolBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ToolIcon(QString::fromLatin1(icon)));
    button->setEnabled(false);
    toolBar.addWidget(button);
    return button;
  };
  ToolButton3 = makeButton("ToolButton3", "back");
  ToolButton4 = makeButton("ToolButton4", "forward");
}

void TNavigationBar::Wire() {
  connect(&navigator_, &TNavigator::PlaceChanged, this, &TNavigationBar::ShowPlace);
  connect(&active_, &TActiveTranslation::TranslationChanged, this, &TNavigationBar::FillBooks);
  connect(BookBox, &TODComboBox::Changed, this, &TNavigationBar::BookBoxChanged);
  BookBox->OnKeyPress = [this](char& key) { BookBoxKey(key); };
  for (TMySpinEdit* spin : {SpinEdit1, SpinEdit2}) {
    connect(spin, &QLineEdit::textChanged, this, &TNavigationBar::SpinChanged);
    spin->installEventFilter(this);
  }
  SpinEdit1->OnMin = [this] { ChapterBelowMinimum(); };
  SpinEdit1->OnMax = [this] { ChapterAboveMaximum(); };
  SpinEdit2->OnMin = [this] {
    navigator_.StepVerse(-1, BookBox->ItemIndex() + 1, SpinEdit1->Value(), SpinEdit2->Value());
  };
  SpinEdit2->OnMax = [this] {
    navigator_.StepVerse(+1, BookBox->ItemIndex() + 1, SpinEdit1->Value(), SpinEdit2->Value());
  };
  const auto edge = [](TMySpinEdit* spin, bool last) {
    spin->SetValue(last ? spin->MaxValue() : 1);
    spin->setFocus();
  };
  connect(DblButton1, &TDblButton::OnUpClick, this, [this, edge] { edge(SpinEdit1, false); });
  connect(DblButton1, &TDblButton::OnDnClick, this, [this, edge] { edge(SpinEdit1, true); });
  connect(DblButton2, &TDblButton::OnUpClick, this, [this, edge] { edge(SpinEdit2, false); });
  connect(DblButton2, &TDblButton::OnDnClick, this, [this, edge] { edge(SpinEdit2, true); });
  connect(DblButton3, &TDblButton::OnUpClick, this, [this] { BookButton(false); });
  connect(DblButton3, &TDblButton::OnDnClick, this, [this] { BookButton(true); });
}

void TNavigationBar::SetEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{BookBox, SpinEdit1, SpinEdit2, DblButton1,
                                                          DblButton2, DblButton3}) {
    control->setEnabled(enabled);
  }
  if (!enabled) {
    ToolButton3->setEnabled(false);
    ToolButton4->setEnabled(false);
  }
}

void TNavigationBar::SetBookBoxWidth(int width) {
  BookBox->setFixedWidth(std::max(width, 20) + kDropButtonAllowance);
}

int TNavigationBar::BookBoxWidth() const { return BookBox->width() - kDropButtonAllowance; }

void TNavigationBar::ShowPosition(bool scroll) {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const int position = BookBox->ItemIndex() + 1;
  const bool bookSelected = position >= 1 && position <= bible->BookCount;
  const int book = bookSelected ? bible->BookOrder[position] : navigator_.Place().Book;
  SpinEdit1->SetMaxValue(navigator_.ChapterCount(book));
  if (SpinEdit1->text().isEmpty()) return;
  if (SpinEdit1->Value() > SpinEdit1->MaxValue()) SpinEdit1->FixValue(SpinEdit1->MaxValue());
  if (SpinEdit1->Value() < 1) SpinEdit1->FixValue(1);
  if (SpinEdit2->text().isEmpty()) return;
  navigator_.ShowPosition(bookSelected ? position : 0, SpinEdit1->Value(), SpinEdit2->Value(),
                          scroll);
}

void TNavigationBar::ShowPlace() {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const TPlace& place = navigator_.Place();
  const int position = navigator_.CurrentBookPosition();
  if (position != BookBox->ItemIndex() + 1) BookBox->SetItemIndex(position - 1);
  if (BookBox->ItemIndex() >= 0) {
    BookBox->SetTextQuiet(BookBox->Items()[static_cast<std::size_t>(BookBox->ItemIndex())]);
  }
  SpinEdit1->SetMaxValue(navigator_.ChapterCount(place.Book));
  SpinEdit1->FixValue(place.Chapter);
  const int verses = navigator_.VerseCount(place.Book, place.Chapter);
  if (verses > 0) SpinEdit2->SetMaxValue(verses);
  SpinEdit2->FixValue(place.Verse);
}

void TNavigationBar::FillBooks(TBible* bible) {
  std::vector<std::string> names;
  names.reserve(bible->BookCount);
  for (int p = 1; p <= bible->BookCount && p <= TBible::kBookNumbers; ++p) {
    names.push_back(bible->Books[bible->BookOrder[p]].Name);
  }
  BookBox->SetItems(names);
  QFont font = BookBox->font();
  if (!bible->Font.Name.empty()) font.setFamily(QString::fromStdString(bible->Font.Name));
  if (bible->Font.Size > 0) font.setPointSize(bible->Font.Size);
  BookBox->setFont(font);
  BookBox->SetCharset(bible->Language.Charset());
}

void TNavigationBar::BookBoxChanged() {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const int position = BookBox->ItemIndex() + 1;
  if (position >= 1 && position <= bible->BookCount &&
      bible->BookOrder[position] != navigator_.Place().Book) {
    ShowPosition(true);
  }
}

void TNavigationBar::BookBoxKey(char& key) {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  if (key == '\r') {
    navigator_.GoToReference(BookBox->Text());
    key = 0;
    return;
  }
  // A book name is completed only while the text is nothing but the start
  // of one: "john3" already holds a chapter.
  if (key == ' ' && BookBox->Text().size() >= 2 && IsBareBookNamePrefix(BookBox->Text())) {
    std::string name = BookBox->Text();
    NormalizeName(name);
    const int position = bible->FindBook(name);
    if (position >= 1 && position <= BookBox->Count()) {
      key = 0;
      const std::string completed = BookBox->Items()[static_cast<std::size_t>(position - 1)] + " ";
      BookBox->SetTextQuiet(completed);
      BookBox->SetSelStart(static_cast<int>(completed.size()));
    }
    return;
  }
  if (TranslateKey) TranslateKey(key);
}

void TNavigationBar::SpinChanged() {
  if (ignoreSpinChange_) {
    ignoreSpinChange_ = false;
    return;
  }
  ShowPosition(true);
}

void TNavigationBar::SpinKey(TMySpinEdit& spin, const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_PageDown:
      spin.SetValue(spin.MaxValue());
      break;
    case Qt::Key_PageUp:
      spin.SetValue(1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ignoreSpinChange_ = false;
      navigator_.GoToReference(BookBox->Text() + " " + SpinEdit1->text().toStdString() + ":" +
                               SpinEdit2->text().toStdString());
      break;
    case Qt::Key_Up:
    case Qt::Key_Down:
      ignoreSpinChange_ = false;
      break;
    default:
      // Typed digits take effect on Enter only; keys that do not edit the
      // text (Tab, Shift, the caret keys) leave the next change alone.
      if (EditsText(event)) ignoreSpinChange_ = true;
      break;
  }
}

void TNavigationBar::SpinLeft(TMySpinEdit& spin) {
  if (spin.text().isEmpty() || spin.MinValue() > spin.MaxValue()) return;
  const int value = spin.Value();
  // A typed number beyond the book is clamped, not taken as a step into
  // the next book: the reader meant a place in this one.
  if (value > spin.MaxValue()) spin.FixValue(spin.MaxValue());
  if (value < spin.MinValue()) spin.FixValue(spin.MinValue());
}

bool TNavigationBar::eventFilter(QObject* watched, QEvent* event) {
  auto* spin = qobject_cast<TMySpinEdit*>(watched);
  if (spin != SpinEdit1 && spin != SpinEdit2) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      SpinKey(*spin, *static_cast<QKeyEvent*>(event));
      break;
    case QEvent::KeyRelease:
      if (spin == SpinEdit2) Q_EMIT VerseKeyReleased(static_cast<QKeyEvent*>(event));
      break;
    case QEvent::FocusOut:
      SpinLeft(*spin);
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

// Before the first book or past the last one of the module the place stays
// (the spin edit keeps its text when the limit handler changes nothing).
void TNavigationBar::ChapterBelowMinimum() {
  if (navigator_.Place().Book == 1 || BookBox->ItemIndex() <= 0) return;
  SpinEdit1->FixValue(151);
  navigator_.MoveBook(-1, SpinEdit1->Value(), SpinEdit2->Value());
}

void TNavigationBar::ChapterAboveMaximum() {
  if (navigator_.Place().Book == kLastNewTestamentBook ||
      BookBox->ItemIndex() + 1 >= BookBox->Count()) {
    return;
  }
  SpinEdit1->FixValue(1);
  navigator_.MoveBook(+1, SpinEdit1->Value(), SpinEdit2->Value());
}

void TNavigationBar::BookButton(bool down) {
  const TBible* bible = active_.Bible();
  if (bible == nullptr) return;
  const int matthew = bible->BookPosition[kMatthew];
  const int index = BookBox->ItemIndex();
  if (down) {
    BookBox->SetItemIndex(index < matthew - 1 ? matthew - 1 : bible->BookCount - 1);
  } else {
    BookBox->SetItemIndex(index > matthew - 1 ? matthew - 1 : 0);
  }
  navigator_.GoToReference(BookBox->Text());
  BookBox->setFocus();
}

}  // namespace lectora
