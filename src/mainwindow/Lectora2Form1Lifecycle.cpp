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

#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/LargeListBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "settings/MySpinEdit.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/IniFile.h"
#include "store/Settings.h"

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
  s.Read(settings_->Ini());
  ApplyWindowSettings();
}

void TLectora2Form1::ApplyWindowSettings() {
  TMainWindowSettings& s = windowSettings_;
  FitPlacementOntoScreens(s.Placement, ScreenGeometries());
  if (s.Placement.PositionStored) {
    setGeometry(s.Placement.Left, s.Placement.Top, s.Placement.Width, s.Placement.Height);
  }
  if (s.Placement.WindowState == 2) setWindowState(Qt::WindowMaximized);
  panel3_->resize(s.PanelWidth, panel3_->height());
  splitter_->setSizes({s.PanelWidth, std::max(width() - s.PanelWidth, 100)});
  options_->SetCurrentVerseColor(s.CurrentVerseColor);
  options_->SetFoundWordColor(s.FoundWordColor);
  options_->SetFootntColor(s.FootntColor);
  displayContext_->MarkColor = ColorOf(s.FoundWordColor);
  displayContext_->BraceColor = ColorOf(s.FootntColor);
  for (int book = 1; book <= TMainWindowSettings::kBookNumbers && book < 88; ++book) {
    searchContext_.SelectedBooks[book] = s.SearchRange[book];
  }
  options_->SetDifferentFonts(s.DifferentFonts);
  options_->SetAllowChaset(s.AllowChaset);
  {
    const QSignalBlocker block(toolButton2_);
    toolButton2_->setChecked(!s.HideStrong);
  }
  {
    const QSignalBlocker block(toolButton12_);
    toolButton12_->setChecked(s.ShowFinder);
  }
  toolButton15_->setChecked(s.ShowLinks);
  currentStandardNumber_ = s.GlVIndex;
  historyContext_->MaxListCount = s.MaxListCount;
  searchContext_.WordOrder = s.Order;
}

void TLectora2Form1::FormShow() {
  options_->LoadOptions(settings_->Ini());
  {
    const QSignalBlocker block(toolButton11_);
    toolButton11_->setChecked(options_->GetOption(10));
  }
  // The translation menus: every translation in the Bible menu and in the
  // drop-down of the open button.
  for (QAction* action : translationActions_) {
    bible1_->addAction(action);
    popupMenu6_->addAction(action);
  }
  if (!RunningFromCD()) {
    const std::vector<int> handles = windowSettings_.BibleHandles;
    for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
      restoring_ = true;
      OpenBibleWindow(*it);
    }
  }
  if (!BibleWindows().empty()) {
    TileWindows();
    if (TBibleForm1* active = WindowOf(mdiArea_->activeSubWindow())) active->FormActivate();
  }
  largeListBox1_->SetClearText(windowSettings_.SearchText);
  ShowPosition(true);
  if (spinEdit2_->isEnabled()) spinEdit2_->setFocus();
  restoring_ = false;
}

void TLectora2Form1::CollectWindowSettings() {
  TMainWindowSettings& s = windowSettings_;
  s.Placement.WindowState = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  s.Placement.Left = frame.x();
  s.Placement.Top = frame.y();
  s.Placement.Width = frame.width();
  s.Placement.Height = frame.height();
  if (panel3_->isVisible()) s.PanelWidth = panel3_->width();
  s.CurrentVerseColor = options_->CurrentVerseColor();
  s.FoundWordColor = options_->FoundWordColor();
  s.FootntColor = options_->FootntColor();
  for (int book = 1; book <= TMainWindowSettings::kBookNumbers && book < 88; ++book) {
    s.SearchRange[book] = searchContext_.SelectedBooks[book];
  }
  s.GlVIndex = currentStandardNumber_;
  s.BibleHandles.clear();
  for (TBibleForm1* window : BibleWindows()) {
    if (window->Bible() != nullptr) s.BibleHandles.push_back(window->Bible()->TranslationNumber);
  }
  s.DifferentFonts = options_->DifferentFonts();
  s.AllowChaset = options_->AllowChaset();
  s.CheckClipboard = options_->GetOption(0);
  s.ShowAbout = options_->GetOption(9);
  s.HideStrong = !toolButton2_->isChecked();
  s.ShowFinder = toolButton12_->isChecked();
  s.ShowLinks = toolButton15_->isChecked();
  s.SearchText = largeListBox1_->Text();
  s.MaxListCount = historyContext_->MaxListCount;
  s.Order = searchContext_.WordOrder;
}

void TLectora2Form1::FormClose() {
  if (closed_) return;
  closed_ = true;
  if (RunningFromCD()) return;
  CollectWindowSettings();
  TMyIniFile& ini = settings_->Ini();
  windowSettings_.Write(ini);
  options_->SaveOptions(ini);
  if (TBible* bible = ActiveBible()) {
    largeListBox1_->ComboBox()->SaveToFile(bible->DefaultPath + "Search_List.txt");
    historyBox_->SaveToFile(bible->DefaultPath + "VerseHistory.txt");
  }
  ini.UpdateFile();
}

void TLectora2Form1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

}  // namespace lectora
