#pragma once
// A table ready to draw: the built program folder's card set, a screen and window of fixed
// size whose front buffer is a bitmap of the test, a game from the shipped GAMES.DAT set up
// and dealt with a fixed game number.

#include "app_fixture.h"

#include "solitaire/app/background.h"
#include "solitaire/app/drag_image.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_presentation.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/cards.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/deal.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/setup.h"

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

// A marker picture as the table shows it at window position (x, y), the back buffer left as
// it was.
inline platform::gdi::Bitmap markerAsDrawn(const platform::gdi::Bitmap& marker, int x, int y) {
    platform::gdi::Bitmap& back = sharedObjects.BackBuffer;
    const platform::gdi::Bitmap kept = back;
    const int scroll = mainWindow.ScrollBarPosition;
    DrawMarker(marker, x, y, Surface::BackBuffer);
    platform::gdi::Bitmap shown(marker.width(), marker.height());
    shown.copyFrom({0, 0}, back,
                   platform::gdi::Rect::fromSize(x, y + scroll, marker.width(), marker.height()));
    back = kept;
    return shown;
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
    void ApplyCardSize() override { fnApplyCardSize(); }
};

class TableFixture : public AppFixture {
protected:
    static constexpr int kScreenWidth = 800, kScreenHeight = 600;

    void SetUp() override {
        AppFixture::SetUp();
        setField(122, 6, "0"); // the score, as the preferences give it at start-up
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
    }

    // Sets the game up as a new game does: its definition, fan steps and table layout.
    void loadGame(int game) {
        setField(62, 4, fnIntZeroPad(game, 4));
        fnSetUpGame();
    }

    // Deals game number 1234567890123 and marks the table ready to draw.
    void deal() {
        setField(153, 13, "1234567890123");
        ASSERT_TRUE(DealGame());
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
