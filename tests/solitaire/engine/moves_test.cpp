// The move engine: each named move on a small table, with its undo step, score and sound.

#include "play_fixture.h"

#include "solitaire/engine/moves.h"

namespace solitaire {
namespace {

using testing::card;
using testing::codes;

constexpr int AH = card(1, 0), TwoH = card(2, 0), ThreeH = card(3, 0), AS = card(1, 3);
constexpr int KS = card(13, 3), QH = card(12, 0), JC = card(11, 2), TenD = card(10, 1);
constexpr int FiveC = card(5, 2), SixD = card(6, 1), SevenS = card(7, 3), EightH = card(8, 0);

class MoveTest : public testing::PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        setUpGame(testing::kKlondikeId);
        clearTable();
    }
};

struct PileMoveCase {
    const char* name;
    const char* move;
    int moved;
    int dragHeight;       // 96: one card
    const char* target;   // the pile name the move fills
    std::string expected; // that pile afterwards
    const char* sound;
};

class PileMoveTest : public MoveTest, public ::testing::WithParamInterface<PileMoveCase> {};

// Each move takes the card (or the run above it) out of its pile and puts it face up on the
// target; one undo step each; no card is lost or doubled.
TEST_P(PileMoveTest, MovesTheCardsFaceUpOntoTheTarget) {
    const PileMoveCase& c = GetParam();
    setUpGame(testing::kFreeCellId); // has reserves
    clearTable();
    fila(1) = codes({KS, QH, JC});
    fila(2) = codes({AH});
    waste() = codes({TwoH, TenD});
    stock() = codes({FiveC, SixD});
    parkTheRest(8);
    faceDown({TenD});
    mainWindow.DragHeight = c.dragHeight;

    ASSERT_TRUE(fnMakeMove(c.moved, c.move));
    const auto target = PileLineForName(c.target);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->list->at(static_cast<std::size_t>(target->line)), c.expected);
    EXPECT_FALSE(fnIsFaceDown(c.moved));
    EXPECT_EQ(undoSteps(), 1);
    if (*c.sound != 0) {
        EXPECT_TRUE(called("fnPlaySound(" + std::string(c.sound) + ",1)"));
    }
    expectEveryCardOnce();
}

