#include "solitaire/app/table_window.h"

#include "solitaire/engine/shared_state.h"

#include <stdexcept>

namespace solitaire {

TableWindow tableWindow;

platform::gdi::Bitmap& windowCanvas() {
    if (!tableWindow.canvas)
        throw std::logic_error("the table was drawn before the main window existed");
    return *tableWindow.canvas;
}

void showWindowArea(const platform::gdi::Rect& area) {
    if (tableWindow.show && !area.isEmpty())
        tableWindow.show(area);
}

void showWholeWindow() {
    showWindowArea(windowCanvas().rect());
}

void showIfWindow(Surface surface, const platform::gdi::Rect& area) {
    if (surface == Surface::Window)
        showWindowArea(area);
}

platform::gdi::Bitmap& surfaceBitmap(Surface surface) {
    return surface == Surface::BackBuffer ? sharedObjects.BackBuffer : windowCanvas();
}

int scrollOf(Surface surface) {
    return surface == Surface::BackBuffer ? mainWindow.ScrollBarPosition : 0;
}

void repaintFromBackBuffer(const platform::gdi::Rect& area) {
    windowCanvas().copyFrom({area.left, area.top}, sharedObjects.BackBuffer,
                            area.translated(0, mainWindow.ScrollBarPosition));
    showWindowArea(area);
}

} // namespace solitaire
