#pragma once

// Bit-set form of the line scans behind the computer player's evaluation. A colour's discs
// are one 64-bit set: cell (column c, row r) is bit (c-1)*7 + (r-1), and the seventh bit of
// each column is never set, so a four-cell window that runs off the board always takes in a
// bit that no disc or free cell has.

#include <array>
#include <cstdint>

namespace fourinrow::line_scan {

using Bits = std::uint64_t;

constexpr int BitIndex(int column, int row) {
    return (column - 1) * 7 + (row - 1);
}
constexpr Bits CellBit(int column, int row) {
    return Bits{1} << BitIndex(column, row);
}

// Four own discs across, up or along a diagonal.
inline bool HasFourInARow(Bits own) {
    for (const int step : {1, 6, 7, 8}) {
        const Bits pairs = own & (own >> step);
        if (pairs & (pairs >> (2 * step)))
            return true;
    }
    return false;
}

// The score of a colour that has no four: for every line, scanned as rising diagonals,
// falling diagonals, rows and columns in turn, the weight of the longest run of own discs in
// a window free of the other colour (weights[0..2] for runs 1..3). A three counts only when
// its empty cell is the first of that column and row parity this evaluation sees; a row or
// diagonal counts twice when its last window holds such a three on a favoured parity (odd
// rows when oddRowsFavoured, else even rows).
std::int32_t ScoreLines(Bits own, Bits other, const std::array<std::int32_t, 4>& weights,
                        bool oddRowsFavoured);

} // namespace fourinrow::line_scan
