// Automatic moves: autoplay, double clicks, filling empty piles, turning cards, the pairing
// selection, the row-layout freedom test and the completed test.

#include "play_fixture.h"

#include "solitaire/engine/automoves.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/drop.h"
#include "solitaire/engine/undo.h"

#include <array>

namespace solitaire {
namespace {

using testing::card;
using testing::codes;

constexpr int AH = card(1, 0), TwoH = card(2, 0), ThreeH = card(3, 0), AS = card(1, 3);
constexpr int KS = card(13, 3), QH = card(12, 0), KH = card(13, 0), FiveC = card(5, 2);

class AutoMoveTest : public testing::PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        setUpGame(testing::kFreeCellId);
        clearTable();
        mainWindow.AutoPlayChecked = mainWindow.AutoPlayEnabled = true;
    }
    static void pressAt(int c) {
        const auto [x, y] = centreOf(c);
        engineScalars.LastMouseX = static_cast<std::int16_t>(x);
        engineScalars.LastMouseY = static_cast<std::int16_t>(y);
    }
    // Records the cards sent, in order of the attempts.
    void recordCardsTried() {
        recorder.onCall = [this](const std::string& call) {
            if (call.starts_with("fnSetDragRects("))
                tried.push_back(engineScalars.DraggedCard);
        };
    }
    std::vector<int> tried;
};

TEST_F(AutoMoveTest, AutoplayFinishesAGameAndEndsIt) {
    mainWindow.GameRunning = true;
    for (int r = 13; r >= 1; --r)
        fila(2) += codes({card(r, 3)});
    for (int r = 13; r >= 4; --r)
        fila(3) += codes({card(r, 0)});
    for (int suit = 1; suit <= 2; ++suit)
        for (int r = 1; r <= 13; ++r)
            dest(suit + 1) += codes({card(r, suit)});
    fila(1) = codes({ThreeH, TwoH});
    appogg(2) = codes({AH});
    expectEveryCardOnce();

    EXPECT_TRUE(fnAutoPlay(false));
    EXPECT_EQ(cardsIn(dest(1)) + cardsIn(dest(2)) + cardsIn(dest(3)) + cardsIn(dest(4)), 52);
    for (int i = 1; i <= 8; ++i)
        EXPECT_TRUE(fila(i).empty());
    EXPECT_FALSE(mainWindow.GameRunning); // the won game was ended
    EXPECT_FALSE(mainWindow.GameFinished);
    EXPECT_TRUE(called("fnPlayWinningAnimation(1)") || called("fnPlayWinningAnimation(2)"));
    EXPECT_TRUE(called("fnPlaySound(Autoplay.wav,1)"));
    expectEveryCardOnce();
}

TEST_F(AutoMoveTest, AutoplayDoesNothingWhileTheCommandIsOff) {
    fila(1) = codes({AH});
    for (const auto& [checked, enabled] : {std::pair{false, true}, std::pair{true, false}}) {
        mainWindow.AutoPlayChecked = checked;
        mainWindow.AutoPlayEnabled = enabled;
        EXPECT_FALSE(fnAutoPlay(false));
        EXPECT_EQ(fila(1), codes({AH}));
    }
}

// With reserves, one tableau card per sweep: after the ace the reserve is tried before the
// next tableau pile. No card ever goes to a reserve.
TEST_F(AutoMoveTest, AutoplayTriesTheReservesAgainAfterEachTableauCard) {
    fila(1) = codes({AH});
    fila(2) = codes({ThreeH});
    appogg(1) = codes({TwoH});
    fila(3) = codes({KS});
    parkTheRest(8);
    recordCardsTried();
    EXPECT_TRUE(fnAutoPlay(false));
    EXPECT_EQ(dest(1), codes({AH, TwoH, ThreeH}));
    ASSERT_GE(tried.size(), 2u);
    const auto ace = std::ranges::find(tried, AH);
    ASSERT_NE(ace, tried.end());
    ASSERT_NE(ace + 1, tried.end());
    EXPECT_EQ(*(ace + 1), TwoH);
    for (int i = 2; i <= 4; ++i)
        EXPECT_TRUE(appogg(i).empty());
    EXPECT_EQ(fila(3), codes({KS}));
}

TEST_F(AutoMoveTest, AutoplayLeavesFoundationsWaitingForTheirBaseCard) {
    for (int i = 0; i < 4; ++i)
        gameDefinition[36 + i] = 92;
    fila(1) = codes({AH});
    parkTheRest(8);
    EXPECT_FALSE(fnAutoPlay(false));
    EXPECT_EQ(fila(1), codes({AH}));
    // A double click may start them.
    pressAt(AH);
    EXPECT_TRUE(fnDoubleClickMove(true, false));
    EXPECT_EQ(dest(1), codes({AH}));
}

