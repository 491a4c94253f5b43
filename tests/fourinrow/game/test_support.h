#pragma once

// Positions, records and scratch files for the game tests and the search benchmark.

#include "fourinrow/game/game.h"

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace fourinrow::testing {

// The record after playing the columns given as digits ("4435") from `start`.
GameStateRecord RecordAfterMoves(std::string_view columns,
                                 const GameStateRecord& start = DefaultRecord());

// A position reached by random play of `moves` discs in which nobody has four yet, or the
// default record's empty board when the walk got stuck.
GameStateRecord RandomPosition(std::mt19937& random, int moves,
                               const GameStateRecord& start = DefaultRecord());

// Random run weights in the editor's range and a random strategy for every opponent.
void RandomiseOpponents(std::mt19937& random, GameStateRecord& record);

// A fresh directory under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// Puts a record into a game through a saved-game file (the way a record gets in).
void LoadRecord(gameClass& game, const GameStateRecord& record, const ScratchDir& dir);

} // namespace fourinrow::testing
