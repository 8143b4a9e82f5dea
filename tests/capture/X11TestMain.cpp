// The capture windows on a private X server: started before the Qt application connects, so
// that pointer moves and windows of these tests meet no other test's.
#include "PrivateDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace zorvic::testing {
const PrivateDisplay* CaptureServer = nullptr;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<zorvic::testing::PrivateDisplay> server;
    if (GTEST_FLAG_GET(list_tests)) {
        // Listing the tests needs no server.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        // A window manager, so that the editor is stacked as a managed window really is.
        server = std::make_unique<zorvic::testing::PrivateDisplay>(
            zorvic::testing::PrivateDisplay::Options{.WindowManager = true});
        zorvic::testing::CaptureServer = server.get();
        setenv("DISPLAY", server->Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
