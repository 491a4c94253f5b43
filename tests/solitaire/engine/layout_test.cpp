// Table layout against positions worked out by hand from the layout rules. Windows used:
//   large: area width 800 (W = 798), window height 600, area 30..559, screen 1024 x 768;
//          g = 10; row 5 = 768 - 30 - CH (600 is not above 0.8 x 768).
//   small: area width 640 (W = 628, a small window), window height 480, area 30..439,
//          screen 640 x 480 (a small screen); g = 5.
// ShadowOffset 9 and RowGap 6 unless a case says otherwise.

#include "engine_fixture.h"

#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/utils.h"

#include "platform/app/screen.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace solitaire {
namespace {

struct Window {
    const char* name;
    int areaWidth, windowHeight, areaBottom, areaTop, screenWidth, screenHeight;
};
constexpr Window kLarge{"large", 800, 600, 559, 30, 1024, 768};
constexpr Window kSmall{"small", 640, 480, 439, 30, 640, 480};

struct CardSize {
    char letter;
    int width, height;
};
constexpr CardSize kB{'B', 71, 96};
constexpr CardSize kM{'M', 59, 80};
constexpr CardSize kL{'L', 25, 32};

enum class Group { Stock, Foundation, Tableau, Reserve };

// Pile numbers are 1-based; stock-group slots 1 stock, 2 waste, 3 discard pile.
struct Place {
    Group group;
    int pile;
    int x, y;
};
using Places = std::vector<Place>;

// A row of piles of one group from pile `first` on, all at one Y.
Places row(Group group, std::vector<int> xs, int y, int first = 1) {
    Places places;
    for (int x : xs)
        places.push_back({group, first++, x, y});
    return places;
}
Places operator+(Places a, const Places& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

int storedX(Group group, int i) {
    switch (group) {
    case Group::Stock:
        return pileCoordinates.StockX.at(i);
    case Group::Foundation:
        return pileCoordinates.DestX.at(i);
    case Group::Tableau:
        return pileCoordinates.FilaX.at(i);
    case Group::Reserve:
        return pileCoordinates.AppoggX.at(i);
    }
    return 0;
}
int storedY(Group group, int i) {
    switch (group) {
    case Group::Stock:
        return pileCoordinates.StockY.at(i);
    case Group::Foundation:
        return pileCoordinates.DestY.at(i);
    case Group::Tableau:
        return pileCoordinates.FilaY.at(i);
    case Group::Reserve:
        return pileCoordinates.AppoggY.at(i);
    }
    return 0;
}
const char* groupName(Group group) {
    switch (group) {
    case Group::Stock:
        return "stock group slot";
    case Group::Foundation:
        return "foundation";
    case Group::Tableau:
        return "tableau pile";
    case Group::Reserve:
        return "reserve";
    }
    return "";
}

constexpr int kStockAbsent = -10000, kFoundationAbsent = -10001, kTableauAbsent = -10002,
              kReserveAbsent = -10003;

struct Codes {
    std::string stock;
    int stockCount;
    std::string foundation;
    int foundationCount;
    std::string tableau;
    int tableauCount;
    std::string reserve = "0000";
    int reserveCount = 0;
    std::string discard = "0000";
    int discardCount = 0;
};

class LayoutTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        fnMarkPilesAbsent();
        mainWindow.ShadowOffset = 9;
        engineScalars.RowGap = 6;
    }

    static void useCardSize(CardSize size) {
        mainWindow.CardWidth = size.width;
        mainWindow.CardHeight = size.height;
        fnWriteSettingsField(128, 1, std::string(1, size.letter));
    }

    static void layOut(const Codes& c, const Window& w, CardSize size) {
        useCardSize(size);
        platform::app::TestScreen screen(w.screenWidth, w.screenHeight, 32);
        fnComputePileLayout(c.stock, c.stockCount, c.foundation, c.foundationCount, c.tableau,
                            c.tableauCount, c.reserve, c.reserveCount, c.discard, c.discardCount,
                            w.areaWidth, w.windowHeight, w.areaBottom, w.areaTop);
    }

    static void expectPlaces(const Places& places) {
        for (const Place& p : places) {
            SCOPED_TRACE(::testing::Message() << groupName(p.group) << " " << p.pile);
            EXPECT_EQ(storedX(p.group, p.pile - 1), p.x);
            EXPECT_EQ(storedY(p.group, p.pile - 1), p.y);
        }
    }
};

// --- The shipped games --------------------------------------------------------------------

struct CatalogueCase {
    const char* game;
    int id;
    Window window;
    CardSize size;
    Places places;
};

