#include "tools/language/LanguageService.h"

#include <QWidget>

#include "app/InterfaceTexts.h"
#include "settings/OptionValues.h"
#include "store/MessageService.h"
#include "tools/language/CaptionApplier.h"

namespace lectora {

namespace {

constexpr const char* kFolders[] = {"Bulgarian", "English", "Macedonian"};
constexpr int kBulgarian = 0;

}  // namespace

const char* TLanguageService::FolderName(int language) {
  return language >= 0 && language < 3 ? kFolders[language] : kFolders[kBulgarian];
}

TLanguageService::TLanguageService(std::string setupFolder, TOptionValues& options,
                                   TInterfaceTexts& texts, IMessageService& messages,
                                   QObject* parent)
    : QObject(parent),
      setupFolder_(std::move(setupFolder)),
      options_(options),
      texts_(texts),
      messages_(messages) {}

std::string TLanguageService::LanguageFolder() const {
  return setupFolder_ + FolderName(options_.Language());
}

void TLanguageService::LoadLanguage() {
  std::string folder = LanguageFolder();
  if (!texts_.LoadMessages(folder + "/Messages.txt")) {
    const std::string bulgarian = setupFolder_ + FolderName(kBulgarian);
    if (!missingReported_) {
      missingReported_ = true;
      messages_.ShowMessage("The interface texts " + folder + "/Messages.txt could not be read; " +
                            (folder == bulgarian ? "the built-in texts stay."
                                                 : "the Bulgarian ones are shown instead."));
    }
    if (folder == bulgarian || !texts_.LoadMessages(bulgarian + "/Messages.txt")) return;
    folder = bulgarian;
  }
  appliedFolder_ = folder;
  ApplyLanguage();
}

void TLanguageService::ApplyLanguage() {
  if (targets_.MainWindow != nullptr) {
    TCaptionApplier::ApplyCaptions(*targets_.MainWindow, appliedFolder_);
  }
  if (targets_.BibleWindows) {
    for (QWidget* window : targets_.BibleWindows()) {
      TCaptionApplier::ApplyCaptions(*window, appliedFolder_);
    }
  }
  for (QWidget* window : targets_.Windows) {
    if (window != nullptr) TCaptionApplier::ApplyCaptions(*window, appliedFolder_);
  }
  if (targets_.ApplyMessages) targets_.ApplyMessages();
  Q_EMIT LanguageApplied();
}

void TLanguageService::ApplyTo(QWidget& window) const {
  if (!appliedFolder_.empty()) TCaptionApplier::ApplyCaptions(window, appliedFolder_);
}

}  // namespace lectora
