// Applies a window's caption file to the window and everything it owns, by
// the exact class of each component: captions from the form's section,
// hints from "Hints", items of radio groups and combo boxes from sections of
// their own. A text the file does not hold stays as it is; the window's
// caption alone becomes empty without a "Caption" key. Accessible names
// follow the new texts, so a screen reader hears the language shown.
#pragma once

#include <string>

class QObject;
class QWidget;

namespace lectora {

class TCaptionFile;

class TCaptionApplier {
 public:
  // Applies `<languageFolder>/<form name>.txt` to `form` and its children;
  // nothing when the file is missing. `languageFolder` ends without a
  // separator.
  static void ApplyCaptions(QWidget& form, const std::string& languageFolder);
  // The same with a file already read (tests, and windows of one class).
  static void Apply(QWidget& form, const TCaptionFile& file);

 private:
  static void ApplyToComponent(QObject& component, const TCaptionFile& file);
  static void ApplyToTabs(QWidget& form, const TCaptionFile& file);
};

}  // namespace lectora
