#pragma once
// Moves the program makes by itself or on a double click: autoplay to the foundations,
// sending one card to a foundation, filling empty tableau piles, turning face-down tableau
// cards, the opening fill, the pairs of the pairing games, and the completed test.

#include "platform/gdi/geometry.h"

#include <string_view>

namespace solitaire {

// The card, lying at the rectangle (x, y, right, bottom), goes to the first foundation that
// takes it, else (alsoReserve) to the first reserve. Never a face-down card. With autoplay
// the foundations are not started while the game's first foundations wait for their first
// card to set the base (base code 92).
bool fnSendToFoundation(int card, int x, int y, bool autoplay, bool alsoReserve, int right,
                        int bottom);
// Sweeps reserves, waste and tableau tops to the foundations until nothing moves; ends a
// won game. Only while the Autoplay command is checked and enabled. A move made while an
// empty tableau pile waits for its fill joins the undo step before it. True when a card moved.
bool fnAutoPlay(bool confirm);
// The card at the last press point goes to a foundation (else a reserve): a waste card, a
// reserve's top card, a tableau card (topOnly: the top card of its pile). A double click on
// the stock only ends the double click. True when a card moved.
bool fnDoubleClickMove(bool doubleClick, bool topOnly);
// Fills each empty tableau pile with one card by the game's fill mode (word 20); the fill
// joins the previous undo step. True when an empty tableau pile was met.
bool fnFillEmptyTableaus();
// Automatic play, then the empty tableau piles filled and automatic play again for as long
// as it moves a card; the piles are filled at least once.
void fnAutoPlayFillingTableaus();
// Turns the face-down top cards of the tableau when automatic face-up is on.
bool AutoFaceUpTableau();
void TurnCardFaceUp(int card, int x, int y, int pileIndex);
// The opening fill of the games that deal it after the first move.
void InitialFillTableaus();
// Pairing games (kinds 3 and 4): the card joins or leaves the selection; a complete pair
// goes to the discard pile.
void TogglePairSelection(int card, const platform::gdi::Rect& rect);
// Row layouts: the card is free when no later row covers it.
bool IsRowCardFree(int card);
bool IsAllZeros(std::string_view text);
// Whether the game is won, by its kind.
bool fnIsGameComplete();

} // namespace solitaire
