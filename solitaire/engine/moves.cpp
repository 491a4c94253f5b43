#include "solitaire/engine/moves.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/play_state.h"
#include "solitaire/engine/score.h"
#include "solitaire/engine/undo.h"
#include "solitaire/engine/utils.h"

#include <optional>
#include <vector>

namespace solitaire {

using namespace play;

namespace {

constexpr int kRowFan = 4;
constexpr int kNoCardsFan = 8;
constexpr int kStockPlace = 0;
constexpr int kWastePlace = 1;
constexpr int kDiscardPlace = 2;

// The top of the last card the move put down, for the scroll range.
struct MoveContext {
    int lastTop = 0;
    bool fromTableau = false;
};

// The pile number in characters first..first+width-1 (1-based) of the name.
std::optional<int> pileNumber(std::string_view name, std::size_t first, std::size_t width,
                              int count) {
    if (name.size() < first)
        return std::nullopt;
    const auto number = fnTryStrToInt(name.substr(first - 1, width));
    if (!number || *number < 1 || *number > count)
        return std::nullopt;
    return number;
}

void pushUndo() {
    fnPushSnapshot(HistorySide::Undo, false);
}

// The drag image is dropped onto the pile's top slot.
void dropImageOnTop(std::string_view pile, int index, MoveContext& ctx) {
    const int x = fnPileCardX(pile, index, 0, false);
    const int y = fnPileCardY(pile, 0, false);
    presentation().fnMoveDragImage(x, y, true, true);
    ctx.lastTop = y;
}

// Takes the card out of whatever pile holds it and puts it face up on the named pile.
void moveCardTo(int card, std::string_view pile) {
    fnRemoveCardFromPiles(card);
    AppendCardToNamedPile(pile, card, kFaceUp);
}

bool moveToFoundation(int card, int n, bool autoplay, MoveContext& ctx) {
    const std::string pile = pileName("Dest", n);
    pushUndo();
    moveCardTo(card, pile);
    dropImageOnTop(pile, n - 1, ctx);
    const int x = fnPileCardX(pile, n - 1, 0, false);
    presentation().fnRestoreCardCorners(x, ctx.lastTop, x + mainWindow.CardWidth,
                                        ctx.lastTop + mainWindow.CardHeight);
    if (autoplay)
        presentation().fnPlaySound("Autoplay.wav", switchIsOn(kAutoplaySoundField));
    else
        presentation().fnPlaySound("Foundation.wav", switchIsOn(kFoundationSoundField));
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

bool moveToTableau(int card, int n, MoveContext& ctx) {
    const std::string pile = pileName("Fila", n);
    std::string& target = tableauPile(n - 1);
    const int before = codeCount(target);
    StringList run;
    fnListRunFromCard(run, card);
    // Only a card with cards above it in its pile makes a group; a card from the stock, the
    // waste or a foundation moves alone whatever the last drag's height was.
    const bool group = mainWindow.DragHeight != mainWindow.CardHeight && run.size() > 1;
    pushUndo();
    if (!group) {
        moveCardTo(card, pile);
        dropImageOnTop(pile, n - 1, ctx);
    } else {
        fnCutRunFromPiles(card);
        const bool drawEach = switchNotOff(kUntidyPilesField);
        for (const std::string& code : run) {
            const int moving = fnStrToInt(code);
            AppendCardToPile(sharedObjects.FilaPiles, n - 1, moving, kFaceUp);
            ctx.lastTop = fnPileCardY(pile, 0, false);
            if (drawEach)
                presentation().fnDrawCard(moving, fnPileCardX(pile, n - 1, 0, false), ctx.lastTop,
                                          false, Surface::BackBuffer, n - 1);
        }
        const int x = fnTableauX(n - 1);
        if (!drawEach)
            presentation().fnMoveDragImage(
                x, fnPileCardY(pile, static_cast<int>(run.size()) - 1, false), true, true);
        presentation().RepaintWindowRect(
            {x - 2, fnTableauY(n - 1), x + mainWindow.CardWidth + mainWindow.ShadowOffset + 2,
             fnPileBottom(pile) + mainWindow.CardHeight + mainWindow.ShadowOffset});
    }
    if (before <= 2 || codeCount(target) < 2)
        presentation().fnRestoreTableauBaseCorners(n - 1);
    presentation().fnPlaySound("Tableau", switchIsOn(kTableauSoundField));
    return true;
}

bool moveToReserve(int card, int n, MoveContext& ctx) {
    const std::string pile = pileName("Appogg", n);
    pushUndo();
    moveCardTo(card, pile);
    dropImageOnTop(pile, n - 1, ctx);
    // A card alone on its reserve shows the table at its rounded corners, not the base.
    if (codeCount(reservePile(n - 1)) == 1) {
        const int x = fnPileCardX(pile, n - 1, 0, false);
        presentation().fnRestoreCardCorners(x, ctx.lastTop, x + mainWindow.CardWidth,
                                            ctx.lastTop + mainWindow.CardHeight);
    }
    presentation().fnPlaySound("Tableau", switchIsOn(kTableauSoundField));
    return true;
}

// The one-row game: the card goes onto the card at the position (1-based) before it in the
// first tableau pile. The covered card leaves play for the discard pile, the moved card
// takes its place and the row closes up behind it.
bool moveOntoRowCard(int card, int position, MoveContext& ctx) {
    std::string& row = tableauPile(0);
    const int from = positionInPile(row, card);
    const int onto = position - 1;
    const int covered = codeAt(row, onto);
    if (covered == 0 || from <= onto)
        return false;
    pushUndo();
    row.erase(static_cast<std::size_t>(3 * from), 3);
    row.replace(static_cast<std::size_t>(3 * onto), 3, fnIntZeroPad(card, 3));
    AppendCardToPile(sharedObjects.MazzoPiles, kDiscardLine, covered, kFaceUp);
    presentation().RedrawTable();
    presentation().fnPlaySound("Tableau", switchIsOn(kTableauSoundField));
    ctx.lastTop = fnTableauY(0);
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

// A card laid on the discard pile lands at its base place; the pile's thickness puts its
// top card up and left of it, and its edge grows: both drawn as the table is drawn.
void redrawStockGroupPile(const char* pile) {
    presentation().RedrawPileTop(pile, 0, Surface::BackBuffer);
    presentation().RedrawPileTop(pile, 0, Surface::Window);
}

bool moveToDiscard(int card, MoveContext& ctx) {
    pushUndo();
    fnRemoveCardFromPiles(card);
    AppendCardToPile(sharedObjects.MazzoPiles, kDiscardLine, card, kFaceUp);
    ctx.lastTop = fnStockPileY(kDiscardPlace);
    presentation().fnMoveDragImage(fnStockPileX(kDiscardPlace), ctx.lastTop, true, true);
    redrawStockGroupPile("Mazzo_Waste");
    if (gameKind() == 12)
        presentation().fnPlaySound("Eddy.wav", switchIsOn(kFoundationSoundField));
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

bool moveToWaste(int card, MoveContext& ctx) {
    pushUndo();
    fnRemoveCardFromPiles(card);
    AppendCardToPile(sharedObjects.MazzoPiles, kWasteLine, card, kFaceUp);
    const int x = fnStockPileX(kWastePlace);
    ctx.lastTop = fnStockPileY(kWastePlace);
    presentation().RepaintWindowRect({x - 15, ctx.lastTop - 15, x + mainWindow.CardWidth + 15,
                                      ctx.lastTop + mainWindow.CardHeight + 15});
    presentation().fnPlaySound("Tableau", switchIsOn(kTableauSoundField));
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

bool passesRemain() {
    return engineScalars.StockPassCount < gameWord(kRedealLimitWord) ||
           gameWord(kRedealLimitWord) == -1;
}

// The waste goes back to the stock, its top card first, so the stock's order is restored.
void returnWasteToStock() {
    const char flag = gameWord(kStockFaceDownWord) != 0 ? kFaceDown : kFaceUp;
    const bool animate = switchNotOff(kRedealAnimationField);
    if (animate)
        presentation().fnPlaySoundLoop("Redeal", switchIsOn(kRedealSoundField));
    stockPile().clear();
    while (!wastePile().empty()) {
        const int card = topCard(wastePile());
        wastePile().resize(wastePile().size() - 3);
        AppendCardToPile(sharedObjects.MazzoPiles, kStockLine, card, flag);
        if (animate) {
            if (flag == kFaceDown)
                presentation().fnDrawCardBack(fnStockPileX(kWastePlace), fnStockPileY(kWastePlace),
                                              mainWindow.CardHeight, false, Surface::Window);
            else
                presentation().fnDrawCard(card, fnStockPileX(kWastePlace),
                                          fnStockPileY(kWastePlace), false, Surface::Window, 0);
            presentation().fnAnimateCardMove(card, fnStockPileX(kWastePlace),
                                             fnStockPileY(kWastePlace), fnStockPileX(kStockPlace),
                                             fnStockPileY(kStockPlace), true, false, false, true);
        }
    }
    // The animation leaves the last card's face at the stock and the waste's thickness
    // behind: the table is drawn as it now lies, on the window and in the back buffer.
    presentation().RedrawTable();
    if (animate) {
        fnWaitMs(100);
        presentation().fnStopSound();
    }
}

// Kind 4 pairs the stock's top card too: a chosen card that the redeal put back into the
// stock lies out of reach there and leaves the selection.
void unselectCardsInStock() {
    std::string& chosen = selection();
    for (int j = codeCount(chosen) - 1; j >= 0; --j)
        if (positionInPile(stockPile(), codeAt(chosen, j)) >= 0)
            chosen.erase(static_cast<std::size_t>(3 * j), 3);
}

void showStockHint() {
    presentation().fnShowStockHint();
    engineScalars.StockPressed = 1;
}

bool stockMove(std::string_view name, MoveContext& ctx) {
    bool made = false;
    bool passCounted = false;
    if (gameWord(kRedealModeWord) > 0 && passesRemain() && stockPile().empty()) {
        if (engineScalars.StockPressed != 0) {
            pushUndo();
            ++engineScalars.StockPassCount;
            passCounted = made = true;
        } else {
            showStockHint();
        }
    } else if (name == "Mazzo_Vis" && stockPile().empty() && codeCount(wastePile()) > 1 &&
               passesRemain()) {
        if (engineScalars.StockPressed != 0) {
            ++engineScalars.StockPassCount;
            pushUndo();
            returnWasteToStock();
            if (gameKind() == 4)
                unselectCardsInStock();
            passCounted = made = true;
        } else {
            showStockHint();
        }
    }
    if (stockPile().empty() || passCounted)
        return made;

    pushUndo();
    const bool toWaste = name == "Mazzo_Vis";
    const int place = toWaste ? kWastePlace : kDiscardPlace;
    for (int turned = 0; turned < gameWord(kStockTurnCountWord) && !stockPile().empty(); ++turned) {
        const int card = topCard(stockPile());
        stockPile().resize(stockPile().size() - 3);
        AppendCardToPile(sharedObjects.MazzoPiles, toWaste ? kWasteLine : kDiscardLine, card,
                         kFaceUp);
        presentation().fnDrawCard(card, fnStockPileX(kStockPlace), fnStockPileY(kStockPlace), false,
                                  Surface::Window, 0);
        fnWaitMs(10);
        if (switchNotOff(kAnimateCardsField))
            presentation().fnAnimateCardMove(card, fnStockPileX(kStockPlace),
                                             fnStockPileY(kStockPlace), fnStockPileX(place),
                                             fnStockPileY(place), true, false, false, true);
        // The stock thins and the waste or discard pile thickens: their edges and top cards,
        // drawn up and left by the thickness, as the table is drawn.
        for (const char* pile : {"Mazzo", toWaste ? "Mazzo_Vis" : "Mazzo_Waste"})
            redrawStockGroupPile(pile);
        presentation().fnPlaySound("Stock", switchIsOn(kStockSoundField));
        ctx.lastTop = fnStockPileY(place);
        mainWindow.GameWon = fnIsGameComplete();
    }
    if (gameKind() == 28) {
        ++StockDealCount;
        fnReplaceLastLogItem(2);
    }
    return true;
}

// Deals the stock's top card face up to the named pile and animates it there. In a tableau
// laid in lines (fan mode 8) the card takes the empty place left at the pile's end.
void dealStockCardTo(std::string_view pile, int index, bool tableau, MoveContext& ctx) {
    if (tableau && gameWord(kTableauFanWord) == kNoCardsFan && tableauPile(index).ends_with("000"))
        tableauPile(index).resize(tableauPile(index).size() - 3);
    const int card = topCard(stockPile());
    const int toX = fnPileCardX(pile, index, 0, true);
    const int toY = fnPileCardY(pile, 0, true);
    stockPile().resize(stockPile().size() - 3);
    AppendCardToNamedPile(pile, card, kFaceUp);
    presentation().fnDrawCard(card, fnStockPileX(kStockPlace), fnStockPileY(kStockPlace), false,
                              Surface::Window, 0);
    presentation().fnAnimateCardMove(card, fnStockPileX(kStockPlace), fnStockPileY(kStockPlace),
                                     toX, toY, true, false, false, true);
    // The stock thins: its edge and top card, drawn up and left by the thickness, as the
    // table is drawn.
    redrawStockGroupPile("Mazzo");
    // A card alone on its pile shows the table at its rounded corners, not the pile's base.
    const std::optional<PileLine> line = PileLineForName(pile);
    if (line && codeCount(line->list->at(static_cast<std::size_t>(line->line))) == 1) {
        if (tableau)
            presentation().fnRestoreTableauBaseCorners(index);
        else
            presentation().fnRestoreCardCorners(toX, toY, toX + mainWindow.CardWidth,
                                                toY + mainWindow.CardHeight);
    }
    ctx.lastTop = toY;
}

bool dealFlagAllows(int flagWord) {
    const int flag = gameWord(flagWord);
    return flag >= 1 && flag <= 4;
}

bool stockDeal(std::string_view name, MoveContext& ctx) {
    if (stockPile().empty())
        return false;
    const bool fill = name == "Fill_Tableaus";
    const bool toTableau = name.starts_with("Add_Tableaus") || fill;
    int first = 1;
    int last = toTableau ? tableauCount() : reserveCount();
    if (name.starts_with("Add_Reserve_")) {
        const auto d = pileNumber(name, 13, 1, reserveCount());
        if (!d)
            return false;
        first = last = *d;
    }
    std::vector<int> targets;
    for (int q = first; q <= last; ++q) {
        bool takes = false;
        if (name == "Add_Tableaus")
            takes = dealFlagAllows(kTableauStockDealWord + q - 1);
        else if (name == "Add_Tableaus_Last")
            takes = true;
        else if (fill)
            takes = tableauPile(q - 1).empty();
        else
            takes = dealFlagAllows(kReserveStockDealWord + q - 1);
        if (takes)
            targets.push_back(q);
    }
    if (targets.empty())
        return false;
    if (!fill)
        pushUndo();
    if (toTableau && gameWord(kTableauFanWord) == kNoCardsFan)
        AppendCardToPile(sharedObjects.FilaPiles, 0, 0);
    for (const int q : targets) {
        if (stockPile().empty())
            break;
        dealStockCardTo(pileName(toTableau ? "Fila" : "Appogg", q), q - 1, toTableau, ctx);
        presentation().fnPlaySound("Shuffle", switchIsOn(kShuffleSoundField));
    }
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

// Every empty tableau pile takes the stock's top card while the stock lasts.
void fillEmptyPilesFromStock(MoveContext& ctx) {
    for (int q = 1; q <= tableauCount() && !stockPile().empty(); ++q)
        if (tableauPile(q - 1).empty())
            dealStockCardTo(pileName("Fila", q), q - 1, true, ctx);
}

bool selectionToDiscard(MoveContext& ctx) {
    presentation().fnPlaySound("Pairing", switchIsOn(kPairingSoundField));
    pushUndo();
    fnWaitMs(150);
    const int fanMode = gameWord(kTableauFanWord);
    while (!selection().empty()) {
        const int card = codeAt(selection(), 0);
        selection().erase(0, 3);
        const std::optional<ClosedRect> from = fnCardRect(card);
        LiftCard(card, true);
        const int location = fnLocateCard(card);
        const bool fromTableau = location >= 1 && location <= kTableauPiles;
        if (fromTableau && fanMode == kRowFan)
            fnBlankCardInPiles(card);
        else
            fnRemoveCardFromPiles(card);
        AppendCardToPile(sharedObjects.MazzoPiles, kDiscardLine, card, kFaceUp);
        if (from)
            presentation().fnAnimateCardMove(card, from->left, from->top,
                                             fnStockPileX(kDiscardPlace),
                                             fnStockPileY(kDiscardPlace), true, false, false, true);
        redrawStockGroupPile("Mazzo_Waste");
        ctx.fromTableau = ctx.fromTableau || fromTableau;
        fnClockTick();
    }
    if (fanMode == kNoCardsFan) {
        // The row closes up: an empty slot left at its end goes with the cards.
        std::string& row = tableauPile(0);
        if (row.size() >= 3 && row.ends_with("000"))
            row.resize(row.size() - 3);
        if (!row.empty())
            presentation().RedrawTable();
    }
    if (gameKind() == 25 || gameKind() == 26)
        ctx.fromTableau = true;
    ctx.lastTop = fnStockPileY(kDiscardPlace);
    mainWindow.GameWon = fnIsGameComplete();
    return true;
}

bool selectionRefill(MoveContext& ctx) {
    if (stockPile().empty())
        return false;
    bool anyEmpty = false;
    for (int q = 0; q < tableauCount(); ++q)
        anyEmpty = anyEmpty || tableauPile(q).empty();
    if (!anyEmpty)
        return false;
    pushUndo();
    fillEmptyPilesFromStock(ctx);
    return true;
}

// Closes the gaps in the tableau (every pile moves up to the first empty place before it)
// and deals the stock into the empty piles left at the end.
bool closeGapsAndRefill(MoveContext& ctx) {
    const int n = tableauCount();
    bool anyEmpty = false;
    bool filledAfterEmpty = false;
    for (int q = 0; q < n; ++q) {
        if (tableauPile(q).empty())
            anyEmpty = true;
        else if (anyEmpty)
            filledAfterEmpty = true;
    }
    // Nothing to close and nothing to deal: no move.
    if (!anyEmpty || (!filledAfterEmpty && stockPile().empty()))
        return false;
    pushUndo();
    presentation().RedrawTable();
    selection().clear();
    for (int q = 0; q < n; ++q) {
        if (!tableauPile(q).empty())
            continue;
        int next = q + 1;
        while (next < n && tableauPile(next).empty())
            ++next;
        if (next >= n)
            break;
        const int card = codeAt(tableauPile(next), 0);
        const int fromX = fnTableauX(next);
        const int fromY = fnTableauY(next);
        tableauPile(q) = tableauPile(next);
        tableauPile(next).clear();
        presentation().fnAnimateCardMove(card, fromX, fromY, fnTableauX(q), fnTableauY(q), true,
                                         false, false, true);
        presentation().fnPlaySound("Shuffle", switchIsOn(kTableauSoundField));
        ctx.lastTop = fnTableauY(q);
    }
    fillEmptyPilesFromStock(ctx);
    return true;
}

bool stockEmptyNow() {
    return stockPile().empty() && codeCount(wastePile()) <= 1;
}

// A move of one card needs a card that lies on the table: it must never make one up.
bool onTable(int card) {
    return card >= 1 && card <= kCardCount && TakeCardFromPiles(card, kFindOnly) != kNoPileKind;
}

bool performMove(int card, std::string_view name, MoveContext& ctx) {
    const bool movesOneCard = name.starts_with("Dest") || name.starts_with("Fila") ||
                              name.starts_with("Appogg") || name.starts_with("Row_Onto") ||
                              name == "Waste" || name == "Stock02";
    if (movesOneCard && !onTable(card))
        return false;
    if (name.starts_with("Dest_Autoplay")) {
        const auto n = pileNumber(name, 14, 2, kFoundationPiles);
        return n && moveToFoundation(card, *n, true, ctx);
    }
    if (name.starts_with("Dest")) {
        const auto n = pileNumber(name, 5, 2, kFoundationPiles);
        return n && moveToFoundation(card, *n, false, ctx);
    }
    if (name.starts_with("Fila")) {
        const auto n = pileNumber(name, 5, 2, kTableauPiles);
        return n && moveToTableau(card, *n, ctx);
    }
    if (name.starts_with("Appogg")) {
        const auto n = pileNumber(name, 7, 2, kReservePiles);
        return n && moveToReserve(card, *n, ctx);
    }
    if (name.starts_with("Row_Onto")) {
        const auto position = pileNumber(name, 9, 3, codeCount(tableauPile(0)));
        return position && moveOntoRowCard(card, *position, ctx);
    }
    if (name == "Waste")
        return moveToDiscard(card, ctx);
    if (name == "Stock02")
        return moveToWaste(card, ctx);
    if (name.starts_with("Mazzo"))
        return stockMove(name, ctx);
    if (name == "Add_Tableaus" || name == "Add_Tableaus_Last" || name == "Fill_Tableaus" ||
        name == "Add_Reserves" || name.starts_with("Add_Reserve_"))
        return stockDeal(name, ctx);
    if (name == "Selezionate_Dest")
        return selectionToDiscard(ctx);
    if (name == "Selezionate_Fila")
        return selectionRefill(ctx);
    if (name == "Stock_To_Pile_Monte_Carlo")
        return closeGapsAndRefill(ctx);
    return false;
}

} // namespace

bool fnMakeMove(int card, std::string_view moveName) {
    if (gameWord(kOpeningRestrictionWord) != 0 && engineScalars.PhaseCounter == 0 &&
        !CheckMoveRestriction(card, moveName, nullptr))
        return false;
    const bool wasEmpty = stockEmptyNow();
    MoveContext ctx;
    const int location = fnLocateCard(card);
    ctx.fromTableau = card > 0 && location >= 1 && location <= kTableauPiles;
    const bool made = performMove(card, moveName, ctx);
    if (!made)
        return false;
    // A card that stayed where it was (a stock hint only) did not leave its tableau pile.
    if (ctx.fromTableau && card > 0 && fnLocateCard(card) == location)
        ctx.fromTableau = false;

    if (stockEmptyNow() && !wasEmpty) {
        presentation().RedrawPileTop("Mazzo", 0, Surface::Window);
        presentation().RedrawPileTop("Mazzo", 0, Surface::BackBuffer);
    }
    if (gameKind() != 9)
        RecomputeScore();
    if (ctx.fromTableau && !autoPlayOn())
        AutoFaceUpTableau();
    fnPushSnapshot(HistorySide::Redo, true);
    if (engineScalars.PhaseCounter <= 1)
        ++engineScalars.PhaseCounter;
    if (gameWord(kInitialFillWord) != 0 && engineScalars.PhaseCounter == 1)
        InitialFillTableaus();
    const int bottom = ctx.lastTop + mainWindow.DragHeight + mainWindow.ScrollBarPosition;
    engineScalars.TableHeight =
        static_cast<std::int16_t>(std::max<int>(engineScalars.TableHeight, bottom));
    return true;
}

} // namespace solitaire
