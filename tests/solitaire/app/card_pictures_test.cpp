#include "app_fixture.h"

#include "platform/app/messagebox.h"
#include "platform/gdi/drawing.h"

#include <iostream>

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Bitmap;
using platform::gdi::Color;
using platform::gdi::Rect;

namespace {

constexpr Color kCornerKey = 0x006000; // what the pictures hold where the table shows through

struct CardSet {
    const char* letter;
    const char* deck;
    int width, height;
};

std::string setName(const ::testing::TestParamInfo<CardSet>& info) {
    return std::string(info.param.letter) + info.param.deck;
}

// A picture whose every pixel tells its place.
Bitmap coordinatePicture(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setPixel(x, y, platform::gdi::rgb(x, y, 99));
    return b;
}

Bitmap cell(const Bitmap& strip, int column, int row, int w, int h) {
    Bitmap out(w, h);
    out.copyFrom({0, 0}, strip, Rect::fromSize(column * w, row * h, w, h));
    return out;
}

} // namespace

class CardSetTest : public AppFixture, public ::testing::WithParamInterface<CardSet> {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        setField(kCardSizePosition, kCardSizeWidth, GetParam().letter);
        setField(kDeckPosition, kDeckWidth, GetParam().deck);
        setField(kCardBackPosition, kCardBackWidth, "006");
        fnApplyCardSize();
    }
};

TEST_P(CardSetTest, SizeAndCardRectFollowTheLetter) {
    EXPECT_EQ(mainWindow.CardWidth, GetParam().width);
    EXPECT_EQ(mainWindow.CardHeight, GetParam().height);
    EXPECT_EQ(CardRect, (Rect{0, 0, GetParam().width, GetParam().height}));
    EXPECT_EQ(CornerWidth, 0);
}

TEST_P(CardSetTest, FacesAreCutFromTheirCellsInReadingOrder) {
    const auto [letter, deck, w, h] = GetParam();
    const std::string suits = "HDCS";
    for (int s = 0; s < 4; ++s) {
        const Bitmap strip = platform::resources::loadBitmap(
            ResourceLibraryHandle, std::string("C") + letter + deck + suits[s]);
        ASSERT_GE(strip.width(), 5 * w);
        ASSERT_GE(strip.height(), 3 * h);
        for (int k = 0; k < 13; ++k) {
            const Bitmap& face = sharedObjects.CardFaces[s * 13 + k];
            ASSERT_EQ(face.width(), w);
            ASSERT_EQ(face.height(), h);
            EXPECT_TRUE(face == cell(strip, k % 5, k / 5, w, h)) << suits[s] << " face " << k;
            if (k > 0) {
                EXPECT_FALSE(face == sharedObjects.CardFaces[s * 13 + k - 1]) << suits[s] << k;
            }
        }
    }
    EXPECT_TRUE(sharedObjects.DragImage == sharedObjects.CardFaces[0]);
}

TEST_P(CardSetTest, EveryFaceAndTheBackHaveTheThreePixelCorners) {
    const auto [letter, deck, w, h] = GetParam();
    std::vector<const Bitmap*> cards{&sharedObjects.CardBackImage};
    for (const Bitmap& face : sharedObjects.CardFaces)
        cards.push_back(&face);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const Bitmap& card = *cards[i];
        ASSERT_EQ(card.width(), w) << i;
        for (const auto p : cornerPixels(w, h))
            EXPECT_EQ(card.pixel(p.x, p.y), kCornerKey)
                << "card " << i << " at " << p.x << "," << p.y;
        // Next to the corner the card itself begins: the outline, never the table.
        for (const platform::gdi::Point p : {platform::gdi::Point{1, 1},
                                             {2, 0},
                                             {0, 2},
                                             {w - 2, h - 2},
                                             {w - 3, h - 1},
                                             {w - 1, h - 3}})
            EXPECT_NE(card.pixel(p.x, p.y), kCornerKey)
                << "card " << i << " at " << p.x << "," << p.y;
    }
}

TEST_P(CardSetTest, MarkersShadowsAndBordersAreLoadedAtTheirSizes) {
    const auto [letter, deck, w, h] = GetParam();
    for (std::size_t i = 0; i < sharedObjects.MarkerImages.size(); ++i) {
        EXPECT_EQ(sharedObjects.MarkerImages[i].width(), w) << i;
        EXPECT_EQ(sharedObjects.MarkerImages[i].height(), h) << i;
    }
    // Load orders 1 and 6 are both "004"; rank marks differ from each other.
    EXPECT_TRUE(sharedObjects.MarkerImages[0] == sharedObjects.MarkerImages[5]);
    EXPECT_FALSE(sharedObjects.MarkerImages[6] == sharedObjects.MarkerImages[18]); // ace, king
    // The stock edge cuts bands of these sizes from the borders.
    EXPECT_GE(sharedObjects.BorderImages[1].width(), w + 11);
    EXPECT_GE(sharedObjects.BorderImages[1].height(), 16);
    EXPECT_GE(sharedObjects.BorderImages[0].width(), 16);
    EXPECT_GE(sharedObjects.BorderImages[0].height(), h + 13);
    EXPECT_FALSE(sharedObjects.ShadowImages[0].isEmpty());
    EXPECT_FALSE(sharedObjects.ShadowImages[1].isEmpty());
}

