// The Qt application lives in a test environment, offscreen with no X display at all.
#include "Offscreen.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtApplication : public ::testing::Environment {
public:
    QtApplication(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    void SetUp() override { application_ = std::make_unique<QGuiApplication>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zorvic::testing::RunOffscreen();
    ::testing::AddGlobalTestEnvironment(new QtApplication(argc, argv));
    return RUN_ALL_TESTS();
}
