#pragma once
// Context-sensitive help: F1 in a window that has a help context hands the context to the
// program's help handler, which shows the topic.

#include <QWidget>

#include <functional>

namespace platform::forms {

// The program's help: shows the topic of a context number. Without one F1 does nothing.
void setHelpHandler(std::function<void(int context)> handler);

// F1 in the window, or in any of its controls that leaves the key alone, asks for the topic
// of that context.
void setHelpContext(QWidget& window, int context);

} // namespace platform::forms
