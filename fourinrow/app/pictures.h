#pragma once
// The program's bitmap resources (tool bar pictures "ONETWORK".."OABOUT", "HNETWORK".."HABOUT"
// and the window icon "MAINICON"), drawn at build time by tools/kolvanpictures.

#include <span>
#include <string_view>

namespace fourinrow::app {

// The BMP file of the named bitmap; empty when there is none.
std::span<const unsigned char> BitmapResource(std::string_view name);

} // namespace fourinrow::app
