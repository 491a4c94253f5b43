#include "solitaire/engine/setup.h"

#include "solitaire/engine/coordinates.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/layout.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/undo.h"
#include "solitaire/engine/utils.h"

#include "platform/app/screen.h"

#include <array>
#include <optional>
#include <string>

namespace solitaire {

namespace {

constexpr int kCardSizeField = 128;
constexpr int kFaceSetField = 24;
constexpr int kCardBackField = 21;
constexpr int kSetWidth = 3;
// The card set in use while the predefined one stands in for it.
constexpr int kSavedSizeField = 240;
constexpr int kSavedFaceSetField = 129;
constexpr int kSavedCardBackField = 132;
constexpr int kGameNameField = 189;
constexpr int kGameNameWidth = 50;
constexpr int kNeedsPredefinedCardsWord = 29;
constexpr int kAutoPlayWord = 17;

std::string field(int position, int width) {
    return fnReadSettingsField(position, width);
}
void setField(int position, int width, const std::string& text) {
    fnWriteSettingsField(position, width, text);
}

// Games that need the predefined card set get it on a narrow screen, the first time with a
// word on why.
void usePredefinedCardSet() {
    if (field(kCardSizeField, 1) != "B") {
        engineScalars.CardSetFallback = 1;
    } else {
        setField(kSavedSizeField, 1, field(kCardSizeField, 1));
        setField(kSavedFaceSetField, kSetWidth, field(kFaceSetField, kSetWidth));
        setField(kSavedCardBackField, kSetWidth, field(kCardBackField, kSetWidth));
        setField(kFaceSetField, kSetWidth, "003");
        setField(kCardBackField, kSetWidth, "006");
        setField(kCardSizeField, 1, "M");
    }
    mainWindow.CustomizeEnabled = false;
    if (engineScalars.CardSetFallback != 0)
        return;
    engineScalars.CardSetFallback = 1;
    if (engineScalars.LowResolutionShown != 0)
        return;
    engineScalars.LowResolutionShown = 1;
    fnInfoMessage("Your video card runs at 640x480 pixels.\n"
                  "For best graphics display, screen resolution should be set to 800x600 "
                  "pixels or higher. However, it's possible to play " +
                  fnTrimRight(field(kGameNameField, kGameNameWidth)) + " " +
                  "using a predefined card and deck set.");
    presentation().UpdateMainWindow();
}

void restoreSavedCardSet() {
    if (!field(kSavedFaceSetField, kSetWidth).empty()) {
        setField(kCardSizeField, 1, field(kSavedSizeField, 1));
        setField(kFaceSetField, kSetWidth, field(kSavedFaceSetField, kSetWidth));
        setField(kCardBackField, kSetWidth, field(kSavedCardBackField, kSetWidth));
        setField(kSavedSizeField, 1, "");
        setField(kSavedFaceSetField, kSetWidth, "");
        setField(kSavedCardBackField, kSetWidth, "");
    }
    mainWindow.CustomizeEnabled = true;
}

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

void fnSetUpGame() {
    gameDefinition.fill(0);
    fnLoadGameDefinition();
    const std::string cardSize = field(kCardSizeField, 1);
    if (platform::app::screenWidth() < 650 && gameDefinition[kNeedsPredefinedCardsWord] == 1)
        usePredefinedCardSet();
    else
        restoreSavedCardSet();
    if (field(kCardSizeField, 1) != cardSize)
        presentation().ApplyCardSize();
    fnMarkPilesAbsent();
    fnEnableAutoPlay(gameDefinition[kAutoPlayWord] != 0);
    fnSetFanOffsets();
    fnLayoutTable();
}

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
