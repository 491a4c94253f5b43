// Whole games through the game window's own handlers, each started from the new-game box.
#include "program_fixture.h"

#include "platform/app/screen.h"

#include <QDir>
#include <QImage>
#include <algorithm>
#include <functional>

namespace noughts::test {
namespace {

using Texts = std::vector<std::string>;
using Scores = std::vector<QString>;

TEST_F(ProgramTest, GameWindowOpensWithTheDesignPatternDisabled) {
    MainForm& window = openGameWindow();
    EXPECT_EQ(board(), "XOXOXOXOX");
    EXPECT_TRUE(boardDisabled());
    EXPECT_EQ(scores(), Scores(6, ""));
    EXPECT_EQ(window.progress->text(), "Ready");
    EXPECT_FALSE(window.resetgrid->isEnabled());
    EXPECT_FALSE(window.pausegame->isEnabled());
    EXPECT_TRUE(window.startnewgame->isEnabled());
    // The window's own sound is started and closed at once.
    std::vector<std::string> ownCommands;
    for (const auto& c : mci.commands)
        if (c.control == "MMControl1")
            ownCommands.push_back(c.command);
    EXPECT_EQ(ownCommands, (Texts{"Open", "Play", "close"}));
}

class WinningLine : public ProgramTest, public ::testing::WithParamInterface<std::array<int, 3>> {};

TEST_P(WinningLine, CrossesWinAndTheScoreTableCountsIt) {
    const std::array<int, 3> line = GetParam();
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    EXPECT_EQ(main().playername->text(), "It is Ann's turn");
    EXPECT_EQ(main().p1status->title(), "Ann");
    EXPECT_EQ(main().p2status->title(), "Bob");
    std::vector<int> others;
    for (int cell = 0; cell < cellCount; ++cell)
        if (std::find(line.begin(), line.end(), cell) == line.end())
            others.push_back(cell);
    // Two noughts off the line cannot make a line of their own.
    play({line[0], others[0], line[1], others[1]});
    EXPECT_EQ(main().playername->text(), "It is Ann's turn");
    sounds.clear();
    thenNoMore();
    click(line[2]);

    EXPECT_EQ(shownTexts(), (Texts{"The winner is: Ann", "Play again?"}));
    EXPECT_EQ(boxes.shown().back().buttons, Buttons::YesNo);
    EXPECT_EQ(boxes.shown().back().caption, "Noughts and Crosses");
    EXPECT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
    EXPECT_EQ(game().gameover, "True");
    EXPECT_FALSE(main().pausegame->isEnabled());
    EXPECT_TRUE(boardEnabled()); // "No": the finished board stays as it is
    EXPECT_EQ(main().progress->text(), "Ready");
    EXPECT_EQ(sounds.played(), (Texts{"sounds\\button.WAV", "sounds\\win.wav"}));

    // Any further click only says the game is over.
    const std::string finished = board();
    click(others[2]);
    EXPECT_EQ(board(), finished);
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_TRUE(boxes.shown()[2].text.starts_with("One of the players has already won!"));
}

INSTANTIATE_TEST_SUITE_P(EveryLine, WinningLine, ::testing::ValuesIn(lines));

TEST_F(ProgramTest, NoughtsWinForPlayerTwo) {
    openGameWindow();
    startGame(Mode::twoPlayers, oStarts);
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");
    thenNoMore();
    play({4, 0, 2, 1, 6});
    EXPECT_EQ(board(), "XXO.O.O..");
    EXPECT_EQ(shownTexts(), (Texts{"The winner is: Bob", "Play again?"}));
    EXPECT_EQ(scores(), (Scores{"1", "0", "0", "1", "1", "0"}));
}

TEST_F(ProgramTest, OneMoveCompletingTwoLinesCountsOnce) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    thenNoMore();
    play({1, 4, 2, 5, 3, 8, 6, 7, 0}); // the last cross completes the top row and left column
    EXPECT_EQ(shownTexts(), (Texts{"The winner is: Ann", "Play again?"}));
    EXPECT_EQ(game().p1wins, 1);
    EXPECT_EQ(game().totalgames, 1);
}

TEST_F(ProgramTest, DrawCountsAndPlayAgainKeepsNamesAndScores) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    boxes.answer(Answer::Ok);
    boxes.answer(Answer::Yes);
    rolls.values.push_back(oStarts);
    play({0, 1, 2, 4, 3, 5, 7, 6, 8});

