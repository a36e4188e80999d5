#include "app/DesignCaption.h"

#include "app/DesignTexts.h"

namespace lectora {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString DesignCaption(std::string_view form, std::string_view name) {
  const TDesignText* text = FindDesignText(form, name);
  return text == nullptr ? QString() : FromUtf8(text->Caption);
}

QString DesignHint(std::string_view form, std::string_view name) {
  const TDesignText* text = FindDesignText(form, name);
  return text == nullptr ? QString() : FromUtf8(text->Hint);
}

}  // namespace lectora
