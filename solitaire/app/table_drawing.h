#pragma once
// Drawing the solitaire table into the back buffer or onto the window: empty-pile bases with
// their markers and rank marks, card faces and backs whose rounded corners show what lies
// beneath, the stock's thickness, the selection highlight, single piles and the whole table
// (optionally dealt card by card). Y coordinates are window coordinates; drawing into the
// back buffer adds the scroll position.

#include "solitaire/engine/presentation.h"

#include "platform/gdi/bitmap.h"

#include <string>

namespace solitaire {

// Kinds of empty-pile base.
enum BaseKind : int {
    kStockBase = 1,
    kWasteBase = 2,
    kFoundationBase = 3,
    kNoBase = 4, // draws nothing, only the table height follows
    kReserveBase = 5,
    kTableauBase = 6,
    kDiscardBase = 7,
};

// Where the deal animation takes its cards from.
enum DealSource : int {
    kNoDealSource = 0,
    kDealFromStock = 1,
    kDealFromReserve = 2,
    kDealFromDiscard = 3,
    kDealFromFoundation = 4,
    kDealFromWaste = 5,
};

// Settings fields of the drawing.
inline constexpr int kCardsShadowedPosition = 178; // "N": no shadows

// The three pixels at each rounded corner of a card: the corner and its two neighbours.
enum CornerSet : unsigned {
    kUpperCorners = 1,
    kLowerLeftCorner = 2,
    kLowerRightCorner = 4,
    kLowerCorners = kLowerLeftCorner | kLowerRightCorner,
    kAllCorners = kUpperCorners | kLowerCorners,
};
// Copies the chosen corner pixels of a width x height rectangle at `from` in source to the
// rectangle at `to` in dest, pixel by pixel.
void CopyCornerPixels(platform::gdi::Bitmap& dest, platform::gdi::Point to,
                      const platform::gdi::Bitmap& source, platform::gdi::Point from, int width,
                      int height, unsigned corners = kAllCorners);
// The twelve corner pixels of a window rectangle from the background copy onto a surface.
void fnCopyCornersFromBackground(Surface target, const platform::gdi::Rect& rect,
                                 unsigned corners = kAllCorners);

// Whether the shadows are on (Cards_Shadowed is not "N").
bool CardsShadowed();

// Puts a marker picture at (x, y) of a surface, pixel for pixel, its inks resolved against
// the background copy there (see kMarkerTableInk).
void DrawMarker(const platform::gdi::Bitmap& marker, int x, int y, Surface canvas);

void fnDrawPileBase(int kind, int x, int y, Surface canvas, int pileIndex);
bool DrawRankMark(int baseCode, int x, int y, Surface canvas);
void DrawAllPileBases(Surface canvas);

void fnDrawCard(int card, int x, int y, bool withShadow, Surface canvas, int pileIndex);
void fnDrawCardBack(int x, int y, int height, bool withShadow, Surface canvas);
// A card as its face flag shows it: the back when face down, else the face.
void DrawCardAsItLies(int card, int x, int y, bool withShadow, Surface canvas, int pileIndex);

void fnRestoreCardCorners(int left, int top, int right, int bottom);
void fnRestoreTableauBaseCorners(int pileIndex);
// The selection highlight: the card rectangle inverted on the window or the back buffer, its
// corner pixels left as they were.
void fnInvertCardRect(Surface canvas, bool onWindow, const platform::gdi::Rect& rect);

void fnDrawStockEdge(Surface canvas, bool keepPosition, int place, bool alsoBackBuffer, bool force,
                     int pileLength);
void DrawStockWasteFoundations(Surface canvas, bool stockAsBack, int sourceX, int dealSource,
                               int sourceY);
void DrawSelection(Surface canvas, bool onWindow);

void RedrawPileTop(const std::string& pileName, int pileIndex, Surface canvas);
void RedrawPile(const std::string& pileName, int sourceX, int sourceY, Surface canvas,
                bool animate);
// Card k (0 the bottom card) of a pile of family "Fila", "Dest" or "Appogg": drawn at its
// place, or dealt there from the source (sourceX, sourceY) with animate.
void DrawPileCard(const std::string& family, const std::string& pile, int pileIndex,
                  bool repairSource, Surface canvas, bool animate, int sourceY, int sourceX,
                  int cardNumber);

// The area of the back buffer as the whole table leaves it, the tableau laid over what the
// area holds now: the cards of every tableau pile reaching into it (the base of an empty
// one) are drawn again, in the table's order and only within the area.
void RedrawTableauPilesReaching(const platform::gdi::Rect& area);

// The whole table, at scroll position 0; nothing until the piles are ready.
void fnDrawTable(Surface canvas, bool dealAnimation);
void RedrawTable();

} // namespace solitaire
