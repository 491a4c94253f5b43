// Whole games played through the engine's mouse handlers: FreeCell and Klondike deals of
// fixed game numbers to a win (a planner picks the moves, the table is checked against it
// after each), Klondike's stock through its redeals, and small pairing and selection games.

#include "planners.h"
#include "play_fixture.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/pickup.h"
#include "solitaire/engine/rules.h"

namespace solitaire {
namespace {

using testing::card;
using testing::codes;
using testing::FreeCellMove;
using testing::FreeCellState;
using testing::KlondikeAction;
using testing::KlondikeMove;
using testing::KlondikeState;
using testing::Place;

std::vector<int> cardsOf(const std::string& pile) {
    std::vector<int> cards;
    for (std::size_t i = 0; i + 3 <= pile.size(); i += 3)
        cards.push_back(CodeAt(pile, i));
    return cards;
}

// The game numbers the fixed seeds of the scripted games draw.
constexpr const char* kFreeCellGameNumber = "5195796642490";
constexpr const char* kKlondikeGameNumber = "3211882274998";

class GamePlayTest : public testing::PlayFixture {
protected:
    // A click: press and release without moving.
    static void click(int x, int y) {
        fnTableMouseDown(MouseButton::Left, false, x, y);
        fnTableMouseUp();
    }
    // A double click as the window delivers it: a click, the double-click handler, then the
    // press flagged as double and its release.
    static void doubleClick(int x, int y) {
        click(x, y);
        engineScalars.LastMouseX = static_cast<std::int16_t>(x);
        engineScalars.LastMouseY = static_cast<std::int16_t>(y);
        fnDoubleClickMove(true, true);
        fnTableMouseDown(MouseButton::Left, false, x, y);
        fnTableMouseUp();
    }
    // Presses at (x, y), moves the dragged cards' image onto the place (tx, ty) and releases.
    static void dragTo(int x, int y, int tx, int ty) {
        fnTableMouseDown(MouseButton::Left, false, x, y);
        ASSERT_NE(engineScalars.DraggedCard, 0) << "nothing lifted at " << x << "," << y;
        engineScalars.MovedWhileDragging = 1;
        mainWindow.DragTargetRect = {tx, ty, tx + mainWindow.CardWidth, ty + mainWindow.DragHeight};
        fnTableMouseUp();
        engineScalars.MovedWhileDragging = 0;
    }
    static std::pair<int, int> topSlot(const std::string& pile, int index) {
        return {fnPileCardX(pile, index, 0, false), fnPileCardY(pile, 0, false)};
    }
    // A point inside the visible band of the card `depth` cards below the top of a pile.
    static std::pair<int, int> pointOn(const std::string& pile, int index, int depth) {
        return {fnPileCardX(pile, index, depth, false) + 10, fnPileCardY(pile, depth, false) + 4};
    }
    static std::array<int, 4> homeRanks() {
        std::array<int, 4> home{};
        for (const std::string& pile : sharedObjects.DestPiles)
            for (const int c : cardsOf(pile))
                home[testing::suitOf(c)] = std::max(home[testing::suitOf(c)], testing::rankOf(c));
        return home;
    }
    static int homeCards() {
        int n = 0;
        for (const std::string& pile : sharedObjects.DestPiles)
            n += static_cast<int>(pile.size() / 3);
        return n;
    }
    // After every move: no card lost or doubled, the score follows the foundations, and one
    // undo step more.
    void expectConsistent(int& steps) {
        expectEveryCardOnce();
        EXPECT_EQ(score(), -52 + 5 * homeCards());
        EXPECT_EQ(undoSteps(), ++steps);
    }
};

// ---- FreeCell ----

FreeCellState freeCellFromTable() {
    FreeCellState s;
    for (int i = 0; i < 8; ++i)
        s.cascades[i] = cardsOf(sharedObjects.FilaPiles[i]);
    for (int i = 0; i < 4; ++i) {
        const auto cell = cardsOf(sharedObjects.AppoggPiles[i]);
        s.cells[i] = cell.empty() ? 0 : cell.back();
    }
    return s;
}

class FreeCellPlayTest : public GamePlayTest {
protected:
    void play(const FreeCellMove& m) {
        const auto [x, y] =
            m.from == Place::Cascade
                ? pointOn("Fila" + std::to_string(m.fromIndex + 1), m.fromIndex, 0)
                : pointOn("Appogg" + std::to_string(m.fromIndex + 1), m.fromIndex, 0);
        if (m.to == Place::Home) {
            doubleClick(x, y);
            return;
        }
        const std::string target = m.to == Place::Cascade
                                       ? "Fila" + std::to_string(m.toIndex + 1)
                                       : "Appogg" + std::to_string(m.toIndex + 1);
        const auto [tx, ty] = topSlot(target, m.toIndex);
        dragTo(x, y, tx, ty);
    }
    void expectModel(const FreeCellState& model) {
        const FreeCellState table = freeCellFromTable();
        EXPECT_EQ(table.cascades, model.cascades);
        EXPECT_EQ(table.cells, model.cells);
        EXPECT_EQ(homeRanks(), model.home);
    }
};

// Game number of seed 6, planned line of 87 moves. The planner's line is played up to its
// last move that is not to a foundation; then Autoplay is switched on and the next release
// plays the rest.
TEST_F(FreeCellPlayTest, AScriptedGameIsPlayedToAWinAndAutoplayFinishesIt) {
    startGame(testing::kFreeCellId, 6);
    EXPECT_EQ(fnReadSettingsField(153, 15), kFreeCellGameNumber);
    FreeCellState model = freeCellFromTable();
    const auto line = testing::planGame<testing::FreeCellModel>(model, 200000);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->size(), 87u);
    const auto lastOther = std::ranges::find_if(line->rbegin(), line->rend(),
                                                [](const auto& m) { return m.to != Place::Home; });
    const auto byHand = line->begin() + (line->rend() - lastOther);
    ASSERT_LT(byHand, line->end());
    int steps = 0;
    for (auto m = line->begin(); m != byHand; ++m) {
        SCOPED_TRACE(::testing::Message() << "move " << (m - line->begin()) << " card " << m->card);
        play(*m);
        testing::FreeCellModel::apply(model, *m);
        expectModel(model);
        expectConsistent(steps);
        ASSERT_TRUE(mainWindow.GameRunning);
        if (::testing::Test::HasFailure())
            return;
    }
    // Autoplay finishes the game after the next release.
    mainWindow.AutoPlayChecked = mainWindow.AutoPlayEnabled = true;
    fnTableMouseUp();
    for (const std::string& pile : sharedObjects.FilaPiles)
        EXPECT_TRUE(pile.empty());
    EXPECT_EQ(homeCards(), 52);
    EXPECT_EQ(score(), 208);
    EXPECT_EQ(undoSteps(), steps + (line->end() - byHand));
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(called("fnPlayWinningAnimation(1)") || called("fnPlayWinningAnimation(2)"));
    EXPECT_TRUE(called("ShowGameChooser()"));
    expectEveryCardOnce();
}

// ---- Klondike ----

KlondikeState klondikeFromTable() {
    KlondikeState s;
    for (int p = 0; p < 7; ++p) {
        s.piles[p] = cardsOf(sharedObjects.FilaPiles[p]);
        s.down[p] = static_cast<int>(std::ranges::count_if(s.piles[p], fnIsFaceDown));
    }
    s.stock = cardsOf(sharedObjects.MazzoPiles[kStockLine]);
    s.waste = cardsOf(sharedObjects.MazzoPiles[kWasteLine]);
    return s;
}

class KlondikePlayTest : public GamePlayTest {
protected:
    static std::string fila(int p) { return "Fila" + std::to_string(p + 1); }
    static void stockClick() { click(fnStockPileX(0) + 10, fnStockPileY(0) + 10); }
    void play(const KlondikeMove& m, const KlondikeState& before) {
        const int wasteX = fnStockPileX(1) + 10;
        const int wasteY = fnStockPileY(1) + 10;
        switch (m.action) {
        case KlondikeAction::PileToHome: {
            const auto [x, y] = pointOn(fila(m.from), m.from, 0);
            doubleClick(x, y);
            break;
        }
        case KlondikeAction::WasteToHome:
            doubleClick(wasteX, wasteY);
            break;
        case KlondikeAction::PileToPile: {
            const int depth = static_cast<int>(before.piles[m.from].size()) - 1 - m.index;
            const auto [x, y] = pointOn(fila(m.from), m.from, depth);
            const auto [tx, ty] = topSlot(fila(m.to), m.to);
            dragTo(x, y, tx, ty);
            break;
        }
        case KlondikeAction::WasteToPile: {
            const auto [tx, ty] = topSlot(fila(m.to), m.to);
            dragTo(wasteX, wasteY, tx, ty);
            break;
        }
        case KlondikeAction::Stock:
            stockClick();
            break;
        }
    }
    void expectModel(const KlondikeState& model) {
        const KlondikeState table = klondikeFromTable();
        EXPECT_EQ(table.piles, model.piles);
        EXPECT_EQ(table.down, model.down);
        EXPECT_EQ(table.stock, model.stock);
        EXPECT_EQ(table.waste, model.waste);
        EXPECT_EQ(homeRanks(), model.home);
    }
};

// Game number of seed 4, planned line of 121 moves with every kind of move: double clicks to
// the foundations, runs and waste cards dragged, stock turns and redeals; a card uncovered is
// turned by a click on it.
TEST_F(KlondikePlayTest, AScriptedGameIsPlayedToAWin) {
    startGame(testing::kKlondikeId, 4);
    EXPECT_EQ(fnReadSettingsField(153, 15), kKlondikeGameNumber);
    KlondikeState model = klondikeFromTable();
    const auto line = testing::planGame<testing::KlondikeModel>(model, 300000);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->size(), 121u);
    int steps = 0;
    int redeals = 0;
    for (std::size_t i = 0; i < line->size(); ++i) {
        const KlondikeMove& m = (*line)[i];
        SCOPED_TRACE(::testing::Message()
                     << "move " << i << " action " << static_cast<int>(m.action));
        const KlondikeState before = model;
        redeals += m.action == KlondikeAction::Stock && model.stock.empty() ? 1 : 0;
        play(m, before);
        const auto turned = testing::KlondikeModel::apply(model, m);
        expectConsistent(steps);
        if (turned) {
            const auto [x, y] = pointOn(fila(*turned), *turned, 0);
            click(x, y);
            expectConsistent(steps);
        }
        expectModel(model);
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_GT(redeals, 0);
    EXPECT_EQ(engineScalars.StockPassCount, redeals);
    EXPECT_EQ(homeCards(), 52);
    EXPECT_EQ(score(), 208);
    EXPECT_FALSE(mainWindow.GameRunning); // the last double click ended the won game
    EXPECT_TRUE(called("ShowGameChooser()"));
}

// Klondike's stock turned through to the end and brought back again and again: each pass
// restores the stock's order face down; a limited game refuses the redeal after its last.
TEST_F(KlondikePlayTest, TheStockCyclesThroughItsRedeals) {
    struct Case {
        int limit;
        int redeals;  // made
        bool refused; // a further one
    } const cases[] = {{-1, 4, false}, {2, 2, true}, {0, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit);
        startGame(testing::kKlondikeId, 4);
        gameDefinition[13] = static_cast<std::int16_t>(c.limit);
        const std::string deck = stock();
        int steps = 0;
        auto turnAll = [&] {
            for (int turn = 0; turn < 24; ++turn) {
                stockClick();
                expectConsistent(steps);
            }
            EXPECT_TRUE(stock().empty());
            EXPECT_EQ(cardsIn(waste()), 24);
        };
        for (int pass = 1; pass <= c.redeals; ++pass) {
            turnAll();
            stockClick();
            expectConsistent(steps);
            EXPECT_EQ(stock(), deck);
            EXPECT_TRUE(waste().empty());
            EXPECT_TRUE(fnIsFaceDown(CodeAt(stock(), 0)));
            EXPECT_EQ(engineScalars.StockPassCount, pass);
            EXPECT_EQ(engineScalars.StockPressed, 0);
        }
        if (c.refused) {
            turnAll();
            stockClick();
            EXPECT_EQ(cardsIn(waste()), 24);
            EXPECT_EQ(undoSteps(), steps);
            EXPECT_EQ(engineScalars.StockPassCount, c.redeals);
        }
    }
}

// ---- Small games of their own ----

// A pairing game (kind 3, pairs summing to 14) on seven piles: pressing the two cards of a
// pair sends them to the discard pile; the last pair wins.
TEST_F(GamePlayTest, APairingGameIsPlayedToAWin) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    gameDefinition[35] = 3;
    fnSetStockPileX(2, 600);
    fnSetStockPileY(2, 40);
    const std::vector<std::vector<int>> piles = {{card(1, 0), card(13, 3)},
                                                 {card(13, 0), card(1, 3)},
                                                 {card(6, 2), card(8, 1)},
                                                 {card(8, 2), card(6, 1)},
                                                 {card(7, 0)},
                                                 {card(7, 3)},
                                                 {}};
    for (std::size_t p = 0; p < piles.size(); ++p)
        for (const int c : piles[p])
            fila(static_cast<int>(p) + 1) += codes({c});
    mainWindow.GameRunning = true;
    // Top cards pair across piles 1-2, 3-4 and 5-6.
    const std::pair<int, int> pairs[] = {{0, 1}, {0, 1}, {2, 3}, {2, 3}, {4, 5}};
    int steps = 0;
    for (const auto& [a, b] : pairs) {
        for (const int p : {a, b}) {
            const auto [x, y] = pointOn("Fila" + std::to_string(p + 1), p, 0);
            click(x, y);
        }
        EXPECT_TRUE(dest(1).empty());
        EXPECT_EQ(undoSteps(), ++steps);
        EXPECT_EQ(cardsOnTable(), 10);
    }
    EXPECT_EQ(cardsIn(discard()), 10);
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(called("ShowGameChooser()"));
}

