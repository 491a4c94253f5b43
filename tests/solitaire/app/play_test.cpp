// Games played through the window's own mouse handling: synthetic presses, drags and double
// clicks on the table, with pictures of the running program for reviewers.

#include "program_fixture.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/preferences.h"
#include "solitaire/engine/automoves.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/rules.h"
#include "solitaire/engine/setup.h"

#include "solitaire/engine/utils.h"

#include "platform/app/random.h"

#include <QTimer>

namespace solitaire::testing {
namespace {

int topCard(const std::string& pile) {
    return pile.size() >= 3 ? std::stoi(pile.substr(pile.size() - 3)) : 0;
}

std::string codeOf(int card) {
    return fnIntZeroPad(card, 3);
}

bool pilesHold(const StringList& piles, int card) {
    for (const std::string& pile : piles)
        for (std::size_t i = 0; i + 3 <= pile.size(); i += 3)
            if (std::stoi(pile.substr(i, 3)) == card)
                return true;
    return false;
}

QPoint centreOf(int card) {
    const std::optional<ClosedRect> rect = fnCardRect(card);
    EXPECT_TRUE(rect) << "card " << card << " cannot be picked up";
    return rect ? QPoint((rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2) : QPoint();
}

// A tableau top card other than an ace (aces go home first) that another tableau pile's top
// takes, and that pile (1-based).
struct TableauMove {
    int card = 0;
    int pile = 0;
};
std::optional<TableauMove> findTableauMove() {
    for (int from = 0; from < 8; ++from)
        for (int to = 0; to < 8; ++to) {
            const int card = topCard(sharedObjects.FilaPiles[from]);
            if (from != to && card != 0 && CardRank(card) != 1 &&
                fnCanDropOnPile(card, "Fila" + std::to_string(to + 1)))
                return TableauMove{card, to + 1};
        }
    return std::nullopt;
}

class PlayTest : public ProgramTest {
protected:
    void drag(const QPoint& from, const QPoint& to) {
        QTest::mousePress(main_, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) // a drag moves in steps
            QTest::mouseMove(main_, from + (to - from) * step / 4);
        QTest::mouseRelease(main_, Qt::LeftButton, {}, to);
    }
    void savePicture(const std::string& name) {
        ASSERT_TRUE(main_->grab().save(QString::fromStdString(testPicturePath(name))));
    }
    // Deals FreeCell games from fixed seeds until one has an ace on top of a tableau pile
    // (autoplay, on by default, would send it home at once) and is also as wanted.
    int dealFreeCellWithAnAceOnTop(const std::function<bool()>& alsoWanted = [] { return true; }) {
        if (mainWindow.AutoPlayChecked)
            main_->mnuAutoPlay->trigger();
        for (std::uint32_t seed = 1; seed < 200; ++seed) {
            platform::app::setRandomSeed(seed);
            main_->mnuNew->trigger();
            for (int pile = 0; pile < 8; ++pile)
                if (const int card = topCard(sharedObjects.FilaPiles[pile]);
                    CardRank(card) == 1 && alsoWanted())
                    return card;
        }
        ADD_FAILURE() << "no deal with an ace on top";
        return 0;
    }

    // Drags a tableau top card other than an ace to the first foundation, which only an ace
    // starts; the card (0 when there is none).
    int dragATopCardOtherThanAnAceToAFoundation() {
        int card = 0;
        for (int pile = 0; pile < 8 && card == 0; ++pile)
            if (const int top = topCard(sharedObjects.FilaPiles[pile]); CardRank(top) != 1)
                card = top;
        if (card != 0)
            drag(centreOf(card), QPoint(fnFoundationX(0) + mainWindow.CardWidth / 2,
                                        fnFoundationY(0) + mainWindow.CardHeight / 2));
        return card;
    }

    // The thickness edges of the stock group's places (0 stock, 1 waste, 2 discard pile), and
    // the lower right corner of each, which a top card's redraw restores from the background
    // over the edge: a fresh drawing draws them otherwise, so they are not compared.
    static std::vector<QRect> stockGroupEdges(std::initializer_list<int> places) {
        const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
        std::vector<QRect> edges;
        for (const int place : places) {
            const QPoint at(fnStockPileX(place), fnStockPileY(place));
            edges.emplace_back(at, card);
            edges.emplace_back(at + QPoint(card.width() - 4, card.height() - 4), QSize(4, 4));
        }
        return edges;
    }

    void clickTheStock() {
        QTest::mouseClick(main_, Qt::LeftButton, {},
                          QPoint(fnStockPileX(0) + mainWindow.CardWidth / 2,
                                 fnStockPileY(0) + mainWindow.CardHeight / 2));
    }

    // The window and the back buffer must show the piles as they are now.
    void expectTableDrawnAsThePilesAre(const std::string& after,
                                       const std::vector<QRect>& framed = {}) {
        EXPECT_EQ(tableDrawingDifference(*main_, framed), "") << "after " << after;
    }
};

TEST_F(PlayTest, FreeCellCardsMoveByDoubleClickAndDrag) {
    start(chooseGame("FreeCell"));
    ASSERT_TRUE(mainWindow.GameRunning);
    ASSERT_EQ(fnReadSettingsField(kSelectedGamePosition, kSelectedGameWidth), "1");
    const int ace = dealFreeCellWithAnAceOnTop();
    ASSERT_NE(ace, 0);

    // Through the window system, which tells a double click from two clicks.
    QTest::mouseMove(main_->windowHandle(), centreOf(ace));
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, centreOf(ace));
    EXPECT_TRUE(pilesHold(sharedObjects.DestPiles, ace)) << "a double click sends the ace home";
    EXPECT_FALSE(pilesHold(sharedObjects.FilaPiles, ace));

    int pile = 0;
    while (sharedObjects.FilaPiles[pile].empty())
        ++pile;
    const int card = topCard(sharedObjects.FilaPiles[pile]);
    const QPoint freeCell(fnReserveX(0) + mainWindow.CardWidth / 2,
                          fnReserveY(0) + mainWindow.CardHeight / 2);
    drag(centreOf(card), freeCell);
    EXPECT_EQ(topCard(sharedObjects.AppoggPiles[0]), card) << "dragged into the free cell";
    EXPECT_FALSE(pilesHold(sharedObjects.FilaPiles, card));
    EXPECT_EQ(engineScalars.DraggedCard, 0) << "the drag ended";
    EXPECT_EQ(platform::app::screenCursor(), CursorSlot(11)) << "the table cursor is back";
    savePicture("zevodadu-freecell.png");

    close();
    const platform::files::IniFile cfg = folder_.preferences();
    EXPECT_EQ(cfg.readString("Preference", "Game", ""), "1");
    EXPECT_EQ(cfg.readString("Preference", "Game_name", ""), "FreeCell");
}

// Each kind of move leaves the moved card drawn at its new place and gone from its old one,
// on the window and in the back buffer that every repaint copies from.
TEST_F(PlayTest, FreeCellMovesAreDrawnWhereThePilesSayTheCardsAre) {
    start(chooseGame("FreeCell"));
    ASSERT_TRUE(mainWindow.GameRunning);
    const int ace = dealFreeCellWithAnAceOnTop([] { return findTableauMove().has_value(); });
    ASSERT_NE(ace, 0);
    expectTableDrawnAsThePilesAre("the deal");

    QTest::mouseMove(main_->windowHandle(), centreOf(ace));
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, centreOf(ace));
    ASSERT_TRUE(pilesHold(sharedObjects.DestPiles, ace));
    expectTableDrawnAsThePilesAre("a double click to a foundation");

