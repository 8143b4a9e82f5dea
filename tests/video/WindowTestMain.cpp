// The camera window with the test-pattern device, on an X server of its own with a window
// manager, started before the Qt application connects.
#include "PrivateDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        zorvic::testing::ProcessDisplay({.Width = 1024, .Height = 768, .WindowManager = true});
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    setenv("ZORVIC_TEST_CAMERA", "1", 1);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
