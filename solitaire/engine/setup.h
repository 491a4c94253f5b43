#pragma once
// Setting up the table for the chosen game: its definition, the card set a small screen
// needs, the fan steps of its piles and the layout of the table.

namespace solitaire {

// Prepares the table for the game of settings field 62: loads its definition (errors of
// the game definitions file propagate), swaps to the predefined "M" card set on screens
// narrower than 650 pixels when the game needs it (and back for other games), applies a
// changed card size, marks every pile absent, enables automatic play as the game says,
// sets the fan steps and lays the table out.
void fnSetUpGame();

// Every pile position becomes its absent marker: stock group -10000, foundations -10001,
// tableau piles -10002, reserves -10003.
void fnMarkPilesAbsent();

// The fan steps of the current game's piles for the card size of field 128.
void fnSetFanOffsets();

// Lays the table out in the main window's area below the tool bars, with the current
// game's layout codes and counts.
void fnLayoutTable();

} // namespace solitaire
