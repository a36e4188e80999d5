// The program's main window, a frame: the menus and the tool bar built from
// the action registry, the navigation controls, the left panel, the window
// area with the Bible windows, and the status line with the current place.
// The place itself lives in the navigator, the active translation in its
// service; the frame only lays them out and, at start and exit, moves its
// settings between the settings file and the controls. Start-up and closing
// are in Lectora2Form1Lifecycle.cpp.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/MainWindowSettings.h"

class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace lectora {

class TBibleForm1;
class TBibleWindowArea;
class TBookmarkMenu;
class TLeftPanel;
class TNavigationBar;
class TOptions;
struct TProgramServices;

class TLectora2Form1 : public QMainWindow {
  Q_OBJECT

 public:
  // An empty frame; Build fills it once the services exist.
  explicit TLectora2Form1(QWidget* parent = nullptr);
  ~TLectora2Form1() override;

  // Builds every control and menu from `services` (which must outlive the
  // window) and reads the window's settings, hidden; FormShow finishes.
  void Build(const TProgramServices& services);
  // The start after the window is shown: the options, the translation
  // menus, the Bible windows of the last run (last-numbered first, at
  // "GlVIndex"), the stored search text, and the first place shown.
  void FormShow();
  // Writes everything marked as written at exit, unless the setup folder
  // cannot be written. Runs once, from the close event.
  void FormClose();

  // ---- commands ----
  // The translation command: opens, tiles and shows the place.
  void OpenTranslation(int number);
  void TileWindows();
  void CloseAllWindows();
  // The Bible windows in window order: the topmost (last active) first.
  std::vector<TBibleForm1*> BibleWindows() const;
  TBibleForm1* ActiveBibleWindow() const;
  // Called for every new Bible window before it is shown.
  void SetBibleWindowCreated(std::function<void(TBibleForm1&)> created);
  // The settings record of the main window (read at Build, written at exit).
  TMainWindowSettings& WindowSettings() { return windowSettings_; }

 Q_SIGNALS:
  // Every Bible window that a move refreshed has been laid out (benchmarks
  // and tests wait for it).
  void PositionShown();
  // The window closes, before its settings are collected and written: the
  // study tools put their keys into WindowSettings().
  void Closing();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateActions();
  void CreateOptionsDialog();
  void CreateToolBar();
  void CreateMenus();
  void CreateGotoMenu(QMenu& gotoMenu);
  void CreateWindowMenu(QMenu& windows1);
  void CreateHelpMenu(QMenu& help1);
  void Wire();
  // Adds the registry's action `name` to the tool bar as a named button.
  void AddToolAction(QToolBar& toolBar, const char* name);
  // Shows or hides everything that needs a Bible window.
  void SetNavigationEnabled(bool enabled);
  void ShowStatus();
  // Start-up and closing.
  void FormCreate();
  void ApplyWindowSettings();
  void CollectWindowSettings();
  bool RunningFromCD() const;

  const TProgramServices* s_ = nullptr;
  TMainWindowSettings windowSettings_;
  bool closed_ = false;
  TNavigationBar* navigationBar_ = nullptr;
  TLeftPanel* leftPanel_ = nullptr;
  TBibleWindowArea* windowArea_ = nullptr;
  TBookmarkMenu* bookmarkMenu_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QMenu* bible1_ = nullptr;
  TOptions* optionsDialog_ = nullptr;
  QMenu* popupMenu6_ = nullptr;
  // Menu items shown once a Bible window exists.
  std::vector<QAction*> windowItems_;
  std::unique_ptr<TProgramServices> services_;
};

}  // namespace lectora
