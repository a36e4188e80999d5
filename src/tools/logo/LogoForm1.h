// The logo window: the product's title and version on blue, without a
// border, centred on the desktop, with the start sound ("Beg1.wav" of the
// setup folder) and the check box that hides it at the next start (the
// inverse of option 9). A click or any key closes it; a key, or the end of
// the sound, also stops the sound it started. The sound starts 5 ms after
// the window is shown (Timer1), so that the windows are painted before the
// sound system is woken.
#pragma once

#include <QWidget>
#include <string_view>

class QTimer;

#include "tools/logo/LogoWindow.h"

namespace lectora {

class IAudioPlayer;
class TMyCheckBox;
class TOptionValues;
class TSettings;

class TLogoForm1 : public QWidget, public ILogoWindow {
  Q_OBJECT

 public:
  // The version the build gives (CMake's project version), or "".
  static const char* BuildVersion();
  // The version label's text: major.minor.patch of `version`, "X.X.X"
  // when there is none.
  static QString VersionText(std::string_view version);

  // The services and the player (not owned) must outlive the window; the
  // player is shared with the chapter audio.
  TLogoForm1(TSettings& settings, TOptionValues& options, IAudioPlayer& player,
             QWidget* parent = nullptr);

  // ---- ILogoWindow ----
  void ShowAtStart() override;
  void ShowModal() override;
  void FocusIfShown() override;
  bool IsShowing() const override { return isVisible(); }
  void CloseWindow() override { close(); }

  // The sound-finished reaction: stops and closes the player when this
  // window's sound is what it plays, and closes the window.
  void SoundFinished();
  // True from the start of this window's sound until it ends or stops.
  bool SoundStarted() const { return soundStarted_; }
  // The interval between showing and the start sound.
  static constexpr int kSoundDelayMs = 5;

 Q_SIGNALS:
  // The window has gone: the chapter audio, suspended meanwhile, may read.
  void Hidden();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void CreateControls();
  void StartSound();
  void CentreOnDesktop();
  // Whether the player still plays this window's sound (and not a file
  // the chapter audio has opened since).
  bool PlaysOwnSound();

  TSettings& settings_;
  TOptionValues& options_;
  IAudioPlayer& player_;
  TMyCheckBox* MyCheckBox1 = nullptr;
  QTimer* Timer1 = nullptr;
  bool soundStarted_ = false;
  QString soundFile_;
};

}  // namespace lectora
