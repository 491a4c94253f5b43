#include "solitaire/engine/settings.h"

#include "solitaire/engine/utils.h"

#include <filesystem>
#include <system_error>

namespace solitaire {

SettingsRecord settingsRecord;

SettingsRecord::SettingsRecord() {
    clear();
}

void SettingsRecord::clear() {
    for (std::string& block : blocks_)
        block.assign(kBlockLength, ' ');
}

std::optional<SettingsRecord::Field> SettingsRecord::locate(int position) {
    if (position < 1 || position >= kEndPosition)
        return std::nullopt;
    const int block = position < kBlockLength ? 0 : position < 2 * kBlockLength ? 1 : 2;
    // Inside the second and third block the index counts from the block's start position,
    // so 250 and 500 address nothing.
    const int index = block == 0 ? position : position - block * kBlockLength;
    if (index < 1)
        return std::nullopt;
    return Field{static_cast<std::size_t>(block), static_cast<std::size_t>(index - 1)};
}

bool SettingsRecord::write(int position, int width, std::string_view text) {
    const auto field = locate(position);
    if (!field || width < 0 || field->offset + static_cast<std::size_t>(width) > kBlockLength)
        return false;
    blocks_[field->block].replace(field->offset, static_cast<std::size_t>(width),
                                  fnPadRight(fnTrimLeft(text), width));
    return true;
}

std::string SettingsRecord::read(int position, int width) const {
    const auto field = locate(position);
    if (!field || width <= 0)
        return {};
    return fnTrimRight(std::string_view(blocks_[field->block])
                           .substr(field->offset, static_cast<std::size_t>(width)));
}

bool fnWriteSettingsField(int position, int width, std::string_view text) {
    return settingsRecord.write(position, width, text);
}

std::string fnReadSettingsField(int position, int width) {
    return settingsRecord.read(position, width);
}

void fnResetNumberFields() {
    fnWriteSettingsField(112, 4, "0000");
    fnWriteSettingsField(116, 4, "0000");
}

std::string fnProgramDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    std::string directory = program.parent_path().string();
    if (directory.empty() || directory.back() != '/')
        directory += '/';
    return directory;
}

std::optional<std::string> fnProgramDirectoryError(const std::string& directory) {
    if (static_cast<int>(directory.size()) <= kProgramDirectoryWidth)
        return std::nullopt;
    // The path is shown, and counted, as the field keeps it: with its closing separator.
    return "The program folder's path is too long: at most " +
           std::to_string(kProgramDirectoryWidth) +
           " characters, its closing separator included, are allowed.\n" + directory +
           "\nMove the program to a folder with a shorter path.";
}

} // namespace solitaire
