#pragma once
// What the table drawing, the drag image and the animations share: the game word values they
// test, the marker pictures by their load order, and small questions on piles and places.
// Inside the presentation library only.

#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_words.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/shared_state.h"

#include "platform/gdi/bitmap.h"

#include <algorithm>
#include <string>

namespace solitaire::table {

using platform::gdi::Point;
using platform::gdi::Rect;

// Fan modes.
inline constexpr int kSquaredFan = 3;
inline constexpr int kRowFan = 4;
inline constexpr int kNoCardsFan = 8;

// Indices into MarkerImages (their load order less one).
enum Marker : int {
    kTableauMarker = 0,   // "004"
    kPlainMarker = 1,     // "002"
    kRedealMarker = 2,    // "022"
    kStockHintMarker = 3, // "005"
    kNoRedealMarker = 4,  // "008"
    kFoundationMarker = 5,
    kAceMark = 6,
    kTwoMark = 7,
    kJackMark = 16,
    kQueenMark = 17,
    kKingMark = 18,
    kBareTableauMarker = 19, // "007"
    kReserveMarker = 20,     // "001"
    kReserveRule9Marker = 21,
};

inline int cardWidth() {
    return mainWindow.CardWidth;
}
inline int cardHeight() {
    return mainWindow.CardHeight;
}
inline Rect cardPlace(Point p) {
    return Rect::fromSize(p.x, p.y, cardWidth(), cardHeight());
}
// The smallest rectangle holding both (an empty one holds nothing).
inline Rect united(const Rect& a, const Rect& b) {
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

inline bool present(Point p) {
    return isPresentCoordinate(p.x) && isPresentCoordinate(p.y);
}

// Piles as strings of 3-digit codes: card k counts from the bottom (0).
inline int cardCount(const std::string& pile) {
    return static_cast<int>(pile.size() / 3);
}
inline int cardAt(const std::string& pile, int k) {
    return std::max(CodeAt(pile, static_cast<std::size_t>(3 * k)), 0);
}
inline int topCard(const std::string& pile) {
    return pile.size() >= 3 ? cardAt(pile, cardCount(pile) - 1) : 0;
}
// -1 when the pile does not hold the card.
inline int positionOf(const std::string& pile, int card) {
    for (int k = 0; k < cardCount(pile); ++k)
        if (cardAt(pile, k) == card)
            return k;
    return -1;
}

// The face picture of a card of either deck. Drawing sets its corner pixels in place, so no
// picture is made per card.
inline platform::gdi::Bitmap& cardFace(int card) {
    return sharedObjects.CardFaces[static_cast<std::size_t>((card > 52 ? card - 52 : card) - 1)];
}

// Where card k of a pile of n cards lies (window coordinates).
inline Point pileCardPlace(const std::string& pileName, int pileIndex, int k, int n) {
    const int depth = n - 1 - k;
    return {fnPileCardX(pileName, pileIndex, depth, false), fnPileCardY(pileName, depth, false)};
}

// The stock group: a place's laid-out position, and where its top card is drawn (moved up
// and left by the pile's thickness).
inline Point stockBasePlace(int place) {
    return {fnStockPileX(place), fnStockPileY(place)};
}
inline Point stockDrawPlace(int place) {
    return {stockDrawOrigins.X[static_cast<std::size_t>(place)],
            stockDrawOrigins.Y[static_cast<std::size_t>(place)]};
}

} // namespace solitaire::table
