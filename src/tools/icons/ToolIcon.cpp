#include "tools/icons/ToolIcon.h"

#include <QFile>
#include <QLatin1StringView>

#include <array>

namespace lectora {

namespace {

struct TIconName {
  const char* Own;    // our SVG in the resources, ":/icons/<Own>.svg"
  const char* Theme;  // the freedesktop name, or empty where none fits
};

// Where a standard name means the same thing, the desktop's theme draws the
// button, so that the tool bar matches the reader's other programs.
constexpr std::array kIcons{
    TIconName{"open", "document-open"},
    TIconName{"copy", "edit-copy"},
    TIconName{"speak", "audio-volume-high"},
    TIconName{"search-panel", "edit-find"},
    TIconName{"links-panel", ""},
    TIconName{"footnotes", ""},
    TIconName{"strong-numbers", ""},
    TIconName{"links-view", ""},
    TIconName{"clipboard-watch", ""},
    TIconName{"auto-minimize", ""},
    TIconName{"back", "go-previous"},
    TIconName{"forward", "go-next"},
    TIconName{"help", "help-contents"},
    TIconName{"new-link", "document-new"},
    TIconName{"edit-link", "document-properties"},
    TIconName{"delete-link", "edit-delete"},
    TIconName{"open-link", "go-jump"},
    TIconName{"close-panel", "window-close"},
    TIconName{"previous-word", "go-up"},
    TIconName{"next-word", "go-down"},
    TIconName{"another-explanation", ""},
    TIconName{"picture", "image-x-generic"},
    TIconName{"dictionary", "accessories-dictionary"},
};

}  // namespace

QIcon ToolIcon(const QString& name) {
  for (const TIconName& icon : kIcons) {
    if (name != QLatin1StringView(icon.Own)) continue;
    QIcon own(QStringLiteral(":/icons/%1.svg").arg(name));
    if (*icon.Theme == '\0') return own;
    return QIcon::fromTheme(QString::fromLatin1(icon.Theme), own);
  }
  return {};
}

}  // namespace lectora
