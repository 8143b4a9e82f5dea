// One offscreen Qt application and one private home for all tests, so nothing touches the real
// home, and no outside programs but ImageMagick's identify, which the tests read files with.
#include "Offscreen.h"
#include "PrivateHome.h"
#include "StandInCommands.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class SandboxEnvironment : public ::testing::Environment {
public:
    SandboxEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        home_.emplace();
        commands_.emplace();
        commands_->KeepReal({"identify"});
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }

    void TearDown() override {
        application_.reset();
        commands_.reset();
        home_.reset();
    }

private:
    int& argc_;
    char** argv_;
    std::optional<zorvic::testing::TPrivateHome> home_;
    std::optional<zorvic::testing::TStandInCommands> commands_;
    std::unique_ptr<QApplication> application_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zorvic::testing::RunOffscreen();
    ::testing::AddGlobalTestEnvironment(new SandboxEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
