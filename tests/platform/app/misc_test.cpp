// Screen, cursor, beep and string table.
#include "platform/app/beep.h"
#include "platform/app/cursor.h"
#include "platform/app/cursor_registry.h"
#include "platform/app/locale.h"
#include "platform/app/screen.h"
#include "platform/app/strings.h"

#include <QCursor>
#include <QPixmap>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace platform::app;

TEST(ScreenTest, TestScreenFixesSizeAndDepthUntilItEnds) {
    const int width = screenWidth(), height = screenHeight(), depth = colorDepth();
    EXPECT_GT(width, 0);
    EXPECT_GT(depth, 0);
    {
        TestScreen screen(640, 480, 8);
        EXPECT_EQ(screenWidth(), 640);
        EXPECT_EQ(screenHeight(), 480);
        EXPECT_EQ(colorDepth(), 8);
    }
    EXPECT_EQ(screenWidth(), width);
    EXPECT_EQ(screenHeight(), height);
    EXPECT_EQ(colorDepth(), depth);
}

TEST(LocaleTest, TimeSeparatorIsTheLocalesAndTestsCanFixIt) {
    EXPECT_EQ(timeSeparatorOf("en_US"), ':');
    EXPECT_EQ(timeSeparatorOf("de_DE"), ':');
    EXPECT_EQ(timeSeparatorOf("fi_FI"), '.');
    EXPECT_EQ(timeSeparatorOf("da_DK"), '.');
    const char system = timeSeparator();
    {
        TestTimeSeparator fixed('-');
        EXPECT_EQ(timeSeparator(), '-');
    }
    EXPECT_EQ(timeSeparator(), system);
}

TEST(CursorTest, ScreenCursorIsOneOverrideForTheWholeProgram) {
    ASSERT_EQ(screenCursor(), Cursor(CursorShape::Default));
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    setScreenCursor(CursorShape::Wait);
    setScreenCursor(CursorShape::HandPoint);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    setScreenCursor(CursorShape::Default);
    // One restore ends the override however often the cursor changed.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(CursorTest, ScopedCursorPutsThePreviousOneBack) {
    setScreenCursor(Cursor::custom("CUR_ARROW1A"));
    {
        ScopedScreenCursor hourglass(CursorShape::Wait);
        EXPECT_EQ(screenCursor(), Cursor(CursorShape::Wait));
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(screenCursor(), Cursor::custom("CUR_ARROW1A"));
    // Never registered: shown as the arrow.
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    setScreenCursor(CursorShape::Default);
}

TEST(CursorTest, RegisteredCustomCursorIsShownByName) {
    QPixmap picture(32, 32);
    picture.fill(Qt::red);
    registerQtCursor("CUR_CROSS1A", QCursor(picture, 15, 16));
    setScreenCursor(Cursor::custom("CUR_CROSS1A"));
    const QCursor* shown = QGuiApplication::overrideCursor();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown->hotSpot(), QPoint(15, 16));
    setScreenCursor(CursorShape::Default);
}

TEST(BeepTest, RecorderKeepsBeepsInOrder) {
    BeepRecorder recorder;
    beep();
    beep(BeepKind::Error);
    EXPECT_EQ(recorder.beeps(), (std::vector<BeepKind>{BeepKind::Default, BeepKind::Error}));
}

TEST(StringTableTest, RegisteredEntriesAreFoundByNumber) {
    registerStrings({{29001, "Quit this game?"}, {5, "five"}});
    registerStrings({{5, "FIVE"}});
    EXPECT_EQ(loadString(29001), "Quit this game?");
    EXPECT_EQ(loadString(5), "FIVE");
    EXPECT_EQ(loadString(9001), "");
}