    EXPECT_EQ(shownTexts(), (Texts{"It's a draw!!", "Play again?"}));
    const Texts played = sounds.played();
    EXPECT_NE(std::ranges::find(played, "sounds\\draw.WAV"), played.end());
    EXPECT_EQ(scores(), (Scores{"1", "1", "0", "0", "0", "0"}));
    // "Yes": the next game starts at once with the same names.
    EXPECT_EQ(board(), ".........");
    EXPECT_EQ(game().gameover, "False");
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");
    EXPECT_EQ(main().p1status->title(), "Ann");
    EXPECT_EQ(names.shown.size(), 2u);
}

TEST_F(ProgramTest, DrawAnsweredNoLeavesPauseEnabled) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    thenNoMore();
    play({0, 1, 2, 4, 3, 5, 7, 6, 8});
    EXPECT_EQ(game().gameover, "True");
    EXPECT_TRUE(main().pausegame->isEnabled());
    EXPECT_EQ(board(), "XOXXOOOXX");
}

TEST_F(ProgramTest, ALineOnTheLastFreeCellIsAWinNotADraw) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    thenNoMore();
    play({0, 2, 1, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(board(), "XXOOXOXOX");
    EXPECT_EQ(shownTexts(), (Texts{"The winner is: Ann", "Play again?"}));
    EXPECT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
}

TEST_F(ProgramTest, ResetGridKeepsNamesAndScoresNewGameClearsThem) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    thenNoMore();
    play({0, 3, 1, 4, 2}); // Ann wins
    rolls.values.push_back(xStarts);
    QTest::mouseClick(main().resetgrid, Qt::LeftButton);
    EXPECT_EQ(board(), ".........");
    EXPECT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
    EXPECT_TRUE(main().pausegame->isEnabled());
    EXPECT_EQ(names.shown.size(), 2u);
    thenNoMore();
    play({3, 0, 4, 1, 8, 2}); // Bob wins
    EXPECT_EQ(scores(), (Scores{"2", "0", "1", "1", "1", "1"}));

    QTest::mouseClick(main().resettable, Qt::LeftButton);
    EXPECT_EQ(scores(), Scores(6, "0"));

    startGame(Mode::twoPlayers, xStarts);
    EXPECT_EQ(names.shown.size(), 4u);
    EXPECT_EQ(scores(), Scores(6, "0"));
    EXPECT_EQ(board(), ".........");
}

TEST_F(ProgramTest, ATakenCellIsRefusedAndTheTurnStays) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    click(4);
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");
    click(4);
    EXPECT_EQ(shownTexts(), Texts{"That's taken!"});
    EXPECT_EQ(board(), "....X....");
    click(0);
    EXPECT_EQ(board(), "O...X....");
    EXPECT_EQ(main().playername->text(), "It is Ann's turn");
}

TEST_F(ProgramTest, PauseAndResumeGoOnWithTheSameSide) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    click(4);
    QTest::mouseClick(main().pausegame, Qt::LeftButton);
    EXPECT_TRUE(boardDisabled());
    EXPECT_TRUE(game().paused);
    EXPECT_TRUE(main().menu_pausegame->isChecked());
    EXPECT_FALSE(main().resetgrid->isEnabled());
    EXPECT_FALSE(main().resettable->isEnabled());
    EXPECT_FALSE(main().menu_resetgrid->isEnabled());
    EXPECT_EQ(main().progress->text(), "Game paused");

    main().menu_pausegame->trigger();
    EXPECT_TRUE(boardEnabled());
    EXPECT_FALSE(game().paused);
    EXPECT_FALSE(main().menu_pausegame->isChecked());
    EXPECT_TRUE(main().resetgrid->isEnabled());
    EXPECT_TRUE(main().menu_resettable->isEnabled());
    EXPECT_EQ(main().progress->text(), "Game unpaused");
    EXPECT_EQ(shownTexts(), (Texts{"Game paused", "Game unpaused"}));

    click(0);
    EXPECT_EQ(board(), "O...X....");
}

TEST_F(ProgramTest, PauseAndResumeBeforeAnyGameKeepTheBoardDisabled) {
    openGameWindow();
    main().menu_pausegame->trigger();
    main().menu_pausegame->trigger();
    EXPECT_TRUE(boardDisabled());
    EXPECT_FALSE(main().resetgrid->isEnabled());
    EXPECT_FALSE(main().menu_resetgrid->isEnabled());
    EXPECT_EQ(shownTexts(), (Texts{"Game paused", "Game unpaused"}));
}

