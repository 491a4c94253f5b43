// The drag image over a drawn table: moving it repairs the table exactly, its shadows, the
// redraw of a pile after cards were lifted and the return of cards no pile took.
#include "table_fixture.h"

#include "solitaire/app/table_support.h"
#include "solitaire/engine/geometry.h"

#include "platform/sound/sound.h"

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Bitmap;
using platform::gdi::Color;
using platform::gdi::Rect;

namespace {

int topOf(const std::string& pile) {
    return CodeAt(pile, pile.size() - 3);
}
int positionOfCard(const std::string& pile, int card) {
    return table::positionOf(pile, card);
}

class DragImageTest : public TableFixture {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        loadGame(kFreeCell);
        deal();
        drawTable();
    }

    // Picks the top card of tableau pile i up as the table's mouse handling does.
    void grabTop(int i) {
        const std::string name = "Fila" + std::to_string(i + 1);
        const int card = topOf(sharedObjects.FilaPiles[static_cast<std::size_t>(i)]);
        const int x = fnPileCardX(name, i, 0, false), y = fnPileCardY(name, 0, false);
        engineScalars.DraggedCard = static_cast<std::int16_t>(card);
        mainWindow.DragHeight = mainWindow.CardHeight;
        fnSetDragRects(x, y, x + mainWindow.CardWidth, y + mainWindow.CardHeight);
        fnBuildDragImage();
        dragImage.DragImageX = x;
        dragImage.DragImageY = y;
        LiftCard(card, true);
    }
};

} // namespace

TEST_F(DragImageTest, MovingTheImageOverTheTableAndAwayLeavesTheTableAsItWas) {
    const Bitmap table = window_, backBuffer = sharedObjects.BackBuffer;
    engineScalars.DraggedCard = 17;
    mainWindow.DragHeight = mainWindow.CardHeight;
    fnSetDragRects(700, 450, 700 + mainWindow.CardWidth, 450 + mainWindow.CardHeight);
    fnBuildDragImage();
    dragImage.DragImageX = 700;
    dragImage.DragImageY = 450;
    // Across the piles in steps of every direction, then off the window.
    const std::pair<int, int> path[] = {{650, 400}, {600, 300},  {420, 250}, {300, 260},
                                        {305, 258}, {200, 120},  {60, 150},  {64, 300},
                                        {30, 330},  {-300, -300}};
    for (const auto& [x, y] : path) {
        ASSERT_TRUE(fnMoveDragImage(x, y, false, false));
        if (x >= 0) {
            EXPECT_EQ(window_.pixel(x + 30, y + 40), sharedObjects.DragImage.pixel(30, 40));
        }
    }
    EXPECT_EQ(firstDifference(window_, table), "");
    EXPECT_EQ(firstDifference(sharedObjects.BackBuffer, backBuffer), "");
}

TEST_F(DragImageTest, AMoveOfLessThanAPixelDrawsNothing) {
    dragImage.DragImageX = 300;
    dragImage.DragImageY = 300;
    const Bitmap before = window_;
    EXPECT_FALSE(fnMoveDragImage(300, 300, false, false));
    EXPECT_EQ(window_, before);
}

TEST_F(DragImageTest, PuttingTheImageDownWhereItStandsStillPutsItIntoTheBackBuffer) {
    setField(kCardsShadowedPosition, 1, "Y");
    engineScalars.DraggedCard = 17;
    mainWindow.DragHeight = mainWindow.CardHeight;
    fnSetDragRects(600, 300, 600 + mainWindow.CardWidth, 300 + mainWindow.CardHeight);
    fnBuildDragImage();
    // The window pixels of the image and its shadow that differ from the back buffer.
    const auto differingFromBackBuffer = [](const Bitmap& window) {
        int count = 0;
        for (int y = 310; y < 310 + mainWindow.CardHeight + 9; ++y)
            for (int x = 610; x < 610 + mainWindow.CardWidth + 9; ++x)
                count += window.pixel(x, y) != sharedObjects.BackBuffer.pixel(x, y);
        return count;
    };
    ASSERT_TRUE(fnMoveDragImage(610, 310, false, false)); // as an animation leaves it
    ASSERT_GT(differingFromBackBuffer(window_), 0) << "the image and its shadow show";

    EXPECT_FALSE(fnMoveDragImage(610, 310, true, true));
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(610 + 30, 310 + 40),
              sharedObjects.DragImage.pixel(30, 40));
    EXPECT_EQ(differingFromBackBuffer(window_), 0) << "no shadow stays behind";
}

