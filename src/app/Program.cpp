#include "app/Program.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <initializer_list>

#include "app/ActionRegistry.h"
#include "app/DesktopPalette.h"
#include "app/InterfaceTexts.h"
#include "app/ProgramServices.h"
#include "display/BibleForm1.h"
#include "display/DisplayContext.h"
#include "display/HistoryContext.h"
#include "display/ListMessageForm1.h"
#include "display/MinimizeToolWindow.h"
#include "display/QtText.h"
#include "mainwindow/CDDriveForm1.h"
#include "mainwindow/Lectora2Form1.h"
#include "mainwindow/MsgForm1.h"
#include "mainwindow/QtMessageService.h"
#include "navigation/ActiveTranslation.h"
#include "navigation/Navigator.h"
#include "search/SearchContext.h"
#include "settings/OptionValues.h"
#include "store/BibleSet.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/StoreSession.h"
#include "store/TranslationTable.h"
#include "tools/audio/AudioTool.h"
#include "tools/audio/ChapterAudio.h"
#include "tools/audio/QtAudioFileDialog.h"
#include "tools/clipboard/ClipboardCapture.h"
#include "tools/dde/DdeServer.h"
#include "tools/dde/OnTopClient.h"
#include "tools/dictionary/Dic_Form1.h"
#include "tools/help/DesktopShellOpen.h"
#include "tools/help/HelpService.h"
#include "tools/help/HelpTopics.h"
#include "tools/help/ProgramAddresses.h"
#include "tools/language/LanguageService.h"
#include "tools/links/LinkContext.h"
#include "tools/links/LinkForm1.h"
#include "tools/logo/LogoForm1.h"
#include "tools/notes/NoteForm1.h"
#include "tools/picture/PictureForm1.h"
#include "tools/player/MediaAudioPlayer.h"
#include "tools/range/RangeForm1.h"
#include "tools/search/SearchService.h"
#include "tools/version/VersionCheck.h"

namespace lectora {

TProgram::TProgram(const TStartOptions& options) {
  CreateSession(options);
  CreateContexts();
  CreateTools(options);
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
                            *help_,
                            *wordSearch_,
                            *dicForm_,
                            *links_,
                            *ddeServer_,
                            *onTop_,
                            *versionCheck_,
                            *pictureForm_,
                            *logoForm_,
                            *noteForm_};
  window_->Build(services);
  JoinMainWindow();
  WireHelpMenu();
  WireRangeDialog();
  CreateAudio(options, services);
  CreateLanguage();
  WireDdeTools();
  WireAutoMinimize();
  TellUnwritableUserFolder();
}

void TProgram::WireAutoMinimize() {
  // After every move, with "AutoMin" on, the dictionary and the picture
  // window go out of sight; the notes window sees to that itself, since its
  // own steps keep it open.
  QObject::connect(navigator_.get(), &TNavigator::PositionShown, window_.get(), [this] {
    if (!options_->GetOption(TOptionValues::kAutoMin)) return;
    MinimizeToolWindow(*dicForm_);
    MinimizeToolWindow(*pictureForm_);
  });
}

void TProgram::CreateSession(const TStartOptions& options) {
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
  store.DataHome = options.DataHome;
  store.ReadOnlySetup = options.ReadOnlySetup;
  store.Messages = messages_.get();
  store.DriveDialog = driveForm_;
  session_ = std::make_unique<TStoreSession>(store);
  ChooseFirstLanguage();
  palette_ =
      std::make_unique<TDesktopPalette>(TDesktopPalette::ChoiceFrom(session_->Settings().Ini()));
}

void TProgram::CreateContexts() {
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
  active_ = std::make_unique<TActiveTranslation>(session_->Settings().RunningFromCD(),
                                                 &session_->Settings());
  navigator_ = std::make_unique<TNavigator>(*active_, session_->Standard());
}

