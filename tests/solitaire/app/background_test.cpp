#include "app_fixture.h"

#include "solitaire/app/background.h"

#include "platform/app/messagebox.h"
#include "platform/app/screen.h"
#include "platform/files/ini.h"

#include <optional>

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Bitmap;
using platform::gdi::Color;
using platform::gdi::rgb;

namespace {

constexpr int kW = 40, kH = 30;
const Color kRedColour = rgb(255, 0, 0);
const Color kUntouched = rgb(1, 2, 3);

Bitmap coordinatePicture(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, rgb(x, y, 77));
    return b;
}

bool allPixels(const Bitmap& b, Color c) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != c)
                return false;
    return true;
}

bool tiledWith(const Bitmap& b, const Bitmap& tile) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) != tile.pixel(x % tile.width(), y % tile.height()))
                return false;
    return true;
}

} // namespace

class BackgroundTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        programDir_ = makeScratchProgramDir();
        setField(kPreferencesFilePosition, kPreferencesFileWidth, "DATA\\CFG.DAT");
        configure("N", "N", "0", "255", "0", "N");
        sharedObjects.BackBuffer = Bitmap(kW, kH);
        sharedObjects.BackgroundCopy = Bitmap(kW, kH);
        sharedObjects.BackBuffer.fillRect(sharedObjects.BackBuffer.rect(), kUntouched);
        sharedObjects.BackgroundCopy.fillRect(sharedObjects.BackgroundCopy.rect(), kUntouched);
        ScrollBarVisible = false;
        screen_.emplace(kW, kH, 32);
    }
    void TearDown() override {
        screen_.reset();
        AppFixture::TearDown();
    }

    static void configure(const char* def, const char* customized, const char* picture,
                          const char* colour, const char* fixed, const char* fade) {
        setField(kBackgroundDefaultPosition, 1, def);
        setField(kCustomizedBackgroundPosition, 1, customized);
        setField(kBackgroundPicturePosition, 4, picture);
        setField(kBackgroundColourPosition, 15, colour);
        setField(kBackgroundFixedColourPosition, 15, fixed);
        setField(kFadeBackgroundPosition, 1, fade);
    }
    void setDepth(int bits) {
        screen_.reset();
        screen_.emplace(kW, kH, bits);
    }
    void paint() { fnPaintConfiguredBackground(sharedObjects.BackBuffer); }
    static Bitmap& back() { return sharedObjects.BackBuffer; }
    static Bitmap& copy() { return sharedObjects.BackgroundCopy; }

    std::string programDir_;
    std::optional<platform::app::TestScreen> screen_;
};

struct PlainCase {
    const char* name;
    const char* def;
    const char* colour;
    const char* fixed;
    int depth;
    Color expected;
};

class PlainBackgroundTest : public BackgroundTest,
                            public ::testing::WithParamInterface<PlainCase> {};

