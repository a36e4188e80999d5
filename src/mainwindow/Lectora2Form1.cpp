#include "mainwindow/Lectora2Form1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <map>

#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "display/ListMessageForm1.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"
#include "mainwindow/CDDriveForm1.h"
#include "mainwindow/MsgForm1.h"
#include "mainwindow/QtMessageService.h"
#include "search/ConcList.h"
#include "settings/DblButton.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/BibleSet.h"
#include "store/BinaryFile.h"
#include "store/CodePage.h"
#include "store/Settings.h"
#include "store/TranslationTable.h"

namespace lectora {

namespace {

constexpr const char* kProgramName = "lectora";

// Interface texts the program needs before the interface languages are
// installed: English, Windows-1251 (plain ASCII here). Any other key reads
// as itself.
const std::map<std::string, std::string>& FallbackTexts() {
  static const std::map<std::string, std::string> texts = {
      {"BibleNotFound", "The files of this translation were not found."},
      {"SearchedWords", "searched words"},
      {"OpenedVerses", "opened verses"},
      {"there_are", "There are"},
      {"elements_in", "entries in the list of"},
      {"must_delete", "Delete some of them, or raise the limit below."},
      {"KJVSN\\", "King James Version"},
      {"ASV\\", "American Standard Version"},
  };
  return texts;
}

// Adds the six items of a history list's menu (sort by text, by time, by
// place; separator; delete; count).
QMenu* HistoryMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  for (const char* caption :
       {"По азбучен ред", "По време", "По място в Библията", "-", "Изтриване", "Брой"}) {
    if (std::string_view(caption) == "-") {
      menu->addSeparator();
    } else {
      QAction* action = menu->addAction(QString::fromUtf8(caption));
      action->setCheckable(std::string_view(caption).starts_with("По"));
    }
  }
  return menu;
}

}  // namespace

TLectora2Form1::TLectora2Form1(const TStartOptions& options, QWidget* parent)
    : QMainWindow(parent), startOptions_(options) {
  settings_ = std::make_unique<TSettings>(
      options.SetupFolder, kProgramName,
      options.ConfigHome.empty() ? TUserRegistry::DefaultConfigHome() : options.ConfigHome,
      options.ReadOnlySetup);
  msgForm_ = new TMsgForm1(this);
  msgForm_->SetCaptionSource(this);
  msgForm_->SetScripted(options.ScriptedDialogs);
  driveForm_ = new TCDDriveForm1(this);
  driveForm_->SetCaptionSource(this);
  messages_ = std::make_unique<TQtMessageService>(msgForm_);

  standard_.Load(settings_->SetupFolder(), messages_.get());
  abbreviations_.Load(settings_->SetupFolder(), messages_.get());
  storeContext_.Settings = settings_.get();
  storeContext_.Standard = &standard_;
  storeContext_.Abbreviations = &abbreviations_;
  storeContext_.Messages = messages_.get();
  storeContext_.DriveDialog = driveForm_;
  bibles_ = std::make_unique<TBibleSet>(storeContext_);
  displayContext_ = std::make_unique<TDisplayContext>(searchContext_.SearchWords);
  displayContext_->ShowError = [this](const std::string& message) {
    msgForm_->ShowInfo(QString::fromStdString(message));
  };
  historyContext_ = std::make_unique<THistoryContext>(messages_.get());
  historyContext_->Translator = [this](const std::string& key) { return Translate(key); };
  options_ = new TOptionValues(this);
  listMessage_ = new TListMessageForm1(*historyContext_, this);

  setWindowTitle(QStringLiteral("Lectora 4.0"));
  resize(900, 640);
  CreateActions();
  CreateToolBar();
  CreateLeftPanel();
  CreateMenus();
  WireNavigation();

  mdiArea_ = new QMdiArea(this);
  mdiArea_->setActivationOrder(QMdiArea::CreationOrder);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TLectora2Form1::SubWindowActivated);
  mdiArea_->viewport()->installEventFilter(this);
  splitter_ = new QSplitter(this);
  splitter_->addWidget(panel3_);
  splitter_->addWidget(mdiArea_);
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this, [this] { TileWindows(); });
  setCentralWidget(splitter_);
  statusLabel_ = new QLabel(this);
  statusBar()->addWidget(statusLabel_, 1);

  FormCreate();
  SetNavigationEnabled(false);
}

