// The catalogue check: every game of the built GAMES.DAT, one test case each, started in the
// program offscreen on a screen of the size the game needs (800 x 600 unless its rules page
// asks for more) and
// - shown in the chooser's preview as a whole: the preview's picture is its table, shrunk;
// - dealt for 100 game numbers: every card in play lies on the table once, the table fits
//   and the stock group's thickness edges cover no other pile;
// - played by a player who picks random legal moves through the window's mouse handling
//   (drags, stock clicks, double clicks, taking back the last step): after every action every
//   card is there once, the score is what the table earns, the history's step for the action
//   holds the table as it was before, and the window and back buffer show the table as a
//   fresh drawing does;
// - tried by the automated player on its first game numbers, which must win some.
// Each case leaves its row of the catalogue table in the build folder; scripts/test.sh prints
// the table. One game: ctest -R 'CatalogueCheck.*/id_2 ' (the space ends the id: the names go
// on with the game's name); ZV_CATALOGUE_TRIES=n tries n numbers, ZV_CATALOGUE_BUDGET=n lets
// the automated player try n actions on each.

#include "catalogue_player.h"
#include "catalogue_table.h"

#include "../app/program_fixture.h"

#include "tools/previews/preview_table.h"

#include "solitaire/app/game_chooser.h"
#include "solitaire/app/preferences.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/geometry.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/score.h"

#include "platform/app/random.h"

#include <QTreeWidget>

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <random>
#include <sstream>

namespace solitaire::catalogue {

// How gtest names a case's game in its messages.
void PrintTo(const CatalogueGame& game, std::ostream* out) {
    *out << game.id << " " << game.name;
}

namespace {

using testing::ProgramTest;
using testing::tableDrawingDifference;

#ifdef ZV_SANITIZED_BUILD
// Smaller, for memory faults: the search runs, but its small budget is no measure of whether
// a game can be won, which the normal build asks.
constexpr int kRandomDeals = 2, kActionsPerDeal = 60;
constexpr int kSearchTries = 2, kSearchBudget = 3000;
constexpr bool kWinRequired = false;
#else
constexpr int kRandomDeals = 5, kActionsPerDeal = 100;
constexpr int kSearchTries = 10, kSearchBudget = 20000;
constexpr bool kWinRequired = true;
#endif
// How many times the first numbers a game that won none of them is searched further.
constexpr int kWinnableTries = 3;
constexpr int kDealtNumbers = 100;
// Seeds of the program's random generator, which draws the game numbers: the deal check
// takes 1..100, the random player its own, the automated player 1.. again.
constexpr std::uint32_t kRandomPlaySeeds = 5000;

// A positive number in the environment variable, else the fallback.
int positiveFromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}
int searchTries() {
    return positiveFromEnvironment("ZV_CATALOGUE_TRIES", kSearchTries);
}
// Actions the automated player may try on one game number.
int searchBudget() {
    return positiveFromEnvironment("ZV_CATALOGUE_BUDGET", kSearchBudget);
}

const std::vector<CatalogueGame>& games() {
    static const std::vector<CatalogueGame> read = readCatalogue(ZV_CATALOGUE_FILE);
    return read;
}

std::string rulesPage(int id) {
    return std::string(ZV_CATALOGUE_HELP_DIR) + "/" + std::to_string(3000 + id) + ".html";
}

// One row of the catalogue table; each column starts as "-" (not reached).
struct Row {
    std::string dealt = "-", fits = "-", randomPlay = "-", redrawEqual = "-", undoEqual = "-",
                won = "-";
};

// Counts the actions a check held for and keeps the first failure's text.
struct Tally {
    int failed = 0;
    std::string first;
    void fail(const std::string& what) {
        if (failed++ == 0)
            first = what;
    }
    std::string column(int checked) const {
        return failed == 0 ? "yes" : std::to_string(failed) + "/" + std::to_string(checked) + " no";
    }
};

class CatalogueCheck : public ProgramTest, public ::testing::WithParamInterface<CatalogueGame> {
protected:
    CatalogueCheck()
        : ProgramTest(previews::statedTableSize(rulesPage(GetParam().id)).width,
                      previews::statedTableSize(rulesPage(GetParam().id)).height) {}

