// Card slots, pile bottoms, the card under a point, table hit testing and card rectangles.
// Cards are 71 x 96; fan steps: face up 18 down / 12 across, face down 4 / 4, row gap 6,
// mode-5 step 3, mode-6 step 7. Piles are placed by hand; every other pile is absent.

#include "engine_fixture.h"
#include "recording_presentation.h"

#include "solitaire/engine/geometry.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"

namespace solitaire {
namespace {

class GeometryTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        fnMarkPilesAbsent();
        mainWindow.CardWidth = 71;
        mainWindow.CardHeight = 96;
        EngineScalars& s = engineScalars;
        s.FanUpY = 18;
        s.FanDownY = 4;
        s.FanUpX = 12;
        s.FanDownX = 4;
        s.RowGap = 6;
        s.Mode5Offset = s.Mode5OffsetB = 3;
        s.Mode6Offset = s.Mode6OffsetB = 7;
        fnWriteSettingsField(179, 1, "N");
    }

    static void fanModes(int tableau, int foundations, int reserves) {
        gameDefinition[3] = static_cast<std::int16_t>(tableau);
        gameDefinition[4] = static_cast<std::int16_t>(foundations);
        gameDefinition[5] = static_cast<std::int16_t>(reserves);
    }
    static void placeTableau(int n, int x, int y) {
        fnSetTableauX(n - 1, x);
        fnSetTableauY(n - 1, y);
    }
    // Tableau pile 1 at (100, 200): card 1 face down under cards 2 and 3.
    void fanPileOne(int mode) {
        fanModes(mode, 3, 1);
        setPileCounts(2, 0);
        placeTableau(1, 100, 200);
        fila(1) = "001002003";
        SetCardFaceFlag(1, kFaceDown);
    }
};

// --- Card slots and bottoms ------------------------------------------------------------------

TEST_F(GeometryTest, CardSlotsFollowTheFanOfEachGroup) {
    struct Case {
        const char* pile;
        int tableauMode, foundationMode, reserveMode;
        int depth;
        bool beyond;
        int x, y;
    } const cases[] = {
        // Vertical fan: 200 + 4 (face down) + 18; beyond adds the top card's 18.
        {"Fila1", 1, 3, 1, 0, false, 100, 222},
        {"Fila1", 1, 3, 1, 0, true, 100, 240},
        {"Fila1", 1, 3, 1, 1, false, 100, 204},
        {"Fila1", 1, 3, 1, 2, false, 100, 200},
        {"Fila1", 1, 3, 1, 3, false, 100, 200}, // below the bottom card: the origin
        // Horizontal fan by face: 100 + 4 + 12.
        {"Fila1", 2, 3, 1, 0, false, 116, 200},
        {"Fila1", 2, 3, 1, 0, true, 128, 200},
        // Row: CardWidth + row gap per card.
        {"Fila1", 4, 3, 1, 0, false, 254, 200},
        {"Fila1", 4, 3, 1, 2, true, 177, 200},
        // Fixed horizontal step.
        {"Fila1", 6, 3, 1, 0, false, 114, 200},
        // Squared: every card at the origin.
        {"Fila1", 3, 3, 1, 0, true, 100, 200},
        // Lowered tableau: one face-up step unless no card lies at or below the place.
        {"Fila1", 7, 3, 1, 0, false, 100, 218},
        {"Fila1", 7, 3, 1, 3, false, 100, 200},
        // The same cards on a foundation and a reserve.
        {"Dest1", 1, 1, 1, 0, false, 100, 222},
        {"Dest1", 1, 2, 1, 0, false, 116, 200},
        {"Dest1", 1, 6, 1, 0, false, 100, 200}, // foundations have no fixed-step fan
        {"Appogg1", 1, 3, 5, 0, false, 100, 206},
        {"Appogg1", 1, 3, 4, 0, false, 254, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.pile << " modes " << c.tableauMode << "/" << c.foundationMode << "/"
                     << c.reserveMode << " depth " << c.depth << (c.beyond ? " beyond" : ""));
        fanModes(c.tableauMode, c.foundationMode, c.reserveMode);
        placeTableau(1, 100, 200);
        fnSetFoundationX(0, 100);
        fnSetFoundationY(0, 200);
        fnSetReserveX(0, 100);
        fnSetReserveY(0, 200);
        fila(1) = dest(1) = appogg(1) = "001002003";
        SetCardFaceFlag(1, kFaceDown);
        EXPECT_EQ(fnPileCardX(c.pile, 0, c.depth, c.beyond), c.x);
        EXPECT_EQ(fnPileCardY(c.pile, c.depth, c.beyond), c.y);
    }
}

