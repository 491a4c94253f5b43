#pragma once
// Size and colour depth of the primary screen, fixed by tests through TestScreen.

namespace platform::app {

int screenWidth();
int screenHeight();
// Bits per pixel of the primary screen.
int colorDepth();

// While alive, the screen queries answer these values. Not nestable.
class TestScreen {
public:
    TestScreen(int width, int height, int colorDepth);
    ~TestScreen();
    TestScreen(const TestScreen&) = delete;
    TestScreen& operator=(const TestScreen&) = delete;
};

} // namespace platform::app
