#include "tools/help/HelpTopics.h"

#include "store/TranslationTable.h"

namespace lectora {

QStringList KnownHelpTopics() {
  QStringList topics{kMainHelpTopic,
                     kSearchHelpTopic,
                     kQueryHelpTopic,
                     QStringLiteral("Keyboard"),
                     QStringLiteral("Range"),
                     QStringLiteral("ListMessage"),
                     QStringLiteral("Options1"),
                     QStringLiteral("Options2"),
                     QStringLiteral("EditLinkWindow")};
  for (int number = 0; number < kTranslationCount; ++number) {
    const QString shortName = QString::fromLatin1(TranslationInfo(number).ShortName);
    if (!shortName.isEmpty()) topics.push_back(shortName);
  }
  return topics;
}

}  // namespace lectora