    void TearDown() override { writeRow(); }

    // The chooser's answer: the game of this id, then OK; later choosers are cancelled.
    platform::forms::ModalResult chooseTheGame(platform::forms::Dialog& dialog) {
        auto* chooser = dynamic_cast<TfrmOpenGame*>(&dialog);
        if (!chooser || chosen_)
            return platform::forms::ModalResult::Cancel;
        const QString name = QString::fromStdString(GetParam().name);
        for (QTreeWidgetItem* item :
             chooser->trvGames->findItems(name, Qt::MatchExactly | Qt::MatchRecursive))
            if (item->data(0, Qt::UserRole).toInt() == GetParam().id) {
                chooser->trvGames->setCurrentItem(item);
                chosen_ = true;
                QTest::mouseClick(chooser->btnOK, Qt::LeftButton);
                return platform::forms::ModalResult::Ok;
            }
        ADD_FAILURE() << "the chooser does not offer " << GetParam().name;
        return platform::forms::ModalResult::Cancel;
    }

    // A new game through the engine, its game number drawn after the seed, nothing drawn.
    static void dealQuietly(std::uint32_t seed) {
        SilentPresentation silent;
        Presentation& shown = presentation();
        setPresentation(&silent);
        platform::app::setRandomSeed(seed);
        fnStartNewGame(true, false, 0, true);
        setPresentation(&shown);
    }

    // Calls place(pile, depth, x, y) for every laid-out place and every card of the table:
    // each card of a pile (depth 0 the top card), the place of an empty one.
    template <typename Place> static void forEachCardPlace(Place place) {
        auto pileCards = [&](const std::string& pile, int index, const std::string& cards) {
            const int count = std::max<int>(static_cast<int>(cards.size() / 3), 1);
            for (int depth = 0; depth < count; ++depth) {
                const int x = fnPileCardX(pile, index, depth, false);
                const int y = fnPileCardY(pile, depth, false);
                if (isPresentCoordinate(x) && isPresentCoordinate(y))
                    place(pile, depth, x, y);
            }
        };
        pileCards("Mazzo", 0, sharedObjects.MazzoPiles[kStockLine]);
        pileCards("Mazzo_Vis", 0, sharedObjects.MazzoPiles[kWasteLine]);
        pileCards("Mazzo_Waste", 0, sharedObjects.MazzoPiles[kDiscardLine]);
        for (int f = 0; f < fnFoundationCount(); ++f)
            pileCards("Dest" + std::to_string(f + 1), f, sharedObjects.DestPiles[f]);
        for (int k = 0; k < fnTableauCount(); ++k)
            pileCards("Fila" + std::to_string(k + 1), k, sharedObjects.FilaPiles[k]);
        for (int r = 0; r < fnReserveCount(); ++r)
            pileCards("Appogg" + std::to_string(r + 1), r, sharedObjects.AppoggPiles[r]);
    }

    // "" when every laid-out place and every card of the table lies inside the window's
    // table area.
    static std::string tableOverflow() {
        const int left = 0, top = mainWindow.TableAreaTop, right = mainWindow.ClientWidth,
                  bottom = mainWindow.ClientHeight;
        std::ostringstream out;
        forEachCardPlace([&](const std::string& pile, int depth, int x, int y) {
            if (x < left || y < top || x + mainWindow.CardWidth > right ||
                y + mainWindow.CardHeight > bottom)
                out << pile << " card " << depth << " from the top at (" << x << ", " << y
                    << ") leaves the table area " << right << " x " << bottom << "; ";
        });
        return out.str();
    }

