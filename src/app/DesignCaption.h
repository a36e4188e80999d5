// The design caption and hint of a window's component as QString, from the
// one table of design texts (DesignTexts.h); empty when the design has none.
#pragma once

#include <QString>
#include <string_view>

namespace lectora {

QString DesignCaption(std::string_view form, std::string_view name);
QString DesignHint(std::string_view form, std::string_view name);

}  // namespace lectora
