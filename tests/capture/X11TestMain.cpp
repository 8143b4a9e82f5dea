// The capture windows on a private X server: started before the Qt application connects, so
// that pointer moves and windows of these tests meet no other test's.
#include "PrivateDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        // Listing the tests needs no server.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        // A window manager, so that the editor is stacked as a managed window really is.
        zorvic::testing::ProcessDisplay({.WindowManager = true});
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
