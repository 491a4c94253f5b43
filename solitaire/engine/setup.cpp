#include "solitaire/engine/setup.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <array>
#include <optional>
#include <string>

namespace solitaire {

namespace {

constexpr int kCardSizeField = 128;

template <std::size_t N> void markAbsent(std::array<std::int16_t, N>& group, int marker) {
    group.fill(static_cast<std::int16_t>(marker));
}

// The steps after a face-down and a face-up card.
struct FanSteps {
    std::int16_t down;
    std::int16_t up;
};

// The column of a card size letter; none for a letter the sizes do not have.
std::optional<std::size_t> sizeColumn() {
    const std::string letter = fnReadSettingsField(kCardSizeField, 1);
    if (letter == "B")
        return 0;
    if (letter == "M")
        return 1;
    if (letter == "L")
        return 2;
    return std::nullopt;
}

} // namespace

void fnMarkPilesAbsent() {
    markAbsent(pileCoordinates.StockX, kAbsentPile);
    markAbsent(pileCoordinates.StockY, kAbsentPile);
    markAbsent(pileCoordinates.DestX, kAbsentPile - 1);
    markAbsent(pileCoordinates.DestY, kAbsentPile - 1);
    markAbsent(pileCoordinates.FilaX, kAbsentPile - 2);
    markAbsent(pileCoordinates.FilaY, kAbsentPile - 2);
    markAbsent(pileCoordinates.AppoggX, kAbsentPile - 3);
    markAbsent(pileCoordinates.AppoggY, kAbsentPile - 3);
}

void fnSetFanOffsets() {
    EngineScalars& s = engineScalars;
    s.FanUpY = s.FanUpX = s.FanDownY = s.FanDownX = 0;
    s.Mode5Offset = s.Mode5OffsetB = 3;
    s.RowGap = 6;
    const auto column = sizeColumn();
    if (!column)
        return;
    // By card size "B", "M", "L".
    static constexpr std::array<FanSteps, 3> kVertical{{{4, 18}, {4, 14}, {3, 3}}};
    static constexpr std::array<FanSteps, 3> kHorizontal{{{4, 12}, {4, 10}, {3, 3}}};
    static constexpr std::array<std::int16_t, 3> kMode6{7, 5, 3};
    const int tableauFan = gameDefinition[3];
    if (tableauFan == 1) {
        s.FanDownY = kVertical[*column].down;
        s.FanUpY = kVertical[*column].up;
    }
    if (tableauFan == 2 || gameDefinition[5] == 2) {
        s.FanDownX = kHorizontal[*column].down;
        s.FanUpX = kHorizontal[*column].up;
    }
    if (tableauFan == 6)
        s.Mode6Offset = s.Mode6OffsetB = kMode6[*column];
}

void fnLayoutTable() {
    const GameDefinition& d = gameDefinition;
    fnComputePileLayout(fnLayoutCode(d[250], d[249]), d[260], fnLayoutCode(d[252], d[251]), d[261],
                        fnLayoutCode(d[254], d[253]), d[262], fnLayoutCode(d[257], d[256]), d[263],
                        fnLayoutCode(d[259], d[258]), d[264],
                        mainWindow.Width - mainWindow.ScrollBarWidth, mainWindow.Height,
                        mainWindow.ClientHeight - 1, mainWindow.TableAreaTop);
}

} // namespace solitaire
