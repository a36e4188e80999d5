#include "store/StoreSession.h"

namespace lectora {

TStoreSession::TStoreSession(const TStoreSessionOptions& options)
    : settings_(std::make_unique<TSettings>(
          options.SetupFolder, options.ProgramName,
          options.ConfigHome.empty() ? TUserRegistry::DefaultConfigHome() : options.ConfigHome,
          options.ReadOnlySetup,
          options.DataHome.empty() ? TSettings::DefaultDataHome() : options.DataHome)) {
  standard_.Load(settings_->SetupFolder(), options.Messages);
  abbreviations_.Load(settings_->SetupFolder(), options.Messages);
  context_.Settings = settings_.get();
  context_.Standard = &standard_;
  context_.Abbreviations = &abbreviations_;
  context_.Messages = options.Messages;
  context_.DriveDialog = options.DriveDialog;
  bibles_ = std::make_unique<TBibleSet>(context_);
}

TStoreSession::~TStoreSession() { bibles_.reset(); }

}  // namespace lectora
