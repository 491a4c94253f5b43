// A picture for reviewers: the back buffer painted with each shipped background and every
// colour mode, one card of each suit at each size on it, the card back and a few pile bases.
#include "app_fixture.h"

#include "solitaire/app/background.h"

#include "platform/app/screen.h"

using namespace solitaire;
using namespace solitaire::testing;
using platform::gdi::Bitmap;

namespace {

// Puts a card picture on the table as the table drawing does: the corner pixels show the
// background beneath.
void placeCard(Bitmap& table, const Bitmap& card, int x, int y) {
    Bitmap copy = card;
    for (const auto p : cornerPixels(card.width(), card.height()))
        copy.setPixel(p.x, p.y, table.pixel(x + p.x, y + p.y));
    table.copyFrom({x, y}, copy, copy.rect());
}

} // namespace

constexpr int kSheetWidth = 600;

TEST_F(AppFixture, SavesATablePictureWithEveryBackgroundAndCardSize) {
    platform::app::TestScreen screen(kSheetWidth, 110, 32);
    constexpr int kBandHeight = 110;
    struct Background {
        const char* def;
        const char* picture;
        const char* fixed;
        const char* fade;
    };
    const Background backgrounds[] = {
        {"Y", "0", "0", "N"},   {"N", "0", "0", "Y"},   {"N", "0", "8421376", "N"},
        {"N", "102", "0", "N"}, {"N", "287", "0", "N"}, {"N", "296", "0", "N"},
        {"N", "304", "0", "N"}, {"N", "311", "0", "N"}, {"N", "324", "0", "N"}};
    Bitmap sheet(kSheetWidth, kBandHeight * static_cast<int>(std::size(backgrounds)));
    sharedObjects.BackBuffer = Bitmap(kSheetWidth, kBandHeight);
    sharedObjects.BackgroundCopy = Bitmap(kSheetWidth, kBandHeight);
    setField(kDeckPosition, 3, "001");
    int band = 0;
    for (const Background& b : backgrounds) {
        setField(kBackgroundDefaultPosition, 1, b.def);
        setField(kCustomizedBackgroundPosition, 1, "N");
        setField(kBackgroundPicturePosition, 4, b.picture);
        setField(kBackgroundColourPosition, 15, "16711680");
        setField(kBackgroundFixedColourPosition, 15, b.fixed);
        setField(kFadeBackgroundPosition, 1, b.fade);
        fnPaintConfiguredBackground(sharedObjects.BackBuffer);
        int x = 4;
        for (const char* size : {"B", "M", "L"}) {
            setField(kCardSizePosition, 1, size);
            setField(kCardBackPosition, 3, size == std::string("B") ? "011" : "006");
            fnApplyCardSize();
            placeCard(sharedObjects.BackBuffer, sharedObjects.CardBackImage, x, 6);
            x += mainWindow.CardWidth + 3;
            for (int suit = 0; suit < 4; ++suit) {
                placeCard(sharedObjects.BackBuffer, sharedObjects.CardFaces[suit * 13 + 11 - suit],
                          x, 6 + (suit % 2) * 4);
                x += mainWindow.CardWidth / 2 + 2;
            }
            x += mainWindow.CardWidth / 2 + 4;
        }
        ASSERT_LE(x, kSheetWidth);
        sheet.copyFrom({0, band++ * kBandHeight}, sharedObjects.BackBuffer,
                       sharedObjects.BackBuffer.rect());
    }
    const std::filesystem::path out = std::getenv("ZV_TEST_OUTPUT_DIR");
    std::filesystem::create_directories(out);
    ASSERT_TRUE(sheet.save((out / "solitaire_backgrounds_and_cards.png").string()));
}