// FreeCell: stock "0000" (no places), foundations "1008" x4, tableau "2001" x8, reserves
// "1005" x4. M = 10 (large) or 3 (small): no stock places, so no shadow margin.
// Klondike: stock "1004" x2 (words 7 and 8 are 1), foundations "1007" x4, tableau "2001" x7.
// Stock row digit "1": rows 1..4 move down 15. M = 10 or 3, + 9 shadow + 15 (stock "004").
// Every layout here: no overlap (FreeCell's reserves lie a full row above the piles).
const CatalogueCase kCatalogueCases[] = {
    // row1 = 30+10 = 40, row2 = 40+10+96 = 146. gap = (798-8*71)/9 = 230/9 = 25 -> 20;
    // pile1 = (798-(568+7*20))/2 = 45, step 91. Foundations: f4 = 798-71-10-5 = 712, then
    // -81 each. Reserves from M = 10, step M+CW = 81.
    {"FreeCell", 1, kLarge, kB,
     row(Group::Tableau, {45, 136, 227, 318, 409, 500, 591, 682}, 146) +
         row(Group::Foundation, {469, 550, 631, 712}, 40) +
         row(Group::Reserve, {10, 91, 172, 253}, 40)},
    // row2 = 40+10+80 = 130. gap = (798-472)/9 = 36 -> 20; pile1 = (798-612)/2 = 93, step 79.
    // f4 = 798-59-10-5 = 724, step 69. Reserves step 69.
    {"FreeCell", 1, kLarge, kM,
     row(Group::Tableau, {93, 172, 251, 330, 409, 488, 567, 646}, 130) +
         row(Group::Foundation, {517, 586, 655, 724}, 40) +
         row(Group::Reserve, {10, 79, 148, 217}, 40)},
    // row2 = 40+10+32 = 82. gap = (798-200)/9 = 66 -> 20; pile1 = (798-340)/2 = 229, step 45.
    // f4 = 798-25-10-5 = 758, step 35. Reserves step 35.
    {"FreeCell", 1, kLarge, kL,
     row(Group::Tableau, {229, 274, 319, 364, 409, 454, 499, 544}, 82) +
         row(Group::Foundation, {653, 688, 723, 758}, 40) +
         row(Group::Reserve, {10, 45, 80, 115}, 40)},
    // row1 = 30+5 = 35, row2 = 35+5+96 = 136. gap = (628-568)/9 = 6; pile1 =
    // (628-(568+42))/2 = 9, step 77. M = 3: f4 = 628-71-3-5 = 549, step 74; reserves step 74.
    {"FreeCell", 1, kSmall, kB,
     row(Group::Tableau, {9, 86, 163, 240, 317, 394, 471, 548}, 136) +
         row(Group::Foundation, {327, 401, 475, 549}, 35) +
         row(Group::Reserve, {3, 77, 151, 225}, 35)},
    // row2 = 35+5+80 = 120. gap = (628-472)/9 = 17; pile1 = (628-(472+119))/2 = 18, step 76.
    // f4 = 628-59-3-5 = 561, step 62; reserves step 62.
    {"FreeCell", 1, kSmall, kM,
     row(Group::Tableau, {18, 94, 170, 246, 322, 398, 474, 550}, 120) +
         row(Group::Foundation, {375, 437, 499, 561}, 35) +
         row(Group::Reserve, {3, 65, 127, 189}, 35)},
    // row2 = 35+5+32 = 72. gap = (628-200)/9 = 47 -> 20; pile1 = (628-340)/2 = 144, step 45.
    // f4 = 628-25-3-5 = 595, step 28; reserves step 28.
    {"FreeCell", 1, kSmall, kL,
     row(Group::Tableau, {144, 189, 234, 279, 324, 369, 414, 459}, 72) +
         row(Group::Foundation, {511, 539, 567, 595}, 35) +
         row(Group::Reserve, {3, 31, 59, 87}, 35)},
    // row1 = 30+10+15 = 55, row2 = 55+10+96 = 161. M = 34. gap = (798-497)/8 = 37 -> 20;
    // pile1 = (798-(497+120))/2 = 90, step 91. Stock at pile 1, waste at pile 2, both on
    // row 1; foundations over piles 4..7.
    {"Klondike", 2, kLarge, kB,
     row(Group::Tableau, {90, 181, 272, 363, 454, 545, 636}, 161) +
         row(Group::Foundation, {363, 454, 545, 636}, 55) + row(Group::Stock, {90, 181}, 55)},
    // row2 = 55+10+80 = 145. gap = (798-413)/8 = 48 -> 20; pile1 = (798-533)/2 = 132, step 79.
    {"Klondike", 2, kLarge, kM,
     row(Group::Tableau, {132, 211, 290, 369, 448, 527, 606}, 145) +
         row(Group::Foundation, {369, 448, 527, 606}, 55) + row(Group::Stock, {132, 211}, 55)},
    // row2 = 55+10+32 = 97. gap = (798-175)/8 = 77 -> 20; pile1 = (798-295)/2 = 251, step 45.
    {"Klondike", 2, kLarge, kL,
     row(Group::Tableau, {251, 296, 341, 386, 431, 476, 521}, 97) +
         row(Group::Foundation, {386, 431, 476, 521}, 55) + row(Group::Stock, {251, 296}, 55)},
    // row1 = 30+5+15 = 50, row2 = 50+5+96 = 151. M = 3+9+15 = 27. gap = (628-497)/8 = 16;
    // pile1 = (628-(497+96))/2 = 17, below M: 27; step 87.
    {"Klondike", 2, kSmall, kB,
     row(Group::Tableau, {27, 114, 201, 288, 375, 462, 549}, 151) +
         row(Group::Foundation, {288, 375, 462, 549}, 50) + row(Group::Stock, {27, 114}, 50)},
    // row2 = 50+5+80 = 135. gap = (628-413)/8 = 26 -> 20; pile1 = (628-533)/2 = 47, step 79.
    {"Klondike", 2, kSmall, kM,
     row(Group::Tableau, {47, 126, 205, 284, 363, 442, 521}, 135) +
         row(Group::Foundation, {284, 363, 442, 521}, 50) + row(Group::Stock, {47, 126}, 50)},
    // row2 = 50+5+32 = 87. gap = (628-175)/8 = 56 -> 20; pile1 = (628-295)/2 = 166, step 45.
    {"Klondike", 2, kSmall, kL,
     row(Group::Tableau, {166, 211, 256, 301, 346, 391, 436}, 87) +
         row(Group::Foundation, {301, 346, 391, 436}, 50) + row(Group::Stock, {166, 211}, 50)},
};

