// The camera's parts that need no X server: Qt offscreen, and no display at all.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("DISPLAY");
    unsetenv("ZORVIC_TEST_CAMERA");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