    // "" when no card of another pile lies where the stock group draws: a slot's place with
    // the strips above and left of it that its thickness edge takes back from the background
    // at every redraw (15 pixels each way), which would wipe out what lies there. Tableau
    // piles reaching there are laid again over the strips; other piles are not.
    static std::string stockEdgeCovering() {
        const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
        const char* const slotNames[] = {"Mazzo", "Mazzo_Vis", "Mazzo_Waste"};
        std::ostringstream out;
        for (int slot = 0; slot < kStockGroupPiles; ++slot) {
            const int sx = fnStockPileX(slot), sy = fnStockPileY(slot);
            if (!isPresentCoordinate(sx) || !isPresentCoordinate(sy))
                continue;
            const QRect drawn(sx - 15, sy - 15, w + 15, h + 15);
            forEachCardPlace([&](const std::string& pile, int depth, int x, int y) {
                if (pile != slotNames[slot] && !pile.starts_with("Fila") &&
                    drawn.intersects(QRect(x, y, w, h)))
                    out << "the edge of " << slotNames[slot] << " at (" << sx << ", " << sy
                        << ") covers " << pile << " card " << depth << " from the top at (" << x
                        << ", " << y << "); ";
            });
        }
        return out.str();
    }

    // "" when the game's preview in the chooser shows its whole table: the table dealt as the
    // preview deals it, before any automatic play, has card places (each card of a pile, an
    // empty pile's place, the stock group's top cards where their edges raise them) whose
    // extent, shrunk alike in width and height, is the extent of the picture's drawn pixels,
    // clear of the picture's edges; every place shrunk so lies drawn in the picture, and the
    // picture draws nothing elsewhere.
    std::string previewMismatch() {
        const bool autoplay = mainWindow.AutoPlayChecked;
        mainWindow.AutoPlayChecked = false; // the preview shows the table as dealt
        dealQuietly(previews::kPreviewDealSeed);
        mainWindow.AutoPlayChecked = autoplay;
        main_->RedrawTable(); // the stock group's top cards stand where their edges raise them
        const platform::gdi::Bitmap picture = platform::resources::loadBitmap(
            ResourceLibraryHandle, PreviewPictureName(GetParam().id));
        if (picture.width() != previews::kPreviewWidth ||
            picture.height() != previews::kPreviewHeight)
            return "the preview is " + std::to_string(picture.width()) + " x " +
                   std::to_string(picture.height()) + " pixels";
        const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
        std::vector<QRect> places;
        forEachCardPlace(
            [&](const std::string&, int, int x, int y) { places.emplace_back(x, y, w, h); });
        for (int slot = 0; slot < kStockGroupPiles; ++slot)
            if (isPresentCoordinate(fnStockPileX(slot)))
                places.emplace_back(stockDrawOrigins.X[slot], stockDrawOrigins.Y[slot], w, h);
        QRect table;
        for (const QRect& place : places)
            table = table.united(place);
        // The chooser shows the picture's top-left colour as transparent.
        const platform::gdi::Color clear = picture.pixel(0, 0);
        const QRect frame(0, 0, picture.width(), picture.height());
        auto drawn = [&](int x, int y) {
            return frame.contains(x, y) && picture.pixel(x, y) != clear;
        };
        QRect shown;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (drawn(x, y))
                    shown = shown.united(QRect(x, y, 1, 1));
        std::ostringstream out;
        if (shown.isEmpty())
            return "the preview shows nothing";
        if (!frame.adjusted(1, 1, -1, -1).contains(shown))
            out << "the preview's table reaches its edge; ";
        const double scaleX = double(shown.width()) / table.width();
        const double scaleY = double(shown.height()) / table.height();
        if (std::abs(scaleX - scaleY) * std::max(table.width(), table.height()) > 2)
            out << "the preview's table (" << shown.width() << " x " << shown.height()
                << ") is not the table (" << table.width() << " x " << table.height()
                << ") shrunk alike both ways; ";
        auto inPicture = [&](const QRect& place) {
            return QRectF(shown.left() + (place.left() - table.left()) * scaleX,
                          shown.top() + (place.top() - table.top()) * scaleY,
                          place.width() * scaleX, place.height() * scaleY);
        };
        std::vector<bool> covered(static_cast<std::size_t>(picture.width() * picture.height()));
        int undrawn = 0;
        for (const QRect& place : places) {
            const QRectF spot = inPicture(place);
            const QRect inner = spot.adjusted(1, 1, -1, -1).toAlignedRect();
            int cells = 0, shownCells = 0;
            for (int y = inner.top(); y <= inner.bottom(); ++y)
                for (int x = inner.left(); x <= inner.right(); ++x)
                    ++cells, shownCells += drawn(x, y);
            if (cells > 0 && shownCells < cells * 9 / 10 && undrawn++ == 0)
                out << "the place at (" << place.x() << ", " << place.y()
                    << ") is not drawn in the preview; ";
            const QRect outer = spot.adjusted(-2, -2, 2, 2).toAlignedRect().intersected(frame);
            for (int y = outer.top(); y <= outer.bottom(); ++y)
                for (int x = outer.left(); x <= outer.right(); ++x)
                    covered[static_cast<std::size_t>(y * picture.width() + x)] = true;
        }
        if (undrawn > 1)
            out << "nor are " << undrawn - 1 << " more places; ";
        int stray = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                stray += drawn(x, y) && !covered[static_cast<std::size_t>(y * picture.width() + x)];
        if (stray > 0)
            out << stray << " pixels of the preview lie off the table's places; ";
        return out.str();
    }

