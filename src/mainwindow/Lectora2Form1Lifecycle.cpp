// The main window's start and end: the settings of the last run read and
// applied when the window is created, the Bible windows of the last run
// reopened when it is first shown, and everything written back when it
// closes, unless the setup folder cannot be written.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <algorithm>

#include "app/ActionRegistry.h"
#include "app/ProgramServices.h"
#include "display/BibleForm1.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "mainwindow/BibleWindowArea.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/LeftPanel.h"
#include "mainwindow/NavigationBar.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "search/SearchContext.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/TranslationTable.h"
#include "tools/dde/OnTopClient.h"
#include "tools/dictionary/Dictionary.h"
#include "tools/links/LinksPage.h"
#include "tools/logo/LogoWindow.h"
#include "tools/notes/NoteBook.h"
#include "tools/picture/WordPictures.h"
#include "tools/search/SearchService.h"
#include "tools/version/VersionCheck.h"

namespace lectora {

namespace {

QColor ColorOf(std::uint32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QList<QRect> ScreenGeometries() {
  QList<QRect> screens;
  if (QScreen* primary = QGuiApplication::primaryScreen()) {
    screens.push_back(primary->availableGeometry());
  }
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen != QGuiApplication::primaryScreen()) screens.push_back(screen->availableGeometry());
  }
  return screens;
}

}  // namespace

void TLectora2Form1::FormCreate() {
  TMainWindowSettings& s = windowSettings_;
  s.Placement.Left = x();
  s.Placement.Top = y();
  s.Placement.Width = width();
  s.Placement.Height = height();
  s.Read(s_->Settings.Ini());
  ApplyWindowSettings();
  leftPanel_->LinksPage->LoadTree();  // user links
}

bool TLectora2Form1::RunningFromCD() const { return s_->Settings.RunningFromCD(); }

void TLectora2Form1::ApplyWindowSettings() {
  TMainWindowSettings& s = windowSettings_;
  FitPlacementOntoScreens(s.Placement, ScreenGeometries());
  if (s.Placement.PositionStored) {
    setGeometry(s.Placement.Left, s.Placement.Top, s.Placement.Width, s.Placement.Height);
  }
  if (s.Placement.WindowState == 2) setWindowState(Qt::WindowMaximized);
  if (s.Placement.WindowState == 1) setWindowState(Qt::WindowMinimized);
  leftPanel_->resize(s.PanelWidth, leftPanel_->height());
  splitter_->setSizes({s.PanelWidth, std::max(width() - s.PanelWidth, 100)});
  leftPanel_->SetSplitterTop(s.SplitterTop);
  navigationBar_->SetBookBoxWidth(s.CmBB1Width);
  TOptionValues& options = s_->Options;
  options.SetCurrentVerseColor(s.CurrentVerseColor);
  options.SetFoundWordColor(s.FoundWordColor);
  options.SetFootntColor(s.FootntColor);
  s_->Display.MarkColor = ColorOf(s.FoundWordColor);
  s_->Display.BraceColor = ColorOf(s.FootntColor);
  for (int book = 1; book <= TMainWindowSettings::kBookNumbers && book < 88; ++book) {
    s_->Search.SelectedBooks[book] = s.SearchRange[book];
  }
  s_->Search.SearchRangeType = s.SearchRangeType;
  options.SetDifferentFonts(s.DifferentFonts);
  options.SetAllowChaset(s.AllowChaset);
  TActionRegistry& actions = s_->Actions;
  {
    const QSignalBlocker block(actions.Get(QStringLiteral("ToolButton2")));
    actions.Get(QStringLiteral("ToolButton2")).setChecked(!s.HideStrong);
  }
  {
    const QSignalBlocker block(actions.Get(QStringLiteral("ToolButton12")));
    actions.Get(QStringLiteral("ToolButton12")).setChecked(s.ShowFinder);
  }
  actions.Get(QStringLiteral("ToolButton15")).setChecked(s.ShowLinks);
  windowArea_->TileMode = s.TileMode;
  s_->Navigator.SetStandardNumber(s.GlVIndex);
  s_->History.MaxListCount = s.MaxListCount;
  s_->WordSearch.SetOrder(s.Order);
  leftPanel_->SetPageIndex(s.TabPageIndex);
}

