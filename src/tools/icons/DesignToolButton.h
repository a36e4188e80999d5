// The tool buttons of the tool windows, built one way: named as in the
// window's design, with the design's hint as tool tip, accessible name and
// (for a style that shows text, or a missing icon) caption, and the image
// of ToolIcon.
#pragma once

#include <string_view>

class QToolButton;
class QWidget;

namespace lectora {

// A new button `name` of the design of `form`, owned by `parent`; `icon`
// is a ToolIcon name, or nullptr for a button that draws its own (an
// arrow). The button shows its image only and is raised under the mouse.
QToolButton* NewDesignToolButton(QWidget& parent, std::string_view form, const char* name,
                                 const char* icon);

}  // namespace lectora
