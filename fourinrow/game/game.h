#pragma once

// The four-in-a-row game object: board, history, opponents and settings (all held in one
// GameStateRecord), the rules, the files, and the computer player that searches on the same
// board. One instance lives as long as the main window.

#include "fourinrow/game/game_record.h"
#include "fourinrow/game/line_scan.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>

namespace fourinrow {

// The weights and strategy the opponent editor shows (the win weights are not edited).
struct OpponentSettings {
    std::array<std::int32_t, 3> offensive{}; // runs of 1, 2, 3 own discs
    std::array<std::int32_t, 3> defensive{}; // runs of 1, 2, 3 of the other colour
    std::uint8_t strategy = 0;
    std::string name;
    bool operator==(const OpponentSettings&) const = default;
};

struct SystemFlags {
    bool autoMinimize = false;
    bool showProgress = false;
};

enum class WeightKind : std::uint8_t { Offensive = 0, Defensive = 1 };

// Values of the root moves by column: [1..7]; [0] is unused. Full columns keep a value that
// means nothing.
using ColumnValues = std::array<std::int32_t, kColumns + 1>;

struct RootResult {
    ColumnValues values{};
    std::int32_t best = 0;
};

// Root moves close enough to the best, in search order.
struct Candidates {
    std::array<std::uint8_t, kColumns> columns{};
    int count = 0;
};

struct MoveChoice {
    int column = 0; // 0 after a Break
    std::int32_t value = 0;
};

// Columns in the order the search tries them: centre first.
inline constexpr std::array<std::uint8_t, kColumns> kSearchOrder = {4, 3, 5, 2, 6, 1, 7};

class gameClass {
public:
    static constexpr const char* kSettingsFile = "kolvan32.dat";
    static constexpr std::chrono::milliseconds kDefaultPumpInterval{5};

    // Seeds the random generator from the clock and loads "kolvan32.dat" from the current
    // directory; a missing, short or invalid file gives the built-in record.
    gameClass();
    // The same with another settings file and a fixed seed.
    gameClass(std::string settingsFile, std::uint32_t seed);

    // True when the settings file does not exist or the first-run byte is set; clears the
    // byte in memory either way.
    bool TakeFirstRunFlag();
    // Replaces the record from a saved game, keeping the two system flags. A file that cannot
    // be read, is short or fails validation changes nothing.
    void LoadGame(const std::string& fileName);
    // Clears the break byte and writes the record; write errors are swallowed. During a search
    // the position the search started from is written, not the discs it is trying out.
    void SaveGame(const std::string& fileName);
    void NewGame();
    void SetFirstMover(int colour);
    bool DropPiece(int column);
    void UndoMove();
    // Does the last mover have four in a row? Sets the four flag.
    bool HasFour();
    // Column 1..7 under a window point, 0 outside the board or in the gaps between discs.
    static int ColumnAt(int x, int y);
    void RecordWinLevel();
    void AdvanceChallenge();
    // gameType -1: depth 0 resets to level 1, else depth is added when the result stays a
    // level. Otherwise sets both (depth = level + 3).
    void SetGameTypeAndLevel(int gameType, int depth);
    void SelectOpponent(int opponent);
    // Opponent 1..6; weights are kept to the editor's range, the name cut to 10 characters.
    void SetOpponent(int opponent, const OpponentSettings& settings);
    OpponentSettings GetOpponent(int opponent) const;
    static OpponentSettings GetDefaultOpponent(int opponent);
    std::string GetOpponentName(int opponent) const;
    void SetPlayerName(std::string_view name);
    std::string GetPlayerName() const;
    void SetSystemFlags(bool autoMinimize, bool showProgress);
    SystemFlags GetSystemFlags() const;
    void SetRandomLevel(bool on);
    bool GetRandomLevel() const;
    int GetBestLevel(int opponent) const;
    int GetLevel() const;
    int GetOpponentIndex() const;
    bool IsTwoPlayer() const;
    int GetLastMover() const;
    int GetMoveCount() const;
    int GetLastColumn() const;
    // Display height: where the next disc of the column is drawn.
    int GetColumnHeight(int column) const;
    // 0, 1 or 2 as the board is shown (unchanged by the search's trial discs).
    int GetCell(int column, int row) const;
    bool IsThinking() const;
    void RequestBreak();

