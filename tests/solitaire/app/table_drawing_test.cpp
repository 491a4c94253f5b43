// Drawing dealt tables: what the pixels show where cards, backs, corners and pile bases lie,
// and pictures of dealt tables for reviewers.
#include "table_fixture.h"

#include "solitaire/engine/geometry.h"

#include <cstdlib>
#include <filesystem>
#include <set>

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Bitmap;
using platform::gdi::Color;
using platform::gdi::Rect;

namespace {

// Whether the window shows the picture exactly over the card-sized rectangle at (x, y),
// leaving out the twelve corner pixels.
bool showsPicture(const Bitmap& window, int x, int y, const Bitmap& picture, int height) {
    const int w = mainWindow.CardWidth;
    for (int dy = 0; dy < height; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const bool corner = (dx < 2 || dx >= w - 2) && (dy < 2 || dy >= height - 2);
            if (!corner && window.pixel(x + dx, y + dy) != picture.pixel(dx, dy))
                return false;
        }
    return true;
}

const Bitmap& faceOf(int card) {
    return sharedObjects.CardFaces[static_cast<std::size_t>((card - 1) % 52)];
}

int topOf(const std::string& pile) {
    return CodeAt(pile, pile.size() - 3);
}

} // namespace

TEST_F(TableFixture, DealtKlondikeShowsFacesBacksCornersAndRankMarks) {
    loadGame(kKlondike);
    deal();
    drawTable();
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;

    // Pile 1: one card, face up; its corners show the background.
    const int x0 = fnTableauX(0), y0 = fnTableauY(0);
    const int single = topOf(sharedObjects.FilaPiles[0]);
    EXPECT_TRUE(showsPicture(window_, x0, y0, faceOf(single), h));
    for (const auto p : cornerPixels(w, h))
        EXPECT_EQ(window_.pixel(x0 + p.x, y0 + p.y), fnDefaultGreen()) << p.x << "," << p.y;

    // Pile 7: six backs fanned down under the face-up top card.
    const int x6 = fnTableauX(6), y6 = fnTableauY(6);
    for (int k = 0; k < 6; ++k)
        for (int dy = 2; dy < engineScalars.FanDownY; ++dy)
            EXPECT_EQ(window_.pixel(x6 + w / 2, y6 + k * engineScalars.FanDownY + dy),
                      sharedObjects.CardBackImage.pixel(w / 2, dy));
    EXPECT_TRUE(showsPicture(window_, fnPileCardX("Fila7", 6, 0, false),
                             fnPileCardY("Fila7", 0, false),
                             faceOf(topOf(sharedObjects.FilaPiles[6])), h));

    // The stock holds its 24 cards face down; the empty foundations show the ace mark.
    EXPECT_TRUE(showsPicture(window_, stockDrawOrigins.X[0], stockDrawOrigins.Y[0],
                             sharedObjects.CardBackImage, h));
    constexpr int kAceMark = 6;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(showsPicture(
            window_, fnFoundationX(i), fnFoundationY(i),
            markerAsDrawn(sharedObjects.MarkerImages[kAceMark], fnFoundationX(i), fnFoundationY(i)),
            h))
            << "foundation " << i;
    EXPECT_TRUE(mainWindow.TableDrawn);
    EXPECT_GE(engineScalars.TableHeight, y6 + 6 * engineScalars.FanDownY + h);
}

TEST_F(TableFixture, NothingIsDrawnBeforeThePilesAreReady) {
    loadGame(kKlondike);
    deal();
    mainWindow.TableReady = false;
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    const Bitmap before = sharedObjects.BackBuffer;
    fnDrawTable(Surface::BackBuffer, false);
    EXPECT_EQ(sharedObjects.BackBuffer, before);
    EXPECT_FALSE(mainWindow.TableDrawn);
}

struct BaseCase {
    int baseCode;
    int foundationRule;
    int marker; // expected MarkerImages index
};

