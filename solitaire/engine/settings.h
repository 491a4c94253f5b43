#pragma once
// The program-wide settings record: three 250-character text blocks whose fields are
// addressed by a position (1..749) and a width. Positions 1..249 lie in the first block,
// 250..499 in the second and 500..749 in the third; a field never crosses a block.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace solitaire {

class SettingsRecord {
public:
    static constexpr int kBlockLength = 250;
    static constexpr int kBlockCount = 3;
    static constexpr int kEndPosition = kBlockLength * kBlockCount; // first position not held

    SettingsRecord();

    // Every block back to 250 spaces.
    void clear();
    // False, and nothing changes, when the field does not lie inside one block.
    bool write(int position, int width, std::string_view text);
    // The field without trailing spaces (shorter at a block's end); empty when the position
    // is outside the record.
    std::string read(int position, int width) const;

private:
    struct Field {
        std::size_t block;
        std::size_t offset;
    };
    static std::optional<Field> locate(int position);

    std::array<std::string, kBlockCount> blocks_;
};

extern SettingsRecord settingsRecord;

// The program directory field holds at most this many characters, its trailing separator
// included.
inline constexpr int kProgramDirectoryPosition = 501;
inline constexpr int kProgramDirectoryWidth = 200;
inline constexpr int kPreferencesFilePosition = 1;
inline constexpr int kPreferencesFileWidth = 20;
inline constexpr std::string_view kPreferencesFileName = "DATA\\CFG.DAT";

// The leading spaces of text go; the rest is cut or space-padded to width. Returns false,
// changing nothing, for a field outside the record or crossing its block's end.
bool fnWriteSettingsField(int position, int width, std::string_view text);
std::string fnReadSettingsField(int position, int width);
void fnResetNumberFields();

// The directory of the running program with a trailing separator.
std::string fnProgramDirectory();
// The message start-up shows before anything else when the program directory cannot be
// kept in the settings record; nothing when it fits.
std::optional<std::string> fnProgramDirectoryError(const std::string& directory);

} // namespace solitaire
