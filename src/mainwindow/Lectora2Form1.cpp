#include "mainwindow/Lectora2Form1.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/ActionRegistry.h"
#include "app/DesignCaption.h"
#include "app/InterfaceTexts.h"
#include "app/ProgramServices.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/BibleRichEdit1.h"
#include "display/CDEdit.h"
#include "display/DisplayContext.h"
#include "display/KeyTranslator.h"
#include "display/ODComboBox.h"
#include "display/QtText.h"
#include "display/XkbKeyboardLayout.h"
#include "mainwindow/BibleWindowArea.h"
#include "mainwindow/BookmarkMenu.h"
#include "mainwindow/LeftPanel.h"
#include "mainwindow/NavigationBar.h"
#include "mainwindow/OptionReactions.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/BinaryFile.h"
#include "store/Settings.h"
#include "store/TranslationTable.h"
#include "tools/dde/DdeServer.h"
#include "tools/dde/OnTopClient.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/help/HelpService.h"
#include "tools/icons/ToolIcon.h"
#include "tools/logo/LogoWindow.h"
#include "tools/notes/NoteBook.h"
#include "tools/options/Options.h"
#include "tools/picture/WordPictures.h"
#include "tools/search/SearchPage.h"
#include "tools/search/SearchService.h"
#include "tools/version/VersionCheck.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Lectora2Form1";

QString Caption(const char* name) { return DesignCaption(kForm, name); }
QString Hint(const char* name) { return DesignHint(kForm, name); }

// A control without a caption is named by its hint for screen readers.
void NameControl(QWidget& control, const char* name) {
  const QString hint = Hint(name);
  if (!hint.isEmpty()) {
    control.setToolTip(hint);
    control.setAccessibleName(hint);
  } else if (!Caption(name).isEmpty()) {
    control.setAccessibleName(Caption(name));
  }
}

// The controls the bus interface's place pokes go through: the book box as
// if Enter was pressed in it, the spin edits with their change rule.
void LendControls(TDdeServer& server, TNavigationBar& bar, TBibleWindowArea& area,
                  TNavigator& navigator, ISearchBox* searchBox) {
  TDdeServer::THooks& hooks = server.Hooks;
  hooks.HasBibleWindow = [&area] { return area.ActiveWindow() != nullptr; };
  hooks.EnterBookBox = [&bar, &navigator](const std::string& text) {
    bar.BookBox->SetTextQuiet(text);
    navigator.GoToReference(bar.BookBox->Text());
  };
  hooks.SetChapterText = [&bar](const QString& text) { bar.SpinEdit1->setText(text); };
  hooks.SetVerseText = [&bar](const QString& text) { bar.SpinEdit2->setText(text); };
  hooks.CurrentVerseText = [&area] {
    const TBibleForm1* window = area.ActiveWindow();
    return window != nullptr ? window->CurrentVerseText() : std::string();
  };
  hooks.SearchBox = searchBox;
}

}  // namespace

TLectora2Form1::TLectora2Form1(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(QStringLiteral("Lectora 4.0"));
  resize(900, 640);
}

TLectora2Form1::~TLectora2Form1() {
  // The Bible windows go before the lists and services they use.
  delete windowArea_;
  windowArea_ = nullptr;
}

void TLectora2Form1::Build(const TProgramServices& services) {
  services_ = std::make_unique<TProgramServices>(services);
  s_ = services_.get();
  CreateActions();
  CreateToolBar();
  leftPanel_ = new TLeftPanel(*s_, this);
  for (const char* name : {"LargeListBox1", "ListBox2", "HistoryBox", "PageControl1"}) {
    NameControl(*findChild<QWidget*>(QString::fromLatin1(name)), name);
  }
  leftPanel_->HistoryBox->SetBackButton(navigationBar_->ToolButton3,
                                        [this] { s_->Navigator.SuspendHistoryRecording(); });
  leftPanel_->HistoryBox->SetNextButton(navigationBar_->ToolButton4,
                                        [this] { s_->Navigator.SuspendHistoryRecording(); });
  TBibleWindowArea::TServices area{s_->Bibles, s_->Standard, s_->Navigator, s_->Active, s_->Options,
                                   s_->Texts,  s_->Messages, s_->Display,   s_->Actions};
  windowArea_ = new TBibleWindowArea(area, this);
  windowArea_->DictionaryLink = &s_->Dictionary;  // dictionary
  windowArea_->PicturesLink = &s_->Pictures;      // pictures
  windowArea_->StrongNumbersHidden = [this] {
    return !s_->Actions.Get(QStringLiteral("ToolButton2")).isChecked();
  };
  splitter_ = new QSplitter(this);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  splitter_->addWidget(leftPanel_);
  splitter_->addWidget(windowArea_->Area());
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this, [this] { TileWindows(); });
  setCentralWidget(splitter_);
  new TOptionReactions(
      s_->Options, s_->Actions, s_->Display, *splitter_, *leftPanel_,
      [this] { windowArea_->RefreshAllWindows(); }, this);
  CreateOptionsDialog();
  statusLabel_ = new QLabel(this);
  statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
  NameControl(*statusLabel_, "StatusLabel");
  statusBar()->addWidget(statusLabel_, 1);
  // The search panel: its list's title and count in the status line.
  statusBar()->addWidget(leftPanel_->SearchPage->Label1, 1);
  leftPanel_->SearchPage->SetDictionary(&s_->Dictionary);  // dictionary
  CreateMenus();
  Wire();
  FormCreate();
  SetNavigationEnabled(false);
}