    const std::optional<TableauMove> tableauMove = findTableauMove();
    ASSERT_TRUE(tableauMove);
    const int target = tableauMove->pile - 1;
    const QPoint onPile(fnTableauX(target) + mainWindow.CardWidth / 2,
                        centreOf(topCard(sharedObjects.FilaPiles[target])).y());
    drag(centreOf(tableauMove->card), onPile);
    ASSERT_EQ(topCard(sharedObjects.FilaPiles[target]), tableauMove->card);
    expectTableDrawnAsThePilesAre("a drop on a tableau pile");

    int pile = 0;
    while (sharedObjects.FilaPiles[pile].empty())
        ++pile;
    const int card = topCard(sharedObjects.FilaPiles[pile]);
    drag(centreOf(card), QPoint(fnReserveX(1) + mainWindow.CardWidth / 2,
                                fnReserveY(1) + mainWindow.CardHeight / 2));
    ASSERT_EQ(topCard(sharedObjects.AppoggPiles[1]), card);
    expectTableDrawnAsThePilesAre("a drag to a free cell");

    main_->repaint();
    expectTableDrawnAsThePilesAre("a repaint");
    savePicture("zevodadu-freecell-after-moves.png");
}

TEST_F(PlayTest, KlondikeStockTurnsToTheWasteOnAClick) {
    start(chooseGame("Klondike"));
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->mnuAutoPlay->trigger(); // off: the turned card stays on the waste
    ASSERT_FALSE(mainWindow.AutoPlayChecked);
    const std::size_t stockBefore = sharedObjects.MazzoPiles[kStockLine].size();
    ASSERT_GT(stockBefore, 0u);
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2);
    QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
    EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine].size(), stockBefore - 3);
    EXPECT_EQ(sharedObjects.MazzoPiles[kWasteLine].size(), 3u);
    const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
    expectTableDrawnAsThePilesAre("a stock click",
                                  {QRect(QPoint(fnStockPileX(0), fnStockPileY(0)), card),
                                   QRect(QPoint(fnStockPileX(1), fnStockPileY(1)), card)});
    savePicture("zevodadu-klondike.png");
}

// The waste thickens as cards come: its top card is drawn up and left of the place by the
// thickness, where a fresh drawing puts it too.
TEST_F(PlayTest, KlondikeWasteIsDrawnWhereItLiesAfterEveryStockClick) {
    start(chooseGame("Klondike"));
    main_->mnuAutoPlay->trigger(); // off: the turned cards stay on the waste
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2);
    const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
    const std::vector<QRect> edges = {QRect(QPoint(fnStockPileX(0), fnStockPileY(0)), card),
                                      QRect(QPoint(fnStockPileX(1), fnStockPileY(1)), card)};
    for (int click = 1; click <= 8; ++click) {
        QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
        ASSERT_EQ(sharedObjects.MazzoPiles[kWasteLine].size(), 3u * click);
        expectTableDrawnAsThePilesAre("stock click " + std::to_string(click), edges);
    }
}

