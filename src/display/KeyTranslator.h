// Typing a module's letters on a keyboard with another layout: while the
// "AutoKeybd" option is on, a key typed in the book box or the search box is
// translated into the letter of the active module's language that sits on
// that key (TLanguage::TranslateKey), unless the active keyboard layout is
// the language's own. The "FoneticCyr" option picks the Bulgarian table.
//
// Two ways in: Translate for the 8-bit key hooks of the program's boxes
// (TODComboBox::OnKeyPress, TLargeListBox::OnKeyPress), or Install on any
// widget (a QLineEdit), whose key presses then carry the translated text.
// Use one of them per box, never both: a translated key may be a key again.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "store/KeyboardLayoutQuery.h"

class QWidget;

namespace lectora {

class TLanguage;
class TOptionValues;

class TKeyTranslator : public QObject {
  Q_OBJECT

 public:
  // `layouts` answers the active keyboard layout (owned; may be null: then
  // the layout counts as unknown and keys are translated).
  explicit TKeyTranslator(std::unique_ptr<IKeyboardLayoutQuery> layouts, QObject* parent = nullptr);
  ~TKeyTranslator() override;

  // The language of the active module, asked at every key (null: nothing is
  // translated). The record must live until the next call of the source.
  void SetLanguageSource(std::function<const TLanguage*()> source);

  // "AutoKeybd": keys are translated only while it is on (default on).
  bool AutoKeybd() const { return autoKeybd_; }
  void SetAutoKeybd(bool on) { autoKeybd_ = on; }
  // "FoneticCyr": installs the Bulgarian phonetic table (true) or the
  // standard one (false) for every Bulgarian module (SetBulgarianLayout).
  void SetFoneticCyr(bool phonetic);

  // Takes "AutoKeybd" and "FoneticCyr" from `options` now and on every
  // change (not owned; the connection ends with either object).
  void Bind(const TOptionValues& options);

  // The hook for an 8-bit key handler: `key` is a byte in the language's
  // code page; it is replaced by the letter meant, or left as it is.
  void Translate(char& key) const;

  // Translates the key presses that reach `widget` (not owned) before the
  // widget sees them: the event's text is replaced, its key code kept.
  void Install(QWidget* widget);

  IKeyboardLayoutQuery* Layouts() const { return layouts_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const TLanguage* ActiveLanguage() const;

  std::unique_ptr<IKeyboardLayoutQuery> layouts_;
  std::function<const TLanguage*()> languageSource_;
  bool autoKeybd_ = true;
  bool resending_ = false;  // set while a rewritten key press is delivered
};

}  // namespace lectora