void TLectora2Form1::CreateActions() {
  TActionRegistry& actions = s_->Actions;
  auto* group = new QActionGroup(this);
  group->setExclusive(false);
  for (int number = 0; number < kTranslationCount; ++number) {
    QAction* action =
        actions.Add(QStringLiteral("AOVer%1").arg(number),
                    DecodeCharset(s_->Texts.Translate(TranslationInfo(number).Folder), 204));
    action->setCheckable(true);
    group->addAction(action);
    // A translation is opened by the command, not by the check mark.
    connect(action, &QAction::triggered, this, [this, number, action] {
      action->setChecked(true);
      OpenTranslation(number);
    });
  }
  QAction* copy =
      actions.Add(QStringLiteral("ToolButton6"), Caption("ToolButton6"), Hint("ToolButton6"));
  copy->setIcon(ToolIcon(QStringLiteral("copy")));
  copy->setEnabled(false);
  connect(copy, &QAction::triggered, this, [this] {
    if (TBibleRichEdit1* owner = s_->Display.SelectionOwner) owner->CopyToClipboard();
  });
  // The tool bar's switches; the hint names each one for screen readers.
  const auto toggle = [&](const char* name, const char* icon) {
    QAction* action = actions.Add(QString::fromLatin1(name), Hint(name), Hint(name));
    action->setIcon(ToolIcon(QString::fromLatin1(icon)));
    action->setCheckable(true);
    return action;
  };
  connect(toggle("ToolButton2", "strong-numbers"), &QAction::toggled, this,
          [this] { windowArea_->RefreshAllWindows(); });
  connect(toggle("ToolButton11", "footnotes"), &QAction::toggled, this, [this](bool down) {
    s_->Options.SetOption(TOptionValues::kShowFootnotes, down);
    windowArea_->RefreshAllWindows();
  });
  connect(toggle("ToolButton12", "search-panel"), &QAction::toggled, this, [this](bool down) {
    leftPanel_->setVisible(down && !BibleWindows().empty());
    TileWindows();
  });
  toggle("ToolButton15", "links-view")->setVisible(false);  // shown by a module with links
  // Clipboard watching and auto-minimise are options the tool bar switches.
  connect(toggle("ToolButton19", "clipboard-watch"), &QAction::toggled, this,
          [this](bool down) { s_->Options.SetOption(TOptionValues::kCheckClipboard, down); });
  connect(toggle("ToolButton8", "auto-minimize"), &QAction::toggled, this,
          [this](bool down) { s_->Options.SetOption(TOptionValues::kAutoMin, down); });
  toggle("ToolButton20", "speak")->setEnabled(false);  // chapter audio: with the first window
  QAction* goBook =
      actions.Add(QStringLiteral("GoBook"), {}, Hint("GoBook"), QKeySequence(Qt::CTRL | Qt::Key_B));
  // The book name is selected, so that what the reader types replaces it.
  connect(goBook, &QAction::triggered, this, [this] {
    navigationBar_->BookBox->setFocus();
    navigationBar_->BookBox->Edit()->selectAll();
  });
  addAction(goBook);
}

