// Every picture Zevodadu asks for by name is in the built program folder: named bitmaps in
// ZUV.RGF, picture files in Images.

#include "platform/files/paths.h"
#include "platform/gdi/bitmap.h"
#include "platform/resources/resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using platform::resources::LibraryHandle;

namespace {

std::string programDir() {
    return std::string(std::getenv("ZV_DIST_DIR")) + "/Zevodadu/";
}

std::string threeDigits(int n) {
    std::string s = std::to_string(n);
    return std::string(3 - s.size(), '0') + s;
}

std::vector<std::string> libraryBitmapNames() {
    std::vector<std::string> names;
    for (const char* size : {"B", "M", "L"}) {
        for (const char* deck : {"001", "003"})
            for (const char* suit : {"H", "D", "C", "S"})
                names.push_back(std::string("C") + size + deck + suit);
        for (int n = 1; n <= 22; ++n)
            names.push_back(std::string("W") + size + threeDigits(n));
        for (const char* which : {"1", "2"}) {
            names.push_back(std::string("SHADOW_") + size + which);
            names.push_back(std::string("3D_BORDER_") + size + which);
        }
    }
    for (const char* glyph : {"TB_AUTOPLAY", "TB_AUTOPLAY_DIS", "TB_UNDO", "TB_UNDO_DIS", "TB_REDO",
                              "TB_REDO_DIS", "TB_NEW", "TB_OPEN", "TB_RULES", "TB_EXIT"})
        names.push_back(glyph);
    for (const char* tree : {"TREE1",
                             "TREE2",
                             "N_TREE3",
                             "N_TREE4",
                             "N_TREE5",
                             "F_TREE1",
                             "F_TREE2",
                             "S_TREE1",
                             "S_TREE2",
                             "D_TREE1",
                             "D_TREE2",
                             "C_TREE1",
                             "C_TREE2",
                             "T_TREE1",
                             "T_TREE2",
                             "I_TREE1",
                             "I_TREE2",
                             "K_TREE1",
                             "K_TREE2",
                             "W_TREE1",
                             "W_TREE2",
                             "TREE5_CANFIELD_TYPE",
                             "TREE5_FORTYTHIEVES_TYPE",
                             "TREE5_FREECELL_TYPE",
                             "TREE5_KLONDIKE_TYPE",
                             "TREE5_PAIRING_TYPE",
                             "TREE5_SIMPLEGAMES_TYPE",
                             "TREE5_SPIDER_TYPE",
                             "TREE5_1DECK_TYPE",
                             "TREE5_2DECK_TYPE",
                             "TREE5_FAN_TYPE",
                             "TREE5_BAKERSDOZEN_TYPE",
                             "TREE5_ROW_TYPE",
                             "TREE5_CUSTOMIZED_GAMES",
                             "TREE5_FAVORITES_GAMES"})
        names.push_back(tree);
    for (const char* description :
         {"PROG_TIME_LONG", "PROG_TIME_MEDIUM", "PROG_TIME_QUICK", "PROG_DIFF_EASY",
          "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD", "PROG_CHAN_VERYHIGH", "PROG_CHAN_HIGH",
          "PROG_CHAN_MEDIUM", "PROG_CHAN_LOW", "PROG_CHAN_VERYLOW"})
        names.push_back(description);
    for (const char* form : {"IMG_ZEVODADU", "IMG_ABOUT", "IMG_ADVICE_COLOR", "IMG_ADVICE_640X480",
                             "IMG_NEWSLETTER"})
        names.push_back(form);
    return names;
}

} // namespace

TEST(ShippedPicturesTest, TheLibraryHoldsEveryNamedBitmap) {
    const LibraryHandle library = platform::resources::loadLibrary(programDir() + "ZUV.RGF");
    ASSERT_GE(library, 32u);
    for (const std::string& name : libraryBitmapNames())
        EXPECT_FALSE(platform::resources::loadBitmap(library, name).isEmpty()) << name;
    platform::resources::freeLibrary(library);
}

