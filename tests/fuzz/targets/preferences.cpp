// The user's preferences file DATA\CFG.DAT at start-up: every key loaded into the settings
// record, the repairs, the first-run players, the run counter and the window placement.
// Whatever the file holds, the fields the background reads as numbers are numbers afterwards.
#include "fuzz_support.h"

#include "solitaire/app/preferences.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include "platform/app/messagebox.h"

using namespace solitaire;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zvfuzz::ensureApplication();
    const std::filesystem::path folder = zvfuzz::scratchFolder();
    zvfuzz::clearFolder(folder);
    std::filesystem::create_directory(folder / "DATA");
    zvfuzz::writeFile(folder / "DATA" / "CFG.DAT",
                      std::string_view(reinterpret_cast<const char*>(data), size));
    settingsRecord.clear();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, folder.string() + "/");
    fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, kPreferencesFileName);
    const platform::app::ScriptedMessageBoxes boxes;

    platform::files::IniFile ini = PreferencesFile();
    LoadPreferenceFields(ini);
    RepairPreferenceFields();
    EnsureDefaultPlayers(ini);
    CountRun(ini);
    ReadWindowPlacement(ini);

    for (const auto& [position, width] : {std::pair{43, 4}, std::pair{28, 15}, std::pair{47, 15}})
        ZV_FUZZ_CHECK(fnTryStrToInt(fnReadSettingsField(position, width)).has_value(),
                      "field " + std::to_string(position) + " \"" +
                          fnReadSettingsField(position, width) + "\"");
    ZV_FUZZ_CHECK(!fnReadSettingsField(kUserDefaultPosition, kUserDefaultWidth).empty(),
                  "no player");
    const int runs = ini.readInteger("Parameters", "Run_Exe", 0);
    CountRun(ini);
    ZV_FUZZ_CHECK(ini.readInteger("Parameters", "Run_Exe", 0) == (runs < 9 ? runs + 1 : runs),
                  "run counter");
    ZV_FUZZ_CHECK(boxes.shown().empty(), "a message box");
    return 0;
}
