#pragma once
// The dragged card or run as one picture (DragImage) floating over the table with its
// shadow: built from the faces, moved on the window with the table under it repaired from the
// back buffer, dropped into the back buffer; the stock hint; the redraws of the source pile
// after a lift or move and of a card's pile after a drag that no pile took.

#include "platform/gdi/bitmap.h"

namespace solitaire {

// Main-window fields of the drag image: the part of DragImage that holds the dragged cards
// and where the moving image was last put.
struct DragImageState {
    platform::gdi::Rect DragSourceRect;
    int DragImageX = 0;
    int DragImageY = 0;
};
extern DragImageState dragImage;

// Settings field: "N" the cards go back without gliding.
inline constexpr int kCardsAnimatePosition = 67;

void fnSetDragRects(int left, int top, int right, int bottom);
void fnBuildDragImage();
bool fnMoveDragImage(int x, int y, bool alsoIntoBackBuffer, bool clearCorners);
void fnEraseDragImage();
void fnEraseDragShadow();
// Puts the drag image into the back buffer at (x, y) (window coordinates).
void CopyDragImageToBackBuffer(int x, int y, int height);

// The two shadow strips of a rectangle at the current shadow depth.
platform::gdi::Rect ShadowRightStrip(const platform::gdi::Rect& rect);
platform::gdi::Rect ShadowBottomStrip(const platform::gdi::Rect& rect);
void DrawShadowImages(platform::gdi::Bitmap& canvas, const platform::gdi::Rect& rect);
void DrawDottedShadow(platform::gdi::Bitmap& canvas, const platform::gdi::Rect& rect);

void fnShowStockHint();
void fnHideStockHint();

void fnRedrawSourcePile(int card, bool single);
void fnRedrawCardInPile(int card);

} // namespace solitaire
