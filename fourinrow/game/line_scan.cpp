#include "fourinrow/game/line_scan.h"

#include "fourinrow/game/game_record.h"

#include <bit>

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

struct Line {
    Bits anchors = 0;   // the lowest bit of each of the line's windows
    int lastAnchor = 0; // the window scanned last
    Bits representative = 0; // its lowest anchor, where Direction::fold gathers the line
};

// Lines of one direction. Every window is the anchor bit plus three steps of `shift`;
// `descending` when the windows are scanned from high to low anchors.
struct Direction {
    int shift = 0;
    bool descending = false;
    bool countsTwice = false; // columns never count twice
    int lineCount = 0;
    std::array<Line, kColumns> lines{};
    Bits allAnchors = 0;
    Bits representatives = 0;

    constexpr void add(int anchor) {
        Line& line = lines[lineCount];
        line.anchors |= Bits{1} << anchor;
        line.lastAnchor = anchor;
        line.representative = line.anchors & (~line.anchors + 1);
        allAnchors |= Bits{1} << anchor;
    }
    constexpr void endLine() { representatives |= lines[lineCount++].representative; }

    // Moves every window bit of a line onto the line's representative (lines hold at most
    // four windows, one shift apart), so a line holds a kind of window when its bit is set.
    Bits fold(Bits windows) const {
        windows &= allAnchors;
        windows |= windows >> shift;
        windows |= windows >> (2 * shift);
        return windows & representatives;
    }
};

constexpr Direction RisingDiagonals() {
    Direction d{.shift = 8, .descending = false, .countsTwice = true};
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
    Direction d{.shift = 6, .descending = true, .countsTwice = true};
    constexpr int starts[6][2] = {{7, 3}, {7, 2}, {7, 1}, {6, 1}, {5, 1}, {4, 1}};
    for (const auto& [c0, r0] : starts) {
        for (int j = 0; c0 - j - 3 >= 1 && r0 + j + 3 <= kRows; ++j)
            d.add(BitIndex(c0 - j - 3, r0 + j + 3));
        d.endLine();
    }
    return d;
}

constexpr Direction Rows() {
    Direction d{.shift = 7, .descending = false, .countsTwice = true};
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 1; c <= 4; ++c)
            d.add(BitIndex(c, r));
        d.endLine();
    }
    return d;
}

constexpr Direction Columns() {
    Direction d{.shift = 1, .descending = false, .countsTwice = false};
    for (int c = 1; c <= kColumns; ++c) {
        for (int r = 1; r <= 3; ++r)
            d.add(BitIndex(c, r));
        d.endLine();
    }
    return d;
}

constexpr std::array<Direction, 4> kDirections = {RisingDiagonals(), FallingDiagonals(), Rows(),
                                                  Columns()};

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

// Bits set in four words together (each word has at most 7). Portable: no popcount
// instruction is assumed, so the byte sums of the words share one multiplication.
int CountBits(const std::array<Bits, 4>& words) {
    constexpr Bits k1 = 0x5555555555555555, k2 = 0x3333333333333333, k4 = 0x0f0f0f0f0f0f0f0f;
    Bits bytes = 0;
    for (Bits x : words) {
        x -= (x >> 1) & k1;
        x = (x & k2) + ((x >> 2) & k2);
        bytes += (x + (x >> 4)) & k4;
    }
    return static_cast<int>((bytes * 0x0101010101010101) >> 56);
}

} // namespace

std::int32_t ScoreLines(Bits own, Bits other, const std::array<std::int32_t, 4>& weights,
                        bool oddRowsFavoured) {
    const Bits free = kBoardBits & ~other;
    std::array<Bits, 4> linesWithTwo{}, linesWithOne{};
    std::uint32_t marks = 0;
    std::int32_t threesScore = 0;
    for (std::size_t i = 0; i < kDirections.size(); ++i) {
        const Direction& dir = kDirections[i];
        const int s = dir.shift;
        // Per window (at its anchor): free of the other colour, and how many own discs, as
        // bit-sliced sums of the four cells (a four cannot occur here).
        const Bits open = free & (free >> s) & (free >> (2 * s)) & (free >> (3 * s));
        const Bits a = own, b = own >> s, c = own >> (2 * s), d = own >> (3 * s);
        const Bits low1 = a ^ b, low2 = c ^ d;
        const Bits countBit0 = low1 ^ low2;
        const Bits countBit1 = (a & b) ^ (c & d) ^ (low1 & low2);
        const Bits runs3 = open & countBit0 & countBit1 & dir.allAnchors;
        linesWithTwo[i] = dir.fold(open & countBit1 & ~countBit0);
        linesWithOne[i] = dir.fold(open & countBit0 & ~countBit1) & ~linesWithTwo[i];
        if (!runs3)
            continue;
        // Threes go in scan order: each column and row parity of an empty cell counts once.
        const Bits windowCells = Bits{1} | Bits{1} << s | Bits{1} << (2 * s) | Bits{1} << (3 * s);
        for (int l = 0; l < dir.lineCount; ++l) {
            const Line& line = dir.lines[l];
            Bits threes = runs3 & line.anchors;
            bool counted = false;
            std::int32_t times = 1;
            while (threes) {
                const int anchor = NextAnchor(threes, dir.descending);
                const int empty = std::countr_zero((windowCells << anchor) & ~own);
                const std::uint16_t mark = kCellFacts.markBit[empty];
                if (marks & mark)
                    continue;
                marks |= mark;
                counted = true;
                // Only a three in the line's last window makes it count twice.
                if (dir.countsTwice && anchor == line.lastAnchor &&
                    kCellFacts.oddRow[empty] == oddRowsFavoured)
                    times = 2;
            }
            if (counted) {
                threesScore += weights[2] * times;
                linesWithTwo[i] &= ~line.representative;
                linesWithOne[i] &= ~line.representative;
            }
        }
    }
    return threesScore + weights[1] * CountBits(linesWithTwo) + weights[0] * CountBits(linesWithOne);
}

} // namespace fourinrow::line_scan
