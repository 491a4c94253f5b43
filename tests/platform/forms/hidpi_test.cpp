// A window on a screen of device pixel ratio 2: the front buffer stays in the program's
// pixels and is shown magnified.
#include "platform/app/application.h"
#include "platform/forms/form.h"
#include "platform/gdi/qimage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;

TEST(HighDensityTest, FrontBufferIsShownMagnifiedAndReadsBackExactly) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    forms::Window window;
    window.setClientSize(40, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.frontBuffer().width(), 40);
    const gdi::Color white = gdi::rgb(255, 255, 255), red = gdi::rgb(255, 0, 0);
    window.frontBuffer().fillRect(window.frontBuffer().rect(), white);
    window.frontBuffer().setPixel(5, 7, red);
    window.present();
    EXPECT_EQ(window.frontBuffer().pixel(5, 7), red);

    // Rendered by the window's own paint code at the screen's density.
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(80, 60));
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(gdi::fromQRgb(shown.pixel(x, y)), x / 2 == 5 && y / 2 == 7 ? red : white)
                << x << "," << y;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_SCALE_FACTOR", "2", 1);
    ::testing::InitGoogleTest(&argc, argv);
    app::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
