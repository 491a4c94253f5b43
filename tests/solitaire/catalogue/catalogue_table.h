#pragma once
// What the catalogue check knows about a game and its table: the games of a compiled GAMES.DAT,
// the census of the cards on the table, the score the table earns, the table as the undo
// history records it, and the whole engine state the automated player puts aside and brings
// back.

#include "solitaire/engine/game_words.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace solitaire::catalogue {

struct CatalogueGame {
    int id = 0;
    std::string name;
};
// The offered games of the game list of that file, read as the program reads it.
std::vector<CatalogueGame> readCatalogue(const std::string& gamesFile);

// "" when every card in play lies on the table exactly once and nothing else does; else
// what is wrong.
std::string cardCensusFault();

// The score the table earns (the discard pile and the foundations), or nothing when the game
// keeps no score.
std::optional<int> scoreOfTable();
int shownScore();

// The table as one undo step records it: 53 lines, stock group, foundations, tableau,
// reserves; a selection held in the first foundation is no pile and is left out.
StringList recordedTable();
int undoStepCount();
StringList undoStep(int step);
// Puts the table of the last undo step back and takes the step off the history.
void takeBackLastStep();

// Everything the play routines read and write, for a search that tries moves and goes back.
struct EngineState {
    std::array<StringList, kPileListCount> piles;
    std::string faces; // the face flag of each card
    std::string movedCardsLog;
    GameDefinition definition{};
    EngineScalars scalars;
    std::int32_t stockDeals = 0;
    std::string score;
    bool running = false;
    bool won = false;
    bool finished = false;
};
EngineState captureEngineState();
// The undo history is left empty: the search never reads it.
void restoreEngineState(const EngineState& state);

} // namespace solitaire::catalogue
