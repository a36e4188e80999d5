// The program's colours on the reader's desktop: the desktop's own palette
// (dark when the desktop's theme is dark), or a light or dark one the
// reader chose with the key "DarkPalette" of section "MainWindow" (0 follow
// the desktop, 1 light, 2 dark) or, for one run, the environment variable
// LECTORA_PALETTE (auto, light or dark). Qt 6.4 has no colour-scheme hint,
// so a dark desktop is told by its palette: a dark window colour. The verse
// text controls follow whatever palette is in use (TBibleRichEdit1::
// ShownColor); this object only chooses it and says whether it is dark.
#pragma once

#include <QObject>
#include <QPalette>

namespace lectora {

class TMyIniFile;

class TDesktopPalette : public QObject {
  Q_OBJECT

 public:
  enum class TChoice { Auto = 0, Light = 1, Dark = 2 };

  // The reader's choice: LECTORA_PALETTE when it names one, else the key
  // (a missing or unknown value follows the desktop).
  static TChoice ChoiceFrom(const TMyIniFile& ini);
  // True when `palette`'s window colour is dark.
  static bool IsDark(const QPalette& palette);
  // The palette of the dark choice: light text on dark grey, a blue
  // selection, disabled text dimmed.
  static QPalette DarkPalette();
  // The palette of the light choice: the style's standard palette.
  static QPalette LightPalette();

  // Puts `choice` into effect for the application and watches the
  // desktop's palette changes. REQUIRES: a QApplication.
  explicit TDesktopPalette(TChoice choice, QObject* parent = nullptr);
  // The application gets back the palette it had before.
  ~TDesktopPalette() override;
  TDesktopPalette(const TDesktopPalette&) = delete;
  TDesktopPalette& operator=(const TDesktopPalette&) = delete;

  TChoice Choice() const { return choice_; }
  void SetChoice(TChoice choice);
  // The palette in use is dark.
  bool Dark() const { return dark_; }

 Q_SIGNALS:
  // The palette in use turned dark or light.
  void DarkChanged(bool dark);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Update();

  TChoice choice_ = TChoice::Auto;
  bool dark_ = false;
  // What to give back: an explicitly set palette, or none (the desktop's).
  bool hadOwnPalette_ = false;
  QPalette previous_;
};

}  // namespace lectora
