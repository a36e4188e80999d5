#include "tools/version/VersionCheck.h"

#include <QUrl>

#include "tools/help/ShellOpen.h"

namespace lectora {

TVersionCheck::TVersionCheck(TCheckForNewVersion::TOptions check, QString downloadUrl,
                             TDialogs dialogs, IShellOpen& shell, QObject* parent)
    : QObject(parent),
      downloadUrl_(std::move(downloadUrl)),
      dialogs_(std::move(dialogs)),
      shell_(shell),
      checker_(std::make_unique<TCheckForNewVersion>(std::move(check))) {}

TVersionCheck::~TVersionCheck() = default;

void TVersionCheck::CheckNew1Click() {
  TCheckForNewVersion& check = *checker_;
  check.Resume();
  if (check.Running()) {
    // The check goes on while the question is open.
    if (dialogs_.Ask("NewVer")) {
      if (check.Running()) {
        dialogs_.Tell("CheckAgainLater");
      } else if (!check.NewVersion()) {
        dialogs_.Tell("NoNewVersion");
      } else {
        ReportNewVersion();
      }
    }
  } else if (!check.NewVersion()) {
    dialogs_.Tell("NoNewVersion");
  } else {
    ReportNewVersion();
  }
  check.Suspend();
}

void TVersionCheck::ReportNewVersion() {
  if (!checker_->NewVersion() || !dialogs_.Ask("NewVesionPublished")) return;
  if (downloadUrl_.isEmpty()) return;
  // A stored address without a scheme is a web address.
  QUrl url = QUrl::fromUserInput(downloadUrl_);
  if (url.isValid()) shell_.Open(url);
}

void TVersionCheck::FirstShow(bool newVCheck) {
  if (newVCheck) ReportNewVersion();
  checker_->requestInterruption();
}

}  // namespace lectora
