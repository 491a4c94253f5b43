#include "solitaire/engine/drop.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/moves.h"
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
    return word(248) != 4 && isPresentCoordinate(fnStockPileX(kWastePlace));
}

bool overlapsSlot(int kind, int index, int x, int y, int right, int bottom) {
    const SlotRect slot = topSlot(kind, index);
    return RangesOverlap(x, y, right, bottom, slot.left, slot.top, slot.right, slot.bottom) != 0;
}

// The waste takes a card of its top card's suit one rank above or below (king and ace
// neighbours) in the games that build there.
bool wasteAccepts(int card) {
    const int top = topCard(wastePile());
    if (top == 0 || word(247) != 2 || CardSuit(top) != CardSuit(card))
        return false;
    return CardRank(card) == NextRank(CardRank(top)) || CardRank(card) == PrevRank(CardRank(top));
}

} // namespace

std::optional<DropCandidates> FindDropCandidates(int x, int y, int right, int bottom) {
    struct Keyed {
        std::int64_t key;
        DropCandidate candidate;
    };
    std::vector<Keyed> found;
    auto consider = [&](int kind, int index) {
        const SlotRect slot = topSlot(kind, index);
        if (!isPresentCoordinate(slot.left) || !isPresentCoordinate(slot.top) ||
            RangesOverlap(x, y, right, bottom, slot.left, slot.top, slot.right, slot.bottom) == 0)
            return;
        const int area =
            OverlapArea(x, y, right, bottom, slot.left, slot.top, slot.right, slot.bottom);
        found.push_back(
            {static_cast<std::int64_t>(area) * 1000000 + kind * 1000 + index, {kind, index}});
    };
    for (int i = 0; i < foundationCount(); ++i)
        consider(kFoundationKind, i);
    if (word(3) != kNoCardsFan)
        for (int i = 0; i < tableauCount(); ++i)
            consider(kTableauKind, i);
    for (int i = 0; i < reserveCount(); ++i)
        consider(kReserveKind, i);
    if (wasteTakesDrops())
        consider(kWasteKind, 0);
    if (found.empty())
        return std::nullopt;
    std::ranges::sort(found, std::ranges::greater{}, &Keyed::key);
    DropCandidates candidates;
    for (std::size_t i = 0; i < found.size() && i < candidates.size(); ++i)
        candidates[i] = found[i].candidate;
    return candidates;
}

bool CheckMoveRestriction(int card, std::optional<std::string_view> moveName,
                          DropCandidates* candidates) {
    if (word(31) != 1 || engineScalars.PhaseCounter != 0)
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
    if (rebuildImage)
        presentation().fnBuildDragImage();
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
    DropCandidates candidates;
    if (kind == -1) {
        const std::optional<DropCandidates> found = FindDropCandidates(x, y, right, bottom);
        if (!found)
            return false;
        candidates = *found;
    } else {
        candidates[0] = {kind, index};
    }
    if (word(31) != 0 && engineScalars.PhaseCounter == 0 &&
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
    // The drop is over: whatever moves next moves one card.
    mainWindow.DragHeight = mainWindow.CardHeight;
    presentation().fnEraseDragImage();
    fnFillEmptyTableaus();
    if (autoPlayOn())
        while (fnAutoPlay(false))
            fnFillEmptyTableaus();
}

} // namespace solitaire
