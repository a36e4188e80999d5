// The composition root's part in the interface language: which windows it
// re-captions, in which order, and the texts that come from the message
// table rather than from a caption file.
#include <QAction>

#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "app/Program.h"
#include "display/BibleForm1.h"
#include "display/HistoryContext.h"
#include "display/ListMessageForm1.h"
#include "display/QtText.h"
#include "mainwindow/CDDriveForm1.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "mainwindow/QtMessageService.h"
#include "settings/OptionValues.h"
#include "store/Settings.h"
#include "store/StoreSession.h"
#include "store/TranslationTable.h"
#include "tools/dde/OnTopClient.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/language/LanguageService.h"
#include "tools/links/LinkForm1.h"
#include "tools/logo/LogoForm1.h"
#include "tools/notes/NoteForm1.h"
#include "tools/options/Options.h"
#include "tools/picture/PictureForm1.h"
#include "tools/range/RangeForm1.h"

namespace lectora {

namespace {

constexpr int kMessageCharset = 204;  // the message tables are Windows-1251

}  // namespace

void TProgram::CreateLanguage() {
  language_ = std::make_unique<TLanguageService>(session_->Settings().SetupFolder(), *options_,
                                                 *texts_, *messages_);
  TLanguageService::TTargets targets;
  targets.MainWindow = window_.get();
  targets.BibleWindows = [this] {
    std::vector<QWidget*> windows;
    for (TBibleForm1* window : window_->BibleWindows()) windows.push_back(window);
    return windows;
  };
  targets.Windows = {listMessage_, msgForm_,   window_->findChild<TOptions*>(),
                     rangeForm_,   driveForm_, dicForm_,
                     linkForm_};
  targets.Windows.push_back(logoForm_);     // logo
  targets.Windows.push_back(pictureForm_);  // pictures
  targets.Windows.push_back(noteForm_);     // notes
  targets.ApplyMessages = [this] { ApplyMessageTexts(); };
  language_->SetTargets(std::move(targets));
  // Read with the other options at the first show, and again whenever the
  // reader picks another language.
  QObject::connect(options_, &TOptionValues::OptionChanged, language_.get(), [this](int index) {
    if (index == TOptionValues::kLanguage) language_->LoadLanguage();
  });
  window_->SetBibleWindowCreated([this](TBibleForm1& window) {
    language_->ApplyTo(window);
    TitleBibleWindow(window);
    window.OnTopLink = onTop_.get();  // the on-top viewer
  });
}

void TProgram::TitleBibleWindow(TBibleForm1& window) const {
  const std::string folder = TranslationInfo(window.TranslationNumber()).Folder;
  window.setWindowTitle(QStringLiteral(" ") +
                        DecodeCharset(texts_->Translate(folder), kMessageCharset));
}

void TProgram::ApplyMessageTexts() {
  for (int number = 0; number < kTranslationCount; ++number) {
    actions_->Get(QStringLiteral("AOVer%1").arg(number))
        .setText(DecodeCharset(texts_->Translate(TranslationInfo(number).Folder), kMessageCharset));
  }
  for (TBibleForm1* window : window_->BibleWindows()) TitleBibleWindow(*window);
  history_->CountText1 = texts_->Translate("CM1");
  history_->CountText2 = texts_->Translate("CM2");
  dicForm_->ApplyMessages();  // dictionary
}

}  // namespace lectora