class FoundationBaseTest : public TableFixture, public ::testing::WithParamInterface<BaseCase> {};

TEST_P(FoundationBaseTest, EmptyFoundationShowsItsRankMarkOrThePlainMarker) {
    loadGame(kKlondike);
    gameDefinition[36 + 2] = static_cast<std::int16_t>(GetParam().baseCode);
    gameDefinition[68 + 2] = static_cast<std::int16_t>(GetParam().foundationRule);
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    fnFlipBackBuffer(window_);
    fnDrawPileBase(kFoundationBase, 100, 50, Surface::Window, 2);
    EXPECT_TRUE(showsPicture(
        window_, 100, 50,
        markerAsDrawn(sharedObjects.MarkerImages[static_cast<std::size_t>(GetParam().marker)], 100,
                      50),
        mainWindow.CardHeight));
}

INSTANTIATE_TEST_SUITE_P(Marks, FoundationBaseTest,
                         ::testing::Values(BaseCase{1, 0, 6}, BaseCase{85, 0, 6},
                                           BaseCase{7, 0, 12}, BaseCase{11, 0, 16},
                                           BaseCase{13, 0, 18}, BaseCase{84, 0, 18},
                                           BaseCase{5, 10, 17}, // rule 10 shows the queen
                                           BaseCase{0, 0, 5}, BaseCase{-1, 0, 5}),
                         [](const auto& info) {
                             const BaseCase& c = info.param;
                             return "Base" + std::string(c.baseCode < 0 ? "Minus" : "") +
                                    std::to_string(std::abs(c.baseCode)) + "Rule" +
                                    std::to_string(c.foundationRule);
                         });

// An empty pile's frame belongs to the table it lies on: its corners show the background, its
// slot is a darker shade of what lies beneath and follows a picture's pattern, its lines
// stand out from it, on a blue, a pale, a picture and the default table alike.
TEST_F(TableFixture, EmptyPileFramesTakeTheirColoursFromTheTableBeneath) {
    struct Table {
        const char* name;
        const char* defaultGreen;
        const char* picture;
        const char* fixedColour;
    };
    const Table tables[] = {{"blue", "N", "0", "16711680"},
                            {"pale", "N", "0", "11534335"},
                            {"brick picture", "N", "304", "0"},
                            {"default green", "Y", "0", "0"}};
    auto luminance = [](Color c) {
        return (299 * platform::gdi::redOf(c) + 587 * platform::gdi::greenOf(c) +
                114 * platform::gdi::blueOf(c)) /
               1000;
    };
    loadGame(kKlondike);
    setField(kFadeBackgroundPosition, 1, "N");
    setField(kCustomizedBackgroundPosition, 1, "N");
    setField(kBackgroundColourPosition, 15, "0");
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    for (const Table& table : tables) {
        SCOPED_TRACE(table.name);
        setField(kBackgroundDefaultPosition, 1, table.defaultGreen);
        setField(kBackgroundPicturePosition, 4, table.picture);
        setField(kBackgroundFixedColourPosition, 15, table.fixedColour);
        fnPaintConfiguredBackground(sharedObjects.BackBuffer);
        fnFlipBackBuffer(window_);
        // The framed base of a tableau pile that takes any card (Klondike's first pile takes
        // kings) and the ace mark of a foundation.
        gameDefinition[100 + 2] = 0;
        struct Base {
            int kind, index;
            std::size_t marker;
        };
        for (const Base base : {Base{kTableauBase, 2, 0}, Base{kFoundationBase, 0, 6}}) {
            const int x = 150 + 100 * base.index, y = 200;
            fnDrawPileBase(base.kind, x, y, Surface::Window, base.index);
            const Bitmap& marker = sharedObjects.MarkerImages[base.marker];
            std::set<Color> slotShades, tablesBeneath;
            int lines = 0, lighter = 0, contrast = 0;
            for (int dy = 0; dy < h; ++dy)
                for (int dx = 0; dx < w; ++dx) {
                    const Color ink = marker.pixel(dx, dy);
                    const Color shown = window_.pixel(x + dx, y + dy);
                    const Color beneath = sharedObjects.BackgroundCopy.pixel(x + dx, y + dy);
                    if (ink == kMarkerTableInk) {
                        ASSERT_EQ(shown, beneath) << dx << "," << dy;
                    } else if (ink == kMarkerSlotInk) {
                        ASSERT_LE(luminance(shown), luminance(beneath)) << dx << "," << dy;
                        ASSERT_GE(luminance(shown), luminance(beneath) / 2) << dx << "," << dy;
                        slotShades.insert(shown);
                        tablesBeneath.insert(beneath);
                    } else if (ink == kMarkerLineInk) {
                        ++lines;
                        lighter += luminance(shown) > luminance(beneath);
                        contrast += std::abs(luminance(shown) - luminance(beneath));
                    }
                }
            ASSERT_GT(lines, 2 * (w + h) - 8);
            // All lines lighter than the table or all darker, so that they stay whole, and
            // well apart from it.
            EXPECT_TRUE(lighter == 0 || lighter == lines) << lighter << " of " << lines;
            EXPECT_GE(contrast / lines, 50);
            // Where the table has a pattern, the slot shows it.
            EXPECT_EQ(slotShades.size() > 1, tablesBeneath.size() > 1);
        }
    }
}