INSTANTIATE_TEST_SUITE_P(
    NamedMoves, PileMoveTest,
    ::testing::Values(
        PileMoveCase{"ToFoundation", "Dest1", AH, 96, "Dest1", codes({AH}), "Foundation.wav"},
        PileMoveCase{"AutoplayToFoundation", "Dest_Autoplay2", AH, 96, "Dest2", codes({AH}),
                     "Autoplay.wav"},
        PileMoveCase{"WasteToTableau", "Fila2", TenD, 96, "Fila2", codes({AH, TenD}), "Tableau"},
        PileMoveCase{"RunToTableau", "Fila2", QH, 96 + 18, "Fila2", codes({AH, QH, JC}), "Tableau"},
        PileMoveCase{"TopCardToTableau", "Fila3", JC, 96, "Fila3", codes({JC}), "Tableau"},
        PileMoveCase{"ToReserve", "Appogg4", JC, 96, "Appogg4", codes({JC}), "Tableau"},
        PileMoveCase{"ToDiscardPile", "Waste", JC, 96, "Mazzo_Waste", codes({JC}), ""},
        PileMoveCase{"ToWaste", "Stock02", AH, 96, "Mazzo_Vis", codes({TwoH, TenD, AH}),
                     "Tableau"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MoveTest, ARunMovesInItsOrderAndLeavesTheRestOfItsPile) {
    fila(1) = codes({KS, QH, JC});
    fila(2) = codes({AH});
    mainWindow.DragHeight = 96 + 18;
    ASSERT_TRUE(fnMakeMove(QH, "Fila2"));
    EXPECT_EQ(fila(1), codes({KS}));
    EXPECT_EQ(fila(2), codes({AH, QH, JC}));
}

// A card from the waste moves alone even when the last drag was a group: the height of that
// drag must not make the move look for a run the card does not head.
TEST_F(MoveTest, AStaleGroupHeightNeitherLosesNorDoublesACard) {
    fila(1) = codes({KS});
    waste() = codes({TwoH, QH});
    stock() = codes({AH});
    mainWindow.DragHeight = 96 + 3 * 18;
    ASSERT_TRUE(fnMakeMove(QH, "Fila1"));
    EXPECT_EQ(fila(1), codes({KS, QH}));
    EXPECT_EQ(waste(), codes({TwoH}));
}

TEST_F(MoveTest, AFoundationMoveStoresTheCompletedTestAndTheScore) {
    fila(1) = codes({AH});
    ASSERT_TRUE(fnMakeMove(AH, "Dest1"));
    EXPECT_TRUE(mainWindow.GameWon); // nothing left in stock, waste or tableau
    EXPECT_EQ(score(), -52 + 5);
    EXPECT_EQ(mainWindow.ScoreLabel, "-47");
}

TEST_F(MoveTest, UnknownNamesPilesAndCardsMoveNothing) {
    fila(1) = codes({AH});
    for (const char* name : {"Nothing", "Dest17", "Fila27", "Appogg9", "Destx", "Add_Reserve_9",
                             "Row_Onto1", "Row_Onto2", "Row_Onto0"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(fnMakeMove(AH, name));
        EXPECT_EQ(fila(1), codes({AH}));
        EXPECT_EQ(undoSteps(), 0);
    }
    // A card that lies on no pile is not made up.
    for (const int missing : {0, AS, 105}) {
        EXPECT_FALSE(fnMakeMove(missing, "Dest1"));
        EXPECT_FALSE(fnMakeMove(missing, "Fila2"));
    }
    EXPECT_TRUE(dest(1).empty());
    EXPECT_TRUE(fila(2).empty());
    EXPECT_EQ(undoSteps(), 0);
}

// ---- The stock ----

TEST_F(MoveTest, AStockTurnPutsTheGamesCountOfCardsFaceUpOnTheWaste) {
    gameDefinition[19] = 3;
    stock() = codes({FiveC, SixD, SevenS, EightH});
    faceDown({FiveC, SixD, SevenS, EightH});
    fila(1) = codes({KS});
    ASSERT_TRUE(fnMakeMove(EightH, "Mazzo_Vis"));
    EXPECT_EQ(stock(), codes({FiveC}));
    EXPECT_EQ(waste(), codes({EightH, SevenS, SixD}));
    for (int c : {EightH, SevenS, SixD})
        EXPECT_FALSE(fnIsFaceDown(c));
    EXPECT_EQ(countCalls("fnPlaySound(Stock,1)"), 3);
    EXPECT_EQ(undoSteps(), 1);
    // The thinner stock is drawn again, its top card where its thickness now puts it.
    EXPECT_TRUE(called("RedrawPileTop(Mazzo,0,Window)"));
}

TEST_F(MoveTest, TurningTheLastCardShowsTheEmptyStock) {
    stock() = codes({FiveC});
    fila(1) = codes({KS});
    ASSERT_TRUE(fnMakeMove(FiveC, "Mazzo_Vis"));
    EXPECT_TRUE(stock().empty());
    EXPECT_EQ(waste(), codes({FiveC}));
    EXPECT_TRUE(called("RedrawPileTop(Mazzo,0,Window)"));
    EXPECT_TRUE(called("RedrawPileTop(Mazzo,0,BackBuffer)"));
}

TEST_F(MoveTest, MazzoWasteTurnsOntoTheDiscardPile) {
    stock() = codes({FiveC, SixD});
    fila(1) = codes({KS});
    ASSERT_TRUE(fnMakeMove(0, "Mazzo_Waste"));
    EXPECT_EQ(discard(), codes({SixD}));
    EXPECT_EQ(stock(), codes({FiveC}));
}

// The redeal takes two presses: the first shows the stock marker, the release (StockPressed)
// brings the waste back in the stock's order, face down, and counts a pass. A waste of one
// card stays where it is, even with passes left: that card can be played from the waste.
TEST_F(MoveTest, TheWasteGoesBackToTheStockWhilePassesRemain) {
    const std::string three = codes({FiveC, SixD, SevenS}), two = codes({FiveC, SixD});
    struct Case {
        int limit;
        int passesMade;
        std::string waste;
        std::string stockAfter; // empty: no redeal
    } const cases[] = {{-1, 40, three, codes({SevenS, SixD, FiveC})},
                       {0, 0, three, ""},
                       {2, 1, three, codes({SevenS, SixD, FiveC})},
                       {2, 2, three, ""},
                       {-1, 0, two, codes({SixD, FiveC})},
                       {-1, 0, codes({FiveC}), ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "limit " << c.limit << " passes " << c.passesMade
                                          << " waste " << c.waste);
        clearTable();
        gameDefinition[13] = static_cast<std::int16_t>(c.limit);
        engineScalars.StockPassCount = static_cast<std::int16_t>(c.passesMade);
        engineScalars.StockPressed = 0;
        waste() = c.waste;
        fila(1) = codes({KS});
        const int before = undoSteps();

        const bool redeals = !c.stockAfter.empty();
        EXPECT_FALSE(fnMakeMove(0, "Mazzo_Vis"));
        EXPECT_EQ(engineScalars.StockPressed, redeals ? 1 : 0);
        EXPECT_EQ(fnMakeMove(0, "Mazzo_Vis"), redeals);
        if (redeals) {
            EXPECT_EQ(stock(), c.stockAfter);
            EXPECT_TRUE(waste().empty());
            EXPECT_TRUE(fnIsFaceDown(FiveC));
            EXPECT_EQ(engineScalars.StockPassCount, c.passesMade + 1);
            EXPECT_EQ(undoSteps(), before + 1);
        } else {
            EXPECT_EQ(waste(), c.waste);
            EXPECT_TRUE(stock().empty());
            EXPECT_EQ(undoSteps(), before);
        }
    }
}

// Kind 4 pairs the waste's top card: a chosen card that the redeal brings back into the stock
// lies out of reach there and leaves the selection; a chosen tableau card stays chosen.
TEST_F(MoveTest, APairingRedealTakesTheCardsItBringsBackToTheStockOutOfTheSelection) {
    struct Case {
        const char* chosen;
        std::string before;
        std::string after;
    } const cases[] = {
        {"the waste's top card", codes({SevenS}), ""},
        {"the card that becomes the stock's top card", codes({FiveC}), ""},
        {"a tableau card and the waste's top card", codes({QH, SevenS}), codes({QH})},
        {"the waste's top card and a tableau card", codes({SevenS, QH}), codes({QH})},
        {"a tableau card", codes({QH}), codes({QH})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        clearTable();
        gameDefinition[35] = 4;
        gameDefinition[13] = -1;
        waste() = codes({FiveC, SixD, SevenS});
        fila(1) = codes({KS, QH});
        dest(1) = c.before;
        engineScalars.StockPressed = 1;
        ASSERT_TRUE(fnMakeMove(0, "Mazzo_Vis"));
        EXPECT_EQ(stock(), codes({SevenS, SixD, FiveC}));
        EXPECT_EQ(dest(1), c.after);
    }
}

TEST_F(MoveTest, ARedealByCountingCountsAPassAndMovesNoCard) {
    gameDefinition[14] = 1;
    gameDefinition[13] = 2;
    waste() = codes({FiveC, SixD});
    fila(1) = codes({KS});
    EXPECT_FALSE(fnMakeMove(0, "Mazzo_Redeal"));
    EXPECT_TRUE(called("fnShowStockHint()"));
    EXPECT_TRUE(fnMakeMove(0, "Mazzo_Redeal"));
    EXPECT_EQ(engineScalars.StockPassCount, 1);
    EXPECT_EQ(waste(), codes({FiveC, SixD}));
    EXPECT_TRUE(stock().empty());
    EXPECT_EQ(undoSteps(), 1);
}

// ---- Deals from the stock ----

TEST_F(MoveTest, AddTableausDealsToThePilesWhoseFlagAllows) {
    gameDefinition[204] = 1;
    gameDefinition[205] = 0; // pile 2 takes none
    for (int q = 3; q <= 7; ++q)
        gameDefinition[203 + q] = 2;
    stock() = codes({AH, TwoH, ThreeH, AS, KS, QH, JC, TenD});
    ASSERT_TRUE(fnMakeMove(0, "Add_Tableaus"));
    EXPECT_EQ(fila(1), codes({TenD}));
    EXPECT_EQ(fila(2), "");
    EXPECT_EQ(fila(3), codes({JC}));
    EXPECT_EQ(fila(7), codes({ThreeH}));
    EXPECT_EQ(stock(), codes({AH, TwoH}));
    EXPECT_EQ(countCalls("fnPlaySound(Shuffle,1)"), 6);
    EXPECT_EQ(undoSteps(), 1);
}

TEST_F(MoveTest, ADealStopsWhenTheStockRunsOut) {
    for (int q = 1; q <= 7; ++q)
        gameDefinition[203 + q] = 1;
    stock() = codes({AH, TwoH, ThreeH});
    ASSERT_TRUE(fnMakeMove(0, "Add_Tableaus"));
    EXPECT_EQ(fila(1), codes({ThreeH}));
    EXPECT_EQ(fila(3), codes({AH}));
    EXPECT_EQ(fila(4), "");
    EXPECT_TRUE(stock().empty());
    EXPECT_FALSE(fnMakeMove(0, "Add_Tableaus")); // nothing left to deal
    EXPECT_EQ(undoSteps(), 1);
}

TEST_F(MoveTest, DealsToReservesAndToTheLastPiles) {
    setUpGame(testing::kFreeCellId);
    clearTable();
    gameDefinition[238] = 1;
    gameDefinition[240] = 1;
    stock() = codes({AH, TwoH, ThreeH, AS, KS, QH});
    ASSERT_TRUE(fnMakeMove(0, "Add_Reserves"));
    EXPECT_EQ(appogg(1), codes({QH}));
    EXPECT_EQ(appogg(2), "");
    EXPECT_EQ(appogg(3), codes({KS}));
    EXPECT_FALSE(fnMakeMove(0, "Add_Reserve_2")); // its flag says no
    gameDefinition[239] = 4;
    ASSERT_TRUE(fnMakeMove(0, "Add_Reserve_2"));
    EXPECT_EQ(appogg(2), codes({AS}));
    ASSERT_TRUE(fnMakeMove(0, "Add_Tableaus_Last"));
    EXPECT_EQ(fila(1), codes({ThreeH}));
    EXPECT_EQ(fila(3), codes({AH}));
    EXPECT_TRUE(stock().empty());
    EXPECT_EQ(undoSteps(), 3);
}

TEST_F(MoveTest, FillTableausFillsOnlyEmptyPilesAndRecordsNoStep) {
    fila(1) = codes({KS});
    fila(3) = codes({QH});
    for (int q = 4; q <= 7; ++q)
        fila(q) = codes({card(q, 3)});
    stock() = codes({AH, TwoH, ThreeH});
    ASSERT_TRUE(fnMakeMove(0, "Fill_Tableaus"));
    EXPECT_EQ(fila(1), codes({KS}));
    EXPECT_EQ(fila(2), codes({ThreeH}));
    EXPECT_EQ(stock(), codes({AH, TwoH}));
    EXPECT_EQ(undoSteps(), 0);
}

// ---- Selection games ----

TEST_F(MoveTest, ChosenCardsGoToTheDiscardPileAndEmptyPilesAreRefilled) {
    gameDefinition[30] = 13;
    fila(1) = codes({KS, FiveC});
    fila(2) = codes({EightH});
    waste() = codes({AS});
    stock() = codes({TwoH, ThreeH});
    dest(1) = codes({FiveC, EightH});
    ASSERT_TRUE(fnMakeMove(0, "Selezionate_Dest"));
    EXPECT_EQ(discard(), codes({FiveC, EightH}));
    EXPECT_EQ(fila(1), codes({KS}));
    EXPECT_EQ(fila(2), "");
    EXPECT_TRUE(dest(1).empty());
    EXPECT_TRUE(called("fnPlaySound(Pairing,1)"));
    ASSERT_TRUE(fnMakeMove(0, "Selezionate_Fila"));
    EXPECT_EQ(fila(2), codes({ThreeH}));
    EXPECT_EQ(fila(3), codes({TwoH}));
    EXPECT_TRUE(stock().empty());
    EXPECT_FALSE(fnMakeMove(0, "Selezionate_Fila")); // nothing left to deal
}

TEST_F(MoveTest, InARowLayoutAChosenCardLeavesAnEmptySlot) {
    gameDefinition[3] = 4;
    gameDefinition[30] = 13;
    fila(1) = codes({KS, FiveC, EightH});
    dest(1) = codes({FiveC, EightH});
    ASSERT_TRUE(fnMakeMove(0, "Selezionate_Dest"));
    EXPECT_EQ(fila(1), codes({KS}) + "000000");
    EXPECT_EQ(discard(), codes({FiveC, EightH}));
}

TEST_F(MoveTest, MonteCarloClosesTheGapsAndDealsIntoTheEmptyPilesAtTheEnd) {
    gameDefinition[30] = 13;
    fila(1) = codes({KS});
    fila(3) = codes({QH});
    fila(5) = codes({JC});
    stock() = codes({AH, TwoH});
    dest(1) = codes({TenD});
    ASSERT_TRUE(fnMakeMove(0, "Stock_To_Pile_Monte_Carlo"));
    EXPECT_EQ(fila(1), codes({KS}));
    EXPECT_EQ(fila(2), codes({QH}));
    EXPECT_EQ(fila(3), codes({JC}));
    EXPECT_EQ(fila(4), codes({TwoH}));
    EXPECT_EQ(fila(5), codes({AH}));
    EXPECT_EQ(fila(6), "");
    EXPECT_TRUE(dest(1).empty());
    EXPECT_EQ(undoSteps(), 1);
    // Packed piles and an empty stock: nothing to do.
    EXPECT_FALSE(fnMakeMove(0, "Stock_To_Pile_Monte_Carlo"));
}

// ---- The common frame ----

TEST_F(MoveTest, TheOpeningRestrictionRefusesAllButTableauCardsToFoundations) {
    gameDefinition[31] = 1;
    engineScalars.PhaseCounter = 0;
    fila(1) = codes({AH});
    waste() = codes({AS});
    stock() = codes({TwoH});
    const std::string before = fila(1) + waste() + stock();
    EXPECT_FALSE(fnMakeMove(0, "Mazzo_Vis"));
    EXPECT_FALSE(fnMakeMove(AS, "Dest2"));
    EXPECT_FALSE(fnMakeMove(AH, "Fila2"));
    EXPECT_EQ(fila(1) + waste() + stock(), before);
    EXPECT_EQ(undoSteps(), 0);
    EXPECT_EQ(engineScalars.PhaseCounter, 0);
    EXPECT_TRUE(fnMakeMove(AH, "Dest1"));
    EXPECT_EQ(engineScalars.PhaseCounter, 1);
    EXPECT_TRUE(fnMakeMove(AS, "Dest2")); // the restriction is over
}

TEST_F(MoveTest, TheFirstMoveOfAGameWithAnInitialFillFillsTheEmptyPiles) {
    gameDefinition[32] = 1;
    engineScalars.PhaseCounter = 0;
    fila(1) = codes({AH});
    for (int q = 3; q <= 7; ++q)
        fila(q) = codes({card(q + 3, 2)});
    stock() = codes({TwoH, ThreeH});
    ASSERT_TRUE(fnMakeMove(AH, "Dest1"));
    EXPECT_EQ(engineScalars.PhaseCounter, 2);
    EXPECT_EQ(fila(1), codes({ThreeH}));
    EXPECT_EQ(fila(2), codes({TwoH}));
    // Later moves do not fill.
    ASSERT_TRUE(fnMakeMove(ThreeH, "Dest2"));
    EXPECT_EQ(fila(1), "");
}

TEST_F(MoveTest, ACardLeavingATableauPileTurnsTheFaceDownTopsWhenAutomaticFaceUpIsOn) {
    struct Case {
        const char* automaticFaceUp;
        bool autoplay;
        bool turned;
    } const cases[] = {{"Y", false, true}, {"N", false, false}, {"Y", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.automaticFaceUp << " autoplay " << c.autoplay);
        clearTable();
        fnWriteSettingsField(239, 1, c.automaticFaceUp);
        mainWindow.AutoPlayChecked = mainWindow.AutoPlayEnabled = c.autoplay;
        fila(1) = codes({KS, AH});
        faceDown({KS});
        ASSERT_TRUE(fnMakeMove(AH, "Dest1"));
        EXPECT_EQ(fnIsFaceDown(KS), !c.turned);
    }
}

TEST_F(MoveTest, EveryMadeMoveClearsTheRedoSide) {
    fila(1) = codes({AH});
    sharedObjects.RedoStack[0] = {"x"};
    ASSERT_TRUE(fnMakeMove(AH, "Dest1"));
    EXPECT_TRUE(sharedObjects.RedoStack[0].empty());
}

} // namespace
} // namespace solitaire
