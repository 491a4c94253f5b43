#include "solitaire/engine/drop.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/moves.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/rules.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace solitaire {

using namespace play;

namespace {

constexpr int kNoCardsFan = 8;
constexpr int kWastePlace = 1;

struct SlotRect {
    int left;
    int top;
    int right;
    int bottom;
};

std::string candidatePileName(int kind, int index) {
    switch (kind) {
    case kTableauKind:
        return pileName("Fila", index + 1);
    case kFoundationKind:
        return pileName("Dest", index + 1);
    case kReserveKind:
        return pileName("Appogg", index + 1);
    default:
        return "Mazzo_Vis";
    }
}

// The top card slot of a pile (its base when empty).
SlotRect topSlot(int kind, int index) {
    const std::string name = candidatePileName(kind, index);
    const int x =
        kind == kWasteKind ? fnStockPileX(kWastePlace) : fnPileCardX(name, index, 0, false);
    const int y = kind == kWasteKind ? fnStockPileY(kWastePlace) : fnPileCardY(name, 0, false);
    return {x, y, x + mainWindow.CardWidth, y + mainWindow.CardHeight};
}

bool wasteTakesDrops() {
    return gameWord(kWasteTargetWord) != 4 && isPresentCoordinate(fnStockPileX(kWastePlace));
}

bool overlapsSlot(int kind, int index, int x, int y, int right, int bottom) {
    const SlotRect slot = topSlot(kind, index);
    return RangesOverlap(x, y, right, bottom, slot.left, slot.top, slot.right, slot.bottom) != 0;
}

// The waste takes a card of its top card's suit one rank above or below (king and ace
// neighbours) in the games that build there.
bool wasteAccepts(int card) {
    const int top = topCard(wastePile());
    if (top == 0 || gameWord(kWasteBuildWord) != 2 || CardSuit(top) != CardSuit(card))
        return false;
    return CardRank(card) == NextRank(CardRank(top)) || CardRank(card) == PrevRank(CardRank(top));
}

// Places under the drag rectangle, best first: the largest overlap, then the higher tie-break
// number. Places not laid out or not overlapped are left out.
template <typename Place> class OverlapRanking {
public:
    OverlapRanking(int x, int y, int right, int bottom)
        : x_(x), y_(y), right_(right), bottom_(bottom) {}

    void consider(const SlotRect& slot, int tieBreak, const Place& place) {
        if (!isPresentCoordinate(slot.left) || !isPresentCoordinate(slot.top) ||
            RangesOverlap(x_, y_, right_, bottom_, slot.left, slot.top, slot.right,
                          slot.bottom) == 0)
            return;
        const int area =
            OverlapArea(x_, y_, right_, bottom_, slot.left, slot.top, slot.right, slot.bottom);
        found_.push_back({static_cast<std::int64_t>(area) * 1000000 + tieBreak, place});
    }
    // At most kMaxDropCandidates places.
    std::vector<Place> best() {
        std::ranges::sort(found_, std::ranges::greater{}, &Keyed::key);
        std::vector<Place> places;
        for (std::size_t i = 0; i < found_.size() && i < kMaxDropCandidates; ++i)
            places.push_back(found_[i].place);
        return places;
    }

private:
    struct Keyed {
        std::int64_t key;
        Place place;
    };
    int x_, y_, right_, bottom_;
    std::vector<Keyed> found_;
};

constexpr int kOneRowGame = 19;

std::string_view row() {
    return tableauPile(0);
}

// The one-row game: the places (0-based) of the row whose cards lie under the rectangle.
std::vector<int> rowPositionsUnder(int x, int y, int right, int bottom) {
    OverlapRanking<int> ranking(x, y, right, bottom);
    const int count = codeCount(row());
    for (int p = 0; p < count; ++p) {
        const int depth = count - 1 - p;
        const int left = fnPileCardX("Fila1", 0, depth, false);
        const int top = fnPileCardY("Fila1", depth, false);
        ranking.consider({left, top, left + mainWindow.CardWidth, top + mainWindow.CardHeight},
                         p, p);
    }
    return ranking.best();
}

// The card may go onto the card one or two places before it in the row when the two match
// in rank or suit.
bool rowAccepts(int card, int position) {
    const int under = codeAt(row(), position);
    const int gap = positionInPile(row(), card) - position;
    return under != 0 && (gap == 1 || gap == 2) &&
           (CardRank(under) == CardRank(card) || CardSuit(under) == CardSuit(card));
}

bool dropOnRow(int card, int x, int y, int right, int bottom, bool animate) {
    for (const int position : rowPositionsUnder(x, y, right, bottom)) {
        if (!rowAccepts(card, position))
            continue;
        const std::string move = pileName("Row_Onto", position + 1);
        // Before the animation: while the opening restriction holds the row takes no card.
        if (!CheckMoveRestriction(card, move, nullptr))
            return false;
        const int depth = codeCount(row()) - 1 - position;
        if (animate && switchNotOff(kAnimateCardsField))
            presentation().fnAnimateCardMove(
                card, mainWindow.DragTargetRect.left, mainWindow.DragTargetRect.top,
                fnPileCardX("Fila1", 0, depth, false), fnPileCardY("Fila1", depth, false), false,
                true, false, false);
        return fnMakeMove(card, move);
    }
    return false;
}

} // namespace