TEST_P(PlainBackgroundTest, FillsBackBufferAndCopyWithOneColour) {
    const PlainCase& c = GetParam();
    setDepth(c.depth);
    configure(c.def, "N", "0", c.colour, c.fixed, "Y"); // fading never applies at 8 bits
    if (c.depth > 8)
        configure(c.def, "N", "0", c.colour, c.fixed, "N");
    paint();
    EXPECT_TRUE(allPixels(back(), c.expected)) << c.name;
    EXPECT_TRUE(back() == copy()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlainBackgroundTest,
    ::testing::Values(
        PlainCase{"DefaultGreenOn256Colours", "Y", "255", "32768", 8, 0x008000},
        PlainCase{"DefaultGreenOnTrueColour", "Y", "255", "32768", 32, 0x006000},
        PlainCase{"OwnColour", "N", "255", "0", 32, 0x0000FF},
        PlainCase{"PositiveFixedColourWins", "N", "255", "8421376", 32, 8421376},
        PlainCase{"SystemFixedColourLeavesOwnColour", "N", "255", "-2147483633", 32, 0x0000FF},
        PlainCase{"SystemColourResolved", "N", "-2147483633", "0", 32, rgb(192, 192, 192)},
        PlainCase{"NoFadeAt256Colours", "N", "255", "0", 8, 0x0000FF}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BackgroundTest, FadingRunsFromTheColourDownToBlack) {
    configure("N", "N", "0", "255", "0", "Y");
    paint();
    // 31 rows of gradient (the buffer and one more): the top row is band 251, 250 of 255.
    EXPECT_EQ(back().pixel(0, 0), rgb(250, 0, 0));
    EXPECT_LT(platform::gdi::redOf(back().pixel(0, kH - 1)), 16);
    for (int y = 1; y < kH; ++y)
        ASSERT_LE(platform::gdi::redOf(back().pixel(5, y)),
                  platform::gdi::redOf(back().pixel(5, y - 1)));
    EXPECT_TRUE(back() == copy());
}

TEST_F(BackgroundTest, WithTheScrollBarShownTheFadeReachesBelowTheBuffer) {
    configure("N", "N", "0", "255", "0", "Y");
    paint();
    const int bottomWithout = platform::gdi::redOf(back().pixel(0, kH - 1));
    ScrollBarVisible = true;
    paint();
    EXPECT_GT(platform::gdi::redOf(back().pixel(0, kH - 1)), bottomWithout + 40);
}

TEST_F(BackgroundTest, SmallPictureNumbersAreTiled) {
    writeImage("B012", coordinatePicture(7, 4));
    configure("N", "N", "12", "255", "0", "N");
    paint();
    EXPECT_TRUE(tiledWith(back(), coordinatePicture(7, 4)));
    EXPECT_TRUE(back() == copy());
}

TEST_F(BackgroundTest, AChosenPictureShowsWhateverFixedColourIsStored) {
    writeImage("B012", coordinatePicture(7, 4));
    configure("N", "N", "12", "255", "32768", "N");
    paint();
    EXPECT_TRUE(tiledWith(back(), coordinatePicture(7, 4)));
}

TEST_F(BackgroundTest, AFixedColourGivenWithAPictureModePaintsTheColour) {
    writeImage("B012", coordinatePicture(7, 4));
    Bitmap sample(kW, kH);
    PaintBackground(sample, 12, 0, true, 8421376);
    EXPECT_TRUE(allPixels(sample, 8421376));
}

TEST_F(BackgroundTest, PictureNumbersAbove499AreDrawnOnce) {
    writeImage("B600", coordinatePicture(7, 4));
    configure("N", "N", "600", "255", "0", "N");
    paint();
    EXPECT_EQ(back().pixel(6, 3), rgb(6, 3, 77));
    EXPECT_EQ(back().pixel(7, 3), kUntouched);
    EXPECT_EQ(back().pixel(0, 4), kUntouched);
    EXPECT_TRUE(back() == copy());
}

TEST_F(BackgroundTest, TheUsersOwnPictureIsTiledFromItsPath) {
    const std::string own = programDir_ + "mine.bmp";
    ASSERT_TRUE(coordinatePicture(5, 6).save(own));
    platform::files::IniFile(programDir_ + "DATA/CFG.DAT")
        .writeString("Preference", "Customized_Background", own);
    configure("N", "Y", "12", "255", "0", "N");
    paint();
    EXPECT_TRUE(tiledWith(back(), coordinatePicture(5, 6)));
}

TEST_F(BackgroundTest, AMissingOwnPictureIsReportedOnceAndTheNextChoiceShows) {
    const std::string own = programDir_ + "deleted.bmp";
    platform::files::IniFile(programDir_ + "DATA/CFG.DAT")
        .writeString("Preference", "Customized_Background", own);
    writeImage("B012", coordinatePicture(7, 4));
    configure("N", "Y", "12", "255", "0", "N");
    platform::app::ScriptedMessageBoxes boxes;
    paint();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Customized background image not found: " + own);
    EXPECT_EQ(fnReadSettingsField(kCustomizedBackgroundPosition, 1), "N");
    EXPECT_TRUE(tiledWith(back(), coordinatePicture(7, 4)));
    EXPECT_EQ(platform::files::IniFile(programDir_ + "DATA/CFG.DAT")
                  .readString("Preference", "Customized_Background", ""),
              own); // the preferences keep the path
}

TEST_F(BackgroundTest, CanvasOnlyLeavesTheBareCopyAlone) {
    Bitmap sample(kW, kH);
    PaintBackground(sample, kColourMode, 255, true, 0);
    EXPECT_TRUE(allPixels(sample, 0x0000FF));
    EXPECT_TRUE(allPixels(copy(), kUntouched));
}

TEST_F(BackgroundTest, FlippingCopiesTheBufferFromTheScrollPosition) {
    back() = coordinatePicture(kW, kH + 20);
    mainWindow.ScrollBarPosition = 5;
    Bitmap window(kW, kH);
    fnFlipBackBuffer(window);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(window.pixel(x, y), rgb(x, y + 5, 77));
}

TEST_F(BackgroundTest, TheBareCopyIsDrawnAtTheOrigin) {
    copy() = coordinatePicture(kW, kH);
    Bitmap canvas(kW + 5, kH + 5);
    fnDrawBackgroundCopy(canvas);
    EXPECT_EQ(canvas.pixel(kW - 1, kH - 1), rgb(kW - 1, kH - 1, 77));
    EXPECT_EQ(canvas.pixel(kW, 0), rgb(255, 255, 255));
}
