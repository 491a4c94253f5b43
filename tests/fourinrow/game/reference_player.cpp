#include "tests/fourinrow/game/reference_player.h"

#include <utility>

namespace fourinrow::reference {
namespace {
constexpr std::int32_t kInfinity = 2147483647;
constexpr std::array<std::int32_t, 6> kTolerance = {0, 1, 2, 3, 5, 7};
} // namespace

ReferencePlayer::ReferencePlayer(const GameStateRecord& record, std::function<void()> pump)
    : record_(record), pump_(std::move(pump)) {}

bool ReferencePlayer::DropPiece(int c) {
    if (c < 1 || c > 7 || record_.heights[c - 1] > 6)
        return false;
    record_.cell(c, record_.heights[c - 1]) = record_.toMove;
    record_.heights[c - 1] += 1;
    record_.moveCount += 1;
    std::swap(record_.toMove, record_.lastMover);
    record_.history[record_.moveCount - 1] = static_cast<std::uint8_t>(c);
    if (record_.thinking == 0)
        record_.displayHeights[c - 1] += 1;
    return true;
}

void ReferencePlayer::UndoMove() {
    if (record_.moveCount == 0)
        return;
    const int c = record_.history[record_.moveCount - 1];
    record_.cell(c, record_.heights[c - 1] - 1) = kEmpty;
    record_.heights[c - 1] -= 1;
    if (record_.thinking == 0)
        record_.displayHeights[c - 1] -= 1;
    record_.moveCount -= 1;
    std::swap(record_.toMove, record_.lastMover);
}

bool ReferencePlayer::HasFour() {
    const std::uint8_t opponent = record_.opponent;
    record_.opponent = 1;
    EvaluateColour(record_.lastMover, WeightKind::Offensive);
    record_.opponent = opponent;
    return record_.fourFlag != 0;
}

void ReferencePlayer::ClearScratch() {
    threatMarks_.fill(0);
    runSums_.fill(0);
}

bool ReferencePlayer::ScanCell(int column, int row) {
    const std::uint8_t cell = record_.cell(column, row);
    if (cell == evaluatedColour_) {
        runCount_ += 1;
        return true;
    }
    if (cell == kEmpty) {
        emptyColumn_ = column;
        emptyRow_ = row;
        return true;
    }
    runCount_ = 0;
    return false;
}

bool ReferencePlayer::MarkThreat(int column, int row) {
    const int bit = (row % 2 == 1) ? 1 : 2;
    if (threatMarks_[column] & bit)
        return false;
    threatMarks_[column] |= bit;
    const bool oddFavoured = row % 2 == 1 && evaluatedColour_ == record_.oddThreatColour;
    const bool evenFavoured = row % 2 == 0 && evaluatedColour_ != record_.oddThreatColour;
    if (oddFavoured || evenFavoured)
        multiplier_ = 2;
    return true;
}

void ReferencePlayer::EndWindow() {
    multiplier_ = 1;
    if (runCount_ == 3 && !MarkThreat(emptyColumn_, emptyRow_))
        runCount_ = 0;
    longestRun_ = std::max(longestRun_, runCount_);
    runCount_ = 0;
}

void ReferencePlayer::AddLineWeight() {
    const OpponentProfile& p = Profile();
    const auto& weights = weightKind_ == WeightKind::Offensive ? p.offensive : p.defensive;
    runSums_[longestRun_] += weights[longestRun_ - 1];
}

void ReferencePlayer::ScanLine(int column, int row, int dc, int dr, int windows,
                               bool useMultiplier) {
    multiplier_ = 1;
    for (int w = 0; w < windows; ++w) {
        for (int k = 0; k < 4; ++k)
            if (!ScanCell(column + (w + k) * dc, row + (w + k) * dr))
                break;
        EndWindow();
    }
    if (longestRun_ > 0) {
        const int times = useMultiplier ? multiplier_ : 1;
        for (int t = 0; t < times; ++t)
            AddLineWeight();
    }
    longestRun_ = 0;
}

void ReferencePlayer::ScanRisingDiagonals() {
    runCount_ = 0;
    longestRun_ = 0;
    const int starts[6][3] = {{1, 3, 1}, {1, 2, 2}, {1, 1, 3}, {2, 1, 3}, {3, 1, 2}, {4, 1, 1}};
    for (const auto& s : starts)
        ScanLine(s[0], s[1], 1, 1, s[2], true);
}

void ReferencePlayer::ScanFallingDiagonals() {
    runCount_ = 0;
    longestRun_ = 0;
    const int starts[6][3] = {{7, 3, 1}, {7, 2, 2}, {7, 1, 3}, {6, 1, 3}, {5, 1, 2}, {4, 1, 1}};
    for (const auto& s : starts)
        ScanLine(s[0], s[1], -1, 1, s[2], true);
}

void ReferencePlayer::ScanRows() {
    runCount_ = 0;
    longestRun_ = 0;
    for (int row = 1; row <= 6; ++row)
        ScanLine(1, row, 1, 0, 4, true);
}

void ReferencePlayer::ScanColumns() {
    runCount_ = 0;
    longestRun_ = 0;
    for (int column = 1; column <= 7; ++column)
        ScanLine(column, 1, 0, 1, 3, false);
}

std::int32_t ReferencePlayer::EvaluateColour(int colour, WeightKind kind) {
    ClearScratch();
    evaluatedColour_ = colour;
    weightKind_ = kind;
    ScanRisingDiagonals();
    if (runSums_[4] == 0)
        ScanFallingDiagonals();
    if (runSums_[4] == 0)
        ScanRows();
    if (runSums_[4] == 0)
        ScanColumns();
    const OpponentProfile& p = Profile();
    if (runSums_[4] > 0) {
        record_.fourFlag = 1;
        return (kind == WeightKind::Offensive ? p.offensive : p.defensive)[3];
    }
    record_.fourFlag = 0;
    return runSums_[1] + runSums_[2] + runSums_[3];
}

std::int32_t ReferencePlayer::Evaluate() {
    const int c = record_.computerColour;
    const std::int32_t h = EvaluateColour(1 - c, WeightKind::Defensive);
    if (record_.fourFlag)
        return -h;
    const std::int32_t own = EvaluateColour(c, WeightKind::Offensive);
    if (record_.fourFlag)
        return own;
    return own - h;
}

std::int32_t ReferencePlayer::Search(int d, std::int32_t alpha, std::int32_t beta,
                                     bool maximizing) {
    if (record_.breakRequested)
        return 0;
    if (d == record_.depth) {
        const std::int32_t v = Evaluate();
        if (pump_)
            pump_();
        return v;
    }
    for (const int column : kSearchOrder) {
        if (record_.breakRequested || !DropPiece(column))
            continue;
        if (maximizing) {
            if (alpha < beta) {
                if (HasFour())
                    alpha = Evaluate() - d;
                else
                    alpha = std::max(alpha, Search(d + 1, alpha, beta, false));
            }
        } else {
            if (alpha < beta) {
                if (HasFour())
                    beta = Evaluate() + d;
                else
                    beta = std::min(beta, Search(d + 1, alpha, beta, true));
            }
        }
        UndoMove();
    }
    return maximizing ? alpha : beta;
}

RootResult ReferencePlayer::RootSearch() {
    record_.computerColour = record_.toMove;
    RootResult result;
    result.values.fill(-kInfinity);
    result.best = -kInfinity;
    for (const int column : kSearchOrder) {
        if (record_.breakRequested)
            continue;
        if (DropPiece(column)) {
            if (HasFour())
                result.values[column] = Evaluate();
            else
                result.values[column] = Search(1, -kInfinity, kInfinity, false);
            if (result.values[column] > result.best)
                result.best = result.values[column];
            UndoMove();
        }
    }
    return result;
}

bool ReferencePlayer::AcceptMove(std::int32_t v, std::int32_t best, std::mt19937& random) {
    const std::int32_t tol = kTolerance[Profile().strategy];
    if (best >= -450 && best <= 450)
        return v + tol >= best;
    if (v == best)
        return true;
    return tol > 0 && std::uniform_int_distribution<int>(0, 15 - tol - 1)(random) == 0;
}

Candidates ReferencePlayer::CollectCandidates(const ColumnValues& values, std::int32_t best,
                                              std::mt19937& random) {
    Candidates candidates;
    for (const int column : kSearchOrder)
        if (record_.heights[column - 1] <= 6 && AcceptMove(values[column], best, random))
            candidates.columns[candidates.count++] = static_cast<std::uint8_t>(column);
    return candidates;
}

} // namespace fourinrow::reference
