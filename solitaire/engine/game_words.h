#pragma once
// The current game's definition: words 0..345 that say which piles exist, how they are dealt,
// fanned and laid out, which cards build where, how the stock deals and how the game scores.
// Every word the program reads is named here, once; code reads them through gameWord().

#include <array>
#include <cstddef>
#include <cstdint>

namespace solitaire {

inline constexpr int kGameDefinitionWords = 346;
using GameDefinition = std::array<std::int16_t, kGameDefinitionWords>;

extern GameDefinition gameDefinition;

// Word `number` of the current game; 0 for a number outside the table.
inline int gameWord(int number) {
    return number >= 0 && number < kGameDefinitionWords
               ? gameDefinition[static_cast<std::size_t>(number)]
               : 0;
}
// Only the deal rewrites words (base codes); a number outside the table changes nothing.
inline void setGameWord(int number, int value) {
    if (number >= 0 && number < kGameDefinitionWords)
        gameDefinition[static_cast<std::size_t>(number)] = static_cast<std::int16_t>(value);
}

// Single words.
inline constexpr int kDealBaseCardWord = 1;      // 1: a dealt card on foundation 1 sets every base
inline constexpr int kGroupSequenceRuleWord = 2; // sequence rule of a dragged group
inline constexpr int kTableauFanWord = 3;        // fan modes 1..8
inline constexpr int kFoundationFanWord = 4;
inline constexpr int kReserveFanWord = 5;
inline constexpr int kStockFaceDownWord = 6;        // 0: the stock is dealt face up
inline constexpr int kStockDisplayWord = 7;         // 1: the stock is shown (and holds the hint)
inline constexpr int kStockClickWord = 8;           // 1: clicks turn cards to a shown waste
inline constexpr int kDealFoundationCardWord = 10;  // 1: one card to foundation 1 after the deal
inline constexpr int kGroupSizeWord = 11;           // -1 any, -12 single or king-led, -5/-6, n
inline constexpr int kReserveVariantWord = 12;      // -11: the reserves lie in a row
inline constexpr int kReserveAsRow = -11;           // that value of the reserve variant
inline constexpr int kRedealLimitWord = 13;         // redeals of the stock, -1 unlimited
inline constexpr int kRedealModeWord = 14;          // > 0: the waste can go back to the stock
inline constexpr int kStockClickConditionWord = 15; // 1: turn only while the waste is empty
inline constexpr int kFoundationTakeBackWord = 16;  // 1 any, 2 while more than one card
inline constexpr int kAutoPlayWord = 17;            // non-zero enables automatic play
inline constexpr int kStockTurnCountWord = 19;      // cards turned per stock click
inline constexpr int kTableauFillWord = 20;         // fill mode of empty tableau piles
inline constexpr int kDealPileByPileWord = 21;      // 0 row by row, else pile by pile
inline constexpr int kFoundationCapacityWord = 25;
inline constexpr int kDealAdjustmentWord = 26;       // 1..4: kings/queens handled at the deal
inline constexpr int kNeedsPredefinedCardsWord = 29; // 1: small screens use the predefined set
inline constexpr int kSelectionTargetWord = 30;      // not 0: foundation 1 holds the selection
inline constexpr int kOpeningRestrictionWord = 31;   // first move only tableau to foundation
inline constexpr int kInitialFillWord = 32;
inline constexpr int kScoreBaseWord = 33; // 5 points per unit
inline constexpr int kGameKindWord = 35;  // selects kind-specific behaviour

// Families: word (first + i) belongs to pile i (0-based).
inline constexpr int kFoundationBaseWord = 36;      // 16 foundations: rank or rule code
inline constexpr int kFoundationDirectionWord = 52; // 1 up, 0 down, 2 either
inline constexpr int kFoundationRuleWord = 68;
inline constexpr int kFoundationStartWord = 84; // start-card codes of the deal
inline constexpr int kTableauBaseWord = 100;    // 26 tableau piles: what an empty pile takes
inline constexpr int kTableauDirectionWord = 126;
inline constexpr int kTableauRuleWord = 152;
inline constexpr int kTableauOnBaseWord = 178;    // > 0: may build on the foundation base rank
inline constexpr int kTableauStockDealWord = 204; // stock deal flags
inline constexpr int kReserveRuleWord = 230;      // 8 reserves
inline constexpr int kReserveStockDealWord = 238;

inline constexpr int kDiscardStartCardWord = 246;
inline constexpr int kWasteBuildWord = 247;  // 2: suit neighbours may drop on the waste
inline constexpr int kWasteTargetWord = 248; // 4: the waste takes no drops

// The table layout: a layout number and its row digit per pile group.
inline constexpr int kStockLayoutWord = 249;
inline constexpr int kStockRowWord = 250;
inline constexpr int kFoundationLayoutWord = 251;
inline constexpr int kFoundationRowWord = 252;
inline constexpr int kTableauLayoutWord = 253;
inline constexpr int kTableauRowWord = 254;
inline constexpr int kTableauRowsWord = 255; // rows of tableau piles (layouts 010, 018, 053)
inline constexpr int kReserveLayoutWord = 256;
inline constexpr int kReserveRowWord = 257;
inline constexpr int kDiscardLayoutWord = 258; // not 0: the game has a discard pile place
inline constexpr int kDiscardRowWord = 259;

// Pile counts.
inline constexpr int kStockPlacesWord = 260;
inline constexpr int kFoundationCountWord = 261;
inline constexpr int kTableauCountWord = 262;
inline constexpr int kReserveCountWord = 263;
inline constexpr int kDiscardCountWord = 264;

// The deal.
inline constexpr int kCardsInPlayWord = 265; // 52 or 104
inline constexpr int kStockDealWord = 266;
inline constexpr int kWasteDealWord = 267;
inline constexpr int kTableauDealWord = 268;   // 26 piles; above 1000: one card of rank - 1000
inline constexpr int kTableauFaceUpWord = 294; // 26 piles: face-up modes of the dealt cards
inline constexpr int kDiscardDealWord = 320;
inline constexpr int kReserveDealWord = 321;   // 8 reserves
inline constexpr int kReserveFaceUpWord = 329; // 8 reserves

} // namespace solitaire
