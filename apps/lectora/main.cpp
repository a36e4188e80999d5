// The program: one instance per user session, the main window, and a clean
// close on SIGTERM and SIGINT.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/Program.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/PBJustOne.h"
#include "mainwindow/SignalCloser.h"
#include "store/DefaultSetupFolder.h"
#include "store/LectoraError.h"
#include "tools/dde/DdeServer.h"

namespace {

// The value of `option` on the command line, or empty.
QString OptionValue(const QStringList& arguments, const QString& option) {
  const qsizetype at = arguments.indexOf(option);
  return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

constexpr const char* kUsage =
    "Usage: lectora [--setup-dir DIR]\n"
    "A Bible reading and research program: translations side by side, word\n"
    "search, dictionaries, notes and links. A second start brings the running\n"
    "one forward.\n"
    "\n"
    "Options:\n"
    "  --setup-dir DIR   the setup folder with the translations and settings\n"
    "                    (default: the program's own folder, or for an\n"
    "                    installed program ../share/lectora beside it)\n"
    "  --help            print this text and end\n"
    "  --version         print the version and end\n"
    "\n"
    "Other programs drive a running Lectora over D-Bus (org.darsel.Lectora).\n";

// --help and --version answer before any window system is needed, so that
// they work on a console without a display. True when one was given.
bool AnsweredFromTheConsole(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("lectora %s\n", LECTORA_VERSION);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredFromTheConsole(argc, argv)) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lectora"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lectora 4.0"));

  // A second start hands over to the first and ends without writing.
  lectora::TPBJustOne justOne;
  if (justOne.Check() == lectora::TPBJustOne::TResult::Second) return 0;

  lectora::TProgram::TStartOptions options;
  const QStringList arguments = QApplication::arguments();
  const QString setupDir = OptionValue(arguments, QStringLiteral("--setup-dir"));
  options.SetupFolder =
      setupDir.isEmpty()
          ? lectora::DefaultSetupFolder(QCoreApplication::applicationDirPath().toStdString())
          : setupDir.toStdString();
  std::unique_ptr<lectora::TProgram> program;
  try {
    program = std::make_unique<lectora::TProgram>(options);
  } catch (const lectora::LectoraError& error) {
    QMessageBox::critical(nullptr, QStringLiteral("Lectora"), QString::fromUtf8(error.what()));
    return 1;
  }
  lectora::TLectora2Form1* window = &program->Window();
  // The bus object also serves the pokes of other programs.
  justOne.SetItems(&program->DdeServer());
  QObject::connect(&justOne, &lectora::TPBJustOne::ActivateRequested, window, [window] {
    // A maximised window stays maximised; only a minimised one is restored.
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    // A dialog the reader left open comes forward with its window.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      dialog->raise();
      dialog->activateWindow();
    }
  });
  lectora::TSignalCloser closer;
  QObject::connect(&closer, &lectora::TSignalCloser::CloseRequested, window, [window] {
    // A dialog left open (a notice at start, say) must not keep the program
    // from ending: it is cancelled, then the window closes as Exit does.
    while (QWidget* modal = QApplication::activeModalWidget()) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
      } else {
        modal->close();
      }
      if (QApplication::activeModalWidget() == modal) break;
    }
    window->close();
    // The request may come while the start is still running, before the
    // main loop: the quit then waits for it.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
  window->show();
  window->FormShow();
  // --screenshot FILE: the window as first shown, saved as an image, and the
  // program ends (for the README's picture and for timing the start).
  const QString screenshot = OptionValue(arguments, QStringLiteral("--screenshot"));
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(0, window, [window, screenshot] {
      // The layout settles through posted events (the window area's size,
      // then the tiling): let them run before the picture is taken.
      for (int pass = 0; pass < 3; ++pass) QCoreApplication::processEvents();
      const bool saved = window->grab().save(screenshot);
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return QApplication::exec();
}