// The last undo step's lines, as a snapshot of the table lists them.
StringList lastUndoStep() {
    constexpr std::array<int, kPileListCount> kStepLines = {kStockGroupPiles, kFoundationPiles,
                                                            kTableauPiles, kReservePiles};
    StringList step;
    for (std::size_t l = 0; l < kPileListCount; ++l) {
        const StringList& list = sharedObjects.UndoStack[l];
        const auto lines = static_cast<std::size_t>(kStepLines[l]);
        if (list.size() < lines)
            return {};
        step.insert(step.end(), list.end() - static_cast<std::ptrdiff_t>(lines), list.end());
    }
    return step;
}

// Autoplay sends the ace home, then the two from the pile beside it; a fill mode fills both
// gaps after the sweep. With a fill the two moved while the ace's gap waited: it joins the
// ace's step, so that one step back restores the table before the ace, not one with a gap.
// Without a fill each card keeps its own step.
TEST_F(AutoMoveTest, AnAutoplayMoveMadeWhileAGapWaitsForItsFillJoinsTheStepThatLeftTheGap) {
    constexpr int KD = card(13, 1), KC = card(13, 2), QS = card(12, 3), QD = card(12, 1);
    constexpr int QC = card(12, 2), JH = card(11, 0);
    for (const auto& [fillMode, steps] : {std::pair{1, 2}, std::pair{0, 3}}) {
        SCOPED_TRACE(::testing::Message() << "fill mode " << fillMode);
        clearTable();
        for (StringList& list : sharedObjects.UndoStack)
            list.clear();
        sharedObjects.MovedCardsLog.clear();
        gameDefinition[20] = static_cast<std::int16_t>(fillMode);
        fila(1) = codes({AH});
        fila(2) = codes({TwoH});
        int pile = 3;
        for (const int king : {KS, KD, KC, QS, QD})
            fila(pile++) = codes({king});
        appogg(1) = codes({QC, JH}); // what the fill takes; no foundation takes them
        parkTheRest(8);
        fnPushSnapshot(HistorySide::Undo, false); // the move that set the automatic play off
        StringList before;
        fnSnapshotPiles(before);

        EXPECT_TRUE(fnAutoPlay(false));
        fnFillEmptyTableaus();
        EXPECT_EQ(dest(1), codes({AH, TwoH}));
        EXPECT_EQ(undoSteps(), steps);
        if (fillMode != 0) {
            EXPECT_EQ(fila(1), codes({JH}));
            EXPECT_EQ(fila(2), codes({QC}));
            EXPECT_EQ(lastUndoStep(), before);
        }
        expectEveryCardOnce();
    }
}

TEST_F(AutoMoveTest, ADoubleClickSendsATopCardToAFoundationElseToAReserve) {
    fila(1) = codes({KS, AH});
    fila(2) = codes({QH});
    parkTheRest(8);
    pressAt(AH);
    EXPECT_TRUE(fnDoubleClickMove(true, true));
    EXPECT_EQ(dest(1), codes({AH}));
    EXPECT_TRUE(mainWindow.DoubleClickPending);
    pressAt(QH);
    EXPECT_TRUE(fnDoubleClickMove(true, true));
    EXPECT_EQ(appogg(1), codes({QH}));
    expectEveryCardOnce();
}

// The card still lies drawn on its pile (no press lifted it): its picture must leave that
// pile before it moves, and only when some pile takes it.
TEST_F(AutoMoveTest, ACardSentByADoubleClickIsLiftedFromItsPileOnlyWhenAPileTakesIt) {
    fila(1) = codes({KS, AH});
    fila(2) = codes({QH});
    appogg(1) = codes({TwoH});
    appogg(2) = codes({ThreeH});
    appogg(3) = codes({KH});
    appogg(4) = codes({FiveC});
    parkTheRest(8);
    pressAt(QH); // no foundation and no full reserve takes it
    EXPECT_FALSE(fnDoubleClickMove(true, true));
    EXPECT_EQ(countCalls("fnRedrawSourcePile("), 0);

    recorder.calls.clear();
    pressAt(AH);
    ASSERT_TRUE(fnDoubleClickMove(true, true));
    const auto& calls = recorder.calls;
    const auto lift = std::ranges::find(calls, "fnRedrawSourcePile(" + std::to_string(AH) + ",1)");
    const auto firstDraw = std::ranges::find_if(calls, [](const std::string& c) {
        return c.starts_with("fnAnimateCardMove(") || c.starts_with("fnMoveDragImage(");
    });
    ASSERT_NE(lift, calls.end());
    EXPECT_LT(lift, firstDraw) << "lifted before the card is drawn on its way";
    EXPECT_EQ(countCalls("fnRedrawSourcePile("), 1);
}

