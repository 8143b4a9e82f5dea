// The camera window with the test-pattern device, on an X server of its own with a window
// manager, started before the Qt application connects.
#include "PrivateDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<zorvic::testing::PrivateDisplay> server;
    if (GTEST_FLAG_GET(list_tests)) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        server = std::make_unique<zorvic::testing::PrivateDisplay>(
            zorvic::testing::PrivateDisplay::Options{
                .Width = 1024, .Height = 768, .WindowManager = true});
        setenv("DISPLAY", server->Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    setenv("ZORVIC_TEST_CAMERA", "1", 1);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
