// The game chooser's previews: every game of the catalogue dealt from a fixed number, laid out
// and drawn by the program's own layout and drawing code on a window of the size the game's
// rules page asks for, with the cards a player sees, then the whole table shrunk to fit the
// picture, on a flat colour that the chooser takes as transparent (the picture's top-left
// pixel).
//   zv_make_previews --program-dir <folder with GAMES.DAT, Images and help>
//                    --library <card library> --out <folder for GAMEnnnn.bmp>

#include "tools/previews/preview_table.h"

#include "solitaire/app/background.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_presentation.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/application.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace solitaire;
using previews::kPreviewHeight;
using previews::kPreviewWidth;
namespace gdi = platform::gdi;

constexpr gdi::Color kFlatColour = 0xFF00FF; // in no card picture
// Blank pixels kept round the shrunk table, so that the top-left pixel is the flat colour.
constexpr int kMargin = 2;
// A small table is not blown up beyond half size.
constexpr double kLargestScale = 0.5;
// The program's window of a given outer size, as it lays itself out: a client area 4 pixels
// smaller, the table below the menu and the tool bar, no scroll bar.
constexpr int kFrame = 4, kTableAreaTop = 45;

// Only the table: the window calls have no window to go to.
class PreviewPresentation : public TablePresentation {
public:
    void UpdateMainWindow() override {}
    void ShowWindowState() override {}
    void RepaintWindowRect(const gdi::Rect&) override {}
    void fnUpdateCaption() override {}
    void Timer1Timer() override {}
    void CloseMainWindow() override {}
    void ShowGameChooser() override {}
    void HidePileSizeHint() override {}
    void ApplyCardSize() override { fnApplyCardSize(); }
};

void setField(int position, int width, const std::string& value) {
    fnWriteSettingsField(position, width, value);
}

// The cards and table a new player sees, without animations or sounds.
void preparePreviewTable(const std::string& programDirectory) {
    fnCreateSharedObjects();
    setField(kProgramDirectoryPosition, kProgramDirectoryWidth, programDirectory);
    const std::pair<int, const char*> fields[] = {{kCardSizePosition, "B"},
                                                  {kDeckPosition, "001"},
                                                  {kCardBackPosition, "011"},
                                                  {kBackgroundDefaultPosition, "Y"},
                                                  {67, "N"},
                                                  {241, "N"},
                                                  {242, "N"},
                                                  {243, "N"},
                                                  {179, "N"},
                                                  {239, "N"},
                                                  {141, "N"},
                                                  {245, "N"},
                                                  {140, "N"}};
    for (const auto& [position, value] : fields)
        setField(position, position == kDeckPosition || position == kCardBackPosition ? 3 : 1,
                 value);
    fnFillCardTableAndPiles();
    fnLoadGameList();
    mainWindow.ShadowOffset = 9; // cards are shadowed
    mainWindow.TableAreaTop = kTableAreaTop;
    mainWindow.ScrollBarWidth = 0;
    fnApplyCardSize();
}

// The table of the game on a window of the size its rules page asks for, the screen as large,
// on the default green.
gdi::Bitmap drawTable(int game, const std::string& programDirectory,
                      std::optional<platform::app::TestScreen>& screen) {
    const previews::TableSize size = previews::statedTableSize(
        programDirectory + "help/" + std::to_string(3000 + game) + ".html");
    screen.emplace(size.width, size.height, 32);
    mainWindow.Width = size.width;
    mainWindow.Height = size.height;
    mainWindow.ClientWidth = size.width - kFrame;
    mainWindow.ClientHeight = size.height - kFrame;
    setField(62, 4, std::to_string(game));
    fnSetUpGame();
    platform::app::setRandomSeed(previews::kPreviewDealSeed);
    fnStartNewGame(true, false, 1, true);
    for (gdi::Bitmap* surface : {&sharedObjects.BackBuffer, &sharedObjects.BackgroundCopy})
        surface->resize(mainWindow.ClientWidth, mainWindow.ClientHeight);
    fnPaintConfiguredBackground(sharedObjects.BackBuffer);
    fnDrawTable(Surface::BackBuffer, false);
    return sharedObjects.BackBuffer;
}