TEST_F(GeometryTest, StockGroupIsNeverFanned) {
    fanModes(1, 1, 1);
    fnSetStockPileX(1, 10);
    fnSetStockPileY(1, 20);
    waste() = "004005006";
    EXPECT_EQ(fnPileCardX("Mazzo_Vis", 0, 0, true), 10);
    EXPECT_EQ(fnPileCardY("Mazzo_Vis", 0, true), 20);
    EXPECT_EQ(fnPileBottom("Mazzo_Vis"), 116);
}

TEST_F(GeometryTest, BottomIsTheTopCardsLowerEdgeAndFollowsTheScroll) {
    fanPileOne(1);
    placeTableau(2, 191, 200);
    EXPECT_EQ(fnPileBottom("Fila1"), 222 + 96);
    EXPECT_EQ(fnPileBottom("Fila2"), 200 + 96); // empty: its place
    engineScalars.ScrollOffset = 50;
    EXPECT_EQ(fnPileCardY("Fila1", 0, false), 172);
    EXPECT_EQ(fnPileBottom("Fila1"), 268);
    EXPECT_EQ(fnPileBottom("Nowhere"), kAbsentPile);
}

TEST_F(GeometryTest, UntidyPilesShiftTableauCardsByTheirJitterStep) {
    fanModes(1, 3, 1);
    placeTableau(2, 300, 200);
    fila(2) = "001002003";
    randomJitterRows[1][2] = 2;                        // card number 3, the top card
    randomJitterRows[1][3] = -1;                       // card number 4, the free place
    randomJitterRows[1][1] = 1;                        // column 13 wraps to 1
    EXPECT_EQ(fnPileCardX("Fila2", 1, 0, false), 300); // untidy piles off
    fnWriteSettingsField(179, 1, "Y");
    EXPECT_EQ(fnPileCardX("Fila2", 1, 0, false), 302);
    EXPECT_EQ(fnPileCardX("Fila2", 1, 0, true), 299);
    EXPECT_EQ(fnPileCardX("Fila2", 7, 0, false), 302); // row 7 wraps to row 1
    EXPECT_EQ(fnPileCardX("Fila2", -1, 0, false), 300);
    fila(2) = "001002003004005006007008009010011012013014";
    EXPECT_EQ(fnPileCardX("Fila2", 1, 0, false), 301);
    gameDefinition[3] = 2; // only vertical fans are untidy (card number 2: column 1)
    EXPECT_EQ(fnPileCardX("Fila2", 1, 13, false), 300);
}

// --- The card under a point -------------------------------------------------------------

TEST_F(GeometryTest, CardUnderPointFindsTheBandThatHoldsThePoint) {
    struct Case {
        int mode;
        int pointX, pointY;
        int card, x, y;
    } const cases[] = {
        // Vertical: card 1 covers 200..204, card 2 204..222, card 3 222..317.
        {1, 100, 200, 1, 100, 200},
        {1, 100, 204, 1, 100, 200}, // a shared edge belongs to the lower card
        {1, 100, 205, 2, 100, 204},
        {1, 100, 222, 2, 100, 204},
        {1, 100, 223, 3, 100, 222},
        {1, 100, 317, 3, 100, 222},
        {1, 100, 318, 0, 0, 0},
        {1, 100, 199, 0, 0, 0},
        // Squared: the whole pile is its top card, at the origin.
        {3, 100, 201, 3, 100, 200},
        {3, 100, 295, 3, 100, 200},
        // Horizontal: card 1 covers 100..104, card 2 104..116, card 3 116..186.
        {2, 103, 0, 1, 100, 200},
        {2, 110, 0, 2, 104, 200},
        {2, 186, 0, 3, 116, 200},
        {2, 187, 0, 0, 0, 0},
        // Row: 100..171, 177..248, 254..325; the row gap holds no card.
        {4, 171, 0, 1, 100, 200},
        {4, 174, 0, 0, 0, 0},
        {4, 200, 0, 2, 177, 200},
        {4, 325, 0, 3, 254, 200},
        // Fixed horizontal step: 100..107, 107..114, 114..184.
        {6, 108, 0, 2, 107, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << c.mode << " point " << c.pointX << "," << c.pointY);
        fanPileOne(c.mode);
        const CardUnderPoint found = fnCardUnderPoint("Fila", fila(1), 0, c.pointY, c.pointX);
        EXPECT_EQ(found.card, c.card);
        if (c.card != 0) {
            EXPECT_EQ(found.x, c.x);
            EXPECT_EQ(found.y, c.y);
        }
    }
}

