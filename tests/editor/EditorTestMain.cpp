// One Qt application for all tests of the editor, its palette and its saving, with a private home
// so nothing touches the real one, and no outside programs but ImageMagick's, which the tests read
// files with.
#include "PrivateHome.h"
#include "StandInCommands.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

#ifdef ZORVIC_REAL_DISPLAY
#include "PrivateDisplay.h"
#else
#include "Offscreen.h"
#endif

namespace {

class EditorEnvironment : public ::testing::Environment {
public:
    EditorEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        home_.emplace();
        commands_.emplace();
        commands_->KeepReal({"identify", "convert", "compare"});
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
#ifdef ZORVIC_REAL_DISPLAY
    // An X server and window manager of this program's own: focus, keys and the screen are not
    // shared with tests running at the same time. None is needed to list the tests.
    if (!::testing::GTEST_FLAG(list_tests)) {
        zorvic::testing::ProcessDisplay({.WindowManager = true});
        unsetenv("QT_QPA_PLATFORM");
    }
#else
    zorvic::testing::RunOffscreen();
#endif
    ::testing::AddGlobalTestEnvironment(new EditorEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
