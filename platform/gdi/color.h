#pragma once
// Colours as the programs store them: 0x00BBGGRR, red in the lowest byte.

#include <cstdint>

namespace platform::gdi {

using Color = std::uint32_t;

// What a pixel query answers outside the bitmap.
inline constexpr Color invalidColor = 0xFFFFFFFFu;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
           static_cast<Color>(b & 0xFF) << 16;
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>(c >> 16 & 0xFF); }

} // namespace platform::gdi