TEST_F(ProgramTest, EasyComputerAnswersEveryMove) {
    openGameWindow();
    startGame(Mode::easy, xStarts);
    EXPECT_FALSE(game().hardgame);
    EXPECT_EQ(main().p2status->title(), "Computer");
    EXPECT_EQ(names.shown.size(), 1u); // no second name against the computer
    rolls.values.push_back(cellRoll(0));
    click(4);
    EXPECT_EQ(board(), "O...X....");
    EXPECT_EQ(main().playername->text(), "It is Ann's turn");
    rolls.values.push_back(cellRoll(7));
    click(2);
    EXPECT_EQ(board(), "O.X.X..O.");
    thenNoMore();
    click(6);
    EXPECT_EQ(shownTexts(), (Texts{"The winner is: Ann", "Play again?"}));
    EXPECT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
}

TEST_F(ProgramTest, HardComputerOpensBlocksAndDraws) {
    openGameWindow();
    rolls.values = {oStarts, cellRoll(4)}; // no pair to block yet: a random cell
    names.answers = {"Ann"};
    newGame(Mode::hard);
    EXPECT_TRUE(game().hardgame);
    EXPECT_EQ(board(), "....O....");
    EXPECT_EQ(main().playername->text(), "It is Ann's turn");
    EXPECT_EQ(game().cursymbol, "X");

    rolls.values = {cellRoll(8)};
    click(0);
    EXPECT_EQ(board(), "X...O...O");
    click(2); // blocks the top row
    EXPECT_EQ(board(), "XOX.O...O");
    rolls.values = {cellRoll(3)};
    click(7); // the first pair held is the top row, already blocked: a random cell
    EXPECT_EQ(board(), "XOXOO..XO");
    rolls.values = {cellRoll(6)};
    thenNoMore();
    click(5);
    EXPECT_EQ(board(), "XOXOOXOXO");
    EXPECT_EQ(shownTexts(), (Texts{"It's a draw!!", "Play again?"}));
    EXPECT_EQ(scores(), (Scores{"1", "1", "0", "0", "0", "0"}));
}

TEST_F(ProgramTest, AClickWhileTheComputerIsToMoveOnlyAsksItToMove) {
    openGameWindow();
    startGame(Mode::easy, xStarts);
    rolls.values = {cellRoll(4)};
    click(0);
    game().cursymbol = "O";
    game().computerturn = true;
    rolls.values = {cellRoll(8)};
    click(0); // taken, but the click only asks for the computer's move
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(board(), "X...O...O");
    EXPECT_FALSE(game().computerturn);
}

TEST_F(ProgramTest, EmptyNameIsAskedAgainAndCancelLeavesNoGame) {
    openGameWindow();
    names.answers = {"", "Ann", std::nullopt};
    newGame(Mode::twoPlayers);
    EXPECT_EQ(shownTexts(), Texts{"Enter your name Player 1!"});
    ASSERT_EQ(names.shown.size(), 3u);
    EXPECT_EQ(names.shown[0].prompt, "Enter your name player 1:");
    EXPECT_EQ(names.shown[2].prompt, "Enter your name player 2:");
    EXPECT_EQ(names.shown[2].title, "Noughts and Crosses");
    EXPECT_TRUE(boardDisabled());
    EXPECT_FALSE(main().resetgrid->isEnabled());
    EXPECT_FALSE(main().pausegame->isEnabled());
    EXPECT_EQ(main().progress->text(), "Ready");

    startGame(Mode::twoPlayers, xStarts); // a new game can still begin
    EXPECT_TRUE(boardEnabled());
    EXPECT_EQ(main().p1status->title(), "Ann");
}

// Cancelling a name prompt abandons the new game: the game, its window and its menus are as
// they were before "Start a new game", and the game that was there goes on.
TEST_F(ProgramTest, CancellingANameAbandonsTheNewGameAndTheOldOneGoesOn) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    play({4, 0});
    // A pause and its end leave the two reset menu items enabled.
    main().menu_pausegame->trigger();
    main().menu_pausegame->trigger();
    ASSERT_TRUE(main().menu_resetgrid->isEnabled());
    const ControlsState controls = main().controlsState();
    const ModuleState state = game();

    for (const Mode mode : {Mode::twoPlayers, Mode::easy}) {
        names.answers = {"Cid", std::nullopt}; // player 2 cancelled, or player 1 at once
        if (mode == Mode::easy)
            names.answers = {std::nullopt};
        newGame(mode);
        EXPECT_TRUE(main().controlsState() == controls);
        EXPECT_TRUE(static_cast<const ModuleState&>(game()) == state);
        EXPECT_EQ(main().p1status->title(), "Ann");
        EXPECT_TRUE(main().menu_resetgrid->isEnabled());
        EXPECT_TRUE(main().menu_resettable->isEnabled());
        EXPECT_EQ(board(), "O...X....");
    }
    click(8);
    EXPECT_EQ(board(), "O...X...X");
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");

    // The reset grid plays on with both old names.
    rolls.values.push_back(oStarts);
    QTest::mouseClick(main().resetgrid, Qt::LeftButton);
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");
    EXPECT_EQ(game().p1name, "Ann");
    EXPECT_EQ(game().p2name, "Bob");
}

