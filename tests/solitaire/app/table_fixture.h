#pragma once
// A table ready to draw: the built program folder's card set, a screen and window of fixed
// size whose front buffer is a bitmap of the test, a game from the shipped GAMES.DAT laid
// out, and its cards dealt in a fixed order.

#include "app_fixture.h"

#include "solitaire/app/background.h"
#include "solitaire/app/drag_image.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_presentation.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/layout.h"

#include "platform/app/clock.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace solitaire::testing {

inline constexpr int kFreeCell = 1;
inline constexpr int kKlondike = 2;

// "" when the pictures are equal, else where they first differ (for failure messages).
inline std::string firstDifference(const platform::gdi::Bitmap& a, const platform::gdi::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return "sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = "first at " + std::to_string(x) + "," + std::to_string(y);
    return count == 0 ? "" : first + ", " + std::to_string(count) + " pixels";
}

// The table presentation with the main window's own calls left empty.
class TestPresentation : public TablePresentation {
public:
    void UpdateMainWindow() override {}
    void ShowWindowState() override {}
    void RepaintWindowRect(const platform::gdi::Rect&) override {}
    void fnUpdateCaption() override {}
    void Timer1Timer() override {}
    void CloseMainWindow() override {}
    void ShowGameChooser() override {}
    void HidePileSizeHint() override {}
    void ApplyCardSize() override {}
};

class TableFixture : public AppFixture {
protected:
    static constexpr int kScreenWidth = 800, kScreenHeight = 600;

    void SetUp() override {
        AppFixture::SetUp();
        screen_ = std::make_unique<platform::app::TestScreen>(kScreenWidth, kScreenHeight, 32);
        setField(kDeckPosition, 3, "001");
        setField(kCardBackPosition, 3, "011");
        setField(kBackgroundDefaultPosition, 1, "Y");
        setField(kCardsShadowedPosition, 1, "Y");
        setField(74, 2, "0"); // no waits between animation steps
        mainWindow.ShadowOffset = 9;
        mainWindow.Width = kScreenWidth;
        mainWindow.Height = kScreenHeight - 40;
        mainWindow.ClientWidth = kScreenWidth - 8;
        mainWindow.ClientHeight = kScreenHeight - 70;
        mainWindow.TableAreaTop = 30;
        sharedObjects.BackBuffer = platform::gdi::Bitmap(kScreenWidth + 30, kScreenHeight + 30);
        sharedObjects.BackgroundCopy = platform::gdi::Bitmap(kScreenWidth + 30, kScreenHeight + 30);
        window_ = platform::gdi::Bitmap(mainWindow.ClientWidth, mainWindow.ClientHeight);
        tableWindow.canvas = &window_;
        tableWindow.show = nullptr;
        setCardSize("B");
        setPresentation(&presentation_);
    }
    void TearDown() override {
        setPresentation(nullptr);
        tableWindow = TableWindow{};
        screen_.reset();
        AppFixture::TearDown();
    }

    void setCardSize(const std::string& letter) {
        setField(kCardSizePosition, 1, letter);
        fnApplyCardSize();
        // The fan steps of a vertical fan by size (face down, face up).
        const int down = letter == "L" ? 3 : 4;
        const int up = letter == "B" ? 18 : letter == "M" ? 14 : 3;
        engineScalars.FanDownY = static_cast<std::int16_t>(down);
        engineScalars.FanUpY = static_cast<std::int16_t>(up);
        engineScalars.FanDownX = engineScalars.FanUpX = 0;
    }

    // Loads the game and lays its table out in the window.
    void loadGame(int game) {
        setField(62, 4, fnIntZeroPad(game, 4));
        ASSERT_TRUE(fnLoadGameDefinition());
        layOut();
    }

    void layOut() {
        auto absent = [](auto& values, int marker) {
            std::fill(values.begin(), values.end(), static_cast<std::int16_t>(marker));
        };
        absent(pileCoordinates.StockX, kAbsentPile);
        absent(pileCoordinates.StockY, kAbsentPile);
        absent(pileCoordinates.DestX, kAbsentPile - 1);
        absent(pileCoordinates.DestY, kAbsentPile - 1);
        absent(pileCoordinates.FilaX, kAbsentPile - 2);
        absent(pileCoordinates.FilaY, kAbsentPile - 2);
        absent(pileCoordinates.AppoggX, kAbsentPile - 3);
        absent(pileCoordinates.AppoggY, kAbsentPile - 3);
        const GameDefinition& d = gameDefinition;
        fnComputePileLayout(fnLayoutCode(d[250], d[249]), d[260], fnLayoutCode(d[252], d[251]),
                            d[261], fnLayoutCode(d[254], d[253]), d[262],
                            fnLayoutCode(d[257], d[256]), d[263], fnLayoutCode(d[259], d[258]),
                            d[264], mainWindow.Width - mainWindow.ScrollBarWidth,
                            mainWindow.Height, mainWindow.ClientHeight - 1,
                            mainWindow.TableAreaTop);
    }

    // The 52 cards in a fixed shuffled order.
    static std::vector<int> shuffledDeck() {
        std::vector<int> deck(52);
        std::iota(deck.begin(), deck.end(), 1);
        platform::app::setRandomSeed(7);
        for (int i = 51; i > 0; --i)
            std::swap(deck[static_cast<std::size_t>(i)],
                      deck[static_cast<std::size_t>(platform::app::random(i + 1))]);
        return deck;
    }

    // Deals as the two games deal: FreeCell all face up over eight piles, Klondike piles of
    // 1..7 with the top face up and the rest in the stock face down.
    void deal(int game) {
        std::vector<int> deck = shuffledDeck();
        std::size_t next = 0;
        auto put = [&](int pile, bool faceUp) {
            const int card = deck[next++];
            AppendCardToPile(sharedObjects.FilaPiles, pile, card, faceUp ? kFaceUp : kFaceDown);
        };
        if (game == kFreeCell) {
            for (int i = 0; i < 52; ++i)
                put(i % 8, true);
        } else {
            for (int pile = 0; pile < 7; ++pile)
                for (int k = 0; k <= pile; ++k)
                    put(pile, k == pile);
            while (next < deck.size())
                AppendCardToPile(sharedObjects.MazzoPiles, kStockLine, deck[next++], kFaceDown);
        }
        mainWindow.TableReady = true;
    }

    // The table drawn from scratch into the back buffer and shown on the window.
    void drawTable() {
        fnPaintConfiguredBackground(sharedObjects.BackBuffer);
        fnDrawTable(Surface::BackBuffer, false);
        fnFlipBackBuffer(window_);
    }

    platform::gdi::Bitmap window_;
    TestPresentation presentation_;
    std::unique_ptr<platform::app::TestScreen> screen_;
};

} // namespace solitaire::testing
