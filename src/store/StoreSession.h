// One session of the module store: the settings, the standard versification,
// the abbreviation table, the store context that wires them to the platform
// services, and the twelve module slots. The program, lectora-cli, the
// benchmarks and the tests each create one instead of wiring a TStoreContext
// by hand.
#pragma once

#include <memory>
#include <string>

#include "store/Abbreviations.h"
#include "store/BibleSet.h"
#include "store/Settings.h"
#include "store/StandardStructure.h"
#include "store/StoreContext.h"

namespace lectora {

class IMessageService;
class IDriveDialog;

struct TStoreSessionOptions {
  std::string SetupFolder;  // with or without trailing '/'
  std::string ProgramName = "lectora";
  std::string ConfigHome;  // empty: TUserRegistry::DefaultConfigHome()
  std::string DataHome;    // empty: TSettings::DefaultDataHome()
  bool ReadOnlySetup = false;
  IMessageService* Messages = nullptr;  // not owned, may be null
  IDriveDialog* DriveDialog = nullptr;  // not owned, may be null
};

class TStoreSession {
 public:
  // Creates the settings of the setup folder, then loads its
  // "BibleStructure.txt" and "Abrevs.txt". A missing file is shown through
  // `options.Messages` ("File not found: ...") and throws LectoraError with
  // the same message; a damaged one throws LectoraError naming the file and
  // line. The services must outlive the session (or be replaced first).
  explicit TStoreSession(const TStoreSessionOptions& options);
  // Closes the modules first, so that they save their settings while the
  // settings store still exists.
  ~TStoreSession();
  TStoreSession(const TStoreSession&) = delete;
  TStoreSession& operator=(const TStoreSession&) = delete;

  TSettings& Settings() { return *settings_; }
  const TStandardStructure& Standard() const { return standard_; }
  const TAbbreviations& Abbreviations() const { return abbreviations_; }
  // Handed to every module; lives as long as the session.
  TStoreContext& Context() { return context_; }
  // The module slots over Context().
  TBibleSet& Bibles() { return *bibles_; }

  // Sets the platform services after construction (the program creates its
  // dialogs after the session). Null is allowed for both; modules that are
  // open already see the new services at once.
  void SetMessages(IMessageService* messages) { context_.Messages = messages; }
  void SetDriveDialog(IDriveDialog* dialog) { context_.DriveDialog = dialog; }

 private:
  // Declared in this order so that the modules go first on destruction.
  std::unique_ptr<TSettings> settings_;
  TStandardStructure standard_;
  TAbbreviations abbreviations_;
  TStoreContext context_;
  std::unique_ptr<TBibleSet> bibles_;
};

}  // namespace lectora
