#pragma once
// The table background painted into the back buffer (and its bare copy, which repairs every
// uncovered area), and the back buffer's copy to the window.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/color.h"

namespace solitaire {

// Main-window state read here: whether the vertical scroll bar scrBarMain is shown (the
// gradient then reaches 80 pixels further down, over the scroll range).
extern bool ScrollBarVisible;

// Settings fields of the background.
inline constexpr int kBackgroundDefaultPosition = 27;     // "Y": the default green
inline constexpr int kBackgroundColourPosition = 28;      // width 15, decimal
inline constexpr int kBackgroundPicturePosition = 43;     // width 4, 0 = none
inline constexpr int kBackgroundFixedColourPosition = 47; // width 15, decimal
inline constexpr int kFadeBackgroundPosition = 135;       // "Y": gradient to black
inline constexpr int kCustomizedBackgroundPosition = 246; // "Y": the user's own picture

enum BackgroundMode { kDefaultGreenMode = 0, kColourMode = 1, kUserPictureMode = 2 };
// Picture numbers above this are drawn once at the origin instead of tiled.
inline constexpr int kLargestTiledPicture = 499;

// 0x006000 on displays of more than 256 colours, 0x008000 otherwise.
platform::gdi::Color fnDefaultGreen();

// Paints the configured background into the canvas and into BackgroundCopy: the default
// green when Background_Def is "Y", else the user's picture when the customized flag is "Y",
// else picture Background_bmp when non-zero, else the colours.
void fnPaintConfiguredBackground(platform::gdi::Bitmap& canvas);

// One background mode (0 green, 1 colour, 2 the user's picture, n >= 3 picture "B" + n as
// three digits) into the canvas, and into BackgroundCopy unless canvasOnly. A fixed colour
// above 0 takes the place of colour; a non-zero fixed colour makes any mode but 0 a colour.
void PaintBackground(platform::gdi::Bitmap& canvas, int mode, int colour, bool canvasOnly,
                     int fixedColour);

// BackgroundCopy to (0, 0) of the canvas, screen width by screen height.
void fnDrawBackgroundCopy(platform::gdi::Bitmap& canvas);

// BackBuffer from row (scroll position), screen width by screen height, to (0, 0) of the
// window's front buffer.
void fnFlipBackBuffer(platform::gdi::Bitmap& window);

} // namespace solitaire
