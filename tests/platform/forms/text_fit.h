#pragma once
// Finds what a window shows cut short or drawn across: a label, button, check box, group
// title, tab, list entry or tree row whose text, at the font it is drawn in (wrapped where the
// control wraps), does not fit the place the control draws it in, that its containers clip,
// that a control above it covers, or that runs into a neighbouring text; a label's picture,
// drawn at its own size, that the label or its containers clip; and a control or text that
// lies across a group box's frame line.
//
// The places are Qt's own: a label's contents less its margin and indent, a button's
// contents as the style lays them out, a tool button's caption below its icon. The window
// must have been shown, so that its layouts have run.

#include <string>
#include <vector>

class QWidget;

namespace textfit {

// One line per fault, naming the control, its text or picture size and what went wrong;
// empty when everything visible of the window shows whole.
std::vector<std::string> layoutFaults(const QWidget& window);

} // namespace textfit