TEST_F(TableFixture, ACardWithShadowKeepsTheBackgroundLowerLeftAndGreyLowerRight) {
    loadGame(kKlondike);
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    fnFlipBackBuffer(window_);
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    fnDrawCard(5, 200, 100, true, Surface::Window, 0);
    for (const auto p : {platform::gdi::Point{w - 1, h - 1}, {w - 2, h - 1}, {w - 1, h - 2}})
        EXPECT_EQ(window_.pixel(200 + p.x, 100 + p.y), Color{0xC0C0C0});
    for (const auto p :
         {platform::gdi::Point{0, h - 1}, {1, h - 1}, {0, h - 2}, {0, 0}, {w - 1, 0}})
        EXPECT_EQ(window_.pixel(200 + p.x, 100 + p.y), fnDefaultGreen());
    // Into the back buffer the card goes at its table row: window row + scroll position.
    mainWindow.ScrollBarPosition = 40;
    fnDrawCard(5, 200, 100, false, Surface::BackBuffer, 0);
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(200 + w / 2, 140 + h / 2),
              faceOf(5).pixel(w / 2, h / 2));
}

TEST_F(TableFixture, SelectionIsInvertedOnTheBackBufferWithItsCornersLeftAlone) {
    loadGame(kFreeCell);
    deal();
    drawTable();
    const int x = fnTableauX(2), y = fnPileCardY("Fila3", 0, false);
    const Rect card = Rect::fromSize(x, y, mainWindow.CardWidth, mainWindow.CardHeight);
    const Color middle = sharedObjects.BackBuffer.pixel(x + 30, y + 40);
    // The top card's corner shows the card beneath, which the highlight leaves alone.
    const Color corner = sharedObjects.BackBuffer.pixel(x, y);
    ASSERT_NE(corner, fnDefaultGreen());
    fnInvertCardRect(Surface::BackBuffer, false, card);
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(x + 30, y + 40), (middle ^ 0xFFFFFFu));
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(x, y), corner);
    fnInvertCardRect(Surface::BackBuffer, false, card);
    EXPECT_EQ(sharedObjects.BackBuffer.pixel(x + 30, y + 40), middle);
}

