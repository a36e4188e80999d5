#include "tools/audio/AudioTool.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "app/ActionRegistry.h"
#include "app/InterfaceTexts.h"
#include "app/ProgramServices.h"
#include "display/QtText.h"
#include "mainwindow/MainWindowSettings.h"
#include "mainwindow/MsgForm1.h"
#include "navigation/Navigator.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/TranslationTable.h"
#include "tools/audio/AudioDownload.h"
#include "tools/audio/AudioPositionField.h"
#include "tools/audio/ChapterAudio.h"
#include "tools/audio/ChapterFileFinder.h"
#include "tools/logo/LogoWindow.h"

namespace lectora {

namespace {

constexpr int kMessageCharset = 204;  // the message tables are Windows-1251

}  // namespace

TAudioTool::TAudioTool(const TProgramServices& services, TFrame frame, IAudioPlayer& player,
                       IAudioFileDialog& dialog, QObject* parent)
    : QObject(parent), frame_(std::move(frame)) {
  CreateFinder(services, dialog);
  CreateSpeakCommand(services);
  const std::string setup = services.Settings.SetupFolder();
  TChapterAudio::TServices audio{
      services.Navigator,
      services.Active,
      services.Bibles,
      services.Standard,
      player,
      *finder_,
      services.Actions.Get(QStringLiteral("ToolButton20")),
      setup + "Audio/AudioMrk.bin",
      setup + TranslationFolderName(TChapterAudio::kAudioTranslation) + "/BibleTitles.txt",
      services.Settings.RunningFromCD()};
  TChapterAudio::THooks hooks;
  hooks.TextLengths = frame_.TextLengths;
  ILogoWindow& logo = services.Logo;
  hooks.LogoShowing = [&logo] { return logo.IsShowing(); };
  hooks.CloseLogo = [&logo] { logo.CloseWindow(); };
  TMsgForm1& messages = frame_.Messages;
  hooks.ShowInfo = [&messages](const QString& text) { messages.ShowInfo(text); };
  const TInterfaceTexts& texts = services.Texts;
  hooks.Notice = [&texts](const char* key, const char* english) {
    return DecodeCharset(texts.TranslateOr(key, english), kMessageCharset);
  };
  hooks.AskYesNo = [&messages](const QString& text, bool defaultNo) {
    return messages.AskYesNo(text, defaultNo);
  };
  audio_ = new TChapterAudio(std::move(audio), std::move(hooks), this);
  audio_->SetEditing(frame_.WindowSettings.AudioFix);
  field_ = new TAudioPositionField(*audio_, frame_.ToolBar, frame_.WindowSettings.AudioFix);
  TNavigator& navigator = services.Navigator;
  connect(&navigator, &TNavigator::MoveStarting, audio_, &TChapterAudio::StopAudio);
  connect(&navigator, &TNavigator::PositionShown, audio_, &TChapterAudio::PlayCurrentVerse);
}

TAudioTool::~TAudioTool() = default;

void TAudioTool::CreateFinder(const TProgramServices& services, IAudioFileDialog& dialog) {
  progress_ = new QLabel(&frame_.StatusBar);
  progress_->setObjectName(QStringLiteral("ProgressLabel"));
  progress_->setAccessibleName(QStringLiteral("Download progress"));
  progress_->hide();
  frame_.StatusBar.addWidget(progress_);
  download_ = new TAudioDownload(this);
  download_->SetProgressLabel(progress_);
  TChapterFileFinder::THooks hooks;
  TMsgForm1& messages = frame_.Messages;
  hooks.AskYesNo = [&messages](const QString& text) { return messages.AskYesNo(text, false); };
  hooks.ShowInfo = [&messages](const QString& text) { messages.ShowInfo(text); };
  const TInterfaceTexts& texts = services.Texts;
  hooks.DownloadQuestion = [&texts] {
    return DecodeCharset(texts.Translate("BibliataAudio"), kMessageCharset);
  };
  const TMyIniFile& ini = services.Settings.Ini();
  hooks.ServerAddress = [&ini] {
    return QString::fromStdString(ini.ReadString("MainWindow", "AudioURL", "")).trimmed();
  };
  finder_ = std::make_unique<TChapterFileFinder>(dialog, *download_, std::move(hooks));
  finder_->SetDefaultFolder(QString::fromStdString(services.Settings.SetupFolder() + "Audio/"));
  finder_->SetAudioFolder(QString::fromStdString(frame_.WindowSettings.AudioPath));
}

void TAudioTool::CreateSpeakCommand(const TProgramServices& services) {
  QAction& speak = services.Actions.Get(QStringLiteral("ToolButton20"));
  speak_ = &speak;
  {
    // The last run's state, without starting anything before a window is open.
    const QSignalBlocker block(speak);
    speak.setChecked(frame_.WindowSettings.Speak);
  }
  QAction* speakAction = services.Actions.Add(QStringLiteral("SpeakAction"), speak.text(),
                                              speak.toolTip(), QKeySequence(Qt::Key_F2));
  speakAction->setShortcutContext(Qt::WindowShortcut);
  frame_.Window.addAction(speakAction);
  // The command from elsewhere than the button flips the button, whose
  // toggle stops and plays.
  connect(speakAction, &QAction::triggered, &speak, [&speak] {
    if (speak.isEnabled()) speak.toggle();
  });
}

void TAudioTool::Closing() {
  audio_->StopAudio();
  audio_->SaveMarks();
  frame_.WindowSettings.Speak = speak_->isChecked();
  frame_.WindowSettings.AudioPath = finder_->AudioFolder().toStdString();
}

}  // namespace lectora