    // --- computer player ---

    // Lets pending window messages run while the computer thinks; called from the search's
    // leaves at most once per interval. May call RequestBreak. By default the platform's
    // message pump (nothing without an application object).
    void SetMessagePump(std::function<void()> pump,
                        std::chrono::microseconds interval = kDefaultPumpInterval);
    // Receives 1..7 as the root search passes each column (the progress bar's range is 0..7).
    void SetProgressHook(std::function<void(int)> progress);
    void SeedRandom(std::uint32_t seed);

    // Thinks and plays for the colour to move; false after a Break (nothing played).
    bool ComputerMove();
    // Depth and opponent for this move, the search and the choice; column 0 after a Break.
    MoveChoice ChooseMove();
    // Looks ahead for the colour to move (which becomes the computer colour) at the record's
    // depth. Needs an opponent with a profile (1..6); ChooseMove draws one for "Random".
    RootResult RootSearch();
    Candidates CollectCandidates(const ColumnValues& values, std::int32_t best);
    bool AcceptMove(std::int32_t value, std::int32_t best);
    // The computer colour's offensive score minus the other colour's defensive score.
    std::int32_t Evaluate();
    // Static score of colour 0 or 1 with the current opponent's weights; sets the four flag.
    std::int32_t EvaluateColour(int colour, WeightKind kind);

    const GameStateRecord& Record() const { return record_; }

private:
    std::int32_t Search(int depthReached, std::int32_t alpha, std::int32_t beta, bool maximizing);
    static std::function<void()> DefaultPump();
    void PumpFromLeaf();
    int Random(int n);
    void ReplaceRecord(const GameStateRecord& record);
    const OpponentProfile& CurrentProfile() const {
        return record_.opponents[record_.opponent - 1];
    }

    GameStateRecord record_;
    std::string settingsFile_;
    std::mt19937 random_;

    // Search scratch, never stored: the discs of each colour as bit sets (see line_scan.h),
    // kept in step with the board by DropPiece and UndoMove.
    std::array<line_scan::Bits, 2> discs_{};
    int searchStartMoveCount_ = 0;

    std::function<void()> pump_ = DefaultPump();
    std::function<void(int)> progress_;
    std::chrono::steady_clock::duration pumpInterval_ = kDefaultPumpInterval;
    std::chrono::steady_clock::time_point lastPump_{};
    int leavesUntilClockCheck_ = 1;
};

inline bool IsColumnNumber(int column) {
    return column >= 1 && column <= kColumns;
}

// The search calls these at every node, so they are inline.

inline bool gameClass::DropPiece(int column) {
    if (!IsColumnNumber(column) || record_.heights[column - 1] > kRows)
        return false;
    const int row = record_.heights[column - 1]++;
    record_.cell(column, row) = record_.toMove;
    discs_[record_.toMove] |= line_scan::CellBit(column, row);
    ++record_.moveCount;
    std::swap(record_.toMove, record_.lastMover);
    record_.history[record_.moveCount - 1] = static_cast<std::uint8_t>(column);
    if (!record_.thinking)
        ++record_.displayHeights[column - 1];
    return true;
}

inline void gameClass::UndoMove() {
    if (record_.moveCount == 0)
        return;
    const int column = record_.history[record_.moveCount - 1];
    const int row = --record_.heights[column - 1];
    record_.cell(column, row) = kEmpty;
    discs_[record_.lastMover] &= ~line_scan::CellBit(column, row);
    if (!record_.thinking)
        --record_.displayHeights[column - 1];
    --record_.moveCount;
    std::swap(record_.toMove, record_.lastMover);
}

inline bool gameClass::HasFour() {
    // The evaluation answers this with opponent 1's offensive weights; only its four flag
    // matters, and a positive win weight makes that flag exactly "four in a row".
    const bool four = line_scan::HasFourInARow(discs_[record_.lastMover]);
    record_.fourFlag = four ? 1 : 0;
    return four;
}

} // namespace fourinrow