TEST_F(ProgramTest, TheGameWindowFirstStandsInTheMiddleOfTheScreen) {
    const platform::app::TestScreen screen(1280, 900, 24);
    MainForm& window = openGameWindow();
    EXPECT_EQ(window.pos(), QPoint((1280 - window.width()) / 2, (900 - window.height()) / 2));
    EXPECT_TRUE(QRect(0, 0, 1280, 900).contains(window.frameGeometry()));
}

// Every sound is the one play sequence on the game window's player: close, the three
// switches, the device type, the file, open, play.
TEST_F(ProgramTest, EverySoundIsThePlaySequenceOnTheGameWindowsPlayer) {
    using platform::vbforms::Value;
    using Puts = std::vector<std::pair<int, Value>>;
    const auto sequence = [](const std::string& file) {
        return Puts{{23, Value(std::string("Close"))}, {24, Value(false)},
                    {25, Value(true)},                 {26, Value(false)},
                    {21, Value(std::string("WaveAudio"))}, {22, Value(file)},
                    {23, Value(std::string("Open"))},  {23, Value(std::string("Play"))}};
    };
    const auto of = [](std::initializer_list<Puts> parts) {
        Puts all;
        for (const Puts& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    struct Case {
        const char* name;
        std::function<void()> action;
        Puts expected;
    };
    const Case cases[] = {
        {"board click", [&] { click(4); }, sequence("sounds\\button.WAV")},
        {"reset grid",
         [&] {
             rolls.values.push_back(xStarts);
             QTest::mouseClick(main().resetgrid, Qt::LeftButton);
         },
         sequence("sounds\\menubutton.WAV")},
        {"reset table", [&] { QTest::mouseClick(main().resettable, Qt::LeftButton); },
         sequence("sounds\\menubutton.WAV")},
        // The button's own sound, then the pause's.
        {"pause button", [&] { QTest::mouseClick(main().pausegame, Qt::LeftButton); },
         of({sequence("sounds\\menubutton.WAV"), sequence("sounds\\menubutton.WAV")})},
        {"resume from the menu", [&] { main().menu_pausegame->trigger(); },
         sequence("sounds\\menubutton.WAV")},
        {"a win",
         [&] {
             thenNoMore();
             play({0, 3, 1, 5});
             mci.puts.clear();
             click(2);
         },
         of({sequence("sounds\\button.WAV"), sequence("sounds\\win.wav")})},
    };
    for (const Case& c : cases) {
        mci.puts.clear();
        c.action();
        Puts made;
        for (const auto& put : mci.puts) {
            EXPECT_EQ(put.control, "MMControl1") << c.name;
            made.emplace_back(put.dispid, put.value);
        }
        EXPECT_EQ(made, c.expected) << c.name;
    }
}

// Left open by the game's rules and kept so: a new game ends neither the pause nor the
// reset menu items' disabling; the next press of "Pause the game" resumes.
TEST_F(ProgramTest, ANewGameStartedWhilePaused) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    click(4);
    QTest::mouseClick(main().pausegame, Qt::LeftButton);
    ASSERT_TRUE(game().paused);
    startGame(Mode::twoPlayers, oStarts);
    EXPECT_EQ(board(), ".........");
    EXPECT_TRUE(boardEnabled());
    EXPECT_TRUE(main().resetgrid->isEnabled());
    EXPECT_TRUE(main().resettable->isEnabled());
    EXPECT_TRUE(main().pausegame->isEnabled());
    EXPECT_FALSE(main().menu_pausegame->isChecked());
    EXPECT_TRUE(game().paused);
    EXPECT_FALSE(main().menu_resetgrid->isEnabled());
    EXPECT_FALSE(main().menu_resettable->isEnabled());
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");

    QTest::mouseClick(main().pausegame, Qt::LeftButton);
    EXPECT_FALSE(game().paused);
    EXPECT_EQ(shownTexts(), (Texts{"Game paused", "Game unpaused"}));
    EXPECT_TRUE(main().menu_resetgrid->isEnabled());
    click(0);
    EXPECT_EQ(board(), "O........");
}

// Disabled until a pause ends; then they do what the two buttons do.
TEST_F(ProgramTest, TheTwoResetMenuItems) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    EXPECT_FALSE(main().menu_resetgrid->isEnabled());
    EXPECT_FALSE(main().menu_resettable->isEnabled());
    thenNoMore();
    play({0, 3, 1, 4, 2});
    ASSERT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
    main().menu_pausegame->trigger();
    main().menu_pausegame->trigger();
    ASSERT_TRUE(main().menu_resetgrid->isEnabled());

    mci.commands.clear();
    rolls.values.push_back(oStarts);
    main().menu_resetgrid->trigger();
    EXPECT_EQ(board(), ".........");
    EXPECT_EQ(game().gameover, "False");
    EXPECT_EQ(main().playername->text(), "It is Bob's turn");
    EXPECT_EQ(scores(), (Scores{"1", "0", "1", "0", "0", "1"}));
    ASSERT_FALSE(mci.commands.empty());
    EXPECT_EQ(mci.commands.back().file, "sounds\\menubutton.WAV");

    main().menu_resettable->trigger();
    EXPECT_EQ(scores(), Scores(6, "0"));
    EXPECT_EQ(main().p1status->title(), "Ann");
}

