#pragma once
// The move engine: every change of the piles during play is one named move. The rules were
// checked by the caller; the engine records the undo step, changes the pile strings and face
// flags, has the table redrawn and animated, plays the move's sound, recomputes the score and
// stores the completed test in GameWon.

#include <string_view>

namespace solitaire {

// Move names: "Fila"n, "Dest"n, "Dest_Autoplay"n, "Appogg"n (n 1-based), "Waste", "Stock02",
// any name starting "Mazzo" ("Mazzo_Vis", "Mazzo_Waste", "Mazzo_Redeal"), "Add_Tableaus",
// "Add_Tableaus_Last", "Fill_Tableaus", "Add_Reserves", "Add_Reserve_"d, "Selezionate_Dest",
// "Selezionate_Fila", "Stock_To_Pile_Monte_Carlo". card is 0 for the moves that take none.
// True when a move was made.
bool fnMakeMove(int card, std::string_view moveName);

} // namespace solitaire
