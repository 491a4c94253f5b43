#pragma once
// What the game chooser's previews and the catalogue check that compares them with their
// tables share: the picture's size, the deal it shows, and the table size a game's rules page
// asks for, at which the preview lays the table out.

#include <cstdint>
#include <string>

namespace previews {

inline constexpr int kPreviewWidth = 300, kPreviewHeight = 185;
// The random seed the shown game number is drawn after: the same seed deals the same table.
inline constexpr std::uint32_t kPreviewDealSeed = 20000;

// A rules page that needs a window larger than 800 x 600 says so in a paragraph of class
// "table-size" holding "<width> x <height>"; without one the game must fit 800 x 600.
struct TableSize {
    int width = 800;
    int height = 600;
};
TableSize statedTableSize(const std::string& rulesPage);

} // namespace previews
