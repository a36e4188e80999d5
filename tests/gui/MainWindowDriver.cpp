#include "MainWindowDriver.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>
#include <stdexcept>

#include "app/ActionRegistry.h"
#include "display/BibleComboBox.h"
#include "display/BibleForm1.h"
#include "display/ODComboBox.h"
#include "mainwindow/Lectora2Form1.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "settings/MySpinEdit.h"
#include "tools/logo/LogoForm1.h"

namespace lectora::test {

std::unique_ptr<MainWindowDriver> MainWindowDriver::Start(const std::string& setupFolder,
                                                          const std::string& configHome,
                                                          bool readOnly, IShellOpen* shell,
                                                          const std::string& dataHome) {
  TProgram::TStartOptions options;
  options.SetupFolder = setupFolder;
  options.ConfigHome = configHome;
  options.DataHome = dataHome;
  options.ScriptedDialogs = true;
  options.ReadOnlySetup = readOnly;
  options.ShellOpen = shell;
  auto driver = std::make_unique<MainWindowDriver>();
  driver->program_ = std::make_unique<TProgram>(options);
  TLectora2Form1& window = driver->Window();
  window.resize(900, 600);
  window.show();
  window.FormShow();
  // logo: it greets every start that option 9 allows; closed here as the
  // reader closes it, so that the main window has the focus again.
  if (driver->program_->LogoWindow().isVisible()) {
    driver->program_->LogoWindow().close();
    window.activateWindow();
  }
  return driver;
}

TLectora2Form1& MainWindowDriver::Window() { return program_->Window(); }

template <typename T>
T& MainWindowDriver::Find(const char* name) {
  T* child = Window().findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) throw std::runtime_error(std::string("no control named ") + name);
  return *child;
}

void MainWindowDriver::OpenTranslation(int number) { Window().OpenTranslation(number); }
void MainWindowDriver::CloseAllWindows() { Window().CloseAllWindows(); }
void MainWindowDriver::GoToRandomVerse() { program_->Navigator().GoToRandomVerse(); }
void MainWindowDriver::close() { Window().close(); }

std::vector<TBibleForm1*> MainWindowDriver::BibleWindows() { return Window().BibleWindows(); }
TBibleForm1* MainWindowDriver::ActiveBibleWindow() { return Window().ActiveBibleWindow(); }
TBible* MainWindowDriver::ActiveBible() { return program_->Active().Bible(); }
const std::string& MainWindowDriver::CurrentReference() {
  return program_->Navigator().CurrentReference();
}
int MainWindowDriver::CurrentVerseNumber() { return program_->Navigator().Place().VerseNumber; }

TODComboBox& MainWindowDriver::BookBox() { return Find<TODComboBox>("BookBox"); }
TMySpinEdit& MainWindowDriver::ChapterSpin() { return Find<TMySpinEdit>("SpinEdit1"); }
TMySpinEdit& MainWindowDriver::VerseSpin() { return Find<TMySpinEdit>("SpinEdit2"); }
TBibleComboBox& MainWindowDriver::VerseHistory() { return Find<TBibleComboBox>("HistoryBox"); }
QToolButton& MainWindowDriver::BackButton() { return Find<QToolButton>("ToolButton3"); }
QToolButton& MainWindowDriver::NextButton() { return Find<QToolButton>("ToolButton4"); }
QMenu& MainWindowDriver::GotoMenu() { return Find<QMenu>("Goto1"); }
QMenu& MainWindowDriver::BookmarkMenu() { return Find<QMenu>("BookMark2"); }
QAction& MainWindowDriver::TranslationAction(int number) {
  return program_->Actions().Get(QStringLiteral("AOVer%1").arg(number));
}
QMdiArea& MainWindowDriver::WindowArea() { return Find<QMdiArea>("WindowArea"); }

template TMySpinEdit& MainWindowDriver::Find<TMySpinEdit>(const char*);
template TODComboBox& MainWindowDriver::Find<TODComboBox>(const char*);

}  // namespace lectora::test