void TLectora2Form1::FormShow() {
  TOptionValues& options = s_->Options;
  options.LoadOptions(s_->Settings.Ini());
  // Reading the options reports each one, so the switches that mirror
  // one (footnotes, clipboard, auto-minimise) take its stored value.
  s_->Logo.ShowAtStart();  // logo: when option 9 says so
  // The translation menus: every translation in the Bible menu and in the
  // drop-down of the open button.
  for (int number = 0; number < kTranslationCount; ++number) {
    QAction& action = s_->Actions.Get(QStringLiteral("AOVer%1").arg(number));
    bible1_->addAction(&action);
    popupMenu6_->addAction(&action);
  }
  TNavigator& navigator = s_->Navigator;
  if (!RunningFromCD()) {
    const std::vector<int> handles = windowSettings_.BibleHandles;
    for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
      navigator.SetRestoring(true);
      windowArea_->OpenBibleWindow(*it);
    }
  }
  if (!BibleWindows().empty()) {
    TileWindows();
    if (TBibleForm1* active = windowArea_->ActiveWindow()) active->FormActivate();
  }
  leftPanel_->LargeListBox1->SetClearText(windowSettings_.SearchText);
  // The last run's search again, in the language it was typed in.
  s_->WordSearch.SearchTextLanguage = windowSettings_.SearchTextLang;
  s_->WordSearch.SearchOfBox();
  navigationBar_->ShowPosition(true);
  if (navigationBar_->SpinEdit2->isEnabled()) navigationBar_->SpinEdit2->setFocus();
  navigator.SetRestoring(false);
  // dictionary: open again with the word it showed at the last exit
  if (windowSettings_.IsDicVizible) {
    s_->Dictionary.LookUpWord(s_->Settings.Ini().ReadString("DicForm", "Text", ""));
  }
  if (windowSettings_.IsFloatpane) s_->OnTop.Connect();
  s_->VersionCheck.FirstShow(options.GetOption(TOptionValues::kNewVCheck));
  if (windowSettings_.IsPictureShown) s_->Pictures.ShowPicture();       // pictures
  s_->Logo.FocusIfShown();                                              // logo
  if (windowSettings_.IsNoteBookOpened) s_->NoteBook.ShowNotes(false);  // notes
}

void TLectora2Form1::CollectWindowSettings() {
  TMainWindowSettings& s = windowSettings_;
  s.Placement.WindowState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  s.Placement.Left = frame.x();
  s.Placement.Top = frame.y();
  s.Placement.Width = frame.width();
  s.Placement.Height = frame.height();
  if (leftPanel_->isVisible()) {
    s.PanelWidth = leftPanel_->width();
    s.SplitterTop = leftPanel_->SplitterTop();
  }
  s.CmBB1Width = navigationBar_->BookBoxWidth();
  const TOptionValues& options = s_->Options;
  s.CurrentVerseColor = options.CurrentVerseColor();
  s.FoundWordColor = options.FoundWordColor();
  s.FootntColor = options.FootntColor();
  for (int book = 1; book <= TMainWindowSettings::kBookNumbers && book < 88; ++book) {
    s.SearchRange[book] = s_->Search.SelectedBooks[book];
  }
  s.SearchRangeType = s_->Search.SearchRangeType;
  s.GlVIndex = s_->Navigator.Place().StandardNumber;
  s.BibleHandles.clear();
  for (TBibleForm1* window : BibleWindows()) {
    if (window->Bible() != nullptr) s.BibleHandles.push_back(window->Bible()->TranslationNumber);
  }
  s.DifferentFonts = options.DifferentFonts();
  s.AllowChaset = options.AllowChaset();
  s.CheckClipboard = options.GetOption(TOptionValues::kCheckClipboard);
  s.ShowAbout = options.GetOption(TOptionValues::kShowAbout);
  const TActionRegistry& actions = s_->Actions;
  s.HideStrong = !actions.Get(QStringLiteral("ToolButton2")).isChecked();
  s.ShowFinder = actions.Get(QStringLiteral("ToolButton12")).isChecked();
  s.ShowLinks = actions.Get(QStringLiteral("ToolButton15")).isChecked();
  s.TileMode = windowArea_->TileMode;
  s.SearchText = leftPanel_->LargeListBox1->Text();
  s.MaxListCount = s_->History.MaxListCount;
  s.Order = s_->WordSearch.Order();
  s.SearchTextLang = s_->WordSearch.SearchTextLanguage;
  s.TabPageIndex = leftPanel_->PageIndex();
  s.IsDicVizible = s_->Dictionary.IsShown();  // dictionary
  s.IsFloatpane = s_->OnTop.Connected();
  s.IsPictureShown = s_->Pictures.IsShown();    // pictures
  s.IsNoteBookOpened = s_->NoteBook.IsShown();  // notes
  // The audio does not exist yet: its keys keep what the last run stored.
}

void TLectora2Form1::FormClose() {
  if (closed_) return;
  closed_ = true;
  Q_EMIT Closing();
  if (RunningFromCD()) return;
  CollectWindowSettings();
  TMyIniFile& ini = s_->Settings.Ini();
  windowSettings_.Write(ini);
  s_->Dictionary.SaveSettings();  // dictionary: it may still be open
  s_->Pictures.SaveSettings();    // pictures: it may still be open
  s_->NoteBook.SaveOnExit();      // notes: the note being edited and the placement
  s_->Options.SaveOptions(ini);
  if (s_->Active.Bible() != nullptr) s_->Active.SaveHistories();
  ini.UpdateFile();
  leftPanel_->LinksPage->SaveTree();  // user links
}

void TLectora2Form1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

}  // namespace lectora
