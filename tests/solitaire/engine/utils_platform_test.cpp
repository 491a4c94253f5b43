#include "solitaire/engine/utils.h"

#include "platform/app/clock.h"
#include "platform/app/messagebox.h"
#include "platform/app/cursor.h"
#include "platform/app/screen.h"
#include "platform/shell/shell.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace solitaire {
namespace {

TEST(EngineWaits, LastUntilTheTickCountHasAdvanced) {
    platform::app::TestClock clock(1000);
    fnWaitMs(30);
    EXPECT_GE(clock.now(), 1030u);
    const std::uint32_t before = clock.now();
    fnWaitMsAgain(5);
    EXPECT_GE(clock.now(), before + 5);
    EXPECT_EQ(clock.processingPasses(), 0);
}

TEST(EngineWaits, ProcessingWaitRunsEventsOnEveryPass) {
    platform::app::TestClock clock(50);
    fnWaitProcessing(20);
    EXPECT_GE(clock.now(), 70u);
    EXPECT_GE(clock.processingPasses(), 1);
}

TEST(EngineWaits, ZeroWaitReturnsAtOnce) {
    platform::app::TestClock clock(7);
    fnWaitMs(0);
    EXPECT_LE(clock.now(), 8u);
}

TEST(InfoMessage, ShowsOneOkBoxWithTheText) {
    platform::app::ScriptedMessageBoxes boxes;
    fnInfoMessage("Error 01 - fnGameNumberCardsArray");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error 01 - fnGameNumberCardsArray");
    EXPECT_EQ(boxes.shown()[0].buttons, platform::app::Buttons::Ok);
}

TEST(ColorCount, FollowsTheScreenDepth) {
    const std::pair<int, int> cases[] = {
        {1, 2}, {8, 256}, {16, 65536}, {24, 16777216}, {32, 999999999}};
    for (const auto& [depth, colours] : cases) {
        platform::app::TestScreen screen(1024, 768, depth);
        EXPECT_EQ(fnColorCount(), colours) << depth;
    }
}

TEST(FileHelpers, TempFileNameAndDirExists) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zv_engine_utils_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::string name = "unchanged";
    ASSERT_TRUE(fnTempFileName(folder.string(), "rpl", name));
    EXPECT_TRUE(std::filesystem::exists(name));
    EXPECT_EQ(std::filesystem::path(name).parent_path(), folder);
    EXPECT_TRUE(fnDirExists(folder.string()));
    std::filesystem::remove_all(folder);
    EXPECT_FALSE(fnDirExists(folder.string()));
    EXPECT_FALSE(fnTempFileName(folder.string(), "rpl", name));
    EXPECT_EQ(fnWindowsDir(), "");
}

// The bands run from the bottom colour at the bottom edge to (almost) the top colour at the top;
// a system colour as the top is resolved to its plain value first.
TEST(GradientFill, RunsFromBottomToTopColourInBands) {
    platform::gdi::Bitmap canvas(4, 512);
    const platform::gdi::Color top = platform::gdi::rgb(0, 0, 255);
    fnGradientFill(canvas, {0, 0, 4, 512}, top, 0);
    EXPECT_EQ(canvas.pixel(0, 511), 0u);      // band 0: the bottom colour
    EXPECT_EQ(canvas.pixel(3, 0), platform::gdi::rgb(0, 0, 254));  // band 255: 255 * 255 / 256
    EXPECT_EQ(canvas.pixel(0, 510), canvas.pixel(0, 511));  // each band is two rows high here
    EXPECT_NE(canvas.pixel(0, 509), canvas.pixel(0, 511));

    fnGradientFill(canvas, {0, 0, 4, 512}, 0x8000000F, 0);  // button face: 0xC0C0C0
    EXPECT_EQ(canvas.pixel(0, 0), platform::gdi::rgb(0xBF, 0xBF, 0xBF));
}

TEST(ShellOpen, PassesTheTextsToTheDesktopAndRestoresTheCursor) {
    platform::shell::OpenRecorder desktop(platform::shell::kOpened);
    platform::app::setScreenCursor(platform::app::CursorShape::Cross);
    EXPECT_GT(fnShellOpen("mailto:news@example.org", "", "", 4), 32);
    EXPECT_EQ(platform::app::screenCursor(), platform::app::Cursor(platform::app::CursorShape::Cross));
    ASSERT_EQ(desktop.requests().size(), 1u);
    EXPECT_EQ(desktop.requests()[0].target, "mailto:news@example.org");
    EXPECT_EQ(desktop.requests()[0].showCommand, 4);
    platform::app::setScreenCursor(platform::app::CursorShape::Default);
}

} // namespace
} // namespace solitaire
