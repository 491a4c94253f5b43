#include "platform/app/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <optional>
#include <stdexcept>

namespace platform::app {
namespace {

struct ScreenValues {
    int width;
    int height;
    int depth;
};
std::optional<ScreenValues> fixedScreen;

// Without a screen (no application object yet) the programs still get a usable desktop.
constexpr ScreenValues fallbackScreen{1024, 768, 32};

ScreenValues currentScreen() {
    if (fixedScreen)
        return *fixedScreen;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size();
            return {size.width(), size.height(), screen->depth()};
        }
    }
    return fallbackScreen;
}

} // namespace

int screenWidth() { return currentScreen().width; }
int screenHeight() { return currentScreen().height; }
int colorDepth() { return currentScreen().depth; }

TestScreen::TestScreen(int width, int height, int colorDepth) {
    if (fixedScreen)
        throw std::logic_error("TestScreen: a test screen is already installed");
    fixedScreen = ScreenValues{width, height, colorDepth};
}

TestScreen::~TestScreen() { fixedScreen.reset(); }

} // namespace platform::app