// A double click takes from a reserve the cards a drag could take: the top card of a fanned
// reserve (FreeCell's cells), any card of a reserve laid out as a row (Flower Garden's
// bouquet).
TEST_F(AutoMoveTest, ADoubleClickTakesFromAReserveTheCardsADragCouldTake) {
    constexpr int kFlowerGardenId = 262;
    struct Case {
        int game;
        bool sent;
    } const cases[] = {{testing::kFreeCellId, false}, {kFlowerGardenId, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "game " << c.game);
        setUpGame(c.game);
        clearTable();
        appogg(1) = codes({AH, FiveC}); // AH covered in the fanned reserve
        fila(1) = codes({KS});
        parkTheRest(2);
        const auto site = fnPileCardY("Appogg1", 1, false);
        engineScalars.LastMouseX = static_cast<std::int16_t>(fnReserveX(0) + 10);
        engineScalars.LastMouseY = static_cast<std::int16_t>(site + 5);
        ASSERT_EQ(fnHitTestTable(engineScalars.LastMouseX, engineScalars.LastMouseY).card, AH);
        EXPECT_EQ(fnDoubleClickMove(true, true), c.sent);
        EXPECT_EQ(appogg(1), c.sent ? codes({FiveC}) : codes({AH, FiveC}));
        EXPECT_EQ(dest(1), c.sent ? codes({AH}) : "");
        expectEveryCardOnce();
    }
}

TEST_F(AutoMoveTest, ADoubleClickIgnoresFaceDownAndFoundationCardsAndTheStock) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    fila(1) = codes({AH});
    faceDown({AH});
    dest(1) = codes({AS});
    stock() = codes({TwoH});
    parkTheRest(7);
    for (const auto& [x, y] : {std::pair{fnTableauX(0) + 5, fnTableauY(0) + 5},
                               std::pair{fnFoundationX(0) + 5, fnFoundationY(0) + 5}}) {
        engineScalars.LastMouseX = static_cast<std::int16_t>(x);
        engineScalars.LastMouseY = static_cast<std::int16_t>(y);
        EXPECT_FALSE(fnDoubleClickMove(true, false));
    }
    EXPECT_EQ(fila(1), codes({AH}));
    EXPECT_EQ(dest(1), codes({AS}));
    mainWindow.DoubleClickPending = true;
    engineScalars.LastMouseX = static_cast<std::int16_t>(fnStockPileX(0) + 5);
    engineScalars.LastMouseY = static_cast<std::int16_t>(fnStockPileY(0) + 5);
    EXPECT_FALSE(fnDoubleClickMove(true, false));
    EXPECT_FALSE(mainWindow.DoubleClickPending);
    EXPECT_EQ(stock(), codes({TwoH}));
}

TEST_F(AutoMoveTest, ADoubleClickSendsTheWastesTopCard) {
    setUpGame(testing::kKlondikeId);
    clearTable();
    waste() = codes({TwoH, AS});
    fila(1) = codes({KS});
    parkTheRest(7);
    engineScalars.LastMouseX = static_cast<std::int16_t>(fnStockPileX(1) + 5);
    engineScalars.LastMouseY = static_cast<std::int16_t>(fnStockPileY(1) + 5);
    EXPECT_TRUE(fnDoubleClickMove(true, false));
    EXPECT_EQ(dest(1), codes({AS}));
    EXPECT_EQ(waste(), codes({TwoH}));
}

// ---- Filling empty tableau piles ----

struct FillCase {
    int mode;
    std::string reserve, waste, stock;
    std::string filled; // the empty pile afterwards
};

void PrintTo(const FillCase& c, std::ostream* out) {
    *out << "mode " << c.mode << " reserve " << c.reserve << " waste " << c.waste << " stock "
         << c.stock;
}