// A selection game on two piles (kind 14: two top cards of equal rank) whose emptied piles
// are refilled from the stock, played to a win.
TEST_F(GamePlayTest, ASelectionGameIsPlayedToAWin) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    gameDefinition[35] = 14;
    gameDefinition[30] = 1;
    setPileCounts(2, 0);
    fnSetStockPileX(2, 600);
    fnSetStockPileY(2, 40);
    fila(1) = codes({card(5, 0), card(9, 0)});
    fila(2) = codes({card(5, 3), card(9, 3)});
    stock() = codes({card(2, 1), card(2, 2), card(11, 1), card(11, 2)});
    mainWindow.GameRunning = true;
    int removed = 0;
    while (mainWindow.GameRunning && removed < 8) {
        for (const int p : {0, 1}) {
            const auto [x, y] = pointOn("Fila" + std::to_string(p + 1), p, 0);
            click(x, y);
        }
        removed += 2;
        EXPECT_EQ(cardsIn(discard()), removed);
        EXPECT_TRUE(dest(1).empty());
    }
    EXPECT_EQ(removed, 8);
    EXPECT_TRUE(stock().empty());
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(called("ShowGameChooser()"));
}

// ---- Rules of shipped games ----

// Agnes Bernauer ranks its tableau round without a break, as Canfield does: a card of the
// foundations' starting rank takes the next lower card of the other colour like any card, and
// an ace takes a king.
TEST_F(GamePlayTest, AgnesBernauerBuildsOnEveryRankAsCanfieldDoes) {
    constexpr int kAgnesBernauerId = 10, kCanfieldId = 60;
    constexpr int kHearts = 0, kClubs = 2, kSpades = 3;
    for (const int id : {kAgnesBernauerId, kCanfieldId}) {
        SCOPED_TRACE(id);
        startGame(id, 1);
        const int base = gameDefinition[36]; // the rank the dealt foundation card set
        struct Case {
            int under, moving;
            bool taken;
        } const cases[] = {
            {card(base, kSpades), card(PrevRank(base), kHearts), true},
            {card(base, kSpades), card(PrevRank(base), kClubs), false}, // same colour
            {card(1, kClubs), card(13, kHearts), true},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.moving << " on " << c.under);
            clearTable();
            fila(1) = codes({c.under});
            fila(2) = codes({c.moving});
            EXPECT_EQ(fnCanDropOnPile(c.moving, "Fila1"), c.taken);
        }
    }
}

// Nestor lays its last four cards out open on their own, so that twelve cards are free at the
// start: the top cards of the eight piles of six and those four. A press chooses a free card
// (and a second press puts it back), any other card is refused.
TEST_F(GamePlayTest, NestorStartsWithTwelveFreeCards) {
    constexpr int kNestorId = 243;
    startGame(kNestorId, 1);
    int free = 0, cards = 0;
    for (int k = 0; k < fnTableauCount(); ++k) {
        const std::string name = "Fila" + std::to_string(k + 1);
        for (int depth = 0; depth < cardsIn(fila(k + 1)); ++depth) {
            const auto [x, y] = pointOn(name, k, depth);
            click(x, y);
            if (!dest(1).empty()) {
                ++free;
                click(x, y);
                ASSERT_TRUE(dest(1).empty());
            }
            ++cards;
        }
    }
    EXPECT_EQ(cards, 52);
    EXPECT_EQ(free, 12);
}

} // namespace
} // namespace solitaire
