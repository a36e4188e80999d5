// The main window's side of the new-version check: the thread started with
// the check address, the command CheckNew1 (the thread resumed while the
// command runs, suspended after it), `ReportNewVersion`, and what the first
// show does when option 13 ("NewVCheck") is on. The addresses are the
// settings "VersionCheckURL" (host and path, no scheme) and "DownloadURL" of
// section "MainWindow"; without a check address the check ends at once, so
// the command answers "CheckAgainLater" after the "NewVer" question.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "tools/version/CheckForNewVersion.h"

namespace lectora {

class IShellOpen;

class TVersionCheck : public QObject {
  Q_OBJECT

 public:
  // The questions and notices, by message key (the program shows them
  // through its message dialog).
  struct TDialogs {
    // Yes/no question, yes as the default; true for yes.
    std::function<bool(const char* key)> Ask;
    std::function<void(const char* key)> Tell;
  };

  // Starts the check at once. `shell` (not owned) opens the download page.
  TVersionCheck(TCheckForNewVersion::TOptions check, QString downloadUrl, TDialogs dialogs,
                IShellOpen& shell, QObject* parent = nullptr);
  ~TVersionCheck() override;

  // CheckNew1.
  void CheckNew1Click();
  // When a newer version was found: "NewVesionPublished"; on yes the
  // download page opens.
  void ReportNewVersion();
  // The main window's first show: ReportNewVersion when `newVCheck`, then
  // the thread's terminate request (which the check does not consult).
  void FirstShow(bool newVCheck);
  TCheckForNewVersion& Checker() { return *checker_; }

 private:
  QString downloadUrl_;
  TDialogs dialogs_;
  IShellOpen& shell_;
  std::unique_ptr<TCheckForNewVersion> checker_;
};

}  // namespace lectora
