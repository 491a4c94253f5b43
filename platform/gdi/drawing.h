#pragma once
// Drawing on bitmaps as the form library's canvas did it: pens and brushes, rectangles with
// its edge rules, transparent, stretched and inverting copies, and the banded gradient.

#include "platform/gdi/bitmap.h"

namespace platform::gdi {

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Color color = rgb(0, 0, 0);
    int width = 1;
    PenStyle style = PenStyle::Solid;
};

struct Brush {
    Color color = rgb(255, 255, 255);
    BrushStyle style = BrushStyle::Solid;
};

// Colours given to these functions may be system colour values (system_colors.h).

// Fills the rectangle with the brush (right and bottom exclusive); a clear brush draws nothing.
void fillRect(Bitmap& bitmap, const Rect& rect, const Brush& brush);

// The canvas rectangle: the pen's outline runs along the inside of rect and the brush fills
// what is inside it. With a clear pen there is no outline and the filled area loses its last
// column and row: (0, 0)-(w + 1, h + 1) fills exactly w x h pixels.
void rectangle(Bitmap& bitmap, const Rect& rect, const Pen& pen, const Brush& brush);

// A line from `from` up to, but not including, `to`.
void drawLine(Bitmap& bitmap, Point from, Point to, const Pen& pen);

// Inverts every pixel of the rectangle (each colour channel c becomes 255 - c).
void invertRect(Bitmap& bitmap, const Rect& rect);

enum class CopyMode {
    Source,            // the source pixels
    DestinationInvert, // the destination inverted; the source is not read
};

// Copies sourceRect of source onto destRect, stretching or shrinking (nearest pixel) when
// the sizes differ. Source and destination may be the same bitmap.
void copyRect(Bitmap& dest, const Rect& destRect, const Bitmap& source, const Rect& sourceRect,
              CopyMode mode = CopyMode::Source);

// Draws the whole source with its top left corner at `at`, leaving out the pixels of the
// transparent colour.
void drawTransparent(Bitmap& dest, Point at, const Bitmap& source, Color transparent);
// The same with the source's own top left pixel as the transparent colour.
void drawTransparentAuto(Bitmap& dest, Point at, const Bitmap& source);

// a * b / c rounded to the nearest integer (halves away from zero), computed without
// overflow; -1 when c is 0.
int mulDiv(int a, int b, int c);

// A vertical gradient of 256 solid bands from `top` at the top of rect to `bottom` at its
// bottom. With h = rect height, band k (0..255) spans from y = bottom - mulDiv(k + 1, h, 256)
// to bottom - mulDiv(k, h, 256), band 255 starting exactly at rect.top; its colour channels are
// bottom + mulDiv(k, top - bottom, 256). Band 0 lies at the bottom.
void gradientFill(Bitmap& bitmap, const Rect& rect, Color top, Color bottom);

} // namespace platform::gdi
