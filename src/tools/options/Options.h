// The options dialog (TOptions): two pages of check boxes and radio groups
// over the one options object, the three colours, the font and the
// interface language. Every control is bound to TOptionValues and acts at
// once; only the colours and the character-set switch wait for OK. The
// program's reactions to an option (re-showing the passage, hints, the
// panel side, the keyboard table) follow TOptionValues::OptionChanged, so
// the dialog never reaches another window.
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace lectora {

class TBible;
class TMyCheckBox;
class TMyIniFile;
class TMyRadioGroup;
class TOptionValues;

class TOptions : public QDialog {
  Q_OBJECT

 public:
  // What the dialog needs from the program; each may be left empty.
  struct THooks {
    // The active translation's module, or null (the font command needs it).
    std::function<TBible*()> ActiveBible;
    // The settings file the chosen font is written to ("MainWindow").
    std::function<TMyIniFile*()> Settings;
    // The main window applies the display options (fonts of every window).
    std::function<void()> ApplyDisplayOptions;
    // Opens a help topic ("Options1", "Options2").
    std::function<void(const QString&)> ShowHelp;
    // Seams for the platform dialogs: empty answers mean Cancel.
    std::function<std::optional<QColor>(const QColor&)> ChooseColor;
    std::function<std::optional<QFont>(const QFont&)> ChooseFont;
  };

  // The dialog over `options`, which must outlive it. Hidden until
  // ShowOptions.
  TOptions(TOptionValues& options, THooks hooks, QWidget* parent = nullptr);

  // Prepares the colours, the font line and the character-set switch, and
  // shows the dialog modally. On OK the colours and the switch are stored.
  void ShowOptions();
  // Replace the help and the platform dialogs (tests answer them).
  void SetHelp(std::function<void(const QString&)> showHelp) {
    hooks_.ShowHelp = std::move(showHelp);
  }
  void SetColorChooser(std::function<std::optional<QColor>(const QColor&)> choose) {
    hooks_.ChooseColor = std::move(choose);
  }
  void SetFontChooser(std::function<std::optional<QFont>(const QFont&)> choose) {
    hooks_.ChooseFont = std::move(choose);
  }
  // Opens (non-modally) for tests and for the accessibility check; OK and
  // Cancel then end it as in ShowOptions.
  void Prepare();

 private:
  QWidget* CreateAppearancePage();
  QWidget* CreateOtherPage();
  QWidget* CreateColorGroup();
  QWidget* CreateFontGroup();
  QWidget* CreateButtons();
  TMyCheckBox* BindCheckBox(QWidget* parent, const char* name, int option);
  TMyRadioGroup* BindRadioGroup(QWidget* parent, const char* name, int columns);
  void OptionChanged(int index);
  void ChooseSwatchColor(int swatch);
  void ChangeFont();
  void ShowFontLine();
  // OK: the colours and the character-set switch are stored, then the
  // dialog closes.
  void StoreAndClose();
  QFont CurrentFont() const;

  TOptionValues& options_;
  THooks hooks_;
  QTabWidget* pages_ = nullptr;
  std::array<TMyCheckBox*, 14> checkBoxes_{};  // by option number
  TMyCheckBox* differentFonts_ = nullptr;      // CheckBox7
  TMyCheckBox* allowChaset_ = nullptr;         // CheckBox13
  TMyRadioGroup* panelAlign_ = nullptr;        // RadioGroup1
  TMyRadioGroup* layout_ = nullptr;            // RadioGroup2
  QComboBox* language_ = nullptr;              // ComboBox1
  QLabel* fontLine_ = nullptr;                 // Label2
  std::array<QPushButton*, 3> swatches_{};     // the colours waiting for OK
  std::array<QColor, 3> colors_{};
};

}  // namespace lectora
