// The computer player: static evaluation, fixed-order alpha-beta look-ahead and the choice
// among near-best root moves.

#include "fourinrow/game/game.h"

#include "fourinrow/game/line_scan.h"
#include "platform/app/clock.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace fourinrow {
namespace {

constexpr std::int32_t kInfinity = std::numeric_limits<std::int32_t>::max();
// How far below the best a root move may be, by playing strategy 0..5.
constexpr std::array<std::int32_t, kMaxStrategy + 1> kTolerance = {0, 1, 2, 3, 5, 7};
// Within this band no win or loss is in sight.
constexpr std::int32_t kQuietBand = 450;
// Leaves between two looks at the clock: reading it costs more than a leaf.
constexpr int kLeavesPerClockCheck = 64;

} // namespace

std::function<void()> gameClass::DefaultPump() {
    return platform::app::processMessages;
}

void gameClass::SetMessagePump(std::function<void()> pump, std::chrono::microseconds interval) {
    pump_ = std::move(pump);
    pumpInterval_ = interval;
}

void gameClass::SetProgressHook(std::function<void(int)> progress) {
    progress_ = std::move(progress);
}

void gameClass::SeedRandom(std::uint32_t seed) {
    random_.seed(seed);
}

int gameClass::Random(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(random_);
}

std::int32_t gameClass::EvaluateColour(int colour, WeightKind kind) {
    const OpponentProfile& profile = CurrentProfile();
    const auto& weights = kind == WeightKind::Offensive ? profile.offensive : profile.defensive;
    const line_scan::Bits own = discs_[colour];
    if (line_scan::HasFourInARow(own)) {
        record_.fourFlag = 1;
        return weights[3];
    }
    record_.fourFlag = 0;
    return line_scan::ScoreLines(own, discs_[1 - colour], weights,
                                 colour == record_.oddThreatColour);
}

std::int32_t gameClass::Evaluate() {
    const int computer = record_.computerColour;
    const std::int32_t other = EvaluateColour(1 - computer, WeightKind::Defensive);
    if (record_.fourFlag)
        return -other;
    const std::int32_t own = EvaluateColour(computer, WeightKind::Offensive);
    if (record_.fourFlag)
        return own;
    return own - other;
}

void gameClass::PumpFromLeaf() {
    if (--leavesUntilClockCheck_ > 0)
        return;
    leavesUntilClockCheck_ = kLeavesPerClockCheck;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < pumpInterval_)
        return;
    lastPump_ = now;
    if (pump_)
        pump_();
}

std::int32_t gameClass::Search(int depthReached, std::int32_t alpha, std::int32_t beta,
                               bool maximizing) {
    if (record_.breakRequested)
        return 0; // every level above returns too; the value is not used
    if (depthReached == record_.depth) {
        const std::int32_t value = Evaluate();
        PumpFromLeaf();
        return value;
    }
    for (const int column : kSearchOrder) {
        if (record_.breakRequested || !DropPiece(column))
            continue;
        if (alpha < beta) {
            // A four ends the line: its value replaces the bound rather than being compared.
            if (maximizing)
                alpha = HasFour() ? Evaluate() - depthReached
                                  : std::max(alpha, Search(depthReached + 1, alpha, beta, false));
            else
                beta = HasFour() ? Evaluate() + depthReached
                                 : std::min(beta, Search(depthReached + 1, alpha, beta, true));
        }
        UndoMove();
    }
    return maximizing ? alpha : beta;
}

RootResult gameClass::RootSearch() {
    record_.computerColour = record_.toMove;
    lastPump_ = std::chrono::steady_clock::now();
    leavesUntilClockCheck_ = kLeavesPerClockCheck;
    RootResult result;
    result.values.fill(-kInfinity);
    result.best = -kInfinity;
    for (int i = 1; i <= kColumns; ++i) {
        if (record_.breakRequested)
            continue;
        const int column = kSearchOrder[i - 1];
        if (DropPiece(column)) {
            std::int32_t& value = result.values[column];
            value = HasFour() ? Evaluate() : Search(1, -kInfinity, kInfinity, false);
            result.best = std::max(result.best, value);
            UndoMove();
        }
        if (progress_)
            progress_(i);
    }
    return result;
}

bool gameClass::AcceptMove(std::int32_t value, std::int32_t best) {
    const std::int32_t tolerance = kTolerance[CurrentProfile().strategy];
    if (best >= -kQuietBand && best <= kQuietBand)
        return value + tolerance >= best;
    if (value == best)
        return true;
    return tolerance > 0 && Random(15 - tolerance) == 0;
}

Candidates gameClass::CollectCandidates(const ColumnValues& values, std::int32_t best) {
    Candidates candidates;
    for (const int column : kSearchOrder)
        if (record_.heights[column - 1] <= kRows && AcceptMove(values[column], best))
            candidates.columns[candidates.count++] = static_cast<std::uint8_t>(column);
    return candidates;
}

MoveChoice gameClass::ChooseMove() {
    searchStartMoveCount_ = record_.moveCount;
    const std::uint8_t depth = record_.depth;
    const std::uint8_t opponent = record_.opponent;
    record_.depth = static_cast<std::uint8_t>(std::min<int>(depth, kCells - record_.moveCount));
    if (record_.randomLevel && record_.depth >= kMinDepth)
        record_.depth = static_cast<std::uint8_t>(kMinDepth + Random(record_.depth - 3));
    if (record_.opponent == kRandomOpponent)
        record_.opponent = static_cast<std::uint8_t>(1 + Random(kOpponentProfiles));

    const RootResult root = RootSearch();
    record_.depth = depth;

    MoveChoice choice;
    if (record_.breakRequested) {
        while (record_.moveCount > searchStartMoveCount_)
            UndoMove();
    } else {
        const Candidates candidates = CollectCandidates(root.values, root.best);
        // Only a full board has no candidate; there is no move to make then.
        if (candidates.count > 0) {
            choice.column = candidates.columns[Random(candidates.count)];
            choice.value = root.values[choice.column];
        }
    }
    record_.opponent = opponent;
    return choice;
}

bool gameClass::ComputerMove() {
    record_.thinking = 1;
    const MoveChoice choice = ChooseMove();
    record_.thinking = 0;
    if (choice.column > 0) {
        DropPiece(choice.column);
        return true;
    }
    record_.breakRequested = 0;
    return false;
}

} // namespace fourinrow
