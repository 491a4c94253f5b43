#pragma once
// Where a box opens and how wide it is: over the window the user is working in, as the system's
// own boxes do, and wide enough for the window manager to show its whole title.

class QWidget;

namespace platform::forms {

// The box belongs to the window the user is working in: the active modal window, else the
// active window, else the program's first main window on the screen. The window manager keeps
// a dialog in front of it and Qt centres the dialog over it; any other window that has not
// been placed yet is centred over it here. Without such a window the box stays as it is.
void openOverActiveWindow(QWidget& box);

// Makes a message or input box (a box Qt lays out, with a row of buttons) at least as wide as
// its title needs, so the title bar shows the title whole beside its icon and buttons.
void fitTitle(QWidget& box);

} // namespace platform::forms
