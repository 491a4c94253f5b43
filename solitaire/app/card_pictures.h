#pragma once
// Card and picture resources: the card size, the whole card set loaded into the shared
// pictures of the object pool, and drawing picture files once or tiled. Pictures come from
// two sources: named bitmaps of the resource library ZUV.RGF and the files
// <program dir>Images\<name>.bmp.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/color.h"
#include "platform/resources/resources.h"

#include <string>

namespace solitaire {

// ZUV.RGF, loaded once by the main window, which keeps its handle here.
extern platform::resources::LibraryHandle ResourceLibraryHandle;

// Main-window fields set with the card size. CornerWidth stays 0: the corner routines skip
// the corner's neighbour pixels only for a rectangle that narrow, which never happens.
extern platform::gdi::Rect CardRect;
extern int CornerWidth;

// Settings fields the card set is named from.
inline constexpr int kCardBackPosition = 21, kCardBackWidth = 3;
inline constexpr int kDeckPosition = 24, kDeckWidth = 3;
inline constexpr int kCardSizePosition = 128, kCardSizeWidth = 1;

// The shadows and the stock's 3-D borders are drawn leaving out pixels of these colours
// (0x00BBGGRR: white, and pure blue).
inline constexpr platform::gdi::Color kShadowTransparentColor = 0xFFFFFF;
inline constexpr platform::gdi::Color kBorderTransparentColor = 0xFF0000;

// The pile markers are drawn in three inks that take their colours from the table beneath
// each marker, so that an empty pile suits every background: the table ink (also at the three
// pixels of each rounded corner) shows the background itself, the slot ink a shade of it and
// the line ink a tint that stands out from it. Other colours, such as the stock hint's yellow,
// are drawn as they are.
inline constexpr platform::gdi::Color kMarkerTableInk = 0x006000;
inline constexpr platform::gdi::Color kMarkerSlotInk = 0x1E5A1E;
inline constexpr platform::gdi::Color kMarkerLineInk = 0x8FC08F;

// The marker digits in the load order of MarkerImages (index 0 = load order 1).
inline constexpr const char* kMarkerDigits[22] = {
    "004", "002", "022", "005", "008", "004", "010", "012", "013", "014", "015",
    "016", "017", "018", "019", "020", "006", "003", "011", "007", "001", "009"};

// CornerWidth := 0; CardWidth/CardHeight from the size letter ("B" 71 x 96, "M" 59 x 80,
// "L" 25 x 32; any other letter keeps them); CardRect; the card set; DragImage := a copy of
// the first face.
void fnApplyCardSize();

// With the current size letter, deck and back: the 22 markers, the back, the shadows, the
// borders and the 52 faces. Nothing while the card table has no lines.
void fnLoadCardGraphics();

// The 13 faces of one suit ("H", "D", "C" or "S") cut from the resource strip
// "C" + size + deck + suit: face k (ace 0 .. king 12) from column k mod 5, row k div 5.
void fnCutSuitFaces(const std::string& suitLetter);

// bitmap := the library's picture of that name; empty when it holds none (not reported).
void fnLoadResourceBitmap(platform::gdi::Bitmap& bitmap, const std::string& name);

// <program dir>Images\<name>.bmp
std::string fnImageFilePath(const std::string& name);

// bitmap := the picture file: the name itself when it has a directory part, else the file of
// that name in Images. A missing file ends the program with the fatal message.
void fnLoadImageFile(platform::gdi::Bitmap& bitmap, const std::string& name);

// Draws the Images file of that name once at (0, 0) of the canvas; a missing file draws
// nothing.
void DrawImageFile(platform::gdi::Bitmap& canvas, const std::string& name);

// Tiles the picture over (0, 0)-(width, height): copies along the first row while x <= width,
// then that row's strip copied down while y <= height (at least once). An empty name is
// reported ("fnRiempi Image: bad option") and draws nothing.
void fnRiempi(platform::gdi::Bitmap& canvas, int width, int height, const std::string& name);

} // namespace solitaire
