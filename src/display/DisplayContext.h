// The state that every verse text control of the program shares: the words
// of the last search, the colours of marked words and brace notes, the
// control the Copy button copies from, the selection last painted during a
// drag and the clipboard watcher's flag. The main window owns one and passes
// it to each control it creates; nothing of it is global.
#pragma once

#include <QColor>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "display/TextZoom.h"

namespace lectora {

class TBibleRichEdit1;

class TDisplayContext {
 public:
  // `searchWords` (normally the search context's SearchWords) must outlive
  // this object; the search fills it, the controls only read it.
  explicit TDisplayContext(const std::vector<std::string>& searchWords)
      : SearchWords(searchWords) {}
  TDisplayContext(const TDisplayContext&) = delete;
  TDisplayContext& operator=(const TDisplayContext&) = delete;

  // Lower-case cp1251 words of the current query; compared case-insensitively.
  const std::vector<std::string>& SearchWords;
  QColor MarkColor{0xFF, 0x00, 0x00};
  QColor BraceColor{0x00, 0x00, 0xFF};
  // The control whose Copy button was last enabled by a non-empty selection;
  // null when none (or when that control has gone).
  QPointer<TBibleRichEdit1> SelectionOwner;
  // The selection pair last painted during a drag by any control; a drag
  // repaints only when its pair differs.
  int LastPaintedSelStart = 0;
  int LastPaintedSelLength = 0;
  // Cleared while a control writes to the clipboard, so that the program's
  // clipboard watcher ignores its own copies.
  bool ClipboardWatch = true;
  // Shows an error to the user (a failed copy); may be empty, and then the
  // error is only reported by the call's result.
  std::function<void(const std::string& message)> ShowError;
  // The font zoom of every text window (Ctrl+plus, Ctrl+minus, Ctrl+0).
  TTextZoom Zoom;
};

}  // namespace lectora
