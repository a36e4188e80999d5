// What every open module shares: the settings store, the standard
// versification, the abbreviation table and the platform services. The
// program (or a test, or lectora-cli) owns one and passes it to each TBible.
#pragma once

namespace lectora {

class TSettings;
class TStandardStructure;
class TAbbreviations;
class IMessageService;
class IDriveDialog;

struct TStoreContext {
  TSettings* Settings = nullptr;                  // required, not owned
  const TStandardStructure* Standard = nullptr;   // required, not owned
  const TAbbreviations* Abbreviations = nullptr;  // required for FindBook, not owned
  IMessageService* Messages = nullptr;            // may be null, not owned
  IDriveDialog* DriveDialog = nullptr;            // may be null (= cancel), not owned
  // True when the last ParseReference recognised a book name; callers read
  // it right after the call.
  bool BookFound = false;
};

}  // namespace lectora
