#include "tools/icons/DesignToolButton.h"

#include <QToolButton>

#include "app/DesignCaption.h"
#include "tools/icons/ToolIcon.h"

namespace lectora {

QToolButton* NewDesignToolButton(QWidget& parent, std::string_view form, const char* name,
                                 const char* icon) {
  auto* button = new QToolButton(&parent);
  button->setObjectName(QString::fromLatin1(name));
  const QString hint = DesignHint(form, name);
  button->setToolTip(hint);
  button->setAccessibleName(hint);
  button->setText(hint);
  if (icon != nullptr) button->setIcon(ToolIcon(QString::fromLatin1(icon)));
  // Without its image the caption stands in, rather than an empty button.
  button->setToolButtonStyle(icon != nullptr && button->icon().isNull() ? Qt::ToolButtonTextOnly
                                                                        : Qt::ToolButtonIconOnly);
  button->setAutoRaise(true);
  return button;
}

}  // namespace lectora
