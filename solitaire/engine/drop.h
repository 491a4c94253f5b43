#pragma once
// Drop resolution: where released cards land. The piles under the dragged cards are tried
// in order of overlap, each checked against the game's rules; the first that accepts them
// gets the move, otherwise the cards go back to their pile.

#include <array>
#include <optional>
#include <string_view>

namespace solitaire {

// A pile the dropped cards could land on: its PileKind (2 waste, 4 tableau, 5 foundation,
// 6 reserve; -1 an unused or voided slot) and its 0-based index.
struct DropCandidate {
    int kind = -1;
    int index = 0;
    bool operator==(const DropCandidate&) const = default;
};
inline constexpr int kMaxDropCandidates = 4;
// Best first.
using DropCandidates = std::array<DropCandidate, kMaxDropCandidates>;

// The end of a press on the table: drops the dragged cards (or turns the stock after a
// stock press), then fills empty tableau piles and runs autoplay when it is on.
void fnTableMouseUp();

// kind -1: the candidates are the piles under the rectangle (x, y, right, bottom); any
// other kind tries that one pile. True when a move was made.
bool DropCard(int card, int x, int y, int index, int kind, bool autoplay, bool animate,
              bool rebuildImage, int bottom, int right);

// The (at most four) piles whose top slot the rectangle overlaps, the largest overlap first;
// on equal overlap the higher pile kind, then the higher index. Empty when none.
std::optional<DropCandidates> FindDropCandidates(int x, int y, int right, int bottom);

// True when the card was moved to that pile.
bool TryDropOnPile(int card, int x, int y, int index, int kind, bool autoplay, bool animate,
                   bool rebuildImage, int bottom, int right);

// The opening restriction of the games that have one (game word 31 = 1, before the first
// move): only a tableau card may move, and only to a foundation. False when the move is
// refused; candidates other than foundations are voided.
bool CheckMoveRestriction(int card, std::optional<std::string_view> moveName,
                          DropCandidates* candidates);

} // namespace solitaire
