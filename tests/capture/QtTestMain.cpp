// One Qt application for all tests of the executable, offscreen: these tests never need a
// display, not even to be listed.
#include "Offscreen.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zorvic::testing::RunOffscreen();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
