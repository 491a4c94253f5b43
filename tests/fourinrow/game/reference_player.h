#pragma once

// A plain computer player written straight from the description of the game's look-ahead:
// cell-by-cell line scans, no bit sets, a message pump at every leaf. The real player must
// agree with it value for value; the benchmark measures both side by side.

#include "fourinrow/game/game.h"

#include <functional>
#include <random>

namespace fourinrow::reference {

class ReferencePlayer {
public:
    explicit ReferencePlayer(const GameStateRecord& record, std::function<void()> pump = {});

    GameStateRecord& record() { return record_; }

    bool DropPiece(int column);
    void UndoMove();
    bool HasFour();

    std::int32_t EvaluateColour(int colour, WeightKind kind);
    std::int32_t Evaluate();
    // Root look-ahead for the colour to move at the record's depth.
    RootResult RootSearch();
    Candidates CollectCandidates(const ColumnValues& values, std::int32_t best,
                                 std::mt19937& random);

private:
    std::int32_t Search(int d, std::int32_t alpha, std::int32_t beta, bool maximizing);
    bool AcceptMove(std::int32_t v, std::int32_t best, std::mt19937& random);

    void ClearScratch();
    void ScanRisingDiagonals();
    void ScanFallingDiagonals();
    void ScanRows();
    void ScanColumns();
    // One line: windows of four cells from (column, row) stepping (dc, dr).
    void ScanLine(int column, int row, int dc, int dr, int windows, bool useMultiplier);
    bool ScanCell(int column, int row); // false ends the window
    void EndWindow();
    bool MarkThreat(int column, int row); // false when already marked
    void AddLineWeight();
    const OpponentProfile& Profile() const { return record_.opponents[record_.opponent - 1]; }

    GameStateRecord record_;
    std::function<void()> pump_;

    std::array<std::int32_t, 8> threatMarks_{};
    std::array<std::int32_t, 5> runSums_{};
    int runCount_ = 0;
    int longestRun_ = 0;
    int multiplier_ = 1;
    int evaluatedColour_ = 0;
    WeightKind weightKind_ = WeightKind::Offensive;
    int emptyColumn_ = 0;
    int emptyRow_ = 0;
};

} // namespace fourinrow::reference
