#include "solitaire/app/preferences.h"

#include "solitaire/app/table_drawing.h"

#include "solitaire/engine/data_files.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"
#include "solitaire/engine/utils.h"

#include "platform/app/screen.h"
#include "platform/files/paths.h"
#include "platform/files/textfile.h"
#include "platform/shell/keystore.h"

#include <string_view>

namespace solitaire {
namespace {

// Number: a number kept as the file's text, empty when there is none.
enum class Stored { Text, Number, Padded, Decimal };

struct PreferenceKey {
    const char* key;
    Stored stored;
    const char* defaultValue; // nullptr: computed when loaded
    int position;
    int width;
};

// In load order: a default may depend on a value loaded before it.
constexpr PreferenceKey kPreferenceKeys[] = {
    {"Back_Card", Stored::Padded, "11", 21, 3},
    {"Card", Stored::Padded, nullptr, 24, 3},
    {"Card_Size", Stored::Text, "B", 128, 1},
    {"Background_bmp", Stored::Number, "", 43, 4},
    {"Background_Fixed_Col", Stored::Decimal, "32768", 47, 15},
    {"Background_Col", Stored::Decimal, "-2147483633", 28, 15},
    {"Background_def", Stored::Text, "N", 27, 1},
    {"Fade_Background", Stored::Text, "Y", 135, 1},
    {"Customized_Background", Stored::Text, "", 246, 1},
    {"Game", Stored::Padded, "1", kSelectedGamePosition, kSelectedGameWidth},
    {"Game_name", Stored::Text, "FreeCell", kGameNamePosition, kGameNameWidth},
    {"Show_Time", Stored::Text, "Y", kShowTimePosition, 1},
    {"Show_Score", Stored::Text, "Y", kShowScorePosition, 1},
    {"Cards_Animate", Stored::Text, "Y", 67, 1},
    {"Cards_Shadowed", Stored::Text, nullptr, kCardsShadowedPosition, 1},
    {"Piles_TT", Stored::Text, "N", 179, 1},
    {"Automatic_FaceUp", Stored::Text, "Y", 239, 1},
    {"Deal_Animation", Stored::Text, "Y", 241, 1},
    {"Redeal_Animation", Stored::Text, "Y", 242, 1},
    {"Language", Stored::Decimal, "20000", 68, 6},
    {"Speed_Move_Card", Stored::Decimal, "10", 74, 2},
    {"StatusBar", Stored::Text, "N", kStatusBarPosition, 1},
    {"UserDefault", Stored::Text, "", kUserDefaultPosition, kUserDefaultWidth},
    {"Undo_Enabled", Stored::Text, "0", 137, 1},
    {"Winning_Animation", Stored::Text, "Y", 140, 1},
    {"ConfirmQuitGame", Stored::Text, "Y", 185, 1},
    {"ConfirmEnterHiScores", Stored::Text, "Y", 186, 1},
    {"Sounds_Enabled", Stored::Text, "Y", 141, 1},
    {"Sounds_About", Stored::Text, "Y", kSoundsAboutPosition, 1},
    {"Sounds_Autoplay", Stored::Text, "Y", 143, 1},
    {"Sounds_CardDown", Stored::Text, "Y", 181, 1},
    {"Sounds_CardUp", Stored::Text, "Y", 182, 1},
    {"Sounds_NewHiScores", Stored::Text, "Y", 174, 1},
    {"Sounds_FaceUp", Stored::Text, "Y", 180, 1},
    {"Sounds_GameWon", Stored::Text, "Y", 144, 1},
    {"Sounds_HiScores", Stored::Text, "Y", 171, 1},
    {"Sounds_NewGame", Stored::Text, "Y", kSoundsNewGamePosition, 1},
    {"Sounds_Pairing", Stored::Text, "Y", 175, 1},
    {"Sounds_Redeal", Stored::Text, "Y", 183, 1},
    {"Sounds_Redo", Stored::Text, "Y", 146, 1},
    {"Sounds_Restart", Stored::Text, "Y", 147, 1},
    {"Sounds_Shuffle", Stored::Text, "Y", 149, 1},
    {"Sounds_Splash", Stored::Text, "Y", 148, 1},
    {"Sounds_Stock", Stored::Text, "Y", 176, 1},
    {"Sounds_Foundation", Stored::Text, "Y", 184, 1},
    {"Sounds_Tableau", Stored::Text, "Y", 177, 1},
    {"Sounds_Undo", Stored::Text, "Y", 151, 1},
    {"Random_Background", Stored::Text, "N", 152, 1},
    {"Random_Card", Stored::Text, "N", 187, 1},
    {"Random_Deck", Stored::Text, "N", 188, 1},
    {"VertScrollBar", Stored::Text, "Y", 243, 1},
    {"ShowPilesSize", Stored::Text, "Y", 245, 1},
};

std::string computedDefault(std::string_view key) {
    if (key == "Card")
        return fnColorCount() <= 256 ? "3" : "1"; // the low-colour face set
    return fnReadSettingsField(67, 1);             // Cards_Shadowed follows Cards_Animate
}

// Whether the file holds a value for the key that does not read as an integer: a number
// reads the same whatever the default, anything else reads as the default.
bool holdsNoInteger(const platform::files::IniFile& ini, const char* key) {
    return ini.keyExists(kPreferenceSection, key) &&
           ini.readInteger(kPreferenceSection, key, 0) != ini.readInteger(kPreferenceSection, key, 1);
}

// A number key whose value is no number takes its default, and so does the file: the value
// would stop every later use of the key.
std::string readValue(platform::files::IniFile& ini, const PreferenceKey& entry) {
    const std::string fallback = entry.defaultValue ? entry.defaultValue : computedDefault(entry.key);
    if (entry.stored == Stored::Text)
        return ini.readString(kPreferenceSection, entry.key, fallback);
    if (entry.stored == Stored::Number) {
        const std::string value = ini.readString(kPreferenceSection, entry.key, fallback);
        if (value.empty() || fnTryStrToInt(value))
            return value;
        ini.writeString(kPreferenceSection, entry.key, fallback);
        return fallback;
    }
    if (holdsNoInteger(ini, entry.key))
        ini.writeString(kPreferenceSection, entry.key, fallback);
    const int number = ini.readInteger(kPreferenceSection, entry.key, fnStrToInt(fallback));
    return entry.stored == Stored::Padded ? fnIntZeroPad(number, entry.width)
                                          : std::to_string(number);
}

bool fieldReadsZero(int position, int width) {
    return fnTryStrToInt(fnReadSettingsField(position, width)) == 0;
}

void deleteWhenPresent(const std::string& relative) {
    const std::string path = fnProgramFilePath(relative);
    if (platform::files::fileExists(path))
        platform::files::deleteFile(path);
}

} // namespace

platform::files::IniFile PreferencesFile() {
    return platform::files::IniFile(
        fnProgramFilePath(fnReadSettingsField(kPreferencesFilePosition, kPreferencesFileWidth)));
}

void LoadPreferenceFields(platform::files::IniFile ini) {
    for (const PreferenceKey& entry : kPreferenceKeys) {
        std::string value = readValue(ini, entry);
        const std::string_view key = entry.key;
        if (key == "Customized_Background")
            value = value.empty() ? "N" : "Y"; // the picture's path is read when painting
        else if (key == "Automatic_FaceUp")
            value = "N"; // face-down tableau cards are turned by a click only
        fnWriteSettingsField(entry.position, entry.width, value);
        if (key == "Card_Size" && value != "B")
            fnWriteSettingsField(21, 3, "006"); // the one back drawn in the smaller sizes
    }
    fnWriteSettingsField(168, 1, "1");
    fnWriteSettingsField(169, 2, "0");
}

void RepairPreferenceFields() {
    if (fieldReadsZero(21, 3))
        fnWriteSettingsField(21, 3, "001");
    if (fieldReadsZero(28, 15))
        fnWriteSettingsField(28, 15, "-2147483633");
    // The background reads the picture number as a number: anything else means no picture.
    if (!fnTryStrToInt(fnReadSettingsField(43, 4)))
        fnWriteSettingsField(43, 4, "0");
}

void EnsureDefaultPlayers(platform::files::IniFile& ini) {
    if (!fnReadSettingsField(kUserDefaultPosition, kUserDefaultWidth).empty())
        return;
    ini.writeString(kPreferenceSection, "UserDefault", "Player 1");
    ini.writeString("Users", "User001", "Player 1");
    ini.writeString("Users", "User002", "Player 2");
    ini.writeString("Users", "User003", "Player 3");
    fnWriteSettingsField(kUserDefaultPosition, kUserDefaultWidth, "Player 1");
}

void CountRun(platform::files::IniFile& ini) {
    const int runs = ini.readInteger("Parameters", "Run_Exe", 0);
    if (runs < 9)
        ini.writeInteger("Parameters", "Run_Exe", runs + 1);
}

void fnLoadGameList() {
    const std::string path = fnProgramFilePath(kGamesFileName);
    fnRequireFile(path);
    sharedObjects.GameList.clear();
    StringList listLines;
    fnSectionLines(listLines, fnReadGamesFile(path), kGameListHeader);
    for (const std::string& stored : listLines) {
        std::string line = fnScrambleText(stored);
        if (line.size() >= 8 && line[7] == '0') // other edition classes are not offered
            sharedObjects.GameList.push_back(std::move(line));
    }
}

void KeepRegistryKey() {
    if (!platform::shell::keyExists(kRegistryKey))
        platform::shell::createKey(kRegistryKey);
}

void WriteVersionMarker() {
    const std::string path = fnProgramFilePath(kVersionMarker);
    if (!platform::files::fileExists(path))
        platform::files::writeLines(path, {"Pellmoor version: 03.70"});
}

void DeleteObsoleteFiles() {
    for (const char* marker : {"ZUVV0150.DAT", "ZUVV0200.DAT", "ZUVV0300.DAT", "ZUVV0310.DAT",
                               "ZUVV0320.DAT", "ZUVV0330.DAT", "ZUVV0340.DAT", "ZUVV0350.DAT",
                               "ZUVV0360.DAT"})
        deleteWhenPresent(marker);
    if (platform::files::fileExists(fnProgramFilePath("IMAGES\\GAME0000.BMP")))
        for (int n = 0; n <= 100; ++n)
            deleteWhenPresent("IMAGES\\GAME" + fnIntZeroPad(n, 4) + ".BMP");
    if (platform::files::fileExists(fnProgramFilePath("IMAGES\\WB001.BMP")))
        for (int n = 0; n <= 25; ++n)
            for (const char* prefix : {"IMAGES\\WB", "IMAGES\\WM", "IMAGES\\WP"})
                deleteWhenPresent(prefix + fnIntZeroPad(n, 3) + ".BMP");
    if (platform::files::fileExists(fnProgramFilePath("IMAGES\\CB001C.BMP"))) {
        for (int n = 1; n <= 5; ++n)
            for (const char* suit : {"C", "D", "H", "S"})
                deleteWhenPresent("IMAGES\\CB" + fnIntZeroPad(n, 3) + suit + ".BMP");
        for (const char* size : {"CM", "CL"})
            for (const char* suit : {"C", "D", "H", "S"})
                deleteWhenPresent(std::string("IMAGES\\") + size + "003" + suit + ".BMP");
    }
    deleteWhenPresent("PELLMOOR.DLL");
}

void WriteGameSelection(platform::files::IniFile& ini, int gameId, const std::string& gameName,
                        int treeNumber) {
    ini.writeInteger(kPreferenceSection, "Game", gameId);
    ini.writeString(kPreferenceSection, "Game_Name", gameName);
    ini.writeInteger(kPreferenceSection, "Game_TreeNum", treeNumber);
}

WindowPlacement ReadWindowPlacement(const platform::files::IniFile& ini) {
    WindowPlacement placement;
    placement.left = ini.readInteger(kPreferenceSection, "MainWindowState_Left", 50);
    placement.top = ini.readInteger(kPreferenceSection, "MainWindowState_Top", 50);
    placement.width = ini.readInteger(kPreferenceSection, "MainWindowState_Width",
                                      platform::app::screenWidth() - 150);
    placement.height = ini.readInteger(kPreferenceSection, "MainWindowState_Height",
                                       platform::app::screenHeight() - 150);
    placement.maximized =
        ini.readString(kPreferenceSection, "MainWindowState_Maximized", "Y") == "Y";
    return placement;
}

void SaveWindowPlacement(platform::files::IniFile& ini, const WindowPlacement& placement) {
    if (placement.maximized) {
        ini.writeString(kPreferenceSection, "MainWindowState_Maximized", "Y");
        return;
    }
    ini.writeString(kPreferenceSection, "MainWindowState_Maximized", "N");
    ini.writeInteger(kPreferenceSection, "MainWindowState_Left", placement.left);
    ini.writeInteger(kPreferenceSection, "MainWindowState_Top", placement.top);
    ini.writeInteger(kPreferenceSection, "MainWindowState_Width", placement.width);
    ini.writeInteger(kPreferenceSection, "MainWindowState_Height", placement.height);
}

} // namespace solitaire