void TProgram::CreateTools(const TStartOptions& options) {
  CreateHelp(options);
  wordSearch_ =
      std::make_unique<TSearchService>(*active_, *navigator_, *search_, *options_, *texts_);
  // dictionary: one window for the program, above the main window only
  // It joins the main window after the window's own controls, so that a
  // search by name among them finds the main window's first.
  dicForm_ = new TDic_Form1(session_->Settings(), *texts_, *display_, *history_, nullptr);
  dicForm_->ConnectProgram(*active_, *navigator_, *wordSearch_);
  CreateLinkDialog(options);
  CreateDdeTools();
  CreatePictureAndLogo(options);
  // notes: the notebook, also above the main window only, joining it likewise
  noteForm_ =
      new TNoteForm1({session_->Settings(), *texts_, *display_, *navigator_, *options_}, nullptr);
  noteForm_->ShowInfo = [this](const QString& text) { msgForm_->ShowInfo(text); };
}

void TProgram::JoinMainWindow() {
  // The tool windows stay above the main window only, as its children.
  for (QWidget* tool :
       std::initializer_list<QWidget*>{dicForm_, linkForm_, pictureForm_, logoForm_, noteForm_}) {
    tool->setParent(window_.get(), tool->windowFlags());
  }
}

void TProgram::ChooseFirstLanguage() {
  // An installed copy's first-run settings name no language: the reader's
  // locale chooses (bg Bulgarian, mk Macedonian, anything else English),
  // as the runtime folder's first-run settings do when they are built.
  TSettings& settings = session_->Settings();
  if (!settings.InstalledCopy() || settings.Ini().ValueExists("MainWindow", "Language")) return;
  const QString locale = QLocale::system().name();
  const int language =
      locale.startsWith(QLatin1String("bg")) ? 0 : (locale.startsWith(QLatin1String("mk")) ? 2 : 1);
  settings.Ini().WriteInteger("MainWindow", "Language", language);
}

void TProgram::TellUnwritableUserFolder() {
  const TSettings& settings = session_->Settings();
  if (!settings.UserFolderUnwritable()) return;
  // Said once, after the window is up: the program goes on, saving nothing.
  const QString text = DecodeCharset(texts_->Translate("UserFolderUnwritable"), 204) +
                       QStringLiteral(" ") + QString::fromStdString(settings.UserFolder());
  QTimer::singleShot(0, window_.get(), [this, text] { msgForm_->ShowInfo(text); });
}

QString TProgram::ViewerFolder() const {
  // The viewer stands in the setup folder beside the program; an installed
  // program keeps it in bin/ beside itself instead.
  const QString setup = QString::fromStdString(session_->Settings().SetupFolder());
  const QString own = QCoreApplication::applicationDirPath();
  const QString name = QStringLiteral("/floatpane");
  return !QFileInfo::exists(setup + name) && QFileInfo::exists(own + name) ? own : setup;
}

void TProgram::CreateDdeTools() {
  constexpr int kMessageCharset = 204;  // the message tables are Windows-1251
  const auto message = [this](const char* key) {
    return DecodeCharset(texts_->Translate(key), kMessageCharset);
  };
  onTop_ = std::make_unique<TOnTopClient>(ViewerFolder());
  onTop_->NotFound = [this, message] { msgForm_->ShowInfo(message("OnTopNotFound")); };
  ddeServer_ = std::make_unique<TDdeServer>(*active_, *options_, *dicForm_, *wordSearch_, *onTop_);
  const TMyIniFile& ini = session_->Settings().Ini();
  TCheckForNewVersion::TOptions check;
  check.Address = QString::fromStdString(ini.ReadString("MainWindow", "VersionCheckURL", ""));
  TVersionCheck::TDialogs dialogs;
  dialogs.Ask = [this, message](const char* key) { return msgForm_->AskYesNo(message(key)); };
  dialogs.Tell = [this, message](const char* key) { msgForm_->ShowInfo(message(key)); };
  versionCheck_ = std::make_unique<TVersionCheck>(
      std::move(check), QString::fromStdString(ini.ReadString("MainWindow", "DownloadURL", "")),
      std::move(dialogs), *shell_);
}