void PrintTo(const CatalogueCase& c, std::ostream* out) {
    *out << c.game << ", " << c.window.name << " window, " << c.size.letter << " cards";
}

class CatalogueLayoutTest : public LayoutTest, public ::testing::WithParamInterface<CatalogueCase> {
protected:
    static void loadGame(int id) {
        const char* dist = std::getenv("ZV_DIST_DIR");
        ASSERT_NE(dist, nullptr);
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth,
                             std::string(dist) + "/Zevodadu/");
        fnWriteSettingsField(62, 4, fnIntZeroPad(id, 4));
        ASSERT_TRUE(fnLoadGameDefinition());
    }
    // The main window whose table area is the window `w`.
    static void openWindow(const Window& w) {
        mainWindow.ScrollBarWidth = 12;
        mainWindow.Width = w.areaWidth + 12;
        mainWindow.Height = w.windowHeight;
        mainWindow.ClientHeight = w.areaBottom + 1;
        mainWindow.TableAreaTop = w.areaTop;
    }
};

TEST_P(CatalogueLayoutTest, PlacesEveryPileOfTheGame) {
    const CatalogueCase& c = GetParam();
    loadGame(c.id);
    openWindow(c.window);
    useCardSize(c.size);
    platform::app::TestScreen screen(c.window.screenWidth, c.window.screenHeight, 32);
    fnLayoutTable();

    expectPlaces(c.places);
    // Piles the game does not have keep their absent markers.
    const int tableaus = gameDefinition[262];
    EXPECT_EQ(storedX(Group::Tableau, tableaus), kTableauAbsent);
    EXPECT_EQ(storedY(Group::Foundation, 4), kFoundationAbsent);
    EXPECT_EQ(storedX(Group::Stock, 2), kStockAbsent); // no discard pile
    EXPECT_EQ(storedY(Group::Reserve, gameDefinition[263]), kReserveAbsent);
    if (gameDefinition[260] == 0) {
        EXPECT_EQ(storedX(Group::Stock, 0), kStockAbsent);
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedGames, CatalogueLayoutTest, ::testing::ValuesIn(kCatalogueCases),
                         [](const auto& info) {
                             return std::string(info.param.game) + "_" + info.param.window.name +
                                    "_" + info.param.size.letter;
                         });

TEST_F(CatalogueLayoutTest, ScrolledTableKeepsStoredYAndMovesTheDrawOrigins) {
    loadGame(2);
    openWindow(kLarge);
    useCardSize(kB);
    mainWindow.ScrollBarPosition = 20;
    engineScalars.ScrollOffset = 7; // whatever it was, the layout works unscrolled
    platform::app::TestScreen screen(1024, 768, 32);
    fnLayoutTable();

    expectPlaces(row(Group::Stock, {90, 181}, 55) + row(Group::Tableau, {90}, 161));
    EXPECT_EQ(engineScalars.ScrollOffset, 20);
    EXPECT_EQ(fnStockPileY(0), 35);
    EXPECT_EQ(fnTableauY(0), 141);
    EXPECT_EQ(stockDrawOrigins.X[0], 90);
    EXPECT_EQ(stockDrawOrigins.Y[0], 35);
    EXPECT_EQ(stockDrawOrigins.X[1], 181);
    EXPECT_EQ(stockDrawOrigins.Y[1], 35);
    EXPECT_EQ(stockDrawOrigins.X[2], kStockAbsent);
}

// --- Every other layout number, with small synthetic games --------------------------------

struct SyntheticCase {
    const char* name;
    Codes codes;
    std::map<int, int> words; // game words the layout reads besides the counts
    Window window;
    CardSize size;
    Places places;
};

// Large window and B cards unless named. Rows without a stock row digit "1"/"2" or stock
// number "003": row1 = 40, row2 = 146, row3 = 252, row4 = 358, row6 = 146+106/2 = 199; with
// stock row digit "1": row1 = 55, row2 = 161, row3 = 267. Three-row block: b3[0] =
// 30+(529-308)/2 = 140, then +106: 246, 352. Four-row block: b4[0] = 30+(529-414)/2 = 87,
// then 193, 299, 405.
const SyntheticCase kSyntheticCases[] = {
    // Tableau "002": gap 10, pile1 = (798-284-30)/2 = 242, step 81, row 3. Foundations
    // "002": f = 10/2 = 5, f1 = (798-284-15)/2 = 249, step 76.
    {"CentredRows",
     {"0000", 0, "1002", 4, "3002", 4},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {242, 323, 404, 485}, 252) +
         row(Group::Foundation, {249, 325, 401, 477}, 40)},
    // Stock "003" (word 8 = 1) moves row 2 down 15: row1 = 55, row2 = 55+10+96+15 = 176.
    // M = 10+9+15 = 34. Tableau "003", c = 1: gap = (798-7*71-32)/8 = 33 -> 15; pile1 =
    // (798-40+15-(497+90))/2 = 93, +93 = 186, step 86. Stock at 186-71-22 = 93, row 1; waste
    // at (93, row 2). Foundations "009": f = 15/3 = 5; f4 = pile 6 = 616, then -76 each.
    {"StockLeftOfRowOne",
     {"1003", 2, "1009", 4, "2003", 6},
     {{8, 1}},
     kLarge,
     kB,
     row(Group::Tableau, {186, 272, 358, 444, 530, 616}, 176) +
         row(Group::Foundation, {388, 464, 540, 616}, 55) +
         Places{{Group::Stock, 1, 93, 55}, {Group::Stock, 2, 93, 176}}},
    // M = 10+9 = 19. Tableau "011", c = 2: gap = (798-497-32)/8 = 33 -> 15; pile1 =
    // (773-(497+6*15))/2 = 93, +2*93 = 279, +15 = 294, step 86. Stock "011": waste at
    // 294-71-45 = 178, stock at 178-71-15 = 92. Foundations "001": f = (798-284-2)/5 = 102,
    // f1 = 102, step 173. Reserve "011" at the waste X, row 3.
    {"StockLeftOfRowTwo",
     {"1011", 2, "1001", 4, "2011", 5, "3011", 1},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {294, 380, 466, 552, 638}, 161) +
         row(Group::Foundation, {102, 275, 448, 621}, 55) + row(Group::Stock, {92, 178}, 55) +
         row(Group::Reserve, {178}, 267)},
    // M = 10+9+15 = 34 (stock "016"). Tableau "012", c = 1: gap = (798-568-32)/9 = 22 -> 15;
    // pile1 = (773-(568+105))/2 = 50, +93 +15 = 158, step 86. Stock "016", word 7 = 1: stock
    // at 158-71-30 = 57; the waste gets the stock's Y in the fix-ups. Foundations "017"
    // (word 8 = 0): f1 = 57+71+20 = 148 at the stock's Y, step 74. Reserve "012" with 7
    // piles: 158-71-45 = 42, reserve 2 not placed.
    {"StockAtLeftFoundationsAfterIt",
     {"1016", 2, "1017", 4, "2012", 7, "2012", 2},
     {{7, 1}, {8, 0}, {262, 7}},
     kLarge,
     kB,
     row(Group::Tableau, {158, 244, 330, 416, 502, 588, 674}, 161) +
         row(Group::Foundation, {148, 222, 296, 370}, 55) +
         Places{{Group::Stock, 1, 57, 55},
                {Group::Stock, 2, kStockAbsent, 55},
                {Group::Reserve, 1, 42, 161},
                {Group::Reserve, 2, kReserveAbsent, kReserveAbsent}}},
    // Tableau "013": a = 9, pile1 = 48, step 75. Stock "013": a = 9/2 = 4, stock at 19, waste
    // at 19+71+15 = 105. Foundations "013" (large screen, as "007"): over piles 3 and 4.
    // Reserves "004" over piles 1 and 2, row 3.
    {"ShadowMargins",
     {"1013", 2, "1013", 2, "2013", 4, "3004", 2},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {48, 123, 198, 273}, 161) + row(Group::Foundation, {198, 273}, 55) +
         row(Group::Stock, {19, 105}, 55) + row(Group::Reserve, {48, 123}, 267)},
    // The same on a small screen (window still large): tableau a = -11, pile1 = 8; stock a =
    // 0: stock 15, waste 101; foundations "013": f2 = pile 4 = 233, f1 = 233-71-1 = 161.
    {"ShadowMarginsSmallScreen",
     {"1013", 2, "1013", 2, "2013", 4},
     {},
     {"large, small screen", 800, 600, 559, 30, 1024, 480},
     kB,
     row(Group::Tableau, {8, 83, 158, 233}, 161) + row(Group::Foundation, {161, 233}, 55) +
         row(Group::Stock, {15, 101}, 55)},
    // Tableau "014", 10 piles, stock "004": M = 34. gap = (798-710)/11 = 8; pile1 =
    // (798-(710+72))/2 = 8, below M: gap = 8-trunc(26/9+0.99) = 5, pile1 = M = 34. The step
    // to pile 2 (word 260 = 2) is 71+15 = 86, then 76. Stock at pile 1, waste at pile 2.
    // Foundations "1000": only foundation 1's Y.
    {"SpreadNarrowing",
     {"1004", 2, "1000", 0, "2014", 10},
     {{7, 1}, {8, 1}},
     kLarge,
     kB,
     row(Group::Tableau, {34, 120, 196, 272, 348, 424, 500, 576, 652, 728}, 161) +
         row(Group::Stock, {34, 120}, 55) + Places{{Group::Foundation, 1, kFoundationAbsent, 55}}},
    // The same on a screen narrower than 650: pile1 = M-2 = 32.
    {"SpreadNarrowingNarrowScreen",
     {"1004", 2, "1000", 0, "2014", 10},
     {{7, 1}, {8, 1}},
     {"large, narrow screen", 800, 600, 559, 30, 640, 768},
     kB,
     row(Group::Tableau, {32, 118, 194, 270, 346, 422, 498, 574, 650, 726}, 161) +
         row(Group::Stock, {32, 118}, 55)},
    // Tableau "015": rows 1..3 := 45, 146, 247; row 6 keeps 199 (from 146 and 252), row 4
    // keeps 358. gap = (798-426)/7 = 53 -> 20; pile1 = (798-526)/2 = 136, step 91, row 1.
    {"SpreadTight",
     {"0000", 0, "6000", 0, "1015", 6, "3000", 1},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {136, 227, 318, 409, 500, 591}, 45) +
         Places{{Group::Foundation, 1, kFoundationAbsent, 199},
                {Group::Reserve, 1, kReserveAbsent, 247}}},
    // Tableau "021": c = 2, gap := 2; pile1 = (798-40+2-(568+14))/2 = 89, +186 = 275, step
    // 73. Stock "021": waste at 275-71-15 = 189, stock at 189-71-20 = 98. Foundations "009":
    // f = max(2/3, 1) = 1; f2 = pile 6 = 640, f1 = 640-1-71 = 568. M = 19.
    {"CloseRow",
     {"1021", 2, "1009", 2, "2021", 6},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {275, 348, 421, 494, 567, 640}, 161) +
         row(Group::Foundation, {568, 640}, 55) + row(Group::Stock, {98, 189}, 55)},
    // Tableau "010", 7 piles in rows of 7/2 = 3: gap = trunc(0.85*71) = 60; the first row
    // on row 1 (pile 1 too, not over pile 4 on row 2), then rows 2 and 3, each from X 15,
    // step 131.
    // Reserves "006", row 4: from pile 1, f = 60/3 = 20, step 91.
    {"RowsFromLeft",
     {"0000", 0, "0000", 0, "1010", 7, "4006", 2},
     {{255, 2}},
     kLarge,
     kB,
     row(Group::Tableau, {15, 146, 277}, 40) +
         row(Group::Tableau, {15, 146, 277}, 146, 4) + row(Group::Tableau, {15}, 252, 7) +
         row(Group::Reserve, {15, 106}, 358)},
    // Tableau "018", 8 piles in rows of 4 from row digit 2: gap = (798-284-2)/5 = 102, raised
    // to trunc(1.5*71) = 106; pile 1 at (M+10 = 20, b4[1] = 193), step 177; next row b4[2].
    {"RowsCentred",
     {"0000", 0, "0000", 0, "2018", 8},
     {{255, 2}},
     kLarge,
     kB,
     row(Group::Tableau, {20, 197, 374, 551}, 193) +
         row(Group::Tableau, {20, 197, 374, 551}, 299, 5)},
    // Tableau "020" after foundations "002": no tableau gap, so f = 1; f1 = (798-284-3)/2 =
    // 255, step 72, span 255..542. s = trunc((542-255-284-30)/2) = trunc(-13.5) = -13; pile1
    // = 242, step 81.
    {"UnderFoundations",
     {"0000", 0, "1002", 4, "2020", 4},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {242, 323, 404, 485}, 146) +
         row(Group::Foundation, {255, 327, 399, 471}, 40)},
    // Stock "005", 3 places from M = 34, step 34+71 = 105; reserves "005", row 3, from M.
    // Discard "016" with row digit 3: at the stock X, row 2 + 96 + 20 = 277. Tableau "002":
    // pile1 = 242. The last reserve (139..210, 267..363) misses every pile (rows 161..257).
    {"FromLeftMargin",
     {"1005", 3, "0000", 0, "2002", 4, "3005", 2, "3016", 1},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {242, 323, 404, 485}, 161) + row(Group::Stock, {34, 139}, 55) +
         Places{{Group::Stock, 3, 34, 277}} + row(Group::Reserve, {34, 139}, 267)},
    // Stock "019", word 7 = 0: waste at 242-71-60 = 111, stock only its Y. Discard "007" over
    // the last pile, row 3.
    {"WasteFarLeftDiscardAtEnd",
     {"1019", 2, "0000", 0, "2002", 4, "0000", 0, "3007", 1},
     {{7, 0}},
     kLarge,
     kB,
     Places{{Group::Stock, 1, kStockAbsent, 55},
            {Group::Stock, 2, 111, 55},
            {Group::Stock, 3, 485, 267}}},
    // Discard "006" over pile 2, row 3 (no stock: row 3 = 252).
    {"DiscardAtStart",
     {"0000", 0, "0000", 0, "2002", 4, "0000", 0, "3006", 1},
     {},
     kLarge,
     kB,
     Places{{Group::Stock, 3, 323, 252}}},
    // Small window, stock "004" with 8 piles: M = 3+9+15 = 27; gap = (628-568)/9 = 6, raised
    // to 15 for "001"; pile1 = trunc((628-673)/2) = -22, below M: 27; step 86. row1 = 50,
    // row2 = 50+5+96 = 151.
    {"SpreadRaisedGapSmallWindow",
     {"1004", 2, "1000", 0, "2001", 8},
     {{7, 1}, {8, 1}},
     kSmall,
     kB,
     row(Group::Tableau, {27, 113, 199, 285, 371, 457, 543, 629}, 151) +
         row(Group::Stock, {27, 113}, 50)},
    // Medium cards, small window: tableau "002" gap 5 (W < 650), pile1 = (628-236-15)/2 =
    // 188, step 64; reserves "004" at the piles, row 1 = 35.
    {"CentredRowMediumSmall",
     {"0000", 0, "0000", 0, "2002", 4, "1004", 2},
     {},
     kSmall,
     kM,
     row(Group::Tableau, {188, 252, 316, 380}, 120) + row(Group::Reserve, {188, 252}, 35)},
    // Reserves "007" over the last 2 of 5 piles; tableau "002" with L cards: pile1 =
    // (798-125-40)/2 = 316, step 35; row2 = 40+10+32 = 82, row 3 = 124.
    {"ReservesAtEndLarge",
     {"0000", 0, "0000", 0, "2002", 5, "3007", 2},
     {},
     kLarge,
     kL,
     row(Group::Tableau, {316, 351, 386, 421, 456}, 82) + row(Group::Reserve, {421, 456}, 124)},

    // Whole-table layouts.
    // "052": G = 35; pile2 X = (798-284-105)/2+71+15 = 290; pile1 = 396, pile4 = 502. pile1 Y
    // = 30+(529-393)/2 = 98; piles 2..4 at 229, pile 5 at 360. Stock and waste at
    // 290-71-105 = 114. Reserves and the discard pile are not placed.
    {"Cross",
     {"0000", 0, "0000", 4, "0052", 8, "1005", 2, "1006", 1},
     {},
     kLarge,
     kB,
     Places{{Group::Tableau, 1, 396, 98},
            {Group::Tableau, 2, 290, 229},
            {Group::Tableau, 3, 396, 229},
            {Group::Tableau, 4, 502, 229},
            {Group::Tableau, 5, 396, 360},
            {Group::Tableau, 6, kStockAbsent, kTableauAbsent},
            {Group::Tableau, 8, kStockAbsent, kTableauAbsent},
            {Group::Stock, 1, 114, 98},
            {Group::Stock, 2, 114, 229},
            {Group::Stock, 3, kStockAbsent, kStockAbsent},
            {Group::Reserve, 1, kReserveAbsent, kReserveAbsent},
            {Group::Foundation, 1, 297, 105},
            {Group::Foundation, 2, 495, 105},
            {Group::Foundation, 3, 297, 353},
            {Group::Foundation, 4, 495, 353}}},
    // Small window: G = 25; pile2 X = (628-284-75)/2+86 = 134+86 = 220, pile1 = 316, pile4
    // = 412; pile1 Y = 30+(409-363)/2 = 53 (row 1 = 35 is above it); then 174 and 295.
    // Stock at 220-71-75 = 74.
    {"CrossSmallWindow",
     {"0000", 0, "0000", 4, "0052", 5},
     {},
     kSmall,
     kB,
     Places{{Group::Tableau, 1, 316, 53},
            {Group::Tableau, 2, 220, 174},
            {Group::Tableau, 4, 412, 174},
            {Group::Tableau, 5, 316, 295},
            {Group::Stock, 1, 74, 53},
            {Group::Stock, 2, 74, 174},
            {Group::Foundation, 1, 227, 60},
            {Group::Foundation, 4, 405, 288}}},
    // Narrow area (W = 298): pile2 X = trunc((298-389)/2)+86 = -45+86 = 41 leaves no room
    // for the stock (41-71-105-25 < 0): pile2 X := 71+105+25 = 201; pile1 = 307, pile4 =
    // 413; stock at 201-176 = 25.
    {"CrossNarrowArea",
     {"0000", 0, "0000", 4, "0052", 5},
     {},
     {"narrow", 300, 600, 559, 30, 1024, 768},
     kB,
     Places{{Group::Tableau, 1, 307, 98},
            {Group::Tableau, 2, 201, 229},
            {Group::Tableau, 4, 413, 229},
            {Group::Stock, 1, 25, 98}}},
    // "053", 8 piles in 2 rows of 4: b4 afresh: 30+(529-429)/2 = 80, 186; gap = 102 raised
    // to 106; pile 1 at (M+10 = 20, 80), step 177. Discard at (pile 1 X, b4[3] = 80+106+106+121
    // = 413), whatever its count.
    {"RowsWithDiscard",
     {"0000", 0, "0000", 0, "0053", 8},
     {{255, 2}},
     kLarge,
     kB,
     row(Group::Tableau, {20, 197, 374, 551}, 80) +
         row(Group::Tableau, {20, 197, 374, 551}, 186, 5) + Places{{Group::Stock, 3, 20, 413}}},
    // Small screen: gap = trunc(0.85*71) = 60; pile 1 at (15, b3[0] = 140), rows on b3;
    // discard at (pile 8 X + 71 + 60 = 539, b3[2] = 352).
    {"RowsWithDiscardSmallScreen",
     {"0000", 0, "0000", 0, "0053", 8},
     {{255, 2}},
     {"large, small screen", 800, 600, 559, 30, 1024, 480},
     kB,
     row(Group::Tableau, {15, 146, 277, 408}, 140) +
         row(Group::Tableau, {15, 146, 277, 408}, 246, 5) + Places{{Group::Stock, 3, 539, 352}}},
    // "054": stock and waste at X 40, Y row 1 = 40 and row 2 + 10 = 156. s = 35+3 = 38; pile1
    // = (798-71)/2 = 363, then -38 each; pile 6 = 173 is clear of 40+71+3. Discard at
    // 798-38-71 = 689 (not below 173+426+30 = 629), row 1. Y from 40 in steps of 48+4 = 52,
    // pile 8 included (it gets no X).
    {"Staircase",
     {"0000", 0, "0000", 0, "0054", 7},
     {},
     kLarge,
     kB,
     Places{{Group::Tableau, 1, 363, 40},
            {Group::Tableau, 2, 325, 92},
            {Group::Tableau, 3, 287, 144},
            {Group::Tableau, 4, 249, 196},
            {Group::Tableau, 5, 211, 248},
            {Group::Tableau, 6, 173, 300},
            {Group::Tableau, 7, 135, 352},
            {Group::Tableau, 8, kTableauAbsent, 404},
            {Group::Stock, 1, 40, 40},
            {Group::Stock, 2, 40, 156},
            {Group::Stock, 3, 689, 40}}},
    // Narrow area (W = 298): pile1 = 113 puts pile 6 at -77, not clear of 114; pile 1 moves
    // right by 3 until pile 6 (x1-190) exceeds 114: x1 = 305. Discard 298-38-71 = 189 is
    // below 115+456 = 571: 574.
    {"StaircaseNarrowArea",
     {"0000", 0, "0000", 0, "0054", 7},
     {},
     {"narrow", 300, 600, 559, 30, 1024, 768},
     kB,
     row(Group::Tableau, {305}, 40) + row(Group::Tableau, {115}, 300, 6) +
         row(Group::Tableau, {77}, 352, 7) + Places{{Group::Stock, 3, 574, 40}}},
    // Small screen: m = 15, d = 8, Y steps of 48-8 = 40.
    {"StaircaseSmallScreen",
     {"0000", 0, "0000", 0, "0054", 7},
     {},
     {"large, small screen", 800, 600, 559, 30, 1024, 480},
     kB,
     Places{{Group::Tableau, 1, 363, 40},
            {Group::Tableau, 2, 325, 80},
            {Group::Tableau, 8, kTableauAbsent, 320},
            {Group::Stock, 1, 15, 40},
            {Group::Stock, 2, 15, 156}}},

    // Other sizes.
    // Small window, M cards, stock "003": row1 = 30+5+15 = 50, row2 = 50+5+80+15 = 150; M =
    // 3+9+15 = 27. gap = (628-413-32)/8 = 22 -> 15; pile1 = (628-40+15-(413+90))/2 = 50, +81 =
    // 131, step 74. Stock at 131-59-22 = 50, waste below it on row 2. Foundations "009": f =
    // 5; f4 = pile 6 = 501, then -64 each.
    {"StockLeftOfRowOneSmallMedium",
     {"1003", 2, "1009", 4, "2003", 6},
     {{8, 1}},
     kSmall,
     kM,
     row(Group::Tableau, {131, 205, 279, 353, 427, 501}, 150) +
         row(Group::Foundation, {309, 373, 437, 501}, 50) +
         Places{{Group::Stock, 1, 50, 50}, {Group::Stock, 2, 50, 150}}},
    // Small window and screen, L cards: stock "013" a = 0: stock 15, waste 15+25+15 = 55, row
    // 1 = 50. Foundations "017" after the waste (word 8 = 1): a = 10, b = 1: 55+25+10 = 90,
    // step 26. Tableau "013": a = -11, pile1 = 8, step 29, row 2 = 50+5+32 = 87.
    {"AfterTheWasteSmallLow",
     {"1013", 2, "1017", 4, "2013", 3},
     {{8, 1}},
     kSmall,
     kL,
     row(Group::Tableau, {8, 37, 66}, 87) + row(Group::Foundation, {90, 116, 142, 168}, 50) +
         row(Group::Stock, {15, 55}, 50)},
    // Small window, M cards, "010" with 5 piles in rows of 2: gap = trunc(0.85*59) = 50,
    // step 109; rows 1..3 = 35, 120, 205, the first row's piles all on row 1.
    {"RowsFromLeftSmallMedium",
     {"0000", 0, "0000", 0, "1010", 5},
     {{255, 2}},
     kSmall,
     kM,
     row(Group::Tableau, {15, 124}, 35) +
         row(Group::Tableau, {15, 124}, 120, 3) + row(Group::Tableau, {15}, 205, 5)},
    // "052" with L cards: pile2 X = (798-100-105)/2+40 = 336, pile1 = 396, pile4 = 456; pile1
    // Y = 30+(529-201)/2 = 194, then 261 and 328; stock at 336-25-105 = 206.
    {"CrossLow",
     {"0000", 0, "0000", 4, "0052", 5},
     {},
     kLarge,
     kL,
     Places{{Group::Tableau, 1, 396, 194},
            {Group::Tableau, 2, 336, 261},
            {Group::Tableau, 4, 456, 261},
            {Group::Tableau, 5, 396, 328},
            {Group::Stock, 1, 206, 194},
            {Group::Foundation, 2, 449, 201},
            {Group::Foundation, 3, 343, 321}}},

    // Numbers no table lists: the tableau keeps its X, foundation 1 and the stock get only
    // their Y (the stock counts as absent by its X).
    {"UnknownNumbers",
     {"1099", 1, "1099", 4, "2099", 4},
     {},
     kLarge,
     kB,
     Places{{Group::Tableau, 1, kTableauAbsent, 161},
            {Group::Tableau, 2, kTableauAbsent, kTableauAbsent},
            {Group::Foundation, 1, kFoundationAbsent, 55},
            {Group::Foundation, 2, kFoundationAbsent, kFoundationAbsent},
            {Group::Stock, 1, kStockAbsent, 55}}},

    // Reserves "005" in the tableau row 2 (row 2 = 146): the last reserve (253..324) meets
    // pile 1 (242, widened to 157..398), so the layout is done again with the row "002"
    // starting at 253+71+86 = 410.
    {"ReservesPushTheRowRight",
     {"0000", 0, "0000", 0, "2002", 4, "2005", 4},
     {},
     kLarge,
     kB,
     row(Group::Tableau, {410, 491, 572, 653}, 146) + row(Group::Reserve, {10, 91, 172, 253}, 146)},
};

