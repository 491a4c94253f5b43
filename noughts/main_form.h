#pragma once
// The game window: the nine cells of the board, the game buttons, the score table, the status
// and turn lines, the progress bar and the menus. It holds no game state; its event
// procedures hand the game to Game.
#include "noughts/game.h"
#include "platform/vbforms/widgets.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>

namespace noughts {

class Program;

// A board cell: its caption is the cell's state, drawn as a crisp picture of the mark.
class CellButton : public QPushButton {
public:
    explicit CellButton(QWidget* parent) : QPushButton(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

class MainForm : public platform::vbforms::Form, public MainControls {
public:
    explicit MainForm(Program& program);
    ~MainForm() override;

    void Form_Load() override;
    void Form_Unload() override;

    // Event procedures.
    void grid_Click(int index);
    void startnewgame_Click();
    void menu_startnewgame_Click();
    void resetgrid_Click();
    void resettable_Click();
    void pausegame_Click();
    void menu_pausegame_Click();
    void menu_rulesmenu_Click();
    void menu_About_game_Click();
    void exit_Click();
    void menu_Exit_game_Click();

    // The controls the game procedures use.
    std::string gridCaption(int index) const override;
    void setGridCaption(int index, const std::string& caption) override;
    void setGridEnabled(int index, bool enabled) override;
    void setProgress(const std::string& text) override;
    void setPlayername(const std::string& text) override;
    void setScore(ScoreLabel label, const std::string& text) override;
    void setPlayerStatus(int player, const std::string& caption) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void setPauseChecked(bool checked) override;
    platform::vbforms::MMControl& MMControl1() override { return mmcontrol1_; }
    platform::vbforms::ProgressBar& pgbar() override { return pgbar_; }
    ControlsState controlsState() const override;
    void restoreControls(const ControlsState& state) override;

    // The controls, as the window shows them.
    std::array<CellButton*, cellCount> grid{};
    QPushButton *startnewgame, *resetgrid, *resettable, *pausegame, *exit;
    QGroupBox *p1status, *p2status;
    QLabel *onewins, *onelosses, *twowins, *twolosses, *draws, *total;
    QLabel *progress, *playername;
    QAction *menu_startnewgame, *menu_resetgrid, *menu_resettable, *menu_pausegame, *menu_Exit_game,
        *menu_rulesmenu, *menu_About_game;

private:
    Game& game();
    QLabel* scoreLabel(ScoreLabel label) const;
    QPushButton* button(Button button) const;
    QAction* menuItem(MenuItem item) const;

    Program& program_;
    platform::vbforms::MMControl mmcontrol1_{"MMControl1"};
    platform::vbforms::ProgressBar pgbar_;
    platform::vbforms::ProgressBarView* pgbarView_;
};

} // namespace noughts