TEST_F(GeometryTest, CardUnderPointInReservesAndEmptyPiles) {
    fanModes(1, 3, 5);
    fnSetReserveX(1, 400);
    fnSetReserveY(1, 20);
    appogg(2) = "007008";
    // Mode-5 step 3: card 7 covers 20..23, card 8 23..118.
    EXPECT_EQ(fnCardUnderPoint("Appogg", appogg(2), 1, 22, 400).card, 7);
    const CardUnderPoint top = fnCardUnderPoint("Appogg", appogg(2), 1, 60, 400);
    EXPECT_EQ(top.card, 8);
    EXPECT_EQ(top.x, 400);
    EXPECT_EQ(top.y, 23);
    EXPECT_EQ(fnCardUnderPoint("Appogg", "", 1, 22, 400).card, 0);
    EXPECT_EQ(fnCardUnderPoint("Dest", appogg(2), 1, 22, 400).card, 0);
}

// --- Table hit test ------------------------------------------------------------------------

TEST_F(GeometryTest, HitTestFindsTheCardInAFannedPile) {
    fanPileOne(1);
    placeTableau(2, 191, 200);
    fila(2) = "010";
    SetCardFaceFlag(10, kFaceDown); // face-down cards are found like any other
    TableHit hit = fnHitTestTable(130, 210);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 2);
    EXPECT_EQ(hit.rect, (ClosedRect{100, 204, 171, 300}));
    // The top card's full rectangle, its right and bottom edges included.
    hit = fnHitTestTable(171, 317);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 3);
    EXPECT_EQ(hit.rect, (ClosedRect{100, 222, 171, 318}));
    // Between the piles, and below the top card's band.
    for (auto [x, y] : {std::pair{181, 250}, std::pair{130, 318}, std::pair{99, 250}}) {
        hit = fnHitTestTable(x, y);
        EXPECT_EQ(hit.pileName, "") << x << "," << y;
        EXPECT_EQ(hit.rect, ClosedRect{});
    }
    hit = fnHitTestTable(191, 295);
    EXPECT_EQ(hit.pileName, "Fila2");
    EXPECT_EQ(hit.card, 10);
}

TEST_F(GeometryTest, HitTestOfASquaredPileGivesItsTopCardAtTheOrigin) {
    fanPileOne(3);
    const TableHit hit = fnHitTestTable(150, 290);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 3);
    EXPECT_EQ(hit.rect, (ClosedRect{100, 200, 171, 296}));
}

TEST_F(GeometryTest, HitTestOfRowsTriesTheLastRowFirst) {
    fanPileOne(4); // 100..171, 177..248, 254..325
    placeTableau(2, 250, 200);
    fila(2) = "004";
    TableHit hit = fnHitTestTable(260, 210); // on both rows: the later one wins
    EXPECT_EQ(hit.pileName, "Fila2");
    EXPECT_EQ(hit.card, 4);
    EXPECT_EQ(hit.rect, (ClosedRect{250, 200, 321, 296}));
    hit = fnHitTestTable(200, 296);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 2);
    EXPECT_EQ(hit.rect, (ClosedRect{177, 200, 248, 296}));
    EXPECT_EQ(fnHitTestTable(174, 210).pileName, ""); // the gap between two cards
    hit = fnHitTestTable(322, 210);                   // past row 2, still on row 1's last card
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 3);
}

