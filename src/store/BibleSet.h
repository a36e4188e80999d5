// The twelve module slots, one per translation number; a window refers to
// the module of its translation through them. Owned by the main window (or
// by lectora-cli).
#pragma once

#include <array>
#include <memory>
#include <string>

#include "store/Bible.h"
#include "store/TranslationTable.h"

namespace lectora {

class TMyIniFile;

class TBibleSet {
 public:
  explicit TBibleSet(TStoreContext& context) : context_(context) {}

  // The open module of `translationNumber`, or null. REQUIRES: 0..11.
  TBible* operator[](int translationNumber) const;
  // The module of `translationNumber`, loading it when not open yet. A module
  // that was not found stays in its slot with Path empty; callers decide.
  TBible& Open(int translationNumber);
  // Frees the module of the slot (it saves its settings when it was loaded).
  void Close(int translationNumber);
  void CloseAll();

  // The font name for small windows showing Cyrillic text outside a Bible
  // window: the Font of the first open module with a Cyrillic language, else
  // "FontName" of the first language-0 translation whose folder + "Font"
  // section exists, else empty.
  std::string CyrillicFontName(const TMyIniFile& ini) const;

 private:
  TStoreContext& context_;
  std::array<std::unique_ptr<TBible>, kTranslationCount> slots_;
};

}  // namespace lectora
