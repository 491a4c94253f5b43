#include "platform/gdi/system_colors.h"

#include <array>

namespace platform::gdi {
namespace {

// clang-format off
constexpr std::array<Color, 25> classicScheme = {
    rgb(192, 192, 192), // scroll bar
    rgb(0, 128, 128),   // desktop
    rgb(0, 0, 128),     // active caption
    rgb(128, 128, 128), // inactive caption
    rgb(192, 192, 192), // menu
    rgb(255, 255, 255), // window
    rgb(0, 0, 0),       // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(255, 255, 255), // caption text
    rgb(192, 192, 192), // active border
    rgb(192, 192, 192), // inactive border
    rgb(128, 128, 128), // application workspace
    rgb(0, 0, 128),     // highlight
    rgb(255, 255, 255), // highlight text
    rgb(192, 192, 192), // button face
    rgb(128, 128, 128), // button shadow
    rgb(128, 128, 128), // grey text
    rgb(0, 0, 0),       // button text
    rgb(192, 192, 192), // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(0, 0, 0),       // 3-D dark shadow
    rgb(223, 223, 223), // 3-D light
    rgb(0, 0, 0),       // tool tip text
    rgb(255, 255, 225), // tool tip background
};
// clang-format on

} // namespace

Color toPlainColor(Color color) {
    if ((color & systemColorFlag) == 0)
        return color;
    const Color index = color & 0xFFu;
    return index < classicScheme.size() ? classicScheme[index] : rgb(0, 0, 0);
}

} // namespace platform::gdi