std::optional<DropCandidates> FindDropCandidates(int x, int y, int right, int bottom) {
    OverlapRanking<DropCandidate> ranking(x, y, right, bottom);
    auto consider = [&](int kind, int index) {
        ranking.consider(topSlot(kind, index), kind * 1000 + index, {kind, index});
    };
    for (int i = 0; i < foundationCount(); ++i)
        consider(kFoundationKind, i);
    if (gameWord(kTableauFanWord) != kNoCardsFan)
        for (int i = 0; i < tableauCount(); ++i)
            consider(kTableauKind, i);
    for (int i = 0; i < reserveCount(); ++i)
        consider(kReserveKind, i);
    if (wasteTakesDrops())
        consider(kWasteKind, 0);
    const std::vector<DropCandidate> best = ranking.best();
    if (best.empty())
        return std::nullopt;
    DropCandidates candidates;
    std::ranges::copy(best, candidates.begin());
    return candidates;
}

bool CheckMoveRestriction(int card, std::optional<std::string_view> moveName,
                          DropCandidates* candidates) {
    if (gameWord(kOpeningRestrictionWord) != 1 || engineScalars.PhaseCounter != 0)
        return true;
    const int location = fnLocateCard(card);
    if (location < 1 || location > kTableauPiles)
        return false;
    if (moveName && !moveName->starts_with("Dest"))
        return false;
    if (candidates)
        for (DropCandidate& candidate : *candidates)
            if (candidate.kind != kFoundationKind)
                candidate.kind = -1;
    return true;
}

bool TryDropOnPile(int card, int x, int y, int index, int kind, bool autoplay, bool animate,
                   bool rebuildImage, int bottom, int right) {
    if (kind != kWasteKind && kind != kTableauKind && kind != kFoundationKind &&
        kind != kReserveKind)
        return false;
    if (!overlapsSlot(kind, index, x, y, right, bottom))
        return false;
    if (kind == kWasteKind) {
        if (!wasteTakesDrops() || !wasteAccepts(card))
            return false;
        return fnMakeMove(card, "Stock02");
    }
    if (kind == kReserveKind && !isPresentCoordinate(fnReserveX(index)))
        return false;
    const std::string pile = candidatePileName(kind, index);
    if (!fnCanDropOnPile(card, pile))
        return false;
    if (rebuildImage) {
        // A card sent without a drag still lies drawn on its pile: its picture is taken
        // from there now, as a press would have lifted it.
        presentation().fnBuildDragImage();
        LiftCard(card, true);
    }
    if (animate && switchNotOff(kAnimateCardsField))
        presentation().fnAnimateCardMove(
            card, mainWindow.DragTargetRect.left, mainWindow.DragTargetRect.top,
            fnPileCardX(pile, index, 0, true), fnPileCardY(pile, 0, true), false,
            mainWindow.DragHeight == mainWindow.CardHeight, false, false);
    if (kind == kFoundationKind)
        return fnMakeMove(card, pileName(autoplay ? "Dest_Autoplay" : "Dest", index + 1));
    const bool made = fnMakeMove(card, pile);
    if (made && kind == kTableauKind && gameKind() == 23)
        fnReplaceLastLogItem(card);
    return made;
}

bool DropCard(int card, int x, int y, int index, int kind, bool autoplay, bool animate,
              bool rebuildImage, int bottom, int right) {
    // The one-row game's cards land on the row's cards, not on piles.
    if (kind == -1 && gameKind() == kOneRowGame)
        return dropOnRow(card, x, y, right, bottom, animate);
    DropCandidates candidates;
    if (kind == -1) {
        const std::optional<DropCandidates> found = FindDropCandidates(x, y, right, bottom);
        if (!found)
            return false;
        candidates = *found;
    } else {
        candidates[0] = {kind, index};
    }
    if (gameWord(kOpeningRestrictionWord) != 0 && engineScalars.PhaseCounter == 0 &&
        !CheckMoveRestriction(card, std::nullopt, &candidates))
        return false;
    for (const DropCandidate& candidate : candidates)
        if (candidate.kind != -1 && TryDropOnPile(card, x, y, candidate.index, candidate.kind,
                                                  autoplay, animate, rebuildImage, bottom, right))
            return true;
    return false;
}

void fnTableMouseUp() {
    if (engineScalars.StockPressed != 0) {
        presentation().fnHideStockHint();
        fnMakeMove(0, "Mazzo_Vis");
        engineScalars.StockPressed = 0;
    }
    if (engineScalars.DraggedCard != 0) {
        const int card = engineScalars.DraggedCard;
        const platform::gdi::Rect rect = mainWindow.DragTargetRect;
        bool moved = false;
        if (engineScalars.MovedWhileDragging != 0) {
            moved = DropCard(card, rect.left, rect.top, -1, -1, false, true, false, rect.bottom,
                             rect.right);
            if (moved && mainWindow.GameWon)
                fnEndGame();
        }
        if (!moved)
            presentation().fnRedrawCardInPile(card);
        engineScalars.DraggedCard = 0;
        engineScalars.DraggedGroupTop = 0;
    }
    // The next press starts afresh: a click that does not move must not drop its card.
    engineScalars.MovedWhileDragging = 0;
    // The drop is over: whatever moves next moves one card.
    mainWindow.DragHeight = mainWindow.CardHeight;
    presentation().fnEraseDragImage();
    fnFillEmptyTableaus();
    if (autoPlayOn())
        while (fnAutoPlay(false))
            fnFillEmptyTableaus();
}

} // namespace solitaire
