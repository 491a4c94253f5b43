#include "platform/gdi/bitmap.h"
#include "platform/gdi/qimage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace platform::gdi;

namespace {

const Color white = rgb(255, 255, 255);
const Color red = rgb(255, 0, 0);
const Color green = rgb(0, 128, 0);

// A bitmap whose every pixel tells its place: red = x, green = y.
Bitmap coordinatePicture(int width, int height) {
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, rgb(x, y, 7));
    return bitmap;
}

// Pixels of rect equal color and every other pixel equals outside.
void expectOnly(const Bitmap& bitmap, const Rect& rect, Color color, Color outside) {
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            ASSERT_EQ(bitmap.pixel(x, y), rect.contains({x, y}) ? color : outside)
                << x << "," << y;
}

} // namespace

TEST(ColorTest, RgbPacksRedIntoTheLowestByte) {
    EXPECT_EQ(rgb(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(rgb(0, 128, 0), 32768u); // the default fixed background colour
    EXPECT_EQ(redOf(0x00563412u), 0x12);
    EXPECT_EQ(greenOf(0x00563412u), 0x34);
    EXPECT_EQ(blueOf(0x00563412u), 0x56);
}

TEST(RectTest, RightAndBottomAreExclusive) {
    const Rect r = Rect::fromSize(10, 20, 71, 96);
    EXPECT_EQ(r, (Rect{10, 20, 81, 116}));
    EXPECT_EQ(r.width(), 71);
    EXPECT_TRUE(r.contains({10, 20}));
    EXPECT_TRUE(r.contains({80, 115}));
    EXPECT_FALSE(r.contains({81, 20}));
    EXPECT_FALSE(r.contains({10, 116}));
    EXPECT_EQ(r.intersected({0, 0, 15, 25}), (Rect{10, 20, 15, 25}));
    EXPECT_TRUE(r.intersected({81, 0, 90, 200}).isEmpty());
}

TEST(BitmapTest, NewBitmapIsWhiteAndRgb32) {
    const Bitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.width(), 3);
    EXPECT_EQ(bitmap.height(), 2);
    EXPECT_EQ(qImage(bitmap).format(), QImage::Format_RGB32);
    expectOnly(bitmap, {}, 0, white);
    EXPECT_TRUE(Bitmap().isEmpty());
    EXPECT_TRUE(Bitmap(0, 5).isEmpty());
}

TEST(BitmapTest, PixelsOutsideAreInvalidAndIgnored) {
    Bitmap bitmap(2, 2);
    bitmap.setPixel(1, 1, red);
    EXPECT_EQ(bitmap.pixel(1, 1), red);
    for (Point p : {Point{-1, 0}, Point{2, 0}, Point{0, 2}, Point{0, -1}}) {
        bitmap.setPixel(p.x, p.y, green);
        EXPECT_EQ(bitmap.pixel(p.x, p.y), invalidColor);
    }
    expectOnly(bitmap, {1, 1, 2, 2}, red, white);
    EXPECT_EQ(Bitmap().pixel(0, 0), invalidColor);
}

TEST(BitmapTest, FillRectIsClippedToTheBitmap) {
    const struct {
        Rect fill;
        Rect painted;
    } cases[] = {
        {{1, 1, 3, 4}, {1, 1, 3, 4}},
        {{-5, -5, 2, 2}, {0, 0, 2, 2}},
        {{4, 3, 99, 99}, {4, 3, 5, 5}},
        {{3, 3, 3, 5}, {}},  // no width
        {{6, 0, 9, 9}, {}},  // beside the bitmap
        {{4, 4, 2, 2}, {}},  // upside down
    };
    for (const auto& c : cases) {
        Bitmap bitmap(5, 5);
        bitmap.fillRect(c.fill, green);
        expectOnly(bitmap, c.painted, green, white);
    }
}

TEST(BitmapTest, CopyFromPlacesTheSourceRectAtTheDestination) {
    const Bitmap source = coordinatePicture(10, 10);
    Bitmap target(6, 6);
    target.copyFrom({1, 2}, source, {3, 4, 6, 6});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 2 && y < 4;
            EXPECT_EQ(target.pixel(x, y), inside ? rgb(x + 2, y + 2, 7) : white) << x << "," << y;
        }
}

TEST(BitmapTest, CopyFromClipsAtBothBitmapsKeepingAlignment) {
    const Bitmap source = coordinatePicture(4, 4);
    Bitmap target(4, 4);
    // The source rect hangs over the source's top left corner, the copy over the target's
    // right and bottom edges: only source (0..2, 0..1) lands, at (3, 2..3) and nowhere else.
    target.copyFrom({2, 1}, source, {-1, -1, 3, 3});
    int copied = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int sx = x - 3, sy = y - 2;
            const bool inside = sx >= 0 && sy >= 0 && sx < 3 && sy < 3;
            copied += inside;
            EXPECT_EQ(target.pixel(x, y), inside ? rgb(sx, sy, 7) : white) << x << "," << y;
        }
    EXPECT_EQ(copied, 2);
}