void PrintTo(const SyntheticCase& c, std::ostream* out) {
    *out << c.name;
}

class SyntheticLayoutTest : public LayoutTest,
                            public ::testing::WithParamInterface<SyntheticCase> {};

TEST_P(SyntheticLayoutTest, PlacesThePilesAsWorkedOut) {
    const SyntheticCase& c = GetParam();
    for (const auto& [word, value] : c.words)
        gameDefinition.at(static_cast<std::size_t>(word)) = static_cast<std::int16_t>(value);
    layOut(c.codes, c.window, c.size);
    expectPlaces(c.places);
    EXPECT_EQ(engineScalars.ScrollOffset, 0);
    EXPECT_EQ(stockDrawOrigins.X[0], pileCoordinates.StockX[0]);
    EXPECT_EQ(stockDrawOrigins.Y[1], pileCoordinates.StockY[1]);
}

INSTANTIATE_TEST_SUITE_P(LayoutNumbers, SyntheticLayoutTest, ::testing::ValuesIn(kSyntheticCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Games whose words the layout cannot follow as written ---------------------------------

// Layouts that divide by the number of rows (word 255): 0 rows lays the piles out as one row.
TEST_F(LayoutTest, NoRowCountLaysOutOneRow) {
    gameDefinition[255] = 0;
    struct Case {
        const char* tableau;
        int firstX, firstY, step; // "010": (15, b3[0]); "018"/"053": gap 25 raised to 106
    } const cases[] = {{"1010", 15, 140, 131}, {"2018", 20, 193, 177}, {"0053", 20, 80, 177}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tableau);
        fnMarkPilesAbsent();
        layOut({"0000", 0, "0000", 0, c.tableau, 8}, kLarge, kB);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(pileCoordinates.FilaX[k], c.firstX + k * c.step) << "pile " << k + 1;
            EXPECT_EQ(pileCoordinates.FilaY[k], c.firstY) << "pile " << k + 1;
        }
    }
}

