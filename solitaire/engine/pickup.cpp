#include "solitaire/engine/pickup.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/moves.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/rules.h"
#include "solitaire/engine/undo.h"

#include <algorithm>
#include <vector>

namespace solitaire {

using namespace play;

namespace {

constexpr int kNoCardsFan = 8;

platform::gdi::Rect toRect(const ClosedRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A stock-group pile's top card shows at the pile's drawing origin, up and left of its place
// by the pile's thickness: it is highlighted there.
platform::gdi::Rect shownTopCard(int line) {
    const auto slot = static_cast<std::size_t>(line);
    const int x = stockDrawOrigins.X[slot], y = stockDrawOrigins.Y[slot];
    return {x, y, x + mainWindow.CardWidth, y + mainWindow.CardHeight};
}

std::string& pileOf(const std::string& name) {
    const std::optional<PileLine> line = PileLineForName(name);
    return line->list->at(static_cast<std::size_t>(line->line));
}

int indexOf(const std::string& name, std::size_t prefixLength) {
    return fnStrToInt(name.substr(prefixLength)) - 1;
}

// Lifts the card (with the run above it when DragHeight is taller than a card) into the
// drag image at the press point. A card taken out of a reserve laid out as a row is shown
// at its place at once.
void startDrag(int card, const ClosedRect& rect, int x, int y, bool fromReserveRow = false) {
    MainWindowState& w = mainWindow;
    if (engineScalars.DraggedCard == 0) {
        w.LastDragX = x;
        w.LastDragY = y;
    }
    engineScalars.DraggedCard = static_cast<std::int16_t>(card);
    w.GrabX = x - rect.left;
    w.GrabY = y - rect.top;
    w.DragTargetRect = {rect.left, rect.top, rect.left + w.CardWidth, rect.top + w.DragHeight};
    presentation().fnSetDragRects(rect.left, rect.top, rect.left + w.CardWidth,
                                  rect.top + w.DragHeight);
    presentation().fnBuildDragImage();
    LiftCard(card, w.DragHeight == w.CardHeight);
    if (switchNotOff(kCardsShadowedField)) {
        const int raise = w.ShadowOffset - 2;
        presentation().fnMoveDragImage(rect.left - raise, rect.top - raise, false, false);
        w.GrabX += raise;
        w.GrabY += raise;
        presentation().fnPlaySound("card_up.wav", switchIsOn(kCardUpSoundField));
    } else if (fromReserveRow || switchNotOff(kUntidyPilesField)) {
        presentation().fnMoveDragImage(rect.left, rect.top, false, false);
    }
}

// The kinds where a tableau card goes straight to the discard pile.
bool playsToDiscard(int kind) {
    return kind == 2 || kind == 12 || kind == 15;
}

// Whether the tableau card may go on the discard pile: one rank above or below its top card.
// Kind 12 asks for that neighbour without the build rule, so its empty pile takes no card;
// kinds 2 and 15 ask the rule, which takes any card on an empty pile.
bool fitsDiscard(int card, int kind) {
    const int top = topCard(discardPile());
    auto builds = [](int under, int moving) {
        return CanBuildOn(under, moving, -1, true, 0, false, false, 2, kBuildUp, -1);
    };
    if (top == 0)
        return kind != 12 && builds(0, card);
    const int a = CardRank(top);
    const int b = CardRank(card);
    const bool wraps = (a == 13 && b == 1) || (a == 1 && b == 13);
    if (kind == 12)
        return wraps || a - b == 1 || b - a == 1;
    if (wraps)
        return kind == 15;
    return builds(top, card) || builds(card, top);
}

void playToDiscard(int card) {
    const platform::gdi::Rect& r = mainWindow.DragTargetRect;
    presentation().fnAnimateCardMove(card, r.left, r.top, fnStockPileX(2), fnStockPileY(2), false,
                                     true, false, false);
    fnMakeMove(card, "Waste");
    engineScalars.DraggedCard = 0;
    engineScalars.DraggedGroupTop = 0;
    if (mainWindow.GameWon)
        fnEndGame();
}

void peek(int card, const ClosedRect& rect, int pileIndex) {
    presentation().fnDrawCard(card, rect.left, rect.top, false, Surface::Window, pileIndex);
    mainWindow.PeekX = rect.left;
    mainWindow.PeekY = rect.top;
}

// ---- Selection games ----

std::vector<int> selectedCards() {
    std::vector<int> cards;
    for (int j = 0; j < codeCount(selection()); ++j)
        cards.push_back(codeAt(selection(), j));
    return cards;
}

struct SelectionTally {
    int count = 0;
    int sum = 0;          // ranks
    int sumTensFaces = 0; // jacks, queens and kings counting 10
    int high = 0;         // cards of rank highFrom and above
    int low = 0;
    int lowSum = 0;
    bool aces = false;
    std::vector<int> highRanks;
};

SelectionTally tally(const std::vector<int>& cards, int highFrom) {
    SelectionTally t;
    for (const int card : cards) {
        const int rank = CardRank(card);
        ++t.count;
        t.sum += rank;
        t.sumTensFaces += std::min(rank, 10);
        t.aces = t.aces || rank == 1;
        if (rank >= highFrom) {
            ++t.high;
            t.highRanks.push_back(rank);
        } else {
            ++t.low;
            t.lowSum += rank;
        }
    }
    return t;
}

bool allDistinct(std::vector<int> ranks) {
    std::ranges::sort(ranks);
    return std::ranges::adjacent_find(ranks) == ranks.end();
}

bool allEqual(const std::vector<int>& ranks) {
    return std::ranges::adjacent_find(ranks, std::ranges::not_equal_to{}) == ranks.end();
}

// The high cards (from highFrom on) are chosen apart from the low ones, each high rank once
// (or, sameRank, all of one rank); at most maxLow low cards.
bool highLowJoin(int rank, const SelectionTally& others, int highFrom, bool sameRank, int maxLow) {
    if (rank >= highFrom) {
        if (others.low > 0)
            return false;
        const bool rankTaken = std::ranges::find(others.highRanks, rank) != others.highRanks.end();
        return sameRank ? others.high == 0 || rankTaken : !rankTaken;
    }
    return others.high == 0 && others.low + 1 <= maxLow;
}

struct Verdict {
    bool mayJoin;
    bool complete;
    bool hopeless = false; // the chosen cards can never complete: the selection is cleared
};

// Kinds 21 and 22 play a line of cards (a tableau pile; empty slots are no cards): one card,
// or two side by side, lying between two cards of one suit or one rank leave the line.
Verdict judgeBetweenMatches(const std::vector<int>& chosen, int kind) {
    std::vector<int> line;
    for (int q = 0; q < tableauCount() && line.empty(); ++q)
        if (positionInPile(tableauPile(q), chosen.front()) >= 0)
            for (int j = 0; j < codeCount(tableauPile(q)); ++j)
                if (const int c = codeAt(tableauPile(q), j); c != 0)
                    line.push_back(c);
    std::vector<int> places;
    for (const int c : chosen)
        if (const auto at = std::ranges::find(line, c); at != line.end())
            places.push_back(static_cast<int>(at - line.begin()));
    std::ranges::sort(places);
    const int n = static_cast<int>(line.size());
    auto removable = [&](int first, int last) {
        if (first < 1 || last + 1 >= n || last - first > 1)
            return false;
        for (int j = first; j <= last; ++j)
            if (kind == 22 && (line[j] == 12 || line[j] == 13))
                return false;
        const int before = line[first - 1], after = line[last + 1];
        return CardSuit(before) == CardSuit(after) || CardRank(before) == CardRank(after);
    };
    if (places.size() != chosen.size())
        return {true, false, true};
    const int first = places.front(), last = places.back();
    if (last - first + 1 == static_cast<int>(places.size()) && removable(first, last))
        return {true, true};
    // One card still completes with a neighbour; two that do not complete never will.
    const bool hope =
        places.size() == 1 && (removable(first - 1, first) || removable(first, first + 1));
    return {true, false, !hope};
}

Verdict judgeSelection(int card, int kind) {
    // Kinds 17, 18 and 26 set the jacks, queens and kings apart, the others the tens too.
    const int highFrom = kind == 17 || kind == 18 || kind == 26 ? 11 : 10;
    const std::vector<int> cards = selectedCards();
    const SelectionTally all = tally(cards, highFrom);
    std::vector<int> rest = cards;
    rest.erase(std::ranges::find(rest, card));
    const SelectionTally others = tally(rest, highFrom);
    const int rank = CardRank(card);
    const int target = gameWord(kSelectionTargetWord);
    std::vector<int> ranks;
    for (const int c : cards)
        ranks.push_back(CardRank(c));
    switch (kind) {
    case 1: {
        const bool join = highLowJoin(rank, others, 10, true, target == 10 ? 2 : kCardCount);
        const bool fourOfRank = all.count == 4 && all.high == 4 && allEqual(ranks);
        const bool lowSum = all.high == 0 && ((target == 15 && all.lowSum == 15) ||
                                              (target == 10 && all.low == 2 && all.lowSum == 10));
        return {join, fourOfRank || lowSum};
    }
    case 14:
    case 16:
        return {IsTopCardOfPile(card) && all.count <= 2 && allEqual(ranks),
                all.count == 2 && allEqual(ranks)};
    case 17:
    case 26: {
        const bool join = highLowJoin(rank, others, 11, false, 2);
        return {join, (all.low == 2 && all.high == 0 && all.lowSum == 11) ||
                          (all.high == 3 && all.low == 0 && allDistinct(all.highRanks))};
    }
    case 18: {
        const bool aceAlone = !all.aces || all.count == 1;
        // The low cards must still be able to make up 18 with the one face card.
        const bool join = all.count <= 4 && all.high <= 1 && all.low <= 3 && aceAlone &&
                          (all.lowSum <= 18 || all.aces);
        const bool complete =
            (all.count == 1 && all.aces) || (all.count == 4 && all.high == 1 && all.lowSum == 18);
        return {join, complete};
    }
    case 20:
        return {true, all.count >= 2 && (all.sumTensFaces == 10 || all.sumTensFaces == 20 ||
                                         all.sumTensFaces == 30)};
    case 21:
    case 22:
        if (all.count > 2 || (kind == 22 && (card == 12 || card == 13)))
            return {false, false};
        return judgeBetweenMatches(cards, kind);
    case 24: {
        const bool join = highLowJoin(rank, others, 10, false, 2);
        return {join, (all.low == 2 && all.high == 0 && all.lowSum == 9) ||
                          (all.high == 4 && all.low == 0 && allDistinct(all.highRanks))};
    }
    case 25:
        return {all.count <= 2 && allEqual(ranks), all.count == 2 && allEqual(ranks)};
    default:
        return {(kind != 7 || all.count <= 2) && all.sum <= target, all.sum == target};
    }
}

void invertHighlight(const ClosedRect& rect) {
    presentation().fnInvertCardRect(Surface::Window, true, toRect(rect));
    presentation().fnInvertCardRect(Surface::BackBuffer, false, toRect(rect));
}

void toggleSelectedCard(int card, const ClosedRect& rect, int pileIndex, int kind) {
    const bool turnsFaceDown = kind == 25 || kind == 26;
    if (turnsFaceDown && fnIsFaceDown(card)) {
        if (IsTopCardOfPile(card))
            TurnCardFaceUp(card, rect.left, rect.top, pileIndex);
        return;
    }
    std::string& chosen = selection();
    for (int j = 0; j < codeCount(chosen); ++j)
        if (codeAt(chosen, j) == card) {
            chosen.erase(static_cast<std::size_t>(3 * j), 3);
            invertHighlight(rect);
            return;
        }
    AppendCardToPile(sharedObjects.DestPiles, 0, card);
    const Verdict verdict = judgeSelection(card, kind);
    if (!verdict.mayJoin) {
        chosen.resize(chosen.size() - 3);
        fnBeep();
        return;
    }
    if (verdict.hopeless) {
        // The cards chosen before lose their highlight; the new one never got it.
        chosen.resize(chosen.size() - 3);
        for (const int other : selectedCards())
            if (const std::optional<ClosedRect> place = fnCardRect(other))
                invertHighlight(*place);
        chosen.clear();
        fnBeep();
        return;
    }
    invertHighlight(rect);
    if (!verdict.complete)
        return;
    presentation().InstallInputSwallowHook();
    fnMakeMove(0, "Selezionate_Dest");
    if (engineScalars.ClosePending == 0 && kind != 8)
        fnMakeMove(0, "Selezionate_Fila");
    if (mainWindow.GameWon)
        fnEndGame();
    presentation().RestoreSavedOnMessage();
}

void selectionPress(const TableHit& hit, int kind) {
    if (hit.pileName.starts_with("Fila") && hit.card != 0) {
        toggleSelectedCard(hit.card, hit.rect, indexOf(hit.pileName, 4), kind);
        return;
    }
    if (hit.pileName != "Mazzo")
        return;
    if (kind == 8)
        fnMakeMove(0, "Stock_To_Pile_Monte_Carlo");
    else if (kind >= 20 && kind <= 23)
        fnMakeMove(0, "Add_Tableaus");
    if (mainWindow.GameWon)
        fnEndGame();
}

// ---- Stock ----

bool anyTableauEmpty() {
    for (int i = 0; i < tableauCount(); ++i)
        if (tableauPile(i).empty())
            return true;
    return false;
}

// The deal flag of the first or the last pile of a group.
bool groupFlagIs(int firstWord, int count, int value) {
    return gameWord(firstWord) == value || (count > 0 && gameWord(firstWord - 1 + count) == value);
}

void dealToReservesByTurns() {
    if (stockPile().empty())
        return;
    ++StockDealCount;
    const std::string move = std::string("Add_Reserve_") + (StockDealCount % 2 == 1 ? '1' : '2');
    int made = 0;
    for (int i = 0; i < 3 && !stockPile().empty(); ++i)
        if (fnMakeMove(0, move))
            ++made;
    if (made > 1)
        fnDropUndoSteps(true, made - 1);
}

void stockPress(int kind) {
    const int top = topCard(stockPile());
    if (kind == 4 && top != 0 && !selection().empty()) {
        TogglePairSelection(top, shownTopCard(kStockLine));
        return;
    }
    if (gameWord(kStockClickWord) == 1) {
        if (gameWord(kStockClickConditionWord) == 0 ||
            (gameWord(kStockClickConditionWord) == 1 && wastePile().empty()))
            fnMakeMove(top, "Mazzo_Vis");
        return;
    }
    if (stockPile().empty() && gameWord(kRedealModeWord) > 0) {
        fnMakeMove(0, "Mazzo_Redeal");
        return;
    }
    if (groupFlagIs(kTableauStockDealWord, tableauCount(), 1)) {
        fnMakeMove(0, "Add_Tableaus");
    } else if (groupFlagIs(kTableauStockDealWord, tableauCount(), 2)) {
        if (anyTableauEmpty())
            fnInfoMessage("Before deal, fill any gaps in the tableau");
        else
            fnMakeMove(0, "Add_Tableaus");
    } else if (groupFlagIs(kReserveStockDealWord, reserveCount(), 1)) {
        fnMakeMove(0, "Add_Reserves");
    } else if (groupFlagIs(kReserveStockDealWord, reserveCount(), 3)) {
        if (codeCount(stockPile()) == 8) {
            fnMakeMove(0, "Add_Tableaus_Last");
        } else {
            fnMakeMove(0, "Add_Reserves");
            fnMakeMove(0, "Add_Reserves");
        }
    } else if (groupFlagIs(kReserveStockDealWord, reserveCount(), 4)) {
        dealToReservesByTurns();
    } else if (gameWord(kDiscardLayoutWord) != 0) {
        fnMakeMove(0, "Mazzo_Waste");
    }
}

// ---- Tableau ----

// Returns whether the press peeked at a card.
bool tableauPress(MouseButton button, const TableHit& hit, int x, int y, int kind) {
    const int card = hit.card;
    const int index = indexOf(hit.pileName, 4);
    const bool left = button == MouseButton::Left;
    const bool top = IsTopCardOfPile(card);
    if (left && playsToDiscard(kind)) {
        // Only a face-up top card is in play.
        if (!top || fnIsFaceDown(card) || !fitsDiscard(card, kind)) {
            fnBeep();
            return false;
        }
        startDrag(card, hit.rect, x, y);
        playToDiscard(card);
        return false;
    }
    if (left && (kind == 3 || kind == 4)) {
        const bool free = kind == 3 ? top : IsRowCardFree(card);
        if (!free || card < 1) {
            fnBeep();
            return false;
        }
        TogglePairSelection(card, toRect(hit.rect));
        return false;
    }
    if (top) {
        if (!left)
            return false;
        if (fnIsFaceDown(card))
            TurnCardFaceUp(card, hit.rect.left, hit.rect.top, index);
        else if (fnCheckGroupSize(card, false))
            startDrag(card, hit.rect, x, y);
        return false;
    }
    if (!left) {
        if (fnIsFaceDown(card))
            return false;
        peek(card, hit.rect, index);
        return true;
    }
    if (gameWord(kTableauFanWord) == kNoCardsFan) {
        // Cards laid in lines cover no other card: any of them is taken, and alone.
        startDrag(card, hit.rect, x, y);
    } else if (fnCheckSequenceRule(card, index) && fnCheckGroupSize(card, false) &&
               !fnIsFaceDown(card)) {
        mainWindow.DragHeight = fnPileBottom(hit.pileName) - hit.rect.top;
        startDrag(card, hit.rect, x, y);
    }
    return false;
}

void otherPress(const TableHit& hit, int x, int y, int kind) {
    const int card = hit.card;
    if (hit.pileName.starts_with("Dest")) {
        const int count = codeCount(pileOf(hit.pileName));
        if (card != 0 && (gameWord(kFoundationTakeBackWord) == 1 ||
                          (gameWord(kFoundationTakeBackWord) == 2 && count > 1)))
            startDrag(card, hit.rect, x, y);
    } else if (hit.pileName.starts_with("Appogg")) {
        if (reserveOffersCard(pileOf(hit.pileName), card))
            startDrag(card, hit.rect, x, y, gameWord(kReserveVariantWord) == kReserveAsRow);
    } else if (hit.pileName == "Mazzo_Vis") {
        if (card != 0) {
            if (kind == 4)
                TogglePairSelection(card, shownTopCard(kWasteLine));
            else
                startDrag(card, hit.rect, x, y);
        } else if (gameWord(kRedealModeWord) > 0 && stockPile().empty() && wastePile().empty()) {
            fnMakeMove(0, "Mazzo_Redeal");
        }
    } else if (hit.pileName == "Mazzo") {
        stockPress(kind);
    }
}

bool reservePeek(const TableHit& hit) {
    if (!hit.pileName.starts_with("Appogg") || hit.card == 0 || fnIsFaceDown(hit.card))
        return false;
    if (gameWord(kReserveFanWord) != 1 && gameWord(kReserveFanWord) != 2)
        return false;
    peek(hit.card, hit.rect, indexOf(hit.pileName, 6));
    return true;
}

} // namespace

bool fnFitsDiscardPile(int card) {
    const int kind = gameKind();
    return playsToDiscard(kind) && fitsDiscard(card, kind);
}

void fnTableMouseDown(MouseButton button, bool /*shift*/, int x, int y) {
    presentation().HidePileSizeHint();
    if (!mainWindow.GameRunning)
        return;
    if (mainWindow.DoubleClickPending) {
        mainWindow.DoubleClickPending = false;
        return;
    }
    fnClockTick();
    engineScalars.LastMouseX = static_cast<std::int16_t>(x);
    engineScalars.LastMouseY = static_cast<std::int16_t>(y);
    const TableHit hit = fnHitTestTable(x, y);
    mainWindow.DragHeight = mainWindow.CardHeight;
    const int kind = gameKind();

    if (gameWord(kSelectionTargetWord) != 0) {
        if (button == MouseButton::Left)
            selectionPress(hit, kind);
        return;
    }
    const bool onTableauCard = hit.pileName.starts_with("Fila") && hit.card != 0;
    if (button == MouseButton::Right) {
        const bool peeked =
            onTableauCard ? tableauPress(button, hit, x, y, kind) : reservePeek(hit);
        if (!peeked)
            fnBeep();
        return;
    }
    if (onTableauCard)
        tableauPress(button, hit, x, y, kind);
    else
        otherPress(hit, x, y, kind);
}

} // namespace solitaire
