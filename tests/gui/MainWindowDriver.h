// The real program (its composition root and main window) as a test drives
// it: started on a test's setup folder with scripted dialogs, its controls
// and commands found by their component names, the place read from the
// navigator.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolButton;

namespace lectora {

class IShellOpen;
class TBible;
class TBibleComboBox;
class TBibleForm1;
class TLectora2Form1;
class TMySpinEdit;
class TODComboBox;

namespace test {

class MainWindowDriver {
 public:
  // Builds the program on `setupFolder`, shows the window and runs its start.
  // `shell` (not owned) receives the web and mail addresses the program
  // opens; null leaves them to the desktop.
  // `dataHome`: where an installed copy keeps the user's files (empty: the
  // XDG data folder).
  static std::unique_ptr<MainWindowDriver> Start(const std::string& setupFolder,
                                                 const std::string& configHome,
                                                 bool readOnly = false, IShellOpen* shell = nullptr,
                                                 const std::string& dataHome = {});

  TProgram& Program() { return *program_; }
  TLectora2Form1& Window();

  // ---- commands ----
  void OpenTranslation(int number);
  void CloseAllWindows();
  void GoToRandomVerse();
  // Closes the main window as the reader does (the settings are written).
  void close();

  // ---- what the reader sees ----
  std::vector<TBibleForm1*> BibleWindows();
  TBibleForm1* ActiveBibleWindow();
  TBible* ActiveBible();
  const std::string& CurrentReference();
  int CurrentVerseNumber();

  // ---- controls and commands by component name ----
  TODComboBox& BookBox();
  TMySpinEdit& ChapterSpin();              // SpinEdit1
  TMySpinEdit& VerseSpin();                // SpinEdit2
  TBibleComboBox& VerseHistory();          // HistoryBox
  QToolButton& BackButton();               // ToolButton3
  QToolButton& NextButton();               // ToolButton4
  QMenu& GotoMenu();                       // Goto1
  QMenu& BookmarkMenu();                   // BookMark2
  QAction& TranslationAction(int number);  // AOVer<number>
  QMdiArea& WindowArea();

  // The child of the main window named `name`; fails the test when missing.
  template <typename T>
  T& Find(const char* name);

 private:
  std::unique_ptr<TProgram> program_;
};

}  // namespace test
}  // namespace lectora
