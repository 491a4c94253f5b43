#pragma once
// The program as a whole on the desktop: minimizing it while it works, restoring it and
// bringing it to the front afterwards. Acts on every visible top-level window of the program.

namespace platform::forms {

void minimizeApplication();
// Shows the minimized windows again as they were.
void restoreApplication();
// Raises the program's windows and activates the first of them.
void bringApplicationToFront();
// True when every visible top-level window of the program is minimized (and there is one).
bool applicationMinimized();

} // namespace platform::forms