// The top card of a fanned pile lies over the card beneath: inverted twice, the highlight
// given and taken back, it shows as it was drawn, its upper corners over that card.
TEST_F(TableFixture, SelectionTakenBackLeavesACardOverAnotherAsItWasDrawn) {
    loadGame(kFreeCell);
    deal();
    drawTable();
    const int n = static_cast<int>(sharedObjects.FilaPiles[2].size() / 3);
    const Rect card = Rect::fromSize(fnTableauX(2), fnPileCardY("Fila3", 0, false),
                                     mainWindow.CardWidth, mainWindow.CardHeight);
    ASSERT_GT(n, 1);
    const Bitmap back = sharedObjects.BackBuffer, window = window_;
    for (int twice = 0; twice < 2; ++twice) {
        fnInvertCardRect(Surface::Window, true, card);
        fnInvertCardRect(Surface::BackBuffer, false, card);
    }
    EXPECT_EQ(firstDifference(sharedObjects.BackBuffer, back), "");
    EXPECT_EQ(firstDifference(window_, window), "");
}

// A card removed from a pyramid row leaves an empty slot that draws nothing: the card of the
// row above that it overlapped shows whole, also where the removed card's corners lay.
TEST_F(TableFixture, AnEmptiedSlotOfAPyramidRowLeavesTheCardItOverlappedWhole) {
    constexpr int kPyramid = 240;
    loadGame(kPyramid);
    deal();
    std::string& bottomRow = sharedObjects.FilaPiles[6];
    const int removed = CodeAt(bottomRow, 0);
    const int above = CodeAt(sharedObjects.FilaPiles[5], 0);
    const std::optional<ClosedRect> slot = fnCardRect(removed);
    const std::optional<ClosedRect> under = fnCardRect(above);
    ASSERT_TRUE(slot && under);
    bottomRow.replace(0, 3, "000");
    drawTable();
    // The removed card's upper right corner and its two neighbours.
    const int r = slot->left + mainWindow.CardWidth - 1, t = slot->top;
    for (const auto& [x, y] : {std::pair{r, t}, {r - 1, t}, {r, t + 1}}) {
        SCOPED_TRACE(::testing::Message() << x << "," << y);
        EXPECT_EQ(window_.pixel(x, y), faceOf(above).pixel(x - under->left, y - under->top));
    }
}

TEST_F(TableFixture, UntidyPilesShowTheirCardsShiftedSideways) {
    loadGame(kFreeCell);
    deal();
    platform::app::setRandomSeed(3);
    MakeRandomOffsetRows();
    for (const char* untidy : {"Y", "N"}) {
        setField(179, 1, untidy);
        drawTable();
        int shifted = 0;
        for (int i = 0; i < 8; ++i) {
            const std::string name = "Fila" + std::to_string(i + 1);
            const std::string& pile = sharedObjects.FilaPiles[i];
            const int n = static_cast<int>(pile.size() / 3);
            for (int depth = 0; depth < n; ++depth) {
                const int cx = fnPileCardX(name, i, depth, false);
                shifted += cx != fnTableauX(i);
                // The band of each covered card that stays in view shows that card.
                if (depth > 0) {
                    EXPECT_TRUE(showsPicture(window_, cx, fnPileCardY(name, depth, false),
                                             faceOf(CodeAt(pile, 3 * (n - 1 - depth))),
                                             engineScalars.FanUpY))
                        << name << " depth " << depth;
                }
            }
            const int x = fnPileCardX(name, i, 0, false), y = fnPileCardY(name, 0, false);
            EXPECT_TRUE(showsPicture(window_, x, y, faceOf(topOf(sharedObjects.FilaPiles[i])),
                                     mainWindow.CardHeight))
                << name << " untidy " << untidy;
        }
        EXPECT_EQ(shifted > 0, untidy[0] == 'Y');
    }
}

TEST_F(TableFixture, RedrawTableLaysTheTableOutAgainAndShowsIt) {
    loadGame(kKlondike);
    deal();
    drawTable();
    const Bitmap drawn = window_;
    const int x = fnTableauX(3);
    fnSetTableauX(3, x + 50); // a stale layout
    window_.fillRect(window_.rect(), 0);
    RedrawTable();
    EXPECT_EQ(fnTableauX(3), x);
    EXPECT_EQ(firstDifference(window_, drawn), "");
}