// Golf turns the stock onto the discard pile, and a click plays a tableau card there: the
// discard pile thickens and its top card is drawn up and left of its place by the
// thickness, where a fresh drawing puts it too.
TEST_F(PlayTest, GolfDiscardPileIsDrawnWhereItLiesAfterStockClicksAndPlays) {
    start(chooseGame("Golf"));
    const std::vector<QRect> edges = stockGroupEdges({0, 2});
    const std::string& discard = sharedObjects.MazzoPiles[kDiscardLine];
    int plays = 0;
    for (int click = 1; click <= 10; ++click) {
        clickTheStock();
        ASSERT_EQ(discard.size(), 3u * (click + 1 + plays));
        expectTableDrawnAsThePilesAre("stock click " + std::to_string(click), edges);
        // Every tableau top card one rank off the discard pile's top is played there.
        for (bool played = true; played;) {
            played = false;
            for (int pile = 0; pile < 7 && !played; ++pile) {
                const int top = topCard(sharedObjects.FilaPiles[pile]);
                if (top == 0 || std::abs(CardRank(top) - CardRank(topCard(discard))) != 1)
                    continue;
                QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(top));
                played = topCard(discard) == top;
                ASSERT_TRUE(played) << "card " << top << " stays on pile " << pile + 1;
                ++plays;
                expectTableDrawnAsThePilesAre("play " + std::to_string(plays), edges);
            }
        }
    }
    EXPECT_GT(plays, 0);
}

// Bristol's stock deals one card onto each reserve pile: the stock thins, its edge and top
// card drawn up and left by its thickness where a fresh drawing puts them, and a card dealt
// onto an emptied reserve shows the table at its rounded corners, not the reserve's mark.
TEST_F(PlayTest, StockDealsOntoTheReservesAreDrawnAsThePilesAre) {
    start(chooseGame("Bristol"));
    ASSERT_TRUE(mainWindow.GameRunning);
    if (mainWindow.AutoPlayChecked)
        main_->mnuAutoPlay->trigger(); // off: the dealt cards stay on the reserves
    std::string& stock = sharedObjects.MazzoPiles[kStockLine];
    for (const int reserve : {1, 2}) { // their cards go under the stock
        stock.insert(0, sharedObjects.AppoggPiles[reserve]);
        sharedObjects.AppoggPiles[reserve].clear();
    }
    main_->RedrawTable();
    const std::vector<QRect> edge = stockGroupEdges({0});
    expectTableDrawnAsThePilesAre("two reserves were emptied", edge);
    for (int click = 1; !stock.empty(); ++click) {
        const std::size_t before = stock.size();
        clickTheStock();
        ASSERT_LT(stock.size(), before) << "click " << click << " dealt nothing";
        expectTableDrawnAsThePilesAre("stock click " + std::to_string(click), edge);
    }
}

// Easthaven's stock deals a card onto every tableau pile: the stock thins by seven cards a
// click, and its top card is drawn up and left of its place by the thickness left, where a
// fresh drawing puts it too, down to the empty stock.
TEST_F(PlayTest, EasthavenStockIsDrawnWhereItLiesAfterEveryDealToThePiles) {
    start(chooseGame("Easthaven"));
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->mnuAutoPlay->trigger(); // off: the dealt cards stay where they are dealt
    ASSERT_FALSE(mainWindow.AutoPlayChecked);
    const std::vector<QRect> edges = stockGroupEdges({0});
    const std::string& stock = sharedObjects.MazzoPiles[kStockLine];
    for (int click = 1; !stock.empty(); ++click) {
        const std::size_t before = stock.size();
        clickTheStock();
        ASSERT_EQ(stock.size(), before - 3 * std::min<std::size_t>(before / 3, 7));
        expectTableDrawnAsThePilesAre("deal " + std::to_string(click), edges);
    }
}

// Agnes Bernauer's stock deals a card onto every reserve, also onto one whose card has been
// played: alone there, the dealt card shows the table at its rounded corners, not the
// empty reserve's base that lay under it.
TEST_F(PlayTest, AgnesBernauerCardDealtOntoAnEmptyReserveShowsTheTableAtItsCorners) {
    start(chooseGame("Agnes Bernauer"));
    ASSERT_TRUE(mainWindow.GameRunning);
    // A deal whose autoplay sent a reserve card home at once.
    auto emptyReserve = [] {
        for (int r = 0; r < 7; ++r)
            if (sharedObjects.AppoggPiles[r].empty())
                return r;
        return -1;
    };
    for (std::uint32_t seed = 1; seed < 100 && emptyReserve() < 0; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
    }
    const int reserve = emptyReserve();
    ASSERT_GE(reserve, 0) << "no deal empties a reserve";
    expectTableDrawnAsThePilesAre("the deal", stockGroupEdges({0}));
    main_->mnuAutoPlay->trigger(); // off: the dealt cards stay where they are dealt
    ASSERT_FALSE(mainWindow.AutoPlayChecked);
    clickTheStock();
    ASSERT_EQ(sharedObjects.AppoggPiles[reserve].size(), 3u) << "reserve " << reserve + 1;
    expectTableDrawnAsThePilesAre("the deal to the reserves", stockGroupEdges({0}));
}

// Piles fanned to the right (Fan by each card's step, Shamrocks by a short fixed one): a top
// card dragged onto another pile lies over the right part of the card under it, and the pile
// it left shows its new top card whole.
class RightwardFanTest : public PlayTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RightwardFanTest, CardsDraggedBetweenFansAreDrawnAsThePilesAre) {
    start(chooseGame(GetParam()));
    if (mainWindow.AutoPlayChecked)
        main_->mnuAutoPlay->trigger();
    int moves = 0;
    for (std::uint32_t seed = 1; seed < 40 && moves < 6; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
        for (int from = 0; from < fnTableauCount() && moves < 6; ++from)
            for (int to = 0; to < fnTableauCount(); ++to) {
                const int card = topCard(sharedObjects.FilaPiles[from]);
                const int onto = topCard(sharedObjects.FilaPiles[to]);
                if (from == to || card == 0 || onto == 0 ||
                    !fnCanDropOnPile(card, "Fila" + std::to_string(to + 1)))
                    continue;
                drag(centreOf(card), centreOf(onto));
                ASSERT_EQ(topCard(sharedObjects.FilaPiles[to]), card) << "seed " << seed;
                ++moves;
                expectTableDrawnAsThePilesAre("seed " + std::to_string(seed) + ": pile " +
                                              std::to_string(from + 1) + " onto " +
                                              std::to_string(to + 1));
                break;
            }
    }
    EXPECT_GT(moves, 0);
}

