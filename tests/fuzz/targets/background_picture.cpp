// The user's own background picture (the file named by Customized_Background in CFG.DAT),
// loaded and tiled over the table when the background is painted. Any file either loads as a
// picture that then covers the table tile by tile, or leaves the table as it was painted
// before; the back buffer keeps its size.
#include "fuzz_support.h"

#include "solitaire/app/background.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/app/messagebox.h"
#include "platform/files/ini.h"

using namespace solitaire;
using platform::gdi::Bitmap;

namespace {

constexpr int kTableWidth = 96, kTableHeight = 72;
constexpr platform::gdi::Color kBefore = 0x123456;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zvfuzz::ensureApplication();
    const std::filesystem::path folder = zvfuzz::scratchFolder();
    const std::filesystem::path picture = folder / "own picture.bmp";
    zvfuzz::writeFile(picture, std::string_view(reinterpret_cast<const char*>(data), size));
    settingsRecord.clear();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, folder.string() + "/");
    fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, "CFG.DAT");
    platform::files::IniFile(folder.string() + "/CFG.DAT")
        .writeString("Preference", "Customized_Background", picture.string());
    fnWriteSettingsField(kBackgroundDefaultPosition, 1, "N");
    fnWriteSettingsField(kCustomizedBackgroundPosition, 1, "Y");
    const platform::app::ScriptedMessageBoxes boxes;

    sharedObjects.BackBuffer = Bitmap(kTableWidth, kTableHeight);
    sharedObjects.BackBuffer.fillRect(sharedObjects.BackBuffer.rect(), kBefore);
    sharedObjects.BackgroundCopy = Bitmap(kTableWidth, kTableHeight);
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);

    const Bitmap& table = sharedObjects.BackBuffer;
    ZV_FUZZ_CHECK(table.width() == kTableWidth && table.height() == kTableHeight, "table size");
    ZV_FUZZ_CHECK(boxes.shown().empty(), boxes.shown().front().text);
    Bitmap loaded;
    if (!loaded.load(picture.string()) || loaded.isEmpty()) {
        for (int y = 0; y < kTableHeight; y += 7)
            for (int x = 0; x < kTableWidth; x += 5)
                ZV_FUZZ_CHECK(table.pixel(x, y) == kBefore, "a picture not read was drawn");
        return 0;
    }
    for (int y = 0; y < kTableHeight; y += 7)
        for (int x = 0; x < kTableWidth; x += 5)
            ZV_FUZZ_CHECK(table.pixel(x, y) == loaded.pixel(x % loaded.width(), y % loaded.height()),
                          "pixel " + std::to_string(x) + "," + std::to_string(y));
    ZV_FUZZ_CHECK(sharedObjects.BackgroundCopy == table, "the copy differs");
    return 0;
}