TEST_F(TableFixture, SelectionGamesShowTheSelectedCardsInverted) {
    loadGame(kFreeCell);
    deal();
    drawTable();
    const int card = topOf(sharedObjects.FilaPiles[4]);
    const int x = fnPileCardX("Fila5", 4, 0, false), y = fnPileCardY("Fila5", 0, false);
    // The selection: foundation 1, which selection games keep off the table.
    sharedObjects.DestPiles[0] = fnIntZeroPad(card, 3);
    fnSetFoundationX(0, kAbsentPile - 1);
    fnSetFoundationY(0, kAbsentPile - 1);
    const Color middle = window_.pixel(x + 30, y + 40);
    const Color corner = window_.pixel(x, y); // the card beneath shows there
    struct Case {
        int kindWord;      // game word 35
        int selectionWord; // game word 30
        bool inverted;
    };
    for (const Case c : {Case{0, 0, false}, Case{3, 0, true}, Case{4, 0, true}, Case{0, 1, true}}) {
        gameDefinition[35] = static_cast<std::int16_t>(c.kindWord);
        gameDefinition[30] = static_cast<std::int16_t>(c.selectionWord);
        drawTable();
        DrawSelection(Surface::BackBuffer, false);
        DrawSelection(Surface::Window, true);
        const Color expected = c.inverted ? (middle ^ 0xFFFFFFu) : middle;
        EXPECT_EQ(window_.pixel(x + 30, y + 40), expected) << c.kindWord << "/" << c.selectionWord;
        EXPECT_EQ(sharedObjects.BackBuffer.pixel(x + 30, y + 40), expected);
        if (c.inverted) {
            EXPECT_EQ(window_.pixel(x, y), corner); // the corners are left as the table shows them
        }
    }
}

TEST_F(TableFixture, TheStockShowsItsThicknessBelowAndRightOfItsTopCard) {
    loadGame(kKlondike);
    deal();
    const std::string full = sharedObjects.MazzoPiles[kStockLine];
    const int x = fnStockPileX(0), y = fnStockPileY(0);
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    // Cards in the stock and how far the top card stands up and left of the base place.
    for (const auto& [cards, depth] :
         {std::pair{1, 0}, {2, 1}, {3, 1}, {6, 1}, {7, 2}, {13, 2}, {14, 3}, {24, 4}}) {
        sharedObjects.MazzoPiles[kStockLine] = full.substr(0, 3 * static_cast<std::size_t>(cards));
        drawTable();
        EXPECT_EQ(stockDrawOrigins.X[0], x - depth) << cards;
        EXPECT_EQ(stockDrawOrigins.Y[0], y - depth) << cards;
        EXPECT_TRUE(showsPicture(window_, x - depth, y - depth, sharedObjects.CardBackImage, h));
        // Below a raised top card the edge fills the base place's bottom row.
        const platform::gdi::Color bottomRow = window_.pixel(x + w / 2, y + h - 1);
        if (depth > 0)
            EXPECT_NE(bottomRow, fnDefaultGreen()) << cards;
        else
            EXPECT_EQ(bottomRow, sharedObjects.CardBackImage.pixel(w / 2, h - 1));
    }
}

