// One session of the module store: the settings, the standard structure,
// the abbreviations, the context every module shares and the twelve module
// slots, created once from a setup folder and its platform services. The
// program, lectora-cli, the benchmarks and the tests each own one instead of
// wiring the pieces by hand.
#pragma once

#include <memory>
#include <string>

#include "store/Abbreviations.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"

namespace lectora {

class IDriveDialog;
class IMessageService;
class TBibleSet;
class TSettings;

struct TStoreSessionOptions {
  std::string SetupFolder;  // with or without a trailing '/'
  std::string ProgramName = "lectora";
  std::string ConfigHome;  // empty: TUserRegistry::DefaultConfigHome()
  bool ReadOnlySetup = false;
  IMessageService* Messages = nullptr;  // not owned, may be null
  IDriveDialog* DriveDialog = nullptr;  // not owned, may be null
};

class TStoreSession {
 public:
  // Reads the settings, the standard structure and the abbreviations.
  // Throws LectoraError when either shared file is missing or damaged.
  explicit TStoreSession(const TStoreSessionOptions& options);
  ~TStoreSession();
  TStoreSession(const TStoreSession&) = delete;
  TStoreSession& operator=(const TStoreSession&) = delete;

  TSettings& Settings() { return *settings_; }
  const TStandardStructure& Standard() const { return standard_; }
  const TAbbreviations& Abbreviations() const { return abbreviations_; }
  TStoreContext& Context() { return context_; }
  TBibleSet& Bibles() { return *bibles_; }
  // The platform services, set after construction where the program makes
  // its dialogs after the session (not owned; null allowed).
  void SetMessages(IMessageService* messages) { context_.Messages = messages; }
  void SetDriveDialog(IDriveDialog* dialog) { context_.DriveDialog = dialog; }

 private:
  std::unique_ptr<TSettings> settings_;
  TStandardStructure standard_;
  TAbbreviations abbreviations_;
  TStoreContext context_;
  std::unique_ptr<TBibleSet> bibles_;
};

}  // namespace lectora