TLectora2Form1::~TLectora2Form1() {
  // The windows go before the modules they show; the modules save their
  // fonts and bookmarks while the settings still exist.
  mdiArea_->closeAllSubWindows();
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) delete sub;
  largeListBox1_->SetList(nullptr);
  wordList_.reset();
  bibles_.reset();
}

void TLectora2Form1::CreateActions() {
  auto* group = new QActionGroup(this);
  group->setExclusive(false);
  for (int number = 0; number < kTranslationCount; ++number) {
    QAction* action =
        new QAction(QString::fromLocal8Bit(Translate(TranslationFolderName(number))), group);
    action->setCheckable(true);
    // A translation is opened by the command, not by the check mark.
    connect(action, &QAction::triggered, this, [this, number, action] {
      action->setChecked(true);
      OpenTranslation(number);
    });
    translationActions_[number] = action;
  }
  copyAction_ = new QAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                            QString::fromUtf8("Копиране"), this);
  copyAction_->setEnabled(false);
  connect(copyAction_, &QAction::triggered, this, [this] {
    if (TBibleRichEdit1* owner = displayContext_->SelectionOwner) owner->CopyToClipboard();
  });
}

void TLectora2Form1::CreateMenus() {
  QMenu* file1 = menuBar()->addMenu(tr("&Open"));
  bible1_ = file1->addMenu(tr("Bible"));
  QAction* viewWindow1 = file1->addAction(tr("OnTopWindow"));
  viewWindow1->setEnabled(false);  // comes with the on-top viewer
  viewWindow1->setVisible(false);
  windowItems_.push_back(viewWindow1);
  QAction* dictionary1 = file1->addAction(tr("Dictionary"));
  dictionary1->setEnabled(false);  // comes with the dictionary
  QAction* noteBook1 = file1->addAction(tr("NoteBook"));
  noteBook1->setEnabled(false);  // comes with the notes window
  noteBook1->setVisible(false);
  windowItems_.push_back(noteBook1);
  QAction* picture1 = file1->addAction(tr("Picture"));
  picture1->setEnabled(false);  // comes with the pictures
  file1->addSeparator();
  QAction* exit1 = file1->addAction(tr("Exit"));
  exit1->setShortcut(QKeySequence::Quit);
  connect(exit1, &QAction::triggered, this, &QWidget::close);

  gotoMenu_ = menuBar()->addMenu(tr("Goto"));
  const auto gotoItem = [this](const char* caption, auto handler) {
    QAction* action = gotoMenu_->addAction(QString::fromUtf8(caption));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  gotoItem("предишния отварян стих", [this] {
    if (toolButton3_->isEnabled()) toolButton3_->click();
  });
  gotoItem("следващия отварян стих", [this] {
    if (toolButton4_->isEnabled()) toolButton4_->click();
  });
  gotoMenu_->addSeparator();
  gotoItem("първия стих на главата", [this] { spinEdit2_->SetValue(1); });
  gotoItem("последния стих на главата", [this] { spinEdit2_->SetValue(spinEdit2_->MaxValue()); });
  gotoItem("случайно избран стих", [this] { GoToRandomVerse(); });
  gotoMenu_->addSeparator();
  gotoItem("първата глава на книгата", [this] { spinEdit1_->SetValue(1); });
  gotoItem("последната глава от книгата", [this] { spinEdit1_->SetValue(spinEdit1_->MaxValue()); });
  gotoMenu_->addSeparator();
  bookMark2_ = gotoMenu_->addMenu(QString::fromUtf8("отбелязаното място"));
  QAction* gotoBookMark1 = bookMark2_->addAction(tr("Go to"));
  gotoBookMark1->setVisible(false);
  QAction* goBook = new QAction(this);
  goBook->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(goBook, &QAction::triggered, this, [this] { bookBox_->setFocus(); });
  addAction(goBook);

  QMenu* range = menuBar()->addMenu(tr("Range"));
  range->setEnabled(false);  // comes with the range dialog
  QMenu* options1 = menuBar()->addMenu(tr("Options"));
  options1->setEnabled(false);  // comes with the options dialog

  windows1_ = menuBar()->addMenu(tr("Window"));
  QAction* tile2 = windows1_->addAction(QString::fromUtf8("Нареди хоризонтално"));
  connect(tile2, &QAction::triggered, this, [this] {
    windowSettings_.TileMode = 0;
    TileWindows();
  });
  QAction* tile3 = windows1_->addAction(QString::fromUtf8("Нареди вертикално"));
  connect(tile3, &QAction::triggered, this, [this] {
    windowSettings_.TileMode = 1;
    TileWindows();
  });
  QAction* closeAll1 = windows1_->addAction(QString::fromUtf8("Затвори всички"));
  connect(closeAll1, &QAction::triggered, this, &TLectora2Form1::CloseAllWindows);
  windows1_->addSeparator();
  // The window list follows the open windows each time the menu opens.
  connect(windows1_, &QMenu::aboutToShow, this, [this] {
    const QList<QAction*> actions = windows1_->actions();
    for (int i = 4; i < actions.size(); ++i) {
      windows1_->removeAction(actions[i]);
      delete actions[i];
    }
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (int i = 0; i < windows.size(); ++i) {
      QMdiSubWindow* sub = windows[i];
      QAction* item = windows1_->addAction(QString("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
      item->setCheckable(true);
      item->setChecked(sub == mdiArea_->activeSubWindow());
      connect(item, &QAction::triggered, this, [this, sub] { mdiArea_->setActiveSubWindow(sub); });
    }
  });
  windowItems_.push_back(gotoMenu_->menuAction());
  windowItems_.push_back(windows1_->menuAction());

  QMenu* help1 = menuBar()->addMenu(tr("Help"));
  help1->setEnabled(false);  // comes with the help pages
}

void TLectora2Form1::CreateToolBar() {
  QToolBar* toolBar1 = addToolBar(tr("Navigation"));
  toolBar1->setObjectName("ToolBar1");
  toolBar1->setMovable(false);

  popupMenu6_ = new QMenu(this);
  toolButton1_ = new QToolButton(this);
  toolButton1_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  toolButton1_->setToolTip(QString::fromUtf8("Отваряне"));
  toolButton1_->setMenu(popupMenu6_);
  toolButton1_->setPopupMode(QToolButton::InstantPopup);
  toolBar1->addWidget(toolButton1_);

  bookBox_ = new TODComboBox(this);
  bookBox_->setObjectName("BookBox");
  bookBox_->SetDropDownCount(16);
  bookBox_->setFixedWidth(windowSettings_.CmBB1Width + 60);
  toolBar1->addWidget(bookBox_);

  const auto makeSpin = [this](const char* name, const char* hint) {
    auto* spin = new TMySpinEdit(this);
    spin->setObjectName(name);
    spin->SetMinValue(1);
    spin->SetMaxValue(150);
    spin->SetIncrement(-1);
    spin->FixValue(1);
    spin->setToolTip(QString::fromUtf8(hint));
    spin->setFixedWidth(56);
    return spin;
  };
  const auto makeDouble = [this](const QColor& colour) {
    auto* button = new TDblButton(this);
    button->SetFigColor(colour);
    button->setFixedSize(16, 26);
    button->Loaded();
    return button;
  };
  dblButton3_ = makeDouble(Qt::black);
  toolBar1->addWidget(dblButton3_);
  spinEdit1_ = makeSpin("SpinEdit1", "Глава на книгата");
  toolBar1->addWidget(spinEdit1_);
  dblButton1_ = makeDouble(Qt::red);
  toolBar1->addWidget(dblButton1_);
  spinEdit2_ = makeSpin("SpinEdit2", "Номер на стиха");
  toolBar1->addWidget(spinEdit2_);
  dblButton2_ = makeDouble(Qt::blue);
  toolBar1->addWidget(dblButton2_);

  toolButton3_ = new QToolButton(this);
  toolButton3_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
  toolButton3_->setToolTip(QString::fromUtf8("Предишн стих"));
  toolButton3_->setEnabled(false);
  toolBar1->addWidget(toolButton3_);
  toolButton4_ = new QToolButton(this);
  toolButton4_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
  toolButton4_->setToolTip(QString::fromUtf8("Следващ стих"));
  toolButton4_->setEnabled(false);
  toolBar1->addWidget(toolButton4_);
  toolBar1->addSeparator();

  toolButton6_ = new QToolButton(this);
  toolButton6_->setDefaultAction(copyAction_);
  toolBar1->addWidget(toolButton6_);

  const auto makeToggle = [&](const char* text, const char* hint) {
    auto* button = new QToolButton(this);
    button->setText(QString::fromUtf8(text));
    button->setToolTip(QString::fromUtf8(hint));
    button->setCheckable(true);
    toolBar1->addWidget(button);
    return button;
  };
  toolButton2_ = makeToggle("<H>", "Стронг номера");
  connect(toolButton2_, &QToolButton::toggled, this, [this] { RefreshAllWindows(); });
  toolButton11_ = makeToggle("{ }", "Бележки под линия");
  connect(toolButton11_, &QToolButton::toggled, this, [this](bool down) {
    options_->SetOption(10, down);
    RefreshAllWindows();
  });
  toolButton12_ = makeToggle("|<", "Панел");
  connect(toolButton12_, &QToolButton::toggled, this, [this](bool down) {
    panel3_->setVisible(down && !BibleWindows().empty());
    TileWindows();
  });
  toolButton15_ = makeToggle("->", "Препратки");
  toolButton15_->setVisible(false);  // comes with the verse list
}

void TLectora2Form1::CreateLeftPanel() {
  panel3_ = new QWidget(this);
  panel3_->setObjectName("Panel3");
  auto* layout = new QVBoxLayout(panel3_);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* panelSplitter = new QSplitter(Qt::Vertical, panel3_);
  largeListBox1_ = new TLargeListBox(*historyContext_, panelSplitter);
  largeListBox1_->setObjectName("LargeListBox1");
  popupMenu2_ = HistoryMenu(this);
  largeListBox1_->SetPopupMenu(popupMenu2_);
  listBox2_ = new QListWidget(panelSplitter);
  listBox2_->setObjectName("ListBox2");
  panelSplitter->addWidget(largeListBox1_);
  panelSplitter->addWidget(listBox2_);
  layout->addWidget(panelSplitter, 1);
  historyBox_ = new TBibleComboBox(*historyContext_, panel3_);
  historyBox_->setObjectName("HistoryBox");
  historyBox_->SetReadOnly(true);
  historyBox_->SetDropDownCount(8);
  historyBox_->SetDropUp(true);
  popupMenu3_ = HistoryMenu(this);
  historyBox_->SetPopupMenu(popupMenu3_);
  layout->addWidget(historyBox_);
  panel3_->setMinimumWidth(80);
  panel3_->setVisible(false);
}

void TLectora2Form1::SetBookBoxItems(const std::vector<std::string>& names) {
  bookBox_->SetItems(names);
}

void TLectora2Form1::SetTranslationChecked(int number, bool checked) {
  if (number >= 0 && number < kTranslationCount) translationActions_[number]->setChecked(checked);
}

bool TLectora2Form1::TranslationShownElsewhere(int number, const TBibleForm1* except) const {
  for (TBibleForm1* window : BibleWindows()) {
    if (window != except && window->Bible() != nullptr &&
        window->Bible()->TranslationNumber == number) {
      return true;
    }
  }
  return false;
}

std::vector<TBibleForm1*> TLectora2Form1::BibleWindows() const {
  // The window order of the frame: the topmost window first.
  std::vector<TBibleForm1*> windows;
  const QList<QMdiSubWindow*> stack = mdiArea_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    // A closed window lingers until its sub-window is deleted.
    TBibleForm1* window = WindowOf(*it);
    if (window != nullptr && !window->Closed()) windows.push_back(window);
  }
  return windows;
}

TBibleForm1* TLectora2Form1::WindowOf(QMdiSubWindow* window) const {
  return window == nullptr ? nullptr : qobject_cast<TBibleForm1*>(window->widget());
}

TBible* TLectora2Form1::ActiveBible() const {
  return activeWindow_ != nullptr ? activeWindow_->Bible() : nullptr;
}

bool TLectora2Form1::IsActiveBibleWindow(const TBibleForm1* window) const {
  return window != nullptr && WindowOf(mdiArea_->activeSubWindow()) == window;
}

bool TLectora2Form1::RunningFromCD() const { return settings_->RunningFromCD(); }

bool TLectora2Form1::StrongHidden() const { return !toolButton2_->isChecked(); }

QColor TLectora2Form1::CurrentVerseColor() const {
  const std::uint32_t value = options_->CurrentVerseColor();
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::string TLectora2Form1::Translate(const std::string& key) const {
  const auto& texts = FallbackTexts();
  const auto found = texts.find(key);
  if (found != texts.end()) return found->second;
  // A translation's caption is keyed by its folder name ("ASV\"): the
  // folder name stands for it.
  if (key.size() > 1 && key.back() == '\\') return key.substr(0, key.size() - 1);
  return key;
}

IMessageService& TLectora2Form1::Messages() { return *messages_; }

void TLectora2Form1::ActiveTranslationChanged(TBible& bible) {
  // The main window's controls take the module's font and character set.
  QFont font = this->font();
  if (!bible.Font.Name.empty()) font.setFamily(QString::fromStdString(bible.Font.Name));
  if (bible.Font.Size > 0) font.setPointSize(bible.Font.Size);
  const int charset = bible.Language.Charset();
  for (TODComboBox* box : {bookBox_, static_cast<TODComboBox*>(historyBox_)}) {
    box->setFont(font);
    box->SetCharset(charset);
  }
  largeListBox1_->SetFont(font);
  largeListBox1_->SetCharset(charset);
  listBox2_->setFont(font);
  listBox2_->clear();
  toolButton15_->setVisible(BinaryFile::Exists(bible.Path + "LinksP.bin"));
  largeListBox1_->SetList(nullptr);
  wordList_ = std::make_unique<TConcList>(bible);
  largeListBox1_->SetList(wordList_.get());
  currentReference_.clear();
}

void TLectora2Form1::RefreshAllWindows() {
  for (TBibleForm1* window : BibleWindows()) {
    int book = window->Book, chapter = window->Chapter, verse = window->Verse;
    window->ShowChapter(book, chapter, verse);
    window->BRichEdit1->ShowActive();
    window->BRichEdit1->repaint();
  }
}

void TLectora2Form1::TileWindows() {
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  const QRect area = mdiArea_->viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    QMdiSubWindow* sub = windows[i];
    if (sub->isMinimized() || sub->isMaximized()) sub->showNormal();
    if (windowSettings_.TileMode == 0) {
      // Horizontally: the windows one below the other, full width.
      const int height = area.height() / count;
      sub->setGeometry(0, i * height, area.width(),
                       i == count - 1 ? area.height() - i * height : height);
    } else {
      const int width = area.width() / count;
      sub->setGeometry(i * width, 0, i == count - 1 ? area.width() - i * width : width,
                       area.height());
    }
  }
}

void TLectora2Form1::CloseAllWindows() {
  while (!mdiArea_->subWindowList().isEmpty()) {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    if (sub == nullptr) sub = mdiArea_->subWindowList().first();
    sub->close();
    delete sub;
  }
  SetNavigationEnabled(false);
  for (QAction* action : translationActions_) action->setChecked(false);
}

void TLectora2Form1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  TileWindows();
  for (TBibleForm1* window : BibleWindows()) window->BRichEdit1->ShowActive();
}

void TLectora2Form1::SubWindowActivated(QMdiSubWindow* window) {
  for (TBibleForm1* other : BibleWindows()) {
    if (WindowOf(window) != other && other == activeWindow_) other->FormDeactivate();
  }
  if (TBibleForm1* bibleWindow = WindowOf(window)) bibleWindow->FormActivate();
}

void TLectora2Form1::BibleWindowClosed(TBibleForm1* window) {
  if (activeWindow_ == window) activeWindow_ = nullptr;
  if (BibleWindows().empty()) {
    // The histories of the last translation are kept now: with no window
    // left, nothing would save them at exit.
    if (lastActiveBible_ != nullptr && !RunningFromCD()) {
      largeListBox1_->ComboBox()->SaveToFile(lastActiveBible_->DefaultPath + "Search_List.txt");
      historyBox_->SaveToFile(lastActiveBible_->DefaultPath + "VerseHistory.txt");
    }
    lastActiveBible_ = nullptr;
    largeListBox1_->SetList(nullptr);
    wordList_.reset();
    SetNavigationEnabled(false);
  }
  QMetaObject::invokeMethod(
      this, [this] { TileWindows(); }, Qt::QueuedConnection);
}

}  // namespace lectora
