// The socket tests run inside the program's own application object: socket events arrive as
// posted messages on its event loop.
#include "platform/app/application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    platform::app::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
