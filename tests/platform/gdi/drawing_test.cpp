#include "platform/gdi/drawing.h"
#include "platform/gdi/system_colors.h"

#include <gtest/gtest.h>

using namespace platform::gdi;

namespace {

const Color white = rgb(255, 255, 255);
const Color black = rgb(0, 0, 0);
const Color red = rgb(255, 0, 0);
const Color blue = 0xFF0000; // the borders' transparent colour: pure blue in 0x00BBGGRR

Bitmap filled(int w, int h, Color c) {
    Bitmap b(w, h);
    b.fillRect(b.rect(), c);
    return b;
}

// Every pixel inside `inside` has colour `in`, every other pixel `out`.
void expectRegion(const Bitmap& b, const Rect& inside, Color in, Color out) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            ASSERT_EQ(b.pixel(x, y), inside.contains({x, y}) ? in : out) << x << "," << y;
}

} // namespace

TEST(SystemColorTest, SystemValuesResolveToTheClassicSchemeAndPlainOnesPassThrough) {
    EXPECT_EQ(toPlainColor(0x8000000Fu), rgb(192, 192, 192)); // button face, -2147483633
    EXPECT_EQ(toPlainColor(systemColorValue(SystemColor::Window)), white);
    EXPECT_EQ(toPlainColor(0x80000063u), black); // no such entry
    EXPECT_EQ(toPlainColor(0x00006000u), 0x00006000u);
}

TEST(TransparentCopyTest, FixedColourPixelsAreLeftOut) {
    Bitmap dest = filled(6, 4, white);
    Bitmap source = filled(3, 2, blue);
    source.setPixel(1, 0, red);
    source.setPixel(2, 1, black);
    drawTransparent(dest, {2, 1}, source, blue);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const Color expected = (x == 3 && y == 1) ? red : (x == 4 && y == 2) ? black : white;
            EXPECT_EQ(dest.pixel(x, y), expected) << x << "," << y;
        }
}

TEST(TransparentCopyTest, AutoModeKeysOnTheTopLeftPixel) {
    Bitmap dest = filled(4, 4, white);
    Bitmap source = filled(2, 2, rgb(0x80, 0, 0));
    source.setPixel(1, 1, red);
    drawTransparentAuto(dest, {0, 0}, source);
    EXPECT_EQ(dest.pixel(0, 0), white);
    EXPECT_EQ(dest.pixel(1, 0), white);
    EXPECT_EQ(dest.pixel(1, 1), red);
}

TEST(TransparentCopyTest, ClipsAtTheDestinationEdges) {
    Bitmap dest = filled(3, 3, white);
    drawTransparent(dest, {-1, 2}, filled(3, 3, red), blue);
    expectRegion(dest, {0, 2, 2, 3}, red, white);
}

TEST(InvertTest, InvertRectFlipsOnlyTheRectangleAndTwiceRestores) {
    Bitmap b = filled(5, 5, rgb(0x10, 0x20, 0x30));
    invertRect(b, {1, 1, 3, 4});
    expectRegion(b, {1, 1, 3, 4}, rgb(0xEF, 0xDF, 0xCF), rgb(0x10, 0x20, 0x30));
    invertRect(b, {1, 1, 3, 4});
    expectRegion(b, {}, black, rgb(0x10, 0x20, 0x30));
}

TEST(InvertTest, DestinationInvertCopyIgnoresTheSource) {
    Bitmap b = filled(4, 4, black);
    const Bitmap other = filled(4, 4, red);
    copyRect(b, {0, 0, 2, 2}, other, {0, 0, 2, 2}, CopyMode::DestinationInvert);
    expectRegion(b, {0, 0, 2, 2}, white, black);
}

TEST(CopyTest, DifferentSizesStretchByNearestPixel) {
    Bitmap source(2, 2);
    source.setPixel(0, 0, red);
    source.setPixel(1, 0, black);
    source.setPixel(0, 1, blue);
    source.setPixel(1, 1, white);
    Bitmap dest = filled(4, 4, rgb(1, 2, 3));
    copyRect(dest, {0, 0, 4, 4}, source, {0, 0, 2, 2});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dest.pixel(x, y), source.pixel(x / 2, y / 2)) << x << "," << y;
}

