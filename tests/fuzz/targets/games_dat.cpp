// GAMES.DAT as the program reads it: the game list at start-up, the chooser's sorted rows and
// each game's description, the game name by id, and a game's definition when it is set up.
// A file that cannot be read as a whole is reported with GameDataError or ConversionError
// (the program shows them in an error box); nothing else may go wrong.
#include "fuzz_support.h"

#include "solitaire/app/game_chooser.h"
#include "solitaire/app/preferences.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/lifecycle.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include <algorithm>

using namespace solitaire;

namespace {

// Runs one reader; the two documented errors end it as the program's error box would.
template <typename Read> void guarded(Read read) {
    try {
        read();
    } catch (const GameDataError&) {
    } catch (const ConversionError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = zvfuzz::scratchFolder();
    zvfuzz::writeFile(folder / kGamesFileName,
                      std::string_view(reinterpret_cast<const char*>(data), size));
    settingsRecord.clear();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, folder.string() + "/");

    guarded(fnLoadGameList);
    for (const std::string& line : sharedObjects.GameList)
        ZV_FUZZ_CHECK(line.size() >= 8 && line[7] == '0', "offered: " + line);
    const std::vector<std::string> index = SortedGameIndex();
    ZV_FUZZ_CHECK(index.size() == sharedObjects.GameList.size(), "index");
    ZV_FUZZ_CHECK(std::is_sorted(index.begin(), index.end()), "index order");

    std::vector<int> ids{1}; // the preferences' default game
    for (const std::string& entry : index) {
        const GameIndexRow row = GameIndexRowOf(entry);
        ZV_FUZZ_CHECK(row.name.size() <= static_cast<std::size_t>(kGameListNameWidth), row.name);
        ZV_FUZZ_CHECK(row.id >= -1 && row.id <= kLastGameId, entry);
        if (row.id >= 0 && ids.size() < 8 && std::ranges::find(ids, row.id) == ids.end())
            ids.push_back(row.id);
    }
    for (const int id : ids) {
        guarded([id] { DescribeGame(id); });
        std::string name;
        fnGameNameById(id, name);
        fnWriteSettingsField(kSelectedGamePosition, kSelectedGameWidth, fnIntZeroPad(id, 4));
        guarded(fnLoadGameDefinition);
    }
    return 0;
}