// The table shrunk to fit the preview, centred on the flat colour. Each preview pixel stands
// for a patch of the table: it shows the mean colour of what the table holds there when
// cards, bases or edges fill at least half of it, else the flat colour, so that nothing of
// the background bleeds into the cards' edges.
gdi::Bitmap shrinkToPreview(const gdi::Bitmap& table) {
    const gdi::Color background = fnDefaultGreen();
    const int w = table.width(), h = table.height();
    std::vector<bool> held(static_cast<std::size_t>(w * h));
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (table.pixel(x, y) != background) {
                held[static_cast<std::size_t>(y * w + x)] = true;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    gdi::Bitmap preview(kPreviewWidth, kPreviewHeight);
    preview.fillRect(preview.rect(), kFlatColour);
    if (right < left)
        return preview;
    const int extentWidth = right - left + 1, extentHeight = bottom - top + 1;
    const double scale =
        std::min({double(kPreviewWidth - 2 * kMargin) / extentWidth,
                  double(kPreviewHeight - 2 * kMargin) / extentHeight, kLargestScale});
    const int shownWidth = static_cast<int>(std::lround(extentWidth * scale));
    const int shownHeight = static_cast<int>(std::lround(extentHeight * scale));
    const int offsetX = (kPreviewWidth - shownWidth) / 2;
    const int offsetY = (kPreviewHeight - shownHeight) / 2;
    for (int py = 0; py < shownHeight; ++py)
        for (int px = 0; px < shownWidth; ++px) {
            // The patch of the table this pixel stands for, and how much of each table pixel
            // lies in it.
            const double x0 = left + px / scale, x1 = left + (px + 1) / scale;
            const double y0 = top + py / scale, y1 = top + (py + 1) / scale;
            double weight = 0, r = 0, g = 0, b = 0;
            for (int y = static_cast<int>(y0); y < std::min<double>(std::ceil(y1), h); ++y) {
                const double wy = std::min<double>(y + 1, y1) - std::max<double>(y, y0);
                for (int x = static_cast<int>(x0); x < std::min<double>(std::ceil(x1), w); ++x) {
                    if (!held[static_cast<std::size_t>(y * w + x)])
                        continue;
                    const double wxy = wy * (std::min<double>(x + 1, x1) - std::max<double>(x, x0));
                    const gdi::Color c = table.pixel(x, y);
                    weight += wxy;
                    r += wxy * gdi::redOf(c), g += wxy * gdi::greenOf(c), b += wxy * gdi::blueOf(c);
                }
            }
            if (weight < (x1 - x0) * (y1 - y0) / 2)
                continue;
            gdi::Color mean = gdi::rgb(static_cast<int>(std::lround(r / weight)),
                                       static_cast<int>(std::lround(g / weight)),
                                       static_cast<int>(std::lround(b / weight)));
            if (mean == kFlatColour)
                mean ^= 0x000100; // a table colour never turns transparent
            preview.setPixel(offsetX + px, offsetY + py, mean);
        }
    return preview;
}

} // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2)
        options[argv[i]] = argv[i + 1];
    for (const char* required : {"--program-dir", "--library", "--out"})
        if (!options.count(required)) {
            std::fprintf(stderr, "zv_make_previews: %s is missing\n", required);
            return 2;
        }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::app::Application application(argc, argv);
    std::optional<platform::app::TestScreen> screen; // each game's table has its own
    screen.emplace(previews::TableSize{}.width, previews::TableSize{}.height, 32);

    ResourceLibraryHandle = platform::resources::loadLibrary(options["--library"]);
    if (ResourceLibraryHandle < 32) {
        std::fprintf(stderr, "zv_make_previews: cannot load %s\n", options["--library"].c_str());
        return 1;
    }
    PreviewPresentation presentation;
    gdi::Bitmap window(kPreviewWidth, kPreviewHeight);
    tableWindow.canvas = &window;
    setPresentation(&presentation);
    std::string directory = options["--program-dir"];
    if (directory.back() != '/')
        directory += '/';
    preparePreviewTable(directory);

    std::filesystem::create_directories(options["--out"]);
    for (const std::string& line : StringList(sharedObjects.GameList)) {
        const int game = fnStrToInt(line.substr(4, 3));
        const std::string path = options["--out"] + "/GAME" + fnIntZeroPad(game, 4) + ".bmp";
        if (!shrinkToPreview(drawTable(game, directory, screen)).save(path)) {
            std::fprintf(stderr, "zv_make_previews: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    setPresentation(nullptr);
    tableWindow = TableWindow{};
    fnFreeSharedObjects();
    platform::resources::freeLibrary(ResourceLibraryHandle);
    return 0;
}