INSTANTIATE_TEST_SUITE_P(Games, RightwardFanTest, ::testing::Values("Fan", "Shamrocks"),
                         [](const ::testing::TestParamInfo<const char*>& game) {
                             return std::string(game.param);
                         });

// A fan long enough to run over the first cards of the fan to its right lies on top of them:
// the table is laid row by row, so the long fan's tail comes last. Cards lifted from that
// neighbour, dropped onto it, put back on it and a king filling it leave the tail on top.
TEST_F(PlayTest, LongFanStaysOverTheFanToItsRightThroughLiftsAndDrops) {
    start(chooseGame("Fan"));
    ASSERT_TRUE(mainWindow.GameRunning);
    if (mainWindow.AutoPlayChecked)
        main_->mnuAutoPlay->trigger();
    // The first suit is 1-13, the next 14-26. Fila1 holds the first suit's king down to its
    // five; Fila2, its neighbour, starts empty; the next suit's ace to ten lie on the first
    // foundation, its king, queen and jack on top of Fila3 to Fila5. The other cards go three
    // to a pile.
    auto codes = [](std::initializer_list<int> cards) {
        std::string pile;
        for (const int card : cards)
            pile += codeOf(card);
        return pile;
    };
    StringList& fila = sharedObjects.FilaPiles;
    std::ranges::fill(fila, std::string());
    fila[0] = codes({13, 12, 11, 10, 9, 8, 7, 6, 5});
    fila[2] = codes({27, 28, 26});
    fila[3] = codes({29, 30, 25});
    fila[4] = codes({31, 32, 24});
    std::vector<int> rest = {1, 2, 3, 4};
    for (int card = 33; card <= 52; ++card)
        rest.push_back(card);
    for (std::size_t k = 0; k < rest.size(); ++k)
        fila[5 + k / 3] += codeOf(rest[k]);
    std::ranges::fill(sharedObjects.DestPiles, std::string());
    for (int card = 14; card <= 23; ++card)
        sharedObjects.DestPiles[0] += codeOf(card);
    main_->RedrawTable();
    expectTableDrawnAsThePilesAre("the table was laid");

    // Where a pile's top card lies (its base place when empty), from the layout: a card
    // under the tail cannot be found by probing its corner.
    auto topPlace = [](int pile) {
        const std::string name = "Fila" + std::to_string(pile + 1);
        return QPoint(fnPileCardX(name, pile, 0, false), fnPileCardY(name, 0, false));
    };
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    ASSERT_GT(topPlace(0).x() + w, fnTableauX(1)) << "the long fan reaches the next fan";
    ASSERT_EQ(fnTableauY(0), fnTableauY(1));

    constexpr int kFoundation = -1;
    const struct {
        const char* what;
        int from;
        int onto; // a tableau pile or the first foundation
        std::string fila2after;
    } steps[] = {
        {"a king fills the neighbour", 2, 1, codes({26})},
        {"a queen dropped on it", 3, 1, codes({26, 25})},
        {"a jack dropped on it", 4, 1, codes({26, 25, 24})},
        {"the jack put back (Fila6 does not take it)", 1, 5, codes({26, 25, 24})},
        {"the jack lifted to the foundation", 1, kFoundation, codes({26, 25})},
        {"the queen lifted to the foundation", 1, kFoundation, codes({26})},
        {"the king lifted to the foundation", 1, kFoundation, ""},
    };
    for (const auto& step : steps) {
        // Picked up near its right edge, clear of the tail, and let go with its picture on
        // the place.
        const QPoint place = step.onto == kFoundation ? QPoint(fnFoundationX(0), fnFoundationY(0))
                                                      : topPlace(step.onto);
        const QPoint grab(w - 4, h / 2);
        drag(topPlace(step.from) + grab, place + grab);
        ASSERT_EQ(fila[1], step.fila2after) << step.what;
        expectTableDrawnAsThePilesAre(step.what);
        main_->RedrawTable(); // the next step starts from a whole drawing
    }
    ASSERT_EQ(fila[0], codes({13, 12, 11, 10, 9, 8, 7, 6, 5})) << "the long fan stayed";
}

// A click on the empty stock turns the waste back into it: the stock shows a card back, the
// waste its empty place, on the window and in the back buffer.
TEST_F(PlayTest, KlondikeRedealIsDrawnAsThePilesAre) {
    start(chooseGame("Klondike"));
    main_->mnuAutoPlay->trigger(); // off: the turned cards stay on the waste
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2);
    while (!sharedObjects.MazzoPiles[kStockLine].empty())
        QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
    const std::size_t waste = sharedObjects.MazzoPiles[kWasteLine].size();
    QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
    ASSERT_EQ(sharedObjects.MazzoPiles[kStockLine].size(), waste);
    ASSERT_TRUE(sharedObjects.MazzoPiles[kWasteLine].empty());
    const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
    expectTableDrawnAsThePilesAre("a redeal",
                                  {QRect(QPoint(fnStockPileX(0), fnStockPileY(0)), card),
                                   QRect(QPoint(fnStockPileX(1), fnStockPileY(1)), card)});
}

