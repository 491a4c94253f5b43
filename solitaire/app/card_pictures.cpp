#include "solitaire/app/card_pictures.h"

#include "solitaire/engine/data_files.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/files/paths.h"

namespace solitaire {

platform::resources::LibraryHandle ResourceLibraryHandle = 0;
platform::gdi::Rect CardRect;
int CornerWidth = 0;

namespace {

constexpr int kFacesPerStripRow = 5;
constexpr int kFacesPerSuit = 13;

std::string cardSizeLetter() {
    return fnReadSettingsField(kCardSizePosition, kCardSizeWidth);
}

bool hasDirectoryPart(const std::string& name) {
    return name.find_first_of("\\/") != std::string::npos;
}

} // namespace

void fnApplyCardSize() {
    CornerWidth = 0;
    const std::string letter = cardSizeLetter();
    if (letter == "B") {
        mainWindow.CardWidth = 71;
        mainWindow.CardHeight = 96;
    } else if (letter == "M") {
        mainWindow.CardWidth = 59;
        mainWindow.CardHeight = 80;
    } else if (letter == "L") {
        mainWindow.CardWidth = 25;
        mainWindow.CardHeight = 32;
    }
    CardRect = {0, 0, mainWindow.CardWidth, mainWindow.CardHeight};
    fnLoadCardGraphics();
    sharedObjects.DragImage = sharedObjects.CardFaces[0];
}

void fnLoadCardGraphics() {
    if (sharedObjects.CardTable.empty())
        return;
    const std::string letter = cardSizeLetter();
    for (std::size_t i = 0; i < sharedObjects.MarkerImages.size(); ++i)
        fnLoadResourceBitmap(sharedObjects.MarkerImages[i], "W" + letter + kMarkerDigits[i]);
    fnLoadImageFile(sharedObjects.CardBackImage,
                    "D" + letter + fnReadSettingsField(kCardBackPosition, kCardBackWidth));
    for (int i = 0; i < 2; ++i)
        fnLoadResourceBitmap(sharedObjects.ShadowImages[i],
                             "SHADOW_" + letter + std::to_string(i + 1));
    for (int i = 0; i < 2; ++i)
        fnLoadResourceBitmap(sharedObjects.BorderImages[i],
                             "3D_BORDER_" + letter + std::to_string(i + 1));
    for (const char* suit : {"H", "D", "C", "S"})
        fnCutSuitFaces(suit);
}

void fnCutSuitFaces(const std::string& suitLetter) {
    const std::string suits = "HDCS";
    const auto suit = suits.find(suitLetter);
    if (suitLetter.size() != 1 || suit == std::string::npos)
        return;
    const int w = mainWindow.CardWidth, h = mainWindow.CardHeight;
    platform::gdi::Bitmap strip;
    fnLoadResourceBitmap(strip, "C" + cardSizeLetter() +
                                    fnReadSettingsField(kDeckPosition, kDeckWidth) + suitLetter);
    for (int k = 0; k < kFacesPerSuit; ++k) {
        platform::gdi::Bitmap& face = sharedObjects.CardFaces[suit * kFacesPerSuit + k];
        face = platform::gdi::Bitmap(w, h);
        const int column = k % kFacesPerStripRow, row = k / kFacesPerStripRow;
        face.copyFrom({0, 0}, strip, platform::gdi::Rect::fromSize(column * w, row * h, w, h));
    }
}

void fnLoadResourceBitmap(platform::gdi::Bitmap& bitmap, const std::string& name) {
    bitmap = platform::resources::loadBitmap(ResourceLibraryHandle, name);
}

std::string fnImageFilePath(const std::string& name) {
    return fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) + "Images\\" +
           name + ".bmp";
}

void fnLoadImageFile(platform::gdi::Bitmap& bitmap, const std::string& name) {
    const std::string path = hasDirectoryPart(name) ? name : fnImageFilePath(name);
    fnRequireImageFile(path);
    platform::gdi::Bitmap picture;
    picture.load(path);
    bitmap = std::move(picture);
}

void DrawImageFile(platform::gdi::Bitmap& canvas, const std::string& name) {
    platform::gdi::Bitmap picture;
    if (picture.load(fnImageFilePath(name)))
        canvas.copyFrom({0, 0}, picture, picture.rect());
}

void fnRiempi(platform::gdi::Bitmap& canvas, int width, int height, const std::string& name) {
    if (name.empty()) {
        fnInfoMessage("fnRiempi Image: bad option");
        return;
    }
    platform::gdi::Bitmap picture;
    fnLoadImageFile(picture, name);
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0)
        return;
    for (int x = 0; x <= width; x += w)
        canvas.copyFrom({x, 0}, picture, picture.rect());
    int y = h;
    do {
        canvas.copyFrom({0, y}, canvas, {0, 0, width, h});
        y += h;
    } while (y <= height);
}

} // namespace solitaire