void TLectora2Form1::CreateOptionsDialog() {
  TOptions::THooks hooks;
  hooks.ActiveBible = [this] { return s_->Active.Bible(); };
  hooks.Settings = [this] { return &s_->Settings.Ini(); };
  hooks.ApplyDisplayOptions = [this] { windowArea_->ApplyDisplayOptions(); };
  hooks.ShowHelp = [this](const QString& topic) { s_->Help.ShowTopic(topic); };
  optionsDialog_ = new TOptions(s_->Options, std::move(hooks), this);
}

void TLectora2Form1::AddToolAction(QToolBar& toolBar, const char* name) {
  QAction& action = s_->Actions.Get(QString::fromLatin1(name));
  toolBar.addAction(&action);
  if (QWidget* button = toolBar.widgetForAction(&action)) {
    button->setObjectName(QString::fromLatin1(name));
    NameControl(*button, name);
  }
}

void TLectora2Form1::CreateToolBar() {
  QToolBar* toolBar1 = addToolBar(Hint("ToolBar1"));
  toolBar1->setObjectName(QStringLiteral("ToolBar1"));
  toolBar1->setMovable(false);
  popupMenu6_ = new QMenu(this);
  popupMenu6_->setObjectName(QStringLiteral("PopupMenu6"));
  auto* toolButton1 = new QToolButton(this);
  toolButton1->setObjectName(QStringLiteral("ToolButton1"));
  toolButton1->setIcon(ToolIcon(QStringLiteral("open")));
  toolButton1->setMenu(popupMenu6_);
  toolButton1->setPopupMode(QToolButton::InstantPopup);
  NameControl(*toolButton1, "ToolButton1");
  toolBar1->addWidget(toolButton1);
  navigationBar_ = new TNavigationBar(s_->Navigator, s_->Active, *toolBar1);
  // Letters typed into the book box under another keyboard layout become
  // the active translation's ("AutoKeybd", "FoneticCyr").
  auto* keys = new TKeyTranslator(TXkbKeyboardLayout::ForApplication(), this);
  keys->Bind(s_->Options);
  keys->SetLanguageSource([this]() -> const TLanguage* {
    const TBible* bible = s_->Active.Bible();
    return bible != nullptr ? &bible->Language : nullptr;
  });
  navigationBar_->TranslateKey = [keys](char& key) { keys->Translate(key); };
  for (const char* name : {"BookBox", "SpinEdit1", "SpinEdit2", "DblButton1", "DblButton2",
                           "DblButton3", "ToolButton3", "ToolButton4"}) {
    NameControl(*toolBar1->findChild<QWidget*>(QString::fromLatin1(name)), name);
  }
  toolBar1->addSeparator();
  for (const char* name : {"ToolButton6", "ToolButton20", "ToolButton12", "ToolButton11",
                           "ToolButton2", "ToolButton15", "ToolButton19", "ToolButton8"}) {
    AddToolAction(*toolBar1, name);
  }
}

void TLectora2Form1::CreateMenus() {
  TActionRegistry& actions = s_->Actions;
  const auto menu = [this](QMenu* parent, const char* name) {
    QMenu* m =
        parent != nullptr ? parent->addMenu(Caption(name)) : menuBar()->addMenu(Caption(name));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
  };
  const auto item = [&](QMenu& parent, const char* name, bool enabled = true) {
    QAction* action = actions.Add(QString::fromLatin1(name), Caption(name));
    action->setEnabled(enabled);
    parent.addAction(action);
    return action;
  };
  QMenu* file1 = menu(nullptr, "File1");
  bible1_ = menu(file1, "Bible1");
  QAction* viewWindow1 = item(*file1, "ViewWindow1");
  connect(viewWindow1, &QAction::triggered, this, [this] { s_->OnTop.Connect(); });
  viewWindow1->setVisible(false);
  windowItems_.push_back(viewWindow1);
  // dictionary: the window as it was left
  connect(item(*file1, "Dictionary1"), &QAction::triggered, this,
          [this] { s_->Dictionary.ShowDictionary(); });
  // notes: the notes window restored, at the note of the current place
  QAction* noteBook1 = item(*file1, "NoteBook1");
  connect(noteBook1, &QAction::triggered, this, [this] { s_->NoteBook.ShowNotes(true); });
  noteBook1->setVisible(false);
  windowItems_.push_back(noteBook1);
  // pictures: the current picture again
  connect(item(*file1, "Picture1"), &QAction::triggered, this,
          [this] { s_->Pictures.ShowPicture(); });
  file1->addSeparator();
  QAction* exit1 = item(*file1, "Exit1");
  exit1->setShortcut(QKeySequence::Quit);
  connect(exit1, &QAction::triggered, this, &QWidget::close);

  QMenu* goto1 = menu(nullptr, "Goto1");
  CreateGotoMenu(*goto1);
  // Range1 and Options1 are commands of the menu bar itself, as the design
  // has them; the range dialog and the options dialog answer them.
  QAction* range1 = actions.Add(QStringLiteral("Range1"), Caption("Range1"));
  menuBar()->addAction(range1);
  QAction* options1 = actions.Add(QStringLiteral("Options1"), Caption("Options1"));
  menuBar()->addAction(options1);
  connect(options1, &QAction::triggered, this, [this] { optionsDialog_->ShowOptions(); });
  QMenu* windows1 = menu(nullptr, "Windows1");
  CreateWindowMenu(*windows1);
  windowItems_.push_back(goto1->menuAction());
  windowItems_.push_back(windows1->menuAction());
  CreateHelpMenu(*menu(nullptr, "Help1"));
}

