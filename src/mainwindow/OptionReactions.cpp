#include "mainwindow/OptionReactions.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QSignalBlocker>
#include <QSplitter>

#include "app/ActionRegistry.h"
#include "display/DisplayContext.h"
#include "settings/OptionValues.h"

namespace lectora {

namespace {

QColor ColorOf(std::uint32_t value) {
  return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
          static_cast<int>((value >> 16) & 0xFF)};
}

// With hints off no window of the program shows a tooltip; the texts stay
// in place for screen readers.
class THintFilter : public QObject {
 public:
  THintFilter(const TOptionValues& options, QObject* parent) : QObject(parent), options_(options) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip && !options_.GetOption(TOptionValues::kShowHint)) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const TOptionValues& options_;
};

}  // namespace

TOptionReactions::TOptionReactions(TOptionValues& options, TActionRegistry& actions,
                                   TDisplayContext& display, QSplitter& splitter, QWidget& panel,
                                   std::function<void()> refreshWindows, QObject* parent)
    : QObject(parent),
      options_(options),
      actions_(actions),
      display_(display),
      splitter_(splitter),
      panel_(panel),
      refreshWindows_(std::move(refreshWindows)) {
  qApp->installEventFilter(new THintFilter(options, this));
  connect(&options, &TOptionValues::OptionChanged, this, &TOptionReactions::OptionChanged);
}

void TOptionReactions::Mirror(const char* button, int option) {
  QAction* action = actions_.Find(QString::fromLatin1(button));
  if (action == nullptr) return;
  const QSignalBlocker block(action);
  action->setChecked(options_.GetOption(option));
}

void TOptionReactions::PlacePanel() {
  const int side = options_.PanelAlign() == 0 ? 0 : 1;
  if (splitter_.indexOf(&panel_) == side) return;
  splitter_.insertWidget(side, &panel_);
  splitter_.setStretchFactor(side, 0);
  splitter_.setStretchFactor(1 - side, 1);
}

void TOptionReactions::OptionChanged(int index) {
  switch (index) {
    case TOptionValues::kCheckClipboard:
      Mirror("ToolButton19", index);
      break;
    case TOptionValues::kAutoMin:
      Mirror("ToolButton8", index);
      break;
    case TOptionValues::kShowFootnotes:
      Mirror("ToolButton11", index);
      refreshWindows_();
      break;
    case TOptionValues::kViewBN:
    case TOptionValues::kViewCN:
    case TOptionValues::kViewVN:
    case TOptionValues::kAbrev:
      refreshWindows_();
      break;
    case TOptionValues::kPanelAlign:
      PlacePanel();
      break;
    case TOptionValues::kCurrentVerseColor:
      refreshWindows_();
      break;
    case TOptionValues::kFoundWordColor:
      display_.MarkColor = ColorOf(options_.FoundWordColor());
      refreshWindows_();
      break;
    case TOptionValues::kFootntColor:
      display_.BraceColor = ColorOf(options_.FootntColor());
      refreshWindows_();
      break;
    default:
      break;
  }
}

}  // namespace lectora
