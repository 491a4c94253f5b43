// The computer players on positions set up directly on the board.
#include "fake_window.h"
#include "platform/app/clock.h"
#include "platform/app/messagebox.h"
#include "platform/sound/sound.h"

#include <gtest/gtest.h>

namespace noughts::test {
namespace {

using platform::vbforms::Answer;
using platform::vbforms::testing::ScriptedRnd;

class ComputerPlayer : public ::testing::Test {
protected:
    ComputerPlayer() {
        game.gameover = "False";
        game.cursymbol = "O";
        game.computerturn = true;
        game.p1name = "Ann";
        game.p2name = "Computer";
    }
    bool showed(const std::string& status) const {
        const auto& log = window.progressLog;
        return std::find(log.begin(), log.end(), status) != log.end();
    }

    platform::sound::Recorder sounds;
    platform::app::ScriptedMessageBoxes boxes;
    FakeWindow window;
    Game game{window};
};

struct HardCase {
    const char* board;    // before the move
    float roll;           // the easy player's draw, should the hard player fall back to it
    const char* expected; // after the move
    bool blocks;          // whether the move came from the blocking table
};

class HardPlayer : public ComputerPlayer, public ::testing::WithParamInterface<HardCase> {};

TEST_P(HardPlayer, BlocksTheFirstPairOrFallsBackToARandomCell) {
    const HardCase& c = GetParam();
    window.setBoard(c.board);
    ScriptedRnd rolls({c.roll});
    game.hardai();
    EXPECT_EQ(window.board(), c.expected);
    EXPECT_FALSE(game.computerturn);
    // Only the fallback says the computer is thinking.
    EXPECT_EQ(showed("Computer is thinking. . ."), !c.blocks);
    // The move is checked: the turn goes back to the person.
    EXPECT_EQ(game.cursymbol, "X");
    EXPECT_EQ(window.playername, "It is Ann's turn");
}

// Rolls of the easy player: 850 lands on cell 8, 550 on cell 5.
INSTANTIATE_TEST_SUITE_P(
    Positions, HardPlayer,
    ::testing::Values(HardCase{"X.X......", rndFor(850, 1001), "XOX......", true}, // pair 1
                      HardCase{"...X.X...", rndFor(850, 1001), "...XOX...", true}, // pair 5
                      HardCase{"X.......X", rndFor(550, 1001), "X...O...X", true}, // pair 20
                      HardCase{"...X..X..", rndFor(850, 1001), "O..X..X..", true}, // pair 16
                      HardCase{"..X.X....", rndFor(850, 1001), "..X.X.O..", true}, // pair 22
                      HardCase{"....X...X", rndFor(550, 1001), "O...X...X", true}, // pair 21
                      // Pairs are tried in table order: 0-1 (pair 2) comes before 0-3 (pair 10).
                      HardCase{"XX.X.....", rndFor(850, 1001), "XXOX.....", true},
                      // Pair 1's target is taken, so no later pair is tried: 3-4 stays open.
                      HardCase{"XOXXX....", rndFor(850, 1001), "XOXXX...O", false},
                      // The computer never looks for a line of its own.
                      HardCase{"OO.X.....", rndFor(550, 1001), "OO.X.O...", false}),
    [](const auto& info) {
        std::string name = info.param.board; // e.g. X_X______
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST_F(ComputerPlayer, EasyPlayerDoesNotCompleteItsOwnLineOnPurpose) {
    window.setBoard("OO.X.....");
    ScriptedRnd rolls({rndFor(750, 1001)});
    game.ai();
    EXPECT_EQ(window.board(), "OO.X...O.");
}

struct EasyCase {
    const char* board;
    std::vector<int> rolls; // ainumber of each draw
    int expectedCell;
};

class EasyPlayer : public ComputerPlayer, public ::testing::WithParamInterface<EasyCase> {};

TEST_P(EasyPlayer, MapsRollsToCellsByBands) {
    const EasyCase& c = GetParam();
    window.setBoard(c.board);
    std::deque<float> values;
    for (int roll : c.rolls)
        values.push_back(rndFor(roll, 1001));
    ScriptedRnd rolls(values);
    boxes.answer(Answer::Ok); // should the move end the game: no further game
    boxes.answer(Answer::No);
    game.ai();
    EXPECT_TRUE(rolls.values.empty()) << "every scripted draw is used";
    EXPECT_EQ(window.cells[static_cast<std::size_t>(c.expectedCell)], "O");
    EXPECT_EQ(game.ainumber, c.rolls.back());
    EXPECT_TRUE(showed("Computer is thinking. . ."));
}

INSTANTIATE_TEST_SUITE_P(
    Rolls, EasyPlayer,
    ::testing::Values(EasyCase{".........", {0}, 0}, EasyCase{".........", {100}, 0},
                      EasyCase{".........", {101}, 1}, EasyCase{".........", {200}, 1},
                      EasyCase{".........", {201}, 2}, EasyCase{".........", {800}, 7},
                      EasyCase{".........", {801}, 8}, EasyCase{".........", {900}, 8},
                      // Above 900 the first draw keeps cell 0.
                      EasyCase{".........", {901}, 0}, EasyCase{".........", {1000}, 0},
                      // A taken cell is drawn again; the cell is not reset between draws.
                      EasyCase{"X........", {950, 950, 150}, 1},
                      EasyCase{"..X......", {250, 990, 450}, 4},
                      EasyCase{"XXXX.XXXX", {50, 350, 999, 450}, 4}),
    [](const auto& info) {
        std::string name = info.param.board;
        std::replace(name.begin(), name.end(), '.', '_');
        for (int roll : info.param.rolls)
            name += "_" + std::to_string(roll);
        return name;
    });

TEST_F(ComputerPlayer, EasyPlayerFavoursTheTopLeftCellOnItsFirstDraw) {
    constexpr int trials = 30000;
    std::array<int, cellCount> hits{};
    for (int i = 0; i < trials; ++i) {
        window.setBoard(".........");
        game.gameover = "False";
        game.cursymbol = "O";
        game.ai();
        for (int cell = 0; cell < cellCount; ++cell)
            if (!window.cells[static_cast<std::size_t>(cell)].empty())
                ++hits[static_cast<std::size_t>(cell)];
    }
    // 201 in 1001 for cell 0, 100 in 1001 for each other cell.
    EXPECT_NEAR(hits[0] / double(trials), 201 / 1001.0, 0.02);
    for (int cell = 1; cell < cellCount; ++cell)
        EXPECT_NEAR(hits[static_cast<std::size_t>(cell)] / double(trials), 100 / 1001.0, 0.015)
            << "cell " << cell;
}

TEST_F(ComputerPlayer, EasyPlayerFindsTheLastCellWhileTheClockStandsStill) {
    platform::app::TestClock clock(500); // every re-seed reads the same time
    window.setBoard("XOXOX.OXO");
    boxes.answer(Answer::Ok);
    boxes.answer(Answer::No);
    game.ai();
    EXPECT_EQ(window.board(), "XOXOXOOXO");
}

TEST_F(ComputerPlayer, EasyPlayerDoesNothingOnceTheGameIsOver) {
    window.setBoard("XXX.O.O..");
    game.gameover = "True";
    game.ai();
    EXPECT_EQ(window.board(), "XXX.O.O..");
    EXPECT_TRUE(game.computerturn);
    EXPECT_TRUE(window.progressLog.empty());
}

TEST_F(ComputerPlayer, EasyPlayerStopsOnAFullBoard) {
    window.setBoard("XOXXOOOXX");
    game.ai(); // would search for ever for an empty cell
    EXPECT_EQ(window.board(), "XOXXOOOXX");
}

TEST_F(ComputerPlayer, ABlockThatCompletesALineWinsForTheComputer) {
    window.setBoard("XX..O.O.X");
    boxes.answer(Answer::Ok);
    boxes.answer(Answer::No);
    game.hardai(); // blocks 0-1 at cell 2, which completes 2-4-6
    EXPECT_EQ(window.board(), "XXO.O.O.X");
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, "The winner is: Computer");
    EXPECT_EQ(boxes.shown()[1].text, "Play again?");
    EXPECT_EQ(game.p2wins, 1);
    EXPECT_EQ(game.p1losses, 1);
    EXPECT_EQ(game.gameover, "True");
    EXPECT_EQ(sounds.played(), std::vector<std::string>{"sounds\\win.wav"});
}

TEST(Counters, StopAtTheLargestSixteenBitValue) {
    platform::sound::Recorder sounds;
    platform::app::ScriptedMessageBoxes boxes;
    FakeWindow window;
    Game game(window);
    game.gameover = "False";
    game.twoplayer = true;
    game.cursymbol = "X";
    game.p1name = "Ann";
    game.totalgames = game.p1wins = game.p2losses = 32767;
    window.setBoard("XXX.O.O..");
    boxes.answer(Answer::Ok);
    boxes.answer(Answer::No);
    game.checkbuttons();
    EXPECT_EQ(game.totalgames, 32767);
    EXPECT_EQ(game.p1wins, 32767);
    EXPECT_EQ(window.scores[ScoreLabel::total], "32767");
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ(boxes.shown().front().text, "The winner is: Ann");
}

} // namespace
} // namespace noughts::test
