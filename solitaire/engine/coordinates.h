#pragma once
// Screen positions of every pile, written by the table layout, and the geometry helpers of
// drop resolution. Stored Y values are table coordinates; the Y getters give window
// coordinates (minus the table's scroll offset).

#include <array>
#include <cstdint>

namespace solitaire {

// Values -10000..-10003 mark a pile the current game does not have.
inline constexpr std::int16_t kAbsentPile = -10000;
constexpr bool isPresentCoordinate(int value) {
    return value >= -9999;
}

struct PileCoordinates {
    std::array<std::int16_t, 28> FilaX{};
    std::array<std::int16_t, 28> FilaY{};
    std::array<std::int16_t, 18> DestX{};
    std::array<std::int16_t, 18> DestY{};
    std::array<std::int16_t, 10> AppoggX{};
    std::array<std::int16_t, 10> AppoggY{};
    std::array<std::int16_t, 4> StockX{}; // 0 stock, 1 waste, 2 discard pile
    std::array<std::int16_t, 4> StockY{};
};

extern PileCoordinates pileCoordinates;

// Sideways steps of untidy tableau cards: per row, word 0 is 0 and words 1..12 are steps of
// -2..2 whose running sum stays within -2..2.
inline constexpr int kJitterRowCount = 7;
inline constexpr int kJitterRowWords = 14;
using RandomJitterRows = std::array<std::array<std::int16_t, kJitterRowWords>, kJitterRowCount>;

extern RandomJitterRows randomJitterRows;

// Row 1..7 from the program's random generator; other rows are ignored.
void MakeRandomOffsetRow(int row);
void MakeRandomOffsetRows();

// Indices are 0-based; an index outside a group reads as an absent pile and is not stored.
int fnTableauX(int index);
int fnTableauY(int index);
void fnSetTableauX(int index, int value);
void fnSetTableauY(int index, int value);
int fnStockPileX(int slot);
int fnStockPileY(int slot);
void fnSetStockPileX(int slot, int value);
void fnSetStockPileY(int slot, int value);
int fnFoundationX(int index);
int fnFoundationY(int index);
void fnSetFoundationX(int index, int value);
void fnSetFoundationY(int index, int value);
int fnReserveX(int index);
int fnReserveY(int index);
void fnSetReserveX(int index, int value);
void fnSetReserveY(int index, int value);

// Whether the moving card's rectangle (l1, t1, r1, b1) meets a pile card's rectangle
// (l2, t2, r2, b2): 1 or 0.
int RangesOverlap(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2);
// How much of the pile card the moving card covers, in square pixels (0 when apart).
int OverlapArea(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2);

} // namespace solitaire