void TProgram::WireDdeTools() {
  onTop_->SendActive = [this] {
    if (TBibleForm1* active = window_->ActiveBibleWindow()) {
      active->SendToOnTop();
      active->SendVersePos(active->Verse);
    }
  };
  TDdeServer::THooks& hooks = ddeServer_->Hooks;
  hooks.BringToFront = [this] { BringToFront(); };
  hooks.MinimizeDictionary = [this] { MinimizeToolWindow(*dicForm_); };
  TClipboardCapture::THooks clipboard;
  clipboard.HasActiveBibleWindow = [this] { return window_->ActiveBibleWindow() != nullptr; };
  clipboard.BringToFront = [this] { BringToFront(); };
  clipboard_ =
      std::make_unique<TClipboardCapture>(*QGuiApplication::clipboard(), *display_, *options_,
                                          *navigator_, *onTop_, std::move(clipboard));
}

void TProgram::BringToFront() {
  // The dictionary is a tool window of the main window: it stays above it
  // by itself, so it needs no change of style to let the window forward.
  TLectora2Form1& window = *window_;
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
  window.update();
}

void TProgram::CreatePictureAndLogo(const TStartOptions& options) {
  player_ = options.AudioPlayer;
  if (player_ == nullptr) player_ = new TMediaAudioPlayer(window_.get());
  // Like the dictionary, both join the main window after its controls.
  pictureForm_ = new TPictureForm1(session_->Settings(), *texts_, *messages_, *dicForm_, nullptr);
  dicForm_->SetPictures(pictureForm_);
  logoForm_ = new TLogoForm1(session_->Settings(), *options_, *player_, nullptr);
}

void TProgram::CreateAudio(const TStartOptions& options, const TProgramServices& services) {
  IAudioFileDialog* dialog = options.AudioFileDialog;
  if (dialog == nullptr) {
    ownAudioDialog_ = std::make_unique<TQtAudioFileDialog>(window_.get());
    dialog = ownAudioDialog_.get();
  }
  TAudioTool::TFrame frame{*window_,
                           *window_->findChild<QToolBar*>(QStringLiteral("ToolBar1")),
                           *window_->statusBar(),
                           window_->WindowSettings(),
                           *msgForm_,
                           [this] {
                             std::vector<std::int32_t> lengths;
                             const TBibleForm1* active = window_->ActiveBibleWindow();
                             if (active == nullptr) return lengths;
                             const auto& ends = active->VerseEnds();
                             lengths.assign(ends.begin(),
                                            ends.begin() + active->ShownVerseCount() + 1);
                             return lengths;
                           }};
  // One player for the program: the logo window's, as the chapter audio's.
  audioTool_ = new TAudioTool(services, std::move(frame), *player_, *dialog, window_.get());
  QObject::connect(window_.get(), &TLectora2Form1::Closing, audioTool_, &TAudioTool::Closing);
  // Suspended while the logo showed, the reading starts when it goes.
  QObject::connect(logoForm_, &TLogoForm1::Hidden, &audioTool_->Audio(),
                   &TChapterAudio::PlayCurrentVerse);
}

