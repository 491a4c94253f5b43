#pragma once
// The build rules: whether a card may be put on a pile. Every game states its rules as data
// (per pile a base code, a rule code and a direction, and a few game-wide words of the
// GameDefinition); one evaluator reads them. Nothing here changes a pile; the only state
// written is DraggedGroupTop (fnCheckGroupSize).

#include <string_view>

namespace solitaire {

// Building directions.
inline constexpr int kBuildDown = 0;
inline constexpr int kBuildUp = 1;
inline constexpr int kBuildEither = 2;

// The top card passed for an empty pile.
inline constexpr int kEmptyPileTop = -1;

// Whether `moving` may lie on `under` (kEmptyPileTop, or 0, for an empty pile) of the pile
// `pileIndex` (0-based, in the foundations when isFoundation, else in the tableau). isDrop is
// false while the pairs of a dragged group are checked. mayBuildOnBase lets a tableau card of
// the start rank be built on; startRank is the foundation's own base code for a foundation,
// the first foundation's base code for the tableau.
bool CanBuildOn(int under, int moving, int baseCode, bool isDrop, int pileIndex,
                bool mayBuildOnBase, bool isFoundation, int ruleCode, int direction, int startRank);

// The card (with the group above it) may be dropped on the pile named "Dest"n, "Fila"n or
// "Appogg"n; every other name is refused.
bool fnCanDropOnPile(int card, std::string_view pileName);
// Index 0-based; a pile the game does not have refuses.
bool fnCanDropOnFoundation(int index, int card);
bool fnCanDropOnTableau(int index, int card);
bool fnCanDropOnReserve(int index, int card);

// Whether the group from `card` to the top of its pile is in the order game word 2 asks for,
// judged by the rules of tableau pile `tableauIndex` (0-based).
bool fnCheckSequenceRule(int card, int tableauIndex);
// Whether the group from `card` to the top of its pile is small enough to move (game word
// 11); toEmptyPile when the target is an empty tableau pile. Stores the group's top card in
// DraggedGroupTop.
bool fnCheckGroupSize(int card, bool toEmptyPile);

// The foundations whose base code is `code` (81 aces, 84 kings, 85 aces, each of them with
// as many red as black starting cards; 84 and 85 also with distinct suits) can still take
// the moving card as their first card.
bool CheckFoundationBases(int code, int moving);
// No suit twice among the moving card and the top cards of the four foundations (0-based).
bool DistinctSuitsOfFive(const int (&foundations)[4], int moving);

} // namespace solitaire