// A click on a face-down top card turns it: the window ends as the table is drawn, the
// raised picture of the turn gone.
TEST_F(PlayTest, KlondikeCardTurnedByAClickIsDrawnAsItLies) {
    start(chooseGame("Klondike"));
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    std::optional<TableauMove> move;
    for (std::uint32_t seed = 1; seed < 200 && !move; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
        move = findTableauMove();
        if (move && sharedObjects.FilaPiles[fnLocateCard(move->card) - 1].size() < 6)
            move.reset(); // the card must leave a face-down card behind
    }
    ASSERT_TRUE(move);
    const int from = fnLocateCard(move->card) - 1;
    const int target = move->pile - 1;
    drag(centreOf(move->card), QPoint(fnTableauX(target) + mainWindow.CardWidth / 2,
                                      centreOf(topCard(sharedObjects.FilaPiles[target])).y()));
    ASSERT_EQ(topCard(sharedObjects.FilaPiles[target]), move->card);
    const int faceDown = topCard(sharedObjects.FilaPiles[from]);
    ASSERT_TRUE(fnIsFaceDown(faceDown));
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(faceDown));
    ASSERT_FALSE(fnIsFaceDown(faceDown));
    const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
    expectTableDrawnAsThePilesAre("a card turned face up",
                                  {QRect(QPoint(fnStockPileX(0), fnStockPileY(0)), card),
                                   QRect(QPoint(fnStockPileX(1), fnStockPileY(1)), card)});
}

// The places of the stock group, whose thickness edges and redrawn corners the comparison
// leaves out.
std::vector<QRect> stockGroupPlaces() {
    const QSize card(mainWindow.CardWidth, mainWindow.CardHeight);
    std::vector<QRect> places;
    for (int place = 0; place < kStockGroupPiles; ++place)
        if (isPresentCoordinate(fnStockPileX(place)))
            places.emplace_back(QPoint(fnStockPileX(place), fnStockPileY(place)), card);
    return places;
}

// Whether the window shows the card's face whole at its place (the corner pixels left out).
bool showsWholeFace(TfrmMain& main, int card) {
    const std::optional<ClosedRect> place = fnCardRect(card);
    if (!place)
        return false;
    const platform::gdi::Bitmap& face = sharedObjects.CardFaces[static_cast<std::size_t>(card - 1)];
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const bool corner = (dx < 2 || dx >= w - 2) && (dy < 2 || dy >= h - 2);
            if (!corner &&
                main.frontBuffer().pixel(place->left + dx, place->top + dy) != face.pixel(dx, dy))
                return false;
        }
    return true;
}

// Elevens keeps its chosen cards in a foundation it does not lay out: a chosen card shows
// highlighted where it lies, and a removed pair's gaps, filled from the stock, leave the stock
// at its new thickness (43 cards lie 7 deep, 41 only 6) and the cards laid just above the
// stock and the discard pile whole.
TEST_F(PlayTest, ElevensChosenCardsAndRefillsAreDrawnAsThePilesAre) {
    start(chooseGame("Elevens"));
    ASSERT_TRUE(mainWindow.GameRunning);
    std::optional<std::pair<int, int>> pair;
    for (std::uint32_t seed = 1; seed < 50 && !pair; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
        for (int i = 0; i < 9 && !pair; ++i)
            for (int j = i + 1; j < 9 && !pair; ++j) {
                const int a = topCard(sharedObjects.FilaPiles[i]);
                const int b = topCard(sharedObjects.FilaPiles[j]);
                if (CardRank(a) + CardRank(b) == 11)
                    pair.emplace(a, b);
            }
    }
    ASSERT_TRUE(pair);
    const std::size_t stock = sharedObjects.MazzoPiles[kStockLine].size();
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(pair->first));
    ASSERT_EQ(sharedObjects.DestPiles[0], codeOf(pair->first));
    expectTableDrawnAsThePilesAre("a card chosen", stockGroupPlaces());
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(pair->second));
    ASSERT_EQ(sharedObjects.MazzoPiles[kStockLine].size(), stock - 6);
    expectTableDrawnAsThePilesAre("a pair removed and its gaps filled", stockGroupPlaces());
    for (const std::string& pile : sharedObjects.FilaPiles) {
        if (const int card = topCard(pile); card != 0) {
            EXPECT_TRUE(showsWholeFace(*main_, card)) << "card " << card;
        }
    }
}

// Nestor's piles are fanned down: a top card chosen and let go again shows as it lay, its
// upper corners over the card beneath.
TEST_F(PlayTest, NestorCardChosenAndLetGoIsDrawnAsItLies) {
    start(chooseGame("Nestor"));
    ASSERT_TRUE(mainWindow.GameRunning);
    const int card = topCard(sharedObjects.FilaPiles[0]);
    const QPoint at = centreOf(card);
    QTest::mouseClick(main_, Qt::LeftButton, {}, at);
    ASSERT_EQ(sharedObjects.DestPiles[0], codeOf(card));
    expectTableDrawnAsThePilesAre("a card chosen", stockGroupPlaces());
    QTest::mouseClick(main_, Qt::LeftButton, {}, at);
    ASSERT_TRUE(sharedObjects.DestPiles[0].empty());
    expectTableDrawnAsThePilesAre("the card let go", stockGroupPlaces());
}

