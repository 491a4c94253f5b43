// Presses on the table: lifting cards, turning, peeking, stock clicks and deals, the
// discard-pile games and the selection games.

#include "play_fixture.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/pickup.h"

namespace solitaire {
namespace {

using testing::card;
using testing::codes;

constexpr int AH = card(1, 0), TwoH = card(2, 0), ThreeH = card(3, 0), AS = card(1, 3);
constexpr int KS = card(13, 3), QH = card(12, 0), JC = card(11, 2), KH = card(13, 0);
constexpr int FiveC = card(5, 2), SixD = card(6, 1), EightH = card(8, 0);

class PickUpTest : public testing::PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        setUpGame(testing::kKlondikeId);
        clearTable();
    }
    static void press(int c, MouseButton button = MouseButton::Left) {
        const auto [x, y] = centreOf(c);
        fnTableMouseDown(button, false, x, y);
    }
    static void pressAt(int x, int y, MouseButton button = MouseButton::Left) {
        fnTableMouseDown(button, false, x, y);
    }
    static void pressStock() { pressAt(fnStockPileX(0) + 10, fnStockPileY(0) + 10); }
    std::string table() const {
        std::string all;
        for (const StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                                       &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
            for (const std::string& pile : *list)
                all += pile + "|";
        return all;
    }
};

TEST_F(PickUpTest, AFaceUpTopCardIsLiftedAtTheGrabPoint) {
    fila(1) = codes({KS, QH});
    faceDown({KS});
    parkTheRest(7);
    const auto rect = fnCardRect(QH);
    ASSERT_TRUE(rect);
    pressAt(rect->left + 7, rect->top + 11);
    EXPECT_EQ(engineScalars.DraggedCard, QH);
    EXPECT_EQ(mainWindow.GrabX, 7);
    EXPECT_EQ(mainWindow.GrabY, 11);
    EXPECT_EQ(mainWindow.DragHeight, 96);
    EXPECT_EQ(mainWindow.DragTargetRect.left, rect->left);
    EXPECT_TRUE(called("fnBuildDragImage()"));
    EXPECT_TRUE(called("fnRedrawSourcePile(" + std::to_string(QH) + ",1)"));
    EXPECT_EQ(fila(1), codes({KS, QH})); // the cards stay in their pile while dragged
}

TEST_F(PickUpTest, ACoveredRunIsLiftedWithTheHeightOfTheRun) {
    fila(1) = codes({KS, QH, JC});
    parkTheRest(7);
    const auto [x, y] = std::pair{fnTableauX(0) + 10, fnPileCardY("Fila1", 1, false) + 5};
    pressAt(x, y);
    EXPECT_EQ(engineScalars.DraggedCard, QH);
    EXPECT_EQ(engineScalars.DraggedGroupTop, JC);
    EXPECT_EQ(mainWindow.DragHeight, fnPileBottom("Fila1") - fnPileCardY("Fila1", 1, false));
    EXPECT_GT(mainWindow.DragHeight, 96);
}

// A group is dropped, emptying its pile, and a fill from the waste runs in the same
// release: the fill moves its one card although the drag was taller.
TEST_F(PickUpTest, AGroupDropThenAFillLosesNoCard) {
    gameDefinition[20] = 2;
    fila(1) = codes({QH, JC});
    fila(2) = codes({card(13, 2)});
    waste() = codes({SixD, FiveC});
    for (int i = 3; i <= 6; ++i)
        fila(i) = codes({card(i, 3)});
    parkTheRest(7);
    pressAt(fnTableauX(0) + 10, fnPileCardY("Fila1", 1, false) + 5);
    ASSERT_EQ(engineScalars.DraggedCard, QH);
    ASSERT_GT(mainWindow.DragHeight, 96);
    const int x = fnTableauX(1) + 3;
    const int y = fnPileCardY("Fila2", 0, false) + 3;
    engineScalars.MovedWhileDragging = 1;
    mainWindow.DragTargetRect = {x, y, x + 71, y + mainWindow.DragHeight};
    fnTableMouseUp();
    EXPECT_EQ(fila(2), codes({card(13, 2), QH, JC}));
    EXPECT_EQ(fila(1), codes({FiveC}));
    EXPECT_EQ(waste(), codes({SixD}));
    EXPECT_EQ(mainWindow.DragHeight, 96);
    expectEveryCardOnce();
}

// Fan mode 8 lays the cards in lines: each card is pressed at its own place and taken alone,
// whether or not cards follow it.
TEST_F(PickUpTest, CardsLaidInLinesArePickedUpEachAtItsPlace) {
    gameDefinition[3] = 8;
    std::string line;
    for (int rank = 2; rank <= 13; ++rank)
        line += codes({card(rank, 1)});
    fila(1) = codes({KS, AH}) + line; // 14 cards: more than one line of the window
    parkTheRest(7);
    const int last = card(13, 1);
    ASSERT_GT(fnPileCardY("Fila1", 0, false), fnTableauY(0)) << "the line wrapped";
    const auto [lx, ly] = centreOf(last);
    EXPECT_EQ(fnHitTestTable(lx, ly).card, last);

    press(AH);
    ASSERT_EQ(engineScalars.DraggedCard, AH);
    EXPECT_EQ(mainWindow.DragHeight, 96) << "a card with cards after it goes alone";
    const int x = fnFoundationX(0), y = fnFoundationY(0);
    engineScalars.MovedWhileDragging = 1;
    mainWindow.DragTargetRect = {x, y, x + 71, y + 96};
    fnTableMouseUp();
    EXPECT_EQ(dest(1), codes({AH}));
    EXPECT_EQ(fila(1), codes({KS}) + line);
    press(card(2, 1));
    EXPECT_EQ(engineScalars.DraggedCard, card(2, 1));
    expectEveryCardOnce();
}

TEST_F(PickUpTest, AFaceDownTopCardIsTurnedAndNotLifted) {
    fila(1) = codes({KS, QH});
    faceDown({KS, QH});
    parkTheRest(7);
    press(QH);
    EXPECT_FALSE(fnIsFaceDown(QH));
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_TRUE(called("fnPlaySound(Face_up,1)"));
}

TEST_F(PickUpTest, APressAfterADoubleClickOnlyEndsIt) {
    fila(1) = codes({QH});
    faceDown({QH});
    parkTheRest(7);
    mainWindow.DoubleClickPending = true;
    press(QH);
    EXPECT_FALSE(mainWindow.DoubleClickPending);
    EXPECT_TRUE(fnIsFaceDown(QH));
    EXPECT_EQ(engineScalars.DraggedCard, 0);
}

TEST_F(PickUpTest, NothingHappensWithoutARunningGame) {
    fila(1) = codes({QH});
    faceDown({QH});
    mainWindow.GameRunning = false;
    press(QH);
    EXPECT_TRUE(fnIsFaceDown(QH));
}

TEST_F(PickUpTest, ARightPressPeeksAtACoveredCardAndBeepsElsewhere) {
    fila(1) = codes({KS, QH, JC, FiveC});
    parkTheRest(7);
    const std::string before = table();
    const int y = fnPileCardY("Fila1", 2, false) + 3; // QH, covered
    pressAt(fnTableauX(0) + 10, y, MouseButton::Right);
    EXPECT_EQ(mainWindow.PeekX, fnTableauX(0));
    EXPECT_EQ(mainWindow.PeekY, fnPileCardY("Fila1", 2, false));
    EXPECT_TRUE(called("fnDrawCard(" + std::to_string(QH) + "," + std::to_string(fnTableauX(0)) +
                       "," + std::to_string(mainWindow.PeekY) + ",0,Window,0)"));
    EXPECT_TRUE(beeps.beeps().empty());
    pressAt(5, 590, MouseButton::Right);
    EXPECT_EQ(beeps.beeps().size(), 1u);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(engineScalars.DraggedCard, 0);
}

TEST_F(PickUpTest, FoundationCardsComeBackAsTheGameAllows) {
    struct Case {
        int takeBack;
        std::string foundation;
        bool lifted;
    } const cases[] = {{1, codes({AH}), true},
                       {2, codes({AH}), false},
                       {2, codes({AH, TwoH}), true},
                       {0, codes({AH, TwoH}), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.takeBack << " " << c.foundation);
        clearTable();
        engineScalars.DraggedCard = 0;
        gameDefinition[16] = static_cast<std::int16_t>(c.takeBack);
        dest(1) = c.foundation;
        fila(1) = codes({KS});
        pressAt(fnFoundationX(0) + 10, fnFoundationY(0) + 10);
        EXPECT_EQ(engineScalars.DraggedCard != 0, c.lifted);
    }
}

// ---- The stock ----

TEST_F(PickUpTest, AStockPressTurnsACardAndTheReleaseDoesNothingMore) {
    stock() = codes({JC, AH});
    faceDown({JC, AH});
    fila(1) = codes({KS});
    pressStock();
    EXPECT_EQ(waste(), codes({AH}));
    EXPECT_FALSE(fnIsFaceDown(AH));
    fnTableMouseUp();
    EXPECT_EQ(waste(), codes({AH}));
    EXPECT_EQ(stock(), codes({JC}));
    // Turning only onto an empty waste.
    gameDefinition[15] = 1;
    pressStock();
    EXPECT_EQ(stock(), codes({JC}));
}

TEST_F(PickUpTest, ADealWaitsUntilTheGapsAreFilled) {
    gameDefinition[8] = 0;
    for (int q = 1; q <= 7; ++q)
        gameDefinition[203 + q] = 2;
    stock() = codes({AH, TwoH, ThreeH, AS, FiveC, SixD, EightH});
    for (int q = 1; q <= 6; ++q)
        fila(q) = codes({card(q + 6, 3)});
    pressStock();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Before deal, fill any gaps in the tableau");
    EXPECT_EQ(cardsIn(stock()), 7);
    fila(7) = codes({KS});
    pressStock();
    EXPECT_TRUE(stock().empty());
    EXPECT_EQ(fila(7), codes({KS, AH}));
}

TEST_F(PickUpTest, DealingToTheReservesByTurnsIsOneUndoStep) {
    setUpGame(testing::kFreeCellId);
    clearTable();
    gameDefinition[238] = 4;
    gameDefinition[239] = 4;
    stock() = codes({AH, TwoH, ThreeH, AS, FiveC});
    fnSetStockPileX(0, 600);
    fnSetStockPileY(0, 400);
    fila(1) = codes({KS});
    pressAt(610, 410);
    EXPECT_EQ(appogg(1), codes({FiveC, AS, ThreeH}));
    EXPECT_EQ(undoSteps(), 1);
    pressAt(610, 410);
    EXPECT_EQ(appogg(2), codes({TwoH, AH}));
    EXPECT_EQ(undoSteps(), 2);
}

// ---- Games with a discard pile played by clicks ----

class DiscardGameTest : public PickUpTest {
protected:
    void SetUp() override {
        PickUpTest::SetUp();
        gameDefinition[8] = 0;
        fnSetStockPileX(2, 400);
        fnSetStockPileY(2, 40);
    }
};

TEST_F(DiscardGameTest, ANeighbourOfTheDiscardTopGoesThereAndOthersBeep) {
    struct Case {
        int kind;
        int top;
        int played;
        bool faceDown;
        bool goes;
    } const cases[] = {
        {2, FiveC, SixD, false, true},
        {2, FiveC, card(4, 0), false, true},
        {2, FiveC, EightH, false, false},
        {2, KH, AS, false, false},
        {15, KH, AS, false, true},
        {12, KH, AS, false, true},
        {12, FiveC, card(4, 3), false, true},
        {12, FiveC, JC, false, false},
        {2, FiveC, SixD, true, false},
        {15, FiveC, SixD, true, false},
        {12, FiveC, SixD, true, false},
        // An empty discard pile (top 0): the build rule of kinds 2 and 15 takes any card.
        {2, 0, SixD, false, true},
        {15, 0, KH, false, true},
        {12, 0, SixD, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " " << c.top << " <- " << c.played
                                          << (c.faceDown ? " face down" : ""));
        clearTable();
        const std::size_t beepsBefore = beeps.beeps().size();
        gameDefinition[35] = static_cast<std::int16_t>(c.kind);
        const std::string discardBefore = c.top != 0 ? codes({c.top}) : "";
        discard() = discardBefore;
        fila(1) = codes({c.played});
        fila(2) = codes({QH});
        if (c.faceDown)
            faceDown({c.played});
        if (!c.faceDown) {
            EXPECT_EQ(fnFitsDiscardPile(c.played), c.goes) << "asked without a press";
        }
        const int steps = undoSteps();
        const std::string before = table();
        pressAt(fnTableauX(0) + 10, fnTableauY(0) + 10);
        if (!c.goes) {
            EXPECT_EQ(table(), before); // a refusal changes nothing
        }
        EXPECT_EQ(discard() == discardBefore + codes({c.played}), c.goes);
        EXPECT_EQ(fila(1).empty(), c.goes);
        EXPECT_EQ(beeps.beeps().size(), beepsBefore + (c.goes ? 0 : 1));
        EXPECT_EQ(undoSteps(), steps + (c.goes ? 1 : 0));
        EXPECT_EQ(fnIsFaceDown(c.played), c.faceDown);
        EXPECT_EQ(engineScalars.DraggedCard, 0);
    }
}

TEST_F(DiscardGameTest, NoCardFitsTheDiscardPileWhereTableauCardsDoNotPlayThere) {
    discard() = codes({FiveC});
    fila(1) = codes({SixD});
    for (const int kind : {0, 3, 4}) {
        gameDefinition[35] = static_cast<std::int16_t>(kind);
        EXPECT_FALSE(fnFitsDiscardPile(SixD)) << "kind " << kind;
    }
    gameDefinition[35] = 2;
    EXPECT_TRUE(fnFitsDiscardPile(SixD)); // the same table where they do
}

// The fill joins the move's undo step: that one step holds the whole table as it was
// before the move, the discard pile that took the card included.
TEST_F(DiscardGameTest, AMoveAndItsFillAreOneUndoStepOfTheWholeTable) {
    gameDefinition[35] = 2;
    gameDefinition[20] = 2; // empty tableau piles are filled from the waste
    discard() = codes({FiveC});
    fila(1) = codes({SixD});
    fila(2) = codes({QH});
    waste() = codes({EightH, JC});
    parkTheRest(7);
    StringList before;
    fnSnapshotPiles(before);
    const int steps = undoSteps();
    pressAt(fnTableauX(0) + 10, fnTableauY(0) + 10);
    fnTableMouseUp();
    ASSERT_EQ(discard(), codes({FiveC, SixD}));
    ASSERT_EQ(fila(1), codes({JC})) << "the emptied pile was filled";
    EXPECT_EQ(undoSteps(), steps + 1);
    StringList lastStep;
    const std::size_t lines[] = {3, 16, 26, 8};
    for (std::size_t l = 0; l < 4; ++l) {
        const StringList& list = sharedObjects.UndoStack[l];
        ASSERT_GE(list.size(), lines[l]);
        lastStep.insert(lastStep.end(), list.end() - static_cast<std::ptrdiff_t>(lines[l]),
                        list.end());
    }
    EXPECT_EQ(lastStep, before);
}

TEST_F(DiscardGameTest, TheLastCardPlayedWinsTheGame) {
    gameDefinition[35] = 2;
    discard() = codes({FiveC});
    fila(1) = codes({SixD});
    mainWindow.GameRunning = true;
    pressAt(fnTableauX(0) + 10, fnTableauY(0) + 10);
    EXPECT_FALSE(mainWindow.GameRunning);
    EXPECT_TRUE(called("fnPlayWinningAnimation(1)") || called("fnPlayWinningAnimation(2)"));
}

// ---- Selection games ----

class SelectionGameTest : public PickUpTest {
protected:
    void select(int kind, int target) {
        gameDefinition[35] = static_cast<std::int16_t>(kind);
        gameDefinition[30] = static_cast<std::int16_t>(target);
    }
};

struct SelectionCase {
    const char* name;
    int kind;
    int target;
    std::vector<int> presses; // each card lies alone on its own pile
    std::vector<int> discarded;
    int beeps;
};

class SelectionKindTest : public SelectionGameTest,
                          public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionKindTest, ChosenCardsThatMakeTheGoalLeaveTheTable) {
    const SelectionCase& c = GetParam();
    select(c.kind, c.target);
    for (std::size_t i = 0; i < c.presses.size(); ++i)
        fila(static_cast<int>(i) + 1) = codes({c.presses[i]});
    stock() = codes({card(9, 3), card(10, 3), card(9, 1), card(10, 1)});
    for (std::size_t i = 0; i < c.presses.size(); ++i)
        pressAt(fnTableauX(static_cast<int>(i)) + 10, fnTableauY(static_cast<int>(i)) + 10);
    std::string expected;
    for (const int d : c.discarded)
        expected += codes({d});
    EXPECT_EQ(discard(), expected);
    EXPECT_EQ(static_cast<int>(beeps.beeps().size()), c.beeps);
    if (!c.discarded.empty()) {
        EXPECT_TRUE(dest(1).empty());
        // The emptied piles were refilled from the stock.
        EXPECT_FALSE(fila(1).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SelectionKindTest,
    ::testing::Values(
        SelectionCase{"SumOfThirteen", 5, 13, {EightH, FiveC}, {EightH, FiveC}, 0},
        SelectionCase{"SumTooHigh", 5, 13, {EightH, SixD}, {}, 1},
        SelectionCase{"KindSevenTakesTwo", 7, 13, {AH, TwoH, ThreeH}, {}, 1},
        SelectionCase{"KindTwentyThreeMakesItsTarget", 23, 13, {EightH, FiveC}, {EightH, FiveC}, 0},
        SelectionCase{"KindTwentyThreeRefusesMore", 23, 10, {EightH, FiveC}, {}, 1},
        SelectionCase{"EqualRanks", 14, 0 + 1, {FiveC, card(5, 0)}, {FiveC, card(5, 0)}, 0},
        SelectionCase{"UnequalRanks", 16, 1, {FiveC, SixD}, {}, 1},
        SelectionCase{"ElevenOrFaces", 17, 1, {EightH, ThreeH}, {EightH, ThreeH}, 0},
        SelectionCase{"JackQueenKing", 17, 1, {JC, QH, KS}, {JC, QH, KS}, 0},
        SelectionCase{"NoFaceWithLowCards", 17, 1, {EightH, JC}, {}, 1},
        SelectionCase{"FourTens",
                      1,
                      13,
                      {card(10, 0), card(10, 1), card(10, 2), card(10, 3)},
                      {card(10, 0), card(10, 1), card(10, 2), card(10, 3)},
                      0},
        SelectionCase{"FifteenBelowTen", 1, 15, {EightH, FiveC, TwoH}, {EightH, FiveC, TwoH}, 0},
        SelectionCase{"TensApart", 1, 15, {EightH, card(10, 0)}, {}, 1},
        SelectionCase{"NineOrTenToKing", 24, 1, {card(4, 0), FiveC}, {card(4, 0), FiveC}, 0},
        SelectionCase{
            "TenJackQueenKing", 24, 1, {card(10, 0), JC, QH, KS}, {card(10, 0), JC, QH, KS}, 0},
        SelectionCase{"TensOfTwenty", 20, 1, {KS, QH}, {KS, QH}, 0},
        SelectionCase{"AnAceAlone", 18, 1, {AH}, {AH}, 0},
        SelectionCase{"EighteenWithAFace",
                      18,
                      1,
                      {KS, EightH, FiveC, card(5, 0)},
                      {KS, EightH, FiveC, card(5, 0)},
                      0},
        SelectionCase{"TwoFaces", 18, 1, {KS, QH}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Kinds 21 and 22 play a line of cards (fan mode 8): one card, or two side by side, lying
// between two cards of one suit or one rank leave it; a choice that cannot come to that is
// let go with a beep, so play goes on.
class LineSelectionTest : public SelectionGameTest {
protected:
    void SetUp() override {
        SelectionGameTest::SetUp();
        gameDefinition[3] = 8;
        select(21, 1);
    }
    void lineOf(std::initializer_list<int> cards) {
        fila(1) = codes(cards);
        stock() = codes({card(13, 1)}); // the game goes on while the stock holds cards
        parkTheRest(7);
    }
};

TEST_F(LineSelectionTest, OneOrTwoCardsBetweenAMatchLeaveTheLine) {
    const int FiveH = card(5, 0), NineC = card(9, 2), SevenS = card(7, 3), TwoD = card(2, 1);
    lineOf({FiveH, NineC, TwoH, SevenS, TwoD, KS, JC, card(2, 3)});
    press(NineC); // between two hearts
    EXPECT_EQ(discard(), codes({NineC}));
    EXPECT_TRUE(dest(1).empty());
    press(SevenS); // between two twos
    press(KS);     // with JC, between the two of diamonds and the two of spades: not yet
    EXPECT_EQ(dest(1), codes({KS}));
    press(JC);
    EXPECT_EQ(discard(), codes({NineC, SevenS, KS, JC}));
    EXPECT_EQ(fila(1), codes({FiveH, TwoH, TwoD, card(2, 3)}));
    EXPECT_TRUE(dest(1).empty());
    EXPECT_TRUE(beeps.beeps().empty());
    expectEveryCardOnce(52, true);
}

TEST_F(LineSelectionTest, AChoiceThatCannotLeaveTheLineIsLetGo) {
    const int FiveH = card(5, 0), NineC = card(9, 2), FiveD = card(5, 1), EightC = card(8, 2);
    lineOf({FiveH, NineC, KS, FiveD, EightC, QH, card(5, 3)});
    press(FiveH); // the first card has nothing before it
    EXPECT_TRUE(dest(1).empty());
    EXPECT_EQ(beeps.beeps().size(), 1u);
    press(NineC);  // may still go with KS
    press(EightC); // may go with QH, but not with NineC
    EXPECT_TRUE(dest(1).empty());
    EXPECT_EQ(beeps.beeps().size(), 2u);
    EXPECT_EQ(countCalls("fnInvertCardRect(Window"), 2) << "NineC's highlight is taken back";
    press(EightC);
    press(QH);
    EXPECT_EQ(discard(), codes({EightC, QH}));
}

TEST_F(LineSelectionTest, AStockPressDealsTheNextCardToItsPlaceInTheLine) {
    gameDefinition[204] = 1; // the stock deals to the first tableau pile
    lineOf({card(5, 0), card(9, 2)});
    pressStock();
    const int dealt = card(13, 1);
    ASSERT_EQ(fila(1), codes({card(5, 0), card(9, 2), dealt})) << "it leaves no empty place";
    const int x = fnPileCardX("Fila1", 0, 0, false), y = fnPileCardY("Fila1", 0, false);
    EXPECT_GT(x, fnPileCardX("Fila1", 0, 1, false)) << "after the cards before it";
    const TableHit hit = fnHitTestTable(x + 5, y + 5);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, dealt);
}

TEST_F(LineSelectionTest, KindTwentyTwoKeepsTheQueenAndKingOfHearts) {
    select(22, 1);
    lineOf({card(5, 1), card(3, 1), card(4, 3), card(9, 2), KH, card(9, 3), QH});
    press(QH);
    EXPECT_EQ(beeps.beeps().size(), 1u);
    press(card(9, 2)); // it could only go with the king of hearts
    EXPECT_TRUE(dest(1).empty());
    EXPECT_EQ(beeps.beeps().size(), 2u);
    EXPECT_TRUE(discard().empty());
}

TEST_F(SelectionGameTest, ASecondPressTakesTheCardOutOfTheSelection) {
    select(5, 13);
    fila(1) = codes({EightH});
    const int x = fnTableauX(0) + 10;
    const int y = fnTableauY(0) + 10;
    pressAt(x, y);
    EXPECT_EQ(dest(1), codes({EightH}));
    pressAt(x, y);
    EXPECT_TRUE(dest(1).empty());
    EXPECT_EQ(countCalls("fnInvertCardRect(Window"), 2);
    EXPECT_EQ(fila(1), codes({EightH}));
}

TEST_F(SelectionGameTest, AStockPressDealsOrClosesTheGapsByKind) {
    select(8, 13);
    fila(1) = codes({KS});
    fila(3) = codes({QH});
    stock() = codes({AH});
    pressStock();
    EXPECT_EQ(fila(2), codes({QH}));
    EXPECT_EQ(fila(3), codes({AH}));
    clearTable();
    select(20, 10);
    for (int q = 1; q <= 7; ++q)
        gameDefinition[203 + q] = 1;
    stock() = codes({AH, TwoH});
    pressStock();
    EXPECT_EQ(fila(1), codes({TwoH}));
    EXPECT_EQ(fila(2), codes({AH}));
}

} // namespace
} // namespace solitaire
