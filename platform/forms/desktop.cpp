#include "platform/forms/desktop.h"

#include <QApplication>
#include <QWidget>

#include <vector>

namespace platform::forms {

namespace {

// Main windows only: dialogs and tool windows follow their owner.
std::vector<QWidget*> programWindows() {
    std::vector<QWidget*> windows;
    if (!qApp)
        return windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowType() == Qt::Window)
            windows.push_back(widget);
    return windows;
}

} // namespace

void minimizeApplication() {
    for (QWidget* window : programWindows())
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

void restoreApplication() {
    for (QWidget* window : programWindows())
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
}

void bringApplicationToFront() {
    const std::vector<QWidget*> windows = programWindows();
    for (QWidget* window : windows)
        window->raise();
    if (!windows.empty())
        windows.front()->activateWindow();
}

bool applicationMinimized() {
    const std::vector<QWidget*> windows = programWindows();
    if (windows.empty())
        return false;
    for (QWidget* window : windows)
        if (!window->isMinimized())
            return false;
    return true;
}

} // namespace platform::forms
