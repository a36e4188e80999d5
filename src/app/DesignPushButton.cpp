#include "app/DesignPushButton.h"

#include <QPushButton>

#include "app/DesignCaption.h"

namespace lectora {

QPushButton* NewDesignPushButton(QWidget& parent, std::string_view form, const char* name) {
  const QString caption = DesignCaption(form, name);
  auto* button = new QPushButton(caption, &parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  button->setToolTip(DesignHint(form, name));
  return button;
}

}  // namespace lectora
