// The real computer player against the plain reference: the same values, flags and candidates
// on many random positions, weights and threat parities (fixed seeds).

#include "fourinrow/game/game.h"

#include "tests/fourinrow/game/reference_player.h"
#include "tests/fourinrow/game/test_support.h"

#include <gtest/gtest.h>

namespace fourinrow {
namespace {

#ifdef FOURINROW_SMALL_DIFFERENTIAL
constexpr int kEvaluationPositions = 3000;
constexpr int kSearchPositions = 300;
#else
constexpr int kEvaluationPositions = 60000;
constexpr int kSearchPositions = 2500;
#endif
constexpr int kPositionsPerWeightSet = 100;

GameStateRecord RandomSettings(std::mt19937& random) {
    GameStateRecord record = DefaultRecord();
    testing::RandomiseOpponents(random, record);
    for (OpponentProfile& profile : record.opponents) {
        profile.offensive[3] = std::uniform_int_distribution<std::int32_t>(1, 900)(random);
        profile.defensive[3] = std::uniform_int_distribution<std::int32_t>(1, 900)(random);
    }
    record.oddThreatColour = static_cast<std::uint8_t>(random() % 2);
    return record;
}

// Random discs, fours allowed, so that every kind of line and threat comes up.
TEST(ComputerPlayerDifferential, EvaluationMatchesTheReference) {
    testing::ScratchDir dir;
    std::mt19937 random(20261210);
    gameClass game(dir.file("none.dat"), 1);
    for (int n = 0; n < kEvaluationPositions; ++n) {
        if (n % kPositionsPerWeightSet == 0)
            testing::LoadRecord(game, RandomSettings(random), dir);
        game.NewGame();
        const int discs = std::uniform_int_distribution<int>(0, kCells)(random);
        for (int k = 0; k < discs; ++k)
            game.DropPiece(std::uniform_int_distribution<int>(1, kColumns)(random));
        game.SelectOpponent(std::uniform_int_distribution<int>(1, kOpponentProfiles)(random));
        reference::ReferencePlayer expected(game.Record());
        for (const int colour : {kRed, kYellow})
            for (const WeightKind kind : {WeightKind::Offensive, WeightKind::Defensive}) {
                const std::int32_t want = expected.EvaluateColour(colour, kind);
                ASSERT_EQ(game.EvaluateColour(colour, kind), want)
                    << "position " << n << " colour " << colour;
                ASSERT_EQ(game.Record().fourFlag, expected.record().fourFlag) << "position " << n;
            }
        ASSERT_EQ(game.HasFour(), expected.HasFour()) << "position " << n;
    }
}

TEST(ComputerPlayerDifferential, RootSearchMatchesTheReferenceAtDepthsFourToSeven) {
    testing::ScratchDir dir;
    std::mt19937 random(1977);
    gameClass game(dir.file("none.dat"), 1);
    GameStateRecord settings;
    int quiet = 0;
    for (int n = 0; n < kSearchPositions; ++n) {
        if (n % kPositionsPerWeightSet == 0)
            settings = RandomSettings(random);
        const int depth = std::uniform_int_distribution<int>(kMinDepth, 7)(random);
        const int moves = std::uniform_int_distribution<int>(0, kCells - depth)(random);
        GameStateRecord start = testing::RandomPosition(random, moves, settings);
        start.depth = static_cast<std::uint8_t>(depth);
        start.opponent =
            static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 6)(random));
        testing::LoadRecord(game, start, dir);
        reference::ReferencePlayer expected(game.Record());

        const RootResult want = expected.RootSearch();
        const RootResult got = game.RootSearch();
        ASSERT_EQ(got.best, want.best) << "position " << n;
        for (int c = 1; c <= kColumns; ++c) {
            if (start.heights[c - 1] > kRows)
                continue; // a full column's value means nothing
            ASSERT_EQ(got.values[c], want.values[c]) << "position " << n << " column " << c;
        }
        // Every byte the search leaves behind: board, stale history, four flag, colours.
        ASSERT_EQ(game.Record(), expected.record()) << "position " << n;

        const std::uint32_t seed = random();
        std::mt19937 referenceRandom(seed);
        game.SeedRandom(seed);
        const Candidates wantCandidates =
            expected.CollectCandidates(want.values, want.best, referenceRandom);
        const Candidates gotCandidates = game.CollectCandidates(got.values, got.best);
        ASSERT_EQ(gotCandidates.count, wantCandidates.count) << "position " << n;
        ASSERT_EQ(gotCandidates.columns, wantCandidates.columns) << "position " << n;
        quiet += (want.best >= -450 && want.best <= 450);
    }
    // Both kinds of choice, quiet positions and wins or losses in sight, were compared.
    EXPECT_GT(quiet, kSearchPositions / 10);
    EXPECT_LT(quiet, kSearchPositions - kSearchPositions / 10);
}

} // namespace
} // namespace fourinrow
