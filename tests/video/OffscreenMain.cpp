// The camera's parts that need no X server: Qt offscreen, and no display at all.
#include "Offscreen.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zorvic::testing::RunOffscreen();
    unsetenv("ZORVIC_TEST_CAMERA");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
