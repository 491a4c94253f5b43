#include "tests/fourinrow/game/test_support.h"

#include "tests/fourinrow/game/reference_player.h"

#include <atomic>
#include <stdexcept>
#include <unistd.h>

namespace fourinrow::testing {

GameStateRecord RecordAfterMoves(std::string_view columns, const GameStateRecord& start) {
    reference::ReferencePlayer board(start);
    for (const char digit : columns)
        if (!board.DropPiece(digit - '0'))
            throw std::invalid_argument("column cannot take a disc: " + std::string(columns));
    return board.record();
}

GameStateRecord RandomPosition(std::mt19937& random, int moves, const GameStateRecord& start) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        reference::ReferencePlayer board(start);
        bool stuck = false;
        while (board.record().moveCount < moves && !stuck) {
            std::array<int, kColumns> open{};
            int openCount = 0;
            for (int c = 1; c <= kColumns; ++c)
                if (board.record().heights[c - 1] <= kRows)
                    open[openCount++] = c;
            stuck = openCount == 0;
            if (stuck)
                break;
            board.DropPiece(open[std::uniform_int_distribution<int>(0, openCount - 1)(random)]);
            stuck = board.HasFour();
        }
        if (!stuck)
            return board.record();
    }
    return start;
}

void RandomiseOpponents(std::mt19937& random, GameStateRecord& record) {
    std::uniform_int_distribution<std::int32_t> weight(0, kMaxRunWeight);
    for (OpponentProfile& profile : record.opponents) {
        for (int run = 0; run < 3; ++run) {
            profile.offensive[run] = weight(random);
            profile.defensive[run] = weight(random);
        }
        profile.strategy =
            static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, kMaxStrategy)(random));
    }
}

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("fourinrow-game-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::file(std::string_view name) const {
    return (path_ / name).string();
}

void LoadRecord(gameClass& game, const GameStateRecord& record, const ScratchDir& dir) {
    const std::string path = dir.file("position.klv");
    if (!WriteRecordFile(path, record))
        throw std::runtime_error("cannot write " + path);
    const GameStateRecord before = game.Record();
    game.LoadGame(path);
    if (game.Record() == before && !(record == before))
        throw std::runtime_error("the game refused a test record");
}

} // namespace fourinrow::testing
