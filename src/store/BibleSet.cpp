#include "store/BibleSet.h"

#include "store/IniFile.h"
#include "store/Language.h"
#include "store/LectoraError.h"

namespace lectora {

namespace {

constexpr int kCyrillicCharset = 204;

void RequireSlot(int translationNumber) {
  if (translationNumber < 0 || translationNumber >= kTranslationCount) {
    throw LectoraError("", 0, "unknown translation number " + std::to_string(translationNumber));
  }
}

}  // namespace

TBible* TBibleSet::operator[](int translationNumber) const {
  RequireSlot(translationNumber);
  return slots_[translationNumber].get();
}

TBible& TBibleSet::Open(int translationNumber) {
  RequireSlot(translationNumber);
  std::unique_ptr<TBible>& slot = slots_[translationNumber];
  if (!slot) slot = std::make_unique<TBible>(translationNumber, context_);
  return *slot;
}

void TBibleSet::Close(int translationNumber) {
  RequireSlot(translationNumber);
  slots_[translationNumber].reset();
}

void TBibleSet::CloseAll() {
  for (auto& slot : slots_) slot.reset();
}

std::string TBibleSet::CyrillicFontName(const TMyIniFile& ini) const {
  // A module that was not found never read its font; its default name says
  // nothing about the user's choice.
  for (const auto& slot : slots_) {
    if (slot && slot->Loaded() && slot->Language.Charset() == kCyrillicCharset) {
      return slot->Font.Name;
    }
  }
  for (int n = 0; n < kTranslationCount; ++n) {
    const TTranslationInfo& info = TranslationInfo(n);
    if (info.Language != 0) continue;
    const std::string section = std::string(info.Folder) + "Font";
    if (ini.SectionExists(section)) return ini.ReadString(section, "FontName", "");
  }
  return {};
}

}  // namespace lectora