TEST_F(TableFixture, SavesPicturesOfDealtTablesAtEachCardSize) {
    const std::filesystem::path out = std::getenv("ZV_TEST_OUTPUT_DIR");
    std::filesystem::create_directories(out);
    for (const auto& [game, name] : {std::pair{kFreeCell, "freecell"}, {kKlondike, "klondike"}})
        for (const char* size : {"B", "M", "L"}) {
            fnClearGameState(false, true);
            setCardSize(size);
            loadGame(game);
            deal();
            // A card on a foundation and one on the waste, so their pictures show too.
            if (game == kKlondike) {
                const int card = topOf(sharedObjects.MazzoPiles[kStockLine]);
                fnRemoveCardFromPiles(card);
                AppendCardToPile(sharedObjects.MazzoPiles, kWasteLine, card, kFaceUp);
            }
            drawTable();
            const std::string file = "solitaire_table_" + std::string(name) + "_" + size + ".png";
            ASSERT_TRUE(window_.save((out / file).string())) << file;
        }
}

// A covered card of a fanned pile shows only the strip up to the next card: at every fan step
// of the large and medium cards that strip carries the card's rank and suit. Read through the
// table drawing, the strips of the 52 cards are told apart by marks, not by chance pixels:
// - every two suits are told apart by a mark, pixels that are ink in the strips of all 13
//   cards of one and paper in those of the other, and every two ranks by a mark in the strips
//   of their four cards;
// - no two strips look alike: each differs from every other in at least a few clearly
//   different pixels (a heart and a diamond of one rank differ in the suit sign alone).
// The short fixed sideways step of size M (5 pixels) and every step of size L (3 pixels)
// leave no room for a rank and are not asked.
struct FanCase {
    const char* name;
    int game;
    const char* size;
    const char* deck;
    bool vertical;
};

class FannedStripTest : public TableFixture, public ::testing::WithParamInterface<FanCase> {};