// Mode 8: side by side in lines that wrap at the table area's right edge. With the window
// 400 wide (scroll bar 12, margin 12) a line from X 100 holds three cards.
TEST_F(GeometryTest, CardsInLinesWrapAtTheRightEdgeAndAreEachFound) {
    mainWindow.Width = 400;
    mainWindow.ScrollBarWidth = 12;
    fanModes(8, 3, 1);
    setPileCounts(2, 0);
    placeTableau(1, 100, 200);
    fila(1) = "001002000004005"; // an empty slot keeps its place
    placeTableau(2, 100, 450);
    fila(2) = "009";
    // Places: 100/177/254 on the line at 200, then 100/177 on the line at 302.
    EXPECT_EQ(fnPileCardX("Fila1", 0, 0, false), 177);
    EXPECT_EQ(fnPileCardY("Fila1", 0, false), 302);
    EXPECT_EQ(fnPileCardX("Fila1", 0, 0, true), 254);
    EXPECT_EQ(fnPileCardY("Fila1", 0, true), 302);
    EXPECT_EQ(fnPileCardX("Fila1", 0, 4, false), 100);
    EXPECT_EQ(fnPileCardY("Fila1", 4, false), 200);
    EXPECT_EQ(fnPileBottom("Fila1"), 398);

    struct Case {
        int x, y;
        const char* pile;
        int card;
    } const cases[] = {
        {110, 210, "Fila1", 1}, {248, 296, "Fila1", 2}, {260, 210, "", 0}, // the empty slot
        {174, 250, "", 0},      {180, 310, "Fila1", 5}, {100, 398, "Fila1", 4},
        {120, 460, "Fila2", 9}, // a later pile is tried too
    };
    for (const Case& c : cases) {
        const TableHit hit = fnHitTestTable(c.x, c.y);
        EXPECT_EQ(hit.pileName, c.pile) << c.x << "," << c.y;
        EXPECT_EQ(hit.card, c.card) << c.x << "," << c.y;
    }
    EXPECT_EQ(fnHitTestTable(180, 310).rect, (ClosedRect{177, 302, 248, 398}));
    EXPECT_EQ(fnCardRect(4), (ClosedRect{100, 302, 171, 398}));
    EXPECT_EQ(fnCardRect(2), (ClosedRect{177, 200, 248, 296})) << "every card can be picked up";
    // A narrow window keeps one card a line.
    mainWindow.Width = 150;
    EXPECT_EQ(fnPileCardX("Fila1", 0, 0, false), 100);
    EXPECT_EQ(fnPileCardY("Fila1", 0, false), 200 + 4 * 102);
}

TEST_F(GeometryTest, HitTestOfAHorizontalFan) {
    fanPileOne(2); // 100..104, 104..116, 116..186
    TableHit hit = fnHitTestTable(110, 296);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 2);
    EXPECT_EQ(hit.rect, (ClosedRect{104, 200, 175, 296}));
    EXPECT_EQ(fnHitTestTable(110, 297).pileName, "");
    EXPECT_EQ(fnHitTestTable(187, 250).pileName, "");
}

