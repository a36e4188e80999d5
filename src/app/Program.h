// The composition root: the one object that owns the program's services
// (the store session, the navigator with the current place, the active
// translation, the action registry, the interface texts, the options and
// the shared state of the controls) and the main window that shows them.
// apps/lectora makes one; the tests and benchmarks make their own.
#pragma once

#include <QString>
#include <memory>
#include <string>

namespace lectora {

class IAudioFileDialog;
class IAudioPlayer;
class IShellOpen;
class TActionRegistry;
class TActiveTranslation;
class TAudioTool;
class TCDDriveForm1;
class TClipboardCapture;
class TDdeServer;
class TDesktopPalette;
class TDic_Form1;
class TDisplayContext;
class THelpService;
class TLanguageService;
class TBibleForm1;
class THistoryContext;
class TInterfaceTexts;
class TLectora2Form1;
class TLinkForm1;
struct TLinkContext;
class TListMessageForm1;
class TLogoForm1;
class TMsgForm1;
class TNoteForm1;
class TNavigator;
class TOnTopClient;
class TOptionValues;
class TPictureForm1;
struct TProgramServices;
class TQtMessageService;
class TRangeForm1;
class TSearchContext;
class TSearchService;
class TStoreSession;
class TVersionCheck;

class TProgram {
 public:
  struct TStartOptions {
    // The setup folder: the program's own folder unless --setup-dir gave
    // another.
    std::string SetupFolder;
    // Where the per-user registry file lives (tests give their own).
    std::string ConfigHome;
    // Where an installed copy keeps the user's files; empty: the XDG data
    // folder.
    std::string DataHome;
    // Dialogs answer from their queues instead of showing (tests).
    bool ScriptedDialogs = false;
    // Treat the setup folder as one that cannot be written.
    bool ReadOnlySetup = false;
    // Opens web and mail addresses; null = the desktop's programs. Not
    // owned; must outlive the program.
    IShellOpen* ShellOpen = nullptr;
    // The chapter audio's player and its open dialog; null = the program's
    // own (Qt Multimedia, QFileDialog). Not owned; must outlive the program.
    IAudioPlayer* AudioPlayer = nullptr;
    IAudioFileDialog* AudioFileDialog = nullptr;
  };

  // Builds every service and the main window, hidden. Throws LectoraError
  // when the standard structure or the abbreviations are missing or
  // damaged (the program cannot run without them).
  explicit TProgram(const TStartOptions& options);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  TLectora2Form1& Window() { return *window_; }
  TNavigator& Navigator() { return *navigator_; }
  TActiveTranslation& Active() { return *active_; }
  TActionRegistry& Actions() { return *actions_; }
  TInterfaceTexts& Texts() { return *texts_; }
  TOptionValues& Options() { return *options_; }
  TStoreSession& Session() { return *session_; }
  TMsgForm1& MessageDialog() { return *msgForm_; }
  TCDDriveForm1& DriveDialog() { return *driveForm_; }
  TSearchContext& Search() { return *search_; }
  THelpService& Help() { return *help_; }
  TLanguageService& Language() { return *language_; }
  // The range dialog; its RangeConfirmed signal asks for the search again.
  TRangeForm1& RangeDialog() { return *rangeForm_; }
  TSearchService& WordSearch() { return *wordSearch_; }
  // The dictionary window, a tool window of the main window.
  TDic_Form1& DictionaryWindow() { return *dicForm_; }
  // The link dialog of the user link tree.
  TLinkForm1& LinkDialog() { return *linkForm_; }
  // The items other programs poke over the session bus (the single
  // instance's bus object serves them), the on-top viewer's client, the
  // clipboard capture and the new-version check.
  TDdeServer& DdeServer() { return *ddeServer_; }
  TOnTopClient& OnTop() { return *onTop_; }
  TClipboardCapture& ClipboardCapture() { return *clipboard_; }
  TVersionCheck& VersionCheck() { return *versionCheck_; }
  // `BringToFront`: the main window restored when minimised, raised and
  // activated.
  void BringToFront();
  // The picture window and the logo window, both of the main window.
  TPictureForm1& PictureWindow() { return *pictureForm_; }
  TLogoForm1& LogoWindow() { return *logoForm_; }
  // The sound player: the one given in the start options, or the program's.
  IAudioPlayer& Player() { return *player_; }
  // The notes window, a tool window of the main window.
  TNoteForm1& NotesWindow() { return *noteForm_; }
  // The state the text controls share (ClipboardWatch among it).
  TDisplayContext& Display() { return *display_; }
  // The light, dark or desktop palette ("MainWindow" "DarkPalette").
  TDesktopPalette& Palette() { return *palette_; }
  // The chapter audio: the speak command, the reading, the marks.
  TAudioTool& Audio() { return *audioTool_; }

