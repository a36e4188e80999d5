// The link to the on-top viewer as a Bible window uses it: whether the
// viewer is connected, and a poke of one of its items. The viewer's client
// (TOnTopClient) implements it; tests give a recorder.
#pragma once

#include <QString>

namespace lectora {

class IOnTopLink {
 public:
  virtual ~IOnTopLink() = default;
  // `OnTopConnected`: the viewer is connected.
  virtual bool Connected() const = 0;
  // Sends `text` (Unicode) to the viewer's item `item` ("SetLetters",
  // "SetCaption", "SetFont", "SetFontSize", "SetFontCharSet", "SetText",
  // "GoToPos") without waiting; failures are ignored.
  virtual void Poke(const QString& item, const QString& text) = 0;
};

}  // namespace lectora
