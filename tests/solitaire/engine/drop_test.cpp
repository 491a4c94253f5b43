// Drop resolution: the piles under the released cards, their order, the rules and the
// opening restriction, through the engine's mouse-up.

#include "play_fixture.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/shared_state.h"

namespace solitaire {
namespace {

using testing::card;
using testing::codes;

constexpr int KS = card(13, 3), KH = card(13, 0), KC = card(13, 2), QH = card(12, 0);
constexpr int AH = card(1, 0), TwoH = card(2, 0), JC = card(11, 2), FourD = card(4, 1);

class DropTest : public testing::PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        setUpGame(testing::kFreeCellId);
        clearTable();
    }
    // The window place of a pile's top slot.
    static std::pair<int, int> slot(const std::string& pile, int index) {
        return {fnPileCardX(pile, index, 0, false), fnPileCardY(pile, 0, false)};
    }
    // Holds card as a single dragged card whose image lies at (x, y), the mouse moved.
    static void drag(int c, int x, int y, bool moved = true) {
        engineScalars.DraggedCard = static_cast<std::int16_t>(c);
        engineScalars.DraggedGroupTop = static_cast<std::int16_t>(c);
        engineScalars.MovedWhileDragging = moved ? 1 : 0;
        mainWindow.DragHeight = mainWindow.CardHeight;
        mainWindow.DragTargetRect = {x, y, x + 71, y + 96};
    }
};

// Fila1 and Fila2 lie 71 + gap apart; the image covers more of Fila2 than of Fila1.
TEST_F(DropTest, TheLargerOverlapIsTriedFirstAndARefusalPassesToTheNext) {
    struct Case {
        int underSecond;
        int expectedPile;
    } const cases[] = {{KC, 2}, {KH, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.underSecond);
        clearTable();
        fila(1) = codes({KS});
        fila(2) = codes({c.underSecond});
        fila(3) = codes({QH});
        parkTheRest(8);
        const auto [x1, y1] = slot("Fila1", 0);
        const auto [x2, y2] = slot("Fila2", 1);
        drag(QH, x2 - 30, y2 + 5);
        ASSERT_GT(x2 - 30, x1);
        ASSERT_LT(x2 - 30, x1 + 71);
        fnTableMouseUp();
        EXPECT_TRUE(fila(3).empty());
        EXPECT_EQ(fila(c.expectedPile).substr(3), codes({QH}));
        EXPECT_EQ(engineScalars.DraggedCard, 0);
        expectEveryCardOnce();
    }
}

TEST_F(DropTest, NoPileTakingTheCardPutsItBack) {
    fila(1) = codes({KH});
    fila(3) = codes({QH});
    parkTheRest(8);
    const auto [x, y] = slot("Fila1", 0);
    drag(QH, x + 3, y + 3);
    fnTableMouseUp();
    EXPECT_EQ(fila(3), codes({QH}));
    EXPECT_TRUE(called("fnRedrawCardInPile(" + std::to_string(QH) + ")"));
    EXPECT_EQ(undoSteps(), 0);
}

TEST_F(DropTest, AReleaseWithoutMovingTheMouseNeverDrops) {
    fila(1) = codes({KS});
    fila(3) = codes({QH});
    parkTheRest(8);
    const auto [x, y] = slot("Fila1", 0);
    drag(QH, x, y, false);
    fnTableMouseUp();
    EXPECT_EQ(fila(3), codes({QH}));
    EXPECT_EQ(fila(1), codes({KS}));
    EXPECT_TRUE(called("fnRedrawCardInPile(" + std::to_string(QH) + ")"));
    EXPECT_TRUE(called("fnEraseDragImage()"));
}

// Piles stacked on one place overlap the image equally: reserve, foundation, tableau pile,
// waste; a higher index first within a kind; four at most.
TEST_F(DropTest, EqualOverlapsAreOrderedByKindThenIndexAndFourAreKept) {
    for (int i = 0; i < 2; ++i) {
        fnSetReserveX(i, 2000);
        fnSetReserveY(i, 2000);
        fnSetTableauX(i, 2000);
        fnSetTableauY(i, 2000);
    }
    fnSetFoundationX(0, 2000);
    fnSetFoundationY(0, 2000);
    const auto found = FindDropCandidates(2010, 2010, 2081, 2106);
    ASSERT_TRUE(found);
    const DropCandidates expected{
        {{kReserveKind, 1}, {kReserveKind, 0}, {kFoundationKind, 0}, {kTableauKind, 1}}};
    EXPECT_EQ(*found, expected);
    EXPECT_FALSE(FindDropCandidates(-500, -500, -429, -404));
}

