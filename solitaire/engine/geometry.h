#pragma once
// Where each card of a pile lies and what lies under a point of the table, worked out from
// the pile strings, the laid-out pile positions, the fan steps and the game's fan modes at
// the moment of the call. Positions are window coordinates (Y less the scroll offset);
// rectangles here are closed: a point on the right or bottom edge is inside.

#include "platform/gdi/geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace solitaire {

// Fan modes of a pile group (game words 3 tableau, 4 foundations, 5 reserves).
enum FanMode : int {
    kFanDown = 1,        // vertical fan, step by face
    kFanRight = 2,       // horizontal fan, step by face
    kSquared = 3,        // all cards at the origin; the pile acts as its top card
    kRow = 4,            // side by side, CardWidth + RowGap apart
    kFanDownFixed = 5,   // vertical, the mode-5 step
    kFanRightFixed = 6,  // horizontal, the mode-6 step
    kLoweredTableau = 7, // lowered by one face-up step below the top card
    kInLines = 8,        // tableau: side by side in lines wrapping at the table's right edge
};

struct ClosedRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int x, int y) const { return left <= x && x <= right && top <= y && y <= bottom; }
    bool operator==(const ClosedRect&) const = default;
};

// Depth counts cards from the top: 0 is the top card, or with beyond the free place just
// past it (where a card put on the pile goes). pileIndex is a tableau pile's 0-based number
// and picks its row of untidy-pile steps. An unknown pile name gives the absent marker.
int fnPileCardY(std::string_view pileName, int depth, bool beyond);
int fnPileCardX(std::string_view pileName, int pileIndex, int depth, bool beyond);
// The bottom edge of the pile's top card (of its place when the pile is empty).
int fnPileBottom(std::string_view pileName);

struct CardUnderPoint {
    int card = 0; // 0: none
    int x = 0;
    int y = 0;
};
// One tableau ("Fila") or reserve ("Appogg") pile: the card whose band holds the point, and
// where that card lies. pile is the pile string, pileIndex its 0-based number.
CardUnderPoint fnCardUnderPoint(std::string_view prefix, std::string_view pile, int pileIndex,
                                int pointY, int pointX);

struct TableHit {
    std::string pileName; // "" nothing hit
    int card = 0;         // 0 for an empty pile or no card under the point
    ClosedRect rect;      // all 0 when nothing was hit
};
TableHit fnHitTestTable(int pointX, int pointY);

// The rectangle where a card can be picked up: any card of the stock group, a foundation's
// or reserve's top card, a tableau pile's top card, every card of a row. Nothing for a card
// covered in a fan.
std::optional<ClosedRect> fnCardRect(int card);

// Repaint requests to the main window, drawn at once from the back buffer.
void fnRepaintMainForm();
void fnRepaintMainRect(const platform::gdi::Rect& rect);

} // namespace solitaire
