#include "tools/options/Options.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/DesignCaption.h"
#include "settings/MyCheckBox.h"
#include "settings/MyRadioGroup.h"
#include "settings/OptionValues.h"
#include "store/Bible.h"
#include "store/IniFile.h"

namespace lectora {

namespace {

constexpr const char* kForm = "Options";

QString Caption(const char* name) { return DesignCaption(kForm, name); }

// Colours are kept as stored, 0x00BBGGRR.
QColor ColorOf(std::uint32_t value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
          static_cast<int>((value >> 16) & 0xFF)};
}
std::uint32_t ValueOf(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) |
         (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

QFont QtFontOf(const TFontInfo& info) {
  QFont font(QString::fromLatin1(info.Name.data(), static_cast<qsizetype>(info.Name.size())));
  font.setPointSize(info.Size > 0 ? info.Size : 10);
  font.setBold((info.Style & 1) != 0);
  font.setItalic((info.Style & 2) != 0);
  font.setUnderline((info.Style & 4) != 0);
  font.setStrikeOut((info.Style & 8) != 0);
  return font;
}

// The chosen font in the module's terms; the character set stays the one of
// the module's language and the colour the module's own.
void StoreFont(const QFont& font, TFontInfo& info) {
  info.Name = font.family().toLatin1().toStdString();
  info.Size = font.pointSize() > 0 ? font.pointSize() : info.Size;
  info.Style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
               (font.strikeOut() ? 8 : 0);
}

void PaintSwatch(QPushButton& swatch, const QColor& color) {
  swatch.setStyleSheet(
      QStringLiteral("background-color: %1; border: 1px solid gray;").arg(color.name()));
  swatch.setAccessibleDescription(color.name());
}

QGroupBox* Group(QWidget* parent, const char* name) {
  auto* group = new QGroupBox(Caption(name), parent);
  group->setObjectName(QString::fromLatin1(name));
  return group;
}

}  // namespace

TOptions::TOptions(TOptionValues& options, THooks hooks, QWidget* parent)
    : QDialog(parent), options_(options), hooks_(std::move(hooks)) {
  setObjectName(QString::fromLatin1(kForm));
  setWindowTitle(Caption("Options"));
  setModal(true);
  if (!hooks_.ChooseColor) {
    hooks_.ChooseColor = [this](const QColor& initial) -> std::optional<QColor> {
      const QColor color = QColorDialog::getColor(initial, this);
      return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
    };
  }
  if (!hooks_.ChooseFont) {
    hooks_.ChooseFont = [this](const QFont& initial) -> std::optional<QFont> {
      bool ok = false;
      const QFont font = QFontDialog::getFont(&ok, initial, this);
      return ok ? std::optional<QFont>(font) : std::nullopt;
    };
  }
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->addTab(CreateAppearancePage(), Caption("TabSheet1"));
  pages_->addTab(CreateOtherPage(), Caption("TabSheet2"));
  layout->addWidget(pages_);
  layout->addWidget(CreateButtons());
  // F1 opens the help of the page shown, as the Help button does.
  setProperty("helpTopic", QStringLiteral("Options1"));
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    setProperty("helpTopic", page == 0 ? QStringLiteral("Options1") : QStringLiteral("Options2"));
  });
  connect(&options_, &TOptionValues::OptionChanged, this, &TOptions::OptionChanged);
  for (int index = 0; index < TOptionValues::kOptionCount; ++index) OptionChanged(index);
  OptionChanged(TOptionValues::kPanelAlign);
  OptionChanged(TOptionValues::kLanguage);
}

TMyCheckBox* TOptions::BindCheckBox(QWidget* parent, const char* name, int option) {
  auto* box = new TMyCheckBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->SetCaption(Caption(name));
  box->setAccessibleName(Caption(name));
  box->Loaded();
  if (option >= 0) {
    checkBoxes_[static_cast<size_t>(option)] = box;
    connect(box, &QCheckBox::toggled, this,
            [this, option](bool checked) { options_.SetOption(option, checked); });
  }
  return box;
}

TMyRadioGroup* TOptions::BindRadioGroup(QWidget* parent, const char* name, int columns) {
  auto* group = new TMyRadioGroup(parent);
  group->setObjectName(QString::fromLatin1(name));
  group->setTitle(Caption(name));
  group->setAccessibleName(Caption(name));
  QStringList items;
  for (int i = 0;; ++i) {
    const QString item =
        DesignCaption(kForm, (std::string(name) + ".Item" + std::to_string(i)).c_str());
    if (item.isEmpty()) break;
    items << item;
  }
  group->SetItems(items);
  group->SetColumns(columns);
  group->Loaded();
  group->setMinimumHeight(24 * ((static_cast<int>(items.size()) + columns - 1) / columns) + 24);
  return group;
}

