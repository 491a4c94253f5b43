#pragma once
// The main window as the table drawing reaches it: the surfaces a drawing call can target
// and the call that shows an area of the window at once. The main window points `canvas` at
// its front buffer and `show` at its synchronous repaint; tests use a bitmap of their own.

#include "solitaire/engine/presentation.h"

#include "platform/gdi/bitmap.h"

#include <functional>

namespace solitaire {

struct TableWindow {
    platform::gdi::Bitmap* canvas = nullptr;
    std::function<void(const platform::gdi::Rect& area)> show; // empty: nothing to show
    std::function<void()> takeFocus; // the window becomes the active one, keys go to it
};

extern TableWindow tableWindow;

// The window's pixels; std::logic_error while no window is attached.
platform::gdi::Bitmap& windowCanvas();
// Shows that area of the window now (after drawing into it outside a paint).
void showWindowArea(const platform::gdi::Rect& area);
void showWholeWindow();
// After drawing on a surface: shows the area when the surface is the window.
void showIfWindow(Surface surface, const platform::gdi::Rect& area);

platform::gdi::Bitmap& surfaceBitmap(Surface surface);
// The back buffer holds the table in table coordinates: a window row y is row y + scroll
// position there. Other surfaces are not scrolled.
int scrollOf(Surface surface);

// Copies that window area from the back buffer (scroll-adjusted) and shows it: what the
// window's paint handler does for an invalidated area.
void repaintFromBackBuffer(const platform::gdi::Rect& area);

} // namespace solitaire
