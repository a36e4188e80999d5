// What a Bible window needs from the program that holds it: the shared
// modules, the place (the navigator) and the active translation it
// announces itself to, the options and looks, the interface texts, and the
// few things only the window area knows (which window is active, whether
// another window shows a translation). No widget of another window is
// handed out. The window area implements it; tests give a fake. Every
// reference returned lives as long as the host.
#pragma once

#include <QColor>
#include <string>

class QAction;

namespace lectora {

class IDictionary;
class IMessageService;
class IWordPictures;
class TActiveTranslation;
class TBibleForm1;
class TBibleSet;
class TDisplayContext;
class TNavigator;
class TOptionValues;
class TStandardStructure;

class IBibleWindowHost {
 public:
  virtual ~IBibleWindowHost() = default;

  // ---- shared state ----
  // The twelve module slots; windows of one translation share its module.
  virtual TBibleSet& Bibles() = 0;
  virtual const TStandardStructure& Standard() const = 0;
  // The current place; a window moves it through the navigator only.
  virtual TNavigator& Navigator() = 0;
  // The active translation an activated window announces itself to.
  virtual TActiveTranslation& ActiveTranslation() = 0;

  // ---- options and looks ----
  virtual const TOptionValues& Options() const = 0;
  // True while the Strong's tool button is up (numbers hidden).
  virtual bool StrongHidden() const = 0;
  // The colour of the current verse ("CurrentVerseColor").
  virtual QColor CurrentVerseColor() const = 0;
  // The interface text of `key` (Windows-1251).
  virtual std::string Translate(const std::string& key) const = 0;
  virtual IMessageService& Messages() = 0;
  virtual TDisplayContext& DisplayContext() = 0;
  // The Copy command, given to each text control as CopyBtn.
  virtual QAction* CopyAction() = 0;

  // ---- what only the window area knows ----
  // True when `window` is the active child of the window area.
  virtual bool IsActiveBibleWindow(const TBibleForm1* window) const = 0;
  // Checks or unchecks the menu command of translation `number` (0..11).
  virtual void SetTranslationChecked(int number, bool checked) = 0;
  // True when another open window than `except` shows translation `number`.
  virtual bool TranslationShownElsewhere(int number, const TBibleForm1* except) const = 0;
  // The window is closing (after it unchecked its translation when needed).
  virtual void BibleWindowClosed(TBibleForm1* window) = 0;

  // ---- commands of the program ----
  // The find command: searches `text` (8-bit, the module's code page) in the
  // search panel, which shows itself.
  virtual void SearchFor(const std::string& text) = 0;
  // The dictionary the Dictionary item looks the selection up in; null
  // when the program has none (the item then stays disabled).
  virtual IDictionary* Dictionary() { return nullptr; }
  // The pictures the Picture item shows; null when the program has none
  // (the item then stays hidden).
  virtual IWordPictures* Pictures() { return nullptr; }
};

}  // namespace lectora
