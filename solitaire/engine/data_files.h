#pragma once
// The solitaire program's data files and texts: the game parameters the chooser describes,
// the fatal reports of missing files, the product-name tokens, the line-based reader of one
// INI section, the one-time upgrade of the statistics file and the run counter. Paths are the
// program directory (settings field 501) followed by a relative name.

#include "solitaire/engine/utils.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace solitaire {

// The program directory (settings field 501) followed by relative.
std::string fnProgramFilePath(std::string_view relative);

inline constexpr int kGameParameterSlots = 9;
inline constexpr int kNoGameParameter = -99; // what a slot without a row receives
using GameParameters = std::array<int, kGameParameterSlots>;

// For each row number r >= 1: the cell of `game` in the r-th line of the game matrix (by
// position, whatever its label). Slots with a negative row number give kNoGameParameter;
// row 0 is not allowed (std::invalid_argument). A row past the matrix raises GameDataError, a
// cell that is no number ConversionError.
GameParameters fnReadGameParameters(int game, const GameParameters& rows);
// The same for each of `games`, in their order, reading the definitions file once.
std::vector<GameParameters> fnReadGameParameters(const std::vector<int>& games,
                                                 const GameParameters& rows);

// True when the file exists; otherwise the error box naming it, and the program ends with
// exit code 0.
bool fnRequireImageFile(const std::string& path);
bool fnRequireFile(const std::string& path);

// The first "[Program]" becomes "Brindlewood", then the first "[Program_sw]" "Pellmoor 2000".
std::string fnExpandProgramTokens(std::string_view text);

// values := defaults, then from the line that starts with "[" + section + "]" up to the next
// section, each line's value (after its first "=") goes to the first key that the line starts
// with. True once every key was found; false otherwise, also for a missing file.
bool ReadIniSection(const std::string& file, const std::string& section, const StringList& keys,
                    StringList& values, const StringList& defaults);

// Rewrites a statistics file older than version 0300 in the current form (true when done),
// and in any case once the file exists turns the old "S" values of two preference switches
// into "Y". Failures are reported in information boxes.
bool fnUpgradeStatisticsFile();

// "Run_Exe" of the preferences' section "Parameters"; 0 when missing.
int fnReadRunCount();

} // namespace solitaire