    void checkDeals() {
        int dealt = 0;
        Tally census, fits;
        for (int n = 1; n <= kDealtNumbers; ++n) {
            dealQuietly(static_cast<std::uint32_t>(n));
            const std::string number = fnReadSettingsField(153, 13);
            if (const std::string fault = cardCensusFault(); !fault.empty())
                census.fail("game number " + number + ": " + fault);
            else
                ++dealt;
            if (const std::string fault = tableOverflow() + stockEdgeCovering(); !fault.empty())
                fits.fail("game number " + number + ": " + fault);
        }
        row_.dealt = std::to_string(dealt) + "/" + std::to_string(kDealtNumbers);
        const previews::TableSize size = previews::statedTableSize(rulesPage(GetParam().id));
        row_.fits = fits.failed == 0 ? std::to_string(size.width) + "x" + std::to_string(size.height)
                                     : fits.column(kDealtNumbers);
        EXPECT_EQ(census.failed, 0) << census.first;
        EXPECT_EQ(fits.failed, 0) << fits.first;
    }

    // Through the window: the same press, moves and release a hand would make.
    void performOnWindow(const Action& action) {
        const QPoint from(action.from.x, action.from.y), to(action.to.x, action.to.y);
        switch (action.kind) {
        case Action::Kind::Drag:
            QTest::mousePress(main_, Qt::LeftButton, {}, from);
            for (int step = 1; step <= 4; ++step)
                QTest::mouseMove(main_, from + (to - from) * step / 4);
            QTest::mouseRelease(main_, Qt::LeftButton, {}, to);
            break;
        case Action::Kind::Click:
            QTest::mouseClick(main_, Qt::LeftButton, {}, from);
            break;
        case Action::Kind::DoubleClick:
            QTest::mouseMove(main_->windowHandle(), from);
            QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, from);
            break;
        case Action::Kind::Undo:
            takeBackLastStep();
            RecomputeScore();
            main_->RedrawTable();
            break;
        }
        QCoreApplication::processEvents();
    }

