// The user's display and behaviour options, addressed by number
// (GetOption/SetOption 0..13) as the rest of the program asks for them, plus
// the control panel side, the interface language, the font switches and the
// three colours. The options dialog binds its controls to this object and
// every change is reported, so the dialog and the main window stay in step.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>

namespace lectora {

class TMyIniFile;

class TOptionValues : public QObject {
  Q_OBJECT

 public:
  // The numbered options. Number 8 has no control: it reads false and
  // cannot be set.
  enum : int {
    kCheckClipboard = 0,
    kAutoKeybd = 1,
    kFoneticCyr = 2,
    kViewBN = 3,
    kViewCN = 4,
    kViewVN = 5,
    kAbrev = 6,
    kShowHint = 7,
    kShowAbout = 9,
    kShowFootnotes = 10,
    kAutoMin = 11,
    kTextFromVerse = 12,
    kNewVCheck = 13,
    kOptionCount = 14
  };
  // The other values, as OptionChanged reports them.
  enum : int {
    kPanelAlign = 100,
    kLanguage,
    kDifferentFonts,
    kAllowChaset,
    kCurrentVerseColor,
    kFoundWordColor,
    kFootntColor
  };
  // Colours are 0x00BBGGRR, as stored.
  static constexpr std::uint32_t kDefaultCurrentVerseColor = 0x008000;
  static constexpr std::uint32_t kDefaultFoundWordColor = 0x0000FF;
  static constexpr std::uint32_t kDefaultFootntColor = 0xFF0000;

  // All values at their defaults (a first run).
  explicit TOptionValues(QObject* parent = nullptr);

  // False for a number without a control or out of range.
  bool GetOption(int index) const;
  // Ignored for a number without a control. Reports a change.
  void SetOption(int index, bool value);
  // The settings key of option `index`, or nullptr when it has none.
  static const char* OptionKey(int index);

  // 0 left, 1 right.
  int PanelAlign() const { return panelAlign_; }
  // A value other than 0 or 1 is ignored.
  void SetPanelAlign(int value);
  // 0 Bulgarian, 1 English, 2 Macedonian.
  int Language() const { return language_; }
  // A value outside 0..2 is ignored.
  void SetLanguage(int value);
  // Each module shows its own font.
  bool DifferentFonts() const { return differentFonts_; }
  void SetDifferentFonts(bool value);
  // Fonts keep the character set of the text's language.
  bool AllowChaset() const { return allowChaset_; }
  void SetAllowChaset(bool value);
  std::uint32_t CurrentVerseColor() const { return currentVerseColor_; }
  void SetCurrentVerseColor(std::uint32_t value);
  std::uint32_t FoundWordColor() const { return foundWordColor_; }
  void SetFoundWordColor(std::uint32_t value);
  std::uint32_t FootntColor() const { return footntColor_; }
  void SetFootntColor(std::uint32_t value);

  // Reads section "MainWindow" in the order 1, 0, 2, 3, 6, 4, 5, 10, 7,
  // "PanelAlign", 9, 11, 12, 13, "Language"; a missing key or a value out
  // of range takes the default. Reports every value read, changed or not and
  // in that order, so that whoever mirrors an option (a tool button, the
  // hints) is set as a click would set it. The font switches and colours
  // are the main window's keys and are not read here.
  void LoadOptions(const TMyIniFile& ini);
  // Writes "AutoKeybd", "FoneticCyr", "ViewBN", "Abrev", "ViewCN", "ViewVN",
  // "ShowHint", "ShowFootnotes", "PanelAlign", "ShowAbout", "AutoMin",
  // "TextFromVerse", "NewVCheck", "Language" in that order; nothing when the
  // settings are read-only.
  void SaveOptions(TMyIniFile& ini) const;

 Q_SIGNALS:
  // `index` is an option number or one of kPanelAlign..kFootntColor.
  void OptionChanged(int index);

 private:
  void SetColor(std::uint32_t& field, std::uint32_t value, int index);

  std::array<bool, kOptionCount> options_{};
  int panelAlign_ = 1;
  int language_ = 0;
  bool differentFonts_ = false;
  bool allowChaset_ = true;
  std::uint32_t currentVerseColor_ = kDefaultCurrentVerseColor;
  std::uint32_t foundWordColor_ = kDefaultFoundWordColor;
  std::uint32_t footntColor_ = kDefaultFootntColor;
};

}  // namespace lectora