class FillTest : public AutoMoveTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillTest, EachModeFillsFromItsSource) {
    const FillCase& c = GetParam();
    gameDefinition[20] = static_cast<std::int16_t>(c.mode);
    appogg(1) = c.reserve;
    waste() = c.waste;
    stock() = c.stock;
    fila(1) = codes({KS});
    fila(2) = "";
    parkTheRest(8);
    for (int i = 3; i <= 7; ++i) {
        fila(i) = fila(8).substr(0, 3);
        fila(8).erase(0, 3);
    }
    fnPushSnapshot(HistorySide::Undo, false); // the move that left the pile empty
    // The last drop was a group: the fill still moves exactly one card.
    mainWindow.DragHeight = 96 + 18 * 3;
    EXPECT_TRUE(fnFillEmptyTableaus());
    EXPECT_EQ(fila(2), c.filled);
    EXPECT_EQ(undoSteps(), 1); // the fill joined the step before
    expectEveryCardOnce();
}

INSTANTIATE_TEST_SUITE_P(
    FillModes, FillTest,
    ::testing::Values(FillCase{1, codes({AH, TwoH}), codes({AS}), codes({QH}), codes({TwoH})},
                      FillCase{2, codes({AH}), codes({AS, TwoH}), codes({QH}), codes({TwoH})},
                      FillCase{2, codes({AH}), "", codes({QH, TwoH}), codes({TwoH})},
                      FillCase{2, codes({AH}), "", "", ""},
                      FillCase{3, codes({AH}), codes({AS}), codes({QH, TwoH}), codes({TwoH})},
                      FillCase{3, codes({AH}), codes({AS, TwoH}), "", codes({TwoH})},
                      FillCase{4, codes({AH}), codes({TwoH}), codes({QH}), codes({TwoH})},
                      FillCase{1, "", codes({AS}), codes({QH}), ""}));

TEST_F(AutoMoveTest, FillingWaitsForTheOpeningAndStopsInModeFourAfterAStockDeal) {
    gameDefinition[20] = 4;
    waste() = codes({AH});
    fila(1) = codes({KS});
    parkTheRest(8);
    sharedObjects.MovedCardsLog = "001,";
    EXPECT_FALSE(fnFillEmptyTableaus());
    EXPECT_TRUE(fila(2).empty());
    sharedObjects.MovedCardsLog.clear();
    gameDefinition[20] = 2;
    gameDefinition[31] = 1;
    engineScalars.PhaseCounter = 0;
    EXPECT_FALSE(fnFillEmptyTableaus());
    EXPECT_TRUE(fila(2).empty());
    gameDefinition[20] = 0;
    gameDefinition[31] = 0;
    EXPECT_FALSE(fnFillEmptyTableaus());
    EXPECT_EQ(waste(), codes({AH}));
}

// ---- Turning cards ----

TEST_F(AutoMoveTest, AutomaticFaceUpTurnsEveryFaceDownTopWhenOn) {
    fila(1) = codes({KS, AH});
    fila(2) = codes({QH});
    faceDown({KS, AH, QH});
    fnWriteSettingsField(239, 1, "N");
    EXPECT_FALSE(AutoFaceUpTableau());
    EXPECT_TRUE(fnIsFaceDown(AH));
    fnWriteSettingsField(239, 1, "Y");
    EXPECT_TRUE(AutoFaceUpTableau());
    EXPECT_FALSE(fnIsFaceDown(AH));
    EXPECT_FALSE(fnIsFaceDown(QH));
    EXPECT_TRUE(fnIsFaceDown(KS));
    EXPECT_EQ(undoSteps(), 2);
    EXPECT_EQ(countCalls("fnPlaySound(Face_up,1)"), 2);
}

// ---- Pairing ----

TEST_F(AutoMoveTest, APairOfTheRightSumGoesToTheDiscardPile) {
    struct Case {
        int kind;
        std::vector<int> presses;
        std::string discarded;
    } const cases[] = {{3, {AH, KS}, codes({AH, KS})},
                       {4, {card(13, 1)}, codes({card(13, 1)})},
                       {3, {AH, QH}, ""},
                       {4, {card(6, 0), card(7, 3)}, codes({card(6, 0), card(7, 3)})}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        clearTable();
        gameDefinition[35] = static_cast<std::int16_t>(c.kind);
        for (std::size_t i = 0; i < c.presses.size(); ++i)
            fila(static_cast<int>(i) + 1) = codes({c.presses[i]});
        for (const int pressed : c.presses)
            TogglePairSelection(pressed, {0, 0, 71, 96});
        EXPECT_EQ(discard(), c.discarded);
        if (c.discarded.empty()) {
            EXPECT_EQ(cardsIn(dest(1)), 2);
        }
    }
}

