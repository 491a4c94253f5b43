#include "solitaire/engine/data_files.h"

#include "platform/app/messagebox.h"
#include "platform/files/ini.h"
#include "platform/files/paths.h"
#include "platform/files/textfile.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/settings.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace solitaire {

namespace {

constexpr const char* kLineBreak = "\n";
constexpr std::string_view kStatisticsFolder = "DATA\\";
constexpr std::string_view kStatisticsFile = "DATA\\STAT_SCR.DAT";
constexpr std::string_view kStatisticsVersion = "0300";
constexpr int kStatisticsRowWidth = 89; // old rows are widened to this, then " x"

std::string preferencesFilePath() {
    return fnProgramFilePath(fnReadSettingsField(kPreferencesFilePosition, kPreferencesFileWidth));
}

[[noreturn]] void endWithMissingFile(const std::string& firstLine, const std::string& path,
                                     const std::string& consequence) {
    std::string text = firstLine + kLineBreak + path + kLineBreak;
    text += consequence;
    text += "Copy the file into the directory that above is specified";
    text += kLineBreak;
    text += "or reinstall the program.";
    platform::app::messageBox(text, "Error", platform::app::Buttons::Ok,
                              platform::app::Icon::Error);
    std::exit(0);
}

// The statistics file in the current form, written to a temporary file that then takes the
// old file's place. True when the file was converted.
bool convertStatisticsFile(const std::string& path) {
    StringList version;
    ReadIniSection(path, "Version", {"Version"}, version, {"0000"});
    if (version.front() >= kStatisticsVersion)
        return false;

    std::string temporary;
    if (!fnTempFileName(fnProgramFilePath(kStatisticsFolder), "rpl", temporary)) {
        fnInfoMessage("Error creating temp file.");
        return false;
    }
    // Only a complete copy may replace the old file: deleting it first would lose the scores.
    const auto old = platform::files::readLines(path);
    if (!old) {
        platform::files::deleteFile(temporary);
        fnInfoMessage("Error reading file: " + path);
        return false;
    }
    StringList converted{"[Version]", "Version=" + std::string(kStatisticsVersion), ""};
    for (const std::string& line : *old) {
        if (line.starts_with("[Version]") || line.starts_with("Version="))
            continue;
        if (line.starts_with('0'))
            converted.push_back(fnPadRight(line, kStatisticsRowWidth) + " x");
        else
            converted.push_back(line);
    }
    if (!platform::files::writeLines(temporary, converted)) {
        platform::files::deleteFile(temporary);
        fnInfoMessage("Error writing file: " + temporary);
        return false;
    }

    if (!platform::files::deleteFile(path)) {
        fnInfoMessage("Error deleting file: " + path);
        return false;
    }
    if (!platform::files::renameFile(temporary, path)) {
        fnInfoMessage("Error renaming file: " + temporary + kLineBreak + "with: " + path);
        return false;
    }
    return true;
}

// Older versions stored these two switches as "S"; the program now tests for "Y".
void rewriteOldPreferenceSwitches() {
    platform::files::IniFile preferences(preferencesFilePath());
    for (const char* key : {"Cards_Animate", "ConfirmQuit"})
        if (preferences.readString("Preference", key, "") == "S")
            preferences.writeString("Preference", key, "Y");
}

} // namespace

std::string fnProgramFilePath(std::string_view relative) {
    return fnReadSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth) +
           std::string(relative);
}

GameParameters fnReadGameParameters(int game, const GameParameters& rows) {
    return fnReadGameParameters(std::vector<int>{game}, rows).front();
}

std::vector<GameParameters> fnReadGameParameters(const std::vector<int>& games,
                                                 const GameParameters& rows) {
    GameParameters none;
    none.fill(kNoGameParameter);
    std::vector<GameParameters> values(games.size(), none);
    if (std::ranges::find(rows, 0) != rows.end())
        throw std::invalid_argument("fnReadGameParameters: row 0 does not exist");
    if (std::ranges::none_of(rows, [](int row) { return row > 0; }))
        return values;

    StringList matrix;
    fnSectionLines(matrix, fnReadGamesFile(fnProgramFilePath(kGamesFileName)), kGameMatrixHeader);
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
        const int row = rows[slot];
        if (row < 1)
            continue;
        if (static_cast<std::size_t>(row) > matrix.size())
            throw GameDataError("Game definitions hold no row " + std::to_string(row));
        for (std::size_t i = 0; i < games.size(); ++i)
            values[i][slot] = fnGameCellValue(matrix[static_cast<std::size_t>(row) - 1], games[i]);
    }
    return values;
}

bool fnRequireImageFile(const std::string& path) {
    if (platform::files::fileExists(path))
        return true;
    endWithMissingFile("Cannot find images file:", path,
                       std::string("Some program components cannot be shown correctly.") +
                           kLineBreak);
}

bool fnRequireFile(const std::string& path) {
    if (platform::files::fileExists(path))
        return true;
    endWithMissingFile("Cannot find file:", path, "");
}

std::string fnExpandProgramTokens(std::string_view text) {
    std::string result(text);
    for (const auto& [token, name] : {std::pair{std::string_view("[Program]"), "Brindlewood"},
                                      std::pair{std::string_view("[Program_sw]"), "Pellmoor 2000"}})
        if (const auto at = result.find(token); at != std::string::npos)
            result.replace(at, token.size(), name);
    return result;
}

bool ReadIniSection(const std::string& file, const std::string& section, const StringList& keys,
                    StringList& values, const StringList& defaults) {
    values = defaults;
    values.resize(keys.size());
    const auto lines = platform::files::readLines(file);
    if (!lines)
        return false;

    const std::string header = "[" + section + "]";
    std::vector<bool> found(keys.size(), false);
    bool inSection = false;
    for (const std::string& line : *lines) {
        if (!inSection) {
            if (!line.starts_with(header))
                continue;
            inSection = true;
        } else if (line.starts_with('[')) {
            break;
        }
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (!line.starts_with(keys[k]))
                continue;
            const auto equals = line.find('=');
            values[k] = equals == std::string::npos ? std::string() : line.substr(equals + 1);
            found[k] = true;
            break;
        }
        if (std::ranges::all_of(found, [](bool f) { return f; }))
            return true;
    }
    return false;
}

bool fnUpgradeStatisticsFile() {
    const std::string path = fnProgramFilePath(kStatisticsFile);
    if (!platform::files::fileExists(path))
        return false;
    const bool converted = convertStatisticsFile(path);
    rewriteOldPreferenceSwitches();
    return converted;
}

int fnReadRunCount() {
    return platform::files::IniFile(preferencesFilePath()).readInteger("Parameters", "Run_Exe", 0);
}

} // namespace solitaire
