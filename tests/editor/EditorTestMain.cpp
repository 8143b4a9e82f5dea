// One Qt application for all tests, with a private home so nothing touches the real one.
#include "FakeDesktop.h"
#include "PlatformServices.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#ifdef ZORVIC_REAL_DISPLAY
#include "PrivateDisplay.h"
#endif

namespace {

class EditorEnvironment : public ::testing::Environment {
public:
    EditorEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvic-editor-XXXXXX");
        home_ = mkdtemp(pattern.data());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "ZORVIC_CONFIG_DIR"})
            setenv(name, (home_ / name).c_str(), 1);
        application_ = std::make_unique<QApplication>(argc_, argv_);
#ifndef ZORVIC_REAL_DISPLAY
        zorvic::InstallPlatform(std::make_shared<zorvic::FakeDesktop>()->Services());
#endif
    }

    void TearDown() override {
        application_.reset();
        std::filesystem::remove_all(home_);
    }

private:
    int& argc_;
    char** argv_;
    std::filesystem::path home_;
    std::unique_ptr<QApplication> application_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ZORVIC_REAL_DISPLAY
    // An X server and window manager of this program's own: focus, keys and the screen are not
    // shared with tests running at the same time. None is needed to list the tests. Static, so
    // that it outlives the X connections the program's services keep until the very end.
    static std::optional<zorvic::testing::PrivateDisplay> display;
    if (!::testing::GTEST_FLAG(list_tests)) {
        display.emplace(zorvic::testing::PrivateDisplay::Options{.WindowManager = true});
        setenv("DISPLAY", display->Name().c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
    }
#endif
    ::testing::AddGlobalTestEnvironment(new EditorEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
