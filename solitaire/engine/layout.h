#pragma once
// Where every pile of the current game lies on the table. Each pile group has a layout code
// of four characters, a row digit and a three-digit layout number, taken from the game's
// definition words; the layout turns the codes, the counts, the card size and the window
// and screen sizes into PileCoordinates.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace solitaire {

// Window position of each stock-group slot (0 stock, 1 waste, 2 discard pile) where its top
// card and thickness edge are drawn: the slot's X, and its Y less the scroll bar position.
struct StockDrawOrigins {
    std::array<std::int16_t, 3> X{};
    std::array<std::int16_t, 3> Y{};
};

extern StockDrawOrigins stockDrawOrigins;

// A group's layout code: the first character of rowWord's decimal text, then numberWord as
// three digits with leading zeros.
std::string fnLayoutCode(int rowWord, int numberWord);

// Places the piles of every group. A pile that the codes do not place keeps its previous
// coordinates (its absent marker after set-up). Leaves ScrollOffset at the scroll bar
// position of the main window. Counts are the game's words 260..264.
void fnComputePileLayout(std::string_view stockCode, int stockCount,
                         std::string_view foundationCode, int foundationCount,
                         std::string_view tableauCode, int tableauCount,
                         std::string_view reserveCode, int reserveCount,
                         std::string_view discardCode, int discardCount, int areaWidth,
                         int windowHeight, int areaBottom, int areaTop);

} // namespace solitaire
