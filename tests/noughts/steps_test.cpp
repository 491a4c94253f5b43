// The game procedures step by step on a window without widgets: the status texts each step
// shows, in order, and who the start roll lets begin.
#include "fake_window.h"
#include "platform/app/messagebox.h"
#include "platform/sound/sound.h"

#include <gtest/gtest.h>

#include <functional>

namespace noughts::test {
namespace {

using platform::vbforms::Answer;
using platform::vbforms::testing::ScriptedInputBoxes;
using platform::vbforms::testing::ScriptedRnd;
using Texts = std::vector<std::string>;

class GameSteps : public ::testing::Test {
protected:
    // A two-player game of Ann and Bob, with "X" to move.
    void startTwoPlayers() {
        game.twoplayer = true;
        names.answers = {"Ann", "Bob"};
        rolls.values = {xStarts};
        game.startgame();
    }
    // The status texts shown by action, in order.
    Texts statusOf(const std::function<void()>& action) {
        window.progressLog.clear();
        action();
        return window.progressLog;
    }

    platform::sound::Recorder sounds;
    platform::app::ScriptedMessageBoxes boxes;
    ScriptedInputBoxes names;
    ScriptedRnd rolls{{}};
    FakeWindow window;
    Game game{window};
};

TEST_F(GameSteps, EachStepShowsItsStatusTexts) {
    EXPECT_EQ(statusOf([&] { startTwoPlayers(); }),
              (Texts{"Resetting grid. . .", "Resetting table. . .", "Ready",
                     "Initializing players. . .", "Determining player to start. . .", "Ready"}));

    struct Step {
        const char* name;
        std::function<void()> action;
        Texts shown;
    };
    const auto move = [&](const char* board, const char* symbol) {
        return [&, board, symbol] {
            window.setBoard(board);
            game.cursymbol = symbol;
            game.checkbuttons();
        };
    };
    const Step steps[] = {
        {"a move", move("....X....", "X"), {"Checking grid matchup. . .", "Ready"}},
        {"pause", [&] { game.pausegame(); }, {"Game paused"}},
        {"resume", [&] { game.pausegame(); }, {"Game unpaused"}},
        {"a win, no more",
         [&] {
             boxes.answer(Answer::Ok);
             boxes.answer(Answer::No);
             move("XXX.OO...", "X")();
         },
         {"Checking grid matchup. . .", "Winner detected. . .", "Ready"}},
        {"a click after the end", move("XXXOOO...", "O"), {"Checking grid matchup. . .", "Ready"}},
        {"reset grid", [&] { game.reset(); }, {"Resetting grid. . ."}},
        {"reset table", [&] { game.resettable(); }, {"Resetting table. . .", "Ready"}},
        {"a draw, then again",
         [&] {
             boxes.answer(Answer::Ok);
             boxes.answer(Answer::Yes);
             rolls.values = {oStarts};
             move("XOXXOOOXX", "X")();
         },
         {"Checking grid matchup. . .", "Draw detected. . .", "Resetting grid. . .",
          "Determining player to start. . .", "Ready", "Ready"}},
    };
    for (const Step& step : steps)
        EXPECT_EQ(statusOf(step.action), step.shown) << step.name;
    EXPECT_EQ(boxes.pendingAnswers(), 0u);
}

TEST_F(GameSteps, TheComputersOpeningMoveRunsInsideTheStartRoll) {
    game.twoplayer = false;
    game.hardgame = false;
    names.answers = {"Ann"};
    rolls.values = {oStarts, cellRoll(4)};
    window.progressLog.clear();
    game.startgame();
    EXPECT_EQ(window.board(), "....O....");
    const Texts tail(window.progressLog.end() - 5, window.progressLog.end());
    EXPECT_EQ(tail, (Texts{"Determining player to start. . .", "Computer is thinking. . .",
                           "Checking grid matchup. . .", "Ready", "Ready"}));
}

// 51 of the 101 rolls let "X" begin: 50 and above.
TEST_F(GameSteps, TheStartRollLetsCrossesBeginFromFifty) {
    startTwoPlayers();
    struct Case {
        int roll;
        const char* symbol;
        const char* turn;
    };
    for (const Case& c : {Case{0, "O", "It is Bob's turn"}, Case{49, "O", "It is Bob's turn"},
                          Case{50, "X", "It is Ann's turn"}, Case{100, "X", "It is Ann's turn"}}) {
        rolls.values = {rndFor(c.roll, 101)};
        game.playerchoose();
        EXPECT_EQ(game.startroll, c.roll);
        EXPECT_EQ(game.cursymbol, c.symbol) << c.roll;
        EXPECT_EQ(window.playername, c.turn) << c.roll;
        EXPECT_EQ(window.progress, "Ready");
    }
}

} // namespace
} // namespace noughts::test
