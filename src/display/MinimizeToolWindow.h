// Putting a tool window of the main window out of sight, as "minimise" did
// on the platform the program comes from. A window manager minimises a
// transient window together with the window it belongs to, so that
// minimising the notes or the dictionary would take the whole program off
// the screen; and a tool window has no task bar entry to come back from.
// It is hidden instead, and its menu command shows it again.
#pragma once

class QWidget;

namespace lectora {

// Hides `window` when it is shown.
void MinimizeToolWindow(QWidget& window);

}  // namespace lectora
