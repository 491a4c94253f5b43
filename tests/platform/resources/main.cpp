// Cursors are pixmaps, which need the application object.
#include "platform/app/application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0); // discovery runs without the test environment
    ::testing::InitGoogleTest(&argc, argv);
    platform::app::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
