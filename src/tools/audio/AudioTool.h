// The chapter audio as the program builds it: the speak command
// (ToolButton20 and SpeakAction, F2), the reading itself (TChapterAudio),
// the chapter file search with its dialog and download, the position field
// of the editing mode and the download's progress label, wired to the
// navigator (stopped at the start of every move, played after it) and to
// the main window's settings ("Speak", "AudioPath", "AudioFix" of section
// "MainWindow"; "AudioURL" names the audio server).
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QStatusBar;
class QToolBar;
class QWidget;

namespace lectora {

class IAudioFileDialog;
class IAudioPlayer;
class TActionRegistry;
class TAudioDownload;
class TAudioPositionField;
class TChapterAudio;
class TChapterFileFinder;
class TInterfaceTexts;
class TMainWindowSettings;
class TMsgForm1;
struct TProgramServices;

class TAudioTool : public QObject {
  Q_OBJECT

 public:
  // Where the tool's controls go and what it reads from the main window.
  struct TFrame {
    QWidget& Window;  // takes SpeakAction's shortcut
    QToolBar& ToolBar;
    QStatusBar& StatusBar;
    TMainWindowSettings& WindowSettings;
    TMsgForm1& Messages;
    // The active Bible window's table of text lengths; empty without one.
    std::function<std::vector<std::int32_t>()> TextLengths;
  };

  // `services`, `frame`, `player` and `dialog` must outlive the tool.
  // Reads "Speak", "AudioPath" and "AudioFix" from the window settings.
  TAudioTool(const TProgramServices& services, TFrame frame, IAudioPlayer& player,
             IAudioFileDialog& dialog, QObject* parent = nullptr);
  ~TAudioTool() override;

  // The main window closes: the reading stops, changed marks are written,
  // "Speak" and "AudioPath" go into the window settings.
  void Closing();

  TChapterAudio& Audio() { return *audio_; }
  TChapterFileFinder& Finder() { return *finder_; }
  TAudioDownload& Download() { return *download_; }
  TAudioPositionField& PositionField() { return *field_; }
  QLabel* ProgressLabel() const { return progress_; }

 private:
  void CreateSpeakCommand(const TProgramServices& services);
  void CreateFinder(const TProgramServices& services, IAudioFileDialog& dialog);

  TFrame frame_;
  QAction* speak_ = nullptr;
  QLabel* progress_ = nullptr;
  TAudioDownload* download_ = nullptr;
  std::unique_ptr<TChapterFileFinder> finder_;
  TChapterAudio* audio_ = nullptr;
  TAudioPositionField* field_ = nullptr;
};

}  // namespace lectora
