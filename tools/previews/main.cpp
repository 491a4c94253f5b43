// The game chooser's previews: every game of the catalogue dealt from a fixed number and drawn
// with the program's own layout and drawing code on a flat colour, which the chooser takes
// as transparent (it is the picture's top-left pixel). Small cards, so whole tables fit.
//   zv_make_previews --program-dir <folder with GAMES.DAT and Images> --library <card library>
//                    --out <folder for GAMEnnnn.bmp>

#include "solitaire/app/card_pictures.h"
#include "solitaire/app/preferences.h"
#include "solitaire/app/table_drawing.h"
#include "solitaire/app/table_presentation.h"
#include "solitaire/app/table_window.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/piles.h"
#include "solitaire/engine/setup.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/application.h"
#include "platform/app/random.h"
#include "platform/app/screen.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

using namespace solitaire;
namespace gdi = platform::gdi;

constexpr int kPreviewWidth = 300, kPreviewHeight = 185;
constexpr int kPreviewTop = 3;
constexpr gdi::Color kFlatColour = 0xFF00FF; // in no card picture
constexpr std::uint32_t kDealSeed = 20000;   // the same number deals the same table

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

// Small cards without shadows, animations or sounds; the preview's size is the table area.
void preparePreviewTable(const std::string& programDirectory) {
    fnCreateSharedObjects();
    setField(kProgramDirectoryPosition, kProgramDirectoryWidth, programDirectory);
    const std::pair<int, const char*> fields[] = {
        {kCardSizePosition, "L"}, {kDeckPosition, "001"}, {kCardBackPosition, "006"},
        {178, "N"},  {67, "N"},   {241, "N"}, {242, "N"}, {243, "N"},
        {179, "N"},  {239, "N"},  {141, "N"}, {245, "N"}, {140, "N"}};
    for (const auto& [position, value] : fields)
        setField(position, position == kDeckPosition || position == kCardBackPosition ? 3 : 1, value);
    fnFillCardTableAndPiles();
    fnLoadGameList();
    mainWindow.Width = kPreviewWidth;
    mainWindow.Height = kPreviewHeight;
    mainWindow.ClientWidth = kPreviewWidth;
    mainWindow.ClientHeight = kPreviewHeight + 1;
    mainWindow.TableAreaTop = kPreviewTop;
    fnApplyCardSize();
}

gdi::Bitmap drawPreview(int game) {
    setField(62, 4, std::to_string(game));
    fnSetUpGame();
    platform::app::setRandomSeed(kDealSeed);
    fnStartNewGame(true, false, 1, true);
    for (gdi::Bitmap* surface : {&sharedObjects.BackBuffer, &sharedObjects.BackgroundCopy}) {
        surface->resize(kPreviewWidth, kPreviewHeight);
        surface->fillRect(surface->rect(), kFlatColour);
    }
    fnDrawTable(Surface::BackBuffer, false);
    gdi::Bitmap preview(kPreviewWidth, kPreviewHeight);
    preview.copyFrom({0, 0}, sharedObjects.BackBuffer, preview.rect());
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
    const platform::app::TestScreen screen(1024, 768, 32); // the layout reads the screen size

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
        const std::string path =
            options["--out"] + "/GAME" + fnIntZeroPad(game, 4) + ".bmp";
        if (!drawPreview(game).save(path)) {
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
