#pragma once
// The game definitions file and its loader. Every game of the collection is a column of the
// definition words (game_words.h) in that file; the current game's column is loaded when the
// game is set up.

#include "solitaire/engine/game_words.h"
#include "solitaire/engine/utils.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace solitaire {

// The game definitions file: a game list and a matrix with one line per word and one cell
// per game. Everything but the section headers and the word labels is stored substituted
// (fnScrambleText).
inline constexpr std::string_view kGamesFileName = "GAMES.DAT";
inline constexpr std::string_view kGameListHeader = "[Sect1]";
inline constexpr std::string_view kGameMatrixHeader = "[Sect2]";
inline constexpr int kGameLabelWidth = 4; // characters 1-4 of a matrix line: the word number
inline constexpr int kGameCellWidth = 10;
inline constexpr int kLastGameId = 999; // the game list keeps ids in 3 characters
// 1-based column where the cell of game id g starts.
inline constexpr int fnGameCellColumn(int game) {
    return game * 11 + 17;
}

// Game list line: characters 1-3 category, 5-7 game id, 8 edition class ("0" is offered),
// 11-60 the name.
inline constexpr int kGameListNameWidth = 50;

// A game definitions file that cannot be read as a whole: missing, or a line whose label
// names no word. (Cells that are no number raise ConversionError.)
class GameDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The value of game id `game` in one stored matrix line: its cell, unsubstituted, trailing
// spaces removed, as a signed 16-bit number. A line too short for the cell or a cell that is
// no number raises ConversionError; a number outside 16 bits raises GameDataError.
std::int16_t fnGameCellValue(std::string_view storedLine, int game);

// definition := the words that the matrix lines of `gamesFile` give game id `game`; words
// without a line are left as they are.
void fnApplyGameColumn(const StringList& gamesFile, int game, GameDefinition& definition);

// Loads the game of settings field 62 from the program directory's GAMES.DAT into
// gameDefinition and saves its base codes. Errors propagate (GameDataError, ConversionError).
bool fnLoadGameDefinition();

// save (restore false) copies the tableau and foundation base codes (words 100..125 and
// 36..51) of gameDefinition aside; restore copies them back.
void fnSaveRestoreBaseCodes(bool restore);

// The lines of a text file: GameDataError when it cannot be read.
StringList fnReadGamesFile(const std::string& path);

} // namespace solitaire