TEST_F(AutoMoveTest, AThirdCardBeepsAndASecondPressTakesACardOut) {
    gameDefinition[35] = 3;
    fila(1) = codes({AH});
    fila(2) = codes({TwoH});
    fila(3) = codes({ThreeH});
    TogglePairSelection(AH, {0, 0, 71, 96});
    TogglePairSelection(TwoH, {0, 0, 71, 96});
    TogglePairSelection(ThreeH, {0, 0, 71, 96});
    EXPECT_EQ(dest(1), codes({AH, TwoH}));
    EXPECT_EQ(beeps.beeps().size(), 1u);
    TogglePairSelection(AH, {0, 0, 71, 96});
    EXPECT_EQ(dest(1), codes({TwoH}));
    EXPECT_EQ(countCalls("fnInvertCardRect(Window"), 3);
}

TEST(RowLayout, ACardIsFreeWhenNoLaterRowCoversIt) {
    EXPECT_TRUE(IsAllZeros("000000"));
    EXPECT_TRUE(IsAllZeros(""));
    EXPECT_FALSE(IsAllZeros("000001"));
}

TEST_F(AutoMoveTest, RowCardsAreFreeWhenTheRowsAfterAreEmptyOrTheTwoCoveringSlotsAre) {
    setPileCounts(3, 0);
    struct Case {
        std::string rows[3];
        int card;
        bool free;
    } const cases[] = {
        {{codes({1, 2, 3}), codes({4, 5}), ""}, 4, true},          // last row
        {{codes({1, 2, 3}), codes({4, 5}), "000"}, 1, false},      // covered by 4 and 5
        {{codes({1, 2, 3}), "000" + codes({5}), "000"}, 1, false}, // 5 still covers it
        {{codes({1, 2, 3}), "000" + codes({5}), "000"}, 2, false},
        {{codes({1, 2, 3}), "000000" + codes({6}), ""}, 1, true},
        {{codes({1, 2, 3}), "000000", "000000"}, 3, true},
        {{codes({1, 2, 3}), "000000", ""}, 9, false}, // not on the table
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.rows[0] << "/" << c.rows[1] << "/" << c.rows[2] << " card " << c.card);
        for (int i = 0; i < 3; ++i)
            fila(i + 1) = c.rows[i];
        EXPECT_EQ(IsRowCardFree(c.card), c.free);
    }
}

// ---- The completed test ----

TEST_F(AutoMoveTest, TheCompletedTestFollowsTheGameKind) {
    setPileCounts(3, 2);
    struct Case {
        int kind;
        std::string stock, waste, f1, f2, f3, reserve1, discard;
        bool complete;
    } const cases[] = {
        {0, "", "", "", "", "", "", codes({AH}), true}, // foundations and discard ignored
        {0, codes({AH}), "", "", "", "", "", "", false},
        {0, "", codes({AH}), "", "", "", "", "", false},
        {0, "", "", "", codes({AH}), "", "", "", false},
        {0, "", "", "", "", "", codes({AH}), "", false},
        {4, "", "", "000000", "", "000", "", "", true},
        {0, "", "", "000", "", "", "", "", false},
        {9, codes({AH}), "", codes({1}), codes({2}), codes({3}), "", "", true},
        {9, "", "", codes({1}), "", codes({3}), "", "", false},
        {21, "", "", codes({1, 2, 3, 4}), codes({5}), "", "", "", true},
        {22, "", "", codes({1, 2, 3, 4, 5}), "", "", "", "", false},
        // The empty slots a line keeps where cards left it are no cards.
        {22, "", "", "012000000000013", "", "", "", "", true},
        {22, "", "", "012000001000002000003000013", "", "", "", "", false},
        {21, codes({6}), "", codes({1}), "", "", "", "", false},
        {27, codes({6}), "", codes({1}), codes({2}), codes({3}), "", "", true},
        {27, "", "", codes({1}), codes({2, 4}), codes({3}), "", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " " << c.stock << "/" << c.waste
                                          << "/" << c.f1 << "/" << c.f2 << "/" << c.f3);
        gameDefinition[35] = static_cast<std::int16_t>(c.kind);
        stock() = c.stock;
        waste() = c.waste;
        fila(1) = c.f1;
        fila(2) = c.f2;
        fila(3) = c.f3;
        appogg(1) = c.reserve1;
        discard() = c.discard;
        dest(1) = codes({KH});
        EXPECT_EQ(fnIsGameComplete(), c.complete);
    }
}

} // namespace
} // namespace solitaire
