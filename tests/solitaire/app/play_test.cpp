// Games played through the window's own mouse handling: synthetic presses, drags and double
// clicks on the table, with pictures of the running program for reviewers.

#include "program_fixture.h"

#include "solitaire/app/animation.h"
#include "solitaire/app/preferences.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/rules.h"

#include "platform/app/random.h"

namespace solitaire::testing {
namespace {

int topCard(const std::string& pile) {
    return pile.size() >= 3 ? std::stoi(pile.substr(pile.size() - 3)) : 0;
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

    // The window and the back buffer must show the piles as they are now: each is compared
    // with the whole table drawn afresh from the pile store (the back buffer is put back).
    // Pixels in a frame around each of `framed` places (15 outside to 3 inside: the rounded
    // corners and the thickness edges of the stock and the waste) are not compared.
    void expectTableDrawnAsThePilesAre(const std::string& after,
                                       const std::vector<QRect>& framed = {}) {
        platform::gdi::Bitmap& back = sharedObjects.BackBuffer;
        const platform::gdi::Bitmap kept = back;
        main_->fnPaintConfiguredBackground(Surface::BackBuffer);
        main_->fnDrawTable(Surface::BackBuffer, false);
        const platform::gdi::Bitmap fresh = back;
        back = kept;
        expectSamePixels(kept, 0, fresh, framed, "back buffer after " + after);
        expectSamePixels(main_->frontBuffer(), mainWindow.ScrollBarPosition, fresh, framed,
                         "window after " + after);
    }

private:
    // Row y of the shown bitmap is row y + scroll of the table.
    static void expectSamePixels(const platform::gdi::Bitmap& shown, int scroll,
                                 const platform::gdi::Bitmap& table,
                                 const std::vector<QRect>& framed, const std::string& what) {
        auto inFrame = [&](int x, int y) {
            return std::ranges::any_of(framed, [&](const QRect& place) {
                return place.adjusted(-15, -15, 15, 15).contains(x, y) &&
                       !place.adjusted(3, 3, -3, -3).contains(x, y);
            });
        };
        const int width = std::min(shown.width(), table.width());
        const int height = std::min(shown.height(), table.height() - scroll);
        int differing = 0;
        QPoint first;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (!inFrame(x, y) && shown.pixel(x, y) != table.pixel(x, y + scroll) &&
                    differing++ == 0)
                    first = QPoint(x, y);
        EXPECT_EQ(differing, 0) << what << ": first differing pixel at (" << first.x() << ", "
                                << first.y() << ")";
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

// Only the left and the right button act on the table. The hook of a card animation lets the
// middle button through, so it must find nothing to do there either.
TEST_F(PlayTest, TheMiddleButtonNeitherTurnsTheStockNorPicksUpACard) {
    start(chooseGame("Klondike"));
    main_->mnuAutoPlay->trigger(); // off: nothing moves by itself
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
    int card = 0;
    for (int pile = 0; pile < 8 && card == 0; ++pile)
        if (const int top = topCard(sharedObjects.FilaPiles[pile]); CardRank(top) != 1)
            card = top;
    ASSERT_NE(card, 0);
    const QPoint foundation(fnFoundationX(0) + mainWindow.CardWidth / 2,
                            fnFoundationY(0) + mainWindow.CardHeight / 2);
    drag(centreOf(card), foundation); // only an ace starts a foundation
    EXPECT_TRUE(pilesHold(sharedObjects.FilaPiles, card));
    EXPECT_FALSE(pilesHold(sharedObjects.DestPiles, card));
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    EXPECT_EQ(platform::app::screenCursor(), CursorSlot(11));
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