void TProgram::CreateHelp(const TStartOptions& options) {
  shell_ = options.ShellOpen;
  if (shell_ == nullptr) {
    desktopShell_ = std::make_unique<TDesktopShellOpen>();
    shell_ = desktopShell_.get();
  }
  help_ = std::make_unique<THelpService>(session_->Settings().SetupFolder(), shell_);
  // The pages of the interface language; an unknown language number reads
  // the English pages, which every installation has.
  help_->SetLanguageSource([this] {
    switch (options_->Language()) {
      case 0:
        return QStringLiteral("bg");
      case 2:
        return QStringLiteral("mk");
      default:
        return QStringLiteral("en");
    }
  });
  // F1 in a Bible window opens the page of its translation; one without a
  // short name leaves the question to the main window.
  help_->SetTopicResolver([](const QWidget& widget) {
    const auto* bibleWindow = qobject_cast<const TBibleForm1*>(&widget);
    if (bibleWindow == nullptr) return QString();
    return QString::fromLatin1(TranslationInfo(bibleWindow->TranslationNumber()).ShortName);
  });
  help_->InstallF1();
  window_->setProperty("helpTopic", kMainHelpTopic);
  listMessage_->setProperty("helpTopic", QStringLiteral("ListMessage"));
  listMessage_->SetHelp([this](const std::string& topic) { help_->ShowTopic(topic); });
}

void TProgram::WireHelpMenu() {
  QObject* context = window_.get();
  QObject::connect(&actions_->Get(QStringLiteral("ThisProgram1")), &QAction::triggered, context,
                   [this] { help_->ShowTopic(kMainHelpTopic); });
  QObject::connect(&actions_->Get(QStringLiteral("ThisBible1")), &QAction::triggered, context,
                   [this] {
                     // A translation without a short name has no page: nothing opens.
                     const TBible* bible = active_->Bible();
                     if (bible == nullptr) return;
                     const QString shortName =
                         QString::fromLatin1(TranslationInfo(bible->TranslationNumber).ShortName);
                     if (!shortName.isEmpty()) help_->ShowTopic(shortName);
                   });
  const TProgramAddresses addresses;
  QObject::connect(
      &actions_->Get(QStringLiteral("WebSite1")), &QAction::triggered, context,
      [this, url = QUrl(QString::fromLatin1(addresses.WebSite))] { shell_->Open(url); });
  QObject::connect(&actions_->Get(QStringLiteral("EMail1")), &QAction::triggered, context,
                   [this, url = QUrl(QString::fromLatin1(addresses.EMail))] { shell_->Open(url); });
}

void TProgram::WireRangeDialog() {
  rangeForm_ = new TRangeForm1(*search_, window_.get());
  rangeForm_->SetBibleSource([this]() -> const TBible* { return active_->Bible(); });
  rangeForm_->SetCyrillicFontSource(
      [this] { return session_->Bibles().CyrillicFontName(session_->Settings().Ini()); });
  rangeForm_->SetHelp([this](const std::string& topic) { help_->ShowTopic(topic); });
  QObject::connect(&actions_->Get(QStringLiteral("Range1")), &QAction::triggered, rangeForm_,
                   &TRangeForm1::ShowRange);
  // A confirmed range searches again, as a change of the selected word does.
  QObject::connect(rangeForm_, &TRangeForm1::RangeConfirmed, wordSearch_.get(),
                   &TSearchService::RepeatSearch);
}

void TProgram::CreateLinkDialog(const TStartOptions& options) {
  // Joins the main window after its own controls, as the dictionary does.
  linkForm_ = new TLinkForm1(nullptr);
  linkForm_->OpenDialog1().SetScripted(options.ScriptedDialogs);
  linkForm_->SetCyrillicFontSource(
      [this] { return session_->Bibles().CyrillicFontName(session_->Settings().Ini()); });
  linkForm_->SetHelp([this](const std::string& topic) { help_->ShowTopic(topic); });
  linkForm_->SetNotice([this](const QString& text) { msgForm_->ShowInfo(text); });
  links_ = std::make_unique<TLinkContext>();
  links_->Shell = shell_;
  links_->Dialog = linkForm_;
  links_->AskDefaultNo = [this](const QString& text) { return msgForm_->AskYesNo(text, true); };
  links_->ShowInfo = [this](const QString& text) { msgForm_->ShowInfo(text); };
}

TProgram::~TProgram() {
  // The Bible windows and the lists go while the services they watch exist.
  language_.reset();
  clipboard_.reset();
  window_.reset();
}

}  // namespace lectora
