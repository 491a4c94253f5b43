// The helpers that reach the system through the platform layer.
#include "solitaire/engine/utils.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/app/messagebox.h"
#include "platform/app/screen.h"
#include "platform/files/paths.h"
#include "platform/gdi/drawing.h"
#include "platform/shell/shell.h"

namespace solitaire {

void fnWaitProcessing(unsigned ms) {
    platform::app::waitTicksProcessing(ms);
}

void fnWaitMs(unsigned ms) {
    platform::app::waitTicks(ms);
}

void fnWaitMsAgain(unsigned ms) {
    platform::app::waitTicks(ms);
}

void fnInfoMessage(const std::string& text) {
    platform::app::showInformation(text);
}

void fnBeep(platform::app::BeepKind kind) {
    platform::app::beep(kind);
}

bool fnTempFileName(const std::string& folder, const std::string& prefix, std::string& name) {
    return platform::files::tempFileName(folder, prefix, name);
}

bool fnDirExists(const std::string& directory) {
    return platform::files::dirExists(directory);
}

int fnShellOpen(const std::string& file, const std::string& parameters, const std::string& directory,
                int showCommand) {
    const platform::app::ScopedScreenCursor hourglass(platform::app::CursorShape::Wait);
    return platform::shell::open(file, parameters, directory, showCommand);
}

std::string fnWindowsDir() {
    return {};
}

void fnGradientFill(platform::gdi::Bitmap& canvas, const platform::gdi::Rect& rect,
                    platform::gdi::Color top, platform::gdi::Color bottom) {
    platform::gdi::gradientFill(canvas, rect, top, bottom);
}

int fnColorCount() {
    const int bits = platform::app::colorDepth();
    return bits > 24 ? 999999999 : fnIntPower(2, bits);
}

} // namespace solitaire