// Pyramid's stock shows its top card up and left of its place by the stock's thickness: chosen
// after a card of the pyramid, it is highlighted there, as a redraw of the table shows it.
TEST_F(PlayTest, PyramidStockCardChosenIsHighlightedWhereItShows) {
    start(chooseGame("Pyramid"));
    ASSERT_TRUE(mainWindow.GameRunning);
    const int stockTop = topCard(sharedObjects.MazzoPiles[kStockLine]);
    int card = 0;
    for (const std::string& row : sharedObjects.FilaPiles)
        for (std::size_t i = 0; i + 3 <= row.size() && card == 0; i += 3) {
            const int c = std::stoi(row.substr(i, 3));
            if (c != 0 && IsRowCardFree(c) && CardRank(c) != 13 &&
                CardRank(c) + CardRank(stockTop) != 13)
                card = c;
        }
    ASSERT_NE(card, 0);
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(card));
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2);
    QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
    ASSERT_EQ(sharedObjects.DestPiles[0], codeOf(card) + codeOf(stockTop));
    expectTableDrawnAsThePilesAre("the stock's top card chosen", stockGroupPlaces());
}

// Only the left and the right button act on the table. The hook of a card animation lets the
// middle button through, so it must find nothing to do there either.
TEST_F(PlayTest, TheMiddleButtonNeitherTurnsTheStockNorPicksUpACard) {
    start(chooseGame("Klondike"));
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    main_->mnuNew->trigger();      // so no ace of the first deal has left the first pile
    const std::size_t stockBefore = sharedObjects.MazzoPiles[kStockLine].size();
    const QPoint stock(fnStockPileX(0) + mainWindow.CardWidth / 2,
                       fnStockPileY(0) + mainWindow.CardHeight / 2);
    const int card = topCard(sharedObjects.FilaPiles[0]);
    ASSERT_NE(card, 0);

    const platform::app::MessageHook saved = platform::app::messageHook();
    platform::app::setMessageHook(InputSwallowHook);
    QTest::mouseClick(main_, Qt::MiddleButton, {}, stock);
    QTest::mousePress(main_, Qt::MiddleButton, {}, centreOf(card));
    platform::app::setMessageHook(saved);
    EXPECT_EQ(engineScalars.DraggedCard, 0) << "the middle button picked the card up";
    QTest::mouseRelease(main_, Qt::MiddleButton, {}, centreOf(card));
    EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine].size(), stockBefore);
    EXPECT_TRUE(sharedObjects.MazzoPiles[kWasteLine].empty());

    // The left button does both; a middle click meanwhile does not end its drag.
    QTest::mousePress(main_, Qt::LeftButton, {}, centreOf(card));
    EXPECT_EQ(engineScalars.DraggedCard, card);
    QTest::mouseClick(main_, Qt::MiddleButton, {}, centreOf(card));
    EXPECT_EQ(engineScalars.DraggedCard, card) << "the middle button's release dropped the card";
    QTest::mouseRelease(main_, Qt::LeftButton, {}, centreOf(card));
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    QTest::mouseClick(main_, Qt::LeftButton, {}, stock);
    EXPECT_EQ(sharedObjects.MazzoPiles[kStockLine].size(), stockBefore - 3);
}

TEST_F(PlayTest, RefusedDropPutsTheCardBackAndTheTableCursorToo) {
    start(chooseGame("FreeCell"));
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    const int card = dragATopCardOtherThanAnAceToAFoundation();
    ASSERT_NE(card, 0);
    EXPECT_TRUE(pilesHold(sharedObjects.FilaPiles, card));
    EXPECT_FALSE(pilesHold(sharedObjects.DestPiles, card));
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    EXPECT_EQ(platform::app::screenCursor(), CursorSlot(11));
}

// Cards lifted from reserves and foundations: what the lifted card covered shows again, and
// nothing else goes from the window or the back buffer.
TEST_F(PlayTest, CardsLiftedFromFannedAndRowReservesLeaveTheRestOfTheTableDrawn) {
    start(chooseGame("FreeCell"));
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    main_->mnuNew->trigger();      // a deal that sent no card home
    const int card = topCard(sharedObjects.FilaPiles[0]);
    const int other = topCard(sharedObjects.FilaPiles[1]);
    auto lift = [&](std::string& from) {
        from += sharedObjects.FilaPiles[0].substr(sharedObjects.FilaPiles[0].size() - 3);
        sharedObjects.FilaPiles[0].resize(sharedObjects.FilaPiles[0].size() - 3);
        from += sharedObjects.FilaPiles[1].substr(sharedObjects.FilaPiles[1].size() - 3);
        sharedObjects.FilaPiles[1].resize(sharedObjects.FilaPiles[1].size() - 3);
    };
    // The last free cell and the last foundation are the piles fanned right (so that they
    // reach into no other pile); the first free cell takes the card.
    const QPoint emptyCell(fnReserveX(0) + mainWindow.CardWidth / 2,
                           fnReserveY(0) + mainWindow.CardHeight / 2);
    struct Case {
        const char* what;
        int reserveFan, foundationFan, reserveVariant;
        bool fromFoundation;
    } const cases[] = {
        {"the top card of a reserve fanned right", 2, 0, 0, false},
        {"the top card of a foundation fanned right", 2, 2, 0, true},
        {"a card of a reserve laid out as a row", 2, 0, -11, false},
    };
    std::string* lastPile = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (lastPile) { // the previous case's cards go back to the tableau
            sharedObjects.FilaPiles[0] += codeOf(card);
            sharedObjects.FilaPiles[1] += codeOf(other);
            lastPile->clear();
            sharedObjects.AppoggPiles[0].clear();
        }
        gameDefinition[5] = static_cast<std::int16_t>(c.reserveFan);
        gameDefinition[4] = static_cast<std::int16_t>(c.foundationFan);
        gameDefinition[12] = static_cast<std::int16_t>(c.reserveVariant);
        gameDefinition[16] = 1; // foundation cards may be taken back
        std::string& pile =
            c.fromFoundation ? sharedObjects.DestPiles[3] : sharedObjects.AppoggPiles[3];
        lastPile = &pile;
        lift(pile); // `card` under `other`
        fnSetFanOffsets();
        main_->RedrawTable();
        expectTableDrawnAsThePilesAre("the cards were laid");
        const std::optional<ClosedRect> top = fnCardRect(other);
        ASSERT_TRUE(top);
        const QPoint on((top->left + top->right) / 2, top->bottom - 10);
        // The rounded corners of the places the card lay on and went to are not compared.
        const std::string name = c.fromFoundation ? "Dest4" : "Appogg4";
        const QSize size(mainWindow.CardWidth, mainWindow.CardHeight);
        const std::vector<QRect> places = {
            QRect(QPoint(fnPileCardX(name, 3, 0, false), fnPileCardY(name, 0, false)), size),
            QRect(QPoint(fnReserveX(0), fnReserveY(0)), size)};
        QTest::mouseClick(main_, Qt::LeftButton, {}, on); // lifted and put back
        expectTableDrawnAsThePilesAre("a click put the card back", places);
        drag(on, emptyCell);
        ASSERT_EQ(topCard(sharedObjects.AppoggPiles[0]), other);
        expectTableDrawnAsThePilesAre("a drag to an empty cell", places);
    }
}

