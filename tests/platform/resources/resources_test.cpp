// The resource library as the program loads it: the ZUV.RGF the build makes.
#include "platform/resources/resources.h"

#include "platform/app/cursor_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace platform::resources;

namespace {

std::string libraryPath() {
    return std::string(std::getenv("ZV_DIST_DIR")) + "/Zevodadu/ZUV.RGF";
}

class ResourceLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = loadLibrary(libraryPath());
        ASSERT_GE(library_, 32u);
    }
    void TearDown() override { freeLibrary(library_); }
    LibraryHandle library_ = 0;
};

} // namespace

TEST(ResourceLibraryLoadTest, AMissingFileOrAnotherKindOfFileGivesNoHandle) {
    EXPECT_EQ(loadLibrary("/nonexistent/ZUV.RGF"), 0u);
    const auto notALibrary = std::filesystem::temp_directory_path() / "zv_not_a_library.rgf";
    std::ofstream(notALibrary) << "this is no resource library";
    EXPECT_EQ(loadLibrary(notALibrary.string()), 0u);
    std::filesystem::remove(notALibrary);
}

TEST(ResourceLibraryLoadTest, TwoLoadsGiveTwoHandlesThatLiveApart) {
    const LibraryHandle a = loadLibrary(libraryPath());
    const LibraryHandle b = loadLibrary(libraryPath());
    ASSERT_GE(a, 32u);
    ASSERT_GE(b, 32u);
    EXPECT_NE(a, b);
    freeLibrary(a);
    EXPECT_TRUE(loadBitmap(a, "WB001").isEmpty());
    EXPECT_FALSE(loadBitmap(b, "WB001").isEmpty());
    freeLibrary(b);
}

TEST_F(ResourceLibraryTest, BitmapsAreFoundByNameInAnyLetterCase) {
    const auto marker = loadBitmap(library_, "WB004");
    EXPECT_EQ(marker.width(), 71);
    EXPECT_EQ(marker.height(), 96);
    EXPECT_TRUE(loadBitmap(library_, "wb004") == marker);
    EXPECT_EQ(loadBitmap(library_, "CM001H").width(), 5 * 59);
}

TEST_F(ResourceLibraryTest, AMissingNameGivesAnEmptyBitmap) {
    // Game ids end at 999, so no game has this preview whatever the catalogue holds.
    EXPECT_TRUE(loadBitmap(library_, "GAME1000").isEmpty());
    EXPECT_TRUE(loadBitmap(library_, "").isEmpty());
    EXPECT_TRUE(loadBitmap(0, "WB004").isEmpty());
}

TEST_F(ResourceLibraryTest, CursorsCarryTheirHotSpots) {
    struct Case {
        const char* name;
        int hotX, hotY;
    };
    for (const Case c : {Case{"CUR_ARROW1A", 0, 0}, Case{"CUR_CROSS1B", 15, 15},
                         Case{"cur_right_hand2a", 8, 0}, Case{"CUR_LEFT_HAND1B", 12, 0}}) {
        const auto cursor = loadCursor(library_, c.name);
        ASSERT_EQ(cursor.shape, platform::app::CursorShape::Custom) << c.name;
        const QCursor shown = platform::app::qtCursor(cursor);
        EXPECT_EQ(shown.hotSpot(), QPoint(c.hotX, c.hotY)) << c.name;
        EXPECT_EQ(shown.pixmap().size(), QSize(32, 32)) << c.name;
    }
}

TEST_F(ResourceLibraryTest, EveryNamedCursorExistsAndAMissingOneIsTheDefault) {
    for (const char* base : {"CUR_ARROW1", "CUR_ARROW2", "CUR_RIGHT_HAND1", "CUR_RIGHT_HAND2",
                             "CUR_CROSS1", "CUR_LEFT_HAND1", "CUR_LEFT_HAND2"})
        for (const char* variant : {"A", "B"})
            EXPECT_EQ(loadCursor(library_, std::string(base) + variant).shape,
                      platform::app::CursorShape::Custom)
                << base << variant;
    EXPECT_EQ(loadCursor(library_, "CUR_NONE").shape, platform::app::CursorShape::Default);
}
