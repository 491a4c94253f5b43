#pragma once
// The game number and the deal. Every deal is a pure function of the 13-digit game number
// (settings field 153) and the current GameDefinition: the number gives a deal order of the
// cards in play, and the deal places cards from its front onto the piles in a fixed sequence
// the game's words steer.

#include "solitaire/engine/utils.h"

#include <string>

namespace solitaire {

// Draws a new game number from the program's random generator, stores it and refreshes the
// main window's caption.
void fnNewGameNumber();

// The deal order of the current game number: one 3-digit code per card in play (game word
// 265). False, after the information box "Error 01 - fnGameNumberCardsArray", when the game
// has no valid number of cards in play; order is then empty.
bool fnGameNumberCardsArray(StringList& order);

// The index of the nearest "000" entry from `index` (forward, or down to 0), else the first
// one of the list; -1 when there is none.
int NearestFreeSlot(const StringList& list, int index, bool forward);

// Deals the whole table of a new game; false (nothing dealt) when the deal order cannot be
// made.
bool DealGame();

} // namespace solitaire