// Every marker pixel is one of the inks the table resolves against its background, or the
// stock hint's own yellow: a smoothed edge in between would show as a fixed colour on every
// table.
TEST_P(CardSetTest, MarkersAreDrawnInTheTableInksAlone) {
    constexpr Color kHintYellow = 0x40E0FF;
    for (std::size_t i = 0; i < sharedObjects.MarkerImages.size(); ++i) {
        const Bitmap& marker = sharedObjects.MarkerImages[i];
        for (int y = 0; y < marker.height(); ++y)
            for (int x = 0; x < marker.width(); ++x) {
                const Color c = marker.pixel(x, y);
                ASSERT_TRUE(c == kMarkerTableInk || c == kMarkerSlotInk || c == kMarkerLineInk ||
                            c == kHintYellow)
                    << "marker " << i << " at " << x << "," << y << ": " << std::hex << c;
            }
    }
}

// Drawn with their fixed transparent colours over a plain table, shadows and borders leave
// the table visible around their dots and bands, and put their own pixels elsewhere.
TEST_P(CardSetTest, TransparentColoursKeepTheTableAroundShadowsAndBorders) {
    const Color table = platform::gdi::rgb(10, 200, 10);
    struct Overlay {
        const Bitmap* picture;
        Color key;
    };
    for (const Overlay o : {Overlay{&sharedObjects.ShadowImages[0], kShadowTransparentColor},
                            Overlay{&sharedObjects.ShadowImages[1], kShadowTransparentColor},
                            Overlay{&sharedObjects.BorderImages[0], kBorderTransparentColor},
                            Overlay{&sharedObjects.BorderImages[1], kBorderTransparentColor}}) {
        Bitmap canvas(o.picture->width(), o.picture->height());
        canvas.fillRect(canvas.rect(), table);
        platform::gdi::drawTransparent(canvas, {0, 0}, *o.picture, o.key);
        int kept = 0, drawn = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool keyed = o.picture->pixel(x, y) == o.key;
                EXPECT_EQ(canvas.pixel(x, y), keyed ? table : o.picture->pixel(x, y));
                (keyed ? kept : drawn)++;
            }
        EXPECT_GT(kept, 0);
        EXPECT_GT(drawn, 0);
    }
    // The first 13 columns of border 2 lie beside the stack and are all transparent.
    const Bitmap& below = sharedObjects.BorderImages[1];
    for (int y = 0; y < below.height(); ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(below.pixel(x, y), kBorderTransparentColor);
}

INSTANTIATE_TEST_SUITE_P(AllSizesAndDecks, CardSetTest,
                         ::testing::Values(CardSet{"B", "001", 71, 96}, CardSet{"B", "003", 71, 96},
                                           CardSet{"M", "001", 59, 80}, CardSet{"M", "003", 59, 80},
                                           CardSet{"L", "001", 25, 32},
                                           CardSet{"L", "003", 25, 32}),
                         setName);

using CardPicturesTest = AppFixture;

TEST_F(CardPicturesTest, MediumQueenOfHeartsComesFromColumnOneRowTwo) {
    setField(kCardSizePosition, 1, "M");
    setField(kDeckPosition, 3, "001");
    setField(kCardBackPosition, 3, "006");
    fnApplyCardSize();
    const Bitmap strip = platform::resources::loadBitmap(ResourceLibraryHandle, "CM001H");
    EXPECT_TRUE(sharedObjects.CardFaces[11] == cell(strip, 1, 2, 59, 80));
    EXPECT_FALSE(sharedObjects.CardFaces[11] == cell(strip, 2, 2, 59, 80));
}

TEST_F(CardPicturesTest, TheTwoDecksLookDifferent) {
    setField(kCardSizePosition, 1, "B");
    setField(kCardBackPosition, 3, "006");
    setField(kDeckPosition, 3, "001");
    fnApplyCardSize();
    const Bitmap king = sharedObjects.CardFaces[12];
    setField(kDeckPosition, 3, "003");
    fnApplyCardSize();
    EXPECT_FALSE(king == sharedObjects.CardFaces[12]);
}