TEST(BitmapTest, CopyWithinOneBitmapHandlesOverlap) {
    Bitmap bitmap = coordinatePicture(8, 1);
    bitmap.copyFrom({2, 0}, bitmap, {0, 0, 6, 1});
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(bitmap.pixel(x, 0), rgb(x < 2 ? x : x - 2, 0, 7)) << x;
}

TEST(BitmapTest, ResizeKeepsTheTopLeftCornerAndAddsWhite) {
    Bitmap bitmap = coordinatePicture(4, 4);
    bitmap.resize(6, 2);
    EXPECT_EQ(bitmap.width(), 6);
    EXPECT_EQ(bitmap.height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), x < 4 ? rgb(x, y, 7) : white);
    bitmap.resize(0, 0);
    EXPECT_TRUE(bitmap.isEmpty());
}

TEST(BitmapTest, CopiesAreIndependent) {
    Bitmap original(2, 2);
    Bitmap copy = original;
    copy.setPixel(0, 0, red);
    EXPECT_EQ(original.pixel(0, 0), white);
    Bitmap moved = std::move(copy);
    EXPECT_EQ(moved.pixel(0, 0), red);
    EXPECT_TRUE(copy.isEmpty()); // NOLINT: a moved-from bitmap is empty and usable
    copy.resize(1, 1);
    EXPECT_EQ(copy.pixel(0, 0), white);
}

TEST(BitmapTest, SaveAndLoadRoundTripInBothFormats) {
    const auto dir = std::filesystem::temp_directory_path() / "zv-bitmap-test";
    std::filesystem::create_directories(dir / "Images");
    const Bitmap picture = coordinatePicture(5, 3);
    for (const std::string name : {"Pic.bmp", "Pic.png"}) {
        const std::string file = (dir / "Images" / name).string();
        ASSERT_TRUE(picture.save(file)) << name;
        Bitmap loaded;
        // Windows spelling of the same path.
        ASSERT_TRUE(loaded.load(dir.string() + "\\IMAGES\\" + name)) << name;
        EXPECT_EQ(loaded, picture) << name;
        EXPECT_EQ(qImage(loaded).format(), QImage::Format_RGB32);
    }
    std::ifstream bmp(dir / "Images" / "Pic.bmp", std::ios::binary);
    char magic[2] = {};
    bmp.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
    std::filesystem::remove_all(dir);
}

namespace {

// Leaves memory of the size a decoder asks for filled with non-black bytes, where the next
// allocation of that size finds it.
void dirtyTheHeap(std::size_t bytes) {
    void* block = std::malloc(bytes);
    ASSERT_NE(block, nullptr);
    std::memset(block, 0x7f, bytes);
    std::free(block);
}

struct CutShortCase {
    const char* name;
    bool topRowFirst;
};

class CutShortBitmapTest : public ::testing::TestWithParam<CutShortCase> {};

} // namespace

TEST_P(CutShortBitmapTest, RowsNeverReadAreBlack) {
    // The rows a decoder never reads must not show whatever the memory held, and a file loads
    // the same each time.
    constexpr int side = 64;
    const auto file = std::filesystem::temp_directory_path() /
                      (std::string("zv-cut-short-") + GetParam().name + ".bmp");
    Bitmap picture(side, side);
    picture.fillRect(picture.rect(), rgb(255, 0, 0));
    ASSERT_TRUE(picture.save(file.string()));
    if (GetParam().topRowFirst) {
        // The height field of the BMP's info header; negative means top row first.
        std::fstream bmp(file, std::ios::binary | std::ios::in | std::ios::out);
        const std::int32_t height = -side;
        bmp.seekp(22);
        bmp.write(reinterpret_cast<const char*>(&height), sizeof height);
    }
    std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
    const int readRow = GetParam().topRowFirst ? 0 : side - 1;
    const int missingRow = side - 1 - readRow;
    for (int pass = 0; pass < 2; ++pass) {
        dirtyTheHeap(std::size_t(side) * side * 4);
        Bitmap loaded;
        ASSERT_TRUE(loaded.load(file.string()));
        ASSERT_EQ(loaded.width(), side);
        ASSERT_EQ(loaded.height(), side);
        EXPECT_EQ(loaded.pixel(10, readRow), rgb(255, 0, 0));
        for (int x = 0; x < side; x += 9)
            EXPECT_EQ(loaded.pixel(x, missingRow), rgb(0, 0, 0)) << x;
    }
    std::filesystem::remove(file);
}

INSTANTIATE_TEST_SUITE_P(BitmapTest, CutShortBitmapTest,
                         ::testing::Values(CutShortCase{"bottomRowFirst", false},
                                           CutShortCase{"topRowFirst", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapTest, FailedLoadLeavesTheBitmapUnchanged) {
    const auto file = std::filesystem::temp_directory_path() / "zv-not-a-picture.bmp";
    std::ofstream(file) << "not a picture";
    Bitmap bitmap(2, 2);
    EXPECT_FALSE(bitmap.load(file.string()));
    EXPECT_FALSE(bitmap.load("/nonexistent/x.bmp"));
    EXPECT_EQ(bitmap.width(), 2);
    std::filesystem::remove(file);
}
