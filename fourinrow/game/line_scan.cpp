#include "fourinrow/game/line_scan.h"

#include "fourinrow/game/game_record.h"

#include <bit>
#include <utility>

namespace fourinrow::line_scan {
namespace {

constexpr Bits MakeBoardBits() {
    Bits bits = 0;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            bits |= CellBit(c, r);
    return bits;
}
constexpr Bits kBoardBits = MakeBoardBits();

// Every line of every direction has one flag bit in a shared word of line flags: its lowest
// anchor, moved up by its direction's flag shift so that no two lines share a bit.
struct Line {
    Bits anchors = 0;   // the lowest bit of each of the line's windows
    int lastAnchor = 0; // the window scanned last
    Bits flag = 0;
};

// Lines of one direction. Every window is the anchor bit plus three steps of `shift`;
// `descending` when the windows are scanned from high to low anchors.
struct Direction {
    int shift = 0;
    bool descending = false;
    bool countsTwice = false; // columns never count twice
    int flagShift = 0;
    int lineCount = 0;
    std::array<Line, kColumns> lines{};
    std::array<std::uint8_t, 64> lineOfAnchor{};
    Bits allAnchors = 0;
    Bits lowestAnchors = 0;

    constexpr void add(int anchor) {
        Line& line = lines[lineCount];
        lineOfAnchor[anchor] = static_cast<std::uint8_t>(lineCount);
        line.anchors |= Bits{1} << anchor;
        line.lastAnchor = anchor;
        allAnchors |= Bits{1} << anchor;
    }
    constexpr void endLine() {
        Line& line = lines[lineCount++];
        const Bits lowest = line.anchors & (~line.anchors + 1);
        lowestAnchors |= lowest;
        line.flag = lowest << flagShift;
    }

    // The flags of the lines that hold at least one of the given windows. A line has at most
    // four windows, one shift apart, so two folds gather them all on its lowest anchor.
    Bits lineFlags(Bits windows) const {
        windows &= allAnchors;
        windows |= windows >> shift;
        windows |= windows >> (2 * shift);
        return (windows & lowestAnchors) << flagShift;
    }
};

constexpr Direction RisingDiagonals() {
    Direction d{.shift = 8, .descending = false, .countsTwice = true, .flagShift = 0};
    constexpr int starts[6][2] = {{1, 3}, {1, 2}, {1, 1}, {2, 1}, {3, 1}, {4, 1}};
    for (const auto& [c0, r0] : starts) {
        for (int j = 0; c0 + j + 3 <= kColumns && r0 + j + 3 <= kRows; ++j)
            d.add(BitIndex(c0 + j, r0 + j));
        d.endLine();
    }
    return d;
}

// Scanned from the lower-right end up to the left; a window's lowest bit is its upper-left
// cell, and the next window along the line lies 6 bits lower.
constexpr Direction FallingDiagonals() {
    Direction d{.shift = 6, .descending = true, .countsTwice = true, .flagShift = 0};
    constexpr int starts[6][2] = {{7, 3}, {7, 2}, {7, 1}, {6, 1}, {5, 1}, {4, 1}};
    for (const auto& [c0, r0] : starts) {
        for (int j = 0; c0 - j - 3 >= 1 && r0 + j + 3 <= kRows; ++j)
            d.add(BitIndex(c0 - j - 3, r0 + j + 3));
        d.endLine();
    }
    return d;
}

constexpr Direction Rows() {
    Direction d{.shift = 7, .descending = false, .countsTwice = true, .flagShift = 49};
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= 4; ++c)
            d.add(BitIndex(c, r));
        d.endLine();
    }
    return d;
}

constexpr Direction Columns() {
    Direction d{.shift = 1, .descending = false, .countsTwice = false, .flagShift = 6};
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= 3; ++r)
            d.add(BitIndex(c, r));
        d.endLine();
    }
    return d;
}

constexpr std::array<Direction, 4> kDirections = {RisingDiagonals(), FallingDiagonals(), Rows(),
                                                  Columns()};

constexpr bool LineFlagsAreDistinct() {
    Bits seen = 0;
    int lines = 0;
    for (const Direction& dir : kDirections)
        for (int l = 0; l < dir.lineCount; ++l, ++lines) {
            if (seen & dir.lines[l].flag)
                return false;
            seen |= dir.lines[l].flag;
        }
    return lines == 25 && std::popcount(seen) == 25;
}
static_assert(LineFlagsAreDistinct());

