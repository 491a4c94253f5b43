#pragma once
// A game window without widgets: the board as nine captions, the other controls as the values
// last written to them.
#include "noughts/game.h"
#include "rolls.h"

#include <algorithm>
#include <map>
#include <vector>

namespace noughts::test {

class FakeWindow : public MainControls {
public:
    std::array<std::string, cellCount> cells{};
    std::array<bool, cellCount> cellEnabled{};
    std::string progress, playername;
    std::vector<std::string> progressLog; // every status text, in order
    std::map<ScoreLabel, std::string> scores;
    std::map<Button, bool> buttons;
    std::map<MenuItem, bool> menus;
    bool pauseChecked = false;
    std::string status[3];
    platform::vbforms::MMControl mmcontrol{"MMControl1"};
    platform::vbforms::ProgressBar bar;

    // A board from a picture such as "X.O" "..." "X.X"; '.' is an empty cell.
    void setBoard(const std::string& picture) {
        for (int i = 0; i < cellCount; ++i)
            cells[static_cast<std::size_t>(i)] =
                picture[static_cast<std::size_t>(i)] == '.'
                    ? ""
                    : std::string(1, picture[static_cast<std::size_t>(i)]);
    }
    std::string board() const {
        std::string picture;
        for (const std::string& cell : cells)
            picture += cell.empty() ? '.' : cell[0];
        return picture;
    }

    std::string gridCaption(int index) const override {
        return cells.at(static_cast<std::size_t>(index));
    }
    void setGridCaption(int index, const std::string& caption) override {
        cells.at(static_cast<std::size_t>(index)) = caption;
    }
    void setGridEnabled(int index, bool enabled) override {
        cellEnabled.at(static_cast<std::size_t>(index)) = enabled;
    }
    void setProgress(const std::string& text) override {
        progress = text;
        progressLog.push_back(text);
    }
    void setPlayername(const std::string& text) override { playername = text; }
    void setScore(ScoreLabel label, const std::string& text) override { scores[label] = text; }
    void setPlayerStatus(int player, const std::string& caption) override {
        status[player] = caption;
    }
    void setButtonEnabled(Button button, bool enabled) override { buttons[button] = enabled; }
    void setMenuEnabled(MenuItem item, bool enabled) override { menus[item] = enabled; }
    void setPauseChecked(bool checked) override { pauseChecked = checked; }
    platform::vbforms::MMControl& MMControl1() override { return mmcontrol; }
    platform::vbforms::ProgressBar& pgbar() override { return bar; }
    // The board and the two lines only: the players' tests need no more.
    ControlsState controlsState() const override {
        ControlsState state;
        state.captions = cells;
        state.cellsEnabled = cellEnabled;
        state.progress = progress;
        state.playername = playername;
        return state;
    }
    void restoreControls(const ControlsState& state) override {
        cells = state.captions;
        cellEnabled = state.cellsEnabled;
        progress = state.progress;
        playername = state.playername;
    }
};

} // namespace noughts::test
