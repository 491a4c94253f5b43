// The statistics file DATA\STAT_SCR.DAT upgraded at the first activation, with the two old
// preference switches of DATA\CFG.DAT. The input is the statistics file, then (after a
// length byte) the preferences file. An upgraded file is in the current form: upgrading it
// again changes nothing, and every score row of the old file is there in the current form.
#include "fuzz_support.h"

#include "solitaire/engine/data_files.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/utils.h"

#include "platform/app/messagebox.h"
#include "platform/files/textfile.h"

#include <algorithm>

using namespace solitaire;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zvfuzz::Input input(data, size);
    const std::string preferences = input.piece();
    const std::string statistics = input.rest();
    const std::filesystem::path folder = zvfuzz::scratchFolder();
    zvfuzz::clearFolder(folder);
    std::filesystem::create_directory(folder / "DATA");
    const std::filesystem::path file = folder / "DATA" / "STAT_SCR.DAT";
    zvfuzz::writeFile(file, statistics);
    zvfuzz::writeFile(folder / "DATA" / "CFG.DAT", preferences);
    settingsRecord.clear();
    fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, folder.string() + "/");
    fnWriteSettingsField(kPreferencesFilePosition, kPreferencesFileWidth, kPreferencesFileName);
    const platform::app::ScriptedMessageBoxes boxes;

    const auto oldLines = platform::files::readLines(file.string());
    const bool converted = fnUpgradeStatisticsFile();
    ZV_FUZZ_CHECK(boxes.shown().empty(), boxes.shown().front().text);
    const std::string upgraded = zvfuzz::readFile(file);
    if (converted) {
        const auto lines = platform::files::readLines(file.string());
        ZV_FUZZ_CHECK(lines && lines->size() >= 2 && (*lines)[0] == "[Version]" &&
                          (*lines)[1] == "Version=0300",
                      "no version");
        // Score rows are widened (or cut) to 89 characters and marked.
        for (const std::string& line : *oldLines)
            if (line.starts_with('0'))
                ZV_FUZZ_CHECK(std::ranges::find(*lines, fnPadRight(line, 89) + " x") != lines->end(),
                              "score row lost: " + line);
    } else {
        ZV_FUZZ_CHECK(upgraded == statistics, "a file not converted was changed");
    }
    ZV_FUZZ_CHECK(!fnUpgradeStatisticsFile(), "upgraded twice");
    ZV_FUZZ_CHECK(zvfuzz::readFile(file) == upgraded, "the second upgrade changed the file");
    ZV_FUZZ_CHECK(boxes.shown().empty(), boxes.shown().front().text);
    return 0;
}
