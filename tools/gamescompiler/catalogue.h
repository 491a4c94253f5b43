#pragma once
// The game catalogue: one readable source file per game, compiled into the game definitions
// file the program reads.
//
// Source format, one entry per line ("#" starts a comment, blank lines are skipped):
//   id = 1                      game id, 0..999
//   category = 4                category code of the chooser's icon table
//   edition = 0                 edition class; 0 for every game offered
//   name = FreeCell             up to 50 characters
//   tableau_count = 8           a word by its name (word_names.cpp) ...
//   tableau_deal = 7 7 7 7 6    ... or a family of words, from its first member on
// Words not named stay 0.

#include "solitaire/engine/game_definition.h"

#include <array>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace gamescompiler {

// A fault in the catalogue; the message names the file and line ("file:line: text").
class CatalogueError : public std::runtime_error {
public:
    CatalogueError(const std::string& file, int line, const std::string& text);
};

struct GameSource {
    std::string file;
    int id = -1;
    int idLine = 0;
    int category = -1;
    int edition = -1;
    std::string name;
    int nameLine = 0;
    solitaire::GameDefinition definition{}; // words not named stay 0
    std::array<int, solitaire::kGameDefinitionWords>
        wordLines{}; // source line of each set word, 0 unset
};

// Reads and checks one game's source; CatalogueError on the first fault.
GameSource parseGameSource(const std::string& file, std::istream& in);
GameSource readGameSource(const std::string& path);

// Cards the deal of a definition places: start cards, the piles' deal counts and the extra
// foundation cards.
int cardsDealt(const solitaire::GameDefinition& definition);

// The lines of the game definitions file for the given games (any order): the game list by
// id, then the matrix of words 1..345 with a cell for every id up to the largest.
// CatalogueError for two games with one id.
std::vector<std::string> buildGamesFile(const std::vector<GameSource>& games);

} // namespace gamescompiler
