#pragma once
// Scripted values of the random source that make the rolls the game draws.

namespace noughts::test {

// The value of Rnd that makes a roll of `roll` out of `range` values (int(r * range) == roll).
inline float rndFor(int roll, int range) {
    return static_cast<float>((roll + 0.5) / range);
}
inline const float xStarts = rndFor(100, 101);
inline const float oStarts = rndFor(0, 101);
// The easy player's draw that lands on a cell.
inline float cellRoll(int cell) {
    return rndFor(cell * 100 + 50, 1001);
}

} // namespace noughts::test
