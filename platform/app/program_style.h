#pragma once
// The style the programs' windows are drawn in: the system's own, with group boxes drawn as
// the forms were laid out for.

class QStyle;

namespace platform::app {

// A new style on the given base style (by its key). A titled group box's frame line runs
// through the middle of its title, which stands a little in from the left edge: the forms
// place controls just below the title, which would otherwise lie across the frame's line.
QStyle* newProgramStyle(const char* baseStyleKey);

} // namespace platform::app