struct ShadowCase {
    const char* name;
    const char* shadowed;
    int dragHeightExtra; // beyond one card: a run
};

class DragShadowTest : public DragImageTest, public ::testing::WithParamInterface<ShadowCase> {};

TEST_P(DragShadowTest, SingleCardsCastPictureShadowsRunsADottedOneAndNoneWhenOff) {
    const bool on = GetParam().shadowed[0] != 'N';
    setField(kCardsShadowedPosition, 1, GetParam().shadowed);
    mainWindow.ShadowOffset = on ? 9 : 0;
    engineScalars.DraggedCard = 17;
    mainWindow.DragHeight = mainWindow.CardHeight + GetParam().dragHeightExtra;
    fnSetDragRects(600, 300, 600 + mainWindow.CardWidth, 300 + mainWindow.DragHeight);
    fnBuildDragImage();
    dragImage.DragImageX = 600; // the drag starts where the card lies
    dragImage.DragImageY = 300;
    const Bitmap before = window_;
    ASSERT_TRUE(fnMoveDragImage(610, 310, false, false));
    const Rect r = mainWindow.DragTargetRect;
    const int right = r.right, bottom = r.bottom;
    int changedRight = 0;
    for (int x = right; x < right + 9; ++x)
        for (int y = r.top; y < bottom + 9; ++y)
            changedRight += window_.pixel(x, y) != before.pixel(x, y);
    if (!on) {
        EXPECT_EQ(changedRight, 0);
    } else if (GetParam().dragHeightExtra > 0) {
        // Dots every second pixel: (right, top + 7) black, (right, top + 8) untouched.
        EXPECT_EQ(window_.pixel(right, r.top + 7), Color{0});
        EXPECT_EQ(window_.pixel(right, r.top + 8), before.pixel(right, r.top + 8));
        EXPECT_EQ(window_.pixel(r.left + 8, bottom), Color{0});
        EXPECT_EQ(window_.pixel(r.left + 9, bottom), before.pixel(r.left + 9, bottom));
    } else {
        Bitmap expected = before;
        DrawShadowImages(expected, r);
        for (int x = right; x < right + 9; ++x)
            for (int y = r.top + 7; y < bottom + 9; ++y)
                ASSERT_EQ(window_.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
        EXPECT_GT(changedRight, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Shadows, DragShadowTest,
                         ::testing::Values(ShadowCase{"SingleCard", "Y", 0},
                                           ShadowCase{"Run", "Y", 36}, ShadowCase{"Off", "N", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Cards lifted from each kind of pile: the pile's redraw without them, and their return.
struct LiftCase {
    const char* name;
    int game;
    // Puts a card where the case lifts it from and returns it.
    int (*prepare)();
    bool single;
};

int topOfTableau(int i) {
    return topOf(sharedObjects.FilaPiles[static_cast<std::size_t>(i)]);
}
int moveTopOfTableau(int from, StringList& to, int line) {
    const int card = topOfTableau(from);
    fnRemoveCardFromPiles(card);
    AppendCardToPile(to, line, card, kFaceUp);
    return card;
}

const LiftCase kLiftCases[] = {
    {"TableauTop", kFreeCell, [] { return topOfTableau(3); }, true},
    {"TableauRun", kFreeCell,
     [] { return CodeAt(sharedObjects.FilaPiles[1], sharedObjects.FilaPiles[1].size() - 9); },
     false},
    {"Reserve", kFreeCell, [] { return moveTopOfTableau(0, sharedObjects.AppoggPiles, 1); }, true},
    {"Foundation", kFreeCell, [] { return moveTopOfTableau(2, sharedObjects.DestPiles, 0); }, true},
    {"Waste", kKlondike,
     [] {
         const int card = topOf(sharedObjects.MazzoPiles[kStockLine]);
         fnRemoveCardFromPiles(card);
         AppendCardToPile(sharedObjects.MazzoPiles, kWasteLine, card, kFaceUp);
         return card;
     },
     true},
};

// Where a card lies on the table (window coordinates).
platform::gdi::Point placeOfCard(int card) {
    if (positionOfCard(sharedObjects.MazzoPiles[kWasteLine], card) >= 0)
        return table::stockDrawPlace(kWasteLine);
    const std::pair<StringList*, const char*> groups[] = {{&sharedObjects.FilaPiles, "Fila"},
                                                          {&sharedObjects.DestPiles, "Dest"},
                                                          {&sharedObjects.AppoggPiles, "Appogg"}};
    for (const auto& [list, prefix] : groups)
        for (std::size_t i = 0; i < list->size(); ++i) {
            const int k = positionOfCard((*list)[i], card);
            if (k >= 0)
                return table::pileCardPlace(prefix + std::to_string(i + 1), static_cast<int>(i), k,
                                            table::cardCount((*list)[i]));
        }
    ADD_FAILURE() << "card " << card << " is on no pile";
    return {};
}

class LiftTest : public TableFixture, public ::testing::WithParamInterface<LiftCase> {
protected:
    void SetUp() override {
        TableFixture::SetUp();
        loadGame(GetParam().game);
        deal();
        card_ = GetParam().prepare();
        drawTable();
    }

    // Picks the card (and the cards on it) up as the table's mouse handling does.
    void grab() {
        const platform::gdi::Point at = placeOfCard(card_);
        StringList run;
        fnListRunFromCard(run, card_);
        const int cards = GetParam().single ? 1 : static_cast<int>(run.size());
        engineScalars.DraggedCard = static_cast<std::int16_t>(card_);
        mainWindow.DragHeight = mainWindow.CardHeight + (cards - 1) * engineScalars.FanUpY;
        fnSetDragRects(at.x, at.y, at.x + mainWindow.CardWidth, at.y + mainWindow.DragHeight);
        fnBuildDragImage();
        dragImage.DragImageX = at.x;
        dragImage.DragImageY = at.y;
        LiftCard(card_, GetParam().single);
    }

    int card_ = 0;
};

TEST_P(LiftTest, LiftingRedrawsThePileAsIfTheCardsWereGone) {
    grab();
    const Bitmap lifted = sharedObjects.BackBuffer;
    if (GetParam().single)
        fnRemoveCardFromPiles(card_);
    else
        fnCutRunFromPiles(card_);
    drawTable();
    EXPECT_EQ(firstDifference(lifted, sharedObjects.BackBuffer), "");
}

TEST_P(LiftTest, CardsNoPileTookGoBackAndTheTableIsWhole) {
    setField(kSoundsEnabledPosition, 1, "Y");
    setField(kCardDownSoundPosition, 1, "Y");
    const Bitmap table = window_, backBuffer = sharedObjects.BackBuffer;
    for (const char* shadowed : {"Y", "N"})
        for (const char* animate : {"Y", "N"}) {
            setField(kCardsShadowedPosition, 1, shadowed);
            mainWindow.ShadowOffset = shadowed[0] == 'Y' ? 9 : 0;
            setField(kCardsAnimatePosition, 1, animate);
            grab();
            for (const auto& [x, y] : {std::pair{400, 380}, {520, 420}, {610, 200}})
                fnMoveDragImage(x, y, false, false);
            platform::sound::Recorder sounds;
            fnRedrawCardInPile(card_);
            const std::string what = std::string("shadows ") + shadowed + ", gliding " + animate;
            EXPECT_EQ(firstDifference(sharedObjects.BackBuffer, backBuffer), "") << what;
            EXPECT_EQ(firstDifference(window_, table), "") << what;
            // The card-down sound needs the shadows.
            const std::vector<std::string> expected =
                shadowed[0] == 'Y' ? std::vector<std::string>{fnSoundPath("card_down.wav")}
                                   : std::vector<std::string>{};
            EXPECT_EQ(sounds.played(), expected) << what;
        }
}

INSTANTIATE_TEST_SUITE_P(Piles, LiftTest, ::testing::ValuesIn(kLiftCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DragImageTest, StockHintMarksTheStockAndIsTakenAwayAgain) {
    loadGame(kKlondike);
    fnClearGameState(false, true);
    deal();
    drawTable();
    const int x = fnStockPileX(0), y = fnStockPileY(0);
    fnShowStockHint();
    EXPECT_EQ(engineScalars.StockHintShown, 1);
    constexpr int kHintMarker = 3;
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    EXPECT_EQ(window_.pixel(x + w / 2, y + h / 2),
              markerAsDrawn(sharedObjects.MarkerImages[kHintMarker], x, y).pixel(w / 2, h / 2));
    platform::app::TestClock clock;
    fnHideStockHint();
    // The stock still holds cards: its place shows the table again, not an empty-stock mark.
    ASSERT_FALSE(sharedObjects.MazzoPiles[0].empty());
    for (const auto& [px, py] : {std::pair{x + w / 2, y + h / 2}, std::pair{x + 2, y + 2}})
        EXPECT_EQ(window_.pixel(px, py), sharedObjects.BackBuffer.pixel(px, py));
    EXPECT_GE(clock.now(), 50u);
}