// Threat marks: one bit per column and row parity of a three's empty cell.
struct CellFacts {
    std::array<std::uint16_t, 64> markBit{};
    std::array<bool, 64> oddRow{};
};
constexpr CellFacts MakeCellFacts() {
    CellFacts facts;
    for (int c = 1; c <= kColumns; ++c)
        for (int r = 1; r <= kRows; ++r) {
            const bool odd = r % 2 == 1;
            facts.markBit[BitIndex(c, r)] =
                static_cast<std::uint16_t>(1u << (2 * (c - 1) + (odd ? 0 : 1)));
            facts.oddRow[BitIndex(c, r)] = odd;
        }
    return facts;
}
constexpr CellFacts kCellFacts = MakeCellFacts();

int NextAnchor(Bits& anchors, bool descending) {
    const int anchor = descending ? 63 - std::countl_zero(anchors) : std::countr_zero(anchors);
    anchors &= ~(Bits{1} << anchor);
    return anchor;
}

// Portable: no popcount instruction is assumed.
int CountBits(Bits x) {
    x -= (x >> 1) & 0x5555555555555555;
    x = (x & 0x3333333333333333) + ((x >> 2) & 0x3333333333333333);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0f;
    return static_cast<int>((x * 0x0101010101010101) >> 56);
}

// What one evaluation carries from line to line and direction to direction.
struct Tally {
    Bits linesWithOne = 0, linesWithTwo = 0, linesWithThree = 0;
    std::uint32_t marks = 0; // column and row parity of every three counted so far
    std::int32_t threesScore = 0;
};

// One direction's lines; a template so that its shifts are constants.
template <std::size_t D>
void ScanDirection(Bits own, Bits free, std::int32_t threeWeight, bool oddRowsFavoured,
                   Tally& tally) {
    constexpr const Direction& dir = kDirections[D];
    constexpr int s = dir.shift;
    // Per window (at its anchor): free of the other colour, and how many own discs, as
    // bit-sliced sums of the four cells (a four cannot occur here).
    const Bits open = free & (free >> s) & (free >> (2 * s)) & (free >> (3 * s));
    const Bits a = own, b = own >> s, c = own >> (2 * s), d = own >> (3 * s);
    const Bits low1 = a ^ b, low2 = c ^ d;
    const Bits countBit0 = low1 ^ low2;
    const Bits countBit1 = (a & b) ^ (c & d) ^ (low1 & low2);
    tally.linesWithTwo |= dir.lineFlags(open & countBit1 & ~countBit0);
    tally.linesWithOne |= dir.lineFlags(open & countBit0 & ~countBit1);
    const Bits runs3 = open & countBit0 & countBit1 & dir.allAnchors;
    if (!runs3)
        return;
    // Threes go in scan order: each column and row parity of an empty cell counts once.
    constexpr Bits windowCells = Bits{1} | Bits{1} << s | Bits{1} << (2 * s) | Bits{1} << (3 * s);
    unsigned linesToVisit = 0; // by line number, which is scan order
    for (Bits anchors = runs3; anchors; anchors &= anchors - 1)
        linesToVisit |= 1u << dir.lineOfAnchor[std::countr_zero(anchors)];
    for (; linesToVisit; linesToVisit &= linesToVisit - 1) {
        const Line& line = dir.lines[std::countr_zero(linesToVisit)];
        Bits threes = runs3 & line.anchors;
        std::int32_t times = 0;
        while (threes) {
            const int anchor = NextAnchor(threes, dir.descending);
            const int empty = std::countr_zero((windowCells << anchor) & ~own);
            const std::uint16_t mark = kCellFacts.markBit[empty];
            if (tally.marks & mark)
                continue;
            tally.marks |= mark;
            // Only a three in the line's last window makes it count twice.
            const bool twice = dir.countsTwice && anchor == line.lastAnchor &&
                               kCellFacts.oddRow[empty] == oddRowsFavoured;
            times = twice ? 2 : 1;
        }
        if (times) {
            tally.threesScore += threeWeight * times;
            tally.linesWithThree |= line.flag;
        }
    }
}

template <std::size_t... D>
void ScanDirections(Bits own, Bits free, std::int32_t threeWeight, bool oddRowsFavoured,
                    Tally& tally, std::index_sequence<D...>) {
    (ScanDirection<D>(own, free, threeWeight, oddRowsFavoured, tally), ...);
}

} // namespace

std::int32_t ScoreLines(Bits own, Bits other, const std::array<std::int32_t, 4>& weights,
                        bool oddRowsFavoured) {
    Tally tally;
    ScanDirections(own, kBoardBits & ~other, weights[2], oddRowsFavoured, tally,
                   std::make_index_sequence<kDirections.size()>());
    const Bits linesWithTwo = tally.linesWithTwo & ~tally.linesWithThree;
    const Bits linesWithOne = tally.linesWithOne & ~(tally.linesWithTwo | tally.linesWithThree);
    return tally.threesScore + weights[1] * CountBits(linesWithTwo) +
           weights[0] * CountBits(linesWithOne);
}

} // namespace fourinrow::line_scan