TEST_P(FannedStripTest, EveryCoveredCardShowsItsRankAndSuit) {
    const FanCase& fan = GetParam();
    setField(kDeckPosition, 3, fan.deck);
    setCardSize(fan.size);
    loadGame(fan.game);
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    std::vector<Bitmap> strips(52);
    for (int suit = 0; suit < 4; ++suit) {
        // The 13 cards of the suit in pile 1 with one more card over the king, nothing else on
        // the table.
        fnClearGameState(false, true);
        for (int rank = 0; rank < 13; ++rank)
            AppendCardToPile(sharedObjects.FilaPiles, 0, suit * 13 + rank + 1, kFaceUp);
        AppendCardToPile(sharedObjects.FilaPiles, 0, (suit * 13 + 13) % 52 + 1, kFaceUp);
        mainWindow.TableReady = true;
        drawTable();
        for (int rank = 0; rank < 13; ++rank) {
            const int depth = 13 - rank; // from the top card
            const int x = fnPileCardX("Fila1", 0, depth, false);
            const int y = fnPileCardY("Fila1", depth, false);
            const int nx = fnPileCardX("Fila1", 0, depth - 1, false);
            const int ny = fnPileCardY("Fila1", depth - 1, false);
            const Rect strip =
                fan.vertical ? Rect::fromSize(x, y, w, ny - y) : Rect::fromSize(x, y, nx - x, h);
            ASSERT_GT(strip.width(), 0);
            ASSERT_GT(strip.height(), 0);
            ASSERT_LT(fan.vertical ? strip.height() : strip.width(), fan.vertical ? h : w);
            Bitmap& shown = strips[static_cast<std::size_t>(suit * 13 + rank)];
            shown = Bitmap(strip.width(), strip.height());
            shown.copyFrom({0, 0}, window_, strip);
        }
    }
    const char* const suits = "HDCS";
    auto cardName = [&](std::size_t card) {
        return std::to_string(card % 13 + 1) + suits[card / 13];
    };

    // Ink: the pixels of a strip that are not paper.
    const int sw = strips[0].width(), sh = strips[0].height();
    using Mask = std::vector<bool>;
    auto inkOf = [&](const Bitmap& strip) {
        Mask ink(static_cast<std::size_t>(sw * sh));
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                const Color c = strip.pixel(x, y);
                ink[static_cast<std::size_t>(y * sw + x)] =
                    std::min({platform::gdi::redOf(c), platform::gdi::greenOf(c),
                              platform::gdi::blueOf(c)}) < 160;
            }
        return ink;
    };
    // What a group of cards shows alike: each pixel where the strips of all of them are ink
    // (1) or all paper (0), else -1.
    auto alike = [&](const std::vector<std::size_t>& cards) {
        std::vector<int> shared(static_cast<std::size_t>(sw * sh), -2);
        for (const std::size_t card : cards) {
            const Mask ink = inkOf(strips[card]);
            for (std::size_t i = 0; i < shared.size(); ++i)
                shared[i] = shared[i] == -2 || shared[i] == int(ink[i]) ? int(ink[i]) : -1;
        }
        return shared;
    };
    // Two groups are told apart by a mark where each shows alike, ink in one and paper in
    // the other.
    auto markApart = [](const std::vector<int>& a, const std::vector<int>& b) {
        long n = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            n += a[i] >= 0 && b[i] >= 0 && a[i] != b[i];
        return n;
    };
    std::vector<std::vector<int>> bySuit, byRank;
    for (std::size_t suit = 0; suit < 4; ++suit) {
        std::vector<std::size_t> cards;
        for (std::size_t rank = 0; rank < 13; ++rank)
            cards.push_back(suit * 13 + rank);
        bySuit.push_back(alike(cards));
    }
    for (std::size_t rank = 0; rank < 13; ++rank)
        byRank.push_back(alike({rank, 13 + rank, 26 + rank, 39 + rank}));
    for (std::size_t a = 0; a < 4; ++a)
        for (std::size_t b = a + 1; b < 4; ++b)
            EXPECT_GE(markApart(bySuit[a], bySuit[b]), 3)
                << "no mark tells the suits " << suits[a] << " and " << suits[b] << " apart";
    for (std::size_t a = 0; a < 13; ++a)
        for (std::size_t b = a + 1; b < 13; ++b)
            EXPECT_GE(markApart(byRank[a], byRank[b]), 3)
                << "no mark tells the ranks " << a + 1 << " and " << b + 1 << " apart";

    auto clearlyDifferent = [](Color a, Color b) {
        return std::abs(platform::gdi::redOf(a) - platform::gdi::redOf(b)) +
                   std::abs(platform::gdi::greenOf(a) - platform::gdi::greenOf(b)) +
                   std::abs(platform::gdi::blueOf(a) - platform::gdi::blueOf(b)) >
               200;
    };
    for (std::size_t a = 0; a < strips.size(); ++a)
        for (std::size_t b = a + 1; b < strips.size(); ++b) {
            int differing = 0;
            for (int y = 0; y < sh; ++y)
                for (int x = 0; x < sw; ++x)
                    differing += clearlyDifferent(strips[a].pixel(x, y), strips[b].pixel(x, y));
            EXPECT_GE(differing, 4) << cardName(a) << " and " << cardName(b) << " look alike";
        }
}

constexpr int kFan = 220, kShamrocks = 221;
INSTANTIATE_TEST_SUITE_P(
    Steps, FannedStripTest,
    ::testing::Values(FanCase{"LargeDown", kKlondike, "B", "001", true},
                      FanCase{"LargeRight", kFan, "B", "001", false},
                      FanCase{"LargeRightFixedStep", kShamrocks, "B", "001", false},
                      FanCase{"MediumDown", kKlondike, "M", "001", true},
                      FanCase{"MediumRight", kFan, "M", "001", false},
                      FanCase{"LargeDownSecondDeck", kKlondike, "B", "003", true},
                      FanCase{"LargeRightSecondDeck", kFan, "B", "003", false},
                      FanCase{"LargeRightFixedStepSecondDeck", kShamrocks, "B", "003", false},
                      FanCase{"MediumDownSecondDeck", kKlondike, "M", "003", true},
                      FanCase{"MediumRightSecondDeck", kFan, "M", "003", false}),
    [](const auto& info) { return std::string(info.param.name); });
