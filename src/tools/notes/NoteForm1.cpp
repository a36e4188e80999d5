#include "tools/notes/NoteForm1.h"

#include <QAction>
#include <QMenu>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>
#include "display/MinimizeToolWindow.h"

#include "app/DesignCaption.h"
#include "display/DisplayContext.h"
#include "navigation/Navigator.h"
#include "settings/OptionValues.h"
#include "store/Settings.h"
#include "tools/icons/DesignToolButton.h"
#include "tools/notes/NoteEdit.h"
#include "tools/notes/NotesStore.h"

namespace lectora {

namespace {

constexpr const char* kForm = "NoteForm1";

// Verdana 10 points: what an empty or plain-text note is written in.
QFont NoteFont() {
  QFont font(QStringLiteral("Verdana"));
  font.setPointSize(10);
  return font;
}

}  // namespace

TNoteForm1::TNoteForm1(const TServices& services, QWidget* parent)
    : QWidget(parent, Qt::Tool), s_(services) {
  setObjectName(QString::fromLatin1(kForm));
  setAccessibleName(DesignCaption(kForm, kForm));
  setWindowTitle(DesignCaption(kForm, kForm));
  QFont font(QStringLiteral("Verdana"));
  font.setPixelSize(12);
  setFont(font);
  resize(360, 260);
  CreateControls();
  CreateMenu();
  // An installed copy keeps the reader's notes in his own folder.
  store_ = std::make_unique<TNotesStore>(
      s_.Settings.WritePath(s_.Settings.SetupFolder() + "Notes/"), s_.Settings.RunningFromCD());
  RichEdit1->setReadOnly(store_->ReadOnly());
  connect(&s_.Navigator, &TNavigator::PlaceChanged, this,
          [this] { SetNote(s_.Navigator.Place().StandardNumber); });
  connect(&s_.Navigator, &TNavigator::PositionShown, this, &TNoteForm1::AfterNavigation);
}

TNoteForm1::~TNoteForm1() = default;

void TNoteForm1::CreateControls() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setAccessibleName(DesignHint(kForm, "ToolBar1"));
  ToolButton1 = NewDesignToolButton(*this, kForm, "ToolButton1", "back");
  ToolButton2 = NewDesignToolButton(*this, kForm, "ToolButton2", "forward");
  ToolBar1->addWidget(ToolButton1);
  ToolBar1->addWidget(ToolButton2);
  connect(ToolButton1, &QToolButton::clicked, this, [this] { StepNote(false); });
  connect(ToolButton2, &QToolButton::clicked, this, [this] { StepNote(true); });

  RichEdit1 = new TNoteEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setAccessibleName(DesignCaption(kForm, "RichEdit1"));
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setAcceptRichText(true);
  RichEdit1->document()->setDefaultFont(NoteFont());
  RichEdit1->CopyCommand = [this] { Copy1Click(); };
  RichEdit1->CutCommand = [this] { Cut1Click(); };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar1);
  layout->addWidget(RichEdit1, 1);
}

QAction* TNoteForm1::NewAction(const char* name) {
  auto* action = new QAction(DesignCaption(kForm, name), this);
  action->setObjectName(QString::fromLatin1(name));
  PopupMenu1->addAction(action);
  return action;
}

void TNoteForm1::CreateMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1->setAccessibleName(DesignHint(kForm, "PopupMenu1"));
  Undu1 = NewAction("Undu1");
  PopupMenu1->addSeparator();
  Cut1 = NewAction("Cut1");
  Cut1->setShortcut(QKeySequence::Cut);
  Copy1 = NewAction("Copy1");
  Copy1->setShortcut(QKeySequence::Copy);
  Paste1 = NewAction("Paste1");
  Paste1->setShortcut(QKeySequence::Paste);
  PopupMenu1->addSeparator();
  SelectAll1 = NewAction("SelectAll1");
  for (QAction* action : {Cut1, Copy1, Paste1}) {
    action->setShortcutContext(Qt::WidgetShortcut);  // the editor handles the keys
  }
  connect(Undu1, &QAction::triggered, RichEdit1, &QTextEdit::undo);
  connect(Cut1, &QAction::triggered, this, &TNoteForm1::Cut1Click);
  connect(Copy1, &QAction::triggered, this, &TNoteForm1::Copy1Click);
  connect(Paste1, &QAction::triggered, RichEdit1, &QTextEdit::paste);
  connect(SelectAll1, &QAction::triggered, RichEdit1, &QTextEdit::selectAll);
  connect(PopupMenu1, &QMenu::aboutToShow, this, &TNoteForm1::PopupMenu1Popup);
  RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(RichEdit1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(at)); });
}

void TNoteForm1::PopupMenu1Popup() {
  Undu1->setEnabled(RichEdit1->document()->isUndoAvailable());
  Copy1->setEnabled(RichEdit1->textCursor().hasSelection());
  const bool writable = !RichEdit1->isReadOnly();
  Cut1->setEnabled(writable);
  Paste1->setEnabled(writable);
}

void TNoteForm1::Copy1Click() {
  // The program's own copy is not a reference copied elsewhere.
  const bool watching = s_.Display.ClipboardWatch;
  s_.Display.ClipboardWatch = false;
  RichEdit1->copy();
  s_.Display.ClipboardWatch = watching;
}

void TNoteForm1::Cut1Click() {
  if (RichEdit1->isReadOnly()) return;
  Copy1Click();
  RichEdit1->textCursor().removeSelectedText();
}

void TNoteForm1::StepNote(bool forward) {
  std::int32_t n = s_.Navigator.Place().StandardNumber;
  const std::int32_t count = store_->Count();
  bool found = false;
  while (!found) {
    n += forward ? 1 : -1;
    if (n <= 0 || n >= count) break;
    try {
      found = store_->HasNote(n);
    } catch (const std::exception&) {
      found = true;  // a damaged record is shown (and reported) like a note
    }
  }
  keepOpen_ = true;
  if (found) s_.Navigator.GoToStandard(n);
}

void TNoteForm1::AfterNavigation() {
  if (s_.Options.GetOption(TOptionValues::kAutoMin) && isVisible() && !keepOpen_) {
    MinimizeToolWindow(*this);
  }
  keepOpen_ = false;
}

void TNoteForm1::Tell(const QString& text) const {
  if (ShowInfo) ShowInfo(text);
}

}  // namespace lectora
