// The services the program object owns, as the windows receive them: one
// record of references, handed to the main window and through it to each
// feature. Nothing here is global; every reference lives as long as the
// program object.
#pragma once

namespace lectora {

class IDictionary;
class ILogoWindow;
class IMessageService;
class IWordPictures;
class INoteBook;
class TActionRegistry;
class TActiveTranslation;
class TBibleSet;
class TDdeServer;
class TDisplayContext;
class THelpService;
class THistoryContext;
class TInterfaceTexts;
class TListMessageForm1;
struct TLinkContext;
class TNavigator;
class TOnTopClient;
class TOptionValues;
class TSearchContext;
class TSearchService;
class TSettings;
class TStandardStructure;
class TVersionCheck;

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
  // The user link tree's shell, questions and dialog (src/tools/links).
  TLinkContext& Links;
  // The interface other programs drive over the session bus, the on-top
  // viewer's client (src/tools/dde) and the new-version check
  // (src/tools/version).
  TDdeServer& DdeServer;
  TOnTopClient& OnTop;
  TVersionCheck& VersionCheck;
  // The pictures of dictionary words (src/tools/picture).
  IWordPictures& Pictures;
  // The logo window (src/tools/logo).
  ILogoWindow& Logo;
  // The notes window (src/tools/notes).
  INoteBook& NoteBook;
};

}  // namespace lectora