TEST_F(CardPicturesTest, AnUnknownLetterKeepsTheSizeAndAnEmptyCardTableLoadsNothing) {
    setField(kCardSizePosition, 1, "M");
    setField(kCardBackPosition, 3, "006");
    setField(kDeckPosition, 3, "001");
    fnApplyCardSize();
    sharedObjects.CardTable.clear();
    setField(kCardSizePosition, 1, "X");
    sharedObjects.CardBackImage = Bitmap();
    sharedObjects.MarkerImages[0] = Bitmap();
    fnApplyCardSize();
    EXPECT_EQ(mainWindow.CardWidth, 59);
    EXPECT_EQ(mainWindow.CardHeight, 80);
    EXPECT_TRUE(sharedObjects.CardBackImage.isEmpty());
    EXPECT_TRUE(sharedObjects.MarkerImages[0].isEmpty());
}

TEST_F(CardPicturesTest, AMissingResourceNameGivesAnEmptyPictureSilently) {
    platform::app::ScriptedMessageBoxes boxes;
    Bitmap marker(5, 5);
    fnLoadResourceBitmap(marker, "W" + std::string("X") + "004");
    EXPECT_TRUE(marker.isEmpty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CardPicturesTest, TilingFollowsTheFirstRowThenCopiesItsStripDown) {
    makeScratchProgramDir();
    const Bitmap picture = coordinatePicture(100, 50);
    writeImage("T100", picture);
    const Color untouched = platform::gdi::rgb(1, 2, 3);
    Bitmap canvas(320, 200);
    canvas.fillRect(canvas.rect(), untouched);
    fnRiempi(canvas, 250, 120, "T100");
    // Row 0: copies at x = 0, 100, 200 (each whole); rows: the strip 250 wide at y = 50, 100.
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const bool firstRow = y < 50 && x < 300;
            const bool copiedDown = y >= 50 && y < 150 && x < 250;
            const Color expected =
                firstRow || copiedDown ? picture.pixel(x % 100, y % 50) : untouched;
            ASSERT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
        }
}

TEST_F(CardPicturesTest, TilingAShortAreaStillCopiesTheStripOnce) {
    makeScratchProgramDir();
    writeImage("T2", coordinatePicture(4, 3));
    Bitmap canvas(8, 8);
    canvas.fillRect(canvas.rect(), 0);
    fnRiempi(canvas, 8, 2, "T2");
    EXPECT_EQ(canvas.pixel(1, 4), platform::gdi::rgb(1, 1, 99)); // row y = 3 holds the strip
    EXPECT_EQ(canvas.pixel(1, 6), 0u);
}

TEST_F(CardPicturesTest, TilingWithoutANameReportsAndDrawsNothing) {
    platform::app::ScriptedMessageBoxes boxes;
    Bitmap canvas(10, 10);
    const Bitmap before = canvas;
    fnRiempi(canvas, 10, 10, "");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "fnRiempi Image: bad option");
    EXPECT_TRUE(canvas == before);
}

TEST_F(CardPicturesTest, ANameWithAFolderIsUsedAsThePath) {
    const std::string dir = makeScratchProgramDir();
    ASSERT_TRUE(coordinatePicture(7, 5).save(dir + "own.bmp"));
    Bitmap loaded;
    fnLoadImageFile(loaded, dir + "own.bmp");
    EXPECT_TRUE(loaded == coordinatePicture(7, 5));
}

TEST_F(CardPicturesTest, DrawImageFileCopiesOnceAtTheOriginAndIgnoresAMissingFile) {
    makeScratchProgramDir();
    writeImage("B600", coordinatePicture(6, 4));
    Bitmap canvas(10, 10);
    DrawImageFile(canvas, "B600");
    EXPECT_EQ(canvas.pixel(5, 3), platform::gdi::rgb(5, 3, 99));
    EXPECT_EQ(canvas.pixel(6, 3), platform::gdi::rgb(255, 255, 255)); // no second copy
    platform::app::ScriptedMessageBoxes boxes;
    DrawImageFile(canvas, "B601");
    EXPECT_TRUE(boxes.shown().empty());
}

// The ending child prints the boxes it showed, so the parent can check the message.
namespace {
platform::app::ScriptedMessageBoxes* childBoxes = nullptr;
void printChildBoxes() {
    for (const auto& box : childBoxes->shown())
        std::cerr << "[" << box.caption << "|" << box.text << "]";
}
void loadWithMissingBack() {
    static platform::app::ScriptedMessageBoxes boxes;
    childBoxes = &boxes;
    std::atexit(printChildBoxes);
    setField(kCardSizePosition, 1, "B");
    setField(kCardBackPosition, 3, "099");
    fnLoadCardGraphics();
    std::cerr << "returned";
}
} // namespace

using CardPicturesDeathTest = AppFixture;

TEST_F(CardPicturesDeathTest, AMissingBackFileEndsTheProgramWithTheFatalMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string path; // as a pattern: the folder separators escaped
    for (char c : distProgramDir() + "Images\\DB099.bmp")
        path += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EXIT(loadWithMissingBack(), ::testing::ExitedWithCode(0),
                "\\[Error\\|Cannot find images file:\n" + path +
                    "\nSome program components cannot be shown correctly.\n");
}