// Every card of Flower Garden's bouquet may be played, so a double click on a covered one
// sends it home as a drag would, and the bouquet is drawn closed up over its place.
TEST_F(PlayTest, FlowerGardenBouquetCardGoesHomeOnADoubleClick) {
    start(chooseGame("Flower Garden"));
    ASSERT_TRUE(mainWindow.GameRunning);
    if (mainWindow.AutoPlayChecked)
        main_->mnuAutoPlay->trigger(); // off: only the double click moves the ace
    const std::string& bouquet = sharedObjects.AppoggPiles[0];
    int ace = 0;
    for (std::uint32_t seed = 1; seed < 100 && ace == 0; ++seed) {
        platform::app::setRandomSeed(seed);
        main_->mnuNew->trigger();
        for (std::size_t i = 0; i + 6 <= bouquet.size(); i += 3) // below the bouquet's top
            if (const int card = std::stoi(bouquet.substr(i, 3)); CardRank(card) == 1)
                ace = card;
    }
    ASSERT_NE(ace, 0) << "no deal with an ace covered in the bouquet";
    // On the strip of the ace that the cards above it leave showing.
    QPoint onItsEdge(fnReserveX(0) + mainWindow.CardWidth / 2, fnReserveY(0));
    while (onItsEdge.y() < main_->height() &&
           fnHitTestTable(onItsEdge.x(), onItsEdge.y()).card != ace)
        onItsEdge.ry() += 1;
    ASSERT_EQ(fnHitTestTable(onItsEdge.x(), onItsEdge.y()).card, ace);
    QTest::mouseMove(main_->windowHandle(), onItsEdge);
    QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, onItsEdge);
    EXPECT_TRUE(pilesHold(sharedObjects.DestPiles, ace)) << "the double click sent the ace home";
    EXPECT_FALSE(pilesHold(sharedObjects.AppoggPiles, ace));
    expectTableDrawnAsThePilesAre("a bouquet card sent home");
    savePicture("zevodadu-flower-garden-double-click.png");
}

// Fan mode 8: a card taken out of a line leaves the line closed up; put back, it takes its
// place again.
TEST_F(PlayTest, ACardTakenOutOfALineLeavesTheLineClosedUp) {
    start(chooseGame("FreeCell"));
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    main_->mnuNew->trigger();
    gameDefinition[3] = 8;
    gameDefinition[262] = 1; // the one tableau pile is the line
    std::string line;
    for (std::string& pile : sharedObjects.FilaPiles) {
        if (line.size() < 3 * 20)
            line += pile;
        pile.clear();
    }
    sharedObjects.FilaPiles[0] = line;
    fnSetFanOffsets();
    main_->RedrawTable();
    ASSERT_GT(fnPileCardY("Fila1", 0, false), fnTableauY(0)) << "more than one line";
    expectTableDrawnAsThePilesAre("the line was laid");
    const int card = std::stoi(line.substr(3 * 4, 3)); // the fifth card
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(card));
    EXPECT_EQ(sharedObjects.FilaPiles[0], line);
    expectTableDrawnAsThePilesAre("a click put the card back");
    const QRect cell(QPoint(fnReserveX(0), fnReserveY(0)),
                     QSize(mainWindow.CardWidth, mainWindow.CardHeight));
    drag(centreOf(card), cell.center());
    ASSERT_EQ(topCard(sharedObjects.AppoggPiles[0]), card);
    expectTableDrawnAsThePilesAre("a card taken out of the line", {cell});
}

