// The Bulgarian captions and hints of the window designs, in one table: the
// texts a window shows until an interface language gives its own. Keyed by
// window and component name; UTF-8.
#pragma once

#include <string_view>

namespace lectora {

struct TDesignText {
  std::string_view Form;  // "Lectora2Form1", "BibleForm1", ...
  std::string_view Name;  // the component name
  std::string_view Caption;
  std::string_view Hint;
};

// Every design text; the table lives for the whole run.
const TDesignText* DesignTexts(std::size_t& count);
// The design text of `name` in `form`, or null.
const TDesignText* FindDesignText(std::string_view form, std::string_view name);

}  // namespace lectora
