#include "solitaire/engine/settings.h"

#include "engine_fixture.h"

#include "platform/app/random.h"

namespace solitaire {
namespace {

class SharedObjectsTest : public testing::EngineFixture {};

TEST_F(SharedObjectsTest, CreationMakesEmptyListsPicturesAndZeroWords) {
    engineScalars.DraggedCard = 12;
    sharedObjects.UndoStack[kFilaList] = {"x"};
    sharedObjects.MovedCardsLog = "001,";
    fnWriteSettingsField(62, 4, "0001");
    fnCreateSharedObjects();
    EXPECT_EQ(engineScalars.DraggedCard, 0);
    EXPECT_TRUE(sharedObjects.UndoStack[kFilaList].empty());
    EXPECT_TRUE(sharedObjects.CardTable.empty());
    EXPECT_TRUE(sharedObjects.FilaPiles.empty());
    EXPECT_EQ(sharedObjects.MovedCardsLog, "");
    EXPECT_EQ(fnReadSettingsField(62, 4), "");
    EXPECT_EQ(sharedObjects.DragImage.width(), 100);
    EXPECT_EQ(sharedObjects.DragImage.height(), 200);
    EXPECT_TRUE(sharedObjects.BackBuffer.isEmpty());
    EXPECT_EQ(sharedObjects.CardFaces.size(), 52u);
    EXPECT_EQ(sharedObjects.MarkerImages.size(), 22u);
}

TEST_F(SharedObjectsTest, FreeingReleasesListsAndPictures) {
    sharedObjects.BackBuffer = platform::gdi::Bitmap(800, 600);
    sharedObjects.CardFaces[51] = platform::gdi::Bitmap(71, 96);
    fnFreeSharedObjects();
    EXPECT_TRUE(sharedObjects.BackBuffer.isEmpty());
    EXPECT_TRUE(sharedObjects.CardFaces[51].isEmpty());
    EXPECT_TRUE(sharedObjects.DragImage.isEmpty());
    EXPECT_TRUE(sharedObjects.CardTable.empty());
}

TEST(JitterRows, StepsStayWithinTwoPixelsOfTheColumn) {
    randomJitterRows = {};
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        platform::app::setRandomSeed(seed);
        MakeRandomOffsetRows();
        for (const auto& row : randomJitterRows) {
            EXPECT_EQ(row[0], 0);
            EXPECT_EQ(row[13], 0);
            int sum = 0;
            for (std::size_t i = 1; i <= 12; ++i) {
                EXPECT_GE(row[i], -2);
                EXPECT_LE(row[i], 2);
                sum += row[i];
                EXPECT_GE(sum, -2) << "seed " << seed;
                EXPECT_LE(sum, 2) << "seed " << seed;
            }
        }
    }
}

TEST(JitterRows, SameSeedSameRowsAndRowsDiffer) {
    platform::app::setRandomSeed(42);
    MakeRandomOffsetRows();
    const RandomJitterRows first = randomJitterRows;
    platform::app::setRandomSeed(42);
    for (int row = 1; row <= 7; ++row)
        MakeRandomOffsetRow(row);
    EXPECT_EQ(randomJitterRows, first);
    bool anyDiffer = false;
    for (std::size_t row = 1; row < 7; ++row)
        anyDiffer |= first[row] != first[0];
    EXPECT_TRUE(anyDiffer);
    bool anyStep = false;
    for (const auto& row : first)
        for (const auto word : row)
            anyStep |= word != 0;
    EXPECT_TRUE(anyStep);
}

TEST(JitterRows, RowOutsideOneToSevenChangesNothing) {
    platform::app::setRandomSeed(3);
    MakeRandomOffsetRows();
    const RandomJitterRows before = randomJitterRows;
    MakeRandomOffsetRow(0);
    MakeRandomOffsetRow(8);
    EXPECT_EQ(randomJitterRows, before);
}

} // namespace
} // namespace solitaire