// More rows than piles: every pile starts a row of its own, and rows past the four-row
// block read as the area's top (30) instead of outside the block.
TEST_F(LayoutTest, RowsBeyondTheBlockReadTheAreaTop) {
    gameDefinition[255] = 9;
    layOut({"0000", 0, "0000", 0, "2018", 8}, kLarge, kB);
    const int expectedY[] = {193, 299, 405, 30, 30, 30, 30, 30};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(pileCoordinates.FilaX[k], 20) << "pile " << k + 1;
        EXPECT_EQ(pileCoordinates.FilaY[k], expectedY[k]) << "pile " << k + 1;
    }
}

// Row digits the row table does not have ("9", "0", "-") give the area's top; the discard
// layout "016" reads the row above its digit (row 0 for digit 1).
TEST_F(LayoutTest, RowDigitsOutsideTheTableReadTheAreaTop) {
    gameDefinition[7] = 1;
    layOut({"1004", 1, "-000", 0, "9002", 2, "0000", 1, "1016", 1}, kLarge, kB);
    EXPECT_EQ(pileCoordinates.FilaY[0], 30);
    EXPECT_EQ(pileCoordinates.DestY[0], 30);
    EXPECT_EQ(pileCoordinates.AppoggY[0], 30);
    EXPECT_EQ(pileCoordinates.StockY[2], 30 + 96 + 20);
    EXPECT_EQ(pileCoordinates.StockX[2], pileCoordinates.StockX[0]);
}