QWidget* TOptions::CreateAppearancePage() {
  auto* page = new QWidget(pages_);
  page->setObjectName(QStringLiteral("TabSheet1"));
  auto* layout = new QGridLayout(page);
  QGroupBox* show = Group(page, "GroupBox1");
  auto* showLayout = new QVBoxLayout(show);
  for (const auto& [name, option] : {std::pair{"CheckBox1", TOptionValues::kViewBN},
                                     std::pair{"CheckBox2", TOptionValues::kAbrev},
                                     std::pair{"CheckBox3", TOptionValues::kViewCN},
                                     std::pair{"CheckBox4", TOptionValues::kViewVN},
                                     std::pair{"CheckBox10", TOptionValues::kShowFootnotes},
                                     std::pair{"CheckBox12", TOptionValues::kTextFromVerse},
                                     std::pair{"CheckBox5", TOptionValues::kShowHint}}) {
    showLayout->addWidget(BindCheckBox(show, name, option));
  }
  layout->addWidget(show, 0, 0, 2, 1);
  layout->addWidget(CreateColorGroup(), 0, 1);
  layout->addWidget(CreateFontGroup(), 1, 1);
  auto* label1 = new QLabel(Caption("Label1"), page);
  label1->setObjectName(QStringLiteral("Label1"));
  language_ = new QComboBox(page);
  language_->setObjectName(QStringLiteral("ComboBox1"));
  language_->addItems(
      {QStringLiteral("Bulgarian"), QStringLiteral("English"), QStringLiteral("Macedonian")});
  language_->setAccessibleName(Caption("Label1"));
  label1->setBuddy(language_);
  connect(language_, &QComboBox::activated, this, [this](int index) {
    options_.SetLanguage(index);
    ShowFontLine();
  });
  auto* row = new QHBoxLayout;
  row->addWidget(label1);
  row->addWidget(language_, 1);
  layout->addLayout(row, 2, 0, 1, 2);
  return page;
}

QWidget* TOptions::CreateColorGroup() {
  QGroupBox* group = Group(pages_, "GroupBox2");
  auto* layout = new QGridLayout(group);
  int row = 0;
  for (const char* name : {"Button1", "Button2", "Button3"}) {
    const int swatch = row;
    auto* button = new QPushButton(Caption(name), group);
    button->setObjectName(QString::fromLatin1(name));
    auto* panel = new QPushButton(group);
    panel->setObjectName(QStringLiteral("Panel%1").arg(swatch + 1));
    panel->setFixedSize(28, 20);
    panel->setAccessibleName(Caption(name));
    swatches_[static_cast<size_t>(swatch)] = panel;
    // A click on the swatch does what its button does.
    for (QPushButton* target : {button, panel}) {
      connect(target, &QPushButton::clicked, this, [this, swatch] { ChooseSwatchColor(swatch); });
    }
    layout->addWidget(button, row, 0);
    layout->addWidget(panel, row, 1);
    ++row;
  }
  return group;
}

QWidget* TOptions::CreateFontGroup() {
  QGroupBox* group = Group(pages_, "GroupBox3");
  auto* layout = new QVBoxLayout(group);
  fontLine_ = new QLabel(group);
  fontLine_->setObjectName(QStringLiteral("Label2"));
  layout->addWidget(fontLine_);
  differentFonts_ = BindCheckBox(group, "CheckBox7", -1);
  // Checked means one font for all windows.
  connect(differentFonts_, &QCheckBox::clicked, this, [this](bool checked) {
    options_.SetDifferentFonts(!checked);
    if (hooks_.ApplyDisplayOptions) hooks_.ApplyDisplayOptions();
  });
  layout->addWidget(differentFonts_);
  allowChaset_ = BindCheckBox(group, "CheckBox13", -1);
  layout->addWidget(allowChaset_);
  auto* change = new QPushButton(Caption("Button4"), group);
  change->setObjectName(QStringLiteral("Button4"));
  connect(change, &QPushButton::clicked, this, &TOptions::ChangeFont);
  layout->addWidget(change);
  return group;
}

