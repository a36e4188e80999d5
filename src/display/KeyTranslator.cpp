#include "display/KeyTranslator.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <string>

#include "display/QtText.h"
#include "settings/OptionValues.h"
#include "store/Language.h"

namespace lectora {

TKeyTranslator::TKeyTranslator(std::unique_ptr<IKeyboardLayoutQuery> layouts, QObject* parent)
    : QObject(parent), layouts_(std::move(layouts)) {}

TKeyTranslator::~TKeyTranslator() = default;

void TKeyTranslator::SetLanguageSource(std::function<const TLanguage*()> source) {
  languageSource_ = std::move(source);
}

void TKeyTranslator::SetFoneticCyr(bool phonetic) {
  SetBulgarianLayout(phonetic ? BulgarianLayout::Phonetic : BulgarianLayout::Standard);
}

void TKeyTranslator::Bind(const TOptionValues& options) {
  SetAutoKeybd(options.GetOption(TOptionValues::kAutoKeybd));
  SetFoneticCyr(options.GetOption(TOptionValues::kFoneticCyr));
  connect(&options, &TOptionValues::OptionChanged, this, [this, &options](int index) {
    if (index == TOptionValues::kAutoKeybd) {
      SetAutoKeybd(options.GetOption(index));
    } else if (index == TOptionValues::kFoneticCyr) {
      SetFoneticCyr(options.GetOption(index));
    }
  });
}

const TLanguage* TKeyTranslator::ActiveLanguage() const {
  return languageSource_ ? languageSource_() : nullptr;
}

void TKeyTranslator::Translate(char& key) const {
  if (!autoKeybd_) return;
  if (const TLanguage* language = ActiveLanguage()) language->TranslateKey(key, layouts_.get());
}

void TKeyTranslator::Install(QWidget* widget) {
  if (widget != nullptr) widget->installEventFilter(this);
}

bool TKeyTranslator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || resending_ || !autoKeybd_) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  // Only plain typing: the keys of the reference layout are ASCII, and a
  // key with Ctrl or Alt is a command, not a letter.
  if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  const QString text = keyEvent->text();
  if (text.size() != 1 || text[0].unicode() >= 128) return false;
  const TLanguage* language = ActiveLanguage();
  if (language == nullptr) return false;
  char key = static_cast<char>(text[0].unicode());
  const char before = key;
  language->TranslateKey(key, layouts_.get());
  if (key == before) return false;
  QKeyEvent translated(QEvent::KeyPress, keyEvent->key(), keyEvent->modifiers(),
                       DecodeCharset(std::string(1, key), language->Charset()),
                       keyEvent->isAutoRepeat(), keyEvent->count());
  resending_ = true;
  QCoreApplication::sendEvent(watched, &translated);
  resending_ = false;
  keyEvent->setAccepted(translated.isAccepted());
  return true;
}

}  // namespace lectora
