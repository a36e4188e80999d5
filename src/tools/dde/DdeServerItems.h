// The six items of the program's interface "DdeServerConv1" as the bus
// object reaches them: a poke of text into an item, and a request for an
// item's last text. The single-instance object serves them on the session
// bus; the program's server (TDdeServer) implements them. Every text is
// Unicode here; the implementation converts it at its boundary.
#pragma once

#include <QString>

namespace lectora {

class IDdeServerItems {
 public:
  virtual ~IDdeServerItems() = default;
  // `item` is one of "SetBook", "SetChapter", "SetVerse", "Explane",
  // "Concordance", "CloseOnTop" (compared without regard to case). Runs the
  // poke to completion; an unknown item does nothing and answers false.
  virtual bool Poke(const QString& item, const QString& text) = 0;
  // The item's last text (poked, or set by the program), in `text`; false
  // for an unknown item.
  virtual bool Request(const QString& item, QString& text) const = 0;
};

}  // namespace lectora
