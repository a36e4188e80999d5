#include "display/ListAccessibility.h"

#include <QAccessible>
#include <QWidget>
#include <mutex>

#include "display/CBListBox.h"
#include "display/CBListBoxAccessible.h"
#include "display/LargeListBoxAccessible.h"
#include "display/MyListBox.h"
#include "display/ODComboBox.h"
#include "display/ODComboBoxAccessible.h"

namespace lectora {

namespace {

// Asked for each class of an object from the most derived one up, so the
// base names also serve the subclasses (TBibleComboBox is a TODComboBox).
QAccessibleInterface* ListInterfaceFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TODComboBox::staticMetaObject.className())) {
    if (auto* box = qobject_cast<TODComboBox*>(object)) return new TODComboBoxAccessible(box);
  } else if (className == QLatin1String(TCBListBox::staticMetaObject.className())) {
    if (auto* list = qobject_cast<TCBListBox*>(object)) return new TCBListBoxAccessible(list);
  } else if (className == QLatin1String(TMyListBox::staticMetaObject.className())) {
    if (auto* rows = qobject_cast<TMyListBox*>(object)) return new TLargeListBoxAccessible(rows);
  }
  return nullptr;
}

}  // namespace

void InstallListAccessibility() {
  static std::once_flag installed;
  std::call_once(installed, [] { QAccessible::installFactory(&ListInterfaceFactory); });
}

}  // namespace lectora
