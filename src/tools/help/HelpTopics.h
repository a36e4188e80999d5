// The names under which the program opens its help pages: every window
// and command asks for one of these, and every one has an anchor in the
// pages of each help language.
#pragma once

#include <QString>
#include <QStringList>

namespace lectora {

// The main window and the program as a whole (also the fallback of F1).
inline const QString kMainHelpTopic = QStringLiteral("Main");
// The word-search panel.
inline const QString kSearchHelpTopic = QStringLiteral("Search");
// The query language of the search box.
inline const QString kQueryHelpTopic = QStringLiteral("Query");

// Every topic the program opens: the windows' topics and the translations'
// short names.
QStringList KnownHelpTopics();

}  // namespace lectora