TEST_F(ProgramTest, NewGameBoxFromTheMenuThenFromTheButton) {
    openGameWindow();
    main().menu_startnewgame->trigger();
    ASSERT_TRUE(program.gametype.loaded());
    GameType* box = program.gametype.get();
    EXPECT_FALSE(box->isModal());
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    EXPECT_EQ(program.gametype.get(), box); // the same box, now modal
    EXPECT_TRUE(box->isModal());
    names.answers = {"Ann"};
    rolls.values = {xStarts};
    QTest::mouseClick(box->finish, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.gametype.loaded());
    EXPECT_TRUE(boardEnabled());
}

TEST_F(ProgramTest, ClosingTheGameWindowWithTheNewGameBoxOpenEndsTheProgram) {
    openGameWindow();
    main().menu_startnewgame->trigger();
    main().close();
    deleteUnloadedForms();
    EXPECT_FALSE(program.main.loaded());
    EXPECT_FALSE(program.gametype.loaded());
    EXPECT_TRUE(program.ended());
    EXPECT_EQ(mci.commands.back().command, "Close");
}

TEST_F(ProgramTest, ExitButtonPlaysItsSoundAndEndsTheProgram) {
    openGameWindow();
    sounds.clear();
    QTest::mouseClick(main().exit, Qt::LeftButton);
    EXPECT_TRUE(program.ended());
    EXPECT_FALSE(program.main.loaded());
    EXPECT_EQ(sounds.played(), Texts{"sounds\\menubutton.WAV"});
}

TEST_F(ProgramTest, ExitMenuEndsTheProgramSilently) {
    openGameWindow();
    sounds.clear();
    main().menu_Exit_game->trigger();
    EXPECT_TRUE(program.ended());
    EXPECT_TRUE(sounds.played().empty());
}

TEST_F(ProgramTest, ProgressBarIsEmptyAfterEverySweep) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    std::vector<float> values;
    main().pgbar().setView([&] { values.push_back(main().pgbar().get(ProgressBar::value)); });
    click(4);
    click(0);
    main().pgbar().setView({});
    // Each click: the minimum, 0 to 200, the minimum again.
    ASSERT_EQ(values.size(), 2u * (3 + 201 + 1));
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 200.0f);
    EXPECT_EQ(values.back(), 0.0f);
    EXPECT_EQ(main().pgbar().get(ProgressBar::maximum), 200.0f);
}

TEST_F(ProgramTest, PictureOfAGameInProgress) {
    MainForm& window = openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    play({4, 0, 2, 6, 3});
    const QImage picture = window.grab().toImage();
    EXPECT_EQ(picture.width(), 510);
    const QString folder = qEnvironmentVariable("ZV_TEST_OUTPUT_DIR");
    ASSERT_FALSE(folder.isEmpty());
    QDir().mkpath(folder);
    EXPECT_TRUE(picture.save(folder + "/gridlet-game.png"));
    // The cross is drawn through its cell's centre in blue; the nought is a red ring with the
    // button showing through in its middle.
    const auto at = [&](int cell, int dx) {
        QPushButton* button = window.grid[static_cast<std::size_t>(cell)];
        return QColor(
            picture.pixel(button->mapTo(&window, button->rect().center() + QPoint(dx, 0))));
    };
    EXPECT_GT(at(4, 0).blue(), at(4, 0).red() + 60);
    EXPECT_GT(at(0, 21).red(), at(0, 21).blue() + 60);
    EXPECT_LT(std::abs(at(0, 0).red() - at(0, 0).blue()), 30);
}

} // namespace
} // namespace noughts::test
