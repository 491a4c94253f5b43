// The computer player: whole games, values of wins, the choice among candidates, Break, the
// message pump and the progress hook.

#include "fourinrow/game/game.h"

#include "tests/fourinrow/game/reference_player.h"
#include "tests/fourinrow/game/test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace fourinrow {
namespace {

class ComputerPlayerTest : public ::testing::Test {
protected:
    testing::ScratchDir dir;
    gameClass game{dir.file("none.dat"), 11};

    void Play(std::string_view columns) {
        for (const char digit : columns)
            ASSERT_TRUE(game.DropPiece(digit - '0')) << columns;
    }
    void Load(const GameStateRecord& record) { testing::LoadRecord(game, record, dir); }
};

struct Match {
    int opponent;
    int level;
    bool randomLevel = false;
};

class WholeGameTest : public ComputerPlayerTest, public ::testing::WithParamInterface<Match> {};

// The computer plays both colours to the end; every move must leave a consistent record with
// the search's trial discs gone and the settings it borrowed put back.
TEST_P(WholeGameTest, ComputerPlaysAGameToItsEnd) {
    const auto [opponent, level, randomLevel] = GetParam();
    game.SelectOpponent(opponent);
    game.SetGameTypeAndLevel(1, level + 3);
    game.SetRandomLevel(randomLevel);
    std::vector<int> progress;
    game.SetProgressHook([&progress](int i) { progress.push_back(i); });
    bool won = false;
    while (!won && game.GetMoveCount() < kCells) {
        const int before = game.GetMoveCount();
        const int mover = game.Record().toMove;
        progress.clear();
        ASSERT_TRUE(game.ComputerMove()) << "move " << before + 1;
        ASSERT_EQ(game.GetMoveCount(), before + 1);
        EXPECT_EQ(game.GetLastMover(), mover);
        EXPECT_EQ(game.Record().computerColour, mover);
        EXPECT_FALSE(game.IsThinking());
        EXPECT_EQ(game.GetOpponentIndex(), opponent);
        EXPECT_EQ(game.GetLevel(), level);
        EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
        ASSERT_TRUE(IsValidRecord(game.Record())) << "move " << before + 1;
        won = game.HasFour();
    }
}

std::vector<Match> AllMatches() {
    std::vector<Match> matches;
    for (int opponent = 1; opponent <= kRandomOpponent; ++opponent)
        for (int level = 1; level <= kMaxLevel; ++level)
            matches.push_back({opponent, level});
    matches.push_back({kRandomOpponent, kMaxLevel, true});
    return matches;
}

INSTANTIATE_TEST_SUITE_P(EveryOpponentAndLevel, WholeGameTest, ::testing::ValuesIn(AllMatches()),
                         [](const auto& info) {
                             return "opponent" + std::to_string(info.param.opponent) + "_level" +
                                    std::to_string(info.param.level) +
                                    (info.param.randomLevel ? "_random" : "");
                         });

TEST_F(ComputerPlayerTest, AnImmediateWinIsWorthTheOffensiveWinWeight) {
    GameStateRecord record = testing::RecordAfterMoves("443355");
    record.opponents[5].offensive[3] = 600;
    record.opponent = 6;
    Load(record);
    // Red has 3, 4, 5 on the bottom row: 2 and 6 win at once.
    const RootResult root = game.RootSearch();
    EXPECT_EQ(root.values[2], 600);
    EXPECT_EQ(root.values[6], 600);
    EXPECT_EQ(root.best, 600);
    for (int i = 0; i < 20; ++i) {
        const MoveChoice choice = game.ChooseMove();
        EXPECT_TRUE(choice.column == 2 || choice.column == 6) << choice.column;
        EXPECT_EQ(choice.value, 600);
    }
}

TEST_F(ComputerPlayerTest, AWinFoundDeeperLosesOnePerPly) {
    // Red 3 and 4 on the bottom row: 5 (or 2) makes two threats, a win at ply 2.
    Load(testing::RecordAfterMoves("4433"));
    game.SelectOpponent(6);
    const RootResult root = game.RootSearch();
    EXPECT_EQ(root.values[5], 500 - 2);
    EXPECT_EQ(root.values[2], 500 - 2);
    EXPECT_EQ(root.best, 500 - 2);
    // Yellow to move there loses to Red's next disc: -(win weight) + ply 1.
    Play("5");
    const RootResult reply = game.RootSearch();
    EXPECT_EQ(reply.best, -500 + 1);
}

// A row counts twice only when its last window holds the new three on a favoured row (row 1
// is odd, and Red profits from odd rows). The two positions mirror each other otherwise.
TEST_F(ComputerPlayerTest, OnlyARowsLastWindowMakesItCountTwice) {
    game.SelectOpponent(1);
    Play("17273"); // Red 1, 2, 3 on row 1: the three is in the first window
    const std::int32_t firstWindow = game.EvaluateColour(kRed, WeightKind::Offensive);
    game.NewGame();
    Play("71615"); // Red 5, 6, 7: the three is in the last window
    const std::int32_t lastWindow = game.EvaluateColour(kRed, WeightKind::Offensive);
    EXPECT_EQ(lastWindow - firstWindow, DefaultRecord().opponents[0].offensive[2]);
}

struct ToleranceCase {
    int opponent; // strategies 5..0 for opponents 1..6
    std::int32_t best;
    std::array<std::int32_t, 7> values; // columns 1..7
    std::vector<int> candidates;        // in search order
};

class CandidateTest : public ComputerPlayerTest,
                      public ::testing::WithParamInterface<ToleranceCase> {};

TEST_P(CandidateTest, AcceptsMovesWithinTheStrategysTolerance) {
    const ToleranceCase& c = GetParam();
    game.SelectOpponent(c.opponent);
    ColumnValues values{};
    std::copy(c.values.begin(), c.values.end(), values.begin() + 1);
    const Candidates got = game.CollectCandidates(values, c.best);
    EXPECT_EQ(std::vector<int>(got.columns.begin(), got.columns.begin() + got.count), c.candidates);
}

INSTANTIATE_TEST_SUITE_P(
    QuietPositions, CandidateTest,
    ::testing::Values(
        // Strategy 0: only the exact best.
        ToleranceCase{6, 10, {10, 9, 10, 3, 9, 10, -4}, {3, 6, 1}},
        // Strategy 5: within 7 of the best.
        ToleranceCase{1, 10, {10, 2, 3, 4, 17, 11, -40}, {4, 3, 5, 6, 1}},
        // Strategy 3 at the edge of the quiet band.
        ToleranceCase{3, -450, {-453, -454, -450, -460, -452, -451, -449}, {3, 5, 6, 1, 7}},
        ToleranceCase{4, 450, {448, 447, 450, 446, 0, 0, 0}, {3, 1}}));

TEST_F(ComputerPlayerTest, AFullColumnIsNeverACandidate) {
    Play("444444");
    game.SelectOpponent(1);
    ColumnValues values{};
    values.fill(0);
    const Candidates got = game.CollectCandidates(values, 0);
    EXPECT_EQ(std::vector<int>(got.columns.begin(), got.columns.begin() + got.count),
              (std::vector<int>{3, 5, 2, 6, 1, 7}));
    std::vector<int> progress;
    game.SetProgressHook([&progress](int i) { progress.push_back(i); });
    const RootResult root = game.RootSearch();
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    for (int i = 0; i < 20; ++i)
        EXPECT_NE(game.ChooseMove().column, 4);
    EXPECT_GE(root.best, root.values[3]);
}

// With a win or loss in sight the other moves get a fixed chance: one in 15 - tolerance.
TEST_F(ComputerPlayerTest, BeyondTheQuietBandOtherMovesGetAChance) {
    struct Case {
        int opponent;
        int oneIn; // 0: never
    };
    for (const Case c : {Case{1, 8}, Case{2, 10}, Case{5, 14}, Case{6, 0}}) {
        game.SelectOpponent(c.opponent);
        game.SeedRandom(99);
        const int trials = 14000;
        int accepted = 0;
        for (int t = 0; t < trials; ++t) {
            EXPECT_TRUE(game.AcceptMove(500, 500));
            accepted += game.AcceptMove(3, 500) ? 1 : 0;
        }
        if (c.oneIn == 0) {
            EXPECT_EQ(accepted, 0);
        } else {
            const double expected = double(trials) / c.oneIn;
            EXPECT_NEAR(accepted, expected, expected * 0.15) << "opponent " << c.opponent;
        }
    }
}

TEST_F(ComputerPlayerTest, NearTheEndRandomLevelKeepsTheRemainingDepth) {
    // 40 discs, no four: two empty cells in column 7.
    Play("123123123123123123456456456456456456"
         "7777");
    game.SetRandomLevel(true);
    game.SetGameTypeAndLevel(1, 10);
    game.SelectOpponent(6);
    GameStateRecord atDepthTwo = game.Record();
    atDepthTwo.depth = 2;
    reference::ReferencePlayer expected(atDepthTwo);
    const RootResult want = expected.RootSearch();
    const MoveChoice choice = game.ChooseMove();
    EXPECT_EQ(choice.column, 7);
    EXPECT_EQ(choice.value, want.values[7]);
    EXPECT_EQ(game.GetLevel(), 7);
}

TEST_F(ComputerPlayerTest, RandomOpponentBorrowsAProfileOnlyForTheMove) {
    game.SelectOpponent(kRandomOpponent);
    Play("44");
    ASSERT_TRUE(game.ComputerMove());
    EXPECT_EQ(game.GetOpponentIndex(), kRandomOpponent);
}

TEST_F(ComputerPlayerTest, BreakLeavesThePositionAsItWas) {
    game.SelectOpponent(kRandomOpponent);
    game.SetGameTypeAndLevel(1, 10);
    Play("4435");
    const GameStateRecord before = game.Record();
    int pumped = 0;
    std::vector<int> progress;
    game.SetProgressHook([&progress](int i) { progress.push_back(i); });
    game.SetMessagePump(
        [&] {
            ++pumped;
            EXPECT_TRUE(game.IsThinking());
            // The board on screen stays the real one while the search tries discs.
            EXPECT_EQ(game.GetCell(4, 3), kEmpty);
            EXPECT_EQ(game.GetColumnHeight(4), 3);
            if (pumped == 3)
                game.RequestBreak();
        },
        std::chrono::microseconds(0));
    EXPECT_FALSE(game.ComputerMove());
    EXPECT_EQ(pumped, 3);
    // The column being searched when Break came still moves the bar; no other does.
    EXPECT_EQ(progress, std::vector<int>{1});
    GameStateRecord after = game.Record();
    EXPECT_EQ(after.breakRequested, 0);
    after.history = before.history;
    after.fourFlag = before.fourFlag;
    after.computerColour = before.computerColour;
    EXPECT_EQ(after, before);
}

TEST_F(ComputerPlayerTest, ThePumpRunsOnlyAfterItsInterval) {
    game.SetGameTypeAndLevel(1, 8);
    int pumped = 0;
    game.SetMessagePump([&pumped] { ++pumped; }, std::chrono::hours(1));
    ASSERT_TRUE(game.ComputerMove());
    EXPECT_EQ(pumped, 0);
    game.SetMessagePump([&pumped] { ++pumped; }, std::chrono::microseconds(0));
    ASSERT_TRUE(game.ComputerMove());
    EXPECT_GT(pumped, 10);
}

TEST_F(ComputerPlayerTest, SavingWhileThinkingWritesThePositionBeforeTheSearch) {
    game.SetGameTypeAndLevel(1, 8);
    Play("43");
    const GameStateRecord before = game.Record();
    const std::string path = dir.file("kolvan32.dat");
    int saves = 0;
    // As the window does when it is closed during the search.
    game.SetMessagePump([&] { saves++ == 0 ? game.SaveGame(path) : void(); },
                        std::chrono::microseconds(0));
    ASSERT_TRUE(game.ComputerMove());
    ASSERT_GT(saves, 0);
    const std::optional<GameStateRecord> file = ReadRecordFile(path);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->board, before.board);
    EXPECT_EQ(file->heights, before.heights);
    EXPECT_EQ(file->displayHeights, before.heights);
    EXPECT_EQ(file->moveCount, before.moveCount);
    EXPECT_EQ(file->toMove, before.toMove);
    EXPECT_EQ(file->thinking, 0);
    EXPECT_TRUE(IsValidRecord(game.Record()));
}

TEST_F(ComputerPlayerTest, NoMoveOnAFullBoard) {
    Play("123123123123123123456456456456456456777777");
    EXPECT_FALSE(game.ComputerMove());
    EXPECT_EQ(game.GetMoveCount(), kCells);
}

} // namespace
} // namespace fourinrow