struct RectangleCase {
    const char* name;
    Pen pen;
    Brush brush;
    Rect outline;  // pixels in the pen colour (a frame one pixel wide), empty for none
    Rect interior; // pixels in the brush colour
};

class RectangleTest : public ::testing::TestWithParam<RectangleCase> {};

TEST_P(RectangleTest, FollowsTheCanvasEdgeRules) {
    const RectangleCase& c = GetParam();
    Bitmap b = filled(12, 10, white);
    rectangle(b, {2, 1, 9, 8}, c.pen, c.brush);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const Point p{x, y};
            const bool onFrame =
                c.outline.contains(p) && !Rect{c.outline.left + 1, c.outline.top + 1,
                                               c.outline.right - 1, c.outline.bottom - 1}
                                              .contains(p);
            const Color expected = onFrame                  ? c.pen.color
                                   : c.interior.contains(p) ? c.brush.color
                                                            : white;
            ASSERT_EQ(b.pixel(x, y), expected) << c.name << " " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RectangleTest,
    ::testing::Values(
        // A clear pen loses the last column and row: (0, 0)-(w + 1, h + 1) fills w x h.
        RectangleCase{"clear pen", {red, 1, PenStyle::Clear}, {blue}, {}, {2, 1, 8, 7}},
        RectangleCase{"solid pen", {red, 1, PenStyle::Solid}, {blue}, {2, 1, 9, 8}, {3, 2, 8, 7}},
        RectangleCase{
            "clear brush", {red, 1, PenStyle::Solid}, {blue, BrushStyle::Clear}, {2, 1, 9, 8}, {}}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (ch == ' ')
                ch = '_';
        return n;
    });

TEST(LineTest, StopsBeforeTheEndPoint) {
    Bitmap b = filled(6, 3, white);
    drawLine(b, {0, 1}, {4, 1}, Pen{red});
    expectRegion(b, {0, 1, 4, 2}, red, white);
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndSurvivesLargeProducts) {
    EXPECT_EQ(mulDiv(1, 1, 2), 1);
    EXPECT_EQ(mulDiv(-1, 1, 2), -1);
    EXPECT_EQ(mulDiv(1, 1, 3), 0);
    EXPECT_EQ(mulDiv(255, 255, 256), 254);
    EXPECT_EQ(mulDiv(1 << 30, 4, 8), 1 << 29);
    EXPECT_EQ(mulDiv(5, 7, 0), -1);
}

TEST(GradientTest, BandsRunFromBottomColourUpToTheTopColour) {
    // 256 rows: one row per band, band k at row 255 - k, channel round(k * 255 / 256).
    Bitmap b(3, 256);
    gradientFill(b, {0, 0, 3, 256}, rgb(255, 0, 255), black);
    EXPECT_EQ(b.pixel(0, 255), black);            // band 0
    EXPECT_EQ(b.pixel(1, 127), rgb(128, 0, 128)); // band 128: 127.5 rounds up
    EXPECT_EQ(b.pixel(2, 0), rgb(254, 0, 254));   // band 255
}

TEST(GradientTest, ShortAreasDropBandsAndKeepTheLastOneThatCoversARow) {
    Bitmap b = filled(2, 12, red);
    gradientFill(b, {0, 1, 2, 11}, 0x8000000Fu, black); // top: button face, a system colour
    EXPECT_EQ(b.pixel(0, 0), red);                      // above the area
    EXPECT_EQ(b.pixel(0, 11), red);                     // below it
    // 10 rows for 256 bands: the top row is band 243 (182 of 192), the bottom row band 12 (9).
    EXPECT_EQ(b.pixel(0, 1), rgb(182, 182, 182));
    EXPECT_EQ(b.pixel(0, 10), rgb(9, 9, 9));
}
