// Default accessible names for the program's controls, so a screen reader
// can name every one: a caption or hint becomes the accessible name unless
// the owner gave the control a name of its own, and the name follows the
// caption or hint when the interface language replaces it.
#pragma once

#include <QString>

class QWidget;

namespace lectora {

// Makes `name` the accessible name of `widget`, unless someone else set a
// different name (one this function did not set), which is kept.
void FollowAccessibleName(QWidget& widget, const QString& name);

// Keeps the accessible name of `named` in step with the tool tip (the hint)
// of `source` (which may be `named` itself), now and on every change;
// `fallback` stands in while the tool tip is empty. The watcher is a child
// of `named`; `source` must outlive `named` or be its ancestor or itself.
void FollowToolTip(QWidget& named, QWidget& source, const QString& fallback = QString());
inline void FollowToolTip(QWidget& widget, const QString& fallback = QString()) {
  FollowToolTip(widget, widget, fallback);
}

}  // namespace lectora
