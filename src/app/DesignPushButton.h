// The push buttons of the dialogs, built one way: named and captioned as in
// the window's design, with the caption (without its accelerator mark) as
// accessible name and the design's hint, if any, as tool tip.
#pragma once

#include <string_view>

class QPushButton;
class QWidget;

namespace lectora {

// A new button `name` of the design of `form`, owned by `parent`.
QPushButton* NewDesignPushButton(QWidget& parent, std::string_view form, const char* name);

}  // namespace lectora
