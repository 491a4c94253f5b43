#pragma once
// System colours: a colour value with the high bit set (0x80000000 + index) names an entry of
// the system's colour table instead of giving red, green and blue. The table holds the classic
// desktop scheme, so the programs look the same everywhere.

#include "platform/gdi/color.h"

namespace platform::gdi {

inline constexpr Color systemColorFlag = 0x80000000u;

enum class SystemColor : int {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
};

// The colour value naming a system colour, e.g. 0x8000000F for the button face.
constexpr Color systemColorValue(SystemColor c) {
    return systemColorFlag | static_cast<Color>(c);
}

// The plain 0x00BBGGRR colour: system colour values are looked up (an index outside the table
// gives black), plain colours pass unchanged.
Color toPlainColor(Color color);

} // namespace platform::gdi