QWidget* TOptions::CreateOtherPage() {
  auto* page = new QWidget(pages_);
  page->setObjectName(QStringLiteral("TabSheet2"));
  auto* layout = new QVBoxLayout(page);
  for (const auto& [name, option] : {std::pair{"CheckBox6", TOptionValues::kCheckClipboard},
                                     std::pair{"CheckBox8", TOptionValues::kShowAbout},
                                     std::pair{"CheckBox11", TOptionValues::kAutoMin},
                                     std::pair{"MyCheckBox1", TOptionValues::kNewVCheck}}) {
    layout->addWidget(BindCheckBox(page, name, option));
  }
  panelAlign_ = BindRadioGroup(page, "RadioGroup1", 1);
  connect(panelAlign_, &TMyRadioGroup::OnClick, this,
          [this] { options_.SetPanelAlign(panelAlign_->ItemIndex()); });
  layout->addWidget(panelAlign_);
  QGroupBox* keyboard = Group(page, "GroupBox4");
  auto* keyboardLayout = new QVBoxLayout(keyboard);
  keyboardLayout->addWidget(BindCheckBox(keyboard, "CheckBox9", TOptionValues::kAutoKeybd));
  layout_ = BindRadioGroup(keyboard, "RadioGroup2", 2);
  connect(layout_, &TMyRadioGroup::OnClick, this,
          [this] { options_.SetOption(TOptionValues::kFoneticCyr, layout_->ItemIndex() == 1); });
  keyboardLayout->addWidget(layout_);
  layout->addWidget(keyboard);
  layout->addStretch(1);
  return page;
}

QWidget* TOptions::CreateButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->addStretch(1);
  const auto button = [&](const char* name) {
    auto* b = new QPushButton(Caption(name), row);
    b->setObjectName(QString::fromLatin1(name));
    layout->addWidget(b);
    return b;
  };
  QPushButton* ok = button("Button5");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &TOptions::StoreAndClose);
  connect(button("Button6"), &QPushButton::clicked, this, &QDialog::reject);
  connect(button("Button7"), &QPushButton::clicked, this, [this] {
    if (hooks_.ShowHelp) {
      hooks_.ShowHelp(pages_->currentIndex() == 0 ? QStringLiteral("Options1")
                                                  : QStringLiteral("Options2"));
    }
  });
  return row;
}

void TOptions::OptionChanged(int index) {
  if (index >= 0 && index < TOptionValues::kOptionCount) {
    if (TMyCheckBox* box = checkBoxes_[static_cast<size_t>(index)]) {
      const QSignalBlocker block(box);
      box->setChecked(options_.GetOption(index));
    }
    if (index == TOptionValues::kFoneticCyr) {
      layout_->SetItemIndex(options_.GetOption(index) ? 1 : 0);
    }
  } else if (index == TOptionValues::kPanelAlign) {
    panelAlign_->SetItemIndex(options_.PanelAlign());
  } else if (index == TOptionValues::kLanguage) {
    language_->setCurrentIndex(options_.Language());
  }
}

void TOptions::Prepare() {
  {
    const QSignalBlocker block(differentFonts_);
    differentFonts_->setChecked(!options_.DifferentFonts());
  }
  colors_ = {ColorOf(options_.CurrentVerseColor()), ColorOf(options_.FoundWordColor()),
             ColorOf(options_.FootntColor())};
  for (size_t i = 0; i < swatches_.size(); ++i) PaintSwatch(*swatches_[i], colors_[i]);
  allowChaset_->setChecked(options_.AllowChaset());
  ShowFontLine();
  show();
}

void TOptions::ShowOptions() {
  Prepare();
  exec();
}

void TOptions::StoreAndClose() {
  options_.SetCurrentVerseColor(ValueOf(colors_[0]));
  options_.SetFoundWordColor(ValueOf(colors_[1]));
  options_.SetFootntColor(ValueOf(colors_[2]));
  options_.SetAllowChaset(allowChaset_->isChecked());
  accept();
}

void TOptions::ChooseSwatchColor(int swatch) {
  QColor& color = colors_[static_cast<size_t>(swatch)];
  const std::optional<QColor> chosen = hooks_.ChooseColor(color);
  if (!chosen || *chosen == color) return;
  color = *chosen;
  PaintSwatch(*swatches_[static_cast<size_t>(swatch)], color);
}

QFont TOptions::CurrentFont() const {
  TBible* bible = hooks_.ActiveBible ? hooks_.ActiveBible() : nullptr;
  return bible != nullptr ? QtFontOf(bible->Font) : font();
}

void TOptions::ChangeFont() {
  const std::optional<QFont> chosen = hooks_.ChooseFont(CurrentFont());
  TBible* bible = hooks_.ActiveBible ? hooks_.ActiveBible() : nullptr;
  if (!chosen || bible == nullptr) return;
  StoreFont(*chosen, bible->Font);
  bible->Font.CharSet = bible->Language.Charset();
  if (TMyIniFile* ini = hooks_.Settings ? hooks_.Settings() : nullptr) {
    ini->WriteFont("MainWindow", bible->Font);
  }
  if (hooks_.ApplyDisplayOptions) hooks_.ApplyDisplayOptions();
  ShowFontLine();
}

void TOptions::ShowFontLine() {
  const QFont font = CurrentFont();
  fontLine_->setText(QStringLiteral("%1 %2").arg(font.family()).arg(font.pointSize()));
}

}  // namespace lectora
