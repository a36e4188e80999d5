// How the main window follows the options, wherever they are changed (the
// options dialog, a tool button, the settings read at start): the tool
// buttons that mirror an option, the passage shown again when the verse
// heads or footnotes change, the colours, the hints, and the side of the
// left panel.
#pragma once

#include <QObject>
#include <functional>

class QSplitter;
class QWidget;

namespace lectora {

class TActionRegistry;
class TDisplayContext;
class TOptionValues;

class TOptionReactions : public QObject {
  Q_OBJECT

 public:
  // Everything named must outlive this object; `splitter` holds `panel`
  // and the window area. `refreshWindows` shows every Bible window's
  // passage again.
  TOptionReactions(TOptionValues& options, TActionRegistry& actions, TDisplayContext& display,
                   QSplitter& splitter, QWidget& panel, std::function<void()> refreshWindows,
                   QObject* parent);

  // Puts the left panel on the side the options name: 0 left, 1 right.
  void PlacePanel();

 private:
  void OptionChanged(int index);
  void Mirror(const char* button, int option);

  TOptionValues& options_;
  TActionRegistry& actions_;
  TDisplayContext& display_;
  QSplitter& splitter_;
  QWidget& panel_;
  std::function<void()> refreshWindows_;
};

}  // namespace lectora
