#include "solitaire/engine/automoves.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/moves.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/undo.h"

#include <optional>

namespace solitaire {

using namespace play;

namespace {

constexpr int kBaseSetByFirstCard = 92;

// The foundations are still waiting for the first card that sets their base.
bool foundationsAwaitBase() {
    if (foundationCount() == 0 || gameWord(kFoundationBaseWord) != kBaseSetByFirstCard)
        return false;
    for (int i = 0; i < foundationCount(); ++i) {
        if (gameWord(kFoundationBaseWord + i) != kBaseSetByFirstCard)
            return true;
        if (!foundationPile(i).empty())
            return false;
    }
    return true;
}

bool tryGroup(int card, int kind, int count, bool autoplay) {
    for (int i = 0; i < count; ++i) {
        const std::string pile = pileName(kind == kFoundationKind ? "Dest" : "Appogg", i + 1);
        const int x = fnPileCardX(pile, i, 0, false);
        const int y = fnPileCardY(pile, 0, false);
        if (!isPresentCoordinate(x) || !isPresentCoordinate(y))
            continue;
        if (DropCard(card, x, y, i, kind, autoplay, true, true, y, x))
            return true;
    }
    return false;
}

// Sends a card lying where the geometry finds it.
bool sendCard(int card, bool autoplay, bool alsoReserve) {
    const std::optional<ClosedRect> rect = fnCardRect(card);
    if (!rect)
        return false;
    return fnSendToFoundation(card, rect->left, rect->top, autoplay, alsoReserve, rect->right,
                              rect->bottom);
}

// Whether the fill mode fills empty tableau piles now: not without a mode, before the opening
// is made, or in mode 4 after a stock deal.
bool fillModeFillsNow() {
    const int mode = gameWord(kTableauFillWord);
    if ((gameWord(kOpeningRestrictionWord) != 0 && engineScalars.PhaseCounter == 0) || mode == 0)
        return false;
    return !(mode == 4 && CountCodeInList(sharedObjects.MovedCardsLog, 1) > 0);
}

// The card the fill mode puts into an empty tableau pile now; 0 when it fills nothing now or
// its source is empty.
int fillSourceCard() {
    if (!fillModeFillsNow())
        return 0;
    switch (gameWord(kTableauFillWord)) {
    case 1:
        return reserveCount() > 0 ? topCard(reservePile(0)) : 0;
    case 2:
    case 4:
        return !wastePile().empty() ? topCard(wastePile()) : topCard(stockPile());
    case 3:
        return !stockPile().empty() ? topCard(stockPile()) : topCard(wastePile());
    default:
        return 0;
    }
}

// An empty tableau pile that the fill after automatic play will fill.
bool gapWaitsForFill() {
    if (fillSourceCard() == 0)
        return false;
    for (int i = 0; i < tableauCount(); ++i)
        if (tableauPile(i).empty())
            return true;
    return false;
}

// Automatic play fills the tableau's gaps after its sweep, the fill joining the last undo
// step. A move made while a gap waits joins the step of the move that left the gap: its own
// step would hold the table with the gap, and the fill would go with the later move.
template <typename Move> bool stepWithWaitingGap(Move move) {
    const bool gapWaits = gapWaitsForFill();
    if (!move())
        return false;
    if (gapWaits)
        fnDropUndoSteps(true, 1);
    return true;
}

bool sendAutomatically(int card) {
    return stepWithWaitingGap([card] { return sendCard(card, true, false); });
}

int selectionRankSum() {
    int sum = 0;
    for (int j = 0; j < codeCount(selection()); ++j)
        sum += CardRank(codeAt(selection(), j));
    return sum;
}

// Removes the first occurrence of the card's code from the selection; false when absent.
bool dropFromSelection(int card) {
    for (int j = 0; j < codeCount(selection()); ++j)
        if (codeAt(selection(), j) == card) {
            selection().erase(static_cast<std::size_t>(3 * j), 3);
            return true;
        }
    return false;
}

} // namespace

bool fnSendToFoundation(int card, int x, int y, bool autoplay, bool alsoReserve, int right,
                        int bottom) {
    if (card < 1 || fnIsFaceDown(card))
        return false;
    mainWindow.DragHeight = mainWindow.CardHeight;
    engineScalars.DraggedCard = static_cast<std::int16_t>(card);
    engineScalars.DraggedGroupTop = 0;
    mainWindow.GrabX = mainWindow.GrabY = 0;
    mainWindow.DragTargetRect = {x, y, right, bottom};
    presentation().fnSetDragRects(x, y, right, bottom);
    mainWindow.LastDragX = mainWindow.LastDragY = 0;
    bool sent = false;
    if (!(autoplay && foundationsAwaitBase()))
        sent = tryGroup(card, kFoundationKind, foundationCount(), autoplay);
    if (!sent && alsoReserve)
        sent = tryGroup(card, kReserveKind, reserveCount(), autoplay);
    engineScalars.DraggedCard = 0;
    engineScalars.DraggedGroupTop = 0;
    return sent;
}

bool fnAutoPlay(bool /*confirm*/) {
    if (!autoPlayOn() || sharedObjects.FilaPiles.empty())
        return false;
    mainWindow.GameFinished = false;
    bool anyMoved = false;
    for (bool sweepMoved = true; sweepMoved && !mainWindow.GameFinished;) {
        sweepMoved = false;
        for (bool passMoved = true; passMoved && !mainWindow.GameFinished;) {
            passMoved = false;
            for (int i = 0; i < reserveCount() && !mainWindow.GameFinished; ++i)
                if (const int top = topCard(reservePile(i)); top != 0 && sendAutomatically(top))
                    passMoved = true;
            sweepMoved = sweepMoved || passMoved;
        }
        if (mainWindow.GameFinished)
            break;
        if (const int top = topCard(wastePile()); top != 0 && sendAutomatically(top))
            sweepMoved = true;
        for (int i = 0; i < tableauCount() && !mainWindow.GameFinished; ++i) {
            const int top = topCard(tableauPile(i));
            if (top == 0)
                continue;
            if (switchNotOff(kAutomaticFaceUpField) && fnIsFaceDown(top))
                if (const std::optional<ClosedRect> rect = fnCardRect(top))
                    stepWithWaitingGap([&] {
                        TurnCardFaceUp(top, rect->left, rect->top, i);
                        return true;
                    });
            if (sendAutomatically(top)) {
                sweepMoved = true;
                // The reserves get the next chance first.
                if (reserveCount() > 0)
                    break;
            }
        }
        anyMoved = anyMoved || sweepMoved;
    }
    if (mainWindow.GameWon)
        fnEndGame();
    mainWindow.GameFinished = false;
    return anyMoved;
}

bool fnDoubleClickMove(bool doubleClick, bool topOnly) {
    const TableHit hit = fnHitTestTable(engineScalars.LastMouseX, engineScalars.LastMouseY);
    if (hit.pileName == "Mazzo") {
        mainWindow.DoubleClickPending = false;
        return false;
    }
    const int card = hit.card;
    if (card == 0 || fnIsFaceDown(card))
        return false;
    bool qualifies = false;
    if (hit.pileName == "Mazzo_Vis") {
        qualifies = true;
    } else if (hit.pileName.starts_with("Appogg")) {
        // A card a drag could take: a covered card of a stacked reserve stays where it is.
        const auto line = PileLineForName(hit.pileName);
        qualifies =
            line && reserveOffersCard(line->list->at(static_cast<std::size_t>(line->line)), card);
    } else if (hit.pileName.starts_with("Fila")) {
        qualifies = !topOnly || IsTopCardOfPile(card);
    }
    if (doubleClick)
        mainWindow.DoubleClickPending = true;
    if (!qualifies)
        return false;
    const bool sent = fnSendToFoundation(card, hit.rect.left, hit.rect.top, false, true,
                                         hit.rect.right, hit.rect.bottom);
    if (mainWindow.GameWon)
        fnEndGame();
    return sent;
}

bool fnFillEmptyTableaus() {
    // A window closed while its won game ended has freed the piles: nothing is left to fill.
    if (!fillModeFillsNow() || sharedObjects.FilaPiles.empty())
        return false;
    bool metEmpty = false;
    for (int i = 0; i < tableauCount(); ++i) {
        if (!tableauPile(i).empty())
            continue;
        metEmpty = true;
        const int card = fillSourceCard();
        if (card == 0)
            break;
        const std::string pile = pileName("Fila", i + 1);
        const std::optional<ClosedRect> from = fnCardRect(card);
        LiftCard(card, true);
        if (from)
            presentation().fnAnimateCardMove(card, from->left, from->top,
                                             fnPileCardX(pile, i, 0, true),
                                             fnPileCardY(pile, 0, true), false, true, false, true);
        // A fill always moves the one card, whatever the last drag's height was.
        mainWindow.DragHeight = mainWindow.CardHeight;
        if (!fnMakeMove(card, pile))
            break;
        presentation().fnDrawBackgroundCopy(Surface::BackBuffer);
        presentation().fnDrawTable(Surface::BackBuffer, false);
        presentation().fnFlipBackBuffer();
        fnDropUndoSteps(true, 1);
    }
    return metEmpty;
}

void fnAutoPlayFillingTableaus() {
    fnAutoPlay(false);
    do
        fnFillEmptyTableaus();
    while (fnAutoPlay(false));
}

bool AutoFaceUpTableau() {
    if (!switchNotOff(kAutomaticFaceUpField))
        return false;
    bool turned = false;
    for (int i = 0; i < tableauCount(); ++i) {
        const int top = topCard(tableauPile(i));
        if (top == 0 || !fnIsFaceDown(top))
            continue;
        if (const std::optional<ClosedRect> rect = fnCardRect(top)) {
            TurnCardFaceUp(top, rect->left, rect->top, i);
            turned = true;
        }
    }
    return turned;
}

void TurnCardFaceUp(int card, int x, int y, int pileIndex) {
    fnPushSnapshot(HistorySide::Undo, false);
    SetCardFaceFlag(card, kFaceUp);
    const std::string pile =
        pileIndex >= 0 && pileIndex < kTableauPiles ? tableauPile(pileIndex) : std::string();
    const int count = codeCount(pile);
    const bool alone = count == 1;
    if (alone || (count > 1 && !fnIsFaceDown(codeAt(pile, count - 2))))
        LiftCard(card, true);
    if (switchNotOff(kCardsShadowedField)) {
        const int raise = mainWindow.ShadowOffset - 2;
        presentation().fnDrawCard(card, x - raise, y - raise, true, Surface::Window, pileIndex);
        presentation().fnAnimateCardMove(card, x - raise, y - raise, x, y, false, true, true, true);
    } else {
        presentation().fnDrawCard(card, x, y, false, Surface::Window, pileIndex);
    }
    presentation().fnPlaySound("Face_up", switchIsOn(kFaceUpSoundField));
    presentation().fnDrawCard(card, x, y, false, Surface::BackBuffer, pileIndex);
    if (alone)
        presentation().fnRestoreTableauBaseCorners(pileIndex);
    // The raised picture's shadow stays on the window after the animation: the window shows
    // the card as the back buffer now has it.
    const int reach = mainWindow.ShadowOffset;
    presentation().RepaintWindowRect({x - reach, y - reach, x + mainWindow.CardWidth + reach,
                                      y + mainWindow.CardHeight + reach});
}

void InitialFillTableaus() {
    if (gameWord(kInitialFillWord) != 1 || engineScalars.PhaseCounter != 1)
        return;
    engineScalars.PhaseCounter = 2;
    fnMakeMove(0, "Fill_Tableaus");
}

void TogglePairSelection(int card, const platform::gdi::Rect& rect) {
    if (!dropFromSelection(card))
        AppendCardToPile(sharedObjects.DestPiles, 0, card);
    if (codeCount(selection()) > 2) {
        dropFromSelection(card);
        fnBeep();
        return;
    }
    presentation().fnInvertCardRect(Surface::Window, true, rect);
    presentation().fnInvertCardRect(Surface::BackBuffer, false, rect);
    const int sum = selectionRankSum();
    if ((gameKind() == 3 && sum == 14) || (gameKind() == 4 && sum == 13)) {
        presentation().InstallInputSwallowHook();
        fnMakeMove(0, "Selezionate_Dest");
        if (mainWindow.GameWon)
            fnEndGame();
        presentation().RestoreSavedOnMessage();
    }
}

bool IsAllZeros(std::string_view text) {
    return text.find_first_not_of('0') == std::string_view::npos;
}

bool IsRowCardFree(int card) {
    const int rows = tableauCount();
    for (int n = rows - 1; n >= 0; --n) {
        const std::string& row = tableauPile(n);
        for (int p = 0; p < codeCount(row); ++p) {
            if (codeAt(row, p) != card)
                continue;
            bool laterRowsEmpty = true;
            for (int later = n + 1; later < rows; ++later)
                laterRowsEmpty = laterRowsEmpty && IsAllZeros(tableauPile(later));
            if (laterRowsEmpty)
                return true;
            if (n + 1 >= rows)
                return false;
            const std::string& next = tableauPile(n + 1);
            auto slotEmpty = [&next](int slot) {
                return slot < codeCount(next) && next.compare(3 * slot, 3, "000") == 0;
            };
            return slotEmpty(p) && slotEmpty(p + 1);
        }
    }
    return false;
}

bool fnIsGameComplete() {
    const int n = tableauCount();
    switch (gameKind()) {
    case 9:
        for (int i = 0; i < n; ++i)
            if (tableauPile(i).empty())
                return false;
        return true;
    case 21:
    case 22:
        // The line's empty slots are no cards.
        return stockPile().empty() && cardCount(tableauPile(0)) <= 4;
    case 27:
        for (int i = 0; i < n; ++i)
            if (codeCount(tableauPile(i)) != 1)
                return false;
        return true;
    default:
        break;
    }
    if (!stockPile().empty() || !wastePile().empty())
        return false;
    for (int i = 0; i < n; ++i)
        if (gameKind() == 4 ? !IsAllZeros(tableauPile(i)) : !tableauPile(i).empty())
            return false;
    for (int i = 0; i < reserveCount(); ++i)
        if (!reservePile(i).empty())
            return false;
    return true;
}

} // namespace solitaire
