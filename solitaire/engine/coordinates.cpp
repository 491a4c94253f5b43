#include "solitaire/engine/coordinates.h"

#include "solitaire/engine/shared_state.h"

#include "platform/app/random.h"

namespace solitaire {

PileCoordinates pileCoordinates;
RandomJitterRows randomJitterRows{};

void MakeRandomOffsetRow(int row) {
    if (row < 1 || row > kJitterRowCount)
        return;
    auto& words = randomJitterRows[static_cast<std::size_t>(row - 1)];
    words[0] = 0;
    int previous = platform::app::random(4);
    int sum = 0;
    for (std::size_t i = 1; i <= 12; ++i) {
        int b = platform::app::random(4);
        // A step to the right only follows a step to the left, and two steps to the left
        // never follow each other.
        if ((previous > 2 && b > 2) || (b > 0 && previous <= 2 && b <= 2))
            b = 0;
        int step = b <= 2 ? b : 2 - b;
        sum += step;
        if (sum > 2) {
            step -= 2;
            sum -= 2;
        } else if (sum < -2) {
            step += 2;
            sum += 2;
        }
        words[i] = static_cast<std::int16_t>(step);
        previous = b;
    }
}

void MakeRandomOffsetRows() {
    for (int row = 1; row <= kJitterRowCount; ++row)
        MakeRandomOffsetRow(row);
}

namespace {

template <std::size_t N> int get(const std::array<std::int16_t, N>& group, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N
               ? group[static_cast<std::size_t>(index)]
               : kAbsentPile;
}

template <std::size_t N> int getY(const std::array<std::int16_t, N>& group, int index) {
    return get(group, index) - engineScalars.ScrollOffset;
}

template <std::size_t N> void set(std::array<std::int16_t, N>& group, int index, int value) {
    if (index >= 0 && static_cast<std::size_t>(index) < N)
        group[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(value);
}

} // namespace

int fnTableauX(int index) {
    return get(pileCoordinates.FilaX, index);
}
int fnTableauY(int index) {
    return getY(pileCoordinates.FilaY, index);
}
void fnSetTableauX(int index, int value) {
    set(pileCoordinates.FilaX, index, value);
}
void fnSetTableauY(int index, int value) {
    set(pileCoordinates.FilaY, index, value);
}
int fnStockPileX(int slot) {
    return get(pileCoordinates.StockX, slot);
}
int fnStockPileY(int slot) {
    return getY(pileCoordinates.StockY, slot);
}
void fnSetStockPileX(int slot, int value) {
    set(pileCoordinates.StockX, slot, value);
}
void fnSetStockPileY(int slot, int value) {
    set(pileCoordinates.StockY, slot, value);
}
int fnFoundationX(int index) {
    return get(pileCoordinates.DestX, index);
}
int fnFoundationY(int index) {
    return getY(pileCoordinates.DestY, index);
}
void fnSetFoundationX(int index, int value) {
    set(pileCoordinates.DestX, index, value);
}
void fnSetFoundationY(int index, int value) {
    set(pileCoordinates.DestY, index, value);
}
int fnReserveX(int index) {
    return get(pileCoordinates.AppoggX, index);
}
int fnReserveY(int index) {
    return getY(pileCoordinates.AppoggY, index);
}
void fnSetReserveX(int index, int value) {
    set(pileCoordinates.AppoggX, index, value);
}
void fnSetReserveY(int index, int value) {
    set(pileCoordinates.AppoggY, index, value);
}

namespace {

bool within(int value, int low, int high) {
    return low <= value && value <= high;
}

struct Rectangles {
    int l1, t1, r1, b1, l2, t2, r2, b2;
    bool inside(int x, int y) const { return within(x, l2, r2) && within(y, t2, b2); }
    // The moving card's rows, sampled every 50 pixels, reach the pile card's rows.
    bool rowsMeet() const {
        for (int y = t1; y <= b1; y += 50) {
            if (within(y, t2, b2))
                return true;
        }
        return false;
    }
};

} // namespace

int RangesOverlap(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2) {
    const Rectangles r{l1, t1, r1, b1, l2, t2, r2, b2};
    if (r.inside(l1, t1) || r.inside(r1, b1) || r.inside(r1, t1) || r.inside(l1, b1))
        return 1;
    if (!within(l1, l2, r2) && !within(r1, l2, r2))
        return 0;
    return r.rowsMeet() ? 1 : 0;
}

int OverlapArea(int l1, int t1, int r1, int b1, int l2, int t2, int r2, int b2) {
    const Rectangles r{l1, t1, r1, b1, l2, t2, r2, b2};
    if (r.inside(l1, t1))
        return (r2 - l1) * (b2 - t1);
    if (r.inside(r1, b1))
        return (r1 - l2) * (b1 - t2);
    if (r.inside(r1, t1))
        return (b2 - t1) * (r1 - l2);
    if (r.inside(l1, b1))
        return (r2 - l1) * (b1 - t2);
    const bool leftInside = within(l1, l2, r2);
    const bool rightInside = within(r1, l2, r2);
    if (!leftInside && !rightInside)
        return 0;
    if (!r.rowsMeet())
        return 0;
    if (leftInside)
        return (r2 - l1) * (b1 - t1);
    return (r1 - l2) * (b1 - t1);
}

} // namespace solitaire