void TLectora2Form1::CreateHelpMenu(QMenu& help1) {
  // The help service answers these commands; the frame only lays them out.
  TActionRegistry& actions = s_->Actions;
  const auto item = [&](const char* name) {
    QAction* action = actions.Add(QString::fromLatin1(name), Caption(name));
    help1.addAction(action);
    return action;
  };
  item("ThisProgram1");
  QAction* thisBible1 = item("ThisBible1");
  thisBible1->setVisible(false);
  windowItems_.push_back(thisBible1);
  help1.addSeparator()->setObjectName(QStringLiteral("N4"));
  item("WebSite1");
  item("EMail1");
  help1.addSeparator()->setObjectName(QStringLiteral("N7"));
  connect(item("CheckNew1"), &QAction::triggered, this,
          [this] { s_->VersionCheck.CheckNew1Click(); });
  // logo: shown modally
  connect(item("Logo1"), &QAction::triggered, this, [this] { s_->Logo.ShowModal(); });
}

void TLectora2Form1::CreateGotoMenu(QMenu& goto1) {
  TActionRegistry& actions = s_->Actions;
  TNavigationBar& bar = *navigationBar_;
  const auto item = [&](const char* name, auto handler) {
    QAction* action = actions.Add(QString::fromLatin1(name), Caption(name));
    goto1.addAction(action);
    connect(action, &QAction::triggered, this, handler);
  };
  item("Previous1", [&bar] {
    if (bar.ToolButton3->isEnabled()) bar.ToolButton3->click();
  });
  item("Next1", [&bar] {
    if (bar.ToolButton4->isEnabled()) bar.ToolButton4->click();
  });
  goto1.addSeparator();
  item("First2", [&bar] { bar.SpinEdit2->SetValue(1); });
  item("Last2", [&bar] { bar.SpinEdit2->SetValue(bar.SpinEdit2->MaxValue()); });
  item("Random1", [this] { s_->Navigator.GoToRandomVerse(); });
  goto1.addSeparator();
  item("First1", [&bar] { bar.SpinEdit1->SetValue(1); });
  item("Last1", [&bar] { bar.SpinEdit1->SetValue(bar.SpinEdit1->MaxValue()); });
  goto1.addSeparator();
  QMenu* bookMark2 = goto1.addMenu(Caption("BookMark2"));
  bookMark2->setObjectName(QStringLiteral("BookMark2"));
  bookmarkMenu_ = new TBookmarkMenu(*bookMark2, s_->Active, s_->Navigator);
  bookmarkMenu_->Chosen = [&bar] { bar.SpinEdit2->setFocus(); };
}

