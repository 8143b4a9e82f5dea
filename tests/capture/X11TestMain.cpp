// The capture windows on a private X server: started before the Qt application connects, so
// that pointer moves and windows of these tests meet no other test's.
#include "PrivateDisplay.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zorvic::testing {
const PrivateDisplay* CaptureServer = nullptr;
}

namespace {
// Stopped at exit, once every connection to it has closed: the hook library's thread, started by
// a test, closes its own as the library ends, which comes before what was set up here. A server
// gone earlier would make Xlib end the process from that thread.
zorvic::testing::PrivateDisplay* server = nullptr;
} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        // Listing the tests needs no server.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    } else {
        // A window manager, so that the editor is stacked as a managed window really is.
        server = new zorvic::testing::PrivateDisplay(
            zorvic::testing::PrivateDisplay::Options{.WindowManager = true});
        std::atexit([] { delete server; });
        zorvic::testing::CaptureServer = server;
        setenv("DISPLAY", server->Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