    // The stock group's places, whose thickness edges a fresh drawing draws at their full
    // height, and the lower right corner of each, whose pixels a redraw of the top card
    // restores from the background over the edge.
    static std::vector<QRect> stockPlaces() {
        std::vector<QRect> places;
        const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
        for (int slot = 0; slot < kStockGroupPiles; ++slot)
            if (isPresentCoordinate(fnStockPileX(slot))) {
                const QPoint at(fnStockPileX(slot), fnStockPileY(slot));
                places.emplace_back(at, QSize(w, h));
                places.emplace_back(at + QPoint(w - 4, h - 4), QSize(4, 4));
            }
        return places;
    }

    void playRandomly() {
        std::mt19937 pick(static_cast<std::uint32_t>(GetParam().id));
        int actions = 0;
        Tally census, score, undo, redraw, boxes;
        // A deal the player wins ends early, which is no sign of a player stuck: each deal won
        // makes room for one more while too few actions were checked, up to a bound.
        constexpr int kEnoughActions = kRandomDeals * kActionsPerDeal / 2;
        int wonDeals = 0;
        for (int deal = 0; deal < kRandomDeals || (actions < kEnoughActions &&
                                                   deal < kRandomDeals + wonDeals &&
                                                   deal < 4 * kRandomDeals);
             ++deal) {
            platform::app::setRandomSeed(kRandomPlaySeeds + static_cast<std::uint32_t>(deal));
            main_->mnuNew->trigger();
            for (int a = 0; a < kActionsPerDeal && mainWindow.GameRunning; ++a) {
                std::vector<Action> choices = legalActions();
                if (undoStepCount() > 0 && (choices.empty() || pick() % 8 == 0))
                    choices.assign(1, Action{Action::Kind::Undo, {}, {}, "undo"});
                if (choices.empty())
                    break; // no move left
                const Action action = choices[pick() % choices.size()];
                const StringList before = recordedTable();
                const int stepsBefore = undoStepCount();
                const std::size_t boxesBefore = boxes_.shown().size();
                performOnWindow(action);
                ++actions;
                const std::string context = "game number " + fnReadSettingsField(153, 13) +
                                            ", action " + std::to_string(actions) + " (" +
                                            action.what + "): ";
                for (std::size_t b = boxesBefore; b < boxes_.shown().size(); ++b)
                    if (boxes_.shown()[b].text != "Before deal, fill any gaps in the tableau")
                        boxes.fail(context + "message \"" + boxes_.shown()[b].text + "\"");
                if (!mainWindow.GameRunning) {
                    ++wonDeals;
                    break; // won: the chooser was shown and cancelled
                }
                if (const std::string fault = cardCensusFault(); !fault.empty())
                    census.fail(context + fault);
                if (const std::optional<int> earned = scoreOfTable(); earned && *earned != shownScore())
                    score.fail(context + "score " + std::to_string(shownScore()) + ", the table earns " +
                               std::to_string(*earned));
                if (action.kind != Action::Kind::Undo && recordedTable() != before &&
                    (undoStepCount() <= stepsBefore || undoStep(stepsBefore) != before))
                    undo.fail(context + "the history's step does not hold the table before it");
                if (const std::string fault = tableDrawingDifference(*main_, stockPlaces());
                    !fault.empty())
                    redraw.fail(context + fault);
            }
        }
        const bool sound = census.failed + score.failed + boxes.failed == 0;
        row_.randomPlay = sound ? std::to_string(actions) + " ok"
                                : std::to_string(census.failed + score.failed + boxes.failed) +
                                      " faults/" + std::to_string(actions);
        row_.redrawEqual = redraw.column(actions);
        row_.undoEqual = undo.column(actions);
        EXPECT_GE(actions, kEnoughActions) << "the random player got stuck";
        EXPECT_EQ(census.failed, 0) << census.first;
        EXPECT_EQ(score.failed, 0) << score.first;
        EXPECT_EQ(boxes.failed, 0) << boxes.first;
        EXPECT_EQ(undo.failed, 0) << undo.first;
        EXPECT_EQ(redraw.failed, 0) << redraw.first;
    }

