#include "solitaire/engine/game_definition.h"

#include "platform/files/textfile.h"
#include "solitaire/engine/data_files.h"
#include "solitaire/engine/settings.h"

#include <algorithm>
#include <limits>

namespace solitaire {

namespace {

constexpr int kGameIdPosition = 62;
constexpr int kGameIdWidth = 4;

// Tableau base codes (26 words), then foundation base codes (16 words).
constexpr int kTableauBaseCount = 26;
constexpr int kFoundationBaseCount = 16;
std::array<std::int16_t, kTableauBaseCount + kFoundationBaseCount> baseCodeBackup{};

} // namespace

StringList fnReadGamesFile(const std::string& path) {
    auto lines = platform::files::readLines(path);
    if (!lines)
        throw GameDataError("Cannot open file \"" + path + "\"");
    return std::move(*lines);
}

std::int16_t fnGameCellValue(std::string_view storedLine, int game) {
    const auto column = static_cast<std::size_t>(fnGameCellColumn(game) - 1);
    const std::string_view cell =
        column < storedLine.size() ? storedLine.substr(column, kGameCellWidth) : std::string_view{};
    const int value = fnStrToInt(fnTrimRight(fnScrambleText(cell)));
    // Every word is 16 bits; a wider number would silently turn into another value.
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw GameDataError("Game value " + std::to_string(value) + " outside 16 bits");
    return static_cast<std::int16_t>(value);
}

void fnApplyGameColumn(const StringList& gamesFile, int game, GameDefinition& definition) {
    StringList matrix;
    fnSectionLines(matrix, gamesFile, kGameMatrixHeader);
    for (const std::string& line : matrix) {
        // The label is stored as it is, without the substitution.
        const int word = fnStrToInt(std::string_view(line).substr(0, kGameLabelWidth));
        if (word < 0 || word >= kGameDefinitionWords)
            throw GameDataError("Game definitions line for word " + std::to_string(word) +
                                ": no such word (0.." + std::to_string(kGameDefinitionWords - 1) +
                                ")");
        definition[static_cast<std::size_t>(word)] = fnGameCellValue(line, game);
    }
}

bool fnLoadGameDefinition() {
    const int game = fnStrToInt(fnReadSettingsField(kGameIdPosition, kGameIdWidth));
    fnApplyGameColumn(fnReadGamesFile(fnProgramFilePath(kGamesFileName)), game, gameDefinition);
    fnSaveRestoreBaseCodes(false);
    return true;
}

void fnSaveRestoreBaseCodes(bool restore) {
    const auto tableau = gameDefinition.begin() + kTableauBaseWord;
    const auto foundations = gameDefinition.begin() + kFoundationBaseWord;
    const auto backupFoundations = baseCodeBackup.begin() + kTableauBaseCount;
    if (restore) {
        std::copy_n(baseCodeBackup.begin(), kTableauBaseCount, tableau);
        std::copy_n(backupFoundations, kFoundationBaseCount, foundations);
    } else {
        std::copy_n(tableau, kTableauBaseCount, baseCodeBackup.begin());
        std::copy_n(foundations, kFoundationBaseCount, backupFoundations);
    }
}

} // namespace solitaire
