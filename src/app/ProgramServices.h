// The services the program object owns, as the windows receive them: one
// record of references, handed to the main window and through it to each
// feature. Nothing here is global; every reference lives as long as the
// program object.
#pragma once

namespace lectora {

class IDictionary;
class IMessageService;
class INoteBook;
class TActionRegistry;
class TActiveTranslation;
class TBibleSet;
class TDisplayContext;
class THelpService;
class THistoryContext;
class TInterfaceTexts;
class TListMessageForm1;
class TNavigator;
class TOptionValues;
class TSearchContext;
class TSearchService;
class TSettings;
class TStandardStructure;

struct TProgramServices {
  TSettings& Settings;
  const TStandardStructure& Standard;
  TBibleSet& Bibles;
  TNavigator& Navigator;
  TActiveTranslation& Active;
  TActionRegistry& Actions;
  TInterfaceTexts& Texts;
  TOptionValues& Options;
  TSearchContext& Search;
  TDisplayContext& Display;
  THistoryContext& History;
  IMessageService& Messages;
  TListMessageForm1& ListMessage;
  THelpService& Help;
  // The word search of the search panel (src/tools/search).
  TSearchService& WordSearch;
  // The dictionary window (src/tools/dictionary).
  IDictionary& Dictionary;
  // The notes window (src/tools/notes).
  INoteBook& NoteBook;
};

}  // namespace lectora