    // The win rate over the first numbers; a game none of them won is searched further, up
    // to a few times as many numbers, for one number the player can win.
    void searchForWins() {
        const int first = searchTries();
        int tries = 0, won = 0;
        while (tries < first || (kWinRequired && won == 0 && tries < kWinnableTries * first)) {
            dealQuietly(static_cast<std::uint32_t>(++tries));
            won += searchForWin(searchBudget()).won ? 1 : 0;
        }
        row_.won = std::to_string(won) + "/" + std::to_string(tries);
        const GameParameters rows{343, -1, -1, -1, -1, -1, -1, -1, -1};
        const int chance = fnReadGameParameters(GetParam().id, rows)[0];
        if (kWinRequired) {
            EXPECT_GT(won, 0) << "the automated player won none of the first " << tries
                              << " game numbers"
                              << (chance <= 1 ? ", though the game says its chance is high" : "");
        }
    }

    // The chooser's chance word and its odds tell one story: the word is the band the odds
    // fall in (solitaire/data/games/README.md gives the bands).
    void checkChanceAgreesWithOdds() const {
        const GameParameters rows{343, 344, 345, -1, -1, -1, -1, -1, -1};
        const GameParameters values = fnReadGameParameters(GetParam().id, rows);
        const int chance = values[0], wins = values[1], games = values[2];
        ASSERT_GT(games, 0) << "the game states no odds of winning";
        ASSERT_TRUE(wins > 0 && wins <= games) << wins << " in " << games;
        const int percent = 100 * wins / games;
        const int band = percent >= 85 ? 0 : percent >= 60 ? 1 : percent >= 30 ? 2 : percent > 10 ? 3 : 4;
        EXPECT_EQ(chance, band) << "the odds " << wins << " in " << games
                                << " fall in chance band " << band;
    }

    void writeRow() const {
        std::ostringstream line;
        line << std::setw(3) << GetParam().id << "  " << std::left << std::setw(28)
             << GetParam().name.substr(0, 28) << std::setw(8) << row_.dealt << std::setw(9)
             << row_.fits << std::setw(16) << row_.randomPlay << std::setw(14) << row_.redrawEqual
             << std::setw(14) << row_.undoEqual << row_.won;
        std::printf("%s\n", line.str().c_str());
        std::filesystem::create_directories(ZV_CATALOGUE_ROWS_DIR);
        std::ofstream(std::string(ZV_CATALOGUE_ROWS_DIR) + "/" + std::to_string(GetParam().id) +
                      ".row")
            << line.str() << "\n";
    }

    Row row_;
    bool chosen_ = false;
};

TEST_P(CatalogueCheck, DealsFitsPlaysAndIsWon) {
    // A window of the size the game asks for, as a player would set it (a first run would
    // take the whole screen).
    const previews::TableSize size = previews::statedTableSize(rulesPage(GetParam().id));
    platform::files::IniFile preferences = folder_.preferences();
    preferences.writeString(kPreferenceSection, "MainWindowState_Maximized", "N");
    for (const auto& [key, value] : {std::pair{"MainWindowState_Left", 0},
                                     std::pair{"MainWindowState_Top", 0},
                                     std::pair{"MainWindowState_Width", size.width},
                                     std::pair{"MainWindowState_Height", size.height}})
        preferences.writeInteger(kPreferenceSection, key, value);
    start([this](platform::forms::Dialog& dialog) { return chooseTheGame(dialog); });
    ASSERT_TRUE(mainWindow.GameRunning) << "the game did not start";
    EXPECT_EQ(previewMismatch(), "");
    checkChanceAgreesWithOdds();
    checkDeals();
    playRandomly();
    searchForWins();
}

INSTANTIATE_TEST_SUITE_P(Games, CatalogueCheck, ::testing::ValuesIn(games()),
                         [](const ::testing::TestParamInfo<CatalogueGame>& game) {
                             return "id_" + std::to_string(game.param.id);
                         });

} // namespace
} // namespace solitaire::catalogue
