#include "settings/OptionValues.h"

#include <string>

#include "store/IniFile.h"

namespace lectora {

namespace {

const std::string kSection = "MainWindow";

struct TOptionRow {
  const char* Key;
  bool Default;
};

// By option number; a null key marks a number without a control.
constexpr std::array<TOptionRow, TOptionValues::kOptionCount> kOptions = {{
    {"CheckClipboard", true},
    {"AutoKeybd", true},
    {"FoneticCyr", false},
    {"ViewBN", false},
    {"ViewCN", false},
    {"ViewVN", true},
    {"Abrev", false},
    {"ShowHint", true},
    {nullptr, false},
    {"ShowAbout", true},
    {"ShowFootnotes", true},
    {"AutoMin", true},
    {"TextFromVerse", false},
    {"NewVCheck", true},
}};

// Read order; the pseudo-numbers stand for the two integer keys.
constexpr std::array<int, 15> kLoadOrder = {1, 0,  2,  3,  6,
                                            4, 5,  10, 7,  TOptionValues::kPanelAlign,
                                            9, 11, 12, 13, TOptionValues::kLanguage};
constexpr std::array<int, 14> kSaveOrder = {
    1, 2, 3, 6, 4, 5, 7, 10, TOptionValues::kPanelAlign, 9, 11, 12, 13, TOptionValues::kLanguage};

constexpr int kDefaultPanelAlign = 1;
constexpr int kDefaultLanguage = 0;
constexpr int kLanguageCount = 3;

bool HasControl(int index) {
  return index >= 0 && index < TOptionValues::kOptionCount && kOptions[index].Key != nullptr;
}

}  // namespace

TOptionValues::TOptionValues(QObject* parent) : QObject(parent) {
  for (int i = 0; i < kOptionCount; ++i) options_[i] = kOptions[i].Default;
}

const char* TOptionValues::OptionKey(int index) {
  return HasControl(index) ? kOptions[index].Key : nullptr;
}

bool TOptionValues::GetOption(int index) const { return HasControl(index) && options_[index]; }

void TOptionValues::SetOption(int index, bool value) {
  if (!HasControl(index) || options_[index] == value) return;
  options_[index] = value;
  Q_EMIT OptionChanged(index);
}

void TOptionValues::SetPanelAlign(int value) {
  if (value < 0 || value > 1 || value == panelAlign_) return;
  panelAlign_ = value;
  Q_EMIT OptionChanged(kPanelAlign);
}

void TOptionValues::SetLanguage(int value) {
  if (value < 0 || value >= kLanguageCount || value == language_) return;
  language_ = value;
  Q_EMIT OptionChanged(kLanguage);
}

void TOptionValues::SetDifferentFonts(bool value) {
  if (value == differentFonts_) return;
  differentFonts_ = value;
  Q_EMIT OptionChanged(kDifferentFonts);
}

void TOptionValues::SetAllowChaset(bool value) {
  if (value == allowChaset_) return;
  allowChaset_ = value;
  Q_EMIT OptionChanged(kAllowChaset);
}

void TOptionValues::SetColor(std::uint32_t& field, std::uint32_t value, int index) {
  if (value == field) return;
  field = value;
  Q_EMIT OptionChanged(index);
}

void TOptionValues::SetCurrentVerseColor(std::uint32_t value) {
  SetColor(currentVerseColor_, value, kCurrentVerseColor);
}
void TOptionValues::SetFoundWordColor(std::uint32_t value) {
  SetColor(foundWordColor_, value, kFoundWordColor);
}
void TOptionValues::SetFootntColor(std::uint32_t value) {
  SetColor(footntColor_, value, kFootntColor);
}

void TOptionValues::LoadOptions(const TMyIniFile& ini) {
  for (const int index : kLoadOrder) {
    if (index == kPanelAlign) {
      const int value = ini.ReadInteger(kSection, "PanelAlign", kDefaultPanelAlign);
      panelAlign_ = (value == 0 || value == 1) ? value : kDefaultPanelAlign;
    } else if (index == kLanguage) {
      const int value = ini.ReadInteger(kSection, "Language", kDefaultLanguage);
      language_ = (value >= 0 && value < kLanguageCount) ? value : kDefaultLanguage;
    } else {
      options_[index] = ini.ReadBool(kSection, kOptions[index].Key, kOptions[index].Default);
    }
    Q_EMIT OptionChanged(index);
  }
}

void TOptionValues::SaveOptions(TMyIniFile& ini) const {
  if (ini.ReadOnly()) return;
  for (const int index : kSaveOrder) {
    if (index == kPanelAlign) {
      ini.WriteInteger(kSection, "PanelAlign", panelAlign_);
    } else if (index == kLanguage) {
      ini.WriteInteger(kSection, "Language", language_);
    } else {
      ini.WriteBool(kSection, kOptions[index].Key, options_[index]);
    }
  }
}

}  // namespace lectora