 private:
  // Destroyed in reverse: the window (and every Bible window) first, the
  // modules of the session last.
  std::unique_ptr<TStoreSession> session_;
  std::unique_ptr<TDesktopPalette> palette_;
  std::unique_ptr<TQtMessageService> messages_;
  std::unique_ptr<TInterfaceTexts> texts_;
  std::unique_ptr<TSearchContext> search_;
  std::unique_ptr<TDisplayContext> display_;
  std::unique_ptr<THistoryContext> history_;
  std::unique_ptr<TActiveTranslation> active_;
  std::unique_ptr<TNavigator> navigator_;
  std::unique_ptr<IShellOpen> desktopShell_;
  std::unique_ptr<THelpService> help_;
  std::unique_ptr<TSearchService> wordSearch_;
  std::unique_ptr<TLinkContext> links_;
  std::unique_ptr<TOnTopClient> onTop_;
  std::unique_ptr<TVersionCheck> versionCheck_;
  std::unique_ptr<TDdeServer> ddeServer_;
  std::unique_ptr<TLectora2Form1> window_;
  // Watches the clipboard for the window; goes before it.
  std::unique_ptr<TClipboardCapture> clipboard_;
  // Refers to windows of the main window, so it goes first.
  std::unique_ptr<TLanguageService> language_;
  // Children of the window.
  TMsgForm1* msgForm_ = nullptr;
  TCDDriveForm1* driveForm_ = nullptr;
  TOptionValues* options_ = nullptr;
  TActionRegistry* actions_ = nullptr;
  TListMessageForm1* listMessage_ = nullptr;
  TRangeForm1* rangeForm_ = nullptr;
  TDic_Form1* dicForm_ = nullptr;
  TLinkForm1* linkForm_ = nullptr;
  TPictureForm1* pictureForm_ = nullptr;
  TLogoForm1* logoForm_ = nullptr;
  IAudioPlayer* player_ = nullptr;
  TNoteForm1* noteForm_ = nullptr;
  IShellOpen* shell_ = nullptr;
  // chapter audio: the program's own file dialog when none was given
  std::unique_ptr<IAudioFileDialog> ownAudioDialog_;
  TAudioTool* audioTool_ = nullptr;

  void CreateHelp(const TStartOptions& options);
  // The picture and logo windows and the player (before the window's Build).
  void CreatePictureAndLogo(const TStartOptions& options);
  void WireHelpMenu();
  void WireRangeDialog();
  void CreateLinkDialog(const TStartOptions& options);
  void CreateAudio(const TStartOptions& options, const TProgramServices& services);
  // The dictionary and the picture window out of sight after every move
  // while "AutoMin" (option 11) is on.
  void WireAutoMinimize();
  // The interface language (ProgramLanguage.cpp).
  // The start in its steps: the window, its dialogs and the store session;
  // the state the controls share, the navigator and the active
  // translation; the study tools; the tool windows joining the main window.
  void CreateSession(const TStartOptions& options);
  void CreateContexts();
  void CreateTools(const TStartOptions& options);
  void JoinMainWindow();
  void CreateLanguage();
  // The interface language of an installed copy's first run.
  void ChooseFirstLanguage();
  // An installed copy whose user folder cannot be written says so once.
  void TellUnwritableUserFolder();
  void ApplyMessageTexts();
  void TitleBibleWindow(TBibleForm1& window) const;
  // The bus interface, the on-top viewer, the clipboard and the version
  // check (before and after the window is built).
  // The folder of the on-top viewer's executable.
  QString ViewerFolder() const;
  void CreateDdeTools();
  void WireDdeTools();
};

}  // namespace lectora
