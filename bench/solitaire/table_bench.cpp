// Goals on the development machine: a full redraw of a 104-card table into the back buffer
// within 2 ms, one drag-image step over that table within 1 ms.
#include "solitaire/app/background.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/drag_image.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/app/screen.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace solitaire;

constexpr int kScreenWidth = 1024, kScreenHeight = 768;
constexpr int kPiles = 13, kCardsPerPile = 8; // both decks in the tableau

// Two decks dealt face up over 13 fanned piles on the default green.
class FullTable {
public:
    FullTable() : screen_(kScreenWidth, kScreenHeight, 32) {
        fnCreateSharedObjects();
        fnFillCardTableAndPiles();
        const std::string dir = std::string(ZV_DIST_DIR) + "/Zevodadu/";
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, dir);
        fnWriteSettingsField(kCardSizePosition, 1, "B");
        fnWriteSettingsField(kDeckPosition, 3, "001");
        fnWriteSettingsField(kCardBackPosition, 3, "011");
        fnWriteSettingsField(kBackgroundDefaultPosition, 1, "Y");
        fnWriteSettingsField(kCardsShadowedPosition, 1, "Y");
        ResourceLibraryHandle = platform::resources::loadLibrary(dir + "ZUV.RGF");
        if (ResourceLibraryHandle < 32) {
            std::fprintf(stderr, "no resource library in %s\n", dir.c_str());
            std::exit(1);
        }
        fnApplyCardSize();
        mainWindow.ShadowOffset = 9;
        engineScalars.FanUpY = 18;
        engineScalars.FanDownY = 4;
        sharedObjects.BackBuffer = platform::gdi::Bitmap(kScreenWidth + 30, kScreenHeight + 30);
        sharedObjects.BackgroundCopy = platform::gdi::Bitmap(kScreenWidth + 30, kScreenHeight + 30);
        window_ = platform::gdi::Bitmap(kScreenWidth, kScreenHeight - 60);
        tableWindow.canvas = &window_;

        gameDefinition.fill(0);
        gameDefinition[3] = 1; // tableau fanned down
        gameDefinition[kTableauCountWord] = kPiles;
        auto absent = [](auto& values) { std::fill(values.begin(), values.end(), kAbsentPile); };
        absent(pileCoordinates.StockX);
        absent(pileCoordinates.StockY);
        absent(pileCoordinates.DestX);
        absent(pileCoordinates.DestY);
        absent(pileCoordinates.AppoggX);
        absent(pileCoordinates.AppoggY);
        absent(pileCoordinates.FilaX);
        absent(pileCoordinates.FilaY);
        for (int i = 0; i < kPiles; ++i) {
            fnSetTableauX(i, 8 + i * 77);
            fnSetTableauY(i, 140);
            for (int k = 0; k < kCardsPerPile; ++k)
                AppendCardToPile(sharedObjects.FilaPiles, i, 1 + i + k * kPiles, kFaceUp);
        }
        mainWindow.TableReady = true;
        fnPaintConfiguredBackground(sharedObjects.BackBuffer);
        fnDrawTable(Surface::BackBuffer, false);
        fnFlipBackBuffer(window_);
    }
    ~FullTable() {
        tableWindow = TableWindow{};
        platform::resources::freeLibrary(ResourceLibraryHandle);
        fnFreeSharedObjects();
    }

private:
    platform::app::TestScreen screen_;
    platform::gdi::Bitmap window_;
};

void BM_DrawFullTableIntoBackBuffer(benchmark::State& state) {
    FullTable table;
    for (auto _ : state) {
        fnDrawTable(Surface::BackBuffer, false);
        benchmark::DoNotOptimize(sharedObjects.BackBuffer);
    }
}
BENCHMARK(BM_DrawFullTableIntoBackBuffer)->Unit(benchmark::kMillisecond);

void BM_RepaintBackgroundAndDrawFullTable(benchmark::State& state) {
    FullTable table;
    for (auto _ : state) {
        fnPaintConfiguredBackground(sharedObjects.BackBuffer);
        fnDrawTable(Surface::BackBuffer, false);
        benchmark::DoNotOptimize(sharedObjects.BackBuffer);
    }
}
BENCHMARK(BM_RepaintBackgroundAndDrawFullTable)->Unit(benchmark::kMillisecond);

// One step of a dragged card with its shadow across the fanned piles.
void BM_DragImageStepOverFullTable(benchmark::State& state) {
    FullTable table;
    engineScalars.DraggedCard = 20;
    mainWindow.DragHeight = mainWindow.CardHeight;
    fnSetDragRects(300, 200, 300 + mainWindow.CardWidth, 200 + mainWindow.CardHeight);
    fnBuildDragImage();
    int step = 0;
    for (auto _ : state) {
        const int x = 300 + (step % 40) * 7, y = 200 + (step % 40) * 3;
        benchmark::DoNotOptimize(fnMoveDragImage(x, y, false, false));
        ++step;
    }
}
BENCHMARK(BM_DragImageStepOverFullTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