TEST_F(DropTest, TheLargestOverlapComesFirstWhateverTheKind) {
    fnSetReserveX(0, 2000);
    fnSetReserveY(0, 2000);
    fnSetTableauX(0, 2040);
    fnSetTableauY(0, 2000);
    const auto found = FindDropCandidates(2030, 2000, 2101, 2096);
    ASSERT_TRUE(found);
    EXPECT_EQ((*found)[0], (DropCandidate{kTableauKind, 0}));
    EXPECT_EQ((*found)[1], (DropCandidate{kReserveKind, 0}));
    EXPECT_EQ((*found)[2].kind, -1);
}

TEST_F(DropTest, AFoundationDropIsAFoundationMove) {
    fila(3) = codes({AH});
    parkTheRest(8);
    const auto [x, y] = slot("Dest2", 1);
    drag(AH, x + 2, y + 2);
    fnTableMouseUp();
    EXPECT_EQ(dest(2), codes({AH}));
    EXPECT_TRUE(called("fnPlaySound(Foundation.wav,1)"));
    EXPECT_EQ(score(), -52 + 5);
}

TEST_F(DropTest, TheOpeningRestrictionLetsOnlyTableauCardsReachFoundations) {
    gameDefinition[31] = 1;
    engineScalars.PhaseCounter = 0;
    fila(1) = codes({KS});
    fila(3) = codes({QH, AH});
    appogg(1) = codes({TwoH});
    parkTheRest(8);
    const auto [fx, fy] = slot("Fila1", 0);
    const auto [dx, dy] = slot("Dest1", 0);
    // A tableau card to a tableau pile and a reserve card to a foundation are refused.
    mainWindow.DragHeight = 96;
    engineScalars.DraggedGroupTop = 0;
    EXPECT_FALSE(DropCard(QH, fx, fy, -1, -1, false, false, false, fy + 96, fx + 71));
    fila(3) = codes({QH});
    dest(1) = codes({AH});
    EXPECT_FALSE(DropCard(TwoH, dx, dy, -1, -1, false, false, false, dy + 96, dx + 71));
    EXPECT_EQ(appogg(1), codes({TwoH}));
    EXPECT_EQ(undoSteps(), 0);
    // A tableau card to a foundation is the one move allowed.
    fila(3) = codes({QH, TwoH});
    appogg(1) = "";
    EXPECT_TRUE(DropCard(TwoH, dx, dy, -1, -1, false, false, false, dy + 96, dx + 71));
    EXPECT_EQ(dest(1), codes({AH, TwoH}));
}

TEST_F(DropTest, TheWasteTakesASuitNeighbourInTheGamesThatBuildThere) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    gameDefinition[247] = 2;
    waste() = codes({card(5, 1)});
    fila(1) = codes({FourD});
    fila(2) = codes({card(4, 0)});
    parkTheRest(7);
    const int x = fnStockPileX(1);
    const int y = fnStockPileY(1);
    mainWindow.DragHeight = 96;
    EXPECT_FALSE(DropCard(card(4, 0), x, y, 0, kWasteKind, false, false, false, y + 96, x + 71));
    EXPECT_TRUE(DropCard(FourD, x, y, 0, kWasteKind, false, false, false, y + 96, x + 71));
    EXPECT_EQ(waste(), codes({card(5, 1), FourD}));
    gameDefinition[248] = 4; // this waste takes no drops
    EXPECT_FALSE(FindDropCandidates(x, y, x + 71, y + 96));
}

TEST_F(DropTest, AReleaseAfterAStockPressTurnsTheStock) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    stock() = codes({JC, AH});
    fila(1) = codes({KS});
    engineScalars.StockPressed = 1;
    fnTableMouseUp();
    EXPECT_EQ(engineScalars.StockPressed, 0);
    EXPECT_TRUE(called("fnHideStockHint()"));
    EXPECT_EQ(waste(), codes({AH}));
}

} // namespace
} // namespace solitaire
