#pragma once
// The user's preferences file DATA\CFG.DAT turned into the settings record, and the other
// start-up work that needs no window: the game list, the players, the run counter, the key
// store, the version marker and the removal of files older versions left behind.

#include "platform/files/ini.h"

#include <string>

namespace solitaire {

inline constexpr const char* kPreferenceSection = "Preference";

// Settings fields the program reads by name.
inline constexpr int kSelectedGamePosition = 62, kSelectedGameWidth = 4;
inline constexpr int kGameNamePosition = 189, kGameNameWidth = 50;
inline constexpr int kGameNumberPosition = 153, kGameNumberWidth = 13;
inline constexpr int kShowTimePosition = 66;
inline constexpr int kShowScorePosition = 136;
inline constexpr int kStatusBarPosition = 76;
inline constexpr int kUserDefaultPosition = 77, kUserDefaultWidth = 30;
inline constexpr int kShowToolTipsPosition = 244;
inline constexpr int kTableCursorPosition = 172, kTableCursorWidth = 2;
inline constexpr int kSoundsAboutPosition = 142;
inline constexpr int kSoundsNewGamePosition = 145;

// The preferences file: program directory + settings field 1. One object per use.
platform::files::IniFile PreferencesFile();

// The keys from Back_Card to ShowPilesSize into their settings fields, with the defaults and
// the follow-up rules of each, then the game-number state fields. A number key holding no
// number is repaired to its default, in the file too.
void LoadPreferenceFields(platform::files::IniFile ini);
// Replaces values the program cannot work with: a card back 0, a colour 0, a picture number
// that is empty or no number.
void RepairPreferenceFields();
// A first run names the players "Player 1" .. "Player 3" and makes the first the current one.
void EnsureDefaultPlayers(platform::files::IniFile& ini);
// Counts the run in [Parameters] Run_Exe; the count stops at 9.
void CountRun(platform::files::IniFile& ini);
// GameList := the offered lines (8th character "0") of GAMES.DAT's game list. A missing file
// ends the program with the fatal message.
void fnLoadGameList();
// The key the program keeps in the machine's key store (it stores nothing in it).
inline constexpr const char* kRegistryKey = "HKEY_LOCAL_MACHINE\\Software\\Varnley\\Pellmoor_Fw";
void KeepRegistryKey();
// Writes ZUVV0370.DAT when it is missing.
inline constexpr const char* kVersionMarker = "ZUVV0370.DAT";
void WriteVersionMarker();
// Deletes the markers of earlier versions and the pictures they kept in Images.
void DeleteObsoleteFiles();

void WriteGameSelection(platform::files::IniFile& ini, int gameId, const std::string& gameName,
                        int treeNumber);

// The main window's placement as the preferences keep it.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};
WindowPlacement ReadWindowPlacement(const platform::files::IniFile& ini);
// Maximized: only the flag, so the normal bounds stay as they were.
void SaveWindowPlacement(platform::files::IniFile& ini, const WindowPlacement& placement);

} // namespace solitaire
