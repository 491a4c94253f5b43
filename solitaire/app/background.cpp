#include "solitaire/app/background.h"

#include "solitaire/app/card_pictures.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/screen.h"
#include "platform/files/ini.h"
#include "platform/files/paths.h"
#include "platform/gdi/drawing.h"

namespace solitaire {

bool ScrollBarVisible = false;

namespace {

using platform::gdi::Bitmap;
using platform::gdi::Color;

constexpr int kManyColours = 256;
constexpr int kGradientOverScroll = 80;

bool manyColours() {
    return fnColorCount() > kManyColours;
}

std::string customizedPicturePath() {
    const platform::files::IniFile preferences(
        fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) +
        fnReadSettingsField(kPreferencesFilePosition, kPreferencesFileWidth));
    return preferences.readString("Preference", "Customized_Background", "");
}

// The area the background covers: one pixel beyond the back buffer on each far side, which
// a rectangle without outline leaves out again.
platform::gdi::Rect fullArea() {
    return {0, 0, sharedObjects.BackBuffer.width() + 1, sharedObjects.BackBuffer.height() + 1};
}

void paintColour(Bitmap& target, Color colour) {
    platform::gdi::rectangle(target, fullArea(), {0, 1, platform::gdi::PenStyle::Clear}, {colour});
    if (fnReadSettingsField(kFadeBackgroundPosition, 1) == "Y" && manyColours()) {
        const int bottom =
            sharedObjects.BackBuffer.height() + (ScrollBarVisible ? kGradientOverScroll : 1);
        fnGradientFill(target, {0, 0, sharedObjects.BackBuffer.width() + 1, bottom}, colour, 0);
    }
}

// Each target of one painting: the canvas, and the bare copy unless only the canvas is asked
// for. When the canvas is the copy itself it is painted once.
template <typename Paint> void forEachTarget(Bitmap& canvas, bool canvasOnly, Paint paint) {
    paint(canvas);
    if (!canvasOnly && &canvas != &sharedObjects.BackgroundCopy)
        paint(sharedObjects.BackgroundCopy);
}

} // namespace

Color fnDefaultGreen() {
    return manyColours() ? 0x006000 : 0x008000;
}

void fnPaintConfiguredBackground(Bitmap& canvas) {
    // Only the colour mode takes the colours: a picture chosen shows whatever fixed colour is
    // stored with it.
    if (fnReadSettingsField(kBackgroundDefaultPosition, 1) == "Y") {
        PaintBackground(canvas, kDefaultGreenMode, 0, false, 0);
        return;
    }
    if (fnReadSettingsField(kCustomizedBackgroundPosition, 1) == "Y") {
        PaintBackground(canvas, kUserPictureMode, 0, false, 0);
        return;
    }
    const int picture = fnStrToInt(fnReadSettingsField(kBackgroundPicturePosition, 4));
    if (picture != 0) {
        PaintBackground(canvas, picture, 0, false, 0);
        return;
    }
    PaintBackground(canvas, kColourMode,
                    fnStrToInt(fnReadSettingsField(kBackgroundColourPosition, 15)), false,
                    fnStrToInt(fnReadSettingsField(kBackgroundFixedColourPosition, 15)));
}

void PaintBackground(Bitmap& canvas, int mode, int colour, bool canvasOnly, int fixedColour) {
    if (mode == kDefaultGreenMode) {
        const Color green = fnDefaultGreen();
        forEachTarget(canvas, canvasOnly, [&](Bitmap& target) {
            platform::gdi::rectangle(target, fullArea(), {0, 1, platform::gdi::PenStyle::Clear},
                                     {green});
        });
        return;
    }
    if (mode == kColourMode || fixedColour != 0) {
        const Color chosen = static_cast<Color>(fixedColour > 0 ? fixedColour : colour);
        forEachTarget(canvas, canvasOnly, [&](Bitmap& target) { paintColour(target, chosen); });
        return;
    }
    const int width = sharedObjects.BackBuffer.width(), height = sharedObjects.BackBuffer.height();
    if (mode == kUserPictureMode) {
        const std::string path = customizedPicturePath();
        if (!platform::files::fileExists(path)) {
            fnInfoMessage("Customized background image not found: " + path);
            fnWriteSettingsField(kCustomizedBackgroundPosition, 1, "N");
            fnPaintConfiguredBackground(canvas);
            return;
        }
        forEachTarget(canvas, canvasOnly,
                      [&](Bitmap& target) { fnRiempi(target, width, height, path); });
        return;
    }
    const std::string name = "B" + fnIntZeroPad(mode, 3);
    forEachTarget(canvas, canvasOnly, [&](Bitmap& target) {
        if (mode > kLargestTiledPicture)
            DrawImageFile(target, name);
        else if (canvasOnly)
            fnRiempi(target, width, height, name);
        else
            fnRiempi(target, width + 1, height + 1, name);
    });
}

void fnDrawBackgroundCopy(Bitmap& canvas) {
    canvas.copyFrom({0, 0}, sharedObjects.BackgroundCopy,
                    {0, 0, platform::app::screenWidth(), platform::app::screenHeight()});
}

void fnFlipBackBuffer(Bitmap& window) {
    const int top = mainWindow.ScrollBarPosition;
    window.copyFrom({0, 0}, sharedObjects.BackBuffer,
                    platform::gdi::Rect::fromSize(0, top, platform::app::screenWidth(),
                                                  platform::app::screenHeight()));
}

} // namespace solitaire