void TLectora2Form1::CreateWindowMenu(QMenu& windows1) {
  TActionRegistry& actions = s_->Actions;
  const auto tile = [this](int mode) {
    windowSettings_.TileMode = mode;
    windowArea_->TileMode = mode;
    TileWindows();
  };
  QAction* tile2 = actions.Add(QStringLiteral("Tile2"), Caption("Tile2"));
  connect(tile2, &QAction::triggered, this, [tile] { tile(0); });
  QAction* tile3 = actions.Add(QStringLiteral("Tile3"), Caption("Tile3"));
  connect(tile3, &QAction::triggered, this, [tile] { tile(1); });
  QAction* closeAll1 = actions.Add(QStringLiteral("CloseAll1"), Caption("CloseAll1"));
  connect(closeAll1, &QAction::triggered, this, &TLectora2Form1::CloseAllWindows);
  windows1.addActions({tile2, tile3, closeAll1});
  windows1.addSeparator();
  // The window list follows the open windows each time the menu opens.
  connect(&windows1, &QMenu::aboutToShow, this, [this, &windows1] {
    const QList<QAction*> items = windows1.actions();
    for (qsizetype i = 4; i < items.size(); ++i) {
      windows1.removeAction(items[i]);
      delete items[i];
    }
    QMdiArea* area = windowArea_->Area();
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    for (qsizetype i = 0; i < windows.size(); ++i) {
      QMdiSubWindow* sub = windows[i];
      QAction* entry = windows1.addAction(QString("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
      entry->setCheckable(true);
      entry->setChecked(sub == area->activeSubWindow());
      connect(entry, &QAction::triggered, this, [area, sub] { area->setActiveSubWindow(sub); });
    }
  });
}

void TLectora2Form1::Wire() {
  connect(&s_->Navigator, &TNavigator::PlaceChanged, this, &TLectora2Form1::ShowStatus);
  connect(&s_->Navigator, &TNavigator::PositionShown, this, &TLectora2Form1::PositionShown);
  connect(windowArea_, &TBibleWindowArea::WindowsPresent, this,
          &TLectora2Form1::SetNavigationEnabled);
  connect(navigationBar_, &TNavigationBar::VerseKeyReleased, this, [this](QKeyEvent* event) {
    if (TBibleForm1* window = windowArea_->ActiveWindow()) {
      QKeyEvent copy(QEvent::KeyRelease, event->key(), event->modifiers(), event->text());
      QCoreApplication::sendEvent(window->BRichEdit1, &copy);
    }
  });
  connect(&s_->Active, &TActiveTranslation::TranslationChanged, this, [this](TBible* bible) {
    s_->Actions.Get(QStringLiteral("ToolButton15"))
        .setVisible(BinaryFile::Exists(bible->Path + "LinksP.bin"));
  });
  // The search panel: the links view, the windows re-marked after each
  // list, and the Bible windows' find command.
  TSearchService& search = s_->WordSearch;
  QAction& links = s_->Actions.Get(QStringLiteral("ToolButton15"));
  search.SetLinksButton(&links);
  connect(&links, &QAction::toggled, &search, &TSearchService::LinksViewToggled);
  search.RefreshWindows = [this] { windowArea_->RefreshAllWindows(); };
  windowArea_->FindCommand = [&search](const std::string& text) { search.SearchFor(text); };
  LendControls(s_->DdeServer, *navigationBar_, *windowArea_, s_->Navigator, leftPanel_->SearchPage);
}

void TLectora2Form1::ShowStatus() {
  const TBible* bible = s_->Active.Bible();
  const QString text =
      bible == nullptr ? QString()
                       : DecodeCharset(s_->Navigator.CurrentReference(), bible->Language.Charset());
  statusLabel_->setText(text);
  statusLabel_->setAccessibleDescription(text);
}

void TLectora2Form1::SetNavigationEnabled(bool enabled) {
  navigationBar_->SetEnabled(enabled);
  for (QAction* item : windowItems_) item->setVisible(enabled);
  leftPanel_->setVisible(enabled && s_->Actions.Get(QStringLiteral("ToolButton12")).isChecked());
  s_->Actions.Get(QStringLiteral("ToolButton20")).setEnabled(enabled);  // chapter audio
  if (!enabled) {
    s_->Actions.Get(QStringLiteral("ToolButton6")).setEnabled(false);
    statusLabel_->clear();
    TileWindows();
  }
}

void TLectora2Form1::OpenTranslation(int number) { windowArea_->OpenTranslation(number); }

void TLectora2Form1::TileWindows() {
  if (windowArea_ != nullptr) windowArea_->TileWindows();
}

void TLectora2Form1::CloseAllWindows() { windowArea_->CloseAllWindows(); }

std::vector<TBibleForm1*> TLectora2Form1::BibleWindows() const {
  return windowArea_ != nullptr ? windowArea_->BibleWindows() : std::vector<TBibleForm1*>{};
}

void TLectora2Form1::SetBibleWindowCreated(std::function<void(TBibleForm1&)> created) {
  windowArea_->WindowCreated = std::move(created);
}

TBibleForm1* TLectora2Form1::ActiveBibleWindow() const { return windowArea_->ActiveWindow(); }

void TLectora2Form1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (windowArea_ == nullptr) return;
  TileWindows();
  windowArea_->ShowActiveVerses();
}

}  // namespace lectora