TEST(ShippedPicturesTest, ImagesHoldsTheBacksAndBackgroundsTheOptionsOffer) {
    struct File {
        const char* name;
        int width, height; // 0: any size
    };
    for (const File f :
         {File{"DB001", 71, 96}, File{"DB003", 71, 96}, File{"DB006", 71, 96},
          File{"DB011", 71, 96}, File{"DB014", 71, 96}, File{"DB019", 71, 96},
          File{"DM006", 59, 80}, File{"DL006", 25, 32}, File{"B102", 0, 0}, File{"B287", 0, 0},
          File{"B296", 0, 0}, File{"B304", 0, 0}, File{"B311", 0, 0}, File{"B324", 0, 0}}) {
        platform::gdi::Bitmap picture;
        ASSERT_TRUE(picture.load(programDir() + "Images\\" + f.name + ".bmp")) << f.name;
        if (f.width) {
            EXPECT_EQ(picture.width(), f.width) << f.name;
            EXPECT_EQ(picture.height(), f.height) << f.name;
        }
    }
}

// Backgrounds are tiled: each must continue across its own edges. A seam shows as edge
// pixels far more different from their wrapped neighbours than neighbours inside are.
TEST(ShippedPicturesTest, BackgroundsTileWithoutSeams) {
    for (const char* name : {"B102", "B287", "B296", "B304", "B311", "B324"}) {
        platform::gdi::Bitmap t;
        ASSERT_TRUE(t.load(programDir() + "Images\\" + name + ".bmp")) << name;
        auto diff = [&](int x1, int y1, int x2, int y2) {
            const auto a = t.pixel(x1, y1), b = t.pixel(x2, y2);
            return std::abs(int(a & 0xFF) - int(b & 0xFF)) +
                   std::abs(int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF)) +
                   std::abs(int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF));
        };
        long across = 0, inside = 0;
        for (int y = 0; y < t.height(); ++y) {
            across += diff(t.width() - 1, y, 0, y);
            inside += diff(t.width() / 2 - 1, y, t.width() / 2, y);
        }
        for (int x = 0; x < t.width(); ++x) {
            across += diff(x, t.height() - 1, x, 0);
            inside += diff(x, t.height() / 2 - 1, x, t.height() / 2);
        }
        EXPECT_LE(across, 2 * inside + 4 * (t.width() + t.height())) << name;
    }
}

// The chooser shows a game's time, difficulty and chance of winning each as a picture in a
// 16 x 16 place beside its word: each picture fits it, and each level looks different.
TEST(ShippedPicturesTest, DescriptionPicturesFitTheirPlaceAndTellTheirLevelsApart) {
    const LibraryHandle library = platform::resources::loadLibrary(programDir() + "ZUV.RGF");
    ASSERT_GE(library, 32u);
    const std::vector<std::vector<std::string>> rows = {
        {"PROG_TIME_QUICK", "PROG_TIME_MEDIUM", "PROG_TIME_LONG"},
        {"PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD"},
        {"PROG_CHAN_VERYLOW", "PROG_CHAN_LOW", "PROG_CHAN_MEDIUM", "PROG_CHAN_HIGH",
         "PROG_CHAN_VERYHIGH"}};
    for (const auto& row : rows) {
        std::vector<platform::gdi::Bitmap> pictures;
        for (const std::string& name : row) {
            pictures.push_back(platform::resources::loadBitmap(library, name));
            EXPECT_LE(pictures.back().width(), 16) << name;
            EXPECT_LE(pictures.back().height(), 16) << name;
        }
        for (std::size_t i = 0; i < pictures.size(); ++i)
            for (std::size_t j = i + 1; j < pictures.size(); ++j) {
                const auto& a = pictures[i];
                const auto& b = pictures[j];
                bool same = a.width() == b.width() && a.height() == b.height();
                for (int y = 0; same && y < a.height(); ++y)
                    for (int x = 0; same && x < a.width(); ++x)
                        same = a.pixel(x, y) == b.pixel(x, y);
                EXPECT_FALSE(same) << row[i] << " looks like " << row[j];
            }
    }
    platform::resources::freeLibrary(library);
}
