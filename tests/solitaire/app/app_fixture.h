#pragma once
// Shared objects as start-up makes them, with the program directory pointing at the built
// program folder (its ZUV.RGF and Images) or at a scratch folder of the test's own.

#include "solitaire/app/card_pictures.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/gdi/bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace solitaire::testing {

inline std::string distProgramDir() {
    return std::string(std::getenv("ZV_DIST_DIR")) + "/Zevodadu/";
}

inline void setField(int position, int width, const std::string& text) {
    fnWriteSettingsField(position, width, text);
}

// The three pixels at each corner of a card-sized rectangle (corner, then its horizontal and
// vertical neighbours).
inline std::vector<platform::gdi::Point> cornerPixels(int w, int h) {
    return {{0, 0},     {1, 0},     {0, 1},     {w - 1, 0},     {w - 2, 0},     {w - 1, 1},
            {0, h - 1}, {1, h - 1}, {0, h - 2}, {w - 1, h - 1}, {w - 2, h - 1}, {w - 1, h - 2}};
}

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fnCreateSharedObjects();
        fnFillCardTableAndPiles();
        mainWindow = MainWindowState{};
        useProgramDir(distProgramDir());
        ResourceLibraryHandle = platform::resources::loadLibrary(distProgramDir() + "ZUV.RGF");
        ASSERT_GE(ResourceLibraryHandle, 32u);
    }
    void TearDown() override {
        platform::resources::freeLibrary(ResourceLibraryHandle);
        ResourceLibraryHandle = 0;
        fnFreeSharedObjects();
        if (!scratch_.empty())
            std::filesystem::remove_all(scratch_);
    }

    static void useProgramDir(const std::string& dir) {
        setField(kProgramDirectoryPosition, kProgramDirectoryWidth, dir);
    }

    // A fresh program folder with an Images subfolder; becomes the program directory.
    std::string makeScratchProgramDir() {
        char pattern[] = "/tmp/zv-app-XXXXXX";
        if (!mkdtemp(pattern))
            ADD_FAILURE() << "no scratch folder";
        scratch_ = pattern;
        std::filesystem::create_directories(scratch_ / "Images");
        std::filesystem::create_directories(scratch_ / "DATA");
        useProgramDir(scratch_.string() + "/");
        return scratch_.string() + "/";
    }

    // Saves a picture as Images/<name>.bmp of the scratch folder.
    void writeImage(const std::string& name, const platform::gdi::Bitmap& picture) const {
        ASSERT_TRUE(picture.save((scratch_ / "Images" / (name + ".bmp")).string()));
    }

    std::filesystem::path scratch_;
};

} // namespace solitaire::testing
