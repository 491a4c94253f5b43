// The game object's rules, settings, level progression and files.

#include "fourinrow/game/game.h"

#include "tests/fourinrow/game/test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fourinrow {
namespace {

class GameTest : public ::testing::Test {
protected:
    testing::ScratchDir dir;
    gameClass game{dir.file(gameClass::kSettingsFile), 1};

    void Play(std::string_view columns) {
        for (const char digit : columns)
            ASSERT_TRUE(game.DropPiece(digit - '0')) << columns;
    }
    void Load(const GameStateRecord& record) { testing::LoadRecord(game, record, dir); }
};

TEST_F(GameTest, StartsWithTheBuiltInRecordWithoutASettingsFile) {
    EXPECT_EQ(game.Record(), DefaultRecord());
    EXPECT_TRUE(game.TakeFirstRunFlag());
    EXPECT_EQ(game.Record().firstRun, 0);
}

TEST_F(GameTest, DropPieceStacksDiscsAndAlternatesColours) {
    Play("443");
    EXPECT_EQ(game.GetCell(4, 1), kRed);
    EXPECT_EQ(game.GetCell(4, 2), kYellow);
    EXPECT_EQ(game.GetCell(3, 1), kRed);
    EXPECT_EQ(game.GetCell(4, 3), kEmpty);
    EXPECT_EQ(game.GetColumnHeight(4), 3);
    EXPECT_EQ(game.GetMoveCount(), 3);
    EXPECT_EQ(game.GetLastColumn(), 3);
    EXPECT_EQ(game.GetLastMover(), kRed);
    EXPECT_EQ(game.Record().toMove, kYellow);
}

TEST_F(GameTest, RefusesASeventhDiscAndColumnsOutsideTheBoard) {
    Play("111111");
    const GameStateRecord before = game.Record();
    for (const int column : {1, 0, 8, -1})
        EXPECT_FALSE(game.DropPiece(column)) << column;
    EXPECT_EQ(game.Record(), before);
}

TEST_F(GameTest, UndoRestoresTheBoardMoveByMove) {
    std::vector<GameStateRecord> states = {game.Record()};
    const std::string moves = "4433221765";
    for (const char digit : moves) {
        ASSERT_TRUE(game.DropPiece(digit - '0'));
        states.push_back(game.Record());
    }
    for (std::size_t k = moves.size(); k > 0; --k) {
        game.UndoMove();
        GameStateRecord expected = states[k - 1];
        expected.history = game.Record().history; // entries past the count are stale
        EXPECT_EQ(game.Record(), expected) << "after undoing move " << k;
    }
    game.UndoMove();
    EXPECT_EQ(game.GetMoveCount(), 0);
    EXPECT_EQ(game.Record().board, DefaultRecord().board);
}

struct FourCase {
    const char* direction;
    const char* moves; // red's last move completes a four
};

class HasFourTest : public GameTest, public ::testing::WithParamInterface<FourCase> {};

TEST_P(HasFourTest, DetectsTheLastMoversFour) {
    const std::string moves = GetParam().moves;
    Play(moves.substr(0, moves.size() - 1));
    EXPECT_FALSE(game.HasFour());
    Play(moves.substr(moves.size() - 1));
    EXPECT_TRUE(game.HasFour());
    EXPECT_EQ(game.Record().fourFlag, 1);
    EXPECT_EQ(game.GetLastMover(), kRed);
    // The opponent byte is only borrowed.
    EXPECT_EQ(game.GetOpponentIndex(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, HasFourTest,
    ::testing::Values(FourCase{"across", "4455667"}, FourCase{"across_at_the_left_edge", "1122334"},
                      FourCase{"up", "1213141"}, FourCase{"up_at_the_top", "71611716121"},
                      FourCase{"rising", "12233744344"}, FourCase{"falling", "76655144544"}),
    [](const auto& info) { return std::string(info.param.direction); });

TEST_F(GameTest, AFullBoardWithoutFourIsDetectedByTheMoveCount) {
    // Columns filled in pairs so that no colour ever gets four.
    Play("123123123123123123"
         "456456456456456456"
         "777777");
    EXPECT_EQ(game.GetMoveCount(), 42);
    EXPECT_FALSE(game.HasFour());
    for (int c = 1; c <= 7; ++c)
        EXPECT_FALSE(game.DropPiece(c));
}

TEST_F(GameTest, NewGameLetsTheColourThatBeganBeginAgain) {
    for (const char* moves : {"4455664", "44556644"}) {
        game.NewGame();
        game.SetFirstMover(kRed);
        Play(moves);
        game.NewGame();
        EXPECT_EQ(game.Record().toMove, kRed) << moves;
        EXPECT_EQ(game.Record().lastMover, kYellow) << moves;
        EXPECT_EQ(game.GetMoveCount(), 0);
        EXPECT_EQ(game.Record().board, DefaultRecord().board);
        EXPECT_EQ(game.Record().heights, DefaultRecord().heights);
        EXPECT_FALSE(game.HasFour());
    }
}

TEST_F(GameTest, SetFirstMoverOnlyBeforeTheFirstMove) {
    game.SetFirstMover(kYellow);
    EXPECT_EQ(game.Record().toMove, kYellow);
    EXPECT_EQ(game.Record().lastMover, kRed);
    Play("4");
    game.SetFirstMover(kYellow);
    EXPECT_EQ(game.Record().toMove, kRed);
}

TEST(GameColumnAt, MapsWindowPointsToColumns) {
    struct Case {
        int x, y, column;
    };
    for (const Case c :
         {Case{30, 27, 0}, Case{30, 304, 0}, Case{30, 28, 1}, Case{55, 100, 0}, Case{354, 303, 7},
          Case{5, 100, 0}, Case{6, 100, 1}, Case{54, 100, 1}, Case{56, 100, 2}, Case{355, 100, 0},
          Case{361, 100, 0}, Case{-1, 100, 0}, Case{200, 150, 4}})
        EXPECT_EQ(gameClass::ColumnAt(c.x, c.y), c.column) << c.x << "," << c.y;
}

struct ProgressionCase {
    int opponent, level;
    int wantOpponent, wantLevel;
};

class ProgressionTest : public GameTest, public ::testing::WithParamInterface<ProgressionCase> {};

TEST_P(ProgressionTest, AWinAdvancesLevelOrOpponent) {
    const ProgressionCase& c = GetParam();
    game.SelectOpponent(c.opponent);
    game.SetGameTypeAndLevel(1, c.level + 3);
    game.RecordWinLevel();
    if (c.level < 7)
        EXPECT_EQ(game.GetBestLevel(c.opponent), c.level + 1);
    else
        EXPECT_EQ(game.GetBestLevel(c.opponent), DefaultRecord().bestLevel[c.opponent - 1]);
    game.AdvanceChallenge();
    EXPECT_EQ(game.GetOpponentIndex(), c.wantOpponent);
    EXPECT_EQ(game.GetLevel(), c.wantLevel);
}

INSTANTIATE_TEST_SUITE_P(Wins, ProgressionTest,
                         ::testing::Values(ProgressionCase{3, 1, 3, 2}, ProgressionCase{3, 4, 3, 5},
                                           ProgressionCase{3, 5, 4, 1}, ProgressionCase{3, 6, 3, 7},
                                           ProgressionCase{3, 7, 4, 1}, ProgressionCase{6, 5, 6, 6},
                                           ProgressionCase{6, 7, 6, 7}, ProgressionCase{7, 5, 7, 6},
                                           ProgressionCase{7, 7, 7, 7}));

TEST_F(GameTest, BestLevelOnlyGrowsFromTheLevelReached) {
    game.SelectOpponent(2);
    game.SetGameTypeAndLevel(1, 3 + 5);
    game.RecordWinLevel();
    EXPECT_EQ(game.GetBestLevel(2), 6);
    game.SetGameTypeAndLevel(1, 3 + 2);
    game.RecordWinLevel();
    EXPECT_EQ(game.GetBestLevel(2), 6);
}

TEST_F(GameTest, NoProgressionWithRandomLevel) {
    game.SetRandomLevel(true);
    game.SelectOpponent(3);
    game.SetGameTypeAndLevel(1, 3 + 5);
    game.RecordWinLevel();
    game.AdvanceChallenge();
    EXPECT_EQ(game.GetBestLevel(3), 1);
    EXPECT_EQ(game.GetOpponentIndex(), 3);
    EXPECT_EQ(game.GetLevel(), 5);
}

TEST_F(GameTest, SetGameTypeAndLevelChangesTheLevelWithinItsRange) {
    game.SetGameTypeAndLevel(0, 9);
    EXPECT_TRUE(game.IsTwoPlayer());
    EXPECT_EQ(game.GetLevel(), 6);
    game.SetGameTypeAndLevel(-1, 1);
    EXPECT_EQ(game.GetLevel(), 7);
    game.SetGameTypeAndLevel(-1, 1); // past level 7: nothing
    EXPECT_EQ(game.GetLevel(), 7);
    game.SetGameTypeAndLevel(-1, -6);
    EXPECT_EQ(game.GetLevel(), 1);
    game.SetGameTypeAndLevel(-1, -1);
    EXPECT_EQ(game.GetLevel(), 1);
    game.SetGameTypeAndLevel(-1, 3);
    game.SetGameTypeAndLevel(-1, 0);
    EXPECT_EQ(game.GetLevel(), 1);
    game.SetGameTypeAndLevel(1, 0); // no level: refused rather than a search without end
    EXPECT_EQ(game.GetLevel(), 1);
    EXPECT_TRUE(game.IsTwoPlayer());
}

TEST_F(GameTest, OpponentsAreEditedWithinTheEditorsRange) {
    const OpponentSettings edited{{3, 30, 0}, {7, 8, 9}, 2, "Twelve chars"};
    game.SetOpponent(4, edited);
    OpponentSettings expected = edited;
    expected.name = "Twelve cha";
    EXPECT_EQ(game.GetOpponent(4), expected);
    EXPECT_EQ(game.GetOpponentName(4), "Twelve cha");
    EXPECT_EQ(game.Record().opponents[3].offensive[3], 500); // win weights stay
    EXPECT_EQ(gameClass::GetDefaultOpponent(4).name, "Cool Yorn");
    EXPECT_EQ(game.GetOpponentName(7), "Random");

    game.SetOpponent(1, OpponentSettings{{-5, 99, 2'000'000'000}, {1, 2, 3}, 9, "X"});
    EXPECT_EQ(game.GetOpponent(1).offensive, (std::array<std::int32_t, 3>{0, 30, 30}));
    EXPECT_EQ(game.GetOpponent(1).strategy, 5);
    const GameStateRecord before = game.Record();
    game.SetOpponent(7, edited);
    game.SetOpponent(0, edited);
    EXPECT_EQ(game.Record(), before);
}

TEST_F(GameTest, PlayerNameIsCutToTenCharacters) {
    EXPECT_EQ(game.GetPlayerName(), "Anonymous");
    game.SetPlayerName("Twelve chars");
    EXPECT_EQ(game.GetPlayerName(), "Twelve cha");
}

TEST_F(GameTest, SaveThenLoadGivesTheSameRecordByteForByte) {
    Play("4453");
    game.SetOpponent(2, OpponentSettings{{1, 2, 3}, {4, 5, 6}, 3, "Edited"});
    game.SelectOpponent(2);
    game.SetPlayerName("Zed");
    game.RequestBreak();
    const std::string first = dir.file("first.klv");
    game.SaveGame(first);
    EXPECT_EQ(game.Record().breakRequested, 0);

    gameClass other(dir.file("none.dat"), 2);
    other.LoadGame(first);
    EXPECT_EQ(other.Record(), game.Record());
    const std::string second = dir.file("second.klv");
    other.SaveGame(second);
    std::ifstream a(first, std::ios::binary), b(second, std::ios::binary);
    const std::string bytesA{std::istreambuf_iterator<char>(a), {}};
    const std::string bytesB{std::istreambuf_iterator<char>(b), {}};
    EXPECT_EQ(bytesA.size(), kRecordSize);
    EXPECT_EQ(bytesA, bytesB);
}

TEST_F(GameTest, LoadGameKeepsTheSystemFlags) {
    GameStateRecord saved = testing::RecordAfterMoves("44");
    saved.autoMinimize = 1;
    saved.showProgress = 1;
    game.SetSystemFlags(false, true);
    Load(saved);
    EXPECT_EQ(game.GetMoveCount(), 2);
    EXPECT_FALSE(game.GetSystemFlags().autoMinimize);
    EXPECT_TRUE(game.GetSystemFlags().showProgress);
}

TEST_F(GameTest, LoadingAShortOrBadGameChangesNothing) {
    Play("45");
    const GameStateRecord before = game.Record();
    const RecordBytes bytes = EncodeRecord(testing::RecordAfterMoves("777"));
    std::ofstream(dir.file("short.klv"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 443);
    game.LoadGame(dir.file("short.klv"));
    EXPECT_EQ(game.Record(), before);

    GameStateRecord bad = testing::RecordAfterMoves("777");
    bad.heights[6] = 2;
    WriteRecordFile(dir.file("bad.klv"), bad);
    game.LoadGame(dir.file("bad.klv"));
    game.LoadGame(dir.file("missing.klv"));
    EXPECT_EQ(game.Record(), before);
}

TEST(GameStartUp, ReadsTheSettingsFile) {
    testing::ScratchDir dir;
    GameStateRecord saved = testing::RecordAfterMoves("3");
    saved.firstRun = 0;
    saved.autoMinimize = 1;
    ASSERT_TRUE(WriteRecordFile(dir.file("kolvan32.dat"), saved));
    gameClass game(dir.file("kolvan32.dat"), 1);
    EXPECT_EQ(game.Record(), saved);
    EXPECT_FALSE(game.TakeFirstRunFlag());
    EXPECT_EQ(game.GetCell(3, 1), kRed);
}

TEST(GameStartUp, AShortOrBadSettingsFileGivesTheBuiltInRecord) {
    testing::ScratchDir dir;
    const RecordBytes bytes = EncodeRecord(testing::RecordAfterMoves("3"));
    std::ofstream(dir.file("short.dat"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 443);
    EXPECT_EQ(gameClass(dir.file("short.dat"), 1).Record(), DefaultRecord());

    GameStateRecord bad = testing::RecordAfterMoves("3");
    bad.firstRun = 0;
    bad.opponents[0].offensive[3] = 0;
    WriteRecordFile(dir.file("bad.dat"), bad);
    gameClass game(dir.file("bad.dat"), 1);
    EXPECT_EQ(game.Record(), DefaultRecord());
    // The file exists, but the defaults say it is the first run.
    EXPECT_TRUE(game.TakeFirstRunFlag());
}

} // namespace
} // namespace fourinrow
