// Setting up a game: absent markers, fan steps by card size.

#include "engine_fixture.h"

#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"

namespace solitaire {
namespace {

class SetUpTest : public testing::EngineFixture {};

TEST_F(SetUpTest, EveryPilePlaceGetsItsGroupsAbsentMarker) {
    pileCoordinates.FilaX[27] = 5;
    pileCoordinates.StockY[3] = 5;
    fnMarkPilesAbsent();
    for (auto x : pileCoordinates.StockX) EXPECT_EQ(x, -10000);
    for (auto y : pileCoordinates.StockY) EXPECT_EQ(y, -10000);
    for (auto x : pileCoordinates.DestX) EXPECT_EQ(x, -10001);
    for (auto y : pileCoordinates.DestY) EXPECT_EQ(y, -10001);
    for (auto x : pileCoordinates.FilaX) EXPECT_EQ(x, -10002);
    for (auto y : pileCoordinates.FilaY) EXPECT_EQ(y, -10002);
    for (auto x : pileCoordinates.AppoggX) EXPECT_EQ(x, -10003);
    for (auto y : pileCoordinates.AppoggY) EXPECT_EQ(y, -10003);
}

TEST_F(SetUpTest, FanStepsFollowTheFanModesAndTheCardSize) {
    struct Steps {
        int upY, upX, downY, downX, mode6;
    };
    struct Case {
        int tableauFan, reserveFan;
        const char* size;
        Steps steps;
    } const cases[] = {
        {1, 1, "B", {18, 0, 4, 0, 0}}, {1, 1, "M", {14, 0, 4, 0, 0}},
        {1, 1, "L", {3, 0, 3, 0, 0}},  {2, 1, "B", {0, 12, 0, 4, 0}},
        {2, 3, "M", {0, 10, 0, 4, 0}}, {2, 1, "L", {0, 3, 0, 3, 0}},
        {3, 2, "B", {0, 12, 0, 4, 0}}, // a horizontal reserve fan alone
        {1, 2, "M", {14, 10, 4, 4, 0}},
        {6, 1, "B", {0, 0, 0, 0, 7}},  {6, 1, "M", {0, 0, 0, 0, 5}},
        {6, 1, "L", {0, 0, 0, 0, 3}},  {3, 3, "B", {0, 0, 0, 0, 0}},
        {1, 1, "X", {0, 0, 0, 0, 0}}, // a size letter of no card set sets no step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "fans " << c.tableauFan << "/" << c.reserveFan
                                          << " size " << c.size);
        engineScalars = EngineScalars{};
        engineScalars.FanUpY = engineScalars.FanDownX = 99; // always reset
        gameDefinition[3] = static_cast<std::int16_t>(c.tableauFan);
        gameDefinition[5] = static_cast<std::int16_t>(c.reserveFan);
        fnWriteSettingsField(128, 1, c.size);
        fnSetFanOffsets();
        EXPECT_EQ(engineScalars.FanUpY, c.steps.upY);
        EXPECT_EQ(engineScalars.FanUpX, c.steps.upX);
        EXPECT_EQ(engineScalars.FanDownY, c.steps.downY);
        EXPECT_EQ(engineScalars.FanDownX, c.steps.downX);
        EXPECT_EQ(engineScalars.Mode6Offset, c.steps.mode6);
        EXPECT_EQ(engineScalars.Mode6OffsetB, c.steps.mode6);
        EXPECT_EQ(engineScalars.Mode5Offset, 3);
        EXPECT_EQ(engineScalars.Mode5OffsetB, 3);
        EXPECT_EQ(engineScalars.RowGap, 6);
    }
}

TEST_F(SetUpTest, ModeSixStepsKeepTheirValueForOtherFans) {
    engineScalars.Mode6Offset = engineScalars.Mode6OffsetB = 5;
    gameDefinition[3] = 1;
    fnWriteSettingsField(128, 1, "B");
    fnSetFanOffsets();
    EXPECT_EQ(engineScalars.Mode6Offset, 5);
    EXPECT_EQ(engineScalars.Mode6OffsetB, 5);
}

} // namespace
} // namespace solitaire
