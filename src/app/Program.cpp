#include "app/Program.h"

#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "app/ProgramServices.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/ListMessageForm1.h"
#include "mainwindow/CDDriveForm1.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "mainwindow/QtMessageService.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "search/SearchContext.h"
#include "settings/OptionValues.h"
#include "store/Settings.h"
#include "store/StoreSession.h"
#include "tools/search/SearchService.h"

namespace lectora {

TProgram::TProgram(const TStartOptions& options) {
  // The window exists first: the dialogs that report a failed start
  // belong to it.
  window_ = std::make_unique<TLectora2Form1>();
  msgForm_ = new TMsgForm1(window_.get());
  msgForm_->SetCaptionSource(window_.get());
  msgForm_->SetScripted(options.ScriptedDialogs);
  driveForm_ = new TCDDriveForm1(window_.get());
  driveForm_->SetCaptionSource(window_.get());
  messages_ = std::make_unique<TQtMessageService>(msgForm_);

  TStoreSessionOptions store;
  store.SetupFolder = options.SetupFolder;
  store.ConfigHome = options.ConfigHome;
  store.ReadOnlySetup = options.ReadOnlySetup;
  store.Messages = messages_.get();
  store.DriveDialog = driveForm_;
  session_ = std::make_unique<TStoreSession>(store);

  texts_ = std::make_unique<TInterfaceTexts>();
  search_ = std::make_unique<TSearchContext>();
  display_ = std::make_unique<TDisplayContext>(search_->SearchWords);
  display_->ShowError = [this](const std::string& message) {
    msgForm_->ShowInfo(QString::fromStdString(message));
  };
  history_ = std::make_unique<THistoryContext>(messages_.get());
  history_->Translator = [this](const std::string& key) { return texts_->Translate(key); };
  options_ = new TOptionValues(window_.get());
  actions_ = new TActionRegistry(window_.get());
  listMessage_ = new TListMessageForm1(*history_, window_.get());
  active_ = std::make_unique<TActiveTranslation>(session_->Settings().RunningFromCD());
  navigator_ = std::make_unique<TNavigator>(*active_, session_->Standard());
  wordSearch_ =
      std::make_unique<TSearchService>(*active_, *navigator_, *search_, *options_, *texts_);

  TProgramServices services{session_->Settings(),
                            session_->Standard(),
                            session_->Bibles(),
                            *navigator_,
                            *active_,
                            *actions_,
                            *texts_,
                            *options_,
                            *search_,
                            *display_,
                            *history_,
                            *messages_,
                            *listMessage_,
                            *wordSearch_};
  window_->Build(services);
}

TProgram::~TProgram() {
  // The Bible windows and the lists go while the services they watch exist.
  window_.reset();
}

}  // namespace lectora
