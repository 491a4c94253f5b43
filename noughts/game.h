#pragma once
// The rules of noughts and crosses and the score table kept while the program runs. The board
// is the captions of the game window's nine cells; the game procedures read and write them and
// the window's other controls through MainControls.
#include "platform/vbforms/runtime.h"

#include <array>
#include <cstdint>
#include <string>

namespace noughts {

inline const std::string appTitle = "Noughts and Crosses";

enum class ScoreLabel { total, draws, onewins, onelosses, twowins, twolosses };
enum class Button { resetgrid, resettable, pausegame };
enum class MenuItem { resetgrid, resettable, pausegame };

inline constexpr int cellCount = 9;

// Everything of the game window that the game procedures write, as it stands.
struct ControlsState {
    std::array<std::string, cellCount> captions;
    std::array<bool, cellCount> cellsEnabled{};
    std::string progress, playername;
    std::array<std::string, 6> scores; // in the order of ScoreLabel
    std::string p1status, p2status;
    std::array<bool, 3> buttonsEnabled{}; // in the order of Button
    std::array<bool, 3> menusEnabled{};   // in the order of MenuItem
    bool pauseChecked = false;

    bool operator==(const ControlsState&) const = default;
};

// The controls of the game window that the game procedures use.
class MainControls {
public:
    virtual std::string gridCaption(int index) const = 0;
    virtual void setGridCaption(int index, const std::string& caption) = 0;
    virtual void setGridEnabled(int index, bool enabled) = 0;
    virtual void setProgress(const std::string& text) = 0;   // the status line
    virtual void setPlayername(const std::string& text) = 0; // the turn line
    virtual void setScore(ScoreLabel label, const std::string& text) = 0;
    virtual void setPlayerStatus(int player, const std::string& caption) = 0; // 1 or 2
    virtual void setButtonEnabled(Button button, bool enabled) = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void setPauseChecked(bool checked) = 0;
    virtual platform::vbforms::MMControl& MMControl1() = 0;
    virtual platform::vbforms::ProgressBar& pgbar() = 0;
    // What the controls above show, and putting all of it back.
    virtual ControlsState controlsState() const = 0;
    virtual void restoreControls(const ControlsState& state) = 0;

protected:
    ~MainControls() = default;
};

// The eight lines in the order they are tested.
inline constexpr std::array<std::array<int, 3>, 8> lines = {{
    {0, 1, 2},
    {3, 4, 5},
    {6, 7, 8}, // rows
    {0, 3, 6},
    {1, 4, 7},
    {2, 5, 8}, // columns
    {0, 4, 8},
    {2, 4, 6}, // diagonals
}};

// The hard player's blocking table: when "X" holds both cells of a pair, "O" goes to the target.
struct BlockingPair {
    int first;
    int second;
    int target;
};
inline constexpr std::array<BlockingPair, 24> blockingPairs = {{
    {0, 2, 1}, {0, 1, 2}, {1, 2, 0}, {3, 4, 5}, {3, 5, 4}, {4, 5, 3}, {6, 7, 8}, {7, 8, 6},
    {6, 8, 7}, {0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {0, 6, 3}, {1, 7, 4}, {2, 8, 5}, {6, 3, 0},
    {7, 4, 1}, {8, 5, 2}, {0, 4, 8}, {0, 8, 4}, {8, 4, 0}, {2, 4, 6}, {6, 4, 2}, {2, 6, 4},
}};

// The module state read and written by the forms.
struct ModuleState {
    bool computerturn = false;
    bool twoplayer = false;
    std::string gameover; // "True", "False", or empty before the first game
    std::string cursymbol;
    bool hardgame = false;
    std::string p1name, p2name;
    std::int16_t p1wins = 0, p1losses = 0, p2wins = 0, p2losses = 0;
    std::int16_t totalgames = 0, drawgames = 0;
    std::int16_t startroll = 0;
    std::int16_t ainumber = 0;
    bool paused = false;

    bool operator==(const ModuleState&) const = default;
};

// One instance for the whole run; nothing of it is saved.
class Game : public ModuleState {
public:
    explicit Game(MainControls& main) : main_(main) {}

    // The game with its window, to go back to when a new game is abandoned.
    struct Snapshot {
        ModuleState state;
        ControlsState controls;
    };
    Snapshot snapshot() const { return {*this, main_.controlsState()}; }
    void restore(const Snapshot& snapshot);

    // gameover read as a Boolean; no game yet counts as not over.
    bool isOver() const { return gameover == "True"; }
    // Whether a game has been begun (the board has been enabled for play).
    bool begun() const { return !gameover.empty(); }

    // False when a name prompt was cancelled: the new game is not started, and the caller
    // puts back what was there before.
    bool startgame();
    void reset();
    void resettable();
    void playerchoose();
    void checkbuttons();
    void winner();
    void changeturn();
    void changeturnvscomputer();
    void pausegame();

    // The computer players; the caller sets cursymbol to "O" first.
    void ai();
    void hardai();
    // The player chosen in the new-game box.
    void computermove();

private:
    void setGrid(bool enabled);
    void showTurn(const std::string& name);
    void draw();
    void playAgain();
    bool askName(const std::string& prompt, const std::string& refusal, std::string& name);
    bool hasEmptyCell() const;

    MainControls& main_;
};

} // namespace noughts