// With a row other than "002" the forced start changes nothing and the overlap would be
// found again on every repeat: the layout is repeated once and ends.
TEST_F(LayoutTest, AnOverlapThatStaysEndsAfterOneRepeat) {
    // Tableau "001", 4 piles: gap (798-284)/5 -> 20, pile1 = (798-344)/2 = 227, step 91.
    layOut({"0000", 0, "0000", 0, "2001", 4, "2005", 4}, kLarge, kB);
    expectPlaces(row(Group::Tableau, {227, 318, 409, 500}, 146) +
                 row(Group::Reserve, {10, 91, 172, 253}, 146));
}

// Counts beyond the pile tables are cut to them; layouts over "the last piles" with more
// foundations than piles read absent places instead of entries before the table.
TEST_F(LayoutTest, CountsBeyondThePileTablesStayInside) {
    // Tableau "002", 2 piles: pile1 = (798-142-10)/2 = 323, pile2 = 404.
    layOut({"0000", 0, "1007", 4, "2002", 2}, kLarge, kB);
    expectPlaces(row(Group::Foundation, {kStockAbsent, kStockAbsent, 323, 404}, 40));

    fnMarkPilesAbsent();
    layOut({"1005", 40, "1001", 40, "2002", 40, "3005", 40}, kLarge, kL);
    for (int k = 0; k < 26; ++k)
        EXPECT_TRUE(isPresentCoordinate(pileCoordinates.FilaX[k])) << "pile " << k + 1;
    EXPECT_EQ(pileCoordinates.FilaX[26], kTableauAbsent); // the spare entries stay
    EXPECT_TRUE(isPresentCoordinate(pileCoordinates.DestX[15]));
    EXPECT_EQ(pileCoordinates.DestX[16], kFoundationAbsent);
    EXPECT_TRUE(isPresentCoordinate(pileCoordinates.AppoggX[7]));
    EXPECT_EQ(pileCoordinates.AppoggX[8], kReserveAbsent);
    EXPECT_EQ(pileCoordinates.StockX[3], kStockAbsent);
}

// "014" with a single pile left of the margin has no gaps to narrow.
TEST_F(LayoutTest, SinglePileSpreadStartsAtTheMargin) {
    gameDefinition[7] = 1;
    // W = 78: gap (78-71)/2 = 3 -> 4; pile1 = (78-71)/2 = 3, below M = 3+9+15 = 27.
    layOut({"1004", 1, "0000", 0, "2014", 1}, {"tiny", 80, 600, 559, 30, 1024, 768}, kB);
    EXPECT_EQ(pileCoordinates.FilaX[0], 27);
    EXPECT_EQ(pileCoordinates.StockX[0], 27);
}

TEST(LayoutCodeTest, RowDigitThenThreeDigitNumber) {
    EXPECT_EQ(fnLayoutCode(1, 4), "1004");
    EXPECT_EQ(fnLayoutCode(0, 0), "0000");
    EXPECT_EQ(fnLayoutCode(25, 53), "2053"); // the first character of the row word only
    EXPECT_EQ(fnLayoutCode(-1, 7), "-007");
}

} // namespace
} // namespace solitaire
