// The images of the tool buttons and menu items: the desktop's icon theme
// where a freedesktop name fits, else (and for what has no standard name:
// Strong's numbers, footnotes, the links view, clipboard watching) a small
// SVG of our own compiled into the program.
#pragma once

#include <QIcon>
#include <QString>

namespace lectora {

// The icon called `name`, one of: "open", "copy", "speak", "search-panel",
// "links-panel", "footnotes", "strong-numbers", "links-view",
// "clipboard-watch", "auto-minimize", "back", "forward", "help",
// "new-link", "edit-link", "delete-link", "open-link", "close-panel",
// "previous-word", "next-word", "another-explanation", "picture",
// "dictionary".
// An unknown name gives a null icon.
QIcon ToolIcon(const QString& name);

}  // namespace lectora
