#include "noughts/game.h"

#include "noughts/sound.h"

#include <limits>

namespace noughts {

using platform::vbforms::Answer;
using platform::vbforms::Buttons;
using platform::vbforms::MsgBox;

namespace {

// The counters are 16-bit; they stop at their largest value instead of overflowing.
void count(std::int16_t& counter) {
    if (counter < std::numeric_limits<std::int16_t>::max())
        ++counter;
}

void message(const std::string& text) {
    MsgBox(text, Buttons::Ok, appTitle);
}

} // namespace

void Game::setGrid(bool enabled) {
    for (int i = 0; i < cellCount; ++i)
        main_.setGridEnabled(i, enabled);
}

void Game::showTurn(const std::string& name) {
    main_.setPlayername("It is " + name + "'s turn");
}

bool Game::hasEmptyCell() const {
    for (int i = 0; i < cellCount; ++i)
        if (main_.gridCaption(i).empty())
            return true;
    return false;
}

void Game::restore(const Snapshot& snapshot) {
    static_cast<ModuleState&>(*this) = snapshot.state;
    main_.restoreControls(snapshot.controls);
}

bool Game::startgame() {
    reset();
    resettable();
    main_.setButtonEnabled(Button::resettable, true);
    main_.setButtonEnabled(Button::resetgrid, true);
    main_.setProgress("Initializing players. . .");
    for (int i = 0; i < cellCount; ++i)
        main_.setGridCaption(i, "");
    setGrid(true);
    gameover = "False";

    if (!askName("Enter your name player 1:", "Enter your name Player 1!", p1name))
        return false;
    if (twoplayer) {
        if (!askName("Enter your name player 2:", "Enter your name Player 2!", p2name))
            return false;
    } else {
        p2name = "Computer";
    }
    main_.setPlayerStatus(1, p1name);
    main_.setPlayerStatus(2, p2name);
    playerchoose();
    return true;
}

// Asks until a name is given; false when the prompt is cancelled or closed.
bool Game::askName(const std::string& prompt, const std::string& refusal, std::string& name) {
    for (;;) {
        const auto answer = platform::vbforms::InputBox(prompt, appTitle, "");
        if (!answer)
            return false;
        if (!answer->empty()) {
            name = *answer;
            return true;
        }
        message(refusal);
    }
}

void Game::reset() {
    main_.setProgress("Resetting grid. . .");
    for (int i = 0; i < cellCount; ++i)
        main_.setGridCaption(i, "");
    setGrid(true);
    gameover = "False";
    main_.setPauseChecked(false);
    main_.setButtonEnabled(Button::pausegame, true);
}

void Game::resettable() {
    main_.setProgress("Resetting table. . .");
    for (ScoreLabel label : {ScoreLabel::total, ScoreLabel::onewins, ScoreLabel::onelosses,
                             ScoreLabel::twowins, ScoreLabel::twolosses, ScoreLabel::draws})
        main_.setScore(label, "0");
    p1losses = p2losses = p1wins = p2wins = totalgames = drawgames = 0;
    main_.setProgress("Ready");
}

void Game::playerchoose() {
    main_.setProgress("Determining player to start. . .");
    platform::vbforms::Randomize();
    startroll = static_cast<std::int16_t>(static_cast<double>(platform::vbforms::Rnd()) * 101);
    if (startroll >= 50) {
        cursymbol = "X";
        showTurn(p1name);
        if (!twoplayer)
            computerturn = false;
    } else {
        cursymbol = "O";
        showTurn(p2name);
        if (!twoplayer)
            computermove();
    }
    main_.setProgress("Ready");
}

void Game::checkbuttons() {
    main_.setProgress("Checking grid matchup. . .");
    if (!isOver()) {
        bool won = false;
        for (const auto& line : lines) {
            won = main_.gridCaption(line[0]) == cursymbol &&
                  main_.gridCaption(line[1]) == cursymbol &&
                  main_.gridCaption(line[2]) == cursymbol;
            if (won)
                break;
        }
        if (won)
            winner();
        else if (!hasEmptyCell())
            draw();
        else if (twoplayer)
            changeturn();
        else
            changeturnvscomputer();
    }
    main_.setProgress("Ready");
}

void Game::draw() {
    main_.setProgress("Draw detected. . .");
    playsound(main_.MMControl1(), sounds::draw);
    message("It's a draw!!");
    count(totalgames);
    main_.setScore(ScoreLabel::total, std::to_string(totalgames));
    count(drawgames);
    main_.setScore(ScoreLabel::draws, std::to_string(drawgames));
    gameover = "True";
    playAgain();
}

void Game::winner() {
    playsound(main_.MMControl1(), sounds::win);
    main_.setProgress("Winner detected. . .");
    const bool crosses = cursymbol == "X";
    message("The winner is: " + (crosses ? p1name : p2name));
    count(totalgames);
    count(crosses ? p1wins : p2wins);
    count(crosses ? p2losses : p1losses);
    gameover = "True";
    computerturn = false;
    main_.setButtonEnabled(Button::pausegame, false);
    main_.setScore(ScoreLabel::total, std::to_string(totalgames));
    main_.setScore(ScoreLabel::onewins, std::to_string(p1wins));
    main_.setScore(ScoreLabel::twowins, std::to_string(p2wins));
    main_.setScore(ScoreLabel::twolosses, std::to_string(p2losses));
    main_.setScore(ScoreLabel::onelosses, std::to_string(p1losses));
    playAgain();
}

// Yes starts the next game at once with the same names and scores; No leaves the finished
// board as it is.
void Game::playAgain() {
    if (MsgBox("Play again?", Buttons::YesNo, appTitle) == Answer::Yes) {
        reset();
        playerchoose();
    }
}

void Game::changeturn() {
    if (cursymbol == "O") {
        cursymbol = "X";
        showTurn(p1name);
    } else {
        cursymbol = "O";
        showTurn(p2name);
    }
}

void Game::changeturnvscomputer() {
    if (cursymbol == "O") {
        cursymbol = "X";
        showTurn(p1name);
        return;
    }
    cursymbol = "O";
    showTurn(p2name);
    computermove();
}

void Game::pausegame() {
    playsound(main_.MMControl1(), sounds::menubutton);
    if (paused) {
        // Before any game the board and the reset controls have nothing to resume.
        if (begun()) {
            setGrid(true);
            main_.setButtonEnabled(Button::resetgrid, true);
            main_.setButtonEnabled(Button::resettable, true);
            main_.setMenuEnabled(MenuItem::resettable, true);
            main_.setMenuEnabled(MenuItem::resetgrid, true);
        }
        paused = false;
        main_.setPauseChecked(false);
        message("Game unpaused");
        main_.setProgress("Game unpaused");
    } else {
        setGrid(false);
        main_.setPauseChecked(true);
        paused = true;
        main_.setButtonEnabled(Button::resetgrid, false);
        main_.setButtonEnabled(Button::resettable, false);
        main_.setMenuEnabled(MenuItem::resettable, false);
        main_.setMenuEnabled(MenuItem::resetgrid, false);
        message("Game paused");
        main_.setProgress("Game paused");
    }
}

void Game::computermove() {
    if (hardgame)
        hardai();
    else
        ai();
}

void Game::ai() {
    // A full board has no cell to find; the search would never end.
    if (isOver() || !hasEmptyCell())
        return;
    main_.setProgress("Computer is thinking. . .");
    int cell = 0;
    do {
        platform::vbforms::Randomize();
        ainumber = static_cast<std::int16_t>(static_cast<double>(platform::vbforms::Rnd()) * 1001);
        // Rolls of 901 and above fall in no band and keep the cell of the previous draw.
        if (ainumber <= 100)
            cell = 0;
        else if (ainumber <= 900)
            cell = (ainumber - 1) / 100;
    } while (!main_.gridCaption(cell).empty());
    main_.setGridCaption(cell, cursymbol);
    computerturn = false;
    checkbuttons();
}

void Game::hardai() {
    for (const BlockingPair& pair : blockingPairs) {
        if (main_.gridCaption(pair.first) != "X" || main_.gridCaption(pair.second) != "X")
            continue;
        // Only the first pair held by "X" counts, even when its target is already taken.
        if (!main_.gridCaption(pair.target).empty())
            break;
        main_.setGridCaption(pair.target, "O");
        computerturn = false;
        checkbuttons();
        return;
    }
    ai();
}

} // namespace noughts
