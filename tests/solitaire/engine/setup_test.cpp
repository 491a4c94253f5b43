// Setting up a game: absent markers, fan steps by card size.

#include "engine_fixture.h"
#include "recording_presentation.h"

#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/utils.h"
#include "tools/gamescompiler/catalogue.h"

#include "platform/app/messagebox.h"
#include "platform/app/screen.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace solitaire {
namespace {

class SetUpTest : public testing::EngineFixture {};

TEST_F(SetUpTest, EveryPilePlaceGetsItsGroupsAbsentMarker) {
    pileCoordinates.FilaX[27] = 5;
    pileCoordinates.StockY[3] = 5;
    fnMarkPilesAbsent();
    for (auto x : pileCoordinates.StockX)
        EXPECT_EQ(x, -10000);
    for (auto y : pileCoordinates.StockY)
        EXPECT_EQ(y, -10000);
    for (auto x : pileCoordinates.DestX)
        EXPECT_EQ(x, -10001);
    for (auto y : pileCoordinates.DestY)
        EXPECT_EQ(y, -10001);
    for (auto x : pileCoordinates.FilaX)
        EXPECT_EQ(x, -10002);
    for (auto y : pileCoordinates.FilaY)
        EXPECT_EQ(y, -10002);
    for (auto x : pileCoordinates.AppoggX)
        EXPECT_EQ(x, -10003);
    for (auto y : pileCoordinates.AppoggY)
        EXPECT_EQ(y, -10003);
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
        {1, 1, "B", {18, 0, 4, 0, 0}},
        {1, 1, "M", {14, 0, 4, 0, 0}},
        {1, 1, "L", {3, 0, 3, 0, 0}},
        {2, 1, "B", {0, 12, 0, 4, 0}},
        {2, 3, "M", {0, 10, 0, 4, 0}},
        {2, 1, "L", {0, 3, 0, 3, 0}},
        {3, 2, "B", {0, 12, 0, 4, 0}}, // a horizontal reserve fan alone
        {1, 2, "M", {14, 10, 4, 4, 0}},
        {6, 1, "B", {0, 0, 0, 0, 7}},
        {6, 1, "M", {0, 0, 0, 0, 5}},
        {6, 1, "L", {0, 0, 0, 0, 3}},
        {3, 3, "B", {0, 0, 0, 0, 0}},
        {1, 1, "X", {0, 0, 0, 0, 0}}, // a size letter of no card set sets no step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "fans " << c.tableauFan << "/" << c.reserveFan << " size " << c.size);
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

namespace solitaire {
namespace {

using platform::app::ScriptedMessageBoxes;

// A program folder whose GAMES.DAT holds the shipped Klondike (id 2) and a copy of it (id 3)
// that needs the predefined card set on narrow screens and has no automatic play.
class SetUpGameTest : public testing::EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        folder_ = std::filesystem::temp_directory_path() /
                  ("zv-setup-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        const auto sources =
            std::filesystem::path(std::getenv("ZV_SOURCE_DIR")) / "solitaire/data/games";
        gamescompiler::GameSource klondike =
            gamescompiler::readGameSource((sources / "klondike.game").string());
        gamescompiler::GameSource narrow = klondike;
        narrow.id = 3;
        narrow.name = "Narrow Klondike";
        narrow.definition[29] = 1;
        narrow.definition[17] = 0;
        std::ofstream out(folder_ / "GAMES.DAT", std::ios::binary);
        for (const std::string& line : gamescompiler::buildGamesFile({klondike, narrow}))
            out << line << "\r\n";
        out.close();
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth,
                             folder_.string() + "/");

        fnWriteSettingsField(128, 1, "B");
        fnWriteSettingsField(24, 3, "001");
        fnWriteSettingsField(21, 3, "002");
        mainWindow.Width = 812;
        mainWindow.ScrollBarWidth = 12;
        mainWindow.Height = 600;
        mainWindow.ClientHeight = 560;
        mainWindow.TableAreaTop = 30;
        useCardSize("B");
        // The window applies a new card size as the card pictures of that size.
        recorder_.onCall = [](const std::string& call) {
            if (call == "ApplyCardSize()")
                useCardSize(fnReadSettingsField(128, 1));
        };
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        EngineFixture::TearDown();
    }

    static void useCardSize(const std::string& letter) {
        mainWindow.CardWidth = letter == "M" ? 59 : 71;
        mainWindow.CardHeight = letter == "M" ? 80 : 96;
    }

    void setUpGame(int id, int screenWidth) {
        fnWriteSettingsField(62, 4, fnIntZeroPad(id, 4));
        fnWriteSettingsField(189, 50, id == 3 ? "Narrow Klondike" : "Klondike");
        platform::app::TestScreen screen(screenWidth, 768, 32);
        recorder_.calls.clear();
        fnSetUpGame();
    }
    bool called(const std::string& call) const {
        return std::find(recorder_.calls.begin(), recorder_.calls.end(), call) !=
               recorder_.calls.end();
    }
    static std::string field(int position, int width) {
        return fnReadSettingsField(position, width);
    }

    testing::RecordingPresentation recorder_;
    testing::RecordingPresentation::Scoped installed_{recorder_};
    ScriptedMessageBoxes boxes_;

private:
    std::filesystem::path folder_;
};

TEST_F(SetUpGameTest, SetsUpTheTableOfTheChosenGame) {
    gameDefinition[263] = 4; // left by the previous game
    pileCoordinates.AppoggX[0] = 50;
    pileCoordinates.FilaX[7] = 5;
    setUpGame(2, 1024);

    EXPECT_EQ(gameDefinition[262], 7);
    EXPECT_EQ(gameDefinition[263], 0);
    // Klondike, large window, B cards, as worked out in the layout tests.
    EXPECT_EQ(pileCoordinates.FilaX[0], 90);
    EXPECT_EQ(pileCoordinates.FilaX[6], 636);
    EXPECT_EQ(pileCoordinates.FilaY[6], 161);
    EXPECT_EQ(pileCoordinates.StockX[1], 181);
    EXPECT_EQ(pileCoordinates.FilaX[7], -10002);
    EXPECT_EQ(pileCoordinates.AppoggX[0], -10003);
    EXPECT_EQ(engineScalars.FanUpY, 18);
    EXPECT_EQ(engineScalars.FanDownY, 4);
    EXPECT_TRUE(mainWindow.AutoPlayEnabled);
    EXPECT_EQ(mainWindow.AutoPlayGlyph, "TB_AUTOPLAY");
    EXPECT_TRUE(mainWindow.CustomizeEnabled);
    EXPECT_FALSE(called("ApplyCardSize()"));
    EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(SetUpGameTest, NarrowScreenSwapsToThePredefinedSetOnceAndBack) {
    setUpGame(3, 640);
    EXPECT_EQ(field(128, 1), "M");
    EXPECT_EQ(field(24, 3), "003");
    EXPECT_EQ(field(21, 3), "006");
    EXPECT_EQ(field(240, 1), "B");
    EXPECT_EQ(field(129, 3), "001");
    EXPECT_EQ(field(132, 3), "002");
    EXPECT_FALSE(mainWindow.CustomizeEnabled);
    EXPECT_FALSE(mainWindow.AutoPlayEnabled);
    EXPECT_EQ(mainWindow.AutoPlayGlyph, "TB_AUTOPLAY_DIS");
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].text,
              "Your video card runs at 640x480 pixels.\n"
              "For best graphics display, screen resolution should be set to 800x600 pixels "
              "or higher. However, it's possible to play Narrow Klondike using a predefined "
              "card and deck set.");
    EXPECT_TRUE(called("ApplyCardSize()"));
    // The table is laid out for the M cards: pile 1 at (798-533)/2 = 132, fan step 14.
    EXPECT_EQ(pileCoordinates.FilaX[0], 132);
    EXPECT_EQ(engineScalars.FanUpY, 14);

    setUpGame(3, 640); // again in the same run: no second message, the saved set stays
    EXPECT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(field(128, 1), "M");
    EXPECT_EQ(field(129, 3), "001");
    EXPECT_FALSE(called("ApplyCardSize()"));

    setUpGame(2, 1024); // a game that needs no predefined set gets the player's set back
    EXPECT_EQ(field(128, 1), "B");
    EXPECT_EQ(field(24, 3), "001");
    EXPECT_EQ(field(21, 3), "002");
    EXPECT_EQ(field(240, 1), "");
    EXPECT_EQ(field(129, 3), "");
    EXPECT_EQ(field(132, 3), "");
    EXPECT_TRUE(mainWindow.CustomizeEnabled);
    EXPECT_TRUE(called("ApplyCardSize()"));
    EXPECT_EQ(pileCoordinates.FilaX[0], 90);

    setUpGame(3, 640); // swapped again, still without a second message
    EXPECT_EQ(field(128, 1), "M");
    EXPECT_EQ(boxes_.shown().size(), 1u);
}

TEST_F(SetUpGameTest, SmallerCardsStayOnANarrowScreen) {
    fnWriteSettingsField(128, 1, "L");
    setUpGame(3, 640);
    EXPECT_EQ(field(128, 1), "L");
    EXPECT_EQ(field(24, 3), "001");
    EXPECT_EQ(field(240, 1), "");
    EXPECT_FALSE(mainWindow.CustomizeEnabled);
    EXPECT_TRUE(boxes_.shown().empty());
    EXPECT_FALSE(called("ApplyCardSize()"));
}

TEST_F(SetUpGameTest, GamesWithoutTheNeedKeepThePlayersSetOnANarrowScreen) {
    setUpGame(2, 640);
    EXPECT_EQ(field(128, 1), "B");
    EXPECT_TRUE(mainWindow.CustomizeEnabled);
    EXPECT_TRUE(boxes_.shown().empty());
}

} // namespace
} // namespace solitaire