// Royal Marriage: a chosen card of the line shows inverted, and stays so when the whole table
// is drawn again. The chosen cards lie in a pile of their own that has no place on the table.
TEST_F(PlayTest, AChosenCardOfTheLineStaysHighlightedThroughAWholeRedraw) {
    start(chooseGame("Royal Marriage"));
    ASSERT_TRUE(mainWindow.GameRunning);
    // The queen of hearts, the five of clubs, the six of diamonds, the seven of hearts: the
    // five waits for the six to be chosen with it.
    constexpr int queenOfHearts = 12, fiveOfClubs = 2 * 13 + 5, sixOfDiamonds = 13 + 6;
    constexpr int sevenOfHearts = 7;
    std::string& stock = sharedObjects.MazzoPiles[kStockLine];
    std::string line = codeOf(queenOfHearts);
    for (const int card : {fiveOfClubs, sixOfDiamonds, sevenOfHearts}) {
        for (std::size_t at = 0; at + 3 <= stock.size(); at += 3)
            if (std::stoi(stock.substr(at, 3)) == card) {
                stock.erase(at, 3);
                break;
            }
        SetCardFaceFlag(card, kFaceUp);
        line += codeOf(card);
    }
    sharedObjects.FilaPiles[0] = line;
    main_->RedrawTable();
    const QSize size(mainWindow.CardWidth, mainWindow.CardHeight);
    const std::vector<QRect> edge = {QRect(QPoint(fnStockPileX(0), fnStockPileY(0)), size)};
    QTest::mouseClick(main_, Qt::LeftButton, {}, centreOf(fiveOfClubs));
    ASSERT_EQ(sharedObjects.DestPiles[0], codeOf(fiveOfClubs)) << "the five is chosen";
    expectTableDrawnAsThePilesAre("the five was chosen", edge);
    const QImage shown = qImage(main_->frontBuffer()).copy();
    main_->RedrawTable();
    EXPECT_EQ(qImage(main_->frontBuffer()), shown) << "a whole redraw lost the highlight";
}

// A plain click lifts a card and puts it back, also after a drag that moved: the click
// drops nothing on a pile that its card overlaps.
TEST_F(PlayTest, AClickAfterADragDropsNothing) {
    start(chooseGame("FreeCell"));
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
    const int card = dragATopCardOtherThanAnAceToAFoundation(); // refused
    ASSERT_NE(card, 0);
    ASSERT_FALSE(pilesHold(sharedObjects.DestPiles, card));
    // An empty free cell over the card's lower right corner.
    const ClosedRect place = *fnCardRect(card);
    fnSetReserveX(0, place.left + 30);
    fnSetReserveY(0, place.top + 40);
    QTest::mouseClick(main_, Qt::LeftButton, {}, QPoint(place.left + 10, place.top + 10));
    EXPECT_TRUE(pilesHold(sharedObjects.FilaPiles, card));
    EXPECT_TRUE(sharedObjects.AppoggPiles[0].empty()) << "a click is no drop";
    EXPECT_EQ(engineScalars.DraggedCard, 0);
}

// The winning move's release ends the game and plays the winning animation; a close
// meanwhile closes the window when the animation stops, and no fill of the game reads the
// freed table afterwards. Real time and the real event loop.
TEST_F(PlayTest, ClosingDuringTheWinningAnimationClosesTheWindowQuietly) {
    clock_.reset();
    start(chooseGame("FreeCell"));
    ASSERT_TRUE(mainWindow.GameRunning);
    main_->mnuAutoPlay->trigger(); // off
    gameDefinition[20] = 1;        // empty tableau piles are filled from the first reserve
    // Every card home but the king of spades, alone on the first tableau pile.
    for (StringList* list : {&sharedObjects.MazzoPiles, &sharedObjects.DestPiles,
                             &sharedObjects.FilaPiles, &sharedObjects.AppoggPiles})
        std::ranges::fill(*list, std::string());
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 1; rank <= (suit == 3 ? 12 : 13); ++rank)
            sharedObjects.DestPiles[static_cast<std::size_t>(suit)] += codeOf(suit * 13 + rank);
    sharedObjects.FilaPiles[0] = codeOf(52);
    main_->RedrawTable();
    const QPoint home(fnFoundationX(3) + mainWindow.CardWidth / 2,
                      fnFoundationY(3) + mainWindow.CardHeight / 2);
    bool closed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (mainWindow.WinAnimationRunning && !closed) {
            closed = true;
            main_->close();
        }
    });
    closer.start(20);
    drag(centreOf(52), home);
    closer.stop();
    EXPECT_TRUE(closed) << "the winning animation ran";
    // The close comes from the event loop once the game's end has run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowGone() || main_->isHidden(); }, 5000))
        << "the close took effect";
    EXPECT_TRUE(boxes_.shown().empty()) << boxes_.shown().front().text;
}

TEST_F(PlayTest, PileSizeHintGoesWhenTheMouseReallyMovesOrAKeyIsTyped) {
    start(chooseGame("FreeCell"));
    const QPoint empty(main_->width() - 20, main_->height() - 20);
    QTest::mouseMove(main_, empty);
    main_->pnlPilesSize->show();
    QTest::mouseMove(main_, empty); // the same place again
    EXPECT_TRUE(main_->pnlPilesSize->isVisible());
    EXPECT_GE(main_->LastMouseMoveTick, 0) << "the idle time counts from this move";
    QTest::mouseMove(main_, empty - QPoint(5, 5));
    EXPECT_FALSE(main_->pnlPilesSize->isVisible());
    main_->pnlPilesSize->show();
    QTest::keyClick(main_, Qt::Key_A);
    EXPECT_FALSE(main_->pnlPilesSize->isVisible());
}

TEST_F(PlayTest, ChooserPicture) {
    start([this](platform::forms::Dialog& dialog) {
        auto* chooser = dynamic_cast<TfrmOpenGame*>(&dialog);
        if (!chooser)
            return platform::forms::ModalResult::Cancel;
        chooser->trvGames->setCurrentItem(
            chooser->trvGames->findItems("Klondike", Qt::MatchExactly | Qt::MatchRecursive).front());
        EXPECT_TRUE(dialog.grab().save(QString::fromStdString(testPicturePath("zevodadu-chooser.png"))));
        return platform::forms::ModalResult::Cancel;
    });
    EXPECT_EQ(dialogsShown(), 1);
}

} // namespace
} // namespace solitaire::testing