TEST_F(GeometryTest, HitTestOfTheStockGroupFoundationsAndReserves) {
    fanModes(1, 3, 1);
    setPileCounts(0, 2);
    fnSetStockPileX(0, 10);
    fnSetStockPileY(0, 20);
    fnSetStockPileX(1, 90);
    fnSetStockPileY(1, 20);
    waste() = "005";
    fnSetFoundationX(0, 500);
    fnSetFoundationY(0, 20);
    fnSetFoundationX(1, 580);
    fnSetFoundationY(1, 20);
    dest(1) = "014015";
    fnSetReserveX(0, 300);
    fnSetReserveY(0, 20);
    appogg(1) = "020021";
    fnSetReserveX(1, 380);
    fnSetReserveY(1, 20);

    struct Case {
        int x, y;
        const char* pile;
        int card;
        ClosedRect rect;
    } const cases[] = {
        {81, 116, "Mazzo", 0, {10, 20, 81, 116}}, // empty, on its corner
        {90, 20, "Mazzo_Vis", 5, {90, 20, 161, 116}},
        {571, 116, "Dest1", 15, {500, 20, 571, 116}},  // squared: the top card
        {600, 50, "Dest2", 0, {580, 20, 651, 116}},    // empty foundations answer too
        {320, 30, "Appogg1", 20, {300, 20, 371, 134}}, // reserve: the pile's right/bottom
        {320, 120, "Appogg1", 21, {300, 38, 371, 134}},
        {400, 50, "", 0, {}}, // an empty reserve is passed by
        {200, 50, "", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        const TableHit hit = fnHitTestTable(c.x, c.y);
        EXPECT_EQ(hit.pileName, c.pile);
        EXPECT_EQ(hit.card, c.card);
        EXPECT_EQ(hit.rect, c.rect);
    }
    gameDefinition[12] = -11; // reserves laid out as a row: the found card's own bottom
    EXPECT_EQ(fnHitTestTable(320, 30).rect, (ClosedRect{300, 20, 371, 116}));
}

TEST_F(GeometryTest, HitTestWorksInWindowCoordinatesOfAScrolledTable) {
    fanPileOne(1);
    placeTableau(1, 100, 230);
    engineScalars.ScrollOffset = 30;
    const TableHit hit = fnHitTestTable(130, 210);
    EXPECT_EQ(hit.pileName, "Fila1");
    EXPECT_EQ(hit.card, 2);
    EXPECT_EQ(hit.rect.top, 204);
}

// --- Card rectangles ---------------------------------------------------------------------

TEST_F(GeometryTest, CardRectLocatesOnlyCardsThatCanBePickedUp) {
    fanPileOne(1);
    fnSetStockPileX(0, 10);
    fnSetStockPileY(0, 20);
    stock() = "030031032";
    fnSetFoundationX(0, 500);
    fnSetFoundationY(0, 20);
    dest(1) = "040041";
    setPileCounts(2, 1);
    fnSetReserveX(0, 300);
    fnSetReserveY(0, 20);
    appogg(1) = "050";

    EXPECT_EQ(fnCardRect(3), (ClosedRect{100, 222, 171, 318}));
    EXPECT_EQ(fnCardRect(2), std::nullopt);                   // covered in a fan
    EXPECT_EQ(fnCardRect(31), (ClosedRect{10, 20, 81, 116})); // anywhere in the stock
    EXPECT_EQ(fnCardRect(41), (ClosedRect{500, 20, 571, 116}));
    EXPECT_EQ(fnCardRect(40), std::nullopt);
    EXPECT_EQ(fnCardRect(50), (ClosedRect{300, 20, 371, 116}));
    EXPECT_EQ(fnCardRect(0), std::nullopt);
    EXPECT_EQ(fnCardRect(60), std::nullopt); // on no pile

    gameDefinition[3] = 4; // in a row every card can be picked up
    EXPECT_EQ(fnCardRect(1), (ClosedRect{100, 200, 171, 296}));
    EXPECT_EQ(fnCardRect(2), (ClosedRect{177, 200, 248, 296}));
    gameDefinition[3] = 8; // in lines too (a window too narrow for two: one card a line)
    EXPECT_EQ(fnCardRect(3), (ClosedRect{100, 404, 171, 500}));
}

// The selection games keep their chosen cards in foundation 1, which their layout gives a row
// but no place: a chosen card is still found where it lies, and nothing is hit off the table.
TEST_F(GeometryTest, AFoundationWithARowButNoPlaceIsPassedBy) {
    fanPileOne(1);
    setPileCounts(2, 1);
    fnSetFoundationY(0, 20);
    dest(1) = "003";
    fnSetReserveY(0, 20);
    appogg(1) = "050";

    EXPECT_EQ(fnCardRect(3), (ClosedRect{100, 222, 171, 318}));
    EXPECT_EQ(fnCardRect(50), std::nullopt);
    EXPECT_EQ(fnHitTestTable(fnFoundationX(0) + 1, 30).pileName, "");
    EXPECT_EQ(fnHitTestTable(fnReserveX(0) + 1, 30).pileName, "");
}

// --- Repaint requests --------------------------------------------------------------------

TEST_F(GeometryTest, RepaintRequestsGoToTheMainWindow) {
    testing::RecordingPresentation recorder;
    testing::RecordingPresentation::Scoped installed(recorder);
    mainWindow.Width = 812;
    mainWindow.Height = 600;
    fnRepaintMainForm();
    fnRepaintMainRect({10, 20, 81, 116});
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"RepaintWindowRect(0,0,812,600)",
                                                        "RepaintWindowRect(10,20,81,116)"}));
}

} // namespace
} // namespace solitaire
